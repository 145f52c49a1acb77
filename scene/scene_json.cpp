#include "scene/scene_json.h"

#include <cmath>
#include <cstdio>

#include "inspect/json_text.h"
#include "scenario/checked_conversion.h"
#include "scene/label_layout.h"
#include "scene/scene_style.h"

namespace sb {
namespace {

const char* nome_simbolo(simbolo s) {
  switch (s) {
    case simbolo::cerchio: return "circle";
    case simbolo::punto: return "dot";
    case simbolo::quadrato: return "square";
    case simbolo::rombo: return "diamond";
    case simbolo::triangolo: return "triangle";
    case simbolo::barra: return "bar";
  }
  return "";
}

std::string coordinata(double v) {
  char t[32];
  std::snprintf(t, sizeof t, "%.2f", v);
  return t;
}

void coppie(std::string& out, const std::vector<valore_elemento>& v) {
  out += "[";
  for (size_t k = 0; k < v.size(); ++k) {
    out += (k == 0 ? "[" : ",[") + json_stringa(v[k].nome) + "," + json_stringa(v[k].valore) + "]";
  }
  out += "]";
}

// ,FILE,LINE,"TEXT" when the row is known.
std::string origine(const riga_origine& o) {
  if (o.file < 0) return "";
  return "," + std::to_string(o.file) + "," + std::to_string(o.riga) + "," + json_stringa(o.testo);
}

void tracce_json(std::string& out) {
  out += "\"tracks\":[";
  bool primo = true;
  for (const traccia& t : tracce()) {
    out += primo ? "\n" : ",\n";
    primo = false;
    out += "{\"id\":" + json_stringa(t.id) + ",\"title\":" + json_stringa(t.titolo) +
           ",\"colour\":" + json_stringa(t.colore) + ",\"profile\":" + (t.profilo ? "true" : "false") +
           ",\"symbol\":" + json_stringa(nome_simbolo(t.forma)) + ",\"lanes\":" + std::to_string(t.corsie) +
           ",\"h\":" + std::to_string(t.altezza) + "}";
  }
  out += "],\n\"layout\":{\"mark\":" + std::to_string(kCentroSegni) + ",\"lane0\":" + std::to_string(kPrimaCorsia) +
         ",\"lane\":" + std::to_string(kAltezzaCorsia) + ",\"font\":" + std::to_string(kCorpoEtichette) +
         ",\"small\":" + std::to_string(kCorpoPiccolo) + ",\"gutter\":" + std::to_string(kGronda) +
         ",\"family\":" + json_stringa(kCarattere) + ",\"above\":" + coordinata(kSopraRiga) +
         ",\"below\":" + coordinata(kSottoRiga) + ",\"end\":" + json_stringa(kColoreFine) +
         ",\"fault\":" + json_stringa(kColoreGuasto) +
         ",\"faultKey\":" + json_stringa(kDidascaliaRilievi) + "}";
}

// The kind's track id.
const char* id_genere(genere_elemento g) {
  for (const traccia& t : tracce()) {
    if (!t.profilo && t.genere == g) return t.id;
  }
  return "";
}

void elemento_json(std::string& out, const elemento_scena& e) {
  out += "{\"k\":" + json_stringa(id_genere(e.genere)) + ",\"a\":" + std::to_string(e.da) +
         ",\"b\":" + std::to_string(e.a) + ",\"p\":" + std::to_string(e.punto);
  if (e.avviso != e.da) out += ",\"w\":" + std::to_string(e.avviso);
  out += ",\"n\":" + json_stringa(e.parola);
  if (!e.etichetta.empty()) out += ",\"l\":" + json_stringa(e.etichetta);
  out += ",\"r\":" + std::to_string(e.priorita);
  if (e.variante != 0) out += ",\"x\":" + std::to_string(e.variante);
  out += ",\"t\":" + json_stringa(titolo_elemento(e));
  out += ",\"v\":";
  coppie(out, e.valori);
  if (e.origine.file >= 0) out += ",\"s\":[" + origine(e.origine).substr(1) + "]";
  out += "}";
}

void profili_json(std::string& out, const scena& s) {
  out += "\"profiles\":{";
  bool primo = true;
  for (const profilo_scena& p : s.profili) {
    out += std::string(primo ? "\n" : ",\n") + json_stringa(parola_profilo(p.genere)) + ":[";
    primo = false;
    for (size_t k = 0; k < p.tratti.size(); ++k) {
      const tratto_profilo& t = p.tratti[k];
      out += (k == 0 ? "[" : ",[") + std::to_string(t.da) + "," + std::to_string(t.a) + "," +
             std::to_string(t.valore) + origine(t.origine) + "]";
    }
    out += "]";
  }
  out += "}";
}

void contorno_json(std::string& out, const contorno_pianta& c) {
  out += "\"outline\":";
  if (c.vuoto()) {
    out += "null";
    return;
  }
  out += "{\"ext\":[" + coordinata(c.x_min) + "," + coordinata(c.x_max) + "," + coordinata(c.y_min) + "," +
         coordinata(c.y_max) + "],\"levels\":[";
  // Each point as the steps from the one before (the first from 0): whole
  // metres, and centimetres of x and y, so that the sums give the rounded
  // coordinates back exactly and the numbers stay short.
  for (size_t l = 0; l < c.livelli.size(); ++l) {
    out += (l == 0 ? "\n{\"tol\":" : ",\n{\"tol\":") + coordinata(c.livelli[l].tolleranza) + ",\"d\":[";
    int64_t m = 0, x = 0, y = 0;
    const std::vector<punto_contorno>& p = c.livelli[l].punti;
    for (size_t k = 0; k < p.size(); ++k) {
      // The outline holds no point beyond kMassimaCoordinata; the clamp
      // keeps even a wrong one a defined integer.
      const int64_t cx = intero_limitato(p[k].x * 100, -kMassimoInteroEsatto, kMassimoInteroEsatto);
      const int64_t cy = intero_limitato(p[k].y * 100, -kMassimoInteroEsatto, kMassimoInteroEsatto);
      out += (k == 0 ? "" : ",") + std::to_string(p[k].metro - m) + "," + std::to_string(cx - x) + "," +
             std::to_string(cy - y);
      m = p[k].metro;
      x = cx;
      y = cy;
    }
    out += "]}";
  }
  out += "]}";
}

// A time or speed with one decimal; null where the run never gets.
std::string decimo(double v) { return std::isfinite(v) ? testo_decimale(v, 1) : "null"; }

// The fastest run: [metre, limit, speed, time] at every cell, and
// [metre, name, scheduled arrival, departure, fastest arrival, departure]
// at every timed station.
void marcia_json(std::string& out, const marcia_scena& m) {
  out += "\"run\":{\"cells\":[";
  for (size_t k = 0; k < m.punti.size(); ++k) {
    const punto_marcia& p = m.punti[k];
    out += (k == 0 ? "[" : ",[") + std::to_string(p.metro) + "," + decimo(p.limite_kmh) + "," +
           decimo(p.velocita_kmh) + "," + decimo(p.tempo_s) + "]";
  }
  out += "],\n\"times\":[";
  for (size_t k = 0; k < m.orari.size(); ++k) {
    const orario_marcia& o = m.orari[k];
    out += (k == 0 ? "[" : ",[") + std::to_string(o.metro) + "," + json_stringa(o.nome) + "," +
           decimo(o.arrivo_previsto) + "," + decimo(o.partenza_prevista) + "," + decimo(o.arrivo_minimo) + "," +
           decimo(o.partenza_minima) + "]";
  }
  out += "]}";
}

}  // namespace

std::string scena_in_json(const scena& s) {
  std::string out = "{\"line\":" + json_stringa(s.nome_linea) + ",\"train\":" + json_stringa(s.numero_treno) +
                    ",\"length\":" + std::to_string(s.lunghezza) + ",\"start\":" + std::to_string(s.inizio) +
                    ",\"end\":" + std::to_string(s.fine) + ",\n\"routeEnd\":{\"l\":" + json_stringa(etichetta_fine(s)) +
                    ",\"t\":" + json_stringa(titolo_fine(s)) + "},\n\"chainage\":[";
  for (size_t k = 0; k < s.progressive.size(); ++k) {
    out += (k == 0 ? "[" : ",[") + std::to_string(s.progressive[k].da) + "," + std::to_string(s.progressive[k].scarto) + "]";
  }
  out += "],\n\"files\":[";
  for (size_t k = 0; k < s.file.size(); ++k) out += (k == 0 ? "" : ",") + json_stringa(s.file[k]);
  out += "],\n\"general\":";
  coppie(out, s.generali);
  out += ",\n\"diagnostics\":[";
  for (size_t k = 0; k < s.diagnostiche.size(); ++k) {
    out += (k == 0 ? "{\"text\":" : ",{\"text\":") + json_stringa(s.diagnostiche[k].testo) +
           ",\"m\":" + std::to_string(s.diagnostiche[k].metro) +
           (s.diagnostiche[k].etichetta.empty() ? "" : ",\"l\":" + json_stringa(s.diagnostiche[k].etichetta)) + "}";
  }
  out += "],\n";
  tracce_json(out);
  out += ",\n\"items\":[";
  for (size_t k = 0; k < s.elementi.size(); ++k) {
    out += k == 0 ? "\n" : ",\n";
    elemento_json(out, s.elementi[k]);
  }
  out += "],\n";
  profili_json(out, s);
  out += ",\n";
  marcia_json(out, s.marcia);
  out += ",\n";
  contorno_json(out, s.contorno);
  return out + "}\n";
}

}  // namespace sb
