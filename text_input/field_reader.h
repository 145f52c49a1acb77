// The field reader shared by the line and service compilers: a description
// text seen as one stream of fields ended by commas or line ends.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sb {

// Outcome of one read.
enum class esito_lettura {
  letto,       // a field was read
  niente,      // nothing but blanks and line ends was left
  non_valido,  // not a number, or a number too wide for its field
};

// Reads fields from code page 1252 bytes. Blanks are space and tab; a line
// ends with CR LF, a lone LF or a lone CR. Every read first skips blanks and
// line ends, so empty lines give no field.
class lettore_campi {
 public:
  explicit lettore_campi(std::string_view testo) : testo_(testo) {}

  // A text field: up to the next comma or line end, trailing blanks dropped;
  // or, when it opens with a double quote, up to the next double quote, with
  // whatever follows the closing quote up to the comma or line end dropped.
  // The comma or line end that ends the field is consumed.
  esito_lettura leggi_testo(std::string& campo);

  // A signed 32-bit decimal with an optional sign. A comma straight away is
  // an empty field and reads 0. The number ends at a blank, comma or line end;
  // then blanks and one comma or one line end are consumed.
  esito_lettura leggi_numero(int32_t& valore);

  // A number that must fit a signed 16-bit field.
  esito_lettura leggi_i16(int16_t& valore);

  // A number that must fit an unsigned 8-bit field.
  esito_lettura leggi_u8(uint8_t& valore);

  // The end test: nothing but blanks and line ends is left.
  bool finito() const;

  // 1-based line on which the last field (read or attempted) began.
  int32_t riga() const { return riga_campo_; }

 private:
  bool al_termine() const { return pos_ >= testo_.size(); }
  char corrente() const { return testo_[pos_]; }
  void salta_vuoti();
  void salta_blank();
  bool consuma_fine_riga();
  void consuma_delimitatore();
  void conta_righe(std::string_view tratto);

  std::string_view testo_;
  size_t pos_ = 0;
  int32_t riga_corrente_ = 1;
  int32_t riga_campo_ = 0;
};

}  // namespace sb
