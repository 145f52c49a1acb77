// Who gets what from the live page's server: the page and its stream under
// the token, asked by the loopback address's name; nothing else to anyone.
#include "serve/page_access.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace sb {
namespace {

constexpr const char* kGettone = "0123456789abcdef0123456789abcdef";

TEST(AccessoPagina, OnlyThePageAndItsStreamUnderTheTokenToTheLoopbackName) {
  struct caso {
    const char* metodo;
    std::string risorsa;
    const char* host;
    accesso atteso;
  };
  const std::string t = std::string("/") + kGettone;
  const caso casi[] = {
      {"GET", t + "/", "127.0.0.1:8123", accesso::pagina},
      {"GET", t + "/events", "127.0.0.1:8123", accesso::eventi},
      {"GET", t + "/", "[::1]:8123", accesso::pagina},
      {"GET", t + "/", "localhost:8123", accesso::pagina},
      {"GET", t + "/", "LocalHost:8123", accesso::pagina},
      // The token missing, wrong, cut short or followed by more.
      {"GET", "/", "127.0.0.1:8123", accesso::non_trovato},
      {"GET", "/events", "127.0.0.1:8123", accesso::non_trovato},
      {"GET", "/0123456789abcdef0123456789abcdee/", "127.0.0.1:8123", accesso::non_trovato},
      {"GET", "/0123456789abcdef/", "127.0.0.1:8123", accesso::non_trovato},
      {"GET", t, "127.0.0.1:8123", accesso::non_trovato},
      {"GET", t + "x/", "127.0.0.1:8123", accesso::non_trovato},
      {"GET", t + "/page.js", "127.0.0.1:8123", accesso::non_trovato},
      {"GET", t + "/events/", "127.0.0.1:8123", accesso::non_trovato},
      {"GET", t + "/../etc/passwd", "127.0.0.1:8123", accesso::non_trovato},
      // Only GET.
      {"POST", t + "/", "127.0.0.1:8123", accesso::non_trovato},
      {"HEAD", t + "/", "127.0.0.1:8123", accesso::non_trovato},
      // A name that resolves to the loopback address elsewhere, another
      // port, no port, no Host: refused before the token is looked at.
      {"GET", t + "/", "attacker.example:8123", accesso::host_estraneo},
      {"GET", t + "/", "127.0.0.1.attacker.example:8123", accesso::host_estraneo},
      {"GET", t + "/", "localhost.attacker.example:8123", accesso::host_estraneo},
      {"GET", t + "/", "127.0.0.1:8124", accesso::host_estraneo},
      {"GET", t + "/", "127.0.0.1:81234", accesso::host_estraneo},
      {"GET", t + "/", "127.0.0.1", accesso::host_estraneo},
      {"GET", t + "/", "::1:8123", accesso::host_estraneo},
      {"GET", t + "/", "", accesso::host_estraneo},
      {"GET", "/", "attacker.example:8123", accesso::host_estraneo},
  };
  for (const caso& c : casi) {
    EXPECT_EQ(decidi_accesso(c.metodo, c.risorsa, c.host, kGettone, 8123), c.atteso)
        << c.metodo << " " << c.risorsa << " Host: " << c.host;
  }
}

TEST(AccessoPagina, WithoutATokenNothingIsServed) {
  EXPECT_EQ(decidi_accesso("GET", "//", "127.0.0.1:8123", "", 8123), accesso::non_trovato);
  EXPECT_EQ(decidi_accesso("GET", "//events", "127.0.0.1:8123", "", 8123), accesso::non_trovato);
}

TEST(AccessoPagina, TokensAre128RandomBitsInHex) {
  std::set<std::string> visti;
  for (int k = 0; k < 20; ++k) {
    const std::string g = nuovo_gettone();
    EXPECT_EQ(g.size(), 32u);
    EXPECT_EQ(g.find_first_not_of("0123456789abcdef"), std::string::npos) << g;
    visti.insert(g);
  }
  EXPECT_EQ(visti.size(), 20u);
}

}  // namespace
}  // namespace sb
