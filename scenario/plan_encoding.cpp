#include "scenario/plan_encoding.h"

#include <algorithm>
#include <cstring>

#include "platform/huge_pages.h"

namespace sb {
namespace {

// Bytes of one coordinate's block of a seeded plan whose points 2 to
// prossimo - 1 are computed and the rest empty.
size_t byte_blocco(int64_t punti, int64_t prossimo) {
  return scarto_punto(prossimo) + kByteVuoto * static_cast<size_t>(punti - prossimo);
}

}  // namespace

void prepara_griglia(griglia_codificata& g, int64_t punti) {
  g = griglia_codificata{};
  g.punti = std::max<int64_t>(punti, 2);
  // The y values start where a completed line compile leaves them: every
  // point computed but the last two.
  g.inizio_y = byte_blocco(g.punti, std::max<int64_t>(g.punti - 2, 2));
  const size_t n = 2 * byte_blocco(g.punti, g.punti);
  g.byte.reserve(n);
  chiedi_pagine_grandi(g.byte.data(), n);
  g.byte.resize(n);
}

void scrivi_semi(griglia_codificata& g) {
  if (!g.esiste() || g.chiusa) return;
  const char semi_x[kByteSemi] = {2, 0, 0, 0, 2, 0, 0, 0};
  const char semi_y[kByteSemi] = {2, 0, 0, 0, 2, 0, 1, 0};
  std::memcpy(g.byte.data(), semi_x, kByteSemi);
  std::memcpy(g.byte.data() + g.inizio_y, semi_y, kByteSemi);
  g.seminata = true;
}

void fai_posto(griglia_codificata& g, int64_t ultimo) {
  const size_t serve = byte_blocco(g.punti, ultimo + 1);
  if (serve <= g.inizio_y) return;
  std::memmove(g.byte.data() + serve, g.byte.data() + g.inizio_y, scarto_punto(g.prossimo));
  g.inizio_y = serve;
}

void chiudi_griglia(griglia_codificata& g) {
  if (!g.esiste() || g.chiusa) return;
  g.chiusa = true;
  if (!g.seminata) {
    g.byte.assign(2 * kByteVuoto * static_cast<size_t>(g.punti), '\0');
    g.inizio_y = kByteVuoto * static_cast<size_t>(g.punti);
    return;
  }
  const size_t calcolati = scarto_punto(g.prossimo);
  const size_t vuoti = kByteVuoto * static_cast<size_t>(g.punti - g.prossimo);
  const size_t blocco = calcolati + vuoti;
  char* b = g.byte.data();
  std::memset(b + calcolati, 0, vuoti);
  std::memmove(b + blocco, b + g.inizio_y, calcolati);
  std::memset(b + blocco + calcolati, 0, vuoti);
  g.inizio_y = blocco;
  g.byte.resize(2 * blocco);
}

valore_variante punto_griglia(const griglia_codificata& g, int c, int64_t k) {
  const bool seme = k == 0 || k == 1;
  if (k < 0 || k >= g.punti || (seme && !g.seminata) || (!seme && k >= g.prossimo)) return {};
  if (seme) return {tipo_variante::intero, static_cast<int16_t>(c == 1 && k == 1), 0.0};
  const size_t inizio = c == 0 ? 0 : g.inizio_y;
  return {tipo_variante::reale, 0, get_f64(g.byte.data() + inizio + scarto_punto(k) + 2)};
}

griglia_linea punti_griglia(const griglia_codificata& g) {
  griglia_linea p;
  const size_t n = static_cast<size_t>(g.punti);
  p.x.reserve(n);
  p.y.reserve(n);
  for (int64_t k = 0; k < g.punti; ++k) {
    p.x.push_back(punto_griglia(g, 0, k));
    p.y.push_back(punto_griglia(g, 1, k));
  }
  return p;
}

}  // namespace sb
