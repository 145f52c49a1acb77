// The kinds of item a route cell can hold, as its tipo field stores them.
#pragma once

#include <cstdint>

namespace sb {

// Values of cella::tipo.
namespace tipo_cella {
enum : uint8_t {
  libera = 0,                     // nothing
  segnale = 1,                    // a signal
  fine_rallentamento = 2,         // the end of a slowdown
  inizio_rallentamento = 3,       // the start of a slowdown; dato_1 its speed
  avviso_rallentamento = 4,       // a slowdown's warning point, 1200 m before its start
  approccio_rallentamento = 5,    // one of a slowdown's four approach cells
  indicatore_vmax = 6,            // a maximum-speed indicator
  fermata = 10,                   // a station stop; dato_1 the station's entry
  segno_montagna = 11,            // a filler mark inside a montagna span; counts as free
  abbattimento = 12,              // a code-reduction point; dato_1 its value
  abbattimento_senza_valore = 13, // a code-reduction point without a value
  cartello = 14,                  // an indicator sign board; dato_1 the entry of its caption
};
}  // namespace tipo_cella

}  // namespace sb
