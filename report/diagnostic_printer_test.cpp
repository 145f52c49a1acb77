#include "report/diagnostic_printer.h"

#include <gtest/gtest.h>

#include <sstream>

#include "report/compile_diagnostics.h"

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
  stampa_segnalazioni(segnalazioni_compile(d, linea, servizio), {&linea, &servizio}, o, err);
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
  const conteggio_diagnostiche c =
      stampa_segnalazioni(segnalazioni_compile(d, kLinea, kServizio), {&kLinea, &kServizio}, opzioni_stampa{}, err);
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

// A diagnostic made at this layer: its place, its columns and its notes.
segnalazione con_luogo(gravita livello, luogo_sorgente dove, std::string messaggio,
                       std::vector<nota_segnalazione> note = {}) {
  segnalazione s = del_programma(livello, std::move(messaggio));
  s.dove = std::move(dove);
  s.note = std::move(note);
  return s;
}

std::string mostra(const std::vector<segnalazione>& d, opzioni_stampa o = {}) {
  std::ostringstream err;
  stampa_segnalazioni(d, {&kLinea, &kServizio}, o, err);
  return err.str();
}

// The GNU form with the columns from first to last underlined, and each note
// at its own place, in its own file, with its own source line.
TEST(StampaSegnalazioni, FirstLinesSourceLinesAndNotesInTheirOwnPlaces) {
  segnalazione e = con_luogo(gravita::errore, {"s.txt", 2, 3, 5}, "m",
                             {{{"l.txt", 2, 2, 8}, "the other row"}, {{"l.txt", 0, 0, 0}, "about the whole text"}});
  e.codice = 25;
  struct caso {
    segnalazione s;
    std::string atteso;
  };
  const caso casi[] = {
      {e,
       "s.txt:2:3: error: error 25: m\nvelcita\n  ^~~\n"
       "l.txt:2:2: note: the other row\n\tpendnza,\t4000\n\t^~~~~~~\n"
       "l.txt: note: about the whole text\n"},
      {con_luogo(gravita::avviso, {"l.txt", 2, 11, 11}, "one character"),
       "l.txt:2:11: warning: one character\n\tpendnza,\t4000\n\t        \t^\n"},
      {con_luogo(gravita::nota, {"l.txt", 1, 0, 0}, "a line"), "l.txt:1: note: a line\n[generale]\n"},
      {con_luogo(gravita::avviso, {"altro.txt", 3, 4, 6}, "a file not among the texts"),
       "altro.txt:3:4: warning: a file not among the texts\n"},
      {del_programma(gravita::errore, "no file"), "scenario_tool: error: no file\n"},
  };
  for (const caso& c : casi) EXPECT_EQ(mostra({c.s}), c.atteso);
}

// Colour: the place in bold, the level word in its colour, the underline in
// green; notes in cyan. Without colour not one escape.
TEST(StampaSegnalazioni, ColourOnAndOff) {
  const segnalazione w =
      con_luogo(gravita::avviso, {"s.txt", 2, 1, 7}, "m", {{{"l.txt", 1, 2, 3}, "n"}});
  opzioni_stampa colore;
  colore.colore = true;
  EXPECT_EQ(mostra({w}, colore),
            "\x1b[1ms.txt:2:1: \x1b[1;35mwarning:\x1b[0m m\nvelcita\n\x1b[1;32m^~~~~~~\x1b[0m\n"
            "\x1b[1ml.txt:1:2: \x1b[1;36mnote:\x1b[0m n\n[generale]\n \x1b[1;32m^~\x1b[0m\n");
  EXPECT_EQ(mostra({w}), "s.txt:2:1: warning: m\nvelcita\n^~~~~~~\nl.txt:1:2: note: n\n[generale]\n ^~\n");
}

// The cap counts diagnostics, not their notes; without source lines each is
// one line; with no cap every one is shown.
TEST(StampaSegnalazioni, TheCapOfOneKind) {
  std::vector<segnalazione> d;
  for (int i = 1; i <= 7; ++i) {
    segnalazione s = con_luogo(gravita::avviso, {"l.txt", i, 1, 1}, "w" + std::to_string(i));
    s.genere = genere_avviso::carattere_sostituito;
    d.push_back(s);
  }
  d.push_back(del_programma(gravita::errore, "other"));
  opzioni_stampa una_riga;
  una_riga.sorgente = false;
  std::ostringstream err;
  const conteggio_diagnostiche c = stampa_segnalazioni(d, {&kLinea}, una_riga, err);
  EXPECT_EQ(err.str(),
            "l.txt:1:1: warning: w1\nl.txt:2:1: warning: w2\nl.txt:3:1: warning: w3\n"
            "l.txt:4:1: warning: w4\nl.txt:5:1: warning: w5\nl.txt: note: 2 more like this\n"
            "scenario_tool: error: other\n");
  EXPECT_EQ(c.avvisi, 7);
  EXPECT_EQ(c.errori, 1);
  una_riga.massimo_per_genere = kTuttiMostrati;
  std::ostringstream tutti;
  stampa_segnalazioni(d, {}, una_riga, tutti);
  EXPECT_EQ(tutti.str().find("more like this"), std::string::npos);
  EXPECT_NE(tutti.str().find("l.txt:7:1: warning: w7\n"), std::string::npos);
}

