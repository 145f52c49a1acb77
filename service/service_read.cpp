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

esito_riga ferma(scenario& s, const lettura_servizio& r, int32_t codice) {
  s.codice_errore = codice;
  s.origine = origine_errore::testo_servizio;
  s.riga_errore = r.riga_chiave;
  return esito_riga::fermata;
}

esito_riga ferma_in(scenario& s, const lettura_servizio& r, int32_t codice, int32_t posizione) {
  s.posizione_errore = posizione;
  return ferma(s, r, codice);
}

esito_riga fallita(scenario& s, int32_t riga) {
  s.codice_errore = kLetturaFallita;
  s.origine = origine_errore::testo_servizio;
  s.riga_errore = riga;
  return esito_riga::lettura_fallita;
}

esito_riga lettura_non_riuscita(scenario& s, const lettura_servizio& r) {
  return fallita(s, r.lettore.riga());
}

esito_riga fuori_percorso(scenario& s, const lettura_servizio& r, int32_t posizione) {
  ferma_in(s, r, kFuoriPercorso, posizione);
  return esito_riga::fine_lettura;
}

esito_riga verifica_percorso(scenario& s, const lettura_servizio& r, int32_t p, int32_t margine) {
  int32_t somma = 0;
  if (__builtin_add_overflow(p, margine, &somma)) return fallita(s, r.riga_chiave);
  if (static_cast<double>(ultima_cella(s)) >= static_cast<double>(somma) / 50.0) return esito_riga::prosegui;
  return fuori_percorso(s, r, p);
}

}  // namespace sb
