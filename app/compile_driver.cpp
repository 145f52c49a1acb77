#include "app/compile_driver.h"

#include "app/error_report.h"
#include "line/line_compiler.h"
#include "passes/signal_pass.h"
#include "passes/stamps.h"
#include "scenario/binary_files.h"
#include "scenario/error_codes.h"
#include "scenario/file_names.h"
#include "service/service_compiler.h"

namespace sb {
namespace {

// A read failure outside the phases: a text that exists but cannot be read.
void registra_lettura_fallita(scenario& s, origine_errore origine) {
  s.codice_errore = kLetturaFallita;
  s.origine = origine;
  s.riga_errore = 0;
}

// The service phase over the service text, which is deleted on every way out.
esito_file fase_servizio_da_file(scenario& s, const std::string& percorso) {
  std::string testo;
  if (!file_esiste(percorso) || !leggi_file(percorso, testo).ok) {
    registra_lettura_fallita(s, origine_errore::testo_servizio);
    return cancella_se_esiste(percorso);
  }
  fase_servizio(s, testo);
  return cancella_se_esiste(percorso);
}

}  // namespace

esito_file memorizza_dati(scenario& s, const std::string& cartella) {
  s.tabella[kOggettoLinea].nome = s.nome_linea;
  s.tabella[kOggettoTreno].nome = s.numero_treno;
  const std::string linea = in_cartella(cartella, nome_testo_linea(s.nome_linea));
  const std::string servizio = in_cartella(cartella, nome_testo_servizio(s.nome_linea, s.numero_treno));

  if (!file_esiste(linea)) {
    s.codice_errore = kTestoLineaAssente;
    s.origine = origine_errore::testo_linea;
    s.riga_errore = 0;
    return {};
  }
  std::string testo;
  if (!leggi_file(linea, testo).ok) {
    registra_lettura_fallita(s, origine_errore::testo_linea);
    esito_file e = cancella_se_esiste(linea);
    return e.ok ? cancella_se_esiste(servizio) : e;
  }
  esito_fase_linea fine = fase_linea(s, testo);
  if (esito_file e = cancella_file(linea); !e.ok) return e;
  switch (fine) {
    case esito_fase_linea::prosegui: return fase_servizio_da_file(s, servizio);
    case esito_fase_linea::ritorna: return {};
    case esito_fase_linea::lettura_fallita: return cancella_se_esiste(servizio);
  }
  return {};
}

esito_build memorizza_percorso(scenario& s, int32_t j, const std::string& cartella,
                               interfaccia_utente& ui) {
  s.flag_griglia = j;
  s.codice_errore = kNessunErrore;
  s.origine = origine_errore::nessuna;
  s.riga_errore = 0;
  pulisci_tabella(s.tabella);
  // Nothing of an earlier build survives: the line compile creates these anew
  // when it reads a route length.
  s.celle.clear();
  s.griglia = griglia_linea{};

  esito_build esito;
  if (esito_file e = memorizza_dati(s, cartella); !e.ok) {
    esito.fine = esito_build::tipo::errore_file;
    esito.file = e;
    return esito;
  }
  if (s.celle.empty()) {
    esito.fine = esito_build::tipo::senza_celle;
    return esito;
  }
  passaggio_segnali(s);
  if (int32_t guardia = timbra(s); guardia != 0) {
    errore(std::to_string(guardia), ui);
    esito.fine = esito_build::tipo::guardia;
    esito.numero_guardia = guardia;
    return esito;
  }

  esito_file e;
  if (j != 0) e = sostituisci_file(in_cartella(cartella, nome_file_griglia(s.nome_linea)),
                                   codifica_griglia(s.griglia));
  if (e.ok) e = sostituisci_file(in_cartella(cartella, nome_file_tabella(s.nome_linea, s.numero_treno)),
                                 codifica_tabella(s.tabella));
  if (e.ok) e = sostituisci_file(in_cartella(cartella, nome_file_celle(s.nome_linea, s.numero_treno)),
                                 codifica_celle(s.celle));
  if (!e.ok) {
    esito.fine = esito_build::tipo::errore_file;
    esito.file = e;
  }
  return esito;
}

}  // namespace sb
