#include "report/diagnostic_printer.h"

#include <gtest/gtest.h>

#include <sstream>

namespace sb {
namespace {

diagnostica voce(gravita livello, origine_errore origine, int32_t riga, int32_t colonna, std::string messaggio,
                 genere_avviso genere = genere_avviso::nessuno, int32_t codice = 0) {
  diagnostica d;
  d.livello = livello;
  d.codice = codice;
  d.genere = genere;
  d.origine = origine;
  d.riga = riga;
  d.colonna = colonna;
  d.messaggio = std::move(messaggio);
  return d;
}

std::string stampa(const std::vector<diagnostica>& d, const testo_autore& linea, const testo_autore& servizio,
                   bool colore = false) {
  std::ostringstream err;
  opzioni_stampa o;
  o.colore = colore;
  stampa_diagnostiche(d, linea, servizio, o, err);
  return err.str();
}

// A code page 1252 text taken as it stands, and a UTF-8 one with a byte
// order mark, converted.
const testo_autore kLinea{"l.txt", "[generale]\r\n\tpendnza,\t4000\r\n", "[generale]\r\n\tpendnza,\t4000\r\n"};
const testo_autore kServizio{"s.txt", "\xEF\xBB\xBFstazione, 0, Citt\xC3\xA0, x\nvelcita\n",
                             "stazione, 0, Citt\xE0, x\nvelcita\n"};

// Each kind of place, by its exact text: the caret keeps the line's tabs
// and counts characters, not bytes; a code 1252 line is shown as UTF-8.
TEST(StampaDiagnostiche, PlacesSourceLinesAndCarets) {
  const testo_autore cp1252{"c.txt", "Citt\xE0, y\r\n", "Citt\xE0, y\r\n"};
  struct caso {
    diagnostica d;
    std::string atteso;
  };
  const caso casi[] = {
      {voce(gravita::avviso, origine_errore::testo_linea, 2, 11, "m"),
       "l.txt:2:11: warning: m\n\tpendnza,\t4000\n\t        \t^~~~\n"},
      {voce(gravita::avviso, origine_errore::testo_servizio, 1, 20, "m"),
       "s.txt:1:20: warning: m\nstazione, 0, Citt\xC3\xA0, x\n                   ^~\n"},
      {voce(gravita::nota, origine_errore::testo_linea, 2, 0, "m"), "l.txt:2: note: m\n\tpendnza,\t4000\n"},
      {voce(gravita::nota, origine_errore::testo_linea, 0, 0, "m", genere_avviso::testo_senza), "l.txt: note: m\n"},
      {voce(gravita::errore, origine_errore::passaggio, 0, 0, "", genere_avviso::nessuno, 12),
       "scenario_tool: error: error 12: no free cell for a code-reduction point before a slowdown start\n"},
      {voce(gravita::errore, origine_errore::testo_servizio, 2, 1, "no cells", genere_avviso::nessuno, 15),
       "s.txt:2:1: error: error 15: no cells\nvelcita\n^~~~~~~\n"},
  };
  for (const caso& c : casi) EXPECT_EQ(stampa({c.d}, kLinea, kServizio), c.atteso);
  EXPECT_EQ(stampa({voce(gravita::avviso, origine_errore::testo_linea, 1, 5, "m")}, cp1252, kServizio),
            "c.txt:1:5: warning: m\nCitt\xC3\xA0, y\n    ^\n");
}

// A text the author did not give names no file and shows no line.
TEST(StampaDiagnostiche, NoFileGiven) {
  EXPECT_EQ(stampa({voce(gravita::errore, origine_errore::testo_linea, 3, 1, "x", genere_avviso::nessuno, 25)},
                   testo_autore{}, kServizio),
            "scenario_tool: error: error 25: x\n");
}

TEST(StampaDiagnostiche, ColoursTheLevelAndTheCaret) {
  EXPECT_EQ(stampa({voce(gravita::avviso, origine_errore::testo_linea, 1, 2, "m")}, kLinea, kServizio, true),
            "\x1b[1ml.txt:1:2: \x1b[1;35mwarning:\x1b[0m m\n[generale]\n \x1b[1;32m^~~~~~~~~\x1b[0m\n");
  EXPECT_EQ(stampa({voce(gravita::errore, origine_errore::passaggio, 0, 0, "m", genere_avviso::nessuno, 11)}, kLinea,
                   kServizio, true),
            "\x1b[1mscenario_tool: \x1b[1;31merror:\x1b[0m error 11: m\n");
}

// Of one kind the first five are shown, each with its note, then how many
// more there were; other kinds are not held back.
TEST(StampaDiagnostiche, FloodsAreCutShort) {
  std::vector<diagnostica> d;
  for (int i = 1; i <= 7; ++i) {
    d.push_back(voce(gravita::avviso, origine_errore::testo_linea, 0, 0, "w" + std::to_string(i),
                     genere_avviso::chiave_sconosciuta));
    d.push_back(voce(gravita::nota, origine_errore::testo_linea, 0, 0, "n" + std::to_string(i)));
  }
  d.push_back(voce(gravita::avviso, origine_errore::testo_linea, 0, 0, "other", genere_avviso::valore_troncato));
  std::ostringstream err;
  const conteggio_diagnostiche c = stampa_diagnostiche(d, kLinea, kServizio, opzioni_stampa{}, err);
  EXPECT_EQ(err.str(),
            "l.txt: warning: w1\nl.txt: note: n1\n"
            "l.txt: warning: w2\nl.txt: note: n2\n"
            "l.txt: warning: w3\nl.txt: note: n3\n"
            "l.txt: warning: w4\nl.txt: note: n4\n"
            "l.txt: warning: w5\nl.txt: note: n5\n"
            "l.txt: note: 2 more like this\n"
            "l.txt: warning: other\n");
  EXPECT_EQ(c.avvisi, 8);
  EXPECT_EQ(c.note, 7);
  EXPECT_EQ(c.errori, 0);
}

TEST(UsaColore, OnlyOnATerminalAndNeverWithNoColor) {
  EXPECT_TRUE(usa_colore(true, nullptr));
  EXPECT_TRUE(usa_colore(true, ""));
  EXPECT_FALSE(usa_colore(true, "1"));
  EXPECT_FALSE(usa_colore(false, nullptr));
}

}  // namespace
}  // namespace sb
