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

forma_numero forma_di(std::string_view token) {
  int32_t v = 0;
  if (token.empty()) return forma_numero::vuoto;
  if (converti(token, v)) return forma_numero::intero;
  if (token[0] == '+' || token[0] == '-') token.remove_prefix(1);
  const size_t punto = token.find('.');
  const std::string_view intera = token.substr(0, punto);
  const bool cifre_intere = !intera.empty() && intera.find_first_not_of("0123456789") == std::string_view::npos;
  if (punto == std::string_view::npos) return cifre_intere ? forma_numero::intero_largo : forma_numero::non_numero;
  const std::string_view decimali = token.substr(punto + 1);
  const bool cifre_decimali = !decimali.empty() && decimali.find_first_not_of("0123456789") == std::string_view::npos;
  return cifre_intere && cifre_decimali ? forma_numero::decimale : forma_numero::non_numero;
}

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
  inizio_riga_ = pos_;
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
  campo_.chiude_riga = consuma_fine_riga();
}

void lettore_campi::conta_righe(size_t da, size_t a) {
  for (size_t i = da; i < a; ++i) {
    const bool fine = testo_[i] == '\n' || (testo_[i] == '\r' && (i + 1 == a || testo_[i + 1] != '\n'));
    if (!fine) continue;
    ++riga_corrente_;
    inizio_riga_ = i + 1;
  }
}

// Notes where the field about to be read begins: skips to it first.
void lettore_campi::inizia_campo() {
  salta_vuoti();
  inizio_campo_ = pos_;
  campo_ = campo_letto{};
  campo_.riga = riga_corrente_;
  campo_.colonna = colonna_di(pos_);
  campo_.colonna_testo = campo_.colonna;
  campo_.riga_fine = riga_corrente_;
  campo_.colonna_fine = campo_.colonna;
  campo_.primo_della_riga = pos_ == primo_della_riga();
}

size_t lettore_campi::primo_della_riga() {
  if (riga_esaminata_ != inizio_riga_ || !riga_nota_) {
    riga_nota_ = true;
    riga_esaminata_ = inizio_riga_;
    primo_non_blank_ = inizio_riga_;
    while (primo_non_blank_ < testo_.size() && blank(testo_[primo_non_blank_])) ++primo_non_blank_;
  }
  return primo_non_blank_;
}

void lettore_campi::chiudi_campo(size_t inizio, size_t fine) {
  campo_.grezzo = testo_.substr(inizio, fine - inizio);
  campo_.riga_fine = riga_corrente_;
  campo_.colonna_fine = colonna_di(fine);
}

esito_lettura lettore_campi::leggi_testo(std::string& campo) {
  inizia_campo();
  if (al_termine()) return esito_lettura::niente;
  if (corrente() == '"') {
    size_t chiusura = testo_.find('"', pos_ + 1);
    const bool mai_chiuse = chiusura == std::string_view::npos;
    if (mai_chiuse) chiusura = testo_.size();
    std::string_view dentro = testo_.substr(pos_ + 1, chiusura - pos_ - 1);
    campo_.colonna_testo = campo_.colonna + 1;
    conta_righe(pos_ + 1, chiusura);
    campo.assign(dentro);
    chiudi_campo(pos_ + 1, chiusura);
    campo_.mai_chiuse = mai_chiuse;
    campo_.virgolette_aperte = mai_chiuse || campo_.riga_fine > campo_.riga;
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
  chiudi_campo(pos_, ultimo);
  pos_ = fine;
  consuma_delimitatore();
  return esito_lettura::letto;
}

esito_lettura lettore_campi::leggi_numero(int32_t& valore) {
  inizia_campo();
  if (al_termine()) return esito_lettura::niente;
  if (corrente() == ',') {
    chiudi_campo(pos_, pos_);
    ++pos_;
    valore = 0;
    return esito_lettura::letto;
  }
  size_t inizio = pos_;
  while (!al_termine() && !blank(corrente()) && corrente() != ',' && !fine_riga(corrente())) ++pos_;
  chiudi_campo(inizio, pos_);
  if (!converti(campo_.grezzo, valore)) return esito_lettura::non_valido;
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

void lettore_campi::rileggi_ultimo() {
  pos_ = inizio_campo_;
  riga_corrente_ = campo_.riga;
  inizio_riga_ = inizio_campo_ - static_cast<size_t>(campo_.colonna - 1);
  campo_.chiude_riga = false;
}

std::string_view lettore_campi::resto_della_riga() const {
  if (campo_.chiude_riga) return {};
  size_t fine = pos_;
  while (fine < testo_.size() && !fine_riga(testo_[fine])) ++fine;
  return testo_.substr(pos_, fine - pos_);
}

bool lettore_campi::finito() const {
  for (size_t i = pos_; i < testo_.size(); ++i) {
    char c = testo_[i];
    if (!blank(c) && !fine_riga(c)) return false;
  }
  return true;
}

}  // namespace sb
