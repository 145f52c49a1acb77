// The live page's server over real sockets: the page and its stream only
// under the token and the loopback name, a new scene on the stream at each
// save (or the trouble reading the texts), the cursor passed on, and a
// client that takes nothing holding up no other.
#include "serve/live_server.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>

#include "test_support/scratch_folder.h"

namespace sb {
namespace {

using namespace std::chrono_literals;

void scrivi(const std::string& file, const std::string& testo) {
  std::ofstream f(file, std::ios::binary | std::ios::trunc);
  f << testo;
}

std::string leggi(const std::string& file) {
  std::ifstream f(file, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

class PaginaViva : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.ok());
    scrivi(linea_, "uno");
    scrivi(servizio_, "servizio");
  }

  // Starts the server over the two files: the scene's line name is the line
  // text; a line text "unreadable" cannot be read. `zavorra` bytes go into
  // the scene's values, for big scenes.
  void avvia(size_t zavorra = 0) {
    sorgente_viva v;
    v.file = {linea_, servizio_};
    v.analizza = [this, zavorra](std::ostream& err) -> std::optional<scena> {
      const std::string testo = leggi(linea_);
      if (testo == "unreadable") {
        err << linea_ << ": cannot be read\n";
        return std::nullopt;
      }
      scena s;
      s.nome_linea = testo;
      s.file = {linea_, servizio_};
      if (zavorra > 0) s.generali.push_back({"zavorra", std::string(zavorra, 'z')});
      return s;
    };
    std::string errore;
    s_ = avvia_pagina_viva(v, opzioni_vivo{}, err_, errore);
    ASSERT_TRUE(s_) << errore;
    const std::string inizio = "http://127.0.0.1:" + std::to_string(s_->porta) + "/";
    ASSERT_EQ(s_->indirizzo.rfind(inizio, 0), 0u) << s_->indirizzo;
    pagina_ = s_->indirizzo.substr(inizio.size() - 1);
  }

  std::string host() const { return "127.0.0.1:" + std::to_string(s_->porta); }

  // What the stream at the path sends until `fine` comes (or five quiet
  // seconds pass); dopo runs once the stream is open.
  std::string flusso(const std::string& risorsa, const std::string& fine, const std::function<void()>& dopo) {
    httplib::Client c("127.0.0.1", s_->porta);
    c.set_read_timeout(5, 0);
    std::string venuto;
    bool aperto = false;
    c.Get(risorsa, httplib::Headers{{"Host", host()}}, [&](const char* d, size_t n) {
      const size_t prima = venuto.size();
      venuto.append(d, n);
      if (!aperto) {
        aperto = true;
        if (dopo) dopo();
      }
      // Only where `fine` could stand anew: the scenes may be big.
      return venuto.find(fine, prima > fine.size() ? prima - fine.size() : 0) == std::string::npos;
    });
    return venuto;
  }

