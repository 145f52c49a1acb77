#include "scene/scene_diff.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string_view>

#include "inspect/json_text.h"

namespace sb {
namespace {

// Values an item's row does not hold, or that follow from others: where it
// stands (told as a move), its entry in the object table, its extent and
// stop cell, the times the station's time is read as.
bool derivato(const std::string& nome) {
  constexpr std::array<std::string_view, 10> nomi = {"posizione", "inizio",   "entry",   "extent",  "stop point",
                                                     "warning point", "note", "departure", "arrival", "passing"};
  return std::find(nomi.begin(), nomi.end(), nome) != nomi.end();
}

// Whether two lists hold the same values in the same order.
bool uguali(const std::vector<valore_elemento>& a, const std::vector<valore_elemento>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const valore_elemento& x, const valore_elemento& y) {
    return x.nome == y.nome && x.valore == y.valore;
  });
}

// An item's own values, in the order its row writes them.
std::vector<valore_elemento> propri(const elemento_scena& e) {
  std::vector<valore_elemento> v;
  for (const valore_elemento& x : e.valori) {
    if (!derivato(x.nome)) v.push_back(x);
  }
  return v;
}

// The values that differ between two lists, by name; a value on one side
// only has an empty other side.
std::vector<campo_cambiato> confronta(const std::vector<valore_elemento>& a, const std::vector<valore_elemento>& b) {
  std::vector<campo_cambiato> c;
  auto trova = [](const std::vector<valore_elemento>& l, const std::string& nome) -> const valore_elemento* {
    for (const valore_elemento& x : l) {
      if (x.nome == nome) return &x;
    }
    return nullptr;
  };
  for (const valore_elemento& x : b) {
    const valore_elemento* y = trova(a, x.nome);
    if (y == nullptr) c.push_back({x.nome, "", x.valore});
    else if (y->valore != x.valore) c.push_back({x.nome, y->valore, x.valore});
  }
  for (const valore_elemento& y : a) {
    if (trova(b, y.nome) == nullptr) c.push_back({y.nome, y.valore, ""});
  }
  return c;
}

// What an item is wherever it stands: its label and own values, its extent's
// length instead of where the extent ends.
std::vector<valore_elemento> contenuto(const elemento_scena& e) {
  std::vector<valore_elemento> v = {{"label", e.etichetta}, {"length", std::to_string(e.a - e.da)}};
  for (const valore_elemento& x : propri(e)) {
    if (x.nome != "fine") v.push_back(x);
  }
  return v;
}

// An item the author wrote: not a code-reduction point the signal pass put.
bool dell_autore(const elemento_scena& e) {
  for (const valore_elemento& x : e.valori) {
    if (x.nome == "placed by") return false;
  }
  return true;
}

// A change of an item, with the parts shared by every kind.
cambio_scena cambio(const elemento_scena& e, genere_cambio g) {
  cambio_scena c;
  c.metro = e.punto;
  c.parola = e.parola;
  // A station is known by its name and a sign board by its caption; the
  // other items' labels only repeat their values.
  if (e.genere == genere_elemento::stazione || e.genere == genere_elemento::cartello) c.nome = e.etichetta;
  c.genere = g;
  c.da = c.a = e.punto;
  return c;
}

// An item added or removed, with its values; a station's name says enough.
cambio_scena aggiunto_o_rimosso(const elemento_scena& e, genere_cambio g) {
  cambio_scena c = cambio(e, g);
  if (e.genere == genere_elemento::stazione) return c;
  for (const valore_elemento& x : propri(e)) {
    c.campi.push_back(g == genere_cambio::aggiunto ? campo_cambiato{x.nome, "", x.valore}
                                                   : campo_cambiato{x.nome, x.valore, ""});
  }
  return c;
}

