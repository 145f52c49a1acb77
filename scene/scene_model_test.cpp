#include "scene/scene_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

#include "scenario/plan_encoding.h"
#include "scene/text_compile.h"
#include "test_support/borvale_texts.h"
#include "test_support/page_cases.h"

namespace sb {
namespace {

// The builder's own scenario compiled from its texts, once for the suite.
const scena& borvale() {
  static const scena s = [] {
    prova::cartella_prova dir;
    auto [linea, servizio] = prova::testi_borvale(dir);
    opzioni_compile o;
    o.linea = linea;
    o.servizio = servizio;
    testi_compilati t;
    std::ostringstream err;
    EXPECT_TRUE(compila_per_vista(o, t, err)) << err.str();
    EXPECT_EQ(err.str(), "");
    const griglia_linea punti = punti_griglia(t.r.s.griglia);
    fonti_scena f;
    f.griglia = &punti;
    f.tabella = &t.r.s.tabella;
    f.celle = &t.r.s.celle;
    f.testi = {{"l.txt", t.testi[0].byte}, {"s.txt", t.testi[1].byte}};
    return costruisci_scena(f);
  }();
  return s;
}

const elemento_scena* trova(const scena& s, genere_elemento g, int64_t punto) {
  for (const elemento_scena& e : s.elementi) {
    if (e.genere == g && e.punto == punto) return &e;
  }
  return nullptr;
}

std::string valore(const elemento_scena& e, const std::string& nome) {
  for (const valore_elemento& v : e.valori) {
    if (v.nome == nome) return v.valore;
  }
  return "(missing)";
}

// One item of the builder's scenario as the page shows it: its stretch, its
// keyword and label, some of its values, and the row it names.
struct atteso {
  genere_elemento genere;
  int64_t punto, da, a, avviso;
  const char* parola;
  const char* etichetta;
  std::vector<std::pair<const char*, const char*>> valori;
  int file;
  int32_t riga;
  const char* testo;
};

TEST(ScenaBorvale, ItemsCarryTheirRowsValuesAndPlaces) {
  const atteso attesi[] = {
      {genere_elemento::segnale, 3900, 3900, 3900, 3900, "segnale", "",
       {{"sx", "2"}, {"s1", "1"}, {"s2", "2"}, {"s3", "1"}, {"rapp", "0"}, {"dx", "2"}, {"d1", "2"}, {"d2", "1"},
        {"d3", "1"}, {"tempo", "0"}},
       1, 73, "segnale,    3900,   2, 1, 2,  1, 0,    2,  2,1,1, 0"},
      {genere_elemento::segnale, 1300, 1300, 1300, 1300, "segnale", "", {{"sx", "2"}, {"s1", "2"}, {"s2", "4"},
       {"s3", "1"}, {"dx", "0"}, {"tempo", "255"}}, 1, 72, "segnale,    1300,   2, 2, 4,  1, 0,    0,  0,0,0, 255"},
      {genere_elemento::stazione, 87900, 87700, 88100, 87700, "stazione", "Borgo Vallestre",
       {{"tipo", "4 (stops)"}, {"lunghezza", "400"}, {"opzione_3", "60"}, {"orario", "20:25:30"},
        {"arrival", "20:25:30"}, {"extent", "87700 - 88100 m"}},
       1, 68, "stazione,   87900,  4,  400,  0, 0, 0,  1,1,0,  2,1,1,   60,  20,25,30, Borgo Vallestre"},
      {genere_elemento::stazione, 14900, 14700, 15100, 14700, "stazione", "Torre Arsiccia",
       {{"tipo", "27 (passes)"}, {"passing", "19:04:30"}}, 1, 48, nullptr},
      {genere_elemento::rallentamento, 86400, 86400, 86700, 85000, "rallentamento", "50 km/h",
       {{"v", "50"}, {"l", "300"}, {"f_tt", "0"}, {"f_ta", "1"}, {"d_v", "0"}, {"warning point", "85200 m"}},
       1, 70, "rallentamento,   86400,    50,  300, 0,  1,  0"},
      {genere_elemento::cartello, 19950, 19950, 19950, 19950, "cartello_indicatore", "Cippo Km. 20+000",
       {{"didascalia", "(Cippo Km.)( 20+000  )"}, {"entry", "80"}}, 0, 128,
       "cartello_indicatore,  19950,   (Cippo Km.)( 20+000  )"},
      {genere_elemento::indicatore, 35400, 35400, 35400, 35400, "indicatori_vmax", "80/85/85",
       {{"vas", "80"}, {"vbs", "85"}, {"vcs", "85"}, {"strisces", "0"}, {"vad", "0"}, {"strisced", "0"}}, 0, 116,
       "indicatori_vmax,  35400,  80,  85,  85,  0,  ,  ,  ,  0"},
      {genere_elemento::montagna, 1800, 1800, 3800, 1800, "montagna", "montagna 1",
       {{"inizio", "1800"}, {"fine", "3800"}, {"tipo", "11"}}, 0, 104, "montagna,   1800,  3800,  11"},
      {genere_elemento::curva, 1450, 1450, 1550, 1450, "curvad6", "R 333",
       {{"lunghezza", "100"}, {"radius", "333 m"}, {"turns", "d"}}, 0, 11, "curvad6,  1450,  100"},
      {genere_elemento::curva, 1550, 1550, 1650, 1550, "curvas6", "R 333", {{"turns", "s"}}, 0, 12, nullptr},
  };
  for (const atteso& x : attesi) {
    const elemento_scena* e = trova(borvale(), x.genere, x.punto);
    ASSERT_NE(e, nullptr) << x.parola << " at " << x.punto;
    EXPECT_EQ(e->da, x.da) << x.parola << " at " << x.punto;
    EXPECT_EQ(e->a, x.a) << x.parola << " at " << x.punto;
    EXPECT_EQ(e->avviso, x.avviso) << x.parola << " at " << x.punto;
    EXPECT_EQ(e->parola, x.parola);
    EXPECT_EQ(e->etichetta, x.etichetta) << x.parola << " at " << x.punto;
    for (const auto& [nome, v] : x.valori) {
      EXPECT_EQ(valore(*e, nome), v) << x.parola << " at " << x.punto << " " << nome;
    }
    EXPECT_EQ(e->origine.file, x.file) << x.parola << " at " << x.punto;
    EXPECT_EQ(e->origine.riga, x.riga) << x.parola << " at " << x.punto;
    if (x.testo != nullptr) {
      EXPECT_EQ(e->origine.testo, x.testo);
    }
  }
}

// Every row of the texts comes back as an item, at its place and with its
// row, and nothing else does: the counts are those of the texts.
TEST(ScenaBorvale, EveryRowIsAnItemWithItsLine) {
  std::map<genere_elemento, int> conta;
  for (const elemento_scena& e : borvale().elementi) {
    ++conta[e.genere];
    if (e.genere == genere_elemento::abbattimento) {
      EXPECT_EQ(e.origine.file, -1);
      EXPECT_EQ(valore(e, "placed by"), "the signal aspect pass");
      EXPECT_EQ(valore(e, "valore"), "180");
      continue;
    }
    EXPECT_GE(e.origine.file, 0) << e.parola << " at " << e.punto;
  }
  EXPECT_EQ(conta[genere_elemento::stazione], 30);
  EXPECT_EQ(conta[genere_elemento::segnale], 47);
  EXPECT_EQ(conta[genere_elemento::cartello], 6);
  EXPECT_EQ(conta[genere_elemento::indicatore], 17);
  EXPECT_EQ(conta[genere_elemento::rallentamento], 1);
  EXPECT_EQ(conta[genere_elemento::montagna], 5);
  EXPECT_EQ(conta[genere_elemento::curva], 69);
  EXPECT_GT(conta[genere_elemento::abbattimento], 0);
  // A curve row's start, length and keyword are what its row says.
  for (const elemento_scena& e : borvale().elementi) {
    if (e.genere != genere_elemento::curva) continue;
    std::istringstream riga(e.origine.testo);
    std::string parola, inizio, lunghezza;
    std::getline(riga, parola, ',');
    riga >> inizio;
    riga.ignore(1);
    riga >> lunghezza;
    EXPECT_EQ(parola, e.parola) << e.origine.testo;
    EXPECT_EQ(inizio, std::to_string(e.da) + ",") << e.origine.testo;
    EXPECT_EQ(lunghezza, std::to_string(e.a - e.da)) << e.origine.testo;
  }
}

TEST(ScenaBorvale, ProfilesRunOverTheRouteWithTheirRows) {
  const scena& s = borvale();
  EXPECT_EQ(s.lunghezza, 93000);
  EXPECT_EQ(s.inizio, -250);  // the first station's extent
  EXPECT_EQ(s.nome_linea, "BORVALE");
  EXPECT_EQ(s.numero_treno, "40617");
  ASSERT_EQ(s.profili.size(), 3u);
  for (const profilo_scena& p : s.profili) {
    ASSERT_FALSE(p.tratti.empty());
    EXPECT_EQ(p.tratti.front().da, 0);
    EXPECT_EQ(p.tratti.back().a, 93000);
    for (size_t k = 1; k < p.tratti.size(); ++k) {
      EXPECT_EQ(p.tratti[k].da, p.tratti[k - 1].a);
      EXPECT_NE(p.tratti[k].valore, p.tratti[k - 1].valore);
    }
  }
  const tratto_profilo& v = s.profili[1].tratti[1];
  EXPECT_EQ(s.profili[1].genere, genere_profilo::velocita);
  EXPECT_EQ(v.da, 4500);
  EXPECT_EQ(v.a, 6250);
  EXPECT_EQ(v.valore, 50);
  EXPECT_EQ(v.origine.riga, 23);
  const tratto_profilo& g = s.profili[0].tratti.back();
  EXPECT_EQ(g.da, 86150);
  EXPECT_EQ(g.valore, -1);
  EXPECT_EQ(g.origine.testo, "pendenza,  86150,   -1");
}

// From the binary files alone: no rows, the route length from what is given.
TEST(Scena, RouteLengthFromWhateverIsGiven) {
  griglia_linea g;
  g.x.assign(3000 + 7001, {tipo_variante::reale, 0, 0.0});
  g.y = g.x;
  celle_percorso c(201);
  tabella_oggetti t{};
  t[kOggettoGenerale].fine = 2950;
  fonti_scena f;
  f.griglia = &g;
  EXPECT_EQ(costruisci_scena(f).lunghezza, 3000);
  f.griglia = nullptr;
  f.celle = &c;
  EXPECT_EQ(costruisci_scena(f).lunghezza, 3000);
  f.tabella = &t;
  EXPECT_EQ(costruisci_scena(f).lunghezza, 2950);
  EXPECT_EQ(costruisci_scena(fonti_scena{}).lunghezza, 0);
}

TEST(Scena, MetresForPeople) {
  const std::pair<int64_t, const char*> casi[] = {
      {0, "0"}, {950, "950"}, {3900, "3 900"}, {-250, "-250"}, {1000000, "1 000 000"}, {-12345, "-12 345"}};
  for (const auto& [m, t] : casi) EXPECT_EQ(metri_leggibili(m), t);
}

// The page writes metres with its own function; both follow one table.
TEST(Scena, MetresAsThePageWritesThem) {
  for (const prova::riga_caso& c : prova::casi_pagina("metres.txt")) {
    EXPECT_EQ(metri_leggibili(std::stoll(c.parole.at(0))), c.resto(1)) << c.dove("metres.txt");
  }
}

}  // namespace
}  // namespace sb
