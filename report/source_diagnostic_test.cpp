#include "report/source_diagnostic.h"

#include <gtest/gtest.h>

#include <string>

namespace sb {
namespace {

TEST(SourceDiagnostic, LinesWhateverTheirEnds) {
  const std::string testo = "uno\r\ndue\ntre\rquattro";
  EXPECT_EQ(riga_di(testo, 1), "uno");
  EXPECT_EQ(riga_di(testo, 2), "due");
  EXPECT_EQ(riga_di(testo, 3), "tre");
  EXPECT_EQ(riga_di(testo, 4), "quattro");
  EXPECT_EQ(riga_di(testo, 5), "");
  EXPECT_EQ(riga_di(testo, 0), "");
}

TEST(SourceDiagnostic, TheFormsOfARemark) {
  // A UTF-8 file: the column counts characters, the line shown is the
  // author's own, the caret keeps the line's tabs.
  const testo_autore t{"corsa.txt", "x\n\tstazione, Citt\xC3\xA0 Alta\n", "x\n\tstazione, Citt\xE0 Alta\n"};
  struct caso {
    testo_autore testo;
    int32_t riga;
    std::string campo;
    std::string atteso;
  } casi[] = {
      {t, 2, "Citt\xE0 Alta",
       "corsa.txt:2:12: warning: m\n\tstazione, Citt\xC3\xA0 Alta\n\t          ^~~~~~~~~~\n"},
      {t, 2, "assente", "corsa.txt:2: warning: m\n"},
      {t, 0, "", "corsa.txt: warning: m\n"},
      {testo_autore{}, 0, "", "scenario_tool: warning: m\n"},
  };
  for (const caso& c : casi) EXPECT_EQ(diagnostica_sorgente(c.testo, c.riga, c.campo, "warning", "m"), c.atteso);
}

// The caret and tildes under a field: up to the next comma or the line's
// end, trailing blanks left out; a lone caret where there is no field.
TEST(SourceDiagnostic, TheFieldIsUnderlined) {
  const struct {
    std::string_view riga;
    size_t inizio;
    std::string atteso;
  } casi[] = {
      {"velcita,  9000,  120", 0, "^~~~~~~"},
      {"velcita,  9000,  120", 10, "^~~~"},
      {"velcita,  9000,  120", 17, "^~~"},
      {"pendenza, 40, 12 \t ", 14, "^~"},
      {"orologio,  7  20  0", 11, "^~~~~~~~"},
      {"a,,b", 2, "^"},
      {"abc", 3, "^"},
      {"abc", 40, "^"},
  };
  for (const auto& c : casi) EXPECT_EQ(segno_campo(c.riga, c.inizio), c.atteso) << c.riga << " at " << c.inizio;
}

}  // namespace
}  // namespace sb
