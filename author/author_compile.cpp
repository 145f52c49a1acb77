#include "author/author_compile.h"

#include <filesystem>
#include <optional>
#include <ostream>

#include "compile/exit_status.h"
#include "report/diagnostic_printer.h"
#include "report/warning_cap.h"
#include "scenario/error_codes.h"
#include "scenario/error_text.h"
#include "text_input/utf8_input.h"

namespace sb {
namespace {

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
  // A text that is UTF-16 or UTF-32 or holds NUL bytes is not copied as notes.
  if (std::optional<testo_rifiutato> no = rifiuta_testo(t.originale)) {
    const std::string dove = no->dove.riga == 0 ? "" : "line " + std::to_string(no->dove.riga) + ": ";
    return esito_file{false, autore, dove + no->motivo};
  }
  testo_convertito c = prepara_testo(t.originale);
  scrivi_avvisi(err, autore, c.righe_sostituite, [&](size_t i) {
    return autore + ":" + std::to_string(c.sostituiti[i].riga) + ":" + std::to_string(c.sostituiti[i].colonna) +
           ": warning: a character with no code page 1252 form is replaced by \"?\"";
  });
  t.byte = std::move(c.byte);
  testo = std::move(t);
  return {};
}

esito_file crea_cartella(const std::string& cartella) {
  std::error_code e;
  // A link to nothing is not made into a folder: creating its target would
  // write where the link points.
  if (std::filesystem::is_symlink(cartella, e) && !std::filesystem::exists(cartella, e)) {
    return esito_file{false, cartella,
                      "a link to a missing folder (" + std::filesystem::read_symlink(cartella, e).string() + ")"};
  }
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

}  // namespace sb
