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

// What a token is, as a number: told apart to say what is wrong with it.
enum class forma_numero {
  intero,        // a signed 32-bit whole number
  intero_largo,  // a whole number beyond 32 bits
  decimale,      // digits with one decimal point, as 105.5
  non_numero,    // anything else, as 22O00
  vuoto,         // nothing
};

// The form of a token read where a number is expected.
forma_numero forma_di(std::string_view token);

// Where the last field read (or attempted) stood in the text, and what it
// held: what an author is shown when something is wrong with it.
struct campo_letto {
  int32_t riga = 0;           // 1-based line of its first character
  int32_t colonna = 0;        // 1-based byte column of its first character
  int32_t colonna_testo = 0;  // where a text field's characters begin: past an opening quote
  int32_t colonna_fine = 0;   // byte column just past its last character, on its last line
  int32_t riga_fine = 0;      // line of its last character
  bool primo_della_riga = false;  // only blanks stand before it on its line
  bool chiude_riga = false;   // the read consumed the line end after it
  std::string_view grezzo;    // its bytes as written: the number's token, or the text field
  bool virgolette_aperte = false;  // a quoted text field whose closing quote is not on its line
  bool mai_chiuse = false;         // ... nor anywhere: the field ran to the end of the text
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
  // That quote may stand lines further on (or nowhere, and the field runs to
  // the end of the text): the field then says so (virgolette_aperte).
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
  int32_t riga() const { return campo_.riga; }

  // The last field read or attempted: place, extent and bytes.
  const campo_letto& ultimo() const { return campo_; }

  // What stands on the current line after the last read: empty when that
  // read consumed its line end. Blanks and commas that end it are included.
  std::string_view resto_della_riga() const;

  // The line the reader stands on.
  int32_t riga_corrente() const { return riga_corrente_; }

  // Whether the byte just before resto_della_riga() is a comma (the last
  // read ended at one, not at a blank).
  bool dopo_virgola() const { return pos_ > 0 && testo_[pos_ - 1] == ','; }

  // The 1-based column at which resto_della_riga() begins.
  int32_t colonna_corrente() const { return colonna_di(pos_); }

  // Steps back to where the last field read or attempted began, so that the
  // next read gives it again.
  void rileggi_ultimo();

 private:
  bool al_termine() const { return pos_ >= testo_.size(); }
  char corrente() const { return testo_[pos_]; }
  void salta_vuoti();
  void salta_blank();
  bool consuma_fine_riga();
  void consuma_delimitatore();
  void conta_righe(size_t da, size_t a);
  void inizia_campo();
  void chiudi_campo(size_t inizio, size_t fine);
  int32_t colonna_di(size_t pos) const { return static_cast<int32_t>(pos - inizio_riga_) + 1; }
  size_t primo_della_riga();

  std::string_view testo_;
  size_t pos_ = 0;
  int32_t riga_corrente_ = 1;
  size_t inizio_riga_ = 0;  // offset of the current line's first byte
  campo_letto campo_;
  size_t inizio_campo_ = 0;  // offset at which the last field began
  bool riga_nota_ = false;     // primo_non_blank_ holds for the line at riga_esaminata_
  size_t riga_esaminata_ = 0;
  size_t primo_non_blank_ = 0;  // offset of the first non-blank byte of that line
};

}  // namespace sb
