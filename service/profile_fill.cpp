#include "service/profile_fill.h"

namespace sb {
namespace {

// The speed as the cells hold it: nearest(v / 5), which must fit 8 bits.
bool quinto(int32_t v, uint8_t& r) {
  double q = nearest(static_cast<double>(v) / 5.0);
  if (q < 0 || q > 255) return false;
  r = static_cast<uint8_t>(q);
  return true;
}

// Fills velocita from the fill index: at least one cell, then until the
// index reaches fino; stops before cell limite.
passo stendi_velocita(scenario& s, lettura_servizio& r, int64_t fino, int64_t limite) {
  do {
    if (r.indice_velocita >= limite) return passo::prosegui;
    uint8_t q = 0;
    if (!quinto(r.velocita_precedente, q)) {
      return fallita(s, r.luogo_velocita,
                     "speed " + std::to_string(r.velocita_precedente) + " does not fit 0..1275 km/h");
    }
    s.celle[static_cast<size_t>(r.indice_velocita)].velocita = q;
    ++r.indice_velocita;
  } while (r.indice_velocita < fino);
  return passo::prosegui;
}

// Fills aderenza likewise.
void stendi_aderenza(scenario& s, lettura_servizio& r, int64_t fino, int64_t limite) {
  do {
    if (r.indice_aderenza >= limite) return;
    s.celle[static_cast<size_t>(r.indice_aderenza)].aderenza = static_cast<uint8_t>(r.aderenza_precedente);
    ++r.indice_aderenza;
  } while (r.indice_aderenza < fino);
}

}  // namespace

passo riempi_velocita(scenario& s, lettura_servizio& r, int32_t p, int32_t v, const luogo_testo& dove) {
  int64_t n = indice_confine(p);
  if (n > 0) {
    if (passo e = stendi_velocita(s, r, n, ultima_cella(s)); e != passo::prosegui) return e;
  }
  r.velocita_precedente = v;
  r.luogo_velocita = dove;
  return passo::prosegui;
}

void riempi_aderenza(scenario& s, lettura_servizio& r, int32_t p, int32_t a) {
  int64_t n = indice_confine(p);
  if (n > 0) stendi_aderenza(s, r, n, ultima_cella(s));
  r.aderenza_precedente = a;
}

passo completa_profili(scenario& s, lettura_servizio& r) {
  const int64_t n = ultima_cella(s);
  if (passo e = stendi_velocita(s, r, n - 2, n + 1); e != passo::prosegui) return e;
  stendi_aderenza(s, r, n - 2, n + 1);
  return passo::prosegui;
}

}  // namespace sb
