// For tests: small OpenStreetMap files written by hand, their nodes placed in
// metres east and north of 47 N 9.5 E.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace sb::prova {

// A small OSM XML file being written.
class mappa_osm {
 public:
  // A node at metres east and north of the origin, with its tags.
  mappa_osm& nodo(int64_t id, double est, double nord, const std::vector<std::pair<std::string, std::string>>& tag = {}) {
    constexpr double kMetriGrado = 6371008.8 * 3.14159265358979323846 / 180.0;
    const double lat = 47.0 + nord / kMetriGrado;
    const double lon = 9.5 + est / (kMetriGrado * std::cos(47.0 * 3.14159265358979323846 / 180.0));
    corpo_ += "  <node id=\"" + std::to_string(id) + "\" lat=\"" + numero(lat) + "\" lon=\"" + numero(lon) + "\"";
    if (tag.empty()) {
      corpo_ += "/>\n";
      return *this;
    }
    corpo_ += ">\n" + tags(tag) + "  </node>\n";
    return *this;
  }

  // A way through the nodes, with its tags.
  mappa_osm& via(int64_t id, const std::vector<int64_t>& nodi, const std::vector<std::pair<std::string, std::string>>& tag) {
    corpo_ += "  <way id=\"" + std::to_string(id) + "\">\n";
    for (int64_t n : nodi) corpo_ += "    <nd ref=\"" + std::to_string(n) + "\"/>\n";
    corpo_ += tags(tag) + "  </way>\n";
    return *this;
  }

  std::string testo() const {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<osm version=\"0.6\">\n" + corpo_ + "</osm>\n";
  }

  // Writes the file; returns its path.
  std::string scrivi(const std::string& file) const {
    std::ofstream(file, std::ios::binary) << testo();
    return file;
  }

 private:
  static std::string numero(double v) {
    char t[32];
    std::snprintf(t, sizeof t, "%.7f", v);
    return t;
  }
  static std::string tags(const std::vector<std::pair<std::string, std::string>>& tag) {
    std::string s;
    for (const auto& [k, v] : tag) s += "    <tag k=\"" + k + "\" v=\"" + v + "\"/>\n";
    return s;
  }
  std::string corpo_;
};

}  // namespace sb::prova
