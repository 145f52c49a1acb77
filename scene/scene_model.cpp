#include "scene/scene_model.h"

#include <algorithm>

#include "decompile/cell_items.h"
#include "decompile/plan_stretches.h"
#include "documents/line_landmarks.h"
#include "inspect/author_terms.h"
#include "inspect/cell_meaning.h"
#include "line/line_plan.h"
#include "scenario/cell_kinds.h"
#include "scenario/format.h"
#include "scene/scene_cell_items.h"
#include "scene/scene_run.h"
#include "grammar/row_kinds.h"
#include "grammar/source_rows.h"
#include "text_input/utf8_input.h"

namespace sb {
namespace {

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
  const voce_autore voce = voce_stazione(o);
  e.valori.push_back({"posizione", n(o.posizione)});
  for (const valore_autore& v : voce.valori) {
    e.valori.push_back({v.nome, v.nome == "tipo" ? v.valore + (ferma ? " (stops)" : " (passes)") : v.valore});
  }
  if (!voce.nota.empty()) e.valori.push_back({"note", voce.nota});
  e.valori.push_back({"extent", n(o.inizio) + " - " + n(o.fine) + " m"});
  e.valori.push_back({"entry", n(k)});
  if (o.orario != 0) {
    const char* ruolo = prima ? "departure" : ultima ? "arrival" : ferma ? "departure" : "passing";
    e.valori.push_back({ruolo, orario_hms(o.orario)});
  }
  if (int64_t c = cella_fermata(celle, k); c >= 0) e.valori.push_back({"stop point", "cell " + n(c)});
  return e;
}

void stazioni(const tabella_oggetti& t, const celle_percorso* celle, std::vector<elemento_scena>& out) {
  std::vector<int> indici;
  for (int i = 1; i <= kPrimoCartello; ++i) {
    if (e_stazione(i, t[i])) indici.push_back(i);
  }
  for (size_t j = 0; j < indici.size(); ++j) {
    out.push_back(stazione(t[indici[j]], indici[j], j == 0, j + 1 == indici.size(), celle));
  }
}

// The curves the plan was bent along, as their rows write them.
void curve(const griglia_linea& g, std::vector<elemento_scena>& out) {
  for (const tratto_piano& t : leggi_piano(g).tratti) {
    if (t.cifra == 0) continue;
    elemento_scena e;
    e.genere = genere_elemento::curva;
    e.da = e.punto = e.avviso = t.inizio;
    e.a = t.fine;
    e.variante = t.verso_s ? -1 : 1;
    e.parola = parola_curva(t);
    const int32_t raggio = raggio_cifra(t.cifra);
    e.valori = {{"inizio", n(t.inizio)}, {"lunghezza", n(t.fine - t.inizio)}, {"radius", n(raggio) + " m"},
                {"turns", t.verso_s ? "s" : "d"}};
    e.etichetta = "R " + metri_leggibili(raggio);
    e.priorita = 20 + t.cifra;
    out.push_back(std::move(e));
  }
}

// The runs of one profile over the cells that cover the route: from each
// change of the cells' byte to the next.
profilo_scena profilo(const celle_percorso& celle, int64_t lunghezza, genere_profilo g) {
  uint8_t cella::*campo = g == genere_profilo::pendenza   ? &cella::pendenza
                          : g == genere_profilo::velocita ? &cella::velocita
                                                          : &cella::aderenza;
  auto valore = [g](int v) { return g == genere_profilo::pendenza ? v - 100 : g == genere_profilo::velocita ? v * 5 : v; };
  profilo_scena p;
  p.genere = g;
  for (const cambio_profilo& c : cambi_profilo(celle, campo)) {
    const int64_t da = c.cella * kMetriCella;
    if (da >= lunghezza) break;
    if (!p.tratti.empty()) p.tratti.back().a = da;
    if (!p.tratti.empty() && p.tratti.back().valore == valore(c.valore)) continue;
    p.tratti.push_back({da, lunghezza, valore(c.valore), {}});
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
    e.origine = origine(righe, curva ? parola_genere(e.genere) : std::string_view(e.parola), stazione ? e.punto : e.da, curva || stazione ? 0 : 25);
    if (e.genere == genere_elemento::abbattimento && e.origine.file < 0) {
      e.valori.push_back({"placed by", "the finishing pass around a slowdown"});
    }
  }
  for (profilo_scena& p : s.profili) {
    for (tratto_profilo& t : p.tratti) t.origine = origine(righe, parola_profilo(p.genere), t.da, 25);
  }
}

// The chainage of every item as the driver's documents give it: the line's
// kilometres at a station's position or where any other item begins, a
// kilometre post's own kilometre where its caption writes one.
void progressive_elementi(scena& s, const tabella_oggetti& t) {
  s.progressive = tratti_progressiva(t);
  s.progressiva_fine = progressiva_a(t, s.lunghezza);
  for (elemento_scena& e : s.elementi) {
    e.progressiva = progressiva_a(t, e.genere == genere_elemento::stazione ? e.punto : e.da);
    if (e.genere != genere_elemento::cartello) continue;
    for (const valore_elemento& v : e.valori) {
      if (v.nome == "didascalia") testo_cartello(v.valore, e.progressiva);
    }
  }
}

// The grammar's kind of an item kind's rows.
id_riga riga_genere(genere_elemento g) {
  switch (g) {
    case genere_elemento::stazione: return id_riga::stazione;
    case genere_elemento::segnale: return id_riga::segnale;
    case genere_elemento::cartello: return id_riga::cartello_indicatore;
    case genere_elemento::indicatore: return id_riga::indicatori_vmax;
    case genere_elemento::rallentamento: return id_riga::rallentamento;
    case genere_elemento::abbattimento: return id_riga::abbattimento;
    case genere_elemento::montagna: return id_riga::montagna;
    case genere_elemento::curva: return id_riga::curva;
  }
  return id_riga::segnale;
}

bool prima(const elemento_scena& a, const elemento_scena& b) {
  if (a.genere != b.genere) return a.genere < b.genere;
  return a.punto < b.punto;
}

}  // namespace

