#include "line/memo_indicatori_v_max.h"

#include <cstdint>

#include "scenario/cell_occupant.h"
#include "scenario/error_codes.h"

namespace sb {
namespace {

bool in_16(double v) { return v >= -32768.0 && v <= 32767.0; }

// One speed pair: nearest(d / 5 + 20 x s), binary64 in that order.
double coppia(int32_t s, int32_t d) {
  return nearest(static_cast<double>(d) / 5.0 + 20.0 * static_cast<double>(s));
}

}  // namespace

void memo_indicatori_v_max(scenario& s, const indicatore_vmax& v) {
  const int64_t i = indice_cella(v.posizione);
  if (i < 0 || i >= static_cast<int64_t>(s.celle.size())) {
    registra_codice(s, kFuoriPercorso, luogo_testo{}, v.posizione,
                    prima_delle_celle(v.posizione, i, "maximum-speed indicator"));
    return;
  }
  cella& c = s.celle[static_cast<size_t>(i)];
  if (!cella_libera(c)) {
    registra_codice(s, kIndicatoreOccupato, luogo_testo{},
                    "maximum-speed indicator at " + std::to_string(v.posizione) + " m: " + cella_e_metro(i) +
                        " already holds " + occupante_cella(s, i));
    nota_su_occupante(s, i);
    return;
  }
  const double a = coppia(v.vas, v.vad);
  const double b = coppia(v.vbs, v.vbd);
  const double k = coppia(v.vcs, v.vcd);
  const int64_t strisce = int64_t{10} * v.strisces + v.strisced;
  if (!in_16(a) || !in_16(b) || !in_16(k) || !in_16(static_cast<double>(strisce))) {
    registra_codice(s, kLetturaFallita, luogo_testo{},
                    "the indicator's coded speeds or stripes do not fit 16 bits (nearest(vad / 5 + 20 x vas) and "
                    "10 x strisces + strisced must lie within -32768..32767)");
    return;
  }
  c.tipo = tipo_cella::indicatore_vmax;
  c.dato_1 = static_cast<int16_t>(a);
  c.dato_2 = static_cast<int16_t>(b);
  c.dato_3 = static_cast<int16_t>(k);
  c.dato_4 = static_cast<int16_t>(strisce);
}

}  // namespace sb
