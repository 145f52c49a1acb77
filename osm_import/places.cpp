#include "osm_import/places.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <cstdint>
#include <map>

#include "osm_import/names.h"
#include "text_input/suggestions.h"

namespace sb {
namespace {

// Whether the text, blanks aside, is one finite number.
bool e_numero(std::string_view s, double& v) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  if (s.empty()) return false;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  return r.ec == std::errc() && r.ptr == s.data() + s.size() && std::isfinite(v);
}

// "lat,lon" in degrees, when the text is one.
bool coordinate_scritte(std::string_view t, coordinate& c) {
  const size_t virgola = t.find(',');
  if (virgola == std::string_view::npos) return false;
  return e_numero(t.substr(0, virgola), c.lat) && e_numero(t.substr(virgola + 1), c.lon);
}

// "n123", when the text is one.
bool nodo_scritto(std::string_view t, int64_t& id) {
  if (t.size() < 2 || (t[0] != 'n' && t[0] != 'N')) return false;
  const auto r = std::from_chars(t.data() + 1, t.data() + t.size(), id);
  return r.ec == std::errc() && r.ptr == t.data() + t.size();
}

// A place given as a node of the railway.
luogo_trovato per_nodo(const dati_osm& dati, std::string_view testo, int64_t id) {
  luogo_trovato r;
  r.l.nome = std::string(testo);
  if (auto it = dati.nodi.find(id); it != dati.nodi.end()) {
    r.l.punti.push_back(it->second);
    return r;
  }
  for (const punto_osm& p : dati.punti) {
    if (p.id == id) {
      r.l.punti.push_back(p.dove);
      return r;
    }
  }
  r.errore = "no node " + std::string(testo) + " on the file's railway";
  return r;
}

// A place given as latitude and longitude.
luogo_trovato per_coordinate(std::string_view testo, const coordinate& c) {
  luogo_trovato r;
  r.l.nome = std::string(testo);
  if (std::fabs(c.lat) > 90.0 || std::fabs(c.lon) > 180.0) {
    r.errore = "'" + std::string(testo) + "' is no place: latitude -90 to 90, longitude -180 to 180";
    return r;
  }
  r.l.punti.push_back(c);
  return r;
}

// The stations of the file by their names (as tagged), each with its nodes.
std::map<std::string, std::vector<coordinate>> stazioni_per_nome(const dati_osm& dati) {
  std::map<std::string, std::vector<coordinate>> nomi;
  for (const punto_osm& p : dati.punti) {
    if (stazione_con_nome(p)) nomi[std::string(valore_tag(p.tag, "name"))].push_back(p.dove);
  }
  return nomi;
}

// A place given as a station's name.
luogo_trovato per_nome(const dati_osm& dati, std::string_view testo) {
  luogo_trovato r;
  const auto nomi = stazioni_per_nome(dati);
  const std::string cercato = piegato(testo);
  std::vector<std::string> uguali, contenenti;
  for (const auto& [nome, punti] : nomi) {
    const std::string p = piegato(nome);
    if (p == cercato) uguali.push_back(nome);
    if (!cercato.empty() && p.find(cercato) != std::string::npos) contenenti.push_back(nome);
  }
  const std::vector<std::string>& scelti = !uguali.empty() ? uguali : contenenti;
  if (scelti.size() == 1) {
    r.l.nome = scelti.front();
    r.l.punti = nomi.at(scelti.front());
    r.l.stazione = true;
    return r;
  }
  if (scelti.size() > 1) {
    r.errore = "'" + std::string(testo) + "' matches " + std::to_string(scelti.size()) + " stations:";
    for (const std::string& n : scelti) r.errore += " '" + n + "'";
    return r;
  }
  r.errore = "no station named '" + std::string(testo) + "' in the file";
  std::vector<std::string> piegati;
  for (const auto& [nome, punti] : nomi) piegati.push_back(piegato(nome));
  const std::vector<std::string_view> viste(piegati.begin(), piegati.end());
  const std::string_view vicino = suggerisci(cercato, viste);
  if (!vicino.empty()) {
    auto it = nomi.begin();
    std::advance(it, std::find(viste.begin(), viste.end(), vicino) - viste.begin());
    r.errore += "; did you mean '" + it->first + "'?";
  }
  return r;
}

}  // namespace

bool stazione_con_nome(const punto_osm& p) {
  if (valore_tag(p.tag, "name").empty()) return false;
  const std::string_view ferrovia = valore_tag(p.tag, "railway");
  return ferrovia == "station" || ferrovia == "halt" || ferrovia == "stop" ||
         valore_tag(p.tag, "public_transport") == "stop_position";
}

luogo_trovato trova_luogo(const dati_osm& dati, std::string_view testo) {
  int64_t id = 0;
  if (nodo_scritto(testo, id)) return per_nodo(dati, testo, id);
  coordinate c;
  if (coordinate_scritte(testo, c)) return per_coordinate(testo, c);
  return per_nome(dati, testo);
}

}  // namespace sb
