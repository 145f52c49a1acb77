#include "builtin/notes.h"

#include <gtest/gtest.h>

#include "test_support/written_lines.h"

#include <algorithm>

#include <string>
#include <vector>

namespace sb {
namespace {

std::vector<std::string> righe() { return righe_scritte(righe_note()); }

TEST(Notes, TwentyTextLinesAndTwoKindsOfSeparator) {
  const auto r = righe();
  ASSERT_EQ(r.size(), 29u);
  const std::vector<size_t> un_blank = {5, 8, 25};
  const std::vector<size_t> vuote = {10, 13, 16, 18, 20, 26};
  size_t testi = 0;
  for (size_t n = 1; n <= r.size(); ++n) {
    const std::string& riga = r[n - 1];
    if (std::find(un_blank.begin(), un_blank.end(), n) != un_blank.end()) {
      EXPECT_EQ(riga, " ") << n;
    } else if (std::find(vuote.begin(), vuote.end(), n) != vuote.end()) {
      EXPECT_EQ(riga, "") << n;
    } else {
      ++testi;
      ASSERT_GE(riga.size(), 2u) << n;
      EXPECT_EQ(riga[0], ' ') << n;
      EXPECT_NE(riga[1], ' ') << n;
      if (n <= 24) {
        EXPECT_GE(riga.size(), 43u) << n;
        EXPECT_LE(riga.size(), 115u) << n;
      }
    }
  }
  EXPECT_EQ(testi, 20u);
  EXPECT_EQ(r[13].back(), ' ');
}

TEST(Notes, AccentsAndDegreeSignAreSingleCodePage1252Bytes) {
  const std::string testo = componi_documento(righe_note());
  for (char c : {'\xE0', '\xE8', '\xF2', '\xF9', '\xB0'}) {
    EXPECT_NE(testo.find(c), std::string::npos) << static_cast<int>(static_cast<unsigned char>(c));
  }
  // No UTF-8 lead bytes of the accented letters or of the degree sign.
  EXPECT_EQ(testo.find('\xC3'), std::string::npos);
  EXPECT_EQ(testo.find('\xC2'), std::string::npos);
  EXPECT_NE(testo.find("realt\xE0"), std::string::npos);
  EXPECT_NE(testo.find("2\xB0 binario"), std::string::npos);
}

TEST(Notes, SignedByThePlaceholderAuthor) {
  const auto r = righe();
  EXPECT_NE(r[0].find("40617"), std::string::npos);
  EXPECT_EQ(r[27], " Ettore Traversina");
  EXPECT_EQ(r[28], " ettore.traversina@example.org");
}

}  // namespace
}  // namespace sb
