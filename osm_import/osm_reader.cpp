#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <osmium/handler.hpp>
#include <osmium/io/any_input.hpp>
#include <osmium/visitor.hpp>

#include "osm_import/osm_data.h"

namespace sb {
namespace {

// The tags of an object as the import keeps them.
std::vector<tag_osm> copia_tag(const osmium::TagList& lista) {
  std::vector<tag_osm> tag;
  tag.reserve(lista.size());
  for (const osmium::Tag& t : lista) tag.emplace_back(t.key(), t.value());
  return tag;
}

// First pass: the tracks.
struct raccogli_binari : osmium::handler::Handler {
  std::vector<binario_osm>* binari = nullptr;

  void way(const osmium::Way& w) {
    const char* ferrovia = w.tags().get_value_by_key("railway");
    if (ferrovia == nullptr || std::strcmp(ferrovia, "rail") != 0) return;
    binario_osm b;
    b.id = w.id();
    b.nodi.reserve(w.nodes().size());
    for (const osmium::NodeRef& n : w.nodes()) b.nodi.push_back(n.ref());
    b.tag = copia_tag(w.tags());
    binari->push_back(std::move(b));
  }
};

// Second pass: the places of the tracks' nodes and the tagged nodes.
struct raccogli_nodi : osmium::handler::Handler {
  const std::vector<int64_t>* cercati = nullptr;  // sorted
  dati_osm* dati = nullptr;

  void node(const osmium::Node& n) {
    if (!n.location().valid()) return;
    const coordinate dove{n.location().lat(), n.location().lon()};
    if (std::binary_search(cercati->begin(), cercati->end(), n.id())) dati->nodi.emplace(n.id(), dove);
    if (n.tags().empty()) return;
    std::vector<tag_osm> tag = copia_tag(n.tags());
    if (punto_interessante(tag)) dati->punti.push_back({n.id(), dove, std::move(tag)});
  }
};

// Why the file cannot be read at all, before the reader tries: missing, a
// folder, no permission. Empty when it opens.
std::string perche_illeggibile(const std::string& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::strerror(errno);
  struct stat st {};
  const bool regolare = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  ::close(fd);
  return regolare ? "" : "not a regular file";
}

// One pass of the reader over the entities given.
template <typename Handler>
void passa(const osmium::io::File& file, osmium::osm_entity_bits::type quali, Handler& h) {
  osmium::io::Reader reader{file, quali, osmium::io::read_meta::no};
  osmium::apply(reader, h);
  reader.close();
}

}  // namespace

std::string_view valore_tag(const std::vector<tag_osm>& tag, std::string_view chiave) {
  for (const tag_osm& t : tag) {
    if (t.first == chiave) return t.second;
  }
  return {};
}

bool punto_interessante(const std::vector<tag_osm>& tag) {
  const std::string_view ferrovia = valore_tag(tag, "railway");
  static constexpr std::string_view kLetti[] = {"station", "halt",      "stop",          "signal",
                                                "milestone", "level_crossing", "crossing"};
  if (std::find(std::begin(kLetti), std::end(kLetti), ferrovia) != std::end(kLetti)) return true;
  return valore_tag(tag, "public_transport") == "stop_position" && valore_tag(tag, "train") == "yes";
}

lettura_osm leggi_osm(const std::string& file_osm) {
  lettura_osm l;
  if (std::string motivo = perche_illeggibile(file_osm); !motivo.empty()) {
    l.errore = file_osm + ": " + motivo;
    l.file_illeggibile = true;
    return l;
  }
  try {
    const osmium::io::File file{file_osm};
    if (file.format() == osmium::io::file_format::unknown) {
      l.errore = file_osm + ": not an OSM file (its name should end in .osm, .osm.pbf, .osm.bz2 or .osm.gz)";
      return l;
    }
    raccogli_binari binari;
    binari.binari = &l.dati.binari;
    passa(file, osmium::osm_entity_bits::way, binari);
    std::vector<int64_t> cercati;
    for (const binario_osm& b : l.dati.binari) cercati.insert(cercati.end(), b.nodi.begin(), b.nodi.end());
    std::sort(cercati.begin(), cercati.end());
    cercati.erase(std::unique(cercati.begin(), cercati.end()), cercati.end());
    raccogli_nodi nodi;
    nodi.cercati = &cercati;
    nodi.dati = &l.dati;
    passa(file, osmium::osm_entity_bits::node, nodi);
  } catch (const std::exception& e) {
    l.dati = {};
    l.errore = file_osm + ": not an OSM file (" + e.what() + ")";
  }
  return l;
}

}  // namespace sb
