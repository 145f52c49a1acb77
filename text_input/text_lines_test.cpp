#include "text_input/text_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sb {
namespace {

std::vector<std::string> tutte(std::string_view testo) {
  std::vector<std::string> out;
  righe_testo righe(testo);
  std::string_view riga;
  while (righe.prossima(riga)) out.emplace_back(riga);
  return out;
}

// Every line end splits once; a CR LF is one end, a CR then a lone LF two.
TEST(RigheTesto, EveryLineEnd) {
  const struct {
    std::string testo;
    std::vector<std::string> righe;
  } casi[] = {
      {"", {""}},
      {"uno", {"uno"}},
      {"uno\r\ndue\ntre\rquattro", {"uno", "due", "tre", "quattro"}},
      {"uno\n", {"uno", ""}},
      {"uno\r\n\r\n", {"uno", "", ""}},
      {"a\r\rb", {"a", "", "b"}},
      {"a\n\rb", {"a", "", "b"}},
      {"a\r\n\nb", {"a", "", "b"}},
  };
  for (const auto& c : casi) EXPECT_EQ(tutte(c.testo), c.righe) << c.testo;
}

// Each line's number and the offset where it begins.
TEST(RigheTesto, NumbersAndOffsets) {
  righe_testo righe("ab\r\ncd\ref");
  std::string_view riga;
  std::vector<std::pair<int32_t, size_t>> visti;
  while (righe.prossima(riga)) visti.push_back({righe.numero(), righe.inizio()});
  const std::vector<std::pair<int32_t, size_t>> attesi = {{1, 0}, {2, 4}, {3, 7}};
  EXPECT_EQ(visti, attesi);
  EXPECT_TRUE(righe.ultima());
}

// The line that holds an offset: a line end belongs to the line it ends.
TEST(RigheTesto, TheLineOfAnOffset) {
  const std::string testo = "ab\r\ncd\ref";
  const struct {
    size_t pos;
    int32_t numero;
    size_t inizio;
  } casi[] = {{0, 1, 0}, {2, 1, 0}, {3, 1, 0}, {4, 2, 4}, {6, 2, 4}, {7, 3, 7}, {8, 3, 7}, {40, 3, 7}};
  for (const auto& c : casi) {
    righe_testo righe(testo);
    righe.fino_a(c.pos);
    EXPECT_EQ(righe.numero(), c.numero) << c.pos;
    EXPECT_EQ(righe.inizio(), c.inizio) << c.pos;
  }
}

TEST(RigheTesto, OneLineByItsNumber) {
  const std::string testo = "uno\r\ndue\ntre\rquattro";
  EXPECT_EQ(riga_di(testo, 1), "uno");
  EXPECT_EQ(riga_di(testo, 2), "due");
  EXPECT_EQ(riga_di(testo, 3), "tre");
  EXPECT_EQ(riga_di(testo, 4), "quattro");
  EXPECT_EQ(riga_di(testo, 5), "");
  EXPECT_EQ(riga_di(testo, 0), "");
}

// One finder asked in any order, past the end and back again, gives what
// a fresh walk gives.
TEST(RigheTesto, OneFinderForManyLinesInAnyOrder) {
  const std::string testo = "uno\r\ndue\ntre\rquattro";
  cercatore_righe cerca(testo);
  for (int32_t n : {1, 1, 3, 2, 4, 5, 4, 0, 2, 9, 1}) EXPECT_EQ(cerca.riga(n), riga_di(testo, n)) << n;
}

}  // namespace
}  // namespace sb
