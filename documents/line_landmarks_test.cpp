#include "documents/line_landmarks.h"

#include <gtest/gtest.h>

#include <string>

#include "documents/compiled_run.h"

namespace sb {
namespace {

TEST(LineLandmarks, SignCaptionsInWords) {
  struct caso {
    std::string didascalia;
    std::string testo;
    int64_t progressiva;  // -1: not a kilometre post
  } casi[] = {
      {"(Cippo Km.)( 20+000  )", "km 20+000", 20000},
      {"(Cippo Km.)( 3+250 )", "km 3+250", 3250},
      {"cippo KM 104+100", "km 104+100", 104100},
      {"(DEV. U.)", "DEV. U.", -1},
      {"(IMBOCCO GALLERIA)(   TRASMONTE    )", "IMBOCCO GALLERIA TRASMONTE", -1},
      {"(Km)(12+5)", "Km 12+5", -1},              // not three digits after "+"
      {"(PASSO)( 20+000 )", "PASSO 20+000", -1},  // no "km"
      {"", "", -1},
  };
  for (const caso& c : casi) {
    int64_t progressiva = -1;
    EXPECT_EQ(testo_cartello(c.didascalia, progressiva), c.testo) << c.didascalia;
    EXPECT_EQ(progressiva, c.progressiva) << c.didascalia;
  }
}

TEST(LineLandmarks, SpanEndsFromTheCellsKinds) {
  scenario s;
  s.celle.resize(40);
  for (size_t i = 4; i < 10; ++i) s.celle[i].montagna = 1;
  for (size_t i = 10; i < 12; ++i) s.celle[i].montagna = 3;  // a span right after: kind 3
  for (size_t i = 30; i < 40; ++i) s.celle[i].montagna = 2;  // to the last cell
  s.celle[21].tipo = tipo_cella::cartello;
  s.celle[21].dato_1 = 80;
  s.tabella[80].nome = "(DEV. U.)";
  std::vector<std::pair<int64_t, std::string>> visti;
  for (const riferimento_linea_compilata& r : riferimenti_compilati(s)) visti.push_back({r.posizione, r.testo});
  const std::vector<std::pair<int64_t, std::string>> attesi = {
      {200, "imbocco gall."}, {500, "sbocco gall."},  {500, "imbocco gall."}, {600, "sbocco gall."},
      {1000, "DEV. U."},      {1500, "imbocco gall."}, {2000, "sbocco gall."},
  };
  EXPECT_EQ(visti, attesi);
}

TEST(CompiledRun, ChainageFromTheReferenceEntries) {
  tabella_oggetti t{};
  EXPECT_EQ(progressiva_a(t, 0), 0);
  EXPECT_EQ(progressiva_a(t, 12345), 12345);
  // Ordered by start, greatest first: from 5000 m the chainage counts on
  // from 20 km; before it, from 1000 m on from 300 m; before that, none.
  t[81].inizio = 5000;
  t[81].fine = 20000;
  t[82].inizio = 1000;
  t[82].fine = 300;
  t[83].inizio = 2000000;
  EXPECT_EQ(progressiva_a(t, 6000), 21000);
  EXPECT_EQ(progressiva_a(t, 5000), 20000);
  EXPECT_EQ(progressiva_a(t, 4999), 4299);
  EXPECT_EQ(progressiva_a(t, 500), 500);
}

}  // namespace
}  // namespace sb