// The changes among the items of one kind. Matched in turn: the same item
// where it was; a station by its name (moved or changed); the item at the
// same place (changed, a station renamed); the same item elsewhere, the
// nearest (moved). What is left was added or removed.
void differenze_genere(const std::vector<const elemento_scena*>& v, const std::vector<const elemento_scena*>& n,
                       std::vector<cambio_scena>& out) {
  std::vector<bool> usato_v(v.size(), false), usato_n(n.size(), false);
  auto abbina = [&](auto regola, auto esito) {
    for (size_t j = 0; j < n.size(); ++j) {
      if (usato_n[j]) continue;
      size_t migliore = v.size();
      for (size_t i = 0; i < v.size(); ++i) {
        if (usato_v[i] || !regola(*v[i], *n[j])) continue;
        if (migliore == v.size() || std::llabs(v[i]->punto - n[j]->punto) < std::llabs(v[migliore]->punto - n[j]->punto)) {
          migliore = i;
        }
      }
      if (migliore == v.size()) continue;
      usato_v[migliore] = usato_n[j] = true;
      esito(*v[migliore], *n[j]);
    }
  };
  const bool stazioni = !n.empty() ? n.front()->genere == genere_elemento::stazione
                                   : !v.empty() && v.front()->genere == genere_elemento::stazione;
  abbina([](const elemento_scena& a, const elemento_scena& b) {
    return a.punto == b.punto && a.a == b.a && a.etichetta == b.etichetta && uguali(propri(a), propri(b));
  }, [](const elemento_scena&, const elemento_scena&) {});
  auto spostato_o_cambiato = [&](const elemento_scena& a, const elemento_scena& b) {
    cambio_scena c = cambio(b, a.punto != b.punto ? genere_cambio::spostato : genere_cambio::cambiato);
    c.da = a.punto;
    c.campi = confronta(propri(a), propri(b));
    if (c.genere == genere_cambio::spostato || !c.campi.empty()) out.push_back(c);
  };
  if (stazioni) {
    abbina([](const elemento_scena& a, const elemento_scena& b) { return a.etichetta == b.etichetta; },
           spostato_o_cambiato);
  }
  abbina([](const elemento_scena& a, const elemento_scena& b) { return a.punto == b.punto; },
         [&](const elemento_scena& a, const elemento_scena& b) {
           cambio_scena c = cambio(b, genere_cambio::cambiato);
           c.campi = confronta(propri(a), propri(b));
           if (c.campi.empty() && a.a != b.a) c.campi = {{"fine", std::to_string(a.a), std::to_string(b.a)}};
           if (c.campi.empty() && a.etichetta == b.etichetta) return;
           if (stazioni && a.etichetta != b.etichetta) {
             c.genere = genere_cambio::rinominato;
             std::erase_if(c.campi, [](const campo_cambiato& x) { return x.nome == "nome"; });
             c.campi.insert(c.campi.begin(), campo_cambiato{"nome", a.etichetta, b.etichetta});
           }
           out.push_back(c);
         });
  abbina([](const elemento_scena& a, const elemento_scena& b) { return uguali(contenuto(a), contenuto(b)); },
         spostato_o_cambiato);
  for (size_t j = 0; j < n.size(); ++j) {
    if (!usato_n[j]) out.push_back(aggiunto_o_rimosso(*n[j], genere_cambio::aggiunto));
  }
  for (size_t i = 0; i < v.size(); ++i) {
    if (!usato_v[i]) out.push_back(aggiunto_o_rimosso(*v[i], genere_cambio::rimosso));
  }
}

// The items of a scene by kind, those of the author's rows only.
std::map<genere_elemento, std::vector<const elemento_scena*>> per_genere(const scena& s) {
  std::map<genere_elemento, std::vector<const elemento_scena*>> m;
  for (const elemento_scena& e : s.elementi) {
    if (dell_autore(e)) m[e.genere].push_back(&e);
  }
  return m;
}

