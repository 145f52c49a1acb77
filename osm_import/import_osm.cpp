#include "osm_import/import_osm.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

#include "compile/compile.h"
#include "decompile/author_rows.h"
#include "osm_import/elevation.h"
#include "osm_import/import_texts.h"
#include "osm_import/line_items.h"
#include "osm_import/measured_route.h"
#include "osm_import/milestones.h"
#include "osm_import/osm_data.h"
#include "osm_import/places.h"
#include "osm_import/route.h"
#include "osm_import/signals.h"
#include "osm_import/speed_limits.h"
#include "osm_import/stations.h"
#include "scenario/plan_encoding.h"
#include "text_input/utf8_input.h"

namespace sb {
namespace {

// The longest route the format holds, metres.
constexpr double kPercorsoMassimo = 1000000.0;

// An import that ended before its texts.
esito_import_osm non_importato(fine_import fine, std::string errore) {
  esito_import_osm e;
  e.fine = fine;
  e.errore = std::move(errore);
  return e;
}

// "1.23".
std::string due_decimali(double v) {
  char t[32];
  std::snprintf(t, sizeof t, "%.2f", v);
  return t;
}

// "route: 9 837 m over 14 ways: w1 w2 ..."
std::string vie_prese(const dati_osm& dati, const percorso_misurato& m) {
  std::vector<int64_t> vie;
  for (int32_t b : m.p.binario) {
    const int64_t id = dati.binari[static_cast<size_t>(b)].id;
    if (vie.empty() || vie.back() != id) vie.push_back(id);
  }
  std::string s = "route: " + metri_detti(m.t.lunghezza()) + " along the track (" + metri_detti(m.piano.lunghezza) +
                  " in the plan's steps) over " + std::to_string(vie.size()) + " ways:";
  for (int64_t id : vie) s += " w" + std::to_string(id);
  return s;
}

// The compiled plan's points 0 to the route's end.
piano_punti punti_compilati(const scenario& s, int32_t lunghezza) {
  piano_punti p;
  for (int64_t k = 0; k <= lunghezza; ++k) {
    const valore_variante x = punto_griglia(s.griglia, 0, k), y = punto_griglia(s.griglia, 1, k);
    p.x.push_back(x.tipo == tipo_variante::intero ? x.intero : x.reale);
    p.y.push_back(y.tipo == tipo_variante::intero ? y.intero : y.reale);
  }
  p.arco = archi(p.x, p.y);
  return p;
}

// Tells the stretches tighter than the plan bends, with how far the compiled
// plan departs there and where it is back within 2 m; returns the largest
// departure elsewhere.
double misura_scarti(const percorso_misurato& m, const piano_punti& compilato, const std::vector<double>& s,
                     std::vector<std::string>& detto) {
  std::vector<bool> stretta;
  for (const tratto_stretto& x : tratti_stretti(m.t, compilato, s, 2.0, stretta)) {
    const std::string dove = "the track is tighter than the plan bends from " + metri_detti(x.da) + " to " +
                             metri_detti(x.a) + " (radius " + metri_detti(x.raggio) + ", the plan's least is 333 m): ";
    if (x.scarto <= 2.0) {
      detto.push_back(dove + "the plan stays within " + due_decimali(x.scarto) + " m of it");
    } else {
      detto.push_back(dove + "the plan departs up to " + due_decimali(x.scarto) + " m and is back within 2 m at " +
                      metri_detti(x.rientro));
    }
  }
  double massimo = 0.0;
  for (size_t k = 0; k < s.size(); ++k) {
    if (!stretta[k]) massimo = std::max(massimo, s[k]);
  }
  return massimo;
}

// Tells each station with how far its row's plan point stands from the
// station's place on the track; returns those distances.
std::vector<double> misura_stazioni(const percorso_misurato& m, const piano_punti& compilato,
                                    const stazioni_percorso& st, std::vector<std::string>& detto) {
  std::vector<double> scarti_st;
  for (size_t i = 0; i < st.righe.size(); ++i) {
    const riga_stazione& r = st.righe[i];
    const size_t k = std::min(static_cast<size_t>(std::max(r.posizione, 0)), compilato.x.size() - 1);
    const punto_tracciato q = punto_a(m.t, st.metri[i]);
    const double d = std::hypot(compilato.x[k] - q.x, compilato.y[k] - q.y);
    scarti_st.push_back(d);
    detto.push_back("station '" + cp1252_in_utf8(r.nome) + "' at " + metri_detti(r.posizione) +
                    (i == 0 ? " (origin" : i + 1 == st.righe.size() ? " (destination" : " (stop") + ", " +
                    metri_detti(d) + " from its place)");
  }
  return scarti_st;
}

// The line description of the route.
descrizione_linea linea_del_percorso(const percorso_misurato& m, int32_t lunghezza, const oggetti_linea& o,
                                     const cippi_percorso& cippi, std::vector<riga_pendenza> pendenze) {
  descrizione_linea d;
  d.lunghezza = lunghezza;
  d.sfondo_uno = 1;
  for (const curva_piano& c : m.piano.curve) d.curve.push_back({c.inizio, c.lunghezza, c.cifra, c.sinistra, ""});
  d.pendenze = std::move(pendenze);
  d.montagne = o.montagne;
  d.progressive = cippi.progressive;
  d.cartelli = o.cartelli;
  d.cartelli.insert(d.cartelli.end(), cippi.cartelli.begin(), cippi.cartelli.end());
  std::stable_sort(d.cartelli.begin(), d.cartelli.end(),
                   [](const riga_cartello& a, const riga_cartello& b) { return a.posizione < b.posizione; });
  return d;
}

// The service description of the run.
descrizione_servizio servizio_del_percorso(const std::vector<riga_profilo>& velocita,
                                           const std::vector<riga_stazione>& stazioni,
                                           const std::vector<riga_segnale>& segnali) {
  descrizione_servizio d;
  d.vetture = 4;
  d.massa_frenata = 135;
  d.sabbia = 200;
  const int32_t orologio = kPartenza - 30;
  d.ore = orologio / 3600;
  d.minuti = orologio / 60 % 60;
  d.secondi = orologio % 60;
  d.aderenze = {{0, 100}};
  d.velocita = velocita;
  d.stazioni = stazioni;
  d.segnali = segnali;
  return d;
}

// Compiles the texts in memory: empty when clean, else the first complaint.
std::string compila_pulito(const richiesta_import_osm& r, const testi_importati& t, risultato_compile& c) {
  richiesta_compile q;
  q.testo_linea = t.linea;
  q.testo_servizio = t.servizio;
  q.nome_linea = r.nome_linea;
  q.numero_treno = r.numero_treno;
  c = compila(q);
  if (c.fine != fine_compile::completata) return "the texts do not compile (the import's fault)";
  for (const diagnostica& d : c.s.diagnostiche) {
    if (d.livello == gravita::nota) continue;
    return "the texts do not compile clean (the import's fault): " +
           (d.messaggio.empty() ? "code " + std::to_string(d.codice) : cp1252_in_utf8(d.messaggio)) + " at line " +
           std::to_string(d.riga);
  }
  return "";
}

// The places resolved, or the first that is not.
std::string risolvi_luoghi(const dati_osm& dati, const std::vector<std::string>& testi, std::vector<luogo>& luoghi) {
  for (const std::string& t : testi) {
    luogo_trovato l = trova_luogo(dati, t);
    if (!l.errore.empty()) return l.errore;
    luoghi.push_back(std::move(l.l));
  }
  return "";
}

}  // namespace

esito_import_osm importa_osm(const richiesta_import_osm& r) {
  lettura_osm lettura = leggi_osm(r.file);
  if (!lettura.errore.empty()) {
    return non_importato(lettura.file_illeggibile ? fine_import::file_fallito : fine_import::dati_fallati, lettura.errore);
  }
  const dati_osm& dati = lettura.dati;
  if (dati.binari.empty()) return non_importato(fine_import::dati_fallati, r.file + ": no railway (no way tagged railway=rail)");
  std::vector<luogo> luoghi;
  if (std::string e = risolvi_luoghi(dati, r.luoghi, luoghi); !e.empty()) return non_importato(fine_import::dati_fallati, e);
  percorso_trovato trovato = trova_percorso(dati, luoghi);
  if (!trovato.errore.empty()) return non_importato(fine_import::dati_fallati, trovato.errore);
  percorso_misurato m;
  m.p = std::move(trovato.p);
  m.t = sviluppa(m.p);
  if (m.t.lunghezza() > kPercorsoMassimo) {
    return non_importato(fine_import::dati_fallati, "the route is " + km_detti(m.t.lunghezza()) +
                                                  " long: the format holds 1000.0 km at most");
  }
  m.piano = adatta_piano(m.t);
  if (m.piano.lunghezza > kPercorsoMassimo) {
    return non_importato(fine_import::dati_fallati, "the route is " + metri_detti(m.piano.lunghezza) +
                                                  " in the plan's steps: the format holds 1 000 000 m at most");
  }
  esito_import_osm e;
  e.detto.push_back(vie_prese(dati, m));
  std::vector<std::string> note_linea, note_servizio;
  limiti_percorso limiti = limiti_del_percorso(dati, m);
  stazioni_percorso stazioni = righe_stazioni(stazioni_vicine(dati, m, luoghi), m, limiti.per_cella);
  if (!stazioni.errore.empty()) return non_importato(fine_import::dati_fallati, stazioni.errore);
  pendenze_percorso pendenze = pendenze_del_percorso(r.elevazione, m);
  if (pendenze.fine != fine_import::fatto) return non_importato(pendenze.fine, pendenze.errore);
  // The destination's row, rounded to 50 m, may stand a little past the
  // track's end: the route reaches it.
  const int32_t lunghezza = std::max(m.piano.lunghezza, stazioni.righe.back().posizione);
  std::set<int64_t> occupate = celle_stazioni(stazioni.righe);
  segnali_percorso segnali = segnali_del_percorso(dati, m, stazioni.righe, occupate);
  cippi_percorso cippi = cippi_del_percorso(dati, m, occupate);
  oggetti_linea oggetti = oggetti_del_percorso(dati, m, occupate);
  for (const std::string& s : limiti.detto) e.detto.push_back(s), note_servizio.push_back(s);
  for (const std::string& s : pendenze.detto) e.detto.push_back(s), note_linea.push_back(s);
  for (const std::string& s : oggetti.note) e.detto.push_back(s), note_linea.push_back(s);
  for (const std::string& s : oggetti.detto) e.detto.push_back(s);
  for (const std::string& s : segnali.detto) e.detto.push_back(s);
  for (const std::string& s : cippi.detto) e.detto.push_back(s);
  const testi_importati testi =
      scrivi_testi(linea_del_percorso(m, lunghezza, oggetti, cippi, pendenze.righe),
                   servizio_del_percorso(righe_velocita(limiti.per_cella), stazioni.righe, segnali.righe), note_linea,
                   note_servizio);
  for (const std::string& s : stazioni.detto) e.detto.push_back(s);
  risultato_compile c;
  if (std::string errore = compila_pulito(r, testi, c); !errore.empty()) {
    return non_importato(fine_import::dati_fallati, errore);
  }
  const piano_punti compilato = punti_compilati(c.s, m.piano.lunghezza + 50);
  e.scarti_stazioni = misura_stazioni(m, compilato, stazioni, e.detto);
  const std::vector<double> s = scarti(m.t, compilato, m.piano.lunghezza);
  e.scarto_massimo = misura_scarti(m, compilato, s, e.detto);
  e.righe_curva = m.piano.curve.size();
  e.lunghezza = lunghezza;
  e.detto.push_back("the plan: " + std::to_string(e.righe_curva) + " curve rows; the compiled plan departs from the track by " +
                    due_decimali(e.scarto_massimo) + " m at most" +
                    (e.scarto_massimo > 2.0 ? " (more than 2 m)" : ""));
  e.testo_linea = testi.linea;
  e.testo_servizio = testi.servizio;
  return e;
}

}  // namespace sb
