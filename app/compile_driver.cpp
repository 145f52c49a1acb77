#include "app/compile_driver.h"

#include <optional>
#include <vector>

#include "app/error_report.h"
#include "compile/binary_set.h"
#include "compile/compile.h"
#include "scenario/error_codes.h"
#include "scenario/file_names.h"

namespace sb {
namespace {

// The bytes of a text that exists and can be read; nothing otherwise.
std::optional<std::string> leggi_se_possibile(const std::string& file) {
  std::string testo;
  if (!file_esiste(file) || !leggi_file(file, testo).ok) return std::nullopt;
  return testo;
}

}  // namespace

esito_file memorizza_dati(scenario& s, const std::string& cartella) {
  const std::string linea = in_cartella(cartella, nome_testo_linea(s.nome_linea));
  const std::string servizio = in_cartella(cartella, nome_testo_servizio(s.nome_linea, s.numero_treno));

  if (!file_esiste(linea)) {
    (void)compila_testi(s, std::nullopt, std::nullopt);  // code 101; the service text stays
    return {};
  }
  std::string testo;
  if (!leggi_file(linea, testo).ok) {
    registra_codice(s, kLetturaFallita, origine_errore::testo_linea, 0);
    esito_file e = cancella_se_esiste(linea);
    return e.ok ? cancella_se_esiste(servizio) : e;
  }
  const std::optional<std::string> testo_servizio = leggi_se_possibile(servizio);
  const esito_fase_linea fine = compila_testi(s, testo, testo_servizio);
  if (esito_file e = cancella_file(linea); !e.ok) return e;
  // A line code that ends the compile leaves the service text where it is.
  if (fine == esito_fase_linea::ritorna) return {};
  return cancella_se_esiste(servizio);
}

esito_build memorizza_percorso(scenario& s, int32_t flag_griglia, cartella_uscita& cartella,
                               interfaccia_utente& ui) {
  inizia_build(s, flag_griglia);
  esito_build esito;
  if (esito_file e = memorizza_dati(s, cartella.cartella()); !e.ok) {
    esito.fine = esito_build::tipo::errore_file;
    esito.file = e;
    return esito;
  }
  switch (completa_build(s, esito.numero_guardia)) {
    case fine_compile::senza_celle:
      esito.fine = esito_build::tipo::senza_celle;
      return esito;
    case fine_compile::guardia:
      errore(std::to_string(esito.numero_guardia), ui);
      esito.fine = esito_build::tipo::guardia;
      return esito;
    case fine_compile::completata:
      break;
  }
  if (esito_file e = scrivi_binari(s, s.nome_linea, s.numero_treno, cartella); !e.ok) {
    esito.fine = esito_build::tipo::errore_file;
    esito.file = e;
  }
  return esito;
}

esito_build memorizza_percorso(scenario& s, int32_t flag_griglia, const std::string& cartella,
                               interfaccia_utente& ui) {
  cartella_uscita c;
  if (esito_file e = c.apri(cartella); !e.ok) {
    esito_build esito;
    esito.fine = esito_build::tipo::errore_file;
    esito.file = e;
    return esito;
  }
  return memorizza_percorso(s, flag_griglia, c, ui);
}

}  // namespace sb
