#include "passes/stamps.h"

#include <string>

#include <gtest/gtest.h>

#include "scenario/error_codes.h"

namespace sb {
namespace {

tabella_oggetti con_nomi(const std::string& treno, const std::string& linea) {
  tabella_oggetti t{};
  t[kOggettoTreno].nome = treno;
  t[kOggettoLinea].nome = linea;
  return t;
}

// Train number, line name and the two codes expected.
struct caso_codici {
  const char* treno;
  const char* linea;
  int16_t og;
  int32_t st;
};

const caso_codici kCodici[] = {
    {"", "", 2583, 34355},                      // the filler alone
    {"123", "AB", 2379, 33073},                 // 1, 2, 3, a, b, then 20 filler characters
    {"123", "ab", 2379, 33073},                 // case does not count
    {"40617", "BORVALE", 2302, 32224},          // this scenario
    {"40617", "borvale", 2302, 32224},
    {"BORVALE", "40617", 2302, 30295},          // the train number stands first
    {"1234567890", "ABCDEFGHIJKLMNOPQRST", 2085, 31285},  // 30 characters: 26 to 30 ignored
    {"1234567890", "ABCDEFGHIJKLMNOZZZZZ", 2085, 31285},
    {"1234567890ABCDEFGHIJKLMNO", "", 2085, 31285},       // exactly 25: no filler
};

TEST(CodiciGara, Table) {
  for (const caso_codici& c : kCodici) {
    SCOPED_TRACE(std::string(c.treno) + " / " + c.linea);
    tabella_oggetti t = con_nomi(c.treno, c.linea);
    EXPECT_EQ(codice_gara_og(t), c.og);
    EXPECT_EQ(codice_gara_st(t), c.st);
  }
}

TEST(CodiciGara, AccentedCapitalsCodeAsTheirSmallLetters) {
  // "\xC8" is E grave, "\xE8" e grave; "\x8A" S caron, "\x9A" s caron.
  tabella_oggetti alta = con_nomi("7", "P\xC8RGOLA\x8A");
  tabella_oggetti bassa = con_nomi("7", "p\xE8rgola\x9A");
  EXPECT_EQ(codice_gara_og(alta), codice_gara_og(bassa));
  EXPECT_EQ(codice_gara_st(alta), codice_gara_st(bassa));
  // Bytes are codes 0..255: e grave counts 232, e 101.
  EXPECT_EQ(codice_gara_og(con_nomi("\xE8", "")) - codice_gara_og(con_nomi("e", "")), 232 - 101);
}

TEST(CodiciGara, ReadTheTableNotTheScenarioNames) {
  scenario s;
  s.nome_linea = "BORVALE";
  s.numero_treno = "40617";
  EXPECT_EQ(codice_gara_og(s.tabella), 2583);
  EXPECT_EQ(codice_gara_st(s.tabella), 34355);
}

scenario pronto() {
  scenario s;
  s.celle.resize(141);
  s.tabella = con_nomi("123", "AB");
  return s;
}

TEST(Timbra, StampsMarkersAndCodes) {
  scenario s = pronto();
  s.celle[1].tipo = 6;
  s.celle[1].dato_3 = 44;
  s.tabella[kOggettoLinea].inizio = 3;
  EXPECT_EQ(timbra(s), 0);
  EXPECT_EQ(s.tabella[kOggettoLinea].param_1, 610);
  EXPECT_EQ(s.tabella[kOggettoLinea].orario, 33073);
  EXPECT_EQ(s.celle[1].dato_1, 5121);
  EXPECT_EQ(s.celle[1].dato_2, 2379);
  // Nothing else changes.
  EXPECT_EQ(s.celle[1].tipo, 6);
  EXPECT_EQ(s.celle[1].dato_3, 44);
  EXPECT_EQ(s.tabella[kOggettoLinea].inizio, 3);
  EXPECT_EQ(s.celle[0], cella{});
  EXPECT_EQ(s.celle[2], cella{});
}

TEST(Timbra, GuardOfTheMarkersStampsNothing) {
  for (int quale = 0; quale < 2; ++quale) {
    SCOPED_TRACE(quale == 0 ? "param_1 of entry 85" : "dato_1 of cell 1");
    scenario s = pronto();
    if (quale == 0) s.tabella[kOggettoLinea].param_1 = -1;
    if (quale == 1) s.celle[1].dato_1 = 180;
    scenario prima = s;
    EXPECT_EQ(timbra(s), kGuardiaMarcatori);
    EXPECT_EQ(s.celle, prima.celle);
    EXPECT_EQ(s.tabella, prima.tabella);
  }
}

TEST(Timbra, GuardOfTheCodesFollowsTheMarkers) {
  for (int quale = 0; quale < 2; ++quale) {
    SCOPED_TRACE(quale == 0 ? "orario of entry 85" : "dato_2 of cell 1");
    scenario s = pronto();
    if (quale == 0) s.tabella[kOggettoLinea].orario = 1;
    if (quale == 1) s.celle[1].dato_2 = 9;
    EXPECT_EQ(timbra(s), kGuardiaCodici);
    EXPECT_EQ(s.tabella[kOggettoLinea].param_1, 610);
    EXPECT_EQ(s.celle[1].dato_1, 5121);
    EXPECT_EQ(s.tabella[kOggettoLinea].orario, quale == 0 ? 1 : 0);
    EXPECT_EQ(s.celle[1].dato_2, quale == 1 ? 9 : 0);
  }
}

TEST(Timbra, BothGuardsHitReportsTheFirst) {
  scenario s = pronto();
  s.celle[1].dato_1 = 1;
  s.celle[1].dato_2 = 1;
  EXPECT_EQ(timbra(s), kGuardiaMarcatori);
}

TEST(Timbra, CompileCodeIsLeftAsItWas) {
  scenario s = pronto();
  s.codice_errore = 16;
  s.posizione_errore = 50;
  s.tabella[kOggettoLinea].param_1 = 2;
  EXPECT_EQ(timbra(s), kGuardiaMarcatori);
  EXPECT_EQ(s.codice_errore, 16);
  EXPECT_EQ(s.posizione_errore, 50);
}

}  // namespace
}  // namespace sb