// Diagnostics a compile counted but did not keep join the count of their
// kind after the last one shown, whether the cap or the list ran out first,
// and count in the totals; a kind with none kept past the cap adds no line.
TEST(StampaSegnalazioni, CountedButNotKeptJoinTheirKind) {
  const genere_diagnostica sostituito{gravita::avviso, 0, genere_avviso::carattere_sostituito};
  std::vector<segnalazione> d;
  for (int i = 1; i <= 3; ++i) {
    segnalazione s = con_luogo(gravita::avviso, {"l.txt", i, 1, 1}, "w" + std::to_string(i));
    s.genere = genere_avviso::carattere_sostituito;
    d.push_back(s);
  }
  opzioni_stampa o;
  o.sorgente = false;
  struct caso {
    size_t massimo;
    std::string atteso;
  };
  const caso casi[] = {
      {2, "l.txt:1:1: warning: w1\nl.txt:2:1: warning: w2\nl.txt: note: 11 more like this\n"},
      {kMostratiPerGenere,
       "l.txt:1:1: warning: w1\nl.txt:2:1: warning: w2\nl.txt:3:1: warning: w3\nl.txt: note: 10 more like this\n"},
      {kTuttiMostrati,
       "l.txt:1:1: warning: w1\nl.txt:2:1: warning: w2\nl.txt:3:1: warning: w3\nl.txt: note: 10 more like this\n"},
  };
  for (const caso& c : casi) {
    o.massimo_per_genere = c.massimo;
    std::ostringstream err;
    const conteggio_diagnostiche conti = stampa_segnalazioni(d, {}, o, err, {{sostituito, 10}});
    EXPECT_EQ(err.str(), c.atteso) << c.massimo;
    EXPECT_EQ(conti.avvisi, 13);
  }
  std::ostringstream senza;
  stampa_segnalazioni(d, {}, o, senza, {});
  EXPECT_EQ(senza.str(), "l.txt:1:1: warning: w1\nl.txt:2:1: warning: w2\nl.txt:3:1: warning: w3\n");
}

// A control character in a source line or a message (an ESC that would
// recolour the terminal, a NUL) shows as its symbol.
TEST(StampaSegnalazioni, ControlsShowAsTheirSymbols) {
  constexpr char kRiga[] = "nome, \x1b[31mrosso\0\r\n";
  const std::string riga(kRiga, sizeof kRiga - 1);
  const testo_autore t{"c.txt", riga, riga};
  std::ostringstream err;
  stampa_segnalazioni({con_luogo(gravita::avviso, {"c.txt", 1, 7, 7}, "name \"\x1b[31m\"")}, {&t}, opzioni_stampa{},
                      err);
  EXPECT_EQ(err.str(),
            "c.txt:1:7: warning: name \"\xE2\x90\x9B[31m\"\n"
            "nome, \xE2\x90\x9B[31mrosso\xE2\x90\x80\n      ^\n");
}

// The one-line form the page lists and the commands print.
TEST(RigaGnu, EveryFormOfPlace) {
  segnalazione e = con_luogo(gravita::errore, {"s.txt", 4, 9, 12}, "meaning");
  e.codice = 16;
  EXPECT_EQ(riga_gnu(e), "s.txt:4:9: error: error 16: meaning");
  EXPECT_EQ(riga_gnu(con_luogo(gravita::avviso, {"s.txt", 4, 0, 0}, "m")), "s.txt:4: warning: m");
  EXPECT_EQ(riga_gnu(con_luogo(gravita::avviso, {"s.txt", 0, 0, 0}, "m")), "s.txt: warning: m");
  EXPECT_EQ(riga_gnu(con_luogo(gravita::nota, {"", 4, 9, 9}, "m")), "scenario_tool: note: m");
  EXPECT_EQ(riga_gnu(nota_segnalazione{{"l.txt", 2, 3, 5}, "n"}), "l.txt:2:3: note: n");
}

TEST(UsaColore, OnlyOnATerminalAndNeverWithNoColor) {
  EXPECT_TRUE(usa_colore(true, nullptr));
  EXPECT_TRUE(usa_colore(true, ""));
  EXPECT_FALSE(usa_colore(true, "1"));
  EXPECT_FALSE(usa_colore(false, nullptr));
}

}  // namespace
}  // namespace sb
