#include "render/plan_svg.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "render/plan_svg_parts.h"
#include "scene/plan_geometry.h"
#include "scene/scene_json.h"
#include "test_support/page_cases.h"
#include "test_support/plan_fixture.h"
#include "test_support/svg_reading.h"

namespace sb {
namespace {

using prova::celle_curva;
using prova::conta;
using prova::griglia_curva;
using prova::lettore_xml;
using prova::nessuna_sovrapposizione;
using prova::stazioni_strane;

std::string pianta(const griglia_linea* g, const tabella_oggetti* t, const celle_percorso* c) {
  return disegna_pianta(costruisci_scena(fonti_scena{g, t, c, {}}));
}

TEST(Pianta, IsWellFormedAndNamesEveryStationOnMapAndTrack) {
  const tabella_oggetti t = stazioni_strane();
  const celle_percorso c = celle_curva();
  const griglia_linea g = griglia_curva();
  const std::string svg = pianta(&g, &t, &c);
  lettore_xml x(svg);
  ASSERT_TRUE(x.ben_formato());
  for (const char* nome : {"Borgo & Figli", "Ponte <Alto>", "Citt\xC3\xA0 \"Vecchia\"", "Sant'Elmo"}) {
    EXPECT_EQ(conta(x.testi(), nome), 2) << nome;
  }
  EXPECT_EQ(conta(x.testi(), "(Km)"), 0);
  EXPECT_EQ(conta(x.testi(), "VALMORA \xE2\x80\x94 train 2201"), 1);
  EXPECT_EQ(conta(x.testi(), "route 3.0 km"), 1);
  nessuna_sovrapposizione(svg);
}

// On the map as in the legend, a station where the train stops is a filled
// circle (radius 5), one it passes an open one.
TEST(Pianta, StoppingStationsAreFilledOnTheMap) {
  const tabella_oggetti t = stazioni_strane();
  const celle_percorso c = celle_curva();
  const griglia_linea g = griglia_curva();
  const std::string svg = pianta(&g, &t, &c);
  EXPECT_NE(svg.find("r=\"5.0\" fill=\"#"), std::string::npos);
  EXPECT_EQ(svg.find("r=\"5.0\" fill=\"#ffffff\""), std::string::npos);
}

// The legend names what is drawn and nothing else; each drawn kind also has
// its track, titled alike.
TEST(Pianta, LegendListsOnlyWhatIsDrawn) {
  const tabella_oggetti t = stazioni_strane();
  const celle_percorso c = celle_curva();
  const griglia_linea g = griglia_curva();
  lettore_xml x(pianta(&g, &t, &c));
  ASSERT_TRUE(x.ben_formato());
  for (const char* disegnato : {"signals", "sign boards", "speed indicators", "curves", "gradient \xE2\x80\xB0",
                                "speed limit km/h", "adhesion"}) {
    EXPECT_EQ(conta(x.testi(), disegnato), 2) << disegnato;
  }
  for (const char* assente : {"slowdowns", "montagna spans", "code-reduction points", "station passed"}) {
    EXPECT_EQ(conta(x.testi(), assente), 0) << assente;
  }
  EXPECT_EQ(conta(x.testi(), "station where the train stops"), 1);
}

// Any one file draws: the plan alone gives the map and its length (not the
// plan's last point), the cells alone the tracks without a map.
TEST(Pianta, AnyFileAloneDraws) {
  const griglia_linea g = griglia_curva();
  const std::string solo_pianta = pianta(&g, nullptr, nullptr);
  lettore_xml x(solo_pianta);
  ASSERT_TRUE(x.ben_formato());
  EXPECT_EQ(conta(x.testi(), "route 3.0 km"), 1);
  EXPECT_EQ(conta(x.testi(), "km 1+500"), 1);
  EXPECT_NE(solo_pianta.find("<polyline"), std::string::npos);
  const celle_percorso c = celle_curva();
  const std::string solo_celle = pianta(nullptr, nullptr, &c);
  lettore_xml y(solo_celle);
  ASSERT_TRUE(y.ben_formato());
  EXPECT_EQ(conta(y.testi(), "route 3.0 km"), 1);
  EXPECT_EQ(conta(y.testi(), "signals"), 2);
  EXPECT_EQ(solo_celle.find("<polyline"), std::string::npos);
  EXPECT_EQ(solo_celle.find("run-speed"), std::string::npos);  // no stations, no run
  lettore_xml z(disegna_pianta(costruisci_scena(fonti_scena{})));
  EXPECT_TRUE(z.ben_formato());
}

// The page takes its round steps with its own function; both follow one table.
TEST(Pianta, RoundStepsAsThePageTakesThem) {
  for (const prova::riga_caso& c : prova::casi_pagina("nice_steps.txt")) {
    const double passo = svg::passo_tondo(c.numero(0), 1);
    EXPECT_TRUE(prova::vicini(passo, c.numero(1))) << c.dove("nice_steps.txt") << ": " << passo;
  }
  // The span is cut into about `parti` parts.
  EXPECT_EQ(svg::passo_tondo(12000, 12), 1000);
  EXPECT_EQ(svg::passo_tondo(12001, 12), 2000);
}

TEST(LettoreXml, RejectsWhatIsNotWellFormed) {
  for (const char* s : {"<a><b></a>", "<a>x & y</a>", "<a b=c/>", "<a>1 < 2</a>", "<a></a><b/>", "<a>&bogus;</a>"}) {
    lettore_xml x(s);
    EXPECT_FALSE(x.ben_formato()) << s;
  }
  lettore_xml ok("<?xml version=\"1.0\"?>\n<a k='v'><b/>t &amp; u</a>\n");
  EXPECT_TRUE(ok.ben_formato());
}

// A point that is not finite or absurdly far is left out of the picture,
// which stays valid, and of the page's outline, whose numbers stay exact.
TEST(Pianta, PointsThatAreNotFiniteOrTooFarAreNotDrawn) {
  const double estremi[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity(), 1e300, -1e300,
                            std::numeric_limits<double>::max(), 1e14};
  griglia_linea g = griglia_curva();
  for (size_t k = 0; k < std::size(estremi); ++k) (k % 2 == 0 ? g.x : g.y)[500 + 100 * k].reale = estremi[k];
  const std::string svg = pianta(&g, nullptr, nullptr);
  EXPECT_TRUE(lettore_xml(svg).ben_formato());
  for (const char* t : {"nan", "NaN", "inf", "Inf", "e+"}) EXPECT_EQ(svg.find(t), std::string::npos) << t;
  fonti_scena f;
  f.griglia = &g;
  const scena s = costruisci_scena(f);
  EXPECT_EQ(s.contorno.esclusi, std::size(estremi));
  std::ostringstream err;
  avvisa_esclusi(s.contorno, "V_linea.dat", err);
  EXPECT_EQ(err.str(),
            "V_linea.dat: warning: 7 points of the line plan are not finite or beyond 10000000000000 m: left out of "
            "the map\n");
  const std::string json = scena_in_json(s);
  EXPECT_EQ(json.find("-9223372036854775808"), std::string::npos);
  EXPECT_EQ(json.find("9223372036854775807"), std::string::npos);
}

}  // namespace
}  // namespace sb