void differenze_elementi(const scena& vecchia, const scena& nuova, std::vector<cambio_scena>& out) {
  auto v = per_genere(vecchia), n = per_genere(nuova);
  std::set<genere_elemento> generi;
  for (const auto& [g, l] : v) generi.insert(g);
  for (const auto& [g, l] : n) generi.insert(g);
  for (genere_elemento g : generi) differenze_genere(v[g], n[g], out);
}

// One profile as the rows that set it: where each value begins.
struct gradino_profilo {
  int64_t da = 0;
  int32_t valore = 0;
};

// The changes of one profile's rows: a row whose value changed where it
// stands, a row that moved (the same value, nearest), rows added or removed.
void differenze_profilo(const profilo_scena* v, const profilo_scena* n, std::string_view parola,
                        std::vector<cambio_scena>& out) {
  std::vector<gradino_profilo> a, b;
  if (v != nullptr) for (const tratto_profilo& t : v->tratti) a.push_back({t.da, t.valore});
  if (n != nullptr) for (const tratto_profilo& t : n->tratti) b.push_back({t.da, t.valore});
  std::vector<bool> usato_a(a.size(), false), usato_b(b.size(), false);
  auto abbina = [&](auto regola, auto esito) {
    for (size_t j = 0; j < b.size(); ++j) {
      if (usato_b[j]) continue;
      size_t migliore = a.size();
      for (size_t i = 0; i < a.size(); ++i) {
        if (usato_a[i] || !regola(a[i], b[j])) continue;
        if (migliore == a.size() || std::llabs(a[i].da - b[j].da) < std::llabs(a[migliore].da - b[j].da)) migliore = i;
      }
      if (migliore == a.size()) continue;
      usato_a[migliore] = usato_b[j] = true;
      esito(a[migliore], b[j]);
    }
  };
  auto nuovo = [&](int64_t metro, genere_cambio g) {
    cambio_scena c;
    c.metro = c.da = c.a = metro;
    c.parola = parola;
    c.genere = g;
    return c;
  };
  abbina([](const gradino_profilo& x, const gradino_profilo& y) { return x.da == y.da && x.valore == y.valore; },
         [](const gradino_profilo&, const gradino_profilo&) {});
  abbina([](const gradino_profilo& x, const gradino_profilo& y) { return x.da == y.da; },
         [&](const gradino_profilo& x, const gradino_profilo& y) {
           cambio_scena c = nuovo(y.da, genere_cambio::cambiato);
           c.campi = {{"value", std::to_string(x.valore), std::to_string(y.valore)}};
           out.push_back(c);
         });
  abbina([](const gradino_profilo& x, const gradino_profilo& y) { return x.valore == y.valore; },
         [&](const gradino_profilo& x, const gradino_profilo& y) {
           cambio_scena c = nuovo(y.da, genere_cambio::spostato);
           c.da = x.da;
           c.nome = std::to_string(y.valore);
           out.push_back(c);
         });
  for (size_t j = 0; j < b.size(); ++j) {
    if (usato_b[j]) continue;
    cambio_scena c = nuovo(b[j].da, genere_cambio::aggiunto);
    c.nome = std::to_string(b[j].valore);
    out.push_back(c);
  }
  for (size_t i = 0; i < a.size(); ++i) {
    if (usato_a[i]) continue;
    cambio_scena c = nuovo(a[i].da, genere_cambio::rimosso);
    c.nome = std::to_string(a[i].valore);
    out.push_back(c);
  }
}

const profilo_scena* profilo_di(const scena& s, genere_profilo g) {
  for (const profilo_scena& p : s.profili) {
    if (p.genere == g) return &p;
  }
  return nullptr;
}

void differenze_profili(const scena& vecchia, const scena& nuova, std::vector<cambio_scena>& out) {
  for (genere_profilo g : {genere_profilo::pendenza, genere_profilo::velocita, genere_profilo::aderenza}) {
    const profilo_scena* v = profilo_di(vecchia, g);
    const profilo_scena* n = profilo_di(nuova, g);
    if (v != nullptr || n != nullptr) differenze_profilo(v, n, parola_profilo(g), out);
  }
}

