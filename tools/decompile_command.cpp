#include "tools/decompile_command.h"

#include <ostream>
#include <string>
#include <vector>

#include "author/existing_texts.h"
#include "compile/exit_status.h"
#include "decompile/decompile.h"
#include "inspect/binary_inputs.h"
#include "platform/file_set.h"
#include "platform/files.h"
#include "platform/folder_lock.h"
#include "platform/signals.h"
#include "scenario/binary_decoders.h"
#include "scenario/error_codes.h"
#include "scenario/file_names.h"
#include "tools/compile_command.h"

namespace sb {
namespace {

bool leggi_ingresso(const opzioni_decompile& o, ingresso_decompile& in, std::ostream& err) {
  if (!leggi_binario(o.tabella, in.tabella, in.byte.tabella, decodifica_tabella, err)) return false;
  if (!leggi_binario(o.celle, in.celle, in.byte.celle, decodifica_celle, err)) return false;
  in.con_griglia = !o.griglia.empty();
  return !in.con_griglia || leggi_binario(o.griglia, in.griglia, in.byte.griglia, decodifica_griglia, err);
}

void mostra_note(const esito_decompile& e, const std::string& linea, const std::string& servizio,
                 std::ostream& err) {
  for (const nota_testo& n : e.note) {
    err << (n.servizio ? servizio : linea) << ":" << n.riga << ": note: " << n.testo << "\n";
  }
}

// Each difference as a warning on the file the author gave.
void mostra_differenze(const esito_decompile& e, const opzioni_decompile& o, const ingresso_decompile& in,
                       std::ostream& err) {
  for (const differenza& d : e.differenze) {
    std::string file = d.file;
    if (file == nome_file_griglia(in.nome_linea)) file = o.griglia;
    if (file == nome_file_tabella(in.nome_linea, in.numero_treno)) file = o.tabella;
    if (file == nome_file_celle(in.nome_linea, in.numero_treno)) file = o.celle;
    err << file << ": warning: " << d.testo << "\n";
  }
  if (!e.differenze.empty()) {
    err << "the texts in " << o.cartella_uscita << " do not compile back to the same files\n";
  }
}

}  // namespace

int esegui_decompile(const opzioni_decompile& o, std::ostream& out, std::ostream& err) {
  ingresso_decompile in;
  if (!leggi_ingresso(o, in, err)) return kUscitaFile;
  nomi_dal_file(o.tabella, in.tabella, in.nome_linea, in.numero_treno);
  if (!o.nome_linea.empty()) in.nome_linea = o.nome_linea;
  if (!o.numero_treno.empty()) in.numero_treno = o.numero_treno;

  const esito_decompile e = decompila(in);
  if (!e.guasto.empty()) {
    err << o.celle << ": " << e.guasto << "\n";
    return kUscitaFile;
  }
  if (esito_file c = crea_cartella(o.cartella_uscita); !c.ok) {
    err << c.messaggio() << "\n";
    return kUscitaFile;
  }
  const std::string linea = in_cartella(o.cartella_uscita, nome_testo_linea(in.nome_linea));
  const std::string servizio = in_cartella(o.cartella_uscita, nome_testo_servizio(in.nome_linea, in.numero_treno));
  segnali_di_build segnali;
  cartella_uscita uscita;
  esito_file w = apri_e_blocca(uscita, o.cartella_uscita, attesa_blocco::attendi, err, "scenario_tool");
  const std::vector<std::string> nomi = {nome_testo_linea(in.nome_linea),
                                         nome_testo_servizio(in.nome_linea, in.numero_treno)};
  if (w.ok && !o.forza && testi_presenti(uscita, nomi, err)) return kUscitaFile;
  if (w.ok) w = sostituisci_insieme(uscita, {{nomi[0], e.testo_linea}, {nomi[1], e.testo_servizio}});
  if (!w.ok) return uscita_file(w, err);
  mostra_note(e, linea, servizio, err);
  if (e.codice_ricompilato != kNessunErrore) {
    err << servizio << ": note: the texts record code " << e.codice_ricompilato << " when compiled: "
        << significato(e.codice_ricompilato) << "\n";
  }
  mostra_differenze(e, o, in, err);
  out << linea << "\n" << servizio << "\n";
  if (!e.differenze.empty()) {
    out << "round trip: " << e.differenze.size() << " difference" << (e.differenze.size() == 1 ? "" : "s") << "\n";
    return kUscitaCodice;
  }
  out << "round trip: exact\n";
  return kUscitaPulita;
}

}  // namespace sb
