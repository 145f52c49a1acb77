#include "tools/compile_command.h"

#include <filesystem>
#include <ostream>
#include <sstream>
#include <vector>

#include "app/compile_driver.h"
#include "app/startup.h"
#include "platform/user_interface.h"
#include "scenario/error_codes.h"
#include "scenario/file_names.h"
#include "tools/temporary_directory.h"
#include "tools/utf8_input.h"

namespace sb {
namespace {

constexpr int32_t kMetriCella = 50;

// An output stream that drops everything.
class scarto : public std::ostream {
 public:
  scarto() : std::ostream(nullptr) {}
};

// Reads an author's text, converts it when it is UTF-8, warns about every
// line where a "?" stands in, and writes it to the private path.
esito_file copia_testo(const std::string& autore, const std::string& privato, std::ostream& err) {
  std::string byte;
  if (esito_file e = leggi_file(autore, byte); !e.ok) return e;
  testo_convertito t = prepara_testo(byte);
  for (int32_t riga : t.righe_sostituite) {
    err << autore << ":" << riga
        << ": warning: a character with no code page 1252 form was replaced by \"?\"\n";
  }
  return sostituisci_file(privato, t.byte);
}

// Creates the directory and its parents when missing.
esito_file crea_cartella(const std::string& cartella) {
  std::error_code e;
  std::filesystem::create_directories(cartella, e);
  if (e) return esito_file{false, cartella, e.message()};
  if (!std::filesystem::is_directory(cartella, e)) return esito_file{false, cartella, "Not a directory"};
  return {};
}

// Moves the binary files the build wrote from the private directory into the
// output directory, replacing files of the same name there.
esito_file sposta_binari(const scenario& s, const std::string& privata, const std::string& uscita) {
  const std::vector<std::string> nomi = {nome_file_griglia(s.nome_linea),
                                         nome_file_tabella(s.nome_linea, s.numero_treno),
                                         nome_file_celle(s.nome_linea, s.numero_treno)};
  for (const std::string& nome : nomi) {
    const std::string da = in_cartella(privata, nome);
    if (!file_esiste(da)) continue;
    std::string byte;
    if (esito_file e = leggi_file(da, byte); !e.ok) return e;
    if (esito_file e = sostituisci_file(in_cartella(uscita, nome), byte); !e.ok) return e;
  }
  return {};
}

// The author's file a diagnostic points into, or empty. The chainage check
// runs at the end of the service read, but the values come from the line.
std::string file_autore(const scenario& s, const opzioni_compile& o) {
  if (s.codice_errore == kProgressivaNonMultipla) return o.linea;
  if (s.origine == origine_errore::testo_linea) return o.linea;
  if (s.origine == origine_errore::testo_servizio) return o.servizio;
  return "";
}

// A remark for a text the author did not give.
std::string testo_mancante(const scenario& s, const opzioni_compile& o) {
  if (s.origine == origine_errore::testo_linea && o.linea.empty()) return " (no --line given)";
  if (s.origine == origine_errore::testo_servizio && o.servizio.empty()) return " (no --service given)";
  return "";
}

}  // namespace

std::string diagnostica(const scenario& s, const opzioni_compile& o) {
  std::ostringstream d;
  const std::string file = file_autore(s, o);
  if (!file.empty()) {
    d << file;
    if (s.riga_errore > 0 && s.codice_errore != kProgressivaNonMultipla) d << ":" << s.riga_errore;
    d << ": ";
  }
  d << "error " << s.codice_errore << ": " << significato(s.codice_errore);
  if (s.origine == origine_errore::passaggio) {
    d << " (cell " << s.posizione_errore / kMetriCella << ", at " << s.posizione_errore << " m)";
  } else if (ha_posizione(s.codice_errore)) {
    d << " (at " << s.posizione_errore << " m)";
  }
  d << testo_mancante(s, o);
  return d.str();
}

std::string riga_esito(const scenario& s) {
  return "codice_errore=" + std::to_string(s.codice_errore) +
         " posizione_errore=" + std::to_string(s.posizione_errore);
}

int esegui_compile(const opzioni_compile& o, std::ostream& out, std::ostream& err) {
  if (esito_file e = crea_cartella(o.cartella_uscita); !e.ok) {
    err << e.messaggio() << "\n";
    return kUscitaFile;
  }
  cartella_temporanea privata;
  if (esito_file e = privata.crea(); !e.ok) {
    err << e.messaggio() << "\n";
    return kUscitaFile;
  }
  const std::string& dir = privata.percorso();
  if (!o.linea.empty()) {
    esito_file e = copia_testo(o.linea, in_cartella(dir, nome_testo_linea(o.nome_linea)), err);
    if (!e.ok) {
      err << e.messaggio() << "\n";
      return kUscitaFile;
    }
  }
  if (!o.servizio.empty()) {
    const std::string nome = nome_testo_servizio(o.nome_linea, o.numero_treno);
    esito_file e = copia_testo(o.servizio, in_cartella(dir, nome), err);
    if (!e.ok) {
      err << e.messaggio() << "\n";
      return kUscitaFile;
    }
  }

  scenario s;
  s.nome_linea = o.nome_linea;
  s.numero_treno = o.numero_treno;
  std::unique_ptr<interfaccia_utente> ui = interfaccia_console(out, err);
  esito_build esito = memorizza_percorso(s, o.senza_griglia ? 0 : 1, dir, *ui);
  scarto niente;
  int stato = esito_uscita(esito, s, niente);
  if (s.codice_errore != kNessunErrore) err << diagnostica(s, o) << "\n";
  if (esito.fine == esito_build::tipo::senza_celle && s.codice_errore == kNessunErrore) {
    err << "no route length was read: no binary file written\n";
  }
  if (esito.fine == esito_build::tipo::errore_file) err << esito.file.messaggio() << "\n";
  if (stato != kUscitaFile) {
    if (esito_file e = sposta_binari(s, dir, o.cartella_uscita); !e.ok) {
      err << e.messaggio() << "\n";
      stato = kUscitaFile;
    }
  }
  out << riga_esito(s) << "\n";
  return stato;
}

}  // namespace sb