// The general rows, the line's name and the train's number.
std::vector<valore_elemento> generali_di(const scena& s) {
  std::vector<valore_elemento> v = {{"line name", s.nome_linea}, {"train number", s.numero_treno}};
  v.insert(v.end(), s.generali.begin(), s.generali.end());
  return v;
}

void differenze_generali(const scena& vecchia, const scena& nuova, std::vector<cambio_scena>& out) {
  for (const campo_cambiato& x : confronta(generali_di(vecchia), generali_di(nuova))) {
    cambio_scena c;
    c.parola = "generale";
    c.nome = x.nome;
    c.campi = {x};
    out.push_back(c);
  }
}

// A leg of the run between two timed stations, as check reads it.
struct tratta_scena {
  std::string da, a;
  int64_t metro = 0;  // where the train stops or passes at its end
  double minimo_s = 0;
  double margine_pct = 0;
};

std::vector<tratta_scena> tratte_scena(const scena& s) {
  std::vector<tratta_scena> t;
  const std::vector<orario_marcia>& o = s.marcia.orari;
  for (size_t k = 1; k < o.size(); ++k) {
    const double minimo = o[k].arrivo_minimo - o[k - 1].partenza_minima;
    const double previsto = o[k].arrivo_previsto - o[k - 1].partenza_prevista;
    t.push_back({o[k - 1].nome, o[k].nome, o[k].metro, minimo, minimo > 0 ? (previsto - minimo) / minimo * 100.0 : 0});
  }
  return t;
}

// "2:34.1"; "-" for a time the train never makes.
std::string minuti_secondi(double s) {
  if (!std::isfinite(s)) return "-";
  const int64_t d = static_cast<int64_t>(std::round(s * 10.0));
  char testo[48];
  std::snprintf(testo, sizeof testo, "%lld:%02lld.%lld", static_cast<long long>(d / 600),
                static_cast<long long>(d / 10 % 60), static_cast<long long>(d % 10));
  return testo;
}

// "+16.8 %"; "-" where the train never gets there.
std::string per_cento(double v) {
  if (!std::isfinite(v)) return "-";
  char testo[48];
  std::snprintf(testo, sizeof testo, "%+.1f %%", v);
  return testo;
}

// The legs on both sides whose fastest time or margin changed, as shown.
void differenze_tratte(const scena& vecchia, const scena& nuova, std::vector<cambio_scena>& out) {
  const std::vector<tratta_scena> v = tratte_scena(vecchia);
  for (const tratta_scena& n : tratte_scena(nuova)) {
    auto x = std::find_if(v.begin(), v.end(), [&](const tratta_scena& t) { return t.da == n.da && t.a == n.a; });
    if (x == v.end()) continue;
    const std::string m0 = minuti_secondi(x->minimo_s), m1 = minuti_secondi(n.minimo_s);
    const std::string p0 = per_cento(x->margine_pct), p1 = per_cento(n.margine_pct);
    if (m0 == m1 && p0 == p1) continue;
    cambio_scena c;
    c.metro = c.da = c.a = n.metro;
    c.parola = "tratta";
    c.nome = n.da + " - " + n.a;
    c.campi = {{"fastest", m0, m1}, {"margin", p0, p1}};
    out.push_back(c);
  }
}

// The order of the list: general rows, then by metre, an item before a leg.
bool in_ordine(const cambio_scena& a, const cambio_scena& b) {
  auto rango = [](const cambio_scena& c) { return c.parola == "generale" ? 0 : c.parola == "tratta" ? 2 : 1; };
  const bool ga = rango(a) == 0, gb = rango(b) == 0;
  if (ga != gb) return ga;
  if (a.metro != b.metro) return a.metro < b.metro;
  return rango(a) < rango(b);
}

// "+50 m", "-100 m".
std::string spostamento(int64_t metri) { return (metri > 0 ? "+" : "") + metri_leggibili(metri) + " m"; }

