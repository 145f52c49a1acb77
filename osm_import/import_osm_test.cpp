#include "osm_import/import_osm.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "compile/compile.h"
#include "grammar/text_format.h"
#include "osm_import/speed_limits.h"
#include "scenario/plan_encoding.h"
#include "test_support/osm_maps.h"
#include "test_support/scratch_folder.h"

namespace sb {
namespace {

using prova::mappa_osm;

const std::string kLiechtenstein = std::string(SB_SOURCE_DIR) + "/osm_import/testdata/liechtenstein_railway.osm";

// A straight single track 2 km long between "Sud" and "Nord", with the tags
// given to its way.
mappa_osm linea_dritta(const std::vector<std::pair<std::string, std::string>>& tag) {
  mappa_osm m;
  m.nodo(900, 3, 0, {{"railway", "station"}, {"name", "Sud"}});
  m.nodo(901, 3, 2000, {{"railway", "station"}, {"name", "Nord"}});
  for (int i = 0; i <= 4; ++i) m.nodo(i + 1, 0, 500.0 * i);
  m.via(7, {1, 2, 3, 4, 5}, tag);
  return m;
}

// An import of the file between the places, named PROVA 1.
richiesta_import_osm richiesta(const std::string& file, std::vector<std::string> luoghi) {
  return {file, std::move(luoghi), "", "PROVA", "1"};
}

// The rows of a text that begin with a keyword.
std::vector<std::string> righe_con(const std::string& testo, const std::string& chiave) {
  std::vector<std::string> r;
  size_t da = 0;
  while (da < testo.size()) {
    size_t fine = testo.find("\r\n", da);
    if (fine == std::string::npos) fine = testo.size();
    const std::string riga = testo.substr(da, fine - da);
    if (riga.rfind(chiave, 0) == 0) r.push_back(riga);
    da = fine + 2;
  }
  return r;
}

// Whether the import told the sentence.
bool detto(const esito_import_osm& e, const std::string& frase) {
  return std::any_of(e.detto.begin(), e.detto.end(), [&](const std::string& d) { return d == frase; });
}

// Every bad input: a clear error naming what is wrong, and no texts.
TEST(ImportOsm, BadInputIsToldAndNothingIsMade) {
  prova::cartella_prova c;
  const std::string buona = linea_dritta({{"railway", "rail"}, {"usage", "main"}}).scrivi(c / "buona.osm");
  std::ofstream(c / "testo.osm") << "this is no map\n";
  std::ofstream(c / "mappa.txt") << "<osm version=\"0.6\"></osm>\n";
  mappa_osm strada;
  strada.nodo(1, 0, 0).nodo(2, 0, 100).via(1, {1, 2}, {{"highway", "residential"}});
  strada.scrivi(c / "strada.osm");
  mappa_osm lunga;
  lunga.nodo(1, 0, 0, {{"railway", "station"}, {"name", "A"}}).nodo(2, 0, 1100000, {{"railway", "station"}, {"name", "B"}});
  lunga.via(1, {1, 2}, {{"railway", "rail"}, {"usage", "main"}});
  lunga.scrivi(c / "lunga.osm");
  mappa_osm corta;
  corta.nodo(1, 0, 0, {{"railway", "station"}, {"name", "A"}}).nodo(2, 0, 600, {{"railway", "station"}, {"name", "B"}});
  corta.via(1, {1, 2}, {{"railway", "rail"}, {"usage", "main"}});
  corta.scrivi(c / "corta.osm");
  struct caso {
    std::string file;
    std::vector<std::string> luoghi;
    fine_import fine;
    std::string errore;  // the start of the message
  };
  const caso casi[] = {
      {c / "manca.osm", {"Sud", "Nord"}, fine_import::file_fallito, c / "manca.osm: No such file or directory"},
      {c.cartella(), {"Sud", "Nord"}, fine_import::file_fallito, c.cartella() + ": not a regular file"},
      {c / "testo.osm", {"Sud", "Nord"}, fine_import::dati_fallati, c / "testo.osm: not an OSM file ("},
      {c / "mappa.txt", {"Sud", "Nord"}, fine_import::dati_fallati, c / "mappa.txt: not an OSM file (its name"},
      {c / "strada.osm", {"Sud", "Nord"}, fine_import::dati_fallati, c / "strada.osm: no railway (no way tagged railway=rail)"},
      {buona, {"Sud", "Nrod"}, fine_import::dati_fallati, "no station named 'Nrod' in the file; did you mean 'Nord'?"},
      {buona, {"Sud", "47.01,9.52"}, fine_import::dati_fallati, "no track within 200 m of '47.01,9.52'"},
      {buona, {"Sud", "47.01,9.5"}, fine_import::dati_fallati,
       "only one station within 200 m of the route ('Sud'): a run needs an origin and a destination"},
      {c / "lunga.osm", {"A", "B"}, fine_import::dati_fallati, "the route is 1100.7 km long: the format holds 1000.0 km at most"},
      {c / "corta.osm", {"A", "B"}, fine_import::dati_fallati, "'A' and 'B' are 600 m apart: the route is too short"},
  };
  for (const caso& k : casi) {
    const esito_import_osm e = importa_osm(richiesta(k.file, k.luoghi));
    EXPECT_EQ(e.fine, k.fine) << k.errore;
    EXPECT_EQ(e.errore.substr(0, k.errore.size()), k.errore);
    EXPECT_TRUE(e.testo_linea.empty() && e.testo_servizio.empty()) << k.errore;
  }
}

// maxspeed values: a bare number, mph converted, what cannot be read.
TEST(ImportOsm, MaxspeedValues) {
  EXPECT_EQ(velocita_letta("90"), 90.0);
  EXPECT_NEAR(*velocita_letta("50 mph"), 80.4672, 1e-9);
  EXPECT_NEAR(*velocita_letta("75mph"), 120.7008, 1e-9);
  for (const char* v : {"", "none", "signals", "90;80", "-5", "90 km/h"}) EXPECT_FALSE(velocita_letta(v)) << v;
}

// The limits by the direction of travel, mph converted and told, and a
// track without maxspeed given the default, told with its stretch and
// written as a remark.
TEST(ImportOsm, LimitsByDirectionMphAndDefaults) {
  prova::cartella_prova c;
  struct caso {
    std::vector<std::pair<std::string, std::string>> tag;
    std::vector<std::string> luoghi;
    std::string velocita;  // the one "velocita" row
    std::string frase;     // told, and written in the service text
  };
  const std::vector<std::pair<std::string, std::string>> base = {{"railway", "rail"}, {"usage", "main"}};
  auto con = [&](std::vector<std::pair<std::string, std::string>> t) {
    t.insert(t.begin(), base.begin(), base.end());
    return t;
  };
  const caso casi[] = {
      {con({{"maxspeed:forward", "100"}, {"maxspeed:backward", "60"}, {"maxspeed", "70"}}), {"Sud", "Nord"}, "velocita,       0,   100", ""},
      {con({{"maxspeed:forward", "100"}, {"maxspeed:backward", "60"}}), {"Nord", "Sud"}, "velocita,       0,    60", ""},
      {con({{"maxspeed:forward", "100"}, {"maxspeed", "70"}}), {"Nord", "Sud"}, "velocita,       0,    70", ""},
      {con({{"maxspeed", "50 mph"}}), {"Sud", "Nord"}, "velocita,       0,    80", "maxspeed 50 mph on w7: 80 km/h"},
      {con({{"maxspeed", "none"}}), {"Sud", "Nord"}, "velocita,       0,    80", "no maxspeed on 2.0 km from 0 m: 80 km/h assumed"},
      {base, {"Sud", "Nord"}, "velocita,       0,    80", "no maxspeed on 2.0 km from 0 m: 80 km/h assumed"},
  };
  for (const caso& k : casi) {
    const esito_import_osm e = importa_osm(richiesta(linea_dritta(k.tag).scrivi(c / "l.osm"), k.luoghi));
    ASSERT_EQ(e.errore, "") << k.velocita;
    EXPECT_EQ(righe_con(e.testo_servizio, "velocita"), std::vector<std::string>{k.velocita});
    if (k.frase.empty()) continue;
    EXPECT_TRUE(detto(e, k.frase)) << k.frase;
    EXPECT_NE(e.testo_servizio.find("- " + k.frase), std::string::npos) << k.frase;
  }
}

// Signals where their tags say what they are (the others listed), and
// kilometre posts as the chainage reference and their boards.
TEST(ImportOsm, SignalsAndKilometrePosts) {
  prova::cartella_prova c;
  mappa_osm m;
  m.nodo(900, 3, 0, {{"railway", "station"}, {"name", "Sud"}});
  m.nodo(901, 3, 5000, {{"railway", "station"}, {"name", "Nord"}});
  const std::vector<std::vector<std::pair<std::string, std::string>>> tag = {
      {}, {}, {{"railway", "signal"}, {"railway:signal:main", "DE-ESO:hp"}, {"railway:signal:direction", "forward"}},
      {{"railway", "milestone"}, {"railway:position", "11.5"}},
      {{"railway", "signal"}, {"railway:signal:distant", "DE-ESO:vr"}},
      {{"railway", "signal"}, {"railway:signal:main", "DE-ESO:hp"}, {"railway:signal:direction", "backward"}},
      {{"railway", "signal"}, {"railway:signal:shunting", "DE-ESO:sh"}},
      {{"railway", "milestone"}, {"railway:position", "13.5"}},
      {}, {{"railway", "milestone"}, {"railway:position", "14.5"}}, {}};
  std::vector<int64_t> nodi;
  for (size_t i = 0; i < tag.size(); ++i) {
    m.nodo(static_cast<int64_t>(i + 1), 0, 500.0 * static_cast<double>(i), tag[i]);
    nodi.push_back(static_cast<int64_t>(i + 1));
  }
  m.via(7, nodi, {{"railway", "rail"}, {"usage", "main"}, {"maxspeed", "100"}});
  const esito_import_osm e = importa_osm(richiesta(m.scrivi(c / "s.osm"), {"Sud", "Nord"}));
  ASSERT_EQ(e.errore, "");
  const std::vector<std::string> segnali = righe_con(e.testo_servizio, "segnale");
  ASSERT_EQ(segnali.size(), 2u);
  EXPECT_EQ(segnali[0].substr(0, 16), "segnale,    1000");
  EXPECT_EQ(segnali[1].substr(0, 16), "segnale,    2000");
  EXPECT_TRUE(detto(e, "signal n6 at 2 499 m faces the other direction: not written"));
  EXPECT_TRUE(detto(e, "signal n7 at 2 999 m is neither a main nor a distant signal: not written"));
  EXPECT_EQ(righe_con(e.testo_linea, "progressiva chilometrica uno"),
            std::vector<std::string>{"progressiva chilometrica uno,    0,    10000,    0"});
  const std::vector<std::string> cartelli = righe_con(e.testo_linea, "cartello_indicatore");
  ASSERT_EQ(cartelli.size(), 3u);
  EXPECT_EQ(cartelli[0], "cartello_indicatore,  1500,   (Cippo Km.)( 11+500  )");
}

// Heights as route metres (CSV with a heading), as places (GPX), and files
// that give none: the gradients, or an error that names the line.
TEST(ImportOsm, GradientsFromHeights) {
  prova::cartella_prova c;
  const std::string mappa = linea_dritta({{"railway", "rail"}, {"usage", "main"}, {"maxspeed", "100"}}).scrivi(c / "l.osm");
  std::ofstream(c / "q.csv") << "metre,height\n0,400\n1000,410\n2000,410\n";
  std::ofstream(c / "q.gpx") << "<?xml version=\"1.0\"?><gpx><trk><trkseg>"
                                "<trkpt lat=\"47.0\" lon=\"9.5\"><ele>400</ele></trkpt>"
                                "<trkpt lat=\"47.0089932\" lon=\"9.5\"><ele>410</ele></trkpt>"
                                "<trkpt lat=\"47.0179864\" lon=\"9.5\"><ele>410</ele></trkpt></trkseg></trk></gpx>";
  std::ofstream(c / "rotto.csv") << "0,400\n1000;410\n";
  std::ofstream(c / "rotto.gpx") << "<gpx><trkpt lat=\"47\" lon=\"9.5\"><ele>1</ele></trkpt>";
  struct caso {
    std::string file;
    std::vector<std::string> pendenze;
    std::string errore;
  };
  const std::vector<std::string> attese = {"pendenza,   0,    10", "pendenza,  1000,   0"};
  const caso casi[] = {
      {c / "q.csv", attese, ""},
      {c / "q.gpx", attese, ""},
      {c / "rotto.csv", {}, c / "rotto.csv:2: not a height row (metre,height or lat,lon,height)"},
      {c / "rotto.gpx", {}, c / "rotto.gpx:1: not GPX (no element found)"},
      {c / "manca.csv", {}, c / "manca.csv: No such file or directory"},
  };
  for (const caso& k : casi) {
    richiesta_import_osm r = richiesta(mappa, {"Sud", "Nord"});
    r.elevazione = k.file;
    const esito_import_osm e = importa_osm(r);
    EXPECT_EQ(e.errore, k.errore) << k.file;
    EXPECT_EQ(righe_con(e.testo_linea, "pendenza"), k.pendenze) << k.file;
  }
}

// The real line: Schaan-Vaduz to Tisis from the cut of the Liechtenstein
// extract. The texts compile clean (the import checks it), the stations are
// in order, each row's plan point within 25 m of the station's place on the
// track, the plan within 2 m of the track, the tagged 90 km/h stretch and
// the defaults told, the level line told, the texts in the builder's layout.
TEST(ImportOsm, LiechtensteinSchaanVaduzToTisis) {
  const esito_import_osm e = importa_osm(richiesta(kLiechtenstein, {"Schaan-Vaduz", "tisis"}));
  ASSERT_EQ(e.errore, "");
  const std::vector<std::string> stazioni = righe_con(e.testo_servizio, "stazione");
  ASSERT_EQ(stazioni.size(), 4u);
  const char* nomi[] = {"Schaan-Vaduz", "Forst Hilti Bahnhof", "Nendeln", "Tisis"};
  for (size_t i = 0; i < 4; ++i) EXPECT_NE(stazioni[i].find(nomi[i]), std::string::npos) << stazioni[i];
  ASSERT_EQ(e.scarti_stazioni.size(), 4u);
  for (double d : e.scarti_stazioni) EXPECT_LE(d, 25.0);
  EXPECT_LE(e.scarto_massimo, 2.0);
  EXPECT_GT(e.lunghezza, 8000);
  EXPECT_LT(e.lunghezza, 9500);
  const std::vector<std::string> limiti = righe_con(e.testo_servizio, "velocita");
  EXPECT_TRUE(std::any_of(limiti.begin(), limiti.end(), [](const std::string& r) { return r.ends_with(" 90"); }));
  EXPECT_TRUE(std::any_of(e.detto.begin(), e.detto.end(),
                          [](const std::string& d) { return d.rfind("no maxspeed on ", 0) == 0; }));
  EXPECT_TRUE(std::any_of(e.detto.begin(), e.detto.end(),
                          [](const std::string& d) { return d.rfind("no --elevation file: the line is level", 0) == 0; }));
  EXPECT_FALSE(righe_con(e.testo_linea, "curva").empty());
  EXPECT_FALSE(righe_con(e.testo_linea, "cartello_indicatore").empty());
  EXPECT_NE(e.testo_linea.find("OpenStreetMap contributors"), std::string::npos);
  // Every row and heading is the grammar's, in the builder's layout: the
  // formatter finds nothing to change.
  EXPECT_FALSE(formatta_testo(e.testo_linea, genere_testo::linea).cambiato);
  EXPECT_FALSE(formatta_testo(e.testo_servizio, genere_testo::servizio).cambiato);
}

// The same line through a place between, given as a node, and ending at
// coordinates: the stations met on the way are the same.
TEST(ImportOsm, LiechtensteinThroughANodeToCoordinates) {
  const esito_import_osm e = importa_osm(richiesta(kLiechtenstein, {"SCHAAN-VADUZ", "n10087", "47.2272577,9.5757053"}));
  ASSERT_EQ(e.errore, "");
  EXPECT_EQ(righe_con(e.testo_servizio, "stazione").size(), 4u);
}

}  // namespace
}  // namespace sb
