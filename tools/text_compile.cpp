#include "tools/text_compile.h"

#include <ostream>

#include "app/startup.h"
#include "platform/files.h"
#include "platform/user_interface.h"
#include "scenario/error_codes.h"
#include "scenario/file_names.h"
#include "tools/temporary_directory.h"
#include "tools/utf8_input.h"

namespace sb {
namespace {

// An output stream that drops everything.
class scarto : public std::ostream {
 public:
  scarto() : std::ostream(nullptr) {}
};

// Reads an author's text as the compile reads it, warning about every line
// where a "?" stands in; an empty name is no text.
bool leggi_testo(const std::string& autore, std::vector<testo_sorgente>& testi, std::ostream& err) {
  if (autore.empty()) return true;
  std::string byte;
  if (esito_file e = leggi_file(autore, byte); !e.ok) {
    err << e.messaggio() << "\n";
    return false;
  }
  testo_convertito t = prepara_testo(byte);
  for (int32_t riga : t.righe_sostituite) {
    err << autore << ":" << riga << ": warning: a character with no code page 1252 form was replaced by \"?\"\n";
  }
  testi.push_back({autore, std::move(t.byte)});
  return true;
}

// Where a recorded code points along the route, or -1.
int64_t metro_codice(const scenario& s) {
  if (s.origine == origine_errore::passaggio || ha_posizione(s.codice_errore)) return s.posizione_errore;
  return -1;
}

// The diagnostics of the compile, as compile prints them.
void diagnostiche(testi_compilati& c, const opzioni_compile& o, std::ostream& err) {
  auto aggiungi = [&](const std::string& testo, int64_t metro) {
    err << testo << "\n";
    c.diagnostiche.push_back({testo, metro});
  };
  if (c.s.codice_errore != kNessunErrore) aggiungi(diagnostica(c.s, o), metro_codice(c.s));
  if (c.esito.fine == esito_build::tipo::senza_celle && c.s.codice_errore == kNessunErrore) {
    aggiungi("no route length was read: nothing to draw along the route", -1);
  }
  if (c.esito.fine == esito_build::tipo::guardia) {
    aggiungi("guard failure: Errore n. " + std::to_string(c.esito.numero_guardia) +
                 " (the build writes no binary file)", -1);
  }
}

}  // namespace

bool compila_testi(const opzioni_compile& o, testi_compilati& c, std::ostream& err) {
  if (!leggi_testo(o.linea, c.testi, err) || !leggi_testo(o.servizio, c.testi, err)) return false;
  cartella_temporanea privata;
  if (esito_file e = privata.crea(); !e.ok) {
    err << e.messaggio() << "\n";
    return false;
  }
  const std::string& dir = privata.percorso();
  size_t k = 0;
  for (const std::string* nome : {&o.linea, &o.servizio}) {
    if (nome->empty()) continue;
    const std::string privato = nome == &o.linea ? nome_testo_linea(o.nome_linea)
                                                 : nome_testo_servizio(o.nome_linea, o.numero_treno);
    if (esito_file e = sostituisci_file(in_cartella(dir, privato), c.testi[k++].byte); !e.ok) {
      err << e.messaggio() << "\n";
      return false;
    }
  }
  c.s.nome_linea = o.nome_linea;
  c.s.numero_treno = o.numero_treno;
  scarto niente;
  std::unique_ptr<interfaccia_utente> ui = interfaccia_console(niente, niente);
  c.esito = memorizza_percorso(c.s, 1, dir, *ui);
  if (c.esito.fine == esito_build::tipo::errore_file) {
    err << c.esito.file.messaggio() << "\n";
    return false;
  }
  c.stato = esito_uscita(c.esito, c.s, niente);
  diagnostiche(c, o, err);
  return true;
}

}  // namespace sb