// "orario 07:30:00 -> 07:31:00", "didascalia (none) -> ..."
std::string campi_testo(const std::vector<campo_cambiato>& campi) {
  std::string out;
  for (const campo_cambiato& x : campi) {
    if (!out.empty()) out += ", ";
    out += x.nome + " " + (x.prima.empty() ? "(none)" : x.prima) + " -> " + (x.dopo.empty() ? "(none)" : x.dopo);
  }
  return out;
}

// ": sx 2, s1 0, ..." the values of an item added or removed; empty without.
std::string valori_testo(const std::vector<campo_cambiato>& campi, std::string campo_cambiato::*lato) {
  std::string out;
  for (const campo_cambiato& x : campi) out += (out.empty() ? ": " : ", ") + x.nome + " " + x.*lato;
  return out;
}

// What happened, for one line of text.
std::string che_cosa(const cambio_scena& c) {
  switch (c.genere) {
    case genere_cambio::aggiunto: return "added" + valori_testo(c.campi, &campo_cambiato::dopo);
    case genere_cambio::rimosso: return "removed" + valori_testo(c.campi, &campo_cambiato::prima);
    case genere_cambio::spostato:
      return "moved " + spostamento(c.a - c.da) + " from " + metri_leggibili(c.da) + " m" +
             (c.campi.empty() ? "" : "; " + campi_testo(c.campi));
    case genere_cambio::rinominato:
    case genere_cambio::cambiato: return campi_testo(c.campi);
  }
  return "";
}

const char* genere_json(genere_cambio g) {
  switch (g) {
    case genere_cambio::aggiunto: return "added";
    case genere_cambio::rimosso: return "removed";
    case genere_cambio::spostato: return "moved";
    case genere_cambio::rinominato: return "renamed";
    case genere_cambio::cambiato: return "changed";
  }
  return "changed";
}

}  // namespace

std::vector<cambio_scena> differenze_scene(const scena& vecchia, const scena& nuova) {
  std::vector<cambio_scena> out;
  differenze_generali(vecchia, nuova, out);
  differenze_elementi(vecchia, nuova, out);
  differenze_profili(vecchia, nuova, out);
  differenze_tratte(vecchia, nuova, out);
  std::stable_sort(out.begin(), out.end(), in_ordine);
  return out;
}

std::string differenze_testo(const std::vector<cambio_scena>& cambi) {
  std::string out;
  for (const cambio_scena& c : cambi) {
    if (c.parola == "generale") {
      out += "generale " + campi_testo(c.campi) + "\n";
      continue;
    }
    out += c.parola + (c.nome.empty() ? "" : " " + c.nome) + " at " + metri_leggibili(c.metro) + " m: " + che_cosa(c) +
           "\n";
  }
  return out;
}

std::string differenze_json(const std::vector<cambio_scena>& cambi) {
  std::string out = "[";
  for (size_t k = 0; k < cambi.size(); ++k) {
    const cambio_scena& c = cambi[k];
    out += std::string(k == 0 ? "\n" : ",\n") + " {\"row\": " + json_stringa(c.parola) +
           ", \"name\": " + json_stringa(c.nome) + ", \"change\": \"" + genere_json(c.genere) + "\"";
    if (c.parola != "generale") out += ", \"at_m\": " + std::to_string(c.metro);
    if (c.genere == genere_cambio::spostato) out += ", \"from_m\": " + std::to_string(c.da);
    out += ", \"fields\": [";
    for (size_t j = 0; j < c.campi.size(); ++j) {
      const campo_cambiato& x = c.campi[j];
      out += std::string(j == 0 ? "" : ", ") + "{\"name\": " + json_stringa(x.nome) + ", \"old\": " +
             json_stringa(x.prima) + ", \"new\": " + json_stringa(x.dopo) + "}";
    }
    out += "]}";
  }
  return out + (cambi.empty() ? "]\n" : "\n]\n");
}

}  // namespace sb
