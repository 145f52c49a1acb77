#include "tools/compile_command.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <vector>

#include "author/author_texts.h"
#include "compile/binary_set.h"
#include "compile/compile.h"
#include "compile/exit_status.h"
#include "platform/file_set.h"
#include "platform/files.h"
#include "platform/signals.h"
#include "report/diagnostic_printer.h"
#include "report/warning_cap.h"
#include "scenario/error_codes.h"
#include "text_input/utf8_input.h"
#include "tools/documents_command.h"

namespace sb {
namespace {

// A warning when a name has a character with no code page 1252 form.
void avvisa_nome(const std::string& nome, const char* quale, std::ostream& err) {
  testo_convertito t = prepara_testo(nome);
  if (t.sostituiti.empty()) return;
  err << "scenario_tool: warning: the " << quale << " \"" << nome
      << "\" has a character with no code page 1252 form; it is stored as \"" << t.byte << "\"\n";
}

}  // namespace

int esegui_compile(const opzioni_compile& o, std::ostream& out, std::ostream& err) {
  segnali_di_build segnali;
  if (esito_file e = crea_cartella(o.cartella_uscita); !e.ok) {
    err << e.messaggio() << "\n";
    return kUscitaFile;
  }
  std::optional<testo_autore> note;
  if (esito_file e = leggi_testo_autore(o.note, note, err); !e.ok) {
    err << e.messaggio() << "\n";
    return kUscitaFile;
  }
  avvisa_nome(o.nome_linea, "line name", err);
  avvisa_nome(o.numero_treno, "train number", err);
  const std::optional<compile_mostrato> c = compila_e_mostra(o, err);
  if (!c) return kUscitaFile;
  const risultato_compile& r = c->r;

  int stato = stato_compile(r, err);
  const bool fermato = o.werror && c->conti.avvisi > 0;
  if (fermato) {
    err << "scenario_tool: error: warnings are errors with --werror: no file written\n";
    if (stato == kUscitaPulita) stato = kUscitaCodice;
  }
  const bool binari = o.binari && r.fine == fine_compile::completata && !fermato;
  const bool documenti = o.documenti && !fermato;
  // The output directory is held from the first file written to the last.
  cartella_uscita uscita;
  if (binari || documenti) {
    if (esito_file e = apri_e_blocca(uscita, o.cartella_uscita, o.attesa, err, "scenario_tool"); !e.ok) {
      out << riga_esito(r.s) << "\n";
      return uscita_file(e, err);
    }
  }
  if (binari) {
    if (esito_file w = scrivi_binari(r.s, o.nome_linea, o.numero_treno, uscita); !w.ok) stato = uscita_file(w, err);
  }
  if (documenti && stato < kUscitaFile) {
    const testi_documenti t{c->linea, c->servizio, note};
    const int esito_documenti = scrivi_documenti_autore(r, t, uscita, {o.nome_linea, o.numero_treno}, err);
    if (stato == kUscitaPulita) stato = esito_documenti;
  }
  out << riga_esito(r.s) << "\n";
  return stato < kUscitaFile ? stato_finale(stato, o.cartella_uscita, err) : stato;
}

}  // namespace sb
