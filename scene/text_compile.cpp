#include "scene/text_compile.h"

#include <optional>
#include <ostream>
#include <set>
#include <utility>

#include "author/author_texts.h"
#include "report/compile_diagnostics.h"
#include "scenario/error_codes.h"
#include "scenario/error_text.h"
#include "scenario/plan_encoding.h"

namespace sb {
namespace {

// Every finding of the analysis as a line for the page, in the order check
// tells them, and how many more it only counted; then how the compile ended
// when it did not run to its end.
void diagnostiche(testi_compilati& c, const compile_mostrato& m) {
  for (const segnalazione& d : segnalazioni_compile(m.diagnostiche, m.linea, m.servizio)) {
    const std::string etichetta =
        std::string(parola_livello(d.livello)) + (d.codice != 0 ? " " + std::to_string(d.codice) : "");
    c.diagnostiche.push_back({riga_gnu(d), d.metro, d.metro >= 0 ? etichetta : ""});
    for (const nota_segnalazione& n : d.note) c.diagnostiche.push_back({riga_gnu(n), -1, ""});
  }
  size_t omesse = 0;
  for (const auto& [genere, n] : m.omesse) omesse += n;
  if (omesse > 0) {
    const std::string conto = std::to_string(omesse) + " more like those above, counted but not listed";
    c.diagnostiche.push_back({riga_gnu(del_programma(gravita::nota, conto)), -1, ""});
  }
  if (c.r.fine == fine_compile::senza_celle && c.r.s.codice_errore == kNessunErrore) {
    c.diagnostiche.push_back({"no route length was read: nothing to draw along the route", -1, ""});
  }
  if (c.r.fine == fine_compile::guardia) {
    c.diagnostiche.push_back(
        {testo_errore(std::to_string(c.r.numero_guardia)) + " (a guard failed: the build writes no binary file)", -1,
         ""});
  }
}

// The rows whose read recorded a code, by text and line.
std::set<std::pair<origine_errore, int32_t>> righe_fallite(const std::vector<diagnostica>& trovate) {
  std::set<std::pair<origine_errore, int32_t>> fallite;
  for (const diagnostica& d : trovate) {
    if (d.livello == gravita::errore && d.codice != 0 && d.riga > 0) fallite.insert({d.origine, d.riga});
  }
  return fallite;
}

// Takes out of the records what a row that failed left there, so that the
// picture draws only what was read: the entry a station row began (past the
// stations read whole, below the sign captions) and the items and approach
// marks it put in the cells.
void togli_righe_fallite(scenario& s, const std::vector<diagnostica>& trovate) {
  const std::set<std::pair<origine_errore, int32_t>> fallite = righe_fallite(trovate);
  if (fallite.empty()) return;
  for (int i = s.tracce.righe.stazioni + 1; i <= s.limite_stazioni && i < kOggettoProgressivaTre; ++i) {
    s.tabella[static_cast<size_t>(i)] = oggetto{};
    s.luogo_voce[static_cast<size_t>(i)] = {};
  }
  const auto fallita = [&](const luogo_testo& l) { return l.riga > 0 && fallite.count({l.origine, l.riga}) != 0; };
  for (size_t i = 0; i < s.tracce.celle.size() && i < s.celle.size(); ++i) {
    const origine_cella& o = s.tracce.celle[i];
    cella& c = s.celle[i];
    if (fallita(o.oggetto)) {
      const cella vuota;
      c.tipo = vuota.tipo;
      c.dato_1 = c.dato_2 = c.dato_3 = c.dato_4 = 0;
      c.tempo_segnale = 0;
    }
    if (fallita(o.preavviso)) c.preavviso = 0;
  }
}

}  // namespace

bool compila_per_vista(const opzioni_compile& o, testi_compilati& c, std::ostream& err) {
  opzioni_compile con_pianta = o;
  con_pianta.senza_griglia = false;
  std::optional<compile_mostrato> m = compila_e_mostra(con_pianta, err);
  if (!m) return false;
  c.r = std::move(m->r);
  c.stato = stato_compile(c.r, err);
  diagnostiche(c, *m);
  togli_righe_fallite(c.r.s, m->diagnostiche);
  if (!o.linea.empty()) c.testi.push_back({o.linea, std::move(m->linea.byte)});
  if (!o.servizio.empty()) c.testi.push_back({o.servizio, std::move(m->servizio.byte)});
  return true;
}

scena scena_compilata(const testi_compilati& c, const profilo_treno* p) {
  const scenario& r = c.r.s;
  // The scene reads the plan point by point.
  const griglia_linea punti = punti_griglia(r.griglia);
  fonti_scena f;
  f.griglia = r.griglia.esiste() ? &punti : nullptr;
  f.tabella = &r.tabella;
  f.celle = r.celle.empty() ? nullptr : &r.celle;
  f.testi = c.testi;
  f.profilo = p;
  scena s = costruisci_scena(f);
  s.diagnostiche = c.diagnostiche;
  return s;
}

}  // namespace sb
