#include "compile/compile.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "builtin/builtin_scenario.h"
#include "builtin/line_content.h"
#include "builtin/service_content.h"
#include "documents/line_list.h"
#include "scenario/error_codes.h"
#include "test_support/file_bytes.h"
#include "test_support/sample_scenario.h"

namespace sb {
namespace {

// The built-in scenario's request over its two texts as the builder writes them.
struct scenario_incorporato {
  std::string linea = componi_documento(righe_linea());
  std::string servizio = componi_documento(righe_treno());

  richiesta_compile richiesta(int32_t flag) const {
    richiesta_compile r;
    r.testo_linea = linea;
    r.testo_servizio = servizio;
    r.nome_linea = kNomeLinea;
    r.numero_treno = kNumeroTreno;
    r.flag_griglia = flag;
    return r;
  }
};

// A checked-in expected file of the built-in scenario.
std::string atteso(const std::string& nome) {
  return prova::leggi(std::string(SB_SOURCE_DIR) + "/compile/testdata/" + nome);
}

// Where two byte strings first differ, for a message a person can act on.
std::string prima_differenza(std::string_view a, std::string_view b) {
  size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  if (i == a.size() && i == b.size()) return "equal";
  return "first difference at byte " + std::to_string(i) + " (sizes " + std::to_string(a.size()) + " and " +
         std::to_string(b.size()) + ")";
}

TEST(Compile, BuiltInScenarioGivesTheCheckedInFilesByteForByte) {
  const risultato_compile r = compila(scenario_incorporato{}.richiesta(1));
  ASSERT_EQ(r.fine, fine_compile::completata);
  EXPECT_EQ(r.s.codice_errore, kNessunErrore);
  EXPECT_TRUE(r.s.diagnostiche.empty());
  const file_binari f = codifica_binari(r.s);
  EXPECT_EQ(prima_differenza(f.griglia, atteso("BORVALE_linea.dat")), "equal");
  EXPECT_EQ(prima_differenza(f.tabella, atteso("BORVALE_40617.sim")), "equal");
  EXPECT_EQ(prima_differenza(f.celle, atteso("BORVALE_40617.dat")), "equal");
}

TEST(Compile, BuildFlagZeroGivesTheSameTableAndCellsAndNoPlan) {
  const risultato_compile r = compila(scenario_incorporato{}.richiesta(0));
  ASSERT_EQ(r.fine, fine_compile::completata);
  const file_binari f = codifica_binari(r.s);
  EXPECT_TRUE(f.griglia.empty());
  EXPECT_EQ(prima_differenza(f.tabella, atteso("BORVALE_40617.sim")), "equal");
  EXPECT_EQ(prima_differenza(f.celle, atteso("BORVALE_40617.dat")), "equal");
}

// A compile that leaves its texts absent or stops early: the code, where it
// points and how the compile ended.
TEST(Compile, AbsentTextsAndEarlyEnds) {
  const std::string linea = prova::righe_crlf(prova::linea_esempio());
  const std::string servizio = prova::righe_crlf(prova::servizio_esempio());
  struct caso {
    const char* nome;
    std::optional<std::string> linea, servizio;
    int32_t codice;
    origine_errore origine;
    fine_compile fine;
  };
  const caso casi[] = {
      {"no line", std::nullopt, servizio, kTestoLineaAssente, origine_errore::testo_linea, fine_compile::senza_celle},
      {"no service", linea, std::nullopt, kLetturaFallita, origine_errore::testo_servizio, fine_compile::completata},
      {"no general section", std::string("note\r\n"), servizio, kGeneraleAssente, origine_errore::testo_linea, fine_compile::senza_celle},
      {"both", linea, servizio, kNessunErrore, origine_errore::nessuna, fine_compile::completata},
  };
  for (const caso& c : casi) {
    richiesta_compile q;
    if (c.linea) q.testo_linea = *c.linea;
    if (c.servizio) q.testo_servizio = *c.servizio;
    q.nome_linea = "VALMORA";
    q.numero_treno = "2201";
    const risultato_compile r = compila(q);
    EXPECT_EQ(r.s.codice_errore, c.codice) << c.nome;
    EXPECT_EQ(ultimo_codice(r.s).origine, c.origine) << c.nome;
    EXPECT_EQ(r.fine, c.fine) << c.nome;
    EXPECT_EQ(r.s.tabella[kOggettoLinea].nome, "VALMORA") << c.nome;
  }
}

// The sample line with the service text given, compiled as VALMORA 2201.
risultato_compile compila_esempio(const std::vector<std::string>& servizio) {
  richiesta_compile q;
  const std::string linea = prova::righe_crlf(prova::linea_esempio());
  const std::string testo = prova::righe_crlf(servizio);
  q.testo_linea = linea;
  q.testo_servizio = testo;
  q.nome_linea = "VALMORA";
  q.numero_treno = "2201";
  return compila(q);
}

// Every code is kept in the order recorded, with its text, line and metre;
// the last is the one in codice_errore.
TEST(Compile, EveryRecordedCodeIsListedInOrder) {
  std::vector<std::string> servizio = prova::servizio_esempio();
  servizio[20] = "segnale, 500, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0";  // line 21: the indicator's cell
  const risultato_compile r = compila_esempio(servizio);
  ASSERT_EQ(r.s.diagnostiche.size(), 2u);
  const diagnostica& d = r.s.diagnostiche[0];
  EXPECT_EQ(d.codice, kSegnaleOccupato);
  EXPECT_EQ(d.origine, origine_errore::testo_servizio);
  EXPECT_EQ(d.riga, 21);
  EXPECT_EQ(d.colonna, 10);
  EXPECT_EQ(d.posizione, 500);
  EXPECT_EQ(r.s.posizione_errore, 500);
  // The note points at the line row that put the indicator in the cell.
  const diagnostica& nota = r.s.diagnostiche[1];
  EXPECT_EQ(nota.livello, gravita::nota);
  EXPECT_EQ(nota.luogo(), (luogo_testo{origine_errore::testo_linea, 26, 1}));
  EXPECT_EQ(ultimo_codice(r.s), d);
}

// A text with the same fault on every row costs the cap, not a diagnostic a
// row: of one kind the first hundred are kept, the rest counted.
TEST(Compile, WarningsPastTheCapAreCountedNotKept) {
  std::vector<std::string> servizio = prova::servizio_esempio();
  servizio.insert(servizio.begin() + 10, 250, "velocita,  0,  100");
  const risultato_compile r = compila_esempio(servizio);
  const genere_diagnostica fuori_ordine{gravita::avviso, 0, genere_avviso::fuori_ordine};
  size_t tenuti = 0;
  for (const diagnostica& d : r.s.diagnostiche) tenuti += genere_di(d) == fuori_ordine ? 1 : 0;
  EXPECT_EQ(tenuti, kDiagnosticheConservate);
  ASSERT_EQ(r.s.limite.omesse.size(), 1u);
  EXPECT_EQ(r.s.limite.omesse.at(fuori_ordine), 250 - kDiagnosticheConservate);
  EXPECT_EQ(r.s.codice_errore, kNessunErrore);
}

TEST(Compile, ARequestCompiledTwiceGivesTheSameRecords) {
  const scenario_incorporato b;
  const risultato_compile a = compila(b.richiesta(1));
  const risultato_compile c = compila(b.richiesta(1));
  EXPECT_EQ(codifica_binari(a.s).griglia, codifica_binari(c.s).griglia);
  EXPECT_EQ(a.s.tabella, c.s.tabella);
}

}  // namespace
}  // namespace sb
