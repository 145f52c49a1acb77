#include "osm_import/route.h"

#include <gtest/gtest.h>

#include <set>

#include "osm_import/osm_data.h"
#include "test_support/osm_maps.h"
#include "test_support/scratch_folder.h"

namespace sb {
namespace {

using prova::mappa_osm;

// The ways a route took, in order, each once.
std::vector<int64_t> vie(const dati_osm& d, const percorso_osm& p) {
  std::vector<int64_t> v;
  for (int32_t b : p.binario) {
    if (v.empty() || v.back() != d.binari[static_cast<size_t>(b)].id) v.push_back(d.binari[static_cast<size_t>(b)].id);
  }
  return v;
}

// Reads a hand-made map and finds the route between two stations.
struct prova_percorso {
  dati_osm dati;
  percorso_trovato trovato;
};

prova_percorso percorso_su(const mappa_osm& m, const std::string& da, const std::string& a) {
  prova::cartella_prova c;
  lettura_osm l = leggi_osm(m.scrivi(c / "m.osm"));
  EXPECT_EQ(l.errore, "");
  prova_percorso p{std::move(l.dati), {}};
  const luogo_trovato x = trova_luogo(p.dati, da), y = trova_luogo(p.dati, a);
  EXPECT_EQ(x.errore + y.errore, "");
  p.trovato = trova_percorso(p.dati, {x.l, y.l});
  return p;
}

// Two stations 2 km apart on the y axis, "Sud" and "Nord", 2 m east.
mappa_osm stazioni_sud_nord() {
  mappa_osm m;
  m.nodo(900, 2, 0, {{"railway", "station"}, {"name", "Sud"}});
  m.nodo(901, 2, 2000, {{"railway", "station"}, {"name", "Nord"}});
  return m;
}

// A track of nodes along x = est from y = 0 to 2000 every 400 m, ids from base.
void binario(mappa_osm& m, int64_t base, double est, bool verso_nord) {
  for (int i = 0; i <= 5; ++i) m.nodo(base + i, est, verso_nord ? 400.0 * i : 2000.0 - 400.0 * i);
}

std::vector<int64_t> ids(int64_t base) { return {base, base + 1, base + 2, base + 3, base + 4, base + 5}; }

// Double track: each way carries one direction; the route keeps to the
// track of its direction of travel, both ways, and never takes a crossover.
TEST(Percorso, DoubleTrackKeepsToTheTrackOfItsDirection) {
  mappa_osm m = stazioni_sud_nord();
  binario(m, 1, 0, true);   // west track, nodes south to north
  binario(m, 11, 4, false);  // east track, nodes north to south
  const std::vector<std::pair<std::string, std::string>> corsa = {
      {"railway", "rail"}, {"usage", "main"}, {"railway:preferred_direction", "forward"}};
  m.via(1, ids(1), corsa).via(2, ids(11), corsa);
  // Crossovers at 800 m and 1200 m.
  m.via(3, {3, 13}, {{"railway", "rail"}, {"service", "crossover"}});
  m.via(4, {4, 12}, {{"railway", "rail"}, {"service", "crossover"}});
  const prova_percorso nord = percorso_su(m, "Sud", "Nord");
  ASSERT_EQ(nord.trovato.errore, "");
  EXPECT_EQ(vie(nord.dati, nord.trovato.p), std::vector<int64_t>{1});
  const prova_percorso sud = percorso_su(m, "Nord", "Sud");
  ASSERT_EQ(sud.trovato.errore, "");
  EXPECT_EQ(vie(sud.dati, sud.trovato.p), std::vector<int64_t>{2});
}

// Without directions, the track nearest the first place, kept to the end:
// no hop through the crossover.
TEST(Percorso, WithoutDirectionsTheNearestTrackAndNoHop) {
  mappa_osm m;
  m.nodo(900, -3, 0, {{"railway", "station"}, {"name", "Sud"}});
  m.nodo(901, 2, 2000, {{"railway", "station"}, {"name", "Nord"}});
  binario(m, 1, 0, true);
  binario(m, 11, 4, true);
  m.via(1, ids(1), {{"railway", "rail"}, {"usage", "main"}}).via(2, ids(11), {{"railway", "rail"}, {"usage", "main"}});
  m.via(3, {3, 14}, {{"railway", "rail"}, {"service", "crossover"}});
  const prova_percorso p = percorso_su(m, "Sud", "Nord");
  ASSERT_EQ(p.trovato.errore, "");
  EXPECT_EQ(vie(p.dati, p.trovato.p), std::vector<int64_t>{1});
}

// A siding a little shorter than the running line beside it is not taken.
TEST(Percorso, RunningLineBeforeASiding) {
  mappa_osm m = stazioni_sud_nord();
  m.nodo(1, 0, 0).nodo(2, 0, 500).nodo(3, 40, 1000).nodo(4, 0, 1500).nodo(5, 0, 2000).nodo(6, 0, 1000);
  m.via(1, {1, 2, 3, 4, 5}, {{"railway", "rail"}, {"usage", "main"}});
  m.via(2, {2, 6, 4}, {{"railway", "rail"}, {"service", "siding"}});
  const prova_percorso p = percorso_su(m, "Sud", "Nord");
  ASSERT_EQ(p.trovato.errore, "");
  EXPECT_EQ(vie(p.dati, p.trovato.p), std::vector<int64_t>{1});
}

// A gap between two tracks: no route, and the gap is named.
TEST(Percorso, AGapIsNamed) {
  mappa_osm m = stazioni_sud_nord();
  m.nodo(1, 0, 0).nodo(2, 0, 1000).nodo(3, 0, 1030).nodo(4, 0, 2000);
  m.via(1, {1, 2}, {{"railway", "rail"}, {"usage", "main"}});
  m.via(2, {3, 4}, {{"railway", "rail"}, {"usage", "main"}});
  const prova_percorso p = percorso_su(m, "Sud", "Nord");
  EXPECT_EQ(p.trovato.errore, "no path along the tracks from 'Sud' to 'Nord'; the nearest gap is 30 m, between n2 and n3");
}

// The route begins and ends where the places meet the track, between nodes,
// and passes the place between.
TEST(Percorso, EndsBetweenNodesAndThroughAPlaceBetween) {
  mappa_osm m;
  m.nodo(1, 0, 0).nodo(2, 0, 1000).nodo(3, 0, 2000).nodo(4, 500, 1000);
  m.via(1, {1, 2, 3}, {{"railway", "rail"}, {"usage", "main"}});
  m.via(2, {2, 4}, {{"railway", "rail"}, {"usage", "branch"}});
  m.nodo(900, 5, 300, {{"railway", "halt"}, {"name", "A"}});
  m.nodo(901, 5, 1700, {{"railway", "halt"}, {"name", "B"}});
  const prova_percorso p = percorso_su(m, "A", "B");
  ASSERT_EQ(p.trovato.errore, "");
  ASSERT_EQ(p.trovato.p.punti.size(), 3u);
  EXPECT_EQ(p.trovato.p.nodi, (std::vector<int64_t>{0, 2, 0}));
  EXPECT_NEAR(p.trovato.p.punti.front().lat, 47.0 + 300.0 / 111195.08, 1e-6);
}

}  // namespace
}  // namespace sb
