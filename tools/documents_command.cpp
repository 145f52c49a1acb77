#include "tools/documents_command.h"

#include <ostream>
#include <vector>

#include "compile/exit_status.h"
#include "documents/author_notes.h"
#include "documents/filled_slowdown_order.h"
#include "documents/generic_train_sheet.h"
#include "documents/line_list.h"
#include "scenario/file_names.h"
#include "text_input/utf8_input.h"

namespace sb {
namespace {

// One document to write: its name's suffix and its composition.
struct documento_da_scrivere {
  std::string suffisso;
  documento_composto d;
  const testo_autore* testo;  // the author's text its errors point into; null: none
};

// Why a compile gives no documents, or empty when it ran clean.
std::string perche_niente(const risultato_compile& r) {
  if (r.fine == fine_compile::guardia) return "a guard failed (" + std::to_string(r.numero_guardia) + ")";
  if (r.s.codice_errore != 0) return "the compile recorded code " + std::to_string(r.s.codice_errore);
  if (r.fine == fine_compile::senza_celle) return "no route length was read";
  return "";
}

// The text a remark points into; null for a value of the command line.
const testo_autore* testo_di(const avviso_documento& a, const testi_documenti& t) {
  if (a.origine == origine_errore::testo_linea) return &t.linea;
  if (a.origine == origine_errore::testo_servizio) return &t.servizio;
  return nullptr;
}

// The remarks of one document and its error, if any, on err; the names in
// the messages are shown as UTF-8.
void racconta(const documento_da_scrivere& doc, const testi_documenti& t, std::ostream& err) {
  const testo_autore nessuno;
  for (const avviso_documento& a : doc.d.avvisi) {
    const testo_autore* testo = testo_di(a, t);
    err << diagnostica_sorgente(testo ? *testo : nessuno, a.riga, a.campo, "warning", cp1252_in_utf8(a.messaggio));
  }
  if (doc.d.errore.empty()) return;
  const testo_autore& testo = doc.testo ? *doc.testo : nessuno;
  err << diagnostica_sorgente(testo, doc.d.riga_errore, riga_di(testo.byte, doc.d.riga_errore), "error",
                              doc.d.errore);
}

// The documents composed in memory.
std::vector<documento_da_scrivere> componi(const scenario& s, const testi_documenti& t) {
  std::vector<documento_da_scrivere> out = {
      {"scheda_treno.txt", scheda_compilata(s), nullptr},
      {"rallentamenti.txt", rallentamenti_compilati(s), nullptr},
  };
  if (t.note) out.push_back({"note.txt", note_autore(t.note->byte), &*t.note});
  return out;
}

}  // namespace

int scrivi_documenti_autore(const risultato_compile& r, const testi_documenti& t, cartella_uscita& cartella,
                            const nomi_scenario& nomi, std::ostream& err) {
  if (const std::string perche = perche_niente(r); !perche.empty()) {
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
    files.push_back({nome_documento(nomi.linea, nomi.treno, documenti[i].suffisso), byte[i]});
  }
  if (esito_file e = sostituisci_insieme(cartella, files); !e.ok) return uscita_file(e, err);
  return kUscitaPulita;
}

}  // namespace sb
