#include "compile/compile.h"

#include "passes/signal_pass.h"
#include "passes/stamps.h"
#include "scenario/binary_files.h"
#include "scenario/error_codes.h"
#include "scenario/format.h"
#include "service/service_compiler.h"

namespace sb {

void inizia_build(scenario& s, int32_t flag_griglia) {
  s.flag_griglia = flag_griglia;
  s.codice_errore = kNessunErrore;
  s.posizione_errore = 0;
  s.limite_stazioni = kPrimoCartello;
  s.diagnostiche.clear();
  s.limite = limite_diagnostiche{};
  s.tracce = tracce_compile{};
  pulisci_tabella(s.tabella);
  s.luogo_voce = {};
  // Nothing of an earlier build survives: the line compile creates these anew
  // when it reads a route length.
  s.celle.clear();
  s.griglia = griglia_codificata{};
}

esito_fase_linea compila_testi(scenario& s, std::optional<std::string_view> testo_linea,
                               std::optional<std::string_view> testo_servizio, modo_errori modo) {
  s.tabella[kOggettoLinea].nome = s.nome_linea;
  s.tabella[kOggettoTreno].nome = s.numero_treno;
  if (!testo_linea) {
    registra_codice(s, kTestoLineaAssente, luogo_testo{origine_errore::testo_linea, 0, 0},
                    "there is no line description");
    return esito_fase_linea::ritorna;
  }
  const esito_fase_linea fine = fase_linea(s, *testo_linea, modo);
  if (fine != esito_fase_linea::prosegui) return fine;
  if (!testo_servizio) {
    registra_codice(s, kLetturaFallita, luogo_testo{origine_errore::testo_servizio, 0, 0},
                    "there is no service description");
    return fine;
  }
  (void)fase_servizio(s, *testo_servizio, modo);
  return fine;
}

fine_compile completa_build(scenario& s, int32_t& numero_guardia) {
  numero_guardia = 0;
  if (s.celle.empty()) return fine_compile::senza_celle;
  passaggio_segnali(s);
  numero_guardia = timbra(s);
  return numero_guardia != 0 ? fine_compile::guardia : fine_compile::completata;
}

risultato_compile compila(const richiesta_compile& richiesta) {
  risultato_compile r;
  r.s.nome_linea = richiesta.nome_linea;
  r.s.numero_treno = richiesta.numero_treno;
  inizia_build(r.s, richiesta.flag_griglia);
  (void)compila_testi(r.s, richiesta.testo_linea, richiesta.testo_servizio, richiesta.errori);
  r.fine = completa_build(r.s, r.numero_guardia);
  return r;
}

file_binari codifica_binari(const scenario& s) {
  file_binari f;
  if (s.flag_griglia != 0) f.griglia = s.griglia.byte;
  f.tabella = codifica_tabella(s.tabella);
  f.celle = codifica_celle(s.celle);
  return f;
}

}  // namespace sb
