#include "tools/scene_model.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "builtin/run_timetable.h"
#include "line/line_plan.h"
#include "scenario/cell_kinds.h"
#include "tools/cell_meaning.h"
#include "tools/scene_cell_items.h"
#include "tools/source_rows.h"
#include "tools/utf8_input.h"

namespace sb {
namespace {

constexpr int64_t kMetriCella = 50;

std::string n(int64_t v) { return std::to_string(v); }

// The route length: the table's, else the plan's (L + 7001 points), else the
// cells' (about (L + 7000) / 50 + 1 of them).
int64_t lunghezza_percorso(const fonti_scena& f) {
  if (f.tabella != nullptr && (*f.tabella)[kOggettoGenerale].fine > 0) return (*f.tabella)[kOggettoGenerale].fine;
  if (f.griglia != nullptr && f.griglia->esiste()) {
    return std::max<int64_t>(0, static_cast<int64_t>(f.griglia->x.size()) - kMarginePiano - 1);
  }
  if (f.celle != nullptr && !f.celle->empty()) {
    return std::max<int64_t>(0, (static_cast<int64_t>(f.celle->size()) - 1) * kMetriCella - kMarginePiano);
  }
  return 0;
}

// The line and train settings of entries 81 to 86.
std::vector<valore_elemento> generali(const tabella_oggetti& t, int64_t lunghezza) {
  const oggetto &g = t[kOggettoGenerale], &l = t[kOggettoLinea], &r = t[kOggettoTreno];
  std::vector<valore_elemento> v = {
      {"lunghezza percorso", n(lunghezza) + " m"},
      {"numero vetture", n(g.posizione)},
      {"percentuale massa frenata", n(g.inizio)},
      {"sabbia", n(r.param_1)},
      {"orologio", orario_hms((r.param_3 * 60 + r.param_4) * 60 + r.param_5)},
      {"ripetizione segnali", n(r.inizio) + " - " + n(r.fine) + " m, " + n(r.posizione) + " codes"},
      {"sfondo uno, due, tre", n(l.inizio) + ", " + n(l.posizione) + ", " + n(l.fine)},
  };
  for (int i = kOggettoProgressivaTre; i < kOggettoGenerale; ++i) {
    v.push_back({"chainage entry " + n(i), n(t[i].inizio) + ", " + n(t[i].fine) + ", " + n(t[i].posizione)});
  }
  return v;
}

// The stop point of station entry k: the cell of kind 10 that names it.
int64_t cella_fermata(const celle_percorso* celle, int k) {
  if (celle == nullptr) return -1;
  for (size_t i = 0; i < celle->size(); ++i) {
    if ((*celle)[i].tipo == tipo_cella::fermata && (*celle)[i].dato_1 == k) return static_cast<int64_t>(i);
  }
  return -1;
}

// The length its row gave, read back from the extent.
int64_t lunghezza_stazione(const oggetto& o) {
  if (o.tipo >= 5 && o.tipo <= 8) return int64_t{o.posizione} - o.inizio;
  return int64_t{o.fine} - o.inizio - (o.opzione_4 != 0 ? 50 : 0);
}

elemento_scena stazione(const oggetto& o, int k, bool prima, bool ultima, const celle_percorso* celle) {
  elemento_scena e;
  e.genere = genere_elemento::stazione;
  e.parola = parola_genere(e.genere);
  e.da = e.avviso = std::min(o.inizio, o.posizione);
  e.a = std::max(o.fine, o.posizione);
  e.punto = o.posizione;
  e.etichetta = cp1252_in_utf8(o.nome);
  const bool ferma = o.tipo < kTipoTransito;
  e.variante = ferma ? 1 : 0;
  e.priorita = prima || ultima ? 100 : ferma ? 80 : 60;
  const int32_t s = o.orario;
  const std::string ora = s == 0 ? std::string("none")
                                 : n(s / 3600) + ", " + n(s / 60 % 60) + ", " + n(s % 60) + " (" + orario_hms(s) + ")";
  e.valori = {{"posizione", n(o.posizione)},
              {"tipo", n(o.tipo) + (ferma ? " (stops)" : " (passes)")},
              {"lunghezza", n(lunghezza_stazione(o))},
              {"opzione_1", n(o.opzione_1)},
              {"opzione_5", n(o.opzione_5)},
              {"opzione_4", n(o.opzione_4)},
              {"param_1", n(o.param_1)},
              {"param_2", n(o.param_2)},
              {"opzione_2", n(o.opzione_2)},
              {"param_3", n(o.param_3)},
              {"param_4", n(o.param_4)},
              {"param_5", n(o.param_5)},
              {"opzione_3", n(o.opzione_3)},
              {"orario", ora},
              {"nome", e.etichetta},
              {"extent", n(o.inizio) + " - " + n(o.fine) + " m"},
              {"entry", n(k)}};
  if (s != 0) {
    const char* ruolo = prima ? "departure" : ultima ? "arrival" : ferma ? "departure" : "passing";
    e.valori.push_back({ruolo, orario_hms(s)});
  }
  if (int64_t c = cella_fermata(celle, k); c >= 0) e.valori.push_back({"stop point", "cell " + n(c)});
  return e;
}

void stazioni(const tabella_oggetti& t, const celle_percorso* celle, std::vector<elemento_scena>& out) {
  std::vector<int> indici;
  for (int i = 1; i <= 80; ++i) {
    if (e_stazione(i, t[i])) indici.push_back(i);
  }
  for (size_t j = 0; j < indici.size(); ++j) {
    out.push_back(stazione(t[indici[j]], indici[j], j == 0, j + 1 == indici.size(), celle));
  }
}

// The curve row's digit for a curvature, 0 when none gives it.
int cifra_curva(double kappa) {
  for (int cifra = 1; cifra <= 6; ++cifra) {
    if (std::fabs(curvatura(std::string("curvad") + static_cast<char>('0' + cifra)) - std::fabs(kappa)) < 1e-7) {
      return cifra;
    }
  }
  return 0;
}

void curve(const griglia_linea& g, int64_t fine, std::vector<elemento_scena>& out) {
  for (const curva_pianta& c : curve_griglia(g, fine)) {
    elemento_scena e;
    e.genere = genere_elemento::curva;
    e.da = e.punto = e.avviso = c.inizio;
    e.a = c.inizio + c.lunghezza;
    const int cifra = cifra_curva(c.kappa);
    e.variante = c.kappa > 0 ? 1 : -1;
    e.parola = std::string("curva") + (c.kappa > 0 ? "d" : "s") + (cifra > 0 ? std::string(1, '0' + cifra) : "");
    const int64_t raggio = static_cast<int64_t>(std::llround(1 / std::fabs(c.kappa)));
    char k[32];
    std::snprintf(k, sizeof k, "%g", std::fabs(c.kappa));
    e.valori = {{"inizio", n(c.inizio)}, {"lunghezza", n(c.lunghezza)}, {"curvature", std::string(k) + " rad/m"},
                {"radius", n(raggio) + " m"}, {"turns", c.kappa > 0 ? "d" : "s"}};
    e.etichetta = "R " + metri_leggibili(raggio);
    e.priorita = 20 + cifra;
    out.push_back(std::move(e));
  }
}

// The runs of one profile over the cells that cover the route.
profilo_scena profilo(const celle_percorso& celle, int64_t lunghezza, genere_profilo g) {
  profilo_scena p;
  p.genere = g;
  for (size_t i = 0; i < celle.size() && static_cast<int64_t>(i) * kMetriCella < lunghezza; ++i) {
    const cella& c = celle[i];
    const int32_t v = g == genere_profilo::pendenza   ? c.pendenza - 100
                      : g == genere_profilo::velocita ? c.velocita * 5
                                                      : c.aderenza;
    const int64_t da = static_cast<int64_t>(i) * kMetriCella;
    const int64_t a = std::min(da + kMetriCella, lunghezza);
    if (!p.tratti.empty() && p.tratti.back().valore == v) {
      p.tratti.back().a = a;
    } else {
      p.tratti.push_back({da, a, v, {}});
    }
  }
  return p;
}

// The row an item came from: the nearest row of its keyword.
riga_origine origine(const indice_righe& righe, std::string_view parola, int64_t metri, int64_t tolleranza) {
  const riga_descrizione* r = righe.trova(parola, metri, tolleranza);
  if (r == nullptr) return {};
  return {r->file, r->riga, r->testo};
}

// Names the row of every item and profile run. The cells hold an item's
// position to the cell, 25 m either way.
void nomina_righe(scena& s, const std::vector<testo_sorgente>& testi) {
  indice_righe righe;
  for (size_t k = 0; k < testi.size(); ++k) righe.aggiungi(static_cast<int>(k), testi[k].byte);
  for (elemento_scena& e : s.elementi) {
    const bool curva = e.genere == genere_elemento::curva;
    const bool stazione = e.genere == genere_elemento::stazione;
    e.origine = origine(righe, curva ? "curva" : e.parola, stazione ? e.punto : e.da, curva || stazione ? 0 : 25);
    if (e.genere == genere_elemento::abbattimento && e.origine.file < 0) {
      e.valori.push_back({"placed by", "the finishing pass around a slowdown"});
    }
  }
  for (profilo_scena& p : s.profili) {
    for (tratto_profilo& t : p.tratti) t.origine = origine(righe, parola_profilo(p.genere), t.da, 25);
  }
}

bool prima(const elemento_scena& a, const elemento_scena& b) {
  if (a.genere != b.genere) return a.genere < b.genere;
  return a.punto < b.punto;
}

}  // namespace

const char* parola_genere(genere_elemento g) {
  switch (g) {
    case genere_elemento::stazione: return "stazione";
    case genere_elemento::segnale: return "segnale";
    case genere_elemento::cartello: return "cartello_indicatore";
    case genere_elemento::indicatore: return "indicatori_vmax";
    case genere_elemento::rallentamento: return "rallentamento";
    case genere_elemento::abbattimento: return "abbattimento";
    case genere_elemento::montagna: return "montagna";
    case genere_elemento::curva: return "curva";
  }
  return "";
}

const char* parola_profilo(genere_profilo g) {
  switch (g) {
    case genere_profilo::pendenza: return "pendenza";
    case genere_profilo::velocita: return "velocita";
    case genere_profilo::aderenza: return "aderenza";
  }
  return "";
}

std::string metri_leggibili(int64_t metri) {
  std::string cifre = std::to_string(metri < 0 ? -metri : metri);
  for (size_t k = cifre.size(); k > 3; k -= 3) cifre.insert(k - 3, " ");
  return (metri < 0 ? "-" : "") + cifre;
}

scena costruisci_scena(const fonti_scena& f) {
  scena s;
  s.lunghezza = lunghezza_percorso(f);
  s.ha_tabella = f.tabella != nullptr;
  s.ha_celle = f.celle != nullptr;
  if (f.tabella != nullptr) {
    s.nome_linea = cp1252_in_utf8((*f.tabella)[kOggettoLinea].nome);
    s.numero_treno = cp1252_in_utf8((*f.tabella)[kOggettoTreno].nome);
    s.generali = generali(*f.tabella, s.lunghezza);
    stazioni(*f.tabella, f.celle, s.elementi);
  }
  if (f.celle != nullptr) {
    elementi_celle(*f.celle, f.tabella, s.elementi);
    for (genere_profilo g : {genere_profilo::pendenza, genere_profilo::velocita, genere_profilo::aderenza}) {
      s.profili.push_back(profilo(*f.celle, s.lunghezza, g));
    }
  }
  s.inizio = 0;
  s.fine = s.lunghezza;
  for (const elemento_scena& e : s.elementi) {
    s.inizio = std::min({s.inizio, e.da, e.avviso});
    s.fine = std::max(s.fine, e.a);
  }
  if (f.griglia != nullptr) {
    curve(*f.griglia, s.fine, s.elementi);
    s.contorno = contorno_griglia(*f.griglia, s.fine);
  }
  std::stable_sort(s.elementi.begin(), s.elementi.end(), prima);
  for (const testo_sorgente& t : f.testi) s.file.push_back(t.nome);
  if (!f.testi.empty()) nomina_righe(s, f.testi);
  return s;
}

}  // namespace sb
