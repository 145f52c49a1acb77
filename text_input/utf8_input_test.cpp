#include "text_input/utf8_input.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

TEST(PreparaTesto, ConvertsOnlyValidUtf8WithNonAscii) {
  struct caso {
    const char* nome;
    std::string in;
    std::string atteso;
    bool convertito;
    std::vector<punto_testo> sostituiti;  // the first "?" of each line
  };
  const caso casi[] = {
      {"plain ASCII", "stazione, 0, Borgo\r\n", "stazione, 0, Borgo\r\n", false, {}},
      {"code page 1252 stays", "Citt\xE0 \x80\r\n", "Citt\xE0 \x80\r\n", false, {}},
      {"accented letters", "Citt\xC3\xA0 \xC3\xA8\r\n", "Citt\xE0 \xE8\r\n", true, {}},
      {"euro and typographic quotes", "\xE2\x82\xAC \xE2\x80\x9Cx\xE2\x80\x9D", "\x80 \x93x\x94", true, {}},
      {"byte order mark dropped", "\xEF\xBB\xBFPi\xC3\xB9", "Pi\xF9", true, {}},
      {"no code page form on line 3 (CR LF)", "a\r\nb\r\n\xC5\x81\xC3\xB3""d\xC5\xBA\r\n", "a\r\nb\r\n?\xF3""d?\r\n",
       true, {{3, 1}}},
      {"lone LF and lone CR count as line ends", "\xC3\xA0\n\r\xE4\xB8\xAD\rx\xE2\x98\x83", "\xE0\n\r?\rx?", true,
       {{3, 1}, {4, 2}}},
      {"overlong form is not UTF-8", "\xC0\xAF\xE0", "\xC0\xAF\xE0", false, {}},
      {"cut sequence is not UTF-8", "abc\xC3", "abc\xC3", false, {}},
  };
  for (const caso& c : casi) {
    testo_convertito t = prepara_testo(c.in);
    EXPECT_EQ(t.byte, c.atteso) << c.nome;
    EXPECT_EQ(t.convertito, c.convertito) << c.nome;
    EXPECT_EQ(t.sostituiti, c.sostituiti) << c.nome;
  }
}

TEST(Utf8Valido, RejectsOverlongFormsSurrogatesAndCodePointsAboveTheRange) {
  struct caso {
    const char* nome;
    std::string_view byte;
    bool valido;
  };
  const caso casi[] = {
      {"four bytes, U+1F682", "\xF0\x9F\x9A\x82", true},
      {"surrogate U+D800", "\xED\xA0\x80", false},
      {"above U+10FFFF", "\xF4\x90\x80\x80", false},
      {"a byte that starts nothing", "\xFF", false},
      {"U+0800, the first of three bytes", "\xE0\xA0\x80", true},
      {"U+07FF overlong in three bytes", "\xE0\x9F\xBF", false},
      {"U+10000, the first of four bytes", "\xF0\x90\x80\x80", true},
      {"U+FFFF overlong in four bytes", "\xF0\x8F\xBF\xBF", false},
  };
  for (const caso& c : casi) EXPECT_EQ(utf8_valido(c.byte), c.valido) << c.nome;
}

TEST(Cp1252InUtf8, ShowsNamesToAPerson) {
  EXPECT_EQ(cp1252_in_utf8("Citt\xE0 \x80"), "Citt\xC3\xA0 \xE2\x82\xAC");
  EXPECT_EQ(cp1252_in_utf8("Villa S\xE9gola \x96 \x9Fvre \xFF"),
            "Villa S\xC3\xA9gola \xE2\x80\x93 \xC5\xB8vre \xC3\xBF");
  EXPECT_EQ(cp1252_in_utf8("Borgo"), "Borgo");
}

// Every byte of the code page: the undefined five show as U+FFFD, every
// other one is a character that converts back to the same byte (the way in
// is a conversion of its own), and the result is always valid UTF-8.
TEST(Cp1252InUtf8, EveryByteHasADefinedCharacter) {
  const std::string indefiniti = "\x81\x8D\x8F\x90\x9D";
  for (int b = 1; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const std::string utf8 = cp1252_in_utf8(byte);
    SCOPED_TRACE(b);
    EXPECT_TRUE(utf8_valido(utf8));
    if (indefiniti.find(byte) != std::string::npos) {
      EXPECT_EQ(utf8, "\xEF\xBF\xBD");
    } else {
      EXPECT_EQ(prepara_testo("x" + utf8).byte, "x" + byte);
    }
  }
}

TEST(Utf8Riparato, KeepsValidTextAndReplacesEveryStrayByte) {
  struct caso {
    const char* nome;
    std::string byte;
    std::string atteso;
  };
  const caso casi[] = {
      {"plain ASCII", "Borgo", "Borgo"},
      {"valid UTF-8 kept", "Villa S\xC3\xA9gola", "Villa S\xC3\xA9gola"},
      {"a code page 1252 byte", "S\xE9gola", "S\xEF\xBF\xBDgola"},
      {"a sequence cut at the end", "ab\xC3", "ab\xEF\xBF\xBD"},
      {"an overlong form, byte by byte", "\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"a surrogate, byte by byte", "\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"a stray continuation byte before a valid one", "\x80\xC3\xA9", "\xEF\xBF\xBD\xC3\xA9"},
  };
  for (const caso& c : casi) {
    EXPECT_EQ(utf8_riparato(c.byte), c.atteso) << c.nome;
    EXPECT_TRUE(utf8_valido(utf8_riparato(c.byte))) << c.nome;
  }
}

// Nothing from an author's text reaches a terminal as a control: an escape
// sequence in a name shows as symbols.
TEST(Visibile, ControlsShowAsTheirSymbols) {
  const std::pair<std::string, std::string> casi[] = {
      {"Borgo\tNord", "Borgo\tNord"},
      {"\x1b[2J\x1b]0;x\x07", "\xE2\x90\x9B[2J\xE2\x90\x9B]0;x\xE2\x90\x87"},
      {std::string("a\0b", 3), "a\xE2\x90\x80" "b"},
      {"\x7F", "\xE2\x90\xA1"},
      {"\xC2\x9B" "1m \xC3\xA0", "\xEF\xBF\xBD" "1m \xC3\xA0"},
      {"riga\r\n", "riga\xE2\x90\x8D\xE2\x90\x8A"},
  };
  for (const auto& [dentro, fuori] : casi) EXPECT_EQ(visibile(dentro), fuori) << dentro;
}

}  // namespace
}  // namespace sb
