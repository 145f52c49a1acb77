#include "text_input/field_reader.h"

#include <limits>

namespace sb {
namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }
bool fine_riga(char c) { return c == '\r' || c == '\n'; }

// Parses [+-]digits into a 32-bit value; false when malformed or too wide.
bool converti(std::string_view token, int32_t& valore) {
  size_t i = 0;
  bool negativo = false;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) {
    negativo = token[i] == '-';
    ++i;
  }
  if (i == token.size()) return false;
  int64_t v = 0;
  for (; i < token.size(); ++i) {
    char c = token[i];
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
    if (v > int64_t{std::numeric_limits<int32_t>::max()} + 1) return false;
  }
  if (negativo) v = -v;
  if (v > std::numeric_limits<int32_t>::max() || v < std::numeric_limits<int32_t>::min()) return false;
  valore = static_cast<int32_t>(v);
  return true;
}

}  // namespace

bool lettore_campi::consuma_fine_riga() {
  if (al_termine()) return false;
  if (corrente() == '\r') {
    ++pos_;
    if (!al_termine() && corrente() == '\n') ++pos_;
  } else if (corrente() == '\n') {
    ++pos_;
  } else {
    return false;
  }
  ++riga_corrente_;
  return true;
}

void lettore_campi::salta_blank() {
  while (!al_termine() && blank(corrente())) ++pos_;
}

void lettore_campi::salta_vuoti() {
  for (;;) {
    salta_blank();
    if (!consuma_fine_riga()) return;
  }
}

void lettore_campi::consuma_delimitatore() {
  if (al_termine()) return;
  if (corrente() == ',') {
    ++pos_;
    return;
  }
  consuma_fine_riga();
}

void lettore_campi::conta_righe(std::string_view tratto) {
  for (size_t i = 0; i < tratto.size(); ++i) {
    if (tratto[i] == '\n') ++riga_corrente_;
    if (tratto[i] == '\r' && (i + 1 == tratto.size() || tratto[i + 1] != '\n')) ++riga_corrente_;
  }
}

esito_lettura lettore_campi::leggi_testo(std::string& campo) {
  salta_vuoti();
  riga_campo_ = riga_corrente_;
  if (al_termine()) return esito_lettura::niente;
  if (corrente() == '"') {
    size_t chiusura = testo_.find('"', pos_ + 1);
    if (chiusura == std::string_view::npos) chiusura = testo_.size();
    std::string_view dentro = testo_.substr(pos_ + 1, chiusura - pos_ - 1);
    conta_righe(dentro);
    campo.assign(dentro);
    pos_ = chiusura < testo_.size() ? chiusura + 1 : chiusura;
    while (!al_termine() && corrente() != ',' && !fine_riga(corrente())) ++pos_;
    consuma_delimitatore();
    return esito_lettura::letto;
  }
  size_t fine = pos_;
  while (fine < testo_.size() && testo_[fine] != ',' && !fine_riga(testo_[fine])) ++fine;
  size_t ultimo = fine;
  while (ultimo > pos_ && blank(testo_[ultimo - 1])) --ultimo;
  campo.assign(testo_.substr(pos_, ultimo - pos_));
  pos_ = fine;
  consuma_delimitatore();
  return esito_lettura::letto;
}

esito_lettura lettore_campi::leggi_numero(int32_t& valore) {
  salta_vuoti();
  riga_campo_ = riga_corrente_;
  if (al_termine()) return esito_lettura::niente;
  if (corrente() == ',') {
    ++pos_;
    valore = 0;
    return esito_lettura::letto;
  }
  size_t inizio = pos_;
  while (!al_termine() && !blank(corrente()) && corrente() != ',' && !fine_riga(corrente())) ++pos_;
  if (!converti(testo_.substr(inizio, pos_ - inizio), valore)) return esito_lettura::non_valido;
  salta_blank();
  consuma_delimitatore();
  return esito_lettura::letto;
}

esito_lettura lettore_campi::leggi_i16(int16_t& valore) {
  int32_t v = 0;
  esito_lettura esito = leggi_numero(v);
  if (esito != esito_lettura::letto) return esito;
  if (v < -32768 || v > 32767) return esito_lettura::non_valido;
  valore = static_cast<int16_t>(v);
  return esito;
}

esito_lettura lettore_campi::leggi_u8(uint8_t& valore) {
  int32_t v = 0;
  esito_lettura esito = leggi_numero(v);
  if (esito != esito_lettura::letto) return esito;
  if (v < 0 || v > 255) return esito_lettura::non_valido;
  valore = static_cast<uint8_t>(v);
  return esito;
}

bool lettore_campi::finito() const {
  for (size_t i = pos_; i < testo_.size(); ++i) {
    char c = testo_[i];
    if (!blank(c) && !fine_riga(c)) return false;
  }
  return true;
}

}  // namespace sb
