#include "running_time/running_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "builtin/builtin_scenario.h"
#include "builtin/line_content.h"
#include "builtin/service_content.h"
#include "documents/line_list.h"
#include "running_time/train_profile_reader.h"
#include "test_support/document_scenario.h"

namespace sb {

// A finding as a failed test shows it.
void PrintTo(const rilievo_orario& x, std::ostream* os) {
  *os << "{" << x.tratta << ", " << (x.livello == gravita::errore ? "errore" : "avviso") << ", " << x.voce_da << ", "
      << x.voce_a << ", \"" << x.messaggio << "\"}";
}

namespace {

// The built-in scenario compiled in memory from its two texts, as the builder writes them.
scenario incorporato() {
  return prova::compila_in_memoria(componi_documento(righe_linea()), componi_documento(righe_treno()), kNomeLinea,
                                   kNumeroTreno);
}

// A leg as the golden table holds it.
struct tratta_attesa {
  const char* da;
  const char* a;
  int64_t distanza_m;
  int32_t previsto_s;
  double minimo_s;  // to a tenth of a second
};

TEST(TempiDiMarcia, BuiltInScenarioLegsWithTheDefaultTrain) {
  const std::vector<tratta_attesa> attese = {
      {"Borvale Centrale", "Borvale San Gaudo", 2700, 180, 154.1},
      {"Borvale San Gaudo", "Borvale Porta Ferrea", 1600, 150, 109.6},
      {"Borvale Porta Ferrea", "Ponte Lavisa", 1250, 150, 113.1},
      {"Ponte Lavisa", "Colle Ardito", 1350, 150, 113.0},
      {"Colle Ardito", "Vigna Sorba", 1600, 150, 108.7},
      {"Vigna Sorba", "Rivasecca", 3400, 210, 183.9},
      {"Rivasecca", "Casal Fiorito", 1450, 150, 99.0},
      {"Casal Fiorito", "Torre Arsiccia", 1400, 120, 74.2},
      {"Torre Arsiccia", "Prato Giuncale", 1350, 90, 79.0},
      {"Prato Giuncale", "Castel Brusato", 1450, 150, 103.7},
      {"Castel Brusato", "San Viteno", 1350, 120, 99.6},
      {"San Viteno", "Ca' Morsella", 2000, 150, 124.6},
      {"Ca' Morsella", "Villa Travaglio", 2350, 150, 135.4},
      {"Villa Travaglio", "Quercedo", 1300, 90, 65.9},
      {"Quercedo", "Ronco Scuro", 2050, 120, 99.5},
      {"Ronco Scuro", "Fontanigra", 2750, 180, 122.9},
      {"Fontanigra", "Mulinara", 7250, 450, 317.8},
      {"Mulinara", "Sorgiano", 3750, 240, 201.2},
      {"Sorgiano", "Val Morena", 10000, 600, 406.2},
      {"Val Morena", "Trasmonte Scalo", 5000, 300, 224.7},
      {"Trasmonte Scalo", "Lagoscuro", 10000, 540, 405.5},
      {"Lagoscuro", "Altavilla Fosca", 11000, 540, 454.2},
      {"Altavilla Fosca", "Pieve Crovara", 5800, 360, 273.0},
      {"Pieve Crovara", "Borgo Vallestre", 5700, 450, 320.7},
  };
  const risultato_marcia r = tempi_di_marcia(incorporato(), profilo_treno{});
  ASSERT_EQ(r.esito, esito_corsa::completa);
  EXPECT_EQ(r.vetture, 4);
  ASSERT_EQ(r.tratte.size(), attese.size());
  for (size_t k = 0; k < attese.size(); ++k) {
    const tratta_orario& t = r.tratte[k];
    EXPECT_EQ(r.stazioni[t.da].nome, attese[k].da) << k;
    EXPECT_EQ(r.stazioni[t.a].nome, attese[k].a) << k;
    EXPECT_EQ(t.distanza_m, attese[k].distanza_m) << attese[k].a;
    EXPECT_EQ(t.tempo_previsto_s, attese[k].previsto_s) << attese[k].a;
    EXPECT_NEAR(t.tempo_minimo_s, attese[k].minimo_s, 0.05) << attese[k].a;
    EXPECT_DOUBLE_EQ(t.margine_s, t.tempo_previsto_s - t.tempo_minimo_s) << attese[k].a;
  }
  // The timetable keeps at least the recovery margin everywhere.
  EXPECT_TRUE(rilievi_orario(r).empty());
}

TEST(TempiDiMarcia, BuiltInRunIsSampledAtEveryCellUnderItsLimit) {
  const risultato_marcia r = tempi_di_marcia(incorporato(), profilo_treno{});
  ASSERT_FALSE(r.campioni.empty());
  // From the origin's stop point (cell 4, 150 m) to the destination's.
  EXPECT_EQ(r.campioni.front().posizione, 150);
  EXPECT_EQ(r.campioni.back().posizione, r.stazioni.back().posizione);
  EXPECT_EQ(r.campioni.size(), static_cast<size_t>((r.stazioni.back().posizione - 150) / 50 + 1));
  for (size_t i = 0; i < r.campioni.size(); ++i) {
    const campione_cella& c = r.campioni[i];
    EXPECT_EQ((c.cella - 1) * 50, c.posizione);  // cell i begins at (i - 1) x 50 m
    EXPECT_EQ(c.progressiva, c.posizione);  // the line has no kilometric progression
    EXPECT_LE(c.velocita_kmh, c.limite_kmh + 1e-9) << c.posizione;
    if (i > 0) {
      EXPECT_GE(c.tempo_s, r.campioni[i - 1].tempo_s) << c.posizione;
    }
  }
  // The slowdown at 86 400 m (50 km/h for 300 m) is held until the four cars are past its end.
  EXPECT_DOUBLE_EQ(r.campioni[86750 / 50 - 3].limite_kmh, 50.0);
  EXPECT_DOUBLE_EQ(r.campioni[86800 / 50 - 3].limite_kmh, 75.0);
  // The run arrives at the destination when the last leg says.
  EXPECT_DOUBLE_EQ(r.campioni.back().tempo_s, r.arrivo_s.back());
}

// One change to the small scenario's service and what check is told.
struct caso_rilievi {
  const char* nome;
  std::vector<std::pair<size_t, std::string>> servizio;
  std::vector<rilievo_orario> attesi;
};

TEST(TempiDiMarcia, FindingsNameTheLegAndItsStations) {
  // The small scenario's own timetable is too tight from Case Rosse (passed
  // at 60 km/h) to the stop at San Prospero: 4 min 30 s for 5 km.
  const rilievo_orario case_rosse{2, gravita::errore, 3, 5,
                                  "from Case Rosse to San Prospero (5.0 km between the stations' positions) the timetable gives 4 min 30 s; the "
                                  "train needs at least 4 min 54 s"};
  const std::vector<caso_rilievi> casi = {
      {"as it is", {}, {case_rosse}},
      {"one minute for the first stop",
       {{15, "stazione,  2500, 12, 300, 0, 0, 0, 1,1,0, 4,1,1, 30, 7, 1, 30, Molino Sereno"}},
       {{0, gravita::errore, 1, 2,
         "from Pontevecchio Alto to Molino Sereno (2.5 km between the stations' positions) the timetable gives 1 min; the train needs at least 2 "
         "min 28 s"},
        case_rosse}},
      {"a last leg below the recovery margin",
       {{19, "stazione,  15000, 4, 400, 0, 0, 0, 1,1,0, 2,1,1, 60, 7, 19, 30, Valdirocca"}},
       {case_rosse,
        {3, gravita::avviso, 5, 6,
         "from San Prospero to Valdirocca (4.0 km between the stations' positions) the timetable gives 4 min 30 s and the fastest run takes 4 min "
         "28 s: a margin of 0.9 %, below the recovery margin of 3 %"}}},
      {"a speed limit of 0 km/h",
       {{11, "velocita,  5500,  0"}},
       {{1, gravita::errore, 2, 3,
         "between Molino Sereno and Case Rosse the train comes to a stand at 5.500 km and cannot go on: a speed "
         "limit of 0 km/h"}}},
      // Without effort from 5 km the train rolls on past Case Rosse and
      // stands on the climb after it.
      {"no adhesion from 5 km",
       {{7, "aderenza,  0,  100"}, {8, "aderenza,  5000,  0"}},
       {{2, gravita::errore, 3, 4,
         "between Case Rosse and Bivio Gessaia the train comes to a stand at 6.952 km and cannot go on: an adhesion "
         "of 0 %: the wheels take no effort"}}},
  };
  for (const caso_rilievi& k : casi) {
    const risultato_marcia r = tempi_di_marcia(prova::cornasco_con(k.servizio), profilo_treno{});
    EXPECT_EQ(rilievi_orario(r), k.attesi) << k.nome;
  }
}

TEST(TempiDiMarcia, LegsTheTrainCannotFinishHaveNoFastestTime) {
  const risultato_marcia r = tempi_di_marcia(prova::cornasco_con({{11, "velocita,  5500,  0"}}), profilo_treno{});
  ASSERT_EQ(r.esito, esito_corsa::ferma);
  EXPECT_EQ(r.arresto, 5500);
  ASSERT_EQ(r.tratte.size(), 4u);
  EXPECT_TRUE(std::isfinite(r.tratte[0].tempo_minimo_s));
  for (size_t k = 1; k < r.tratte.size(); ++k) EXPECT_TRUE(std::isinf(r.tratte[k].tempo_minimo_s)) << k;
}

// Hostile train profiles: a value at or next to 0 is refused where the
// profile is read; and the model, given it all the same, never keeps a time
// past a day, tells no negative or overflowed time, and says where the run
// stopped.
TEST(TempiDiMarcia, HostileProfilesGiveNoNegativeTime) {
  struct caso {
    const char* riga;
    void (*imposta)(profilo_treno& p);
  };
  const caso casi[] = {
      {"velocita massima, 0.0000000000000001\n", [](profilo_treno& p) { p.velocita_massima_kmh = 1e-16; }},
      {"frenatura di servizio, 1e-137\n", [](profilo_treno& p) { p.frenatura = 1e-137; }},
      {"frenatura di servizio, 0.000000001\n", [](profilo_treno& p) { p.frenatura = 1e-9; }},
      {"accelerazione di spunto, 0.0000000001\n", [](profilo_treno& p) { p.accelerazione_spunto = 1e-10; }},
      {"potenza per tonnellata, 0.00000001\n", [](profilo_treno& p) { p.potenza_tonnellata_kw = 1e-8; }},
      {"potenza, 0.000001\n", [](profilo_treno& p) { p.potenza_kw = 1e-6; }},
      {"massa, 0.0000001\n", [](profilo_treno& p) { p.massa_t = 1e-7; }},
      {"lunghezza, 0.0001\n", [](profilo_treno& p) { p.lunghezza_m = 1e-4; }},
  };
  const scenario s = incorporato();
  for (const caso& k : casi) {
    SCOPED_TRACE(k.riga);
    EXPECT_TRUE(leggi_profilo_treno(k.riga).con_errori());
    profilo_treno p;
    k.imposta(p);
    const risultato_marcia r = tempi_di_marcia(s, p);
    for (const tratta_orario& t : r.tratte) {
      if (std::isinf(t.tempo_minimo_s)) continue;
      EXPECT_GE(t.tempo_minimo_s, 0.0);
      EXPECT_LE(t.tempo_minimo_s, kTempoMassimoCorsa);
    }
    for (const campione_cella& c : r.campioni) EXPECT_LE(c.tempo_s, kTempoMassimoCorsa);
    for (const rilievo_orario& x : rilievi_orario(r)) EXPECT_EQ(x.messaggio.find("at least -"), std::string::npos);
  }
  // A top speed next to nothing: the run stops where it passes a day.
  profilo_treno lento;
  lento.velocita_massima_kmh = 1e-16;
  const risultato_marcia r = tempi_di_marcia(s, lento);
  EXPECT_EQ(r.esito, esito_corsa::ferma);
  EXPECT_EQ(r.causa, causa_arresto::oltre_un_giorno);
  const std::vector<rilievo_orario> rilievi = rilievi_orario(r);
  ASSERT_FALSE(rilievi.empty());
  EXPECT_EQ(rilievi.back().messaggio,
            "between Borvale Centrale and Borvale San Gaudo the run has taken more than a day at 0.151 km and is not "
            "followed further: the train profile makes the train too slow");
}

TEST(TempiDiMarcia, DurationsForAnAuthor) {
  const std::vector<std::pair<int64_t, std::string>> casi = {
      {0, "0 s"},         {45, "45 s"},           {60, "1 min"},         {112, "1 min 52 s"},
      {3600, "1 h"},      {3725, "1 h 2 min 5 s"}, {3605, "1 h 5 s"},     {-30, "-30 s"},
      {-90, "-1 min 30 s"},
  };
  for (const auto& [secondi, testo] : casi) EXPECT_EQ(durata_testo(secondi), testo) << secondi;
}

}  // namespace
}  // namespace sb
