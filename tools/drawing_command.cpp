#include "tools/drawing_command.h"

#include <ostream>

#include "compile/exit_status.h"
#include "inspect/binary_inputs.h"
#include "scene/plan_geometry.h"
#include "scene/text_compile.h"
#include "tools/overwrite_check.h"
#include "tools/single_output.h"

namespace sb {
namespace {

// The drawing written: "-" to standard output, else under the lock of its
// folder.
int scrivi_disegno(const richiesta_disegno& r, const scena& s, std::ostream& out, std::ostream& err) {
  return scrivi_uscita(r.uscita, r.disegna(s), r.attesa, out, err);
}

// From the descriptions: the analysis, its findings shown and drawn.
int disegno_testi(const richiesta_disegno& r, std::ostream& out, std::ostream& err) {
  opzioni_compile c;
  c.linea = r.fonti.linea;
  c.servizio = r.fonti.servizio;
  c.nome_linea = r.fonti.nome_linea;
  c.numero_treno = r.fonti.numero_treno;
  testi_compilati t;
  if (!compila_per_vista(c, t, err)) return kUscitaFile;
  const int stato = scrivi_disegno(r, scena_compilata(t), out, err);
  return stato != kUscitaPulita ? stato : t.stato;
}

// From the binary files, any of them.
int disegno_binari(const richiesta_disegno& r, std::ostream& out, std::ostream& err) {
  binari_scena b;
  if (!leggi_binari(r.fonti.griglia, r.fonti.tabella, r.fonti.celle, b, err)) return kUscitaFile;
  const scena s = costruisci_scena(fonti_binari(b));
  avvisa_esclusi(s.contorno, r.fonti.griglia, err);
  return scrivi_disegno(r, s, out, err);
}

}  // namespace

int esegui_disegno(const richiesta_disegno& r, std::ostream& out, std::ostream& err) {
  const file_scena& f = r.fonti;
  if (uscita_su_un_ingresso(r.comando, {f.linea, f.servizio, f.griglia, f.tabella, f.celle}, {r.uscita}, err)) {
    return kUscitaUso;
  }
  const bool da_testi = !f.linea.empty() || !f.servizio.empty();
  return da_testi ? disegno_testi(r, out, err) : disegno_binari(r, out, err);
}

std::optional<int> leggi_richiesta_disegno(const riga_comando& r, const std::string& comando,
                                           const std::string& opzione_uscita, const std::string& uso_uscita,
                                           richiesta_disegno& d, std::ostream& err) {
  d.comando = comando;
  if (const std::optional<int> stato = leggi_file_scena(r, comando, d.fonti, err)) return stato;
  d.uscita = r.valore(opzione_uscita, "");
  if (d.uscita.empty()) return uso(err, comando, uso_uscita);
  d.attesa = attesa(r);
  return std::nullopt;
}

}  // namespace sb
