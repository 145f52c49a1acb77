#include "builtin/service_content.h"

#include <gtest/gtest.h>

#include "test_support/written_lines.h"

#include <map>
#include <set>
#include <string>
#include <vector>

#include "builtin/run_timetable.h"
#include "text_input/field_reader.h"
#include "text_input/keywords.h"

namespace sb {
namespace {

std::vector<std::string> righe() { return righe_scritte(righe_treno()); }

// The numbers of a row after its keyword, read with the field reader.
std::vector<int32_t> numeri(const std::string& riga, int quanti) {
  lettore_campi lettore(riga);
  std::string chiave;
  EXPECT_EQ(lettore.leggi_testo(chiave), esito_lettura::letto);
  std::vector<int32_t> out;
  for (int i = 0; i < quanti; ++i) {
    int32_t v = 0;
    EXPECT_EQ(lettore.leggi_numero(v), esito_lettura::letto) << riga;
    out.push_back(v);
  }
  return out;
}

// The widths of the comma-separated pieces after the keyword.
std::vector<size_t> larghezze(const std::string& riga) {
  std::vector<size_t> out;
  size_t inizio = riga.find(',') + 1;
  for (size_t fine; (fine = riga.find(',', inizio)) != std::string::npos; inizio = fine + 1) {
    out.push_back(fine - inizio);
  }
  out.push_back(riga.size() - inizio);
  return out;
}

std::vector<std::string> righe_di(const std::vector<std::string>& r, size_t prima, size_t ultima) {
  return {r.begin() + static_cast<long>(prima - 1), r.begin() + static_cast<long>(ultima)};
}

TEST(ServiceContent, StructureAndFixedRows) {
  const auto r = righe();
  ASSERT_EQ(r.size(), 120u);
  const std::map<size_t, std::string> fisse = {
      {11, "[generale]"},
      {12, "numero vetture,    4"},
      {13, "percentuale massa frenata,    135"},
      {14, "sabbia,    200"},
      {15, "orologio,    18              39            30 "},
      {16, "[aderenze]"},
      {17, "aderenza,   0,    100"},
      {21, "[vel_limite]"},
      {22, "velocita,       0,    85"},
      {23, "velocita,    4500,    50"},
      {24, "velocita,    6250,    85"},
      {38, "[stazioni]"},
      {39, "stazione,       0,  4,  500,  1, 0, 0,  4,1,0,  2,1,1,    1,  18,40, 0, Borvale Centrale"},
      {69, "[rallentamenti]"},
      {70, "rallentamento,   86400,    50,  300, 0,  1,  0"},
      {71, "[segnali]"},
      {72, "segnale,    1300,   2, 2, 4,  1, 0,    0,  0,0,0, 255"},
      {119, "[codici]"},
      {120, "[fine]"},
  };
  for (const auto& [n, testo] : fisse) EXPECT_EQ(r.at(n - 1), testo) << "line " << n;
  const std::set<std::string> tutte(r.begin(), r.end());
  EXPECT_TRUE(tutte.count("velocita,   22000,   105"));
  EXPECT_TRUE(tutte.count("segnale,   26100,   2, 2, 3,  1, 1,    2,  2,1,1, 0"));
}

TEST(ServiceContent, PreambleIsCodePage1252ProseWithoutKeywordsForTheReader) {
  const auto r = righe();
  for (size_t n = 1; n <= 10; ++n) {
    const bool vuota = n == 2 || n == 5 || n == 9;
    EXPECT_EQ(r[n - 1].empty(), vuota) << n;
    EXPECT_FALSE(contiene_nc(r[n - 1], "[generale]")) << n;
  }
  std::string preambolo;
  for (size_t n = 0; n < 10; ++n) preambolo += r[n];
  EXPECT_NE(preambolo.find("\xE8"), std::string::npos);
  EXPECT_NE(preambolo.find("realt\xE0"), std::string::npos);
  EXPECT_EQ(preambolo.find('\xC3'), std::string::npos);
  EXPECT_EQ(preambolo.find('"'), std::string::npos);
}

TEST(ServiceContent, ColumnWidthsOfEveryRowKind) {
  const auto r = righe();
  const std::vector<size_t> vel = {8, 6};
  for (const auto& riga : righe_di(r, 22, 37)) EXPECT_EQ(larghezze(riga), vel) << riga;
  for (const auto& riga : righe_di(r, 18, 20)) EXPECT_EQ(larghezze(riga), vel) << riga;
  const std::vector<size_t> stazione = {8, 3, 5, 3, 2, 2, 3, 1, 1, 3, 1, 1, 5, 4, 2, 2};
  for (const auto& riga : righe_di(r, 39, 68)) {
    auto l = larghezze(riga);
    l.pop_back();  // the name
    EXPECT_EQ(l, stazione) << riga;
    EXPECT_EQ(riga[riga.rfind(',') + 1], ' ');
  }
  const std::vector<size_t> segnale = {8, 4, 2, 2, 3, 2, 5, 3, 1, 1};
  for (const auto& riga : righe_di(r, 72, 118)) {
    auto l = larghezze(riga);
    l.pop_back();  // the tempo, unpadded after one blank
    EXPECT_EQ(l, segnale) << riga;
  }
  EXPECT_EQ(larghezze(r[69]), (std::vector<size_t>{8, 6, 5, 2, 3, 3}));
}

TEST(ServiceContent, StationsTheirTypesOptionsAndTimes) {
  const auto r = righe();
  std::map<int32_t, int> tipi, lunghezze, opzione_3;
  int senza_ora = 0;
  for (const auto& riga : righe_di(r, 39, 68)) {
    const auto v = numeri(riga, 16);
    EXPECT_EQ(v[0] % 50, 0);
    ++tipi[v[1]];
    ++lunghezze[v[2]];
    ++opzione_3[v[12]];
    if (v[13] == 0 && v[14] == 0 && v[15] == 0) ++senza_ora;
  }
  EXPECT_EQ(tipi, (std::map<int32_t, int>{{4, 4}, {12, 11}, {22, 1}, {23, 1}, {26, 3}, {27, 7}, {28, 3}}));
  EXPECT_EQ(lunghezze, (std::map<int32_t, int>{{300, 16}, {400, 13}, {500, 1}}));
  EXPECT_EQ(opzione_3, (std::map<int32_t, int>{{0, 6}, {1, 3}, {30, 12}, {60, 9}}));
  EXPECT_EQ(senza_ora, 5);
  EXPECT_EQ(numeri(r[67], 16)[0], 87900);
  const auto ultima = numeri(r[67], 16);
  EXPECT_EQ(std::vector<int32_t>(ultima.begin() + 13, ultima.end()), (std::vector<int32_t>{20, 25, 30}));
  int segnaposto = 0;
  for (const auto& riga : righe_di(r, 39, 68)) segnaposto += riga.ends_with(", Nome Stazione");
  EXPECT_EQ(segnaposto, 1);
  // Options and parameters by station kind.
  for (size_t k = 0; k < kStazioniCorsa.size(); ++k) {
    const auto v = numeri(r[38 + k], 16);
    const std::vector<int32_t> opzioni(v.begin() + 3, v.begin() + 6);
    std::vector<int32_t> attese = {0, 0, 0};
    if (k == 0) attese = {1, 0, 0};
    if (k == 2) attese = {0, 0, 1};
    EXPECT_EQ(opzioni, attese) << k;
  }
}

TEST(ServiceContent, SignalsSpeedsAndAdhesion) {
  const auto r = righe();
  std::map<int32_t, int> sx, dx, rapp, tempo;
  int32_t precedente = 0;
  for (const auto& riga : righe_di(r, 72, 118)) {
    const auto v = numeri(riga, 11);
    EXPECT_GT(v[0], precedente);
    precedente = v[0];
    ++sx[v[1]];
    ++rapp[v[5]];
    ++dx[v[6]];
    ++tempo[v[10]];
  }
  EXPECT_EQ(precedente, 86900);
  EXPECT_EQ(sx, (std::map<int32_t, int>{{1, 3}, {2, 44}}));
  EXPECT_EQ(dx, (std::map<int32_t, int>{{0, 24}, {2, 23}}));
  EXPECT_EQ(rapp, (std::map<int32_t, int>{{0, 46}, {1, 1}}));
  EXPECT_EQ(tempo, (std::map<int32_t, int>{{0, 43}, {142, 1}, {230, 2}, {255, 1}}));
  EXPECT_EQ(numeri(r[117], 11)[10], 142);

  std::set<int32_t> velocita;
  for (const auto& riga : righe_di(r, 22, 37)) velocita.insert(numeri(riga, 2)[1]);
  EXPECT_EQ(velocita, (std::set<int32_t>{50, 75, 85, 90, 95, 105}));
  EXPECT_EQ(numeri(r[36], 2)[0], 81200);
  std::vector<int32_t> aderenze;
  for (const auto& riga : righe_di(r, 17, 20)) aderenze.push_back(numeri(riga, 2)[1]);
  EXPECT_EQ(aderenze, (std::vector<int32_t>{100, 85, 73, 100}));
}

}  // namespace
}  // namespace sb
