#include "scene/text_compile.h"

#include <optional>
#include <ostream>

#include "author/author_texts.h"
#include "scenario/error_codes.h"
#include "scenario/error_text.h"

namespace sb {
namespace {

// Where a diagnostic points along the route, or -1.
int64_t metro(const diagnostica& d) {
  if (d.livello != gravita::errore) return -1;
  if (d.origine == origine_errore::passaggio || ha_posizione(d.codice)) return d.posizione;
  return -1;
}

// Every diagnostic the compile kept as a line for the page, and how many
// more it only counted; then how it ended when it did not run to its end.
void diagnostiche(testi_compilati& c, const opzioni_compile& o) {
  for (const diagnostica& d : c.r.s.diagnostiche) c.diagnostiche.push_back({riga_diagnostica(d, o), metro(d)});
  size_t omesse = 0;
  for (const auto& [genere, n] : c.r.s.limite.omesse) omesse += n;
  if (omesse > 0) {
    c.diagnostiche.push_back(
        {"scenario_tool: note: " + std::to_string(omesse) + " more like those above, counted but not listed", -1});
  }
  if (c.r.fine == fine_compile::senza_celle && c.r.s.codice_errore == kNessunErrore) {
    c.diagnostiche.push_back({"no route length was read: nothing to draw along the route", -1});
  }
  if (c.r.fine == fine_compile::guardia) {
    c.diagnostiche.push_back({testo_errore(std::to_string(c.r.numero_guardia)) +
                                  " (a guard failed: the build writes no binary file)", -1});
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
  if (!o.linea.empty()) c.testi.push_back({o.linea, std::move(m->linea.byte)});
  if (!o.servizio.empty()) c.testi.push_back({o.servizio, std::move(m->servizio.byte)});
  diagnostiche(c, o);
  return true;
}

}  // namespace sb
