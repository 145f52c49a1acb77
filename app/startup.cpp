#include "app/startup.h"

#include <ostream>

#include "builtin/builtin_scenario.h"
#include "scenario/error_codes.h"

namespace sb {

int esito_uscita(const esito_build& esito, const scenario& s, std::ostream& err) {
  switch (esito.fine) {
    case esito_build::tipo::errore_file:
      err << esito.file.messaggio() << "\n";
      return kUscitaFile;
    case esito_build::tipo::guardia:
      return kUscitaGuardia;
    case esito_build::tipo::senza_celle:
      if (s.codice_errore != kNessunErrore) break;
      err << "no route length was read: no binary file written\n";
      return kUscitaCodice;
    case esito_build::tipo::completata:
      break;
  }
  if (s.codice_errore == kNessunErrore) return kUscitaPulita;
  err << "codice_errore " << s.codice_errore << " posizione_errore " << s.posizione_errore << ": "
      << significato(s.codice_errore) << "\n";
  return kUscitaCodice;
}

int avvio(const std::string& cartella, interfaccia_utente& ui, std::ostream& err) {
  scenario s;
  s.nome_linea = kNomeLinea;
  s.numero_treno = kNumeroTreno;
  ui.mostra_attesa();
  if (esito_file e = scrivi_testi_incorporati(cartella, s.nome_linea, s.numero_treno); !e.ok) {
    ui.chiudi_attesa();
    err << e.messaggio() << "\n";
    return kUscitaFile;
  }
  esito_build esito = memorizza_percorso(s, 1, cartella, ui);
  ui.chiudi_attesa();
  return esito_uscita(esito, s, err);
}

}  // namespace sb
