#include "text_input/suggestions.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

TEST(DistanzaModifica, CountsEachEditOnce) {
  struct caso {
    const char* a;
    const char* b;
    int32_t distanza;
  };
  const caso casi[] = {
      {"pendenza", "pendenza", 0}, {"pendnza", "pendenza", 1}, {"cruvad3", "curvad3", 1},
      {"segnal", "segnale", 1},    {"velcita", "velocita", 1}, {"", "abc", 3},
      {"abc", "", 3},              {"compile", "check", 6},    {"ab", "ba", 1},
  };
  for (const caso& c : casi) EXPECT_EQ(distanza_modifica(c.a, c.b), c.distanza) << c.a << " " << c.b;
}

TEST(Suggerisci, OffersOnlyANearWord) {
  constexpr std::string_view parole[] = {"velocita", "aderenza", "stazione", "segnale", "sabbia"};
  EXPECT_EQ(suggerisci("velcita", parole), "velocita");
  EXPECT_EQ(suggerisci("stazone", parole), "stazione");
  EXPECT_EQ(suggerisci("segnali", parole), "segnale");
  EXPECT_EQ(suggerisci("sabia", parole), "sabbia");
  EXPECT_EQ(suggerisci("velocita", parole), "");  // the word itself is no suggestion
  EXPECT_EQ(suggerisci("orario", parole), "");
  EXPECT_EQ(suggerisci("sbba", parole), "");  // two edits are too many for a word of six
  constexpr std::string_view comandi[] = {"check", "compile", "export"};
  EXPECT_EQ(suggerisci("compil", comandi), "compile");
  EXPECT_EQ(suggerisci("xport", comandi), "export");
}

}  // namespace
}  // namespace sb
