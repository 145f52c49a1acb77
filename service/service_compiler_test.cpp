#include "service/service_compiler.h"

#include <string>

#include "test_support/service_fixture.h"

namespace sb {
namespace {

using prova::c;

// The general values of entries 84 and 86.
struct generali {
  int32_t massa = 0;    // 84 inizio
  int32_t vetture = 0;  // 84 posizione
  int16_t sabbia = 0;   // 86 param_1
  int16_t ore = 0;      // 86 param_3
  int16_t minuti = 0;   // 86 param_4
  int16_t secondi = 0;  // 86 param_5
};

struct caso {
  const char* nome;
  std::string testo;  // the whole text
  prova::esito_atteso esito;
  generali valori;
  prova::celle_attese celle;
  prova::celle_attese prima = {};  // cells set before the phase
};

const caso kCasi[] = {
    {"general values",
     prova::testo("percentuale massa frenata, 135\r\nnumero vetture, 9\r\nsabbia, 40\r\n"
                  "orologio,    18              39            30 \r\n"),
     {}, {135, 9, 40, 18, 39, 30}, {}},
    {"clock values separated by commas", prova::testo("orologio, 18, 39, 30\r\n"), {}, {0, 0, 0, 18, 39, 30}, {}},
    {"a later row overwrites an earlier one", prova::testo("sabbia, 40\r\nsabbia, 12\r\n"), {}, {0, 0, 12}, {}},
    {"keywords in capitals", "note\r\n[GENERALE]\r\nNUMERO VETTURE, 7\r\nSabbia, 8\r\n[fine]\r\n", {}, {0, 7, 8}, {}},
    {"keywords in the preamble do nothing",
     "Prima fermata: vetture 12, sabbia\r\nsabbia, 3\r\n[generale]\r\nsabbia, 5\r\n[fine]\r\n", {}, {0, 0, 5}, {}},
    {"without \"[generale]\" nothing is recognised", "sabbia, 5\r\nnumero vetture, 3\r\n[fine]\r\n", {}, {}, {}},
    {"an empty text", "", {}, {}, {}},
    {"a text that ends right after \"[generale]\"", "note\r\n[generale]\r\n\r\n", {}, {}, {}},
    {"plural headings match no keyword",
     prova::testo("[aderenze]\r\n[vel_limite]\r\n[stazioni]\r\n[rallentamenti]\r\n[segnali]\r\n[codici]\r\n"), {}, {},
     {}},
    {"two keywords in one field run in table order", prova::testo("sabbia e numero vetture, 5, 6\r\n"), {},
     {0, 5, 6}, {}},
    {"a hyphen makes a comment: the next field takes its place",
     prova::testo("- velocita, 100, 50\r\n- nota, sabbia, 7\r\n"), {}, {0, 0, 7}, {}},
    {"the third field is tested whatever it holds", prova::testo("-- nota, - altra, sabbia - tre, 6\r\n"), {},
     {0, 0, 6}, {}},
    {"a keyword as the last field of the text is never tested", "[generale]\r\nsabbia, 5\r\nsabbia\r\n\r\n", {},
     {0, 0, 5}, {}},
    {"a value that is not a number is code 25", prova::testo("sabbia, 4\r\nnumero vetture, nove\r\n"),
     {esito_fase_servizio::lettura_fallita, 25, 0, 4}, {0, 0, 4}, {}},
    {"a value cut short by the end of the text is code 25, at the row", "[generale]\r\norologio, 10, 20\r\n",
     {esito_fase_servizio::lettura_fallita, 25, 0, 2}, {0, 0, 0, 10, 20}, {}},
    {"a keyword whose value is the closing heading is code 25, at the row", prova::testo("sabbia\r\n"),
     {esito_fase_servizio::lettura_fallita, 25, 0, 3}, {}, {}},
    {"sand beyond 16 bits is code 25", prova::testo("sabbia, 40000\r\n"),
     {esito_fase_servizio::lettura_fallita, 25, 0, 3}, {}, {}},
    {"a code-reduction point with a value", prova::testo("abbattimento, 1000, 180\r\n"), {}, {}, {{20, c(12, 180)}}},
    {"without a value", prova::testo("abbattimento, 1000, 0\r\nabbattimento, 2000, -5\r\n"), {}, {},
     {{20, c(13)}, {40, c(13)}}},
    {"its value keeps the low 16 bits", prova::testo("abbattimento, 1025, 70000\r\n"), {}, {},
     {{20, c(12, 4464)}}},
    {"the montagna filler counts as free", prova::testo("abbattimento, 1000, 180\r\n"), {}, {},
     {{20, c(12, 180)}}, {{20, c(11)}}},
    {"a taken cell is code 7", prova::testo("sabbia, 1\r\nabbattimento, 1000, 180\r\nsabbia, 2\r\n"),
     {esito_fase_servizio::fermata, 7, 1000, 4}, {0, 0, 1}, {{20, c(6, 1212)}}, {{20, c(6, 1212)}}},
    {"a cell before cell 0 is code 15", prova::testo("abbattimento, -100, 180\r\nsabbia, 2\r\n"),
     {esito_fase_servizio::completa, 15, -100, 3}, {}, {}},
    {"a position whose margin overflows 32 bits is code 25", prova::testo("abbattimento, 2147483600, 1\r\n"),
     {esito_fase_servizio::lettura_fallita, 25, 0, 3}, {}, {}},
};

TEST(ServiceCompiler, GoldenTable) {
  for (const caso& k : kCasi) {
    SCOPED_TRACE(k.nome);
    scenario s = prova::con_celle(340);
    for (const auto& [i, x] : k.prima) s.celle[static_cast<size_t>(i)] = x;
    esito_fase_servizio fine = fase_servizio(s, k.testo);
    prova::verifica_esito(s, fine, k.esito);
    prova::verifica_celle(s, k.celle);
    EXPECT_EQ(s.tabella[kOggettoGenerale].inizio, k.valori.massa);
    EXPECT_EQ(s.tabella[kOggettoGenerale].posizione, k.valori.vetture);
    EXPECT_EQ(s.tabella[kOggettoTreno].param_1, k.valori.sabbia);
    EXPECT_EQ(s.tabella[kOggettoTreno].param_3, k.valori.ore);
    EXPECT_EQ(s.tabella[kOggettoTreno].param_4, k.valori.minuti);
    EXPECT_EQ(s.tabella[kOggettoTreno].param_5, k.valori.secondi);
  }
}

// "velocit" is the recognition text: capitals and an accented ending match.
TEST(ServiceCompiler, SpeedKeyword) {
  scenario s = prova::con_celle(340);
  EXPECT_EQ(fase_servizio(s, prova::testo("Velocit\xE0, 0, 50\r\nVELOCITA, 1000, 60\r\n")),
            esito_fase_servizio::completa);
  EXPECT_EQ(s.celle[0].velocita, 10);
  EXPECT_EQ(s.celle[19].velocita, 10);
  EXPECT_EQ(s.celle[20].velocita, 12);
}

// The chainage entries left by the line must start and end on 50 m.
TEST(ServiceCompiler, ChainageCheck) {
  struct caso_progressiva {
    const char* nome;
    int voce;
    int32_t inizio, fine, posizione;
    int32_t codice_linea;  // code pending from the line phase
    const char* corpo;
    prova::esito_atteso esito;
  };
  const caso_progressiva casi[] = {
      {"multiples of 50 pass; the third value is free", 81, 1000, 2050, 7, 0, "", {}},
      {"a start off the grid", 82, 1025, 2000, 0, 0, "", {esito_fase_servizio::completa, 2, 0, 0}},
      {"an end off the grid", 83, 1000, 2010, 0, 0, "", {esito_fase_servizio::completa, 2, 0, 0}},
      {"code 2 replaces a code 15 of the read", 81, 10, 0, 0, 0, "velocita, 99999, 5\r\n",
       {esito_fase_servizio::completa, 2, 99999, 0}},
      {"a stop skips the check", 81, 10, 0, 0, 0, "abbattimento, 0, 1\r\nabbattimento, 0, 1\r\n",
       {esito_fase_servizio::fermata, 7, 0, 4}},
  };
  for (const caso_progressiva& k : casi) {
    SCOPED_TRACE(k.nome);
    scenario s = prova::con_celle(340);
    oggetto& o = s.tabella[static_cast<size_t>(k.voce)];
    o.inizio = k.inizio;
    o.fine = k.fine;
    o.posizione = k.posizione;
    prova::verifica_esito(s, fase_servizio(s, prova::testo(k.corpo)), k.esito);
  }
}

// Code 2 also replaces a code 15 left by the line phase.
TEST(ServiceCompiler, ChainageReplacesLineCode) {
  scenario s = prova::con_celle(340);
  registra_codice(s, 15, origine_errore::testo_linea, 0, 99901);
  s.tabella[83].fine = 75;
  EXPECT_EQ(fase_servizio(s, prova::testo("sabbia, 1\r\n")), esito_fase_servizio::completa);
  EXPECT_EQ(s.codice_errore, 2);
  EXPECT_EQ(s.posizione_errore, 99901);
  EXPECT_EQ(ultimo_codice(s).origine, origine_errore::testo_linea);  // the chainage values come from the line
}

// A code 15 left by the line phase stays when the service adds nothing.
TEST(ServiceCompiler, LineCodeStands) {
  scenario s = prova::con_celle(340);
  registra_codice(s, 15, origine_errore::testo_linea, 40, 99901);
  EXPECT_EQ(fase_servizio(s, prova::testo("sabbia, 1\r\nabbattimento, 1000, 0\r\n")), esito_fase_servizio::completa);
  EXPECT_EQ(s.codice_errore, 15);
  EXPECT_EQ(s.posizione_errore, 99901);
  EXPECT_EQ(ultimo_codice(s).origine, origine_errore::testo_linea);
  EXPECT_EQ(ultimo_codice(s).riga, 40);
  EXPECT_EQ(s.celle[20].tipo, 13);
}

// Without cells every row is refused and nothing is touched.
TEST(ServiceCompiler, NoCells) {
  const char* corpi[] = {
      "velocita, 0, 50\r\n",
      "aderenza, 0, 50\r\n",
      "velocita, -200, 50\r\naderenza, -200, 9\r\n",
      "segnale, -400, 0,0,0,0,0,0,0,0,0,0\r\n",
      "rallentamento, -400, 60, 10, 0, 0, 0\r\n",
      "abbattimento, -400, 0\r\n",
      "stazione, -1000, 4, 500, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, Alfa\r\n",
      "sabbia, 3\r\n",
  };
  for (const char* corpo : corpi) {
    SCOPED_TRACE(corpo);
    scenario s;
    (void)fase_servizio(s, prova::testo(corpo));
    EXPECT_TRUE(s.celle.empty());
  }
}

}  // namespace
}  // namespace sb
