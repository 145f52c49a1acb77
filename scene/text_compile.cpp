#include "scene/text_compile.h"

#include <optional>
#include <ostream>

#include "author/author_texts.h"
#include "author/document_warnings.h"
#include "report/compile_diagnostics.h"
#include "scenario/error_codes.h"
#include "scenario/error_text.h"
#include "scenario/plan_encoding.h"

namespace sb {
namespace {

// Every diagnostic of the compile and the driver's documents' warnings as a
// line for the page, and how many more the compile only counted; then how it
// ended when it did not run to its end.
void diagnostiche(testi_compilati& c, const testo_autore& linea, const testo_autore& servizio) {
  std::vector<diagnostica> tutte = c.r.s.diagnostiche;
  const std::vector<diagnostica> documenti = avvisi_documenti(c.r);
  tutte.insert(tutte.end(), documenti.begin(), documenti.end());
  for (const segnalazione& d : segnalazioni_compile(tutte, linea, servizio)) {
    const std::string etichetta =
        std::string(parola_livello(d.livello)) + (d.codice != 0 ? " " + std::to_string(d.codice) : "");
    c.diagnostiche.push_back({riga_gnu(d), d.metro, d.metro >= 0 ? etichetta : ""});
    for (const nota_segnalazione& n : d.note) c.diagnostiche.push_back({riga_gnu(n), -1, ""});
  }
  size_t omesse = 0;
  for (const auto& [genere, n] : c.r.s.limite.omesse) omesse += n;
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

}  // namespace

bool compila_per_vista(const opzioni_compile& o, testi_compilati& c, std::ostream& err) {
  opzioni_compile con_pianta = o;
  con_pianta.senza_griglia = false;
  std::optional<compile_mostrato> m = compila_e_mostra(con_pianta, err);
  if (!m) return false;
  c.r = std::move(m->r);
  c.stato = stato_compile(c.r, err);
  diagnostiche(c, m->linea, m->servizio);
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