  prova::cartella_prova dir_;
  std::string linea_ = dir_ / "A_linea.txt";
  std::string servizio_ = dir_ / "A_1-.txt";
  std::ostringstream err_;
  std::optional<server_vivo> s_;
  std::string pagina_;  // the page's path: /TOKEN/
};

TEST_F(PaginaViva, ThePageOnlyUnderTheTokenAndTheLoopbackName) {
  avvia();
  httplib::Client c("127.0.0.1", s_->porta);
  auto r = c.Get(pagina_, httplib::Headers{{"Host", host()}});
  ASSERT_TRUE(r);
  EXPECT_EQ(r->status, 200);
  EXPECT_NE(r->body.find("{\"line\":\"uno\""), std::string::npos);
  EXPECT_NE(r->body.find("data-events=\"events?from=1\""), std::string::npos);
  EXPECT_EQ(r->get_header_value("Cache-Control"), "no-store");
  struct caso {
    std::string risorsa;
    std::string host;
    int stato;
  };
  const caso casi[] = {
      {"/", host(), 404},
      {"/events", host(), 404},
      {pagina_ + "x", host(), 404},
      {pagina_, "attacker.example:" + std::to_string(s_->porta), 403},
      {"/", "attacker.example:" + std::to_string(s_->porta), 403},
  };
  for (const caso& k : casi) {
    r = c.Get(k.risorsa, httplib::Headers{{"Host", k.host}});
    ASSERT_TRUE(r) << k.risorsa;
    EXPECT_EQ(r->status, k.stato) << k.risorsa << " Host: " << k.host;
    EXPECT_EQ(r->body, "") << k.risorsa << " Host: " << k.host;
  }
}

TEST_F(PaginaViva, ListensOnIpv6LoopbackTooWhereThereIsOne) {
  avvia();
  httplib::Client c("::1", s_->porta);
  auto r = c.Get(pagina_, httplib::Headers{{"Host", "[::1]:" + std::to_string(s_->porta)}});
  if (!r) GTEST_SKIP() << "no ::1 here";
  EXPECT_EQ(r->status, 200);
}

TEST_F(PaginaViva, EachSaveSendsTheNewScene) {
  avvia();
  const std::string venuto = flusso(pagina_ + "events?from=1", "\"line\":\"tre\"", [this] {
    scrivi(linea_, "due");
    std::this_thread::sleep_for(300ms);
    scrivi(linea_, "tre");
  });
  EXPECT_EQ(venuto.rfind("retry: 1000\n\n", 0), 0u) << venuto.substr(0, 200);
  const size_t due = venuto.find("id: 2\nevent: scene\ndata: {\"line\":\"due\"");
  const size_t tre = venuto.find("id: 3\nevent: scene\ndata: {\"line\":\"tre\"");
  ASSERT_NE(due, std::string::npos) << venuto.substr(0, 400);
  ASSERT_NE(tre, std::string::npos) << venuto.substr(0, 400);
  EXPECT_LT(due, tre);
  EXPECT_EQ(venuto.find("\"line\":\"uno\""), std::string::npos) << "the page's own scene sent again";
  EXPECT_EQ(scene_fatte(*s_), 3u);
}

TEST_F(PaginaViva, APageOlderThanTheLastSceneGetsItAtOnce) {
  avvia();
  scrivi(linea_, "due");
  const std::string venuto = flusso(pagina_ + "events?from=1", "\"line\":\"due\"", nullptr);
  EXPECT_NE(venuto.find("event: scene\ndata: {\"line\":\"due\""), std::string::npos) << venuto.substr(0, 300);
}

TEST_F(PaginaViva, TextsThatCannotBeReadAreToldAndTheNextSaveDraws) {
  avvia();
  const std::string venuto = flusso(pagina_ + "events?from=1", "\"line\":\"quattro\"", [this] {
    scrivi(linea_, "unreadable");
    std::this_thread::sleep_for(300ms);
    scrivi(linea_, "quattro");
  });
  const size_t guaio = venuto.find("event: trouble\ndata: " + linea_ + ": cannot be read\n");
  ASSERT_NE(guaio, std::string::npos) << venuto.substr(0, 400);
  EXPECT_LT(guaio, venuto.find("\"line\":\"quattro\""));
  EXPECT_NE(err_.str().find(linea_ + ": cannot be read"), std::string::npos);
}

TEST_F(PaginaViva, TheCursorGoesToThePagesAsTheFileNumberAndLine) {
  avvia();
  const std::string venuto = flusso(pagina_ + "events?from=1", "\"f\":-1", [this] {
    segnala_cursore(*s_, servizio_, 7);
    std::this_thread::sleep_for(100ms);
    segnala_cursore(*s_, dir_ / "other.txt", 3);
  });
  const size_t uno = venuto.find("event: cursor\ndata: {\"f\":1,\"line\":7}\n\n");
  const size_t nessuno = venuto.find("event: cursor\ndata: {\"f\":-1,\"line\":0}\n\n");
  ASSERT_NE(uno, std::string::npos) << venuto;
  ASSERT_NE(nessuno, std::string::npos) << venuto;
  EXPECT_LT(uno, nessuno);
}

// A client that asks for the stream and then reads nothing.
int cliente_fermo(int porta, const std::string& risorsa) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  int piccolo = 4096;
  setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &piccolo, sizeof piccolo);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<uint16_t>(porta));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) return -1;
  const std::string richiesta =
      "GET " + risorsa + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(porta) + "\r\n\r\n";
  if (write(fd, richiesta.data(), richiesta.size()) != static_cast<ssize_t>(richiesta.size())) return -1;
  return fd;
}

TEST_F(PaginaViva, AClientThatReadsNothingHoldsUpNoOther) {
  // Scenes of 4 MB: the still client's buffers fill with the first.
  avvia(4 << 20);
  const int fermo = cliente_fermo(s_->porta, pagina_ + "events?from=0");
  ASSERT_GE(fermo, 0);
  std::this_thread::sleep_for(200ms);
  const std::string venuto = flusso(pagina_ + "events?from=1", "\"line\":\"cinque\"", [this] {
    for (const char* t : {"due", "tre", "quattro", "cinque"}) {
      scrivi(linea_, t);
      std::this_thread::sleep_for(250ms);
    }
  });
  EXPECT_NE(venuto.find("\"line\":\"cinque\""), std::string::npos);
  // The server stops with the still client connected.
  ferma_pagina_viva(*s_);
  close(fermo);
}

}  // namespace
}  // namespace sb
