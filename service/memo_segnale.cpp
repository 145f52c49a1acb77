#include "service/memo_segnale.h"

#include <array>
#include <string>

#include "scenario/cell_occupant.h"
#include "scenario/error_codes.h"
#include "service/service_read.h"

namespace sb {
namespace {

// a * m + b in 32 bits; false on overflow.
bool per_piu(int32_t a, int32_t m, int32_t b, int32_t& r) {
  int32_t prodotto = 0;
  return !__builtin_mul_overflow(a, m, &prodotto) && !__builtin_add_overflow(prodotto, b, &r);
}

// The coded values of one signal, worked out before any cell is written.
struct codici_segnale {
  int32_t dato_1 = 0;
  int32_t dato_2 = 0;
  int32_t dato_3 = 0;
  int32_t dato_4 = 0;
  std::array<int32_t, 4> preavviso{};  // for b = 1 to 4
};

bool codifica(const valori_segnale& v, codici_segnale& c) {
  int32_t lati = 0;  // sx * 3 + dx
  if (!per_piu(v.sx, 3, v.dx, lati)) return false;
  int32_t tre = 0;  // sx * 3
  if (__builtin_mul_overflow(v.sx, 3, &tre)) return false;
  int32_t parziale = 0;  // rapp * 10 + sx * 3, then + dx, in that order
  if (!per_piu(v.rapp, 10, tre, parziale) || __builtin_add_overflow(parziale, v.dx, &c.dato_4)) return false;
  if (!per_piu(v.s1, 10, v.d1, c.dato_1)) return false;
  if (!per_piu(v.s2, 10, v.d2, c.dato_2)) return false;
  if (!per_piu(v.s3, 10, v.d3, c.dato_3)) return false;
  for (int32_t b = 1; b <= 4; ++b) {
    if (!per_piu(lati, 10, b, c.preavviso[b - 1])) return false;
  }
  return true;
}

}  // namespace

bool segnale_nel_percorso(const scenario& s, int32_t posizione) {
  int64_t i = indice_cella(posizione);
  return cella_esiste(s, i - 8) && cella_esiste(s, i);
}

bool memo_segnale(scenario& s, int32_t posizione, valori_segnale& v) {
  size_t i = static_cast<size_t>(indice_cella(posizione));
  cella& c = s.celle[i];
  if (!cella_libera(c)) {
    registra_codice(s, kSegnaleOccupato, luogo_testo{},
                    "signal at " + std::to_string(posizione) + " m: " + cella_e_metro(static_cast<int64_t>(i)) +
                        " already holds " + occupante_cella(s, static_cast<int64_t>(i)));
    nota_su_occupante(s, static_cast<int64_t>(i));
    return true;
  }
  codici_segnale k;
  if (!codifica(v, k)) return false;
  c.tipo = tipo_cella::segnale;
  c.dato_4 = static_cast<int16_t>(k.dato_4);
  c.dato_1 = static_cast<int16_t>(k.dato_1);
  c.dato_2 = static_cast<int16_t>(k.dato_2);
  c.dato_3 = static_cast<int16_t>(k.dato_3);
  if (v.tempo >= 1 && v.tempo <= 100) v.tempo = 101;
  c.tempo_segnale = v.sx == 2 ? static_cast<uint8_t>(v.tempo) : 0;
  for (size_t b = 1; b <= 4; ++b) s.celle[i - 2 * b].preavviso = static_cast<uint8_t>(k.preavviso[b - 1]);
  return true;
}

}  // namespace sb
