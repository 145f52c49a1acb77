#include "tools/view_command.h"

#include <ostream>

#include "compile/exit_status.h"
#include "inspect/binary_inputs.h"
#include "platform/files.h"
#include "platform/folder_lock.h"
#include "platform/signals.h"
#include "render/view_page.h"
#include "scenario/plan_encoding.h"
#include "scene/text_compile.h"

namespace sb {
namespace {

// Replaces the page under the lock of its folder.
int scrivi_pagina(const std::string& percorso, const scena& s, std::ostream& err) {
  const std::string pagina = pagina_vista(s);
  segnali_di_build segnali;
  if (esito_file e = sostituisci_sotto_blocco(percorso, pagina, attesa_blocco::attendi, err, "scenario_tool");
      !e.ok) {
    return uscita_file(e, err);
  }
  return stato_finale(kUscitaPulita, percorso, err);
}

int vista_testi(const opzioni_view& o, std::ostream& err) {
  opzioni_compile c;
  c.linea = o.linea;
  c.servizio = o.servizio;
  c.nome_linea = o.nome_linea;
  c.numero_treno = o.numero_treno;
  testi_compilati t;
  if (!compila_per_vista(c, t, err)) return kUscitaFile;
  const scenario& r = t.r.s;
  // The scene reads the plan point by point.
  const griglia_linea punti = punti_griglia(r.griglia);
  fonti_scena f;
  f.griglia = r.griglia.esiste() ? &punti : nullptr;
  f.tabella = &r.tabella;
  f.celle = r.celle.empty() ? nullptr : &r.celle;
  f.testi = t.testi;
  scena s = costruisci_scena(f);
  s.diagnostiche = t.diagnostiche;
  const int stato = scrivi_pagina(o.html, s, err);
  return stato != kUscitaPulita ? stato : t.stato;
}

int vista_binari(const opzioni_view& o, std::ostream& err) {
  binari_scena b;
  if (!leggi_binari(o.griglia, o.tabella, o.celle, b, err)) return kUscitaFile;
  return scrivi_pagina(o.html, costruisci_scena(fonti_binari(b)), err);
}

}  // namespace

int esegui_view(const opzioni_view& o, std::ostream& err) {
  return o.da_testi() ? vista_testi(o, err) : vista_binari(o, err);
}

}  // namespace sb
