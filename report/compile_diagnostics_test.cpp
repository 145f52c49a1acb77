#include "report/compile_diagnostics.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "report/diagnostic_printer.h"
#include "scenario/error_codes.h"

namespace sb {
namespace {

// A UTF-8 file: columns count characters of the converted line.
const testo_autore kServizio{"corsa.txt", "x\n\tstazione, Citt\xC3\xA0 Alta\n", "x\n\tstazione, Citt\xE0 Alta\n"};
const testo_autore kLinea{"linea.txt", "[generale]\nvelcita,  9000,  120\n", "[generale]\nvelcita,  9000,  120\n"};

diagnostica voce(gravita livello, origine_errore origine, int32_t riga, int32_t colonna, std::string messaggio = "",
                 int32_t codice = 0) {
  diagnostica d;
  d.livello = livello;
  d.codice = codice;
  d.origine = origine;
  d.riga = riga;
  d.colonna = colonna;
  d.messaggio = std::move(messaggio);
  return d;
}

// The columns under a field: up to the next comma or the line's end,
// trailing blanks left out; one where there is no field.
TEST(LarghezzaCampo, TheFieldIsMeasured) {
  const struct {
    std::string_view riga;
    size_t inizio;
    int32_t atteso;
  } casi[] = {
      {"velcita,  9000,  120", 0, 7},
      {"velcita,  9000,  120", 10, 4},
      {"velcita,  9000,  120", 17, 3},
      {"pendenza, 40, 12 \t ", 14, 2},
      {"orologio,  7  20  0", 11, 8},
      {"a,,b", 2, 1},
      {"abc", 3, 1},
      {"abc", 40, 1},
  };
  for (const auto& c : casi) EXPECT_EQ(larghezza_campo(c.riga, c.inizio), c.atteso) << c.riga << " at " << c.inizio;
}

// The place in the file the entry names: the field measured in the text, a
// width given kept, no file for the signal pass or a text not given.
TEST(LuogoDi, FileLineAndColumns) {
  diagnostica un_carattere = voce(gravita::avviso, origine_errore::testo_servizio, 2, 12);
  un_carattere.larghezza = 1;
  const struct {
    diagnostica d;
    luogo_sorgente atteso;
  } casi[] = {
      {voce(gravita::avviso, origine_errore::testo_servizio, 2, 12), {"corsa.txt", 2, 12, 21}},
      {un_carattere, {"corsa.txt", 2, 12, 12}},
      {voce(gravita::errore, origine_errore::testo_linea, 2, 11), {"linea.txt", 2, 11, 14}},
      {voce(gravita::errore, origine_errore::testo_linea, 2, 0), {"linea.txt", 2, 0, 0}},
      {voce(gravita::errore, origine_errore::passaggio, 0, 0), {"", 0, 0, 0}},
  };
  for (const auto& c : casi) EXPECT_EQ(luogo_di(c.d, kLinea, kServizio), c.atteso);
  EXPECT_EQ(luogo_di(voce(gravita::errore, origine_errore::testo_linea, 2, 11), testo_autore{}, kServizio).file, "");
}

// Notes on an entry go with it; a note on the whole text stands alone; an
// error says its code's meaning, and that its text was not given.
TEST(SegnalazioniCompile, NotesMeaningsAndMissingTexts) {
  diagnostica sola = voce(gravita::nota, origine_errore::testo_linea, 0, 0, "alone");
  sola.genere = genere_avviso::testo_senza;
  diagnostica in_cella = voce(gravita::errore, origine_errore::passaggio, 0, 0, "", 12);
  in_cella.posizione = 4500;
  const std::vector<diagnostica> d = {
      voce(gravita::errore, origine_errore::testo_linea, 2, 1, "", 25),
      voce(gravita::nota, origine_errore::testo_servizio, 2, 12, "the other row"),
      sola,
      voce(gravita::errore, origine_errore::testo_servizio, 0, 0, "", 15),
      in_cella,
  };
  const std::vector<segnalazione> s = segnalazioni_compile(d, kLinea, testo_autore{});
  ASSERT_EQ(s.size(), 4u);
  EXPECT_EQ(riga_gnu(s[0]), "linea.txt:2:1: error: error 25: " + std::string(significato(25)));
  ASSERT_EQ(s[0].note.size(), 1u);
  EXPECT_EQ(s[0].note[0].dove, (luogo_sorgente{"", 2, 12, 12}));
  EXPECT_EQ(s[0].metro, -1);
  EXPECT_EQ(riga_gnu(s[1]), "linea.txt: note: alone");
  EXPECT_EQ(riga_gnu(s[2]), "scenario_tool: error: error 15: " + std::string(significato(15)) +
                                " (no --service given)");
  EXPECT_EQ(s[3].metro, 4500);
}

// The compilers quote names in code page 1252; what a person reads is UTF-8,
// the printed line and its source line alike, and an undefined byte of the
// code page shows as U+FFFD.
TEST(SegnalazioniCompile, NamesAreReadAsUtf8) {
  const std::vector<diagnostica> d = {
      voce(gravita::avviso, origine_errore::testo_servizio, 2, 12, "station 5 'Citt\xE0 Alta' \x93" "cut\x94 \x81"),
      voce(gravita::nota, origine_errore::testo_servizio, 2, 12, "the row of 'Citt\xE0 Alta'"),
  };
  const std::vector<segnalazione> s = segnalazioni_compile(d, kLinea, kServizio);
  ASSERT_EQ(s.size(), 1u);
  EXPECT_EQ(riga_gnu(s[0]), "corsa.txt:2:12: warning: station 5 'Citt\xC3\xA0 Alta' \xE2\x80\x9C"
                            "cut\xE2\x80\x9D \xEF\xBF\xBD");
  ASSERT_EQ(s[0].note.size(), 1u);
  EXPECT_EQ(s[0].note[0].messaggio, "the row of 'Citt\xC3\xA0 Alta'");
  std::ostringstream err;
  stampa_segnalazioni(s, {&kLinea, &kServizio}, opzioni_stampa{}, err);
  EXPECT_EQ(err.str(),
            "corsa.txt:2:12: warning: station 5 'Citt\xC3\xA0 Alta' \xE2\x80\x9C" "cut\xE2\x80\x9D \xEF\xBF\xBD\n"
            "\tstazione, Citt\xC3\xA0 Alta\n"
            "\t          ^~~~~~~~~~\n"
            "corsa.txt:2:12: note: the row of 'Citt\xC3\xA0 Alta'\n"
            "\tstazione, Citt\xC3\xA0 Alta\n"
            "\t          ^~~~~~~~~~\n");
}

}  // namespace
}  // namespace sb
