#include "tools/documents_command.h"

#include <ostream>
#include <vector>

#include "author/document_warnings.h"
#include "compile/exit_status.h"
#include "documents/author_notes.h"
#include "documents/filled_slowdown_order.h"
#include "documents/generic_train_sheet.h"
#include "documents/line_list.h"
#include "report/compile_diagnostics.h"
#include "report/diagnostic_printer.h"
#include "scenario/file_names.h"
#include "text_input/text_lines.h"
#include "tools/command_line.h"
#include "tools/compile_command.h"

namespace sb {
namespace {

// One document to write: its file's name and its composition.
struct documento_da_scrivere {
  std::string (*file)(const std::string& linea, const std::string& treno);
  documento_composto d;
  const testo_autore* testo;  // the author's text its errors point into; null: none
};

// The error of one document, if any, on err with its source line. Its
// warnings were shown among the compile's diagnostics (avvisi_documenti).
void racconta(const documento_da_scrivere& doc, const testi_documenti& t, std::ostream& err) {
  if (doc.d.errore.empty()) return;
  segnalazione e = del_programma(gravita::errore, doc.d.errore);
  if (doc.testo != nullptr) {
    e.dove.file = doc.testo->file;
    e.dove.riga = doc.d.riga_errore;
    // The line is at fault: underlined from its start to its first comma.
    const std::string_view riga = riga_di(doc.testo->byte, doc.d.riga_errore);
    if (e.dove.riga > 0 && !riga.empty()) {
      e.dove.colonna = 1;
      e.dove.colonna_ultima = larghezza_campo(riga, 0);
    }
  }
  stampa_segnalazioni({e}, {&t.linea, &t.servizio, doc.testo}, opzioni_stampa{}, err);
}

// The documents composed in memory.
std::vector<documento_da_scrivere> componi(const scenario& s, const testi_documenti& t) {
  std::vector<documento_da_scrivere> out = {
      {nome_scheda_treno, scheda_compilata(s), nullptr},
      {nome_rallentamenti, rallentamenti_compilati(s), nullptr},
  };
  if (t.note) out.push_back({nome_note, note_autore(t.note->byte), &*t.note});
  return out;
}

}  // namespace

int scrivi_documenti_autore(const risultato_compile& r, const testi_documenti& t, scrittura& w,
                            const nomi_scenario& nomi, std::ostream& err) {
  if (const std::string perche = perche_senza_documenti(r); !perche.empty()) {
    err << "scenario_tool: no document written: " << perche << "\n";
    return r.fine == fine_compile::guardia ? kUscitaGuardia : kUscitaCodice;
  }
  const std::vector<documento_da_scrivere> documenti = componi(r.s, t);
  bool fatti = true;
  for (const documento_da_scrivere& doc : documenti) {
    racconta(doc, t, err);
    fatti = fatti && doc.d.errore.empty();
  }
  if (!fatti) {
    err << "scenario_tool: no document written\n";
    return kUscitaCodice;
  }
  std::vector<std::string> byte;
  for (const documento_da_scrivere& doc : documenti) byte.push_back(componi_documento(lista_da(doc.d.righe)));
  std::vector<file_nuovo> files;
  for (size_t i = 0; i < documenti.size(); ++i) {
    files.push_back({documenti[i].file(nomi.linea, nomi.treno), byte[i]});
  }
  return w.stato(w.sostituisci(files));
}

namespace {

constexpr const char* kAiutoDocuments =
    "usage: scenario_tool documents [--line FILE] [--service FILE] [--line-name NAME]\n"
    "                               [--train NUMBER] [--notes FILE] [--no-wait] --out DIR\n"
    "\n"
    "Compiles the two descriptions in memory as compile does, writes no binary file,\n"
    "and writes the driver's documents into DIR (created when missing), in code page\n"
    "1252 with CR LF:\n"
    "  NAME_TRAIN_scheda_treno.txt    the train sheet: timetable, speed limits, landmarks\n"
    "  NAME_TRAIN_rallentamenti.txt   the slowdown order with the service's slowdowns\n"
    "  NAME_TRAIN_note.txt            with --notes: your notes (UTF-8 is converted)\n"
    "A compile that records a code writes no document. A name longer than its column\n"
    "is cut, with a warning at its row: FILE:LINE:COLUMN: warning: ...\n"
    "The last line on standard output is codice_errore=N posizione_errore=P.\n";

// Runs "documents" with its parsed command line.
int comando_documents(const riga_comando& r, std::ostream& out, std::ostream& err, bool colore) {
  opzioni_compile o;
  int stato = kUscitaPulita;
  if (!opzioni_comuni(r, "documents", o, err, stato)) return stato;
  o.colore = colore;
  o.binari = false;
  o.documenti = true;
  return esegui_compile(o, out, err);
}

}  // namespace

// The table's entry of "documents".
comando_strumento voce_documents() {
  return {"documents",
          "write the driver's train sheet and slowdown order for your scenario",
          kAiutoDocuments,
          {{"--line", true},
           {"--service", true},
           {"--line-name", true},
           {"--train", true},
           {"--notes", true},
           {"--no-wait", false},
           {"--out", true}},
          0,
          comando_documents};
}

}  // namespace sb
