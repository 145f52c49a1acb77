// The railway of an OpenStreetMap file as the import keeps it: the tracks
// (ways tagged railway=rail) with the places of their nodes, and the tagged
// nodes an import reads (stations, stops, signals, posts, crossings).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace sb {

// A tag of an object: key and value, UTF-8 as the file holds them.
using tag_osm = std::pair<std::string, std::string>;

// The value of a tag, or empty when the object has none.
std::string_view valore_tag(const std::vector<tag_osm>& tag, std::string_view chiave);

// A place on the ellipsoid, degrees.
struct coordinate {
  double lat = 0.0;
  double lon = 0.0;
};

// One track: a way tagged railway=rail, its nodes in order and its tags.
struct binario_osm {
  int64_t id = 0;
  std::vector<int64_t> nodi;
  std::vector<tag_osm> tag;
};

// A tagged node the import reads: a station, halt or stop, a stop position,
// a signal, a kilometre post, a level crossing.
struct punto_osm {
  int64_t id = 0;
  coordinate dove;
  std::vector<tag_osm> tag;
};

// What an import keeps of a file.
struct dati_osm {
  std::vector<binario_osm> binari;
  std::unordered_map<int64_t, coordinate> nodi;  // the places of the tracks' nodes
  std::vector<punto_osm> punti;
};

// Outcome of reading a file: empty errore when read.
struct lettura_osm {
  dati_osm dati;
  std::string errore;  // "PATH: REASON"
  bool file_illeggibile = false;  // the system could not read the file (else: not OSM data)
};

// Whether a node's tags make it one the import reads.
bool punto_interessante(const std::vector<tag_osm>& tag);

// Reads the railway of an OSM file (.osm, .osm.pbf, .osm.bz2, .osm.gz),
// streaming: a first pass keeps the tracks, a second only the places of their
// nodes and the tagged nodes, so nothing else of a country is held.
lettura_osm leggi_osm(const std::string& file);

}  // namespace sb
