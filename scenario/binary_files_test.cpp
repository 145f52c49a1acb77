#include "scenario/binary_files.h"

#include <gtest/gtest.h>

#include <string>

namespace sb {
namespace {

std::string bytes(std::initializer_list<int> b) {
  std::string out;
  for (int v : b) out.push_back(static_cast<char>(v));
  return out;
}

TEST(ObjectTable, ClearedTableIs87RecordsOf34Bytes) {
  tabella_oggetti t{};
  std::string file = codifica_tabella(t);
  ASSERT_EQ(file.size(), 87u * 34u);
  std::string cleared = std::string(14, '\0') + bytes({0, 0}) + std::string(18, '\0');
  EXPECT_EQ(file.substr(0, 34), cleared);
}

TEST(ObjectTable, TrainRecordIsItsExact39Bytes) {
  tabella_oggetti t{};
  oggetto& o = t[86];
  o.fine = 27000;
  o.posizione = 4;
  o.nome = "40617";
  o.param_1 = 200;
  o.param_3 = 18;
  o.param_4 = 39;
  o.param_5 = 30;
  std::string file = codifica_tabella(t);
  ASSERT_EQ(file.size(), 87u * 34u + 5u);
  std::string expected = bytes({0x00, 0x00, 0x00, 0x00, 0x00, 0x78, 0x69, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00,
                                0x00, 0x05, 0x00}) +
                         "40617" +
                         bytes({0xC8, 0x00, 0x00, 0x00, 0x12, 0x00, 0x27, 0x00, 0x1E, 0x00, 0x00, 0x00, 0x00, 0x00,
                                0x00, 0x00, 0x00, 0x00});
  EXPECT_EQ(file.substr(86 * 34), expected);
}

TEST(ObjectTable, NamesAreCodePageBytesAndShiftLaterRecords) {
  tabella_oggetti t{};
  t[1].nome = "Citt\xE0";
  t[1].orario = -1;
  t[2].tipo = 12;
  std::string file = codifica_tabella(t);
  ASSERT_EQ(file.size(), 87u * 34u + 5u);
  EXPECT_EQ(file.substr(34 + 14, 7), bytes({5, 0, 'C', 'i', 't', 't', 0xE0}));
  EXPECT_EQ(file.substr(34 + 35, 4), bytes({0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(static_cast<unsigned char>(file[2 * 34 + 5]), 12);
}

TEST(ObjectTable, ALengthFieldAlwaysTellsTheBytesThatFollow) {
  struct {
    size_t lunghezza;
    size_t scritti;
  } casi[] = {{65534, 65534}, {65535, 65535}, {65536, 65535}, {70000, 65535}};
  for (const auto& c : casi) {
    tabella_oggetti t{};
    t[1].nome = std::string(c.lunghezza, 'a');
    t[2].tipo = 12;
    std::string file = codifica_tabella(t);
    ASSERT_EQ(file.size(), 87u * 34u + c.scritti) << c.lunghezza;
    const size_t campo = 34 + 14;
    EXPECT_EQ(static_cast<unsigned char>(file[campo]) | static_cast<unsigned char>(file[campo + 1]) << 8, c.scritti);
    EXPECT_EQ(static_cast<unsigned char>(file[2 * 34 + c.scritti]), 12) << c.lunghezza;
  }
}

TEST(RouteCells, FifteenBytesEachInFieldOrder) {
  celle_percorso celle(341);
  celle[1].dato_1 = 5121;
  celle[2] = cella{1, -1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  std::string file = codifica_celle(celle);
  ASSERT_EQ(file.size(), 341u * 15u);
  EXPECT_EQ(file.substr(15, 3), bytes({0, 0x01, 0x14}));
  EXPECT_EQ(file.substr(30, 15), bytes({1, 0xFF, 0xFF, 2, 0, 3, 0, 4, 0, 5, 6, 7, 8, 9, 10}));
}

// A plan as a finished line compile leaves it: integers at 0 and 1, doubles
// up to M - 2, the last two empty.
griglia_linea piano_completo(int lunghezza) {
  griglia_linea g;
  size_t punti = static_cast<size_t>(lunghezza) + 7001;
  g.x.resize(punti);
  g.y.resize(punti);
  g.x[0] = g.x[1] = g.y[0] = {tipo_variante::intero, 0, 0.0};
  g.y[1] = {tipo_variante::intero, 1, 0.0};
  for (size_t k = 2; k + 2 < punti; ++k) {
    g.x[k] = {tipo_variante::reale, 0, 0.0};
    g.y[k] = {tipo_variante::reale, 0, static_cast<double>(k)};
  }
  return g;
}

TEST(LinePlan, FullPlanIsTwentyBytesAMetrePlusFixedPart) {
  EXPECT_EQ(codifica_griglia(piano_completo(10000)).size(), 339964u);
  EXPECT_EQ(codifica_griglia(piano_completo(93000)).size(), 20u * 93000u + 139964u);
}

TEST(LinePlan, VariantKindsAndXBlockBeforeYBlock) {
  griglia_linea g = piano_completo(0);
  g.y[2].reale = 2.5;
  std::string file = codifica_griglia(g);
  // x block: two integers (4 bytes each), then doubles.
  EXPECT_EQ(file.substr(0, 8), bytes({2, 0, 0, 0, 2, 0, 0, 0}));
  EXPECT_EQ(file.substr(8, 2), bytes({5, 0}));
  // The x block is 8 + 10 x (M - 3) + 4 bytes; the y block starts after it.
  size_t blocco = 8 + 10 * (7000 - 3) + 4;
  EXPECT_EQ(file.substr(blocco - 4, 4), bytes({0, 0, 0, 0}));
  EXPECT_EQ(file.substr(blocco, 8), bytes({2, 0, 0, 0, 2, 0, 1, 0}));
  EXPECT_EQ(file.substr(blocco + 8, 10), bytes({5, 0, 0, 0, 0, 0, 0, 0, 0x04, 0x40}));
}

TEST(LinePlan, NoPlanIsAnEmptyFile) { EXPECT_EQ(codifica_griglia(griglia_linea{}), ""); }

}  // namespace
}  // namespace sb