std::string_view parola_genere(genere_elemento g) {
  // A curve's rows are spelt by side and class ("curvas6"); the word that
  // recognises every spelling stands for them all.
  if (g == genere_elemento::curva) return tipo_di(id_riga::curva).parola_a;
  return tipo_di(riga_genere(g)).parola;
}

std::string_view parola_profilo(genere_profilo g) {
  switch (g) {
    case genere_profilo::pendenza: return tipo_di(id_riga::pendenza).parola;
    case genere_profilo::velocita: return tipo_di(id_riga::velocita).parola;
    case genere_profilo::aderenza: return tipo_di(id_riga::aderenza).parola;
  }
  return {};
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
  if (f.tabella != nullptr && f.celle != nullptr) {
    s.marcia = marcia_di(*f.tabella, *f.celle, f.profilo != nullptr ? *f.profilo : profilo_treno{});
  }
  s.inizio = 0;
  s.fine = s.lunghezza;
  for (const elemento_scena& e : s.elementi) {
    s.inizio = std::min({s.inizio, e.da, e.avviso});
    s.fine = std::max(s.fine, e.a);
  }
  if (f.griglia != nullptr) {
    curve(*f.griglia, s.elementi);
    s.contorno = contorno_griglia(*f.griglia, s.fine);
  }
  std::stable_sort(s.elementi.begin(), s.elementi.end(), prima);
  // Without the object table the chainage is the position, as the documents
  // take it on a line whose chainage entries are all 0.
  progressive_elementi(s, f.tabella != nullptr ? *f.tabella : tabella_oggetti{});
  for (const testo_sorgente& t : f.testi) s.file.push_back(t.nome);
  if (!f.testi.empty()) nomina_righe(s, f.testi);
  return s;
}

fonti_scena fonti_binari(const binari_scena& b) {
  fonti_scena f;
  f.griglia = b.griglia ? &*b.griglia : nullptr;
  f.tabella = b.tabella ? &*b.tabella : nullptr;
  f.celle = b.celle ? &*b.celle : nullptr;
  return f;
}

}  // namespace sb
