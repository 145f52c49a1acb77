#include "tools/compile_command.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <sstream>

#include "app/error_report.h"
#include "compile/compile.h"
#include "compile/exit_status.h"
#include "platform/files.h"
#include "scenario/error_codes.h"
#include "scenario/file_names.h"
#include "tools/documents_command.h"
#include "tools/utf8_input.h"

namespace sb {
namespace {

// Cells are 50 m long.
constexpr int32_t kMetriCella = 50;

// Reads an author's text and converts it when it is UTF-8, warning about
// every line where a "?" stands in. Nothing when no file was given.
esito_file leggi_testo_autore(const std::string& autore, std::optional<testo_autore>& testo, std::ostream& err) {
  if (autore.empty()) return {};
  testo_autore t{autore, "", ""};
  if (esito_file e = leggi_file(autore, t.originale); !e.ok) return e;
  testo_convertito c = prepara_testo(t.originale);
  for (int32_t riga : c.righe_sostituite) {
    err << autore << ":" << riga
        << ": warning: a character with no code page 1252 form was replaced by \"?\"\n";
  }
  t.byte = std::move(c.byte);
  testo = std::move(t);
  return {};
}

// Writes the binary files of a build that ran to its end into the output
// directory, the line plan only when the build flag asks for it.
esito_file scrivi_binari(const scenario& s, const std::string& uscita) {
  const file_binari f = codifica_binari(s);
  esito_file e;
  if (s.flag_griglia != 0) e = sostituisci_file(in_cartella(uscita, nome_file_griglia(s.nome_linea)), f.griglia);
  if (e.ok) e = sostituisci_file(in_cartella(uscita, nome_file_tabella(s.nome_linea, s.numero_treno)), f.tabella);
  if (e.ok) e = sostituisci_file(in_cartella(uscita, nome_file_celle(s.nome_linea, s.numero_treno)), f.celle);
  return e;
}

// The author's file a diagnostic points into, or empty. The chainage check
// runs at the end of the service read, but the values come from the line.
std::string file_autore(const diagnostica& d, const opzioni_compile& o) {
  if (d.livello == gravita::errore && d.codice == kProgressivaNonMultipla) return o.linea;
  if (d.origine == origine_errore::testo_linea) return o.linea;
  if (d.origine == origine_errore::testo_servizio) return o.servizio;
  return "";
}

// A remark for a text the author did not give.
std::string testo_mancante(const diagnostica& d, const opzioni_compile& o) {
  if (d.origine == origine_errore::testo_linea && o.linea.empty()) return " (no --line given)";
  if (d.origine == origine_errore::testo_servizio && o.servizio.empty()) return " (no --service given)";
  return "";
}

}  // namespace

esito_file crea_cartella(const std::string& cartella) {
  std::error_code e;
  std::filesystem::create_directories(cartella, e);
  if (e) return esito_file{false, cartella, e.message()};
  if (!std::filesystem::is_directory(cartella, e)) return esito_file{false, cartella, "Not a directory"};
  return {};
}

esito_file leggi_testi(const opzioni_compile& o, std::optional<testo_autore>& linea,
                       std::optional<testo_autore>& servizio, std::optional<testo_autore>& note, std::ostream& err) {
  esito_file e = leggi_testo_autore(o.linea, linea, err);
  if (e.ok) e = leggi_testo_autore(o.servizio, servizio, err);
  if (e.ok) e = leggi_testo_autore(o.note, note, err);
  return e;
}

richiesta_compile richiesta_di(const opzioni_compile& o, const std::optional<testo_autore>& linea,
                               const std::optional<testo_autore>& servizio) {
  richiesta_compile richiesta;
  if (linea) richiesta.testo_linea = linea->byte;
  if (servizio) richiesta.testo_servizio = servizio->byte;
  richiesta.nome_linea = o.nome_linea;
  richiesta.numero_treno = o.numero_treno;
  richiesta.flag_griglia = o.senza_griglia ? 0 : 1;
  return richiesta;
}

std::string riga_diagnostica(const diagnostica& d, const opzioni_compile& o) {
  std::ostringstream out;
  const std::string file = file_autore(d, o);
  const bool errore = d.livello == gravita::errore;
  if (!file.empty()) {
    out << file;
    if (d.riga > 0 && !(errore && d.codice == kProgressivaNonMultipla)) out << ":" << d.riga;
    out << ": ";
  }
  if (!errore) {
    out << (d.livello == gravita::avviso ? "warning: " : "note: ") << d.messaggio;
    return out.str();
  }
  out << "error " << d.codice << ": " << (d.messaggio.empty() ? significato(d.codice) : d.messaggio);
  if (d.origine == origine_errore::passaggio) {
    out << " (cell " << d.posizione / kMetriCella << ", at " << d.posizione << " m)";
  } else if (ha_posizione(d.codice)) {
    out << " (at " << d.posizione << " m)";
  }
  out << testo_mancante(d, o);
  return out.str();
}

std::string riga_diagnostica(const scenario& s, const opzioni_compile& o) {
  diagnostica ultimo = ultimo_codice(s);
  ultimo.livello = gravita::errore;
  ultimo.codice = s.codice_errore;
  ultimo.posizione = s.posizione_errore;
  ultimo.messaggio.clear();
  return riga_diagnostica(ultimo, o);
}

std::string riga_esito(const scenario& s) {
  return "codice_errore=" + std::to_string(s.codice_errore) +
         " posizione_errore=" + std::to_string(s.posizione_errore);
}

int stato_compile(const risultato_compile& r, const opzioni_compile& o, std::ostream& err) {
  const scenario& s = r.s;
  if (r.fine == fine_compile::guardia) err << testo_errore(std::to_string(r.numero_guardia)) << "\n";
  if (s.codice_errore != kNessunErrore) err << riga_diagnostica(s, o) << "\n";
  if (r.fine == fine_compile::senza_celle && s.codice_errore == kNessunErrore) {
    err << "no route length was read: no binary file written\n";
  }
  if (r.fine == fine_compile::guardia) return kUscitaGuardia;
  if (s.codice_errore != kNessunErrore || r.fine == fine_compile::senza_celle) return kUscitaCodice;
  return kUscitaPulita;
}

int esegui_compile(const opzioni_compile& o, std::ostream& out, std::ostream& err) {
  if (esito_file e = crea_cartella(o.cartella_uscita); !e.ok) {
    err << e.messaggio() << "\n";
    return kUscitaFile;
  }
  std::optional<testo_autore> linea, servizio, note;
  if (esito_file e = leggi_testi(o, linea, servizio, note, err); !e.ok) {
    err << e.messaggio() << "\n";
    return kUscitaFile;
  }

  const risultato_compile r = compila(richiesta_di(o, linea, servizio));

  int stato = stato_compile(r, o, err);
  if (o.binari && r.fine == fine_compile::completata) {
    if (esito_file w = scrivi_binari(r.s, o.cartella_uscita); !w.ok) {
      err << w.messaggio() << "\n";
      stato = kUscitaFile;
    }
  }
  if (o.documenti && stato != kUscitaFile) {
    const testi_documenti t{linea.value_or(testo_autore{}), servizio.value_or(testo_autore{}), note};
    const int documenti = scrivi_documenti_autore(r, t, o.cartella_uscita, err);
    if (stato == kUscitaPulita) stato = documenti;
  }
  out << riga_esito(r.s) << "\n";
  return stato;
}

}  // namespace sb
