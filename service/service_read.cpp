#include "service/service_read.h"

#include "scenario/error_codes.h"

namespace sb {

bool leggi(lettura_servizio& r, int32_t& valore) {
  return r.lettore.leggi_numero(valore) == esito_lettura::letto;
}

bool leggi(lettura_servizio& r, int16_t& valore) {
  return r.lettore.leggi_i16(valore) == esito_lettura::letto;
}

bool leggi(lettura_servizio& r, uint8_t& valore) {
  return r.lettore.leggi_u8(valore) == esito_lettura::letto;
}

passo ferma(scenario& s, const lettura_servizio& r, int32_t codice) {
  registra_codice(s, codice, origine_errore::testo_servizio, r.riga_chiave);
  return passo::fermata;
}

passo ferma_in(scenario& s, const lettura_servizio& r, int32_t codice, int32_t posizione) {
  registra_codice(s, codice, origine_errore::testo_servizio, r.riga_chiave, posizione);
  return passo::fermata;
}

passo fallita(scenario& s, int32_t riga) {
  registra_codice(s, kLetturaFallita, origine_errore::testo_servizio, riga);
  return passo::lettura_fallita;
}

passo lettura_non_riuscita(scenario& s, const lettura_servizio& r) {
  return fallita(s, r.lettore.riga());
}

passo fuori_percorso(scenario& s, const lettura_servizio& r, int32_t posizione) {
  registra_codice(s, kFuoriPercorso, origine_errore::testo_servizio, r.riga_chiave, posizione);
  return passo::fine_percorso;
}

passo verifica_percorso(scenario& s, const lettura_servizio& r, int32_t p, int32_t margine) {
  int32_t somma = 0;
  if (__builtin_add_overflow(p, margine, &somma)) return fallita(s, r.riga_chiave);
  if (static_cast<double>(ultima_cella(s)) >= static_cast<double>(somma) / 50.0) return passo::prosegui;
  return fuori_percorso(s, r, p);
}

}  // namespace sb
