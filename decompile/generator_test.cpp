// A few hundred generated scenarios compile, decompile and compile again to
// the same bytes.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "compile/compile.h"
#include "decompile/decompile.h"
#include "decompile/scenario_generator.h"
#include "scenario/plan_encoding.h"

namespace sb {
namespace {

// What the decompiled rows covered over all scenarios.
struct copertura {
  std::set<std::pair<int, bool>> curve;  // digit, "s" direction
  std::set<int> tipi_stazione;
  std::set<std::pair<int, int>> lati_segnale;  // sx, dx
  std::set<int> tempi;                          // 0, 101, or above 101
  int rallentamenti = 0, abbattimenti = 0, montagne = 0, indicatori = 0, cartelli = 0;
};

void conta(const esito_decompile& e, copertura& c) {
  for (const riga_curva& r : e.linea.curve) c.curve.insert({r.cifra, r.verso_s});
  for (const riga_stazione& s : e.servizio.stazioni) c.tipi_stazione.insert(s.tipo);
  for (const riga_segnale& s : e.servizio.segnali) {
    c.lati_segnale.insert({s.v.sx, s.v.dx});
    c.tempi.insert(s.v.tempo > 101 ? 102 : s.v.tempo);
  }
  c.rallentamenti += static_cast<int>(e.servizio.rallentamenti.size());
  c.abbattimenti += static_cast<int>(e.servizio.abbattimenti.size());
  c.montagne += static_cast<int>(e.linea.montagne.size());
  c.indicatori += static_cast<int>(e.linea.indicatori.size());
  c.cartelli += static_cast<int>(e.linea.cartelli.size());
}

TEST(Generati, EveryGeneratedScenarioComesBackToTheSameBytes) {
  copertura c;
  int validi = 0;
  for (uint32_t seme = 1; seme <= 300; ++seme) {
    const prova::testi_generati t = prova::generatore(seme).genera();
    const bool con_griglia = seme % 3 == 0;
    const risultato_compile k = compila({t.linea, t.servizio, "VALMORA", "2201", con_griglia ? 1 : 0});
    if (k.fine != fine_compile::completata || k.s.codice_errore != 0) continue;
    ++validi;
    ingresso_decompile in{k.s.tabella, k.s.celle, punti_griglia(k.s.griglia), con_griglia, "VALMORA", "2201", {}};
    const esito_decompile e = decompila(in);
    ASSERT_EQ(e.guasto, "") << "seed " << seme;
    EXPECT_EQ(e.codice_ricompilato, 0) << "seed " << seme;
    EXPECT_TRUE(e.differenze.empty()) << "seed " << seme << ": " << e.differenze.size() << " differences, first: "
                                      << e.differenze.front().file << ": " << e.differenze.front().testo << "\n"
                                      << t.linea << t.servizio << "---\n" << e.testo_linea << e.testo_servizio;
    conta(e, c);
  }
  EXPECT_GE(validi, 250);
  EXPECT_EQ(c.curve.size(), 12u);
  for (int tipo = 0; tipo <= 40; ++tipo) EXPECT_EQ(c.tipi_stazione.count(tipo), 1u) << "station type " << tipo;
  EXPECT_EQ(c.lati_segnale.size(), 9u);
  EXPECT_EQ(c.tempi, (std::set<int>{0, 101, 102}));
  EXPECT_GT(c.rallentamenti, 0);
  EXPECT_GT(c.abbattimenti, 0);
  EXPECT_GT(c.montagne, 0);
  EXPECT_GT(c.indicatori, 0);
  EXPECT_GT(c.cartelli, 0);
}

}  // namespace
}  // namespace sb
