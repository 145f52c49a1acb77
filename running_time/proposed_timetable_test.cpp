// The proposed timetable over a hand-made run: each leg keeps the margin,
// stops add their dwell (at least the train's minimum), times round up and
// wrap past midnight, and a run that cannot be timed gives a reason.
#include "running_time/proposed_timetable.h"

#include <gtest/gtest.h>

#include <vector>

namespace sb {
namespace {

// A station of the hand-made run.
stazione_marcia stazione(bool ferma, bool con_orario, int32_t sosta = 0) {
  stazione_marcia st;
  st.ferma = ferma;
  st.con_orario = con_orario;
  st.sosta_s = sosta;
  st.partenza = st.arrivo = con_orario ? 6 * 3600 : 0;
  return st;
}

// An origin, a stop with a dwell of 20 s (the train's minimum is 30 s), a
// station passed, an untimed stop and the destination; the fastest run
// reaches them at 0, 100, 200, 300 and 500 s.
risultato_marcia corsa_a_mano() {
  risultato_marcia r;
  r.esito = esito_corsa::completa;
  r.modello.sosta_minima_s = 30;
  r.stazioni = {stazione(true, true), stazione(true, true, 20), stazione(false, true), stazione(true, false, 30),
                stazione(true, true)};
  r.arrivo_s = {0, 100, 200, 300, 500};
  r.partenza_s = {0, 130, 200, 330, 500};
  return r;
}

constexpr int32_t hms(int32_t h, int32_t m, int32_t s) { return (h * 60 + m) * 60 + s; }

TEST(ProponiOrario, EachLegKeepsTheMarginRoundedUp) {
  struct caso {
    const char* nome;
    richiesta_proposta q;
    std::vector<int32_t> proposti;  // the timed stations'
  };
  const caso casi[] = {
      // Origin 07:00:00. The stop: arrival 7:01:50, dwell 30 s, 07:02:20 up to 07:02:30. The
      // station passed: 70 s + 10 % after, 07:03:47 up to 07:04:00. The destination: 300 s
      // (the untimed stop's dwell in it) + 10 % lands on 07:09:30 exactly: kept.
      {"ten per cent, half minutes", {10, 30, hms(7, 0, 0)}, {hms(7, 0, 0), hms(7, 2, 30), hms(7, 4, 0), hms(7, 9, 30)}},
      {"no margin, whole seconds", {0, 1, hms(7, 0, 0)}, {hms(7, 0, 0), hms(7, 2, 10), hms(7, 3, 20), hms(7, 8, 20)}},
      // Past midnight the clock wraps.
      {"past midnight", {10, 30, hms(23, 59, 0)}, {hms(23, 59, 0), hms(0, 1, 30), hms(0, 3, 0), hms(0, 8, 30)}},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    const proposta_orario p = proponi_orario(corsa_a_mano(), c.q);
    ASSERT_EQ(p.errore, "");
    std::vector<int32_t> proposti;
    for (const orario_proposto& o : p.orari) proposti.push_back(o.proposto);
    EXPECT_EQ(proposti, c.proposti);
    for (const orario_proposto& o : p.orari) {
      if (o.con_tratta) {
        EXPECT_GE(o.margine_pct, c.q.margine_pct) << o.stazione;
      }
    }
  }
}

TEST(ProponiOrario, TheLegsAreTheTimetablesReading) {
  const proposta_orario p = proponi_orario(corsa_a_mano(), {10, 30, hms(7, 0, 0)});
  ASSERT_EQ(p.orari.size(), 4u);
  // The stop's arrival is its time less its own dwell (20 s): 2 min 10 s after the departure.
  EXPECT_EQ(p.orari[1].stazione, 1u);
  EXPECT_DOUBLE_EQ(p.orari[1].minimo_s, 100.0);
  EXPECT_EQ(p.orari[1].previsto_s, 130);
  EXPECT_DOUBLE_EQ(p.orari[1].margine_pct, 30.0);
  // The leg to the destination runs over the untimed stop.
  EXPECT_EQ(p.orari[3].stazione, 4u);
  EXPECT_DOUBLE_EQ(p.orari[3].minimo_s, 300.0);
  EXPECT_EQ(p.orari[3].previsto_s, 330);
  EXPECT_FALSE(p.orari[0].con_tratta);
  EXPECT_EQ(p.orari[0].attuale, hms(6, 0, 0));
}

TEST(ProponiOrario, NeverMidnightItselfWhichReadsAsNoTime) {
  risultato_marcia r = corsa_a_mano();
  r.stazioni.resize(2);
  r.stazioni[1] = stazione(false, true);
  r.arrivo_s = {0, 100};
  r.partenza_s = {0, 100};
  const proposta_orario p = proponi_orario(r, {0, 60, hms(23, 58, 20)});
  ASSERT_EQ(p.orari.size(), 2u);
  EXPECT_EQ(p.orari[1].proposto, hms(0, 1, 0));
}

TEST(ProponiOrario, NoProposalWithoutAWholeRun) {
  risultato_marcia r = corsa_a_mano();
  r.esito = esito_corsa::ferma;
  r.arresto = 5500;
  EXPECT_EQ(proponi_orario(r, {}).errore, "the train cannot go on past 5500 m");
  r.esito = esito_corsa::senza_corsa;
  EXPECT_EQ(proponi_orario(r, {}).errore, "the service has fewer than two stations");
  r.esito = esito_corsa::fuori_ordine;
  EXPECT_EQ(proponi_orario(r, {}).errore, "the stations do not follow each other along the route");
}

}  // namespace
}  // namespace sb
