#include "builtin/line_content.h"

#include <gtest/gtest.h>

#include "test_support/written_lines.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "builtin/run_timetable.h"
#include "scenario/scenario_records.h"
#include "text_input/field_reader.h"

namespace sb {
namespace {

std::vector<std::string> righe() { return righe_scritte(righe_linea()); }

// A route row read with the field reader: its keyword and its numbers.
struct riga_letta {
  std::string chiave;
  std::vector<int32_t> valori;
  std::string didascalia;  // a sign's caption
};

riga_letta leggi(const std::string& riga, int numeri, bool con_didascalia = false) {
  lettore_campi lettore(riga);
  riga_letta r;
  EXPECT_EQ(lettore.leggi_testo(r.chiave), esito_lettura::letto) << riga;
  for (int i = 0; i < numeri; ++i) {
    int32_t v = 0;
    EXPECT_EQ(lettore.leggi_numero(v), esito_lettura::letto) << riga;
    r.valori.push_back(v);
  }
  if (con_didascalia) {
    EXPECT_EQ(lettore.leggi_testo(r.didascalia), esito_lettura::letto) << riga;
  }
  EXPECT_TRUE(lettore.finito()) << riga;
  return r;
}

// Lines first..last (1-based) read as rows of the given kind.
std::vector<riga_letta> sezione(const std::vector<std::string>& r, size_t prima, size_t ultima, int numeri,
                                bool con_didascalia = false) {
  std::vector<riga_letta> out;
  for (size_t n = prima; n <= ultima; ++n) out.push_back(leggi(r.at(n - 1), numeri, con_didascalia));
  return out;
}

TEST(LineContent, SectionsAndGeneralRows) {
  const auto r = righe();
  ASSERT_EQ(r.size(), 134u);
  const std::map<size_t, std::string> fisse = {
      {1, "[generale]"},
      {2, "lunghezza percorso,    93000"},
      {3, "progressiva chilometrica uno,    0,    0,    0"},
      {4, "progressiva chilometrica due,    0,    0,    0"},
      {5, "progressiva chilometrica tre,    0,    0,    0"},
      {6, "sfondo uno,    1"},
      {7, "sfondo due,    0"},
      {8, "sfondo tre,    0"},
      {9, "ripetizione segnali 4 codici,    0,    27000"},
      {10, "[curve]"},
      {80, "[pendenze]"},
      {81, "pendenza,   0,    0"},
      {103, "[montagne]"},
      {104, "montagna,   1800,  3800,  11"},
      {105, "montagna,   6200,  10100,  11"},
      {106, "montagna,   44400,  45300,  11"},
      {107, "montagna,   52800,  53200,  11"},
      {108, "montagna,   86300,  86700,  12"},
      {109, "[cartelli]"},
      {110, "indicatori_vmax,  500,  60,  70,  75,  0,  60,  70,  75,  0"},
      {127, "[indicazioni]"},
      {128, "cartello_indicatore,  19950,   (Cippo Km.)( 20+000  )"},
      {134, "[fine]"},
  };
  for (const auto& [n, testo] : fisse) EXPECT_EQ(r.at(n - 1), testo) << "line " << n;
}

TEST(LineContent, TellingRowsArePresent) {
  const auto r = righe();
  const std::set<std::string> tutte(r.begin(), r.end());
  for (const char* riga : {
           "curvad6,  1450,  100", "curvas6,  1550,  100", "curvas3,  83500,  1000", "pendenza,  1500,   8",
           "pendenza,  48950,   20", "pendenza,  53000,   -15", "pendenza,  86150,   -1",
           "indicatori_vmax,  21900,  95,  105,  105,  0,  95,  105,  105,  0",
           "indicatori_vmax,  35400,  80,  85,  85,  0,  ,  ,  ,  0", "cartello_indicatore,  36200,   (DEV. U.)",
           "cartello_indicatore,  22050,   (Cippo Km.)( 22+000  )",
           "cartello_indicatore,  25000,   (Cippo Km.)( 25+000  )",
           "cartello_indicatore,  43000,   (Cippo Km.)( 43+000  )",
           "cartello_indicatore,  52750,   (IMBOCCO GALLERIA)(   TRASMONTE    )"}) {
    EXPECT_TRUE(tutte.count(riga)) << riga;
  }
  EXPECT_EQ(r.at(101), "pendenza,  86150,   -1");
}

TEST(LineContent, CurvesCountsDigitsAndDirections) {
  const auto r = righe();
  const auto curve = sezione(r, 11, 79, 2);
  ASSERT_EQ(curve.size(), 69u);
  std::map<int32_t, int> lunghezze;
  std::map<char, int> cifre;
  std::map<char, int> versi;
  int32_t fine_precedente = 0;
  for (const riga_letta& c : curve) {
    ASSERT_EQ(c.chiave.size(), 7u) << c.chiave;
    EXPECT_EQ(c.chiave.substr(0, 5), "curva");
    ++versi[c.chiave[5]];
    ++cifre[c.chiave[6]];
    ++lunghezze[c.valori[1]];
    EXPECT_GE(c.valori[0], fine_precedente) << c.chiave << " " << c.valori[0];
    fine_precedente = c.valori[0] + c.valori[1];
  }
  EXPECT_EQ(curve.front().valori[0], 1450);
  EXPECT_EQ(curve.back().valori[0], 87300);
  EXPECT_EQ(fine_precedente, 87650);
  EXPECT_EQ(lunghezze[300], 55);
  for (int32_t l : {50, 100, 200, 350, 400, 450, 500, 1000}) EXPECT_GT(lunghezze[l], 0) << l;
  EXPECT_EQ(lunghezze.size(), 9u);
  EXPECT_EQ(cifre, (std::map<char, int>{{'2', 4}, {'3', 38}, {'4', 23}, {'5', 2}, {'6', 2}}));
  EXPECT_EQ(versi, (std::map<char, int>{{'d', 34}, {'s', 35}}));
}

TEST(LineContent, GradientsRiseFromZeroWithinTheirRange) {
  const auto pendenze = sezione(righe(), 81, 102, 2);
  int32_t precedente = -1;
  int32_t minima = 0;
  int32_t massima = 0;
  for (const riga_letta& p : pendenze) {
    EXPECT_EQ(p.chiave, "pendenza");
    EXPECT_GT(p.valori[0], precedente);
    precedente = p.valori[0];
    minima = std::min(minima, p.valori[1]);
    massima = std::max(massima, p.valori[1]);
  }
  EXPECT_EQ(minima, -15);
  EXPECT_EQ(massima, 20);
}

TEST(LineContent, IndicatorsAndSignsEachTakeACellOfTheirOwn) {
  const auto r = righe();
  const auto indicatori = sezione(r, 110, 126, 9);
  const auto cartelli = sezione(r, 128, 133, 1, true);
  std::set<int64_t> celle;
  int32_t precedente = 0;
  for (size_t i = 0; i < indicatori.size(); ++i) {
    const auto& v = indicatori[i].valori;
    EXPECT_GT(v[0], precedente);
    precedente = v[0];
    EXPECT_TRUE(celle.insert(indice_cella(v[0])).second) << v[0];
    for (int k : {1, 2, 3}) {
      EXPECT_GE(v[k], 55);
      EXPECT_LE(v[k], 105);
      EXPECT_EQ(v[k + 4], i < 6 ? v[k] : 0) << v[0];
    }
    EXPECT_EQ(v[4], 0);
    EXPECT_EQ(v[8], 0);
  }
  EXPECT_EQ(indicatori.front().valori[0], 500);
  EXPECT_EQ(indicatori.back().valori[0], 84600);
  for (const riga_letta& c : cartelli) EXPECT_TRUE(celle.insert(indice_cella(c.valori[0])).second) << c.valori[0];
  EXPECT_EQ(cartelli.front().valori[0], 19950);
  EXPECT_EQ(cartelli.back().valori[0], 52750);
}

// The train sheet's landmarks stand where the line puts them.
TEST(LineContent, LandmarksOfTheTrainSheetMatchTheLine) {
  const auto r = righe();
  const auto montagne = sezione(r, 104, 108, 3);
  std::map<int32_t, std::string> cartelli;
  for (const riga_letta& c : sezione(r, 128, 133, 1, true)) cartelli[c.valori[0]] = c.didascalia;
  auto inizia_span = [&](int32_t p) {
    for (const auto& m : montagne) {
      if (m.valori[0] == p) return true;
    }
    return false;
  };
  auto finisce_span = [&](int32_t p) {
    for (const auto& m : montagne) {
      if (m.valori[1] == p) return true;
    }
    return false;
  };
  for (const riferimento_linea& rif : kRiferimentiLinea) {
    const std::string testo(rif.testo);
    if (testo.rfind("km ", 0) == 0) {
      const std::string km = std::to_string(rif.progressiva / 1000);
      EXPECT_EQ(testo, "km " + km + "+000");
      EXPECT_EQ(cartelli[rif.posizione], "(Cippo Km.)( " + km + "+000  )") << testo;
    } else if (testo == "dev. u.") {
      EXPECT_EQ(cartelli[rif.posizione], "(DEV. U.)");
    } else if (testo.rfind("imbocco gall. ", 0) == 0) {
      EXPECT_TRUE(inizia_span(rif.posizione)) << testo;
    } else if (testo.rfind("sbocco gall. ", 0) == 0) {
      EXPECT_TRUE(finisce_span(rif.posizione)) << testo;
    }
  }
  // The tunnel sign stands just before the mouth the sheet names.
  EXPECT_TRUE(inizia_span(52800));
  EXPECT_NE(cartelli[52750].find("TRASMONTE"), std::string::npos);
}

}  // namespace
}  // namespace sb
