#include "tools/compile_command.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <vector>

#include "app/compile_driver.h"
#include "app/error_report.h"
#include "compile/compile.h"
#include "compile/exit_status.h"
#include "platform/file_set.h"
#include "platform/files.h"
#include "platform/signals.h"
#include "scenario/error_codes.h"
#include "tools/author_texts.h"
#include "tools/diagnostic_printer.h"
#include "tools/documents_command.h"
#include "tools/utf8_input.h"
#include "tools/warning_cap.h"

namespace sb {
namespace {

// A warning when a name has a character with no code page 1252 form.
void avvisa_nome(const std::string& nome, const char* quale, std::ostream& err) {
  testo_convertito t = prepara_testo(nome);
  if (t.sostituiti.empty()) return;
  err << "scenario_tool: warning: the " << quale << " \"" << nome
      << "\" has a character with no code page 1252 form; it is stored as \"" << t.byte << "\"\n";
}

// The author's file a diagnostic points into, or empty.
std::string file_autore(const diagnostica& d, const opzioni_compile& o) {
  if (d.origine == origine_errore::testo_linea) return o.linea;
  if (d.origine == origine_errore::testo_servizio) return o.servizio;
  return "";
}

}  // namespace

std::string testo_mancante(const diagnostica& d, const opzioni_compile& o) {
  if (d.livello != gravita::errore || d.riga != 0) return "";
  if (d.origine == origine_errore::testo_linea && o.linea.empty()) return " (no --line given)";
  if (d.origine == origine_errore::testo_servizio && o.servizio.empty()) return " (no --service given)";
  return "";
}

esito_file leggi_testo_autore(const std::string& autore, std::optional<testo_autore>& testo, std::ostream& err) {
  if (autore.empty()) return {};
  testo_autore t{autore, "", ""};
  if (esito_file e = leggi_file(autore, t.originale); !e.ok) return e;
  testo_convertito c = prepara_testo(t.originale);
  scrivi_avvisi(err, autore, c.sostituiti.size(), [&](size_t i) {
    return autore + ":" + std::to_string(c.sostituiti[i].riga) + ":" + std::to_string(c.sostituiti[i].colonna) +
           ": warning: a character with no code page 1252 form is replaced by \"?\"";
  });
  t.byte = std::move(c.byte);
  testo = std::move(t);
  return {};
}

esito_file crea_cartella(const std::string& cartella) {
  std::error_code e;
  std::filesystem::create_directories(cartella, e);
  if (e) return esito_file{false, cartella, e.message()};
  if (!std::filesystem::is_directory(cartella, e)) return esito_file{false, cartella, "Not a directory"};
  return {};
}

richiesta_compile richiesta_di(const opzioni_compile& o, const std::optional<testo_autore>& linea,
                               const std::optional<testo_autore>& servizio) {
  richiesta_compile richiesta;
  if (linea) richiesta.testo_linea = linea->byte;
  if (servizio) richiesta.testo_servizio = servizio->byte;
  // Names are stored in code page 1252 like the texts; the file names keep
  // them as given.
  richiesta.nome_linea = prepara_testo(o.nome_linea).byte;
  richiesta.numero_treno = prepara_testo(o.numero_treno).byte;
  richiesta.flag_griglia = o.senza_griglia ? 0 : 1;
  return richiesta;
}

std::string riga_diagnostica(const diagnostica& d, const opzioni_compile& o) {
  const std::string file = file_autore(d, o);
  std::string luogo = file.empty() ? "scenario_tool" : file;
  if (!file.empty() && d.riga > 0) {
    luogo += ":" + std::to_string(d.riga);
    if (d.colonna > 0) luogo += ":" + std::to_string(d.colonna);
  }
  return luogo + ": " + std::string(parola_livello(d.livello)) + ": " + messaggio_diagnostica(d) +
         testo_mancante(d, o);
}

std::string riga_esito(const scenario& s) {
  return "codice_errore=" + std::to_string(s.codice_errore) +
         " posizione_errore=" + std::to_string(s.posizione_errore);
}

int stato_compile(const risultato_compile& r, std::ostream& err) {
  const scenario& s = r.s;
  if (r.fine == fine_compile::guardia) err << testo_errore(std::to_string(r.numero_guardia)) << "\n";
  if (r.fine == fine_compile::senza_celle && s.codice_errore == kNessunErrore) {
    err << "no route length was read: no binary file written\n";
  }
  if (r.fine == fine_compile::guardia) return kUscitaGuardia;
  if (s.codice_errore != kNessunErrore || r.fine == fine_compile::senza_celle) return kUscitaCodice;
  return kUscitaPulita;
}

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
