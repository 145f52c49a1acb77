// The rows of the two description texts as an editor shows them: each
// keyword with its section and its values, each value with its name, unit,
// range and how the compiled files store it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "layout/row_shapes.h"

namespace sb {

// How a value is kept in the compiled files.
enum class conservazione : uint8_t {
  intero,          // as written (32 bits)
  campo_u8,        // 0..255, else the compile stops (code 25)
  campo_i16,       // -32768..32767, else the compile stops (code 25)
  byte_basso,      // its low 8 bits: 300 is stored as 44
  pendenza,        // + 100 in one byte: -100..155
  multiplo_5,      // in steps of 5, rounded to the nearest
  tempo_segnale,   // 0, or 101..255: 1..100 are raised to 101
  testo,           // a name or caption
};

// One value of a row.
struct campo_riga {
  std::string_view nome;    // "tipo", "lunghezza"
  std::string_view unita;   // "m", "km/h", "" for none
  std::string_view senso;   // what it means, one line
  int64_t minimo = 0;       // the range an author should keep to
  int64_t massimo = 0;
  conservazione modo = conservazione::intero;
};

// One kind of row.
struct tipo_riga {
  std::string_view parola;   // the keyword as written: "stazione"
  genere_testo testo;
  std::string_view sezione;  // the heading it goes under: "[stazioni]"
  std::span<const campo_riga> campi;
  bool lunga = false;        // its values are named in the editor as it is typed
  bool con_posizione = true; // the first value is a route position
};

// Every kind of row of a text, in the order the reader tests them.
std::span<const tipo_riga> tipi_riga(genere_testo t);

// The section headings of a text, in the builder's order.
std::span<const std::string_view> intestazioni_testo(genere_testo t);

// The kind of row a keyword field is, as the reader of that text recognises
// it (in the general section of the line only its general keywords count,
// in its route section only the route keywords); none when it is none.
const tipo_riga* riconosci_riga(genere_testo t, std::string_view campo, bool sezione_generale);

// The value as the compiled files keep it; none when the compile refuses it
// (a value too wide for its field).
std::optional<int64_t> valore_memorizzato(const campo_riga& c, int64_t v);

}  // namespace sb
