#include "app/startup.h"

#include <ostream>

#include "builtin/builtin_scenario.h"
#include "platform/folder_lock.h"
#include "platform/signals.h"
#include "scenario/error_codes.h"

namespace sb {

int esito_uscita(const esito_build& esito, const scenario& s, std::ostream& err) {
  switch (esito.fine) {
    case esito_build::tipo::errore_file:
      return uscita_file(esito.file, err);
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
  segnali_di_build segnali;
  scenario s;
  s.nome_linea = kNomeLinea;
  s.numero_treno = kNumeroTreno;
  ui.mostra_attesa();
  // The folder is held from the first text to the last binary file: the
  // texts are written and read back under the lock.
  cartella_uscita uscita;
  esito_file e = apri_e_blocca(uscita, cartella, attesa_blocco::attendi, err, "scenario_builder");
  if (e.ok) e = scrivi_testi_incorporati(uscita, s.nome_linea, s.numero_treno);
  if (!e.ok) {
    ui.chiudi_attesa();
    return uscita_file(e, err);
  }
  esito_build esito = memorizza_percorso(s, 1, uscita, ui);
  ui.chiudi_attesa();
  const int stato = esito_uscita(esito, s, err);
  return esito.file.ok ? stato_finale(stato, cartella, err) : stato;
}

}  // namespace sb
