#include "osm_import/places.h"

#include <gtest/gtest.h>

#include "osm_import/names.h"

namespace sb {
namespace {

// A railway with a few named stations, as the reader keeps it.
dati_osm stazioni() {
  dati_osm d;
  auto stazione = [&](int64_t id, double lat, const char* nome, const char* tipo = "station") {
    d.punti.push_back({id, {lat, 9.5}, {{"railway", tipo}, {"name", nome}}});
  };
  stazione(1, 47.00, "Schaan-Vaduz", "halt");
  stazione(2, 47.01, "Z\xC3\xBCrich HB");
  stazione(3, 47.02, "Triesen Post", "stop");
  stazione(4, 47.03, "Triesen S\xC3\xA4ga");
  stazione(5, 47.04, "Nendeln");
  stazione(6, 47.041, "Nendeln", "stop");
  d.punti.push_back({7, {47.05, 9.5}, {{"highway", "bus_stop"}, {"name", "Bus Halt"}}});
  d.nodi[42] = {47.06, 9.6};
  return d;
}

// Places as a person writes them: names without regard to case and
// accents, a part of a name, nodes and coordinates, and every way of
// getting one wrong.
TEST(Luoghi, TableOfPlaces) {
  const dati_osm d = stazioni();
  struct caso {
    const char* scritto;
    const char* nome;    // the place found, or empty
    size_t punti;
    const char* errore;  // or empty
  };
  const caso casi[] = {
      {"Schaan-Vaduz", "Schaan-Vaduz", 1, ""},
      {"SCHAAN-vaduz", "Schaan-Vaduz", 1, ""},
      {"zurich hb", "Z\xC3\xBCrich HB", 1, ""},
      {"Z\xC3\x9CRICH HB", "Z\xC3\xBCrich HB", 1, ""},
      {"saga", "Triesen S\xC3\xA4ga", 1, ""},
      {"nendeln", "Nendeln", 2, ""},  // a station and its stop: one place
      {"n42", "n42", 1, ""},
      {"47.1,9.55", "47.1,9.55", 1, ""},
      {"Triesen", "", 0, "'Triesen' matches 2 stations: 'Triesen Post' 'Triesen S\xC3\xA4ga'"},
      {"Schan-Vaduz", "", 0, "no station named 'Schan-Vaduz' in the file; did you mean 'Schaan-Vaduz'?"},
      {"Bus Halt", "", 0, "no station named 'Bus Halt' in the file"},
      {"n43", "", 0, "no node n43 on the file's railway"},
      {"95,9", "", 0, "'95,9' is no place: latitude -90 to 90, longitude -180 to 180"},
  };
  for (const caso& c : casi) {
    const luogo_trovato t = trova_luogo(d, c.scritto);
    EXPECT_EQ(t.errore, c.errore) << c.scritto;
    EXPECT_EQ(t.l.nome, t.errore.empty() ? c.nome : t.l.nome) << c.scritto;
    if (t.errore.empty()) {
      EXPECT_EQ(t.l.punti.size(), c.punti) << c.scritto;
    }
  }
}

// Names folded for matching, and turned into the texts' code page: a letter
// the code page holds stays, one it cannot hold becomes its plain letters.
TEST(Luoghi, NamesFoldedAndConverted) {
  EXPECT_EQ(piegato("Z\xC3\xBCrich \xC3\x89tang Stra\xC3\x9F" "e"), "zurich etang strasse");
  EXPECT_EQ(piegato("\xC5\x81\xC3\xB3" "d\xC5\xBA"), "lodz");
  struct caso {
    const char* utf8;
    const char* cp1252;
    bool traslitterato;
  };
  const caso casi[] = {
      {"Triesen S\xC3\xA4ga", "Triesen S\xE4ga", false},
      {"\xC5\x81\xC3\xB3" "d\xC5\xBA", "L\xF3" "dz", true},
      {"\xC5\xA0" "iauliai", "\x8Aiauliai", false},  // S with caron is in the code page
      {"\xC4\x8C" "esk\xC3\xA1", "Cesk\xE1", true},
      {"\xE6\x9D\xB1\xE4\xBA\xAC", "??", true},
  };
  for (const caso& c : casi) {
    const nome_cp1252 n = in_cp1252(c.utf8);
    EXPECT_EQ(n.byte, c.cp1252) << c.utf8;
    EXPECT_EQ(n.traslitterato, c.traslitterato) << c.utf8;
  }
}

}  // namespace
}  // namespace sb
