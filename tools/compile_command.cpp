#include "tools/compile_command.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <sstream>
#include <vector>

#include "app/error_report.h"
#include "compile/compile.h"
#include "compile/exit_status.h"
#include "platform/file_set.h"
#include "platform/files.h"
#include "platform/signals.h"
#include "scenario/error_codes.h"
#include "scenario/file_names.h"
#include "tools/documents_command.h"
#include "tools/utf8_input.h"
#include "tools/warning_cap.h"

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
  scrivi_avvisi(err, autore, c.righe_sostituite.size(), [&](size_t i) {
    return autore + ":" + std::to_string(c.righe_sostituite[i]) +
           ": warning: a character with no code page 1252 form was replaced by \"?\"";
  });
  t.byte = std::move(c.byte);
  testo = std::move(t);
  return {};
}

// Replaces the binary files of a build that ran to its end in the output
// directory as one set; the line plan only when the build flag asks for it.
// The files are named with the names as given.
esito_file scrivi_binari(const scenario& s, const opzioni_compile& o, cartella_uscita& uscita) {
  const file_binari f = codifica_binari(s);
  std::vector<file_nuovo> files;
  if (s.flag_griglia != 0) files.push_back({nome_file_griglia(o.nome_linea), f.griglia});
  files.push_back({nome_file_tabella(o.nome_linea, o.numero_treno), f.tabella});
  files.push_back({nome_file_celle(o.nome_linea, o.numero_treno), f.celle});
  return sostituisci_insieme(uscita, files);
}

// A warning when a name has a character with no code page 1252 form.
void avvisa_nome(const std::string& nome, const char* quale, std::ostream& err) {
  testo_convertito t = prepara_testo(nome);
  if (t.righe_sostituite.empty()) return;
  err << "scenario_tool: warning: the " << quale << " \"" << nome
      << "\" has a character with no code page 1252 form; it is stored as \"" << t.byte << "\"\n";
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
  // Names are stored in code page 1252 like the texts; the file names keep
  // them as given.
  richiesta.nome_linea = prepara_testo(o.nome_linea).byte;
  richiesta.numero_treno = prepara_testo(o.numero_treno).byte;
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
  segnali_di_build segnali;
  if (esito_file e = crea_cartella(o.cartella_uscita); !e.ok) {
    err << e.messaggio() << "\n";
    return kUscitaFile;
  }
  std::optional<testo_autore> linea, servizio, note;
  if (esito_file e = leggi_testi(o, linea, servizio, note, err); !e.ok) {
    err << e.messaggio() << "\n";
    return kUscitaFile;
  }

  avvisa_nome(o.nome_linea, "line name", err);
  avvisa_nome(o.numero_treno, "train number", err);
  const risultato_compile r = compila(richiesta_di(o, linea, servizio));

  int stato = stato_compile(r, o, err);
  const bool binari = o.binari && r.fine == fine_compile::completata;
  // The output directory is held from the first file written to the last.
  cartella_uscita uscita;
  if (binari || o.documenti) {
    if (esito_file e = apri_e_blocca(uscita, o.cartella_uscita, o.attesa, err, "scenario_tool"); !e.ok) {
      out << riga_esito(r.s) << "\n";
      return uscita_file(e, err);
    }
  }
  if (binari) {
    if (esito_file w = scrivi_binari(r.s, o, uscita); !w.ok) stato = uscita_file(w, err);
  }
  if (o.documenti && stato < kUscitaFile) {
    const testi_documenti t{linea.value_or(testo_autore{}), servizio.value_or(testo_autore{}), note};
    const int documenti = scrivi_documenti_autore(r, t, uscita, {o.nome_linea, o.numero_treno}, err);
    if (stato == kUscitaPulita) stato = documenti;
  }
  out << riga_esito(r.s) << "\n";
  return stato < kUscitaFile ? stato_finale(stato, o.cartella_uscita, err) : stato;
}

}  // namespace sb
