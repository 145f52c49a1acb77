#include "inspect/dump_text.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <ostream>
#include <sstream>
#include <vector>

#include "decompile/plan_stretches.h"
#include "inspect/author_terms.h"
#include "inspect/cell_meaning.h"
#include "inspect/json_text.h"
#include "platform/files.h"
#include "scenario/binary_decoders.h"
#include "scenario/format.h"
#include "text_input/utf8_input.h"

namespace sb {
namespace {

// One named field of an entry or cell, with its value and what it means.
struct campo {
  std::string nome;
  std::string valore;  // as printed; a JSON literal when json_pronto
  std::string nota;
  bool testo = false;  // a text value, quoted in both outputs
};

bool finisce_con(const std::string& s, const std::string& fine) {
  return s.size() >= fine.size() && s.compare(s.size() - fine.size(), fine.size(), fine) == 0;
}

// Adds the field when its value is not zero.
void aggiungi(std::vector<campo>& campi, const char* nome, int64_t valore, std::string nota = "") {
  if (valore != 0) campi.push_back({nome, std::to_string(valore), std::move(nota)});
}

// What each field of entry `indice` means, for the fixed entries.
std::string nota_oggetto(int indice, const std::string& nome) {
  struct voce {
    int indice;
    const char* campo;
    const char* nota;
  };
  static const voce note[] = {
      {84, "inizio", "braked mass, %"},
      {84, "fine", "route length, m"},
      {84, "posizione", "cars"},
      {85, "inizio", "sfondo uno"},
      {85, "posizione", "sfondo due"},
      {85, "fine", "sfondo tre"},
      {85, "param_1", "marker"},
      {85, "orario", "competition code"},
      {86, "inizio", "cab signalling start, m"},
      {86, "fine", "cab signalling end, m"},
      {86, "posizione", "cab signalling codes"},
      {86, "param_1", "sand"},
      {86, "param_3", "clock hours"},
      {86, "param_4", "clock minutes"},
      {86, "param_5", "clock seconds"},
  };
  for (const voce& v : note) {
    if (v.indice == indice && nome == v.campo) return v.nota;
  }
  if (indice >= 81 && indice <= 83) {
    if (nome == "inizio") return "first value";
    if (nome == "fine") return "second value";
    if (nome == "posizione") return "third value";
  }
  if (indice >= 1 && indice <= 80) {
    if (nome == "posizione") return "m";
    if (nome == "inizio") return "extent start, m";
    if (nome == "fine") return "extent end, m";
  }
  return "";
}

// The entry's non-zero fields, named.
std::vector<campo> campi_oggetto(int indice, const oggetto& o) {
  std::vector<campo> c;
  if (!o.nome.empty()) c.push_back({"nome", cp1252_in_utf8(o.nome), "", true});
  aggiungi(c, "tipo", o.tipo);
  if (e_stazione(indice, o))
    c.push_back({"posizione", std::to_string(o.posizione), ""});
  else
    aggiungi(c, "posizione", o.posizione);
  aggiungi(c, "inizio", o.inizio);
  aggiungi(c, "fine", o.fine);
  aggiungi(c, "opzione_1", o.opzione_1);
  aggiungi(c, "opzione_2", o.opzione_2);
  aggiungi(c, "opzione_3", o.opzione_3);
  aggiungi(c, "opzione_4", o.opzione_4);
  aggiungi(c, "opzione_5", o.opzione_5);
  aggiungi(c, "param_1", o.param_1);
  aggiungi(c, "param_2", o.param_2);
  aggiungi(c, "param_3", o.param_3);
  aggiungi(c, "param_4", o.param_4);
  aggiungi(c, "param_5", o.param_5);
  if (o.orario != 0 && indice >= 1 && indice <= 80) {
    c.push_back({"orario", orario_hms(o.orario), "", true});
  } else {
    aggiungi(c, "orario", o.orario);
  }
  for (campo& f : c) {
    if (f.nota.empty()) f.nota = nota_oggetto(indice, f.nome);
  }
  if (indice == kOggettoTreno && (o.param_3 != 0 || o.param_4 != 0 || o.param_5 != 0)) {
    c.push_back({"orologio", orario_hms((o.param_3 * 60 + o.param_4) * 60 + o.param_5), "clock at the start", true});
  }
  return c;
}

// The cell's item and mark fields, named.
std::vector<campo> campi_cella(const cella& c) {
  std::vector<campo> f;
  aggiungi(f, "tipo", c.tipo, std::string(significato_tipo_cella(c.tipo)));
  aggiungi(f, "dato_1", c.dato_1);
  aggiungi(f, "dato_2", c.dato_2);
  aggiungi(f, "dato_3", c.dato_3);
  aggiungi(f, "dato_4", c.dato_4);
  aggiungi(f, "tempo_segnale", c.tempo_segnale);
  aggiungi(f, "preavviso", c.preavviso, "approach mark");
  return f;
}

std::string campi_testo(const std::vector<campo>& campi) {
  std::string out;
  for (const campo& f : campi) {
    out += "  " + f.nome + "=" + (f.testo ? "\"" + visibile(f.valore) + "\"" : f.valore);
    if (!f.nota.empty()) out += " (" + f.nota + ")";
  }
  return out;
}

std::string campi_json(const std::vector<campo>& campi) {
  std::string out = "{";
  for (size_t i = 0; i < campi.size(); ++i) {
    if (i > 0) out += ", ";
    out += json_stringa(campi[i].nome) + ": " + (campi[i].testo ? json_stringa(campi[i].valore) : campi[i].valore);
  }
  return out + "}";
}

// A run of cells a..b (inclusive) holding one value.
struct tratto {
  size_t da = 0;
  size_t a = 0;
  int valore = 0;
};

std::vector<tratto> tratti(const celle_percorso& celle, const std::function<int(const cella&)>& valore) {
  std::vector<tratto> out;
  for (size_t i = 0; i < celle.size(); ++i) {
    int v = valore(celle[i]);
    if (!out.empty() && out.back().valore == v) {
      out.back().a = i;
    } else {
      out.push_back({i, i, v});
    }
  }
  return out;
}

// A profile: its name, unit and the value a cell shows.
struct profilo {
  const char* nome;
  const char* unita;
  std::function<int(const cella&)> valore;
};

std::vector<profilo> profili() {
  return {
      {"velocita", "km/h", [](const cella& c) { return c.velocita * 5; }},
      {"pendenza", "per mille", [](const cella& c) { return c.pendenza - 100; }},
      {"aderenza", "", [](const cella& c) { return static_cast<int>(c.aderenza); }},
      {"montagna", "span kind", [](const cella& c) { return static_cast<int>(c.montagna); }},
  };
}

// A figure of the plan, with three decimals.
std::string numero(double v) { return testo_decimale(v, 3); }
std::string numero_json(double v) { return json_decimale(v, 3); }

// Summary figures of a plan; the extent and the length are taken over the
// points whose two coordinates are finite.
struct sintesi_griglia {
  size_t punti = 0, vuoti = 0, interi = 0, reali = 0, non_finiti = 0;
  double x_min = 0, x_max = 0, y_min = 0, y_max = 0, lunghezza = 0;
  bool ha_punti = false;
};

double valore(const valore_variante& v) { return v.tipo == tipo_variante::intero ? v.intero : v.reale; }

sintesi_griglia sintetizza(const griglia_linea& g) {
  sintesi_griglia s;
  s.punti = g.x.size();
  bool precedente = false;
  double px = 0, py = 0;
  for (size_t k = 0; k < g.x.size(); ++k) {
    for (const valore_variante* v : {&g.x[k], &g.y[k]}) {
      if (v->tipo == tipo_variante::vuoto) ++s.vuoti;
      if (v->tipo == tipo_variante::intero) ++s.interi;
      if (v->tipo == tipo_variante::reale) ++s.reali;
      if (!std::isfinite(valore(*v))) ++s.non_finiti;
    }
    bool pieno = g.x[k].tipo != tipo_variante::vuoto && g.y[k].tipo != tipo_variante::vuoto;
    double x = valore(g.x[k]), y = valore(g.y[k]);
    if (!pieno || !std::isfinite(x) || !std::isfinite(y)) {
      precedente = false;
      continue;
    }
    if (!s.ha_punti) {
      s.x_min = s.x_max = x;
      s.y_min = s.y_max = y;
      s.ha_punti = true;
    }
    s.x_min = std::min(s.x_min, x);
    s.x_max = std::max(s.x_max, x);
    s.y_min = std::min(s.y_min, y);
    s.y_max = std::max(s.y_max, y);
    if (precedente) s.lunghezza += std::hypot(x - px, y - py);
    px = x;
    py = y;
    precedente = true;
  }
  return s;
}


// Where the plan's points stop following the compiler's steps, or "".
std::string fuori_passo(const piano_letto& l) {
  if (!l.seme_valido) return "points 0 and 1 are not the compiler's start";
  if (l.punto_estraneo < 0) return "";
  return "point " + std::to_string(l.punto_estraneo) + " follows from no straight or curve";
}

// The stretches as the line description writes them, one per line.
std::string tratti_testo(const piano_letto& l) {
  std::string out = "stretches (straights, and curves as the line description writes them):\n";
  for (const tratto_piano& t : l.tratti) {
    const std::string da_a =
        std::to_string(t.inizio) + "-" + std::to_string(t.fine) + " m (" + std::to_string(t.fine - t.inizio) + " m";
    if (t.cifra == 0) {
      out += "  straight " + da_a + ")\n";
    } else {
      out += "  " + parola_curva(t) + ",  " + std::to_string(t.inizio) + ",  " + std::to_string(t.fine - t.inizio) +
             "   " + da_a + ", radius " + std::to_string(raggio_cifra(t.cifra)) + " m, turning " +
             (t.verso_s ? "the s way" : "the d way") + ")\n";
    }
  }
  if (!fuori_passo(l).empty()) out += "  then no more: " + fuori_passo(l) + "\n";
  return out;
}

std::string tratti_json(const piano_letto& l) {
  std::string out = "[";
  for (size_t i = 0; i < l.tratti.size(); ++i) {
    const tratto_piano& t = l.tratti[i];
    out += i == 0 ? "" : ", ";
    out += "{\"from_m\": " + std::to_string(t.inizio) + ", \"to_m\": " + std::to_string(t.fine);
    if (t.cifra == 0) {
      out += ", \"kind\": \"straight\"}";
    } else {
      out += ", \"kind\": \"curve\", \"keyword\": " + json_stringa(parola_curva(t)) +
             ", \"radius_m\": " + std::to_string(raggio_cifra(t.cifra)) + "}";
    }
  }
  out += "]";
  if (!fuori_passo(l).empty()) out += ", \"stretches_stop\": " + json_stringa(fuori_passo(l));
  return out;
}

}  // namespace

tipo_binario riconosci(const std::string& file) {
  if (finisce_con(file, "_linea.dat")) return tipo_binario::griglia;
  if (finisce_con(file, ".sim")) return tipo_binario::tabella;
  if (finisce_con(file, ".dat")) return tipo_binario::celle;
  return tipo_binario::sconosciuto;
}

std::string descrivi_tabella(const tabella_oggetti& tabella, bool json) {
  std::ostringstream out;
  int piene = 0;
  for (int i = 0; i < kNumeroOggetti; ++i) piene += oggetto_vuoto(tabella[i]) ? 0 : 1;
  if (json)
    out << "{\"file\": \"object table\", \"entries\": [";
  else
    out << "object table: " << kNumeroOggetti << " entries, " << piene << " not empty\n";
  bool prima = true;
  for (int i = 0; i < kNumeroOggetti; ++i) {
    if (oggetto_vuoto(tabella[i])) continue;
    std::vector<campo> campi = campi_oggetto(i, tabella[i]);
    std::string ruolo(ruolo_oggetto(i, tabella[i]));
    std::vector<voce_autore> voci;
    if (e_stazione(i, tabella[i])) voci.push_back(voce_stazione(tabella[i]));
    if (i == kOggettoLinea && tabella[i].orario != 0) voci.push_back(voce_codice_tabella(tabella));
    if (json) {
      out << (prima ? "\n" : ",\n") << "  {\"entry\": " << i << ", \"role\": " << json_stringa(ruolo)
          << ", \"fields\": " << campi_json(campi);
      for (const voce_autore& v : voci) out << ", \"author\": " << voce_json(v);
      out << "}";
    } else {
      out << "entry " << i << " (" << ruolo << "):" << campi_testo(campi) << "\n";
      for (const voce_autore& v : voci) out << voce_testo(v) << "\n";
    }
    prima = false;
  }
  if (json) out << "\n]}\n";
  return out.str();
}

std::string descrivi_celle(const celle_percorso& celle, bool json, const tabella_oggetti* tabella) {
  const std::map<size_t, voce_autore> voci = voci_celle(celle, tabella);
  std::ostringstream out;
  if (json) {
    out << "{\"file\": \"route cells\", \"cells\": " << celle.size() << ", \"items\": [";
  } else {
    out << "route cells: " << celle.size() << " (cells 0 to " << (celle.empty() ? 0 : celle.size() - 1)
        << ", 50 m each; an item in cell i stands at (i - 1) x 50 m)\n";
  }
  bool prima = true;
  for (size_t i = 0; i < celle.size(); ++i) {
    const cella& c = celle[i];
    if (c.tipo == 0 && c.preavviso == 0 && c.dato_1 == 0 && c.dato_2 == 0) continue;
    std::vector<campo> campi = campi_cella(c);
    int64_t metri = (static_cast<int64_t>(i) - 1) * kMetriCella;
    auto voce = voci.find(i);
    if (json) {
      out << (prima ? "\n" : ",\n") << "  {\"cell\": " << i << ", \"at_m\": " << metri
          << ", \"item\": " << json_stringa(significato_tipo_cella(c.tipo)) << ", \"fields\": " << campi_json(campi);
      if (voce != voci.end()) out << ", \"author\": " << voce_json(voce->second);
      out << "}";
    } else {
      out << "cell " << i << " at " << metri << " m:" << campi_testo(campi) << "\n";
      if (voce != voci.end()) out << voce_testo(voce->second) << "\n";
    }
    prima = false;
  }
  if (json)
    out << "\n], \"profiles\": {";
  else
    out << "profiles (runs of equal values; cell c runs from c x 50 m):\n";
  bool primo_profilo = true;
  for (const profilo& p : profili()) {
    std::vector<tratto> t = tratti(celle, p.valore);
    if (json) {
      out << (primo_profilo ? "\n" : ",\n") << "  " << json_stringa(p.nome) << ": [";
      for (size_t k = 0; k < t.size(); ++k) {
        out << (k == 0 ? "" : ", ") << "{\"from_cell\": " << t[k].da << ", \"to_cell\": " << t[k].a
            << ", \"value\": " << t[k].valore << "}";
      }
      out << "]";
    } else {
      out << p.nome << (p.unita[0] != '\0' ? std::string(" (") + p.unita + ")" : std::string()) << ":\n";
      for (const tratto& r : t) {
        out << "  cells " << r.da << "-" << r.a << " (" << r.da * kMetriCella << "-" << (r.a + 1) * kMetriCella
            << " m): " << r.valore << "\n";
      }
    }
    primo_profilo = false;
  }
  if (json) out << "\n}}\n";
  return out.str();
}

std::string descrivi_griglia(const griglia_linea& griglia, bool json) {
  sintesi_griglia s = sintetizza(griglia);
  const piano_letto l = leggi_piano(griglia);
  std::ostringstream out;
  if (json) {
    out << "{\"file\": \"line plan\", \"points\": " << s.punti << ", \"kinds\": {\"empty\": " << s.vuoti
        << ", \"integer\": " << s.interi << ", \"real\": " << s.reali << "}";
    if (s.non_finiti != 0) out << ", \"non_finite\": " << s.non_finiti;
    if (s.ha_punti) {
      out << ", \"extent\": {\"x_min\": " << numero_json(s.x_min) << ", \"x_max\": " << numero_json(s.x_max)
          << ", \"y_min\": " << numero_json(s.y_min) << ", \"y_max\": " << numero_json(s.y_max) << "}"
          << ", \"length_m\": " << numero_json(s.lunghezza);
    }
    out << ", \"stretches\": " << tratti_json(l) << "}\n";
    return out.str();
  }
  out << "line plan: " << s.punti << " points (metres 0 to " << (s.punti == 0 ? 0 : s.punti - 1) << ")\n";
  out << "values: " << s.interi << " integer, " << s.reali << " real, " << s.vuoti << " empty\n";
  if (s.non_finiti != 0) out << "not finite (NaN or infinite): " << s.non_finiti << " values\n";
  if (s.ha_punti) {
    out << "extent: x " << numero(s.x_min) << " to " << numero(s.x_max) << ", y " << numero(s.y_min) << " to "
        << numero(s.y_max) << "\n";
    out << "length along the points: " << numero(s.lunghezza) << " m\n";
  }
  out << tratti_testo(l);
  return out.str();
}

std::string tabella_accanto(const std::string& file_celle) {
  if (!finisce_con(file_celle, ".dat")) return "";
  return file_celle.substr(0, file_celle.size() - 4) + ".sim";
}

bool leggi_tabella_accanto(const std::string& celle, const std::string& data, tabella_oggetti& t, std::ostream& err) {
  const std::string file = data.empty() ? tabella_accanto(celle) : data;
  if (file.empty() || (data.empty() && !file_esiste(file))) return false;
  std::string byte;
  if (esito_file e = leggi_file(file, byte); !e.ok) {
    if (!data.empty()) err << e.messaggio() << "\n";
    return false;
  }
  esito_decodifica d = decodifica_tabella(byte, t);
  if (!d.ok && !data.empty()) err << file << ": " << d.messaggio() << "\n";
  return d.ok;
}

}  // namespace sb
