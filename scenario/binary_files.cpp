#include "scenario/binary_files.h"

#include <algorithm>

#include "scenario/coding.h"

namespace sb {
namespace {

// Writes one variant at p, which has room for it; returns the byte after it.
char* metti_variante(char* p, const valore_variante& v) {
  p = put_u16(p, static_cast<uint16_t>(v.tipo));
  if (v.tipo == tipo_variante::intero) p = put_u16(p, static_cast<uint16_t>(v.intero));
  if (v.tipo == tipo_variante::reale) p = put_f64(p, v.reale);
  return p;
}

// A text as its 16-bit length and its bytes; a longer text is cut to 65 535
// bytes, so that the length always tells the bytes that follow.
void put_testo(std::string& dst, const std::string& testo) {
  const size_t n = std::min<size_t>(testo.size(), 0xffff);
  put_u16(dst, static_cast<uint16_t>(n));
  dst.append(testo, 0, n);
}

}  // namespace

size_t byte_variante(const valore_variante& v) {
  switch (v.tipo) {
    case tipo_variante::intero: return 4;
    case tipo_variante::reale: return 10;
    case tipo_variante::vuoto: break;
  }
  return 2;
}

std::string codifica_griglia(const griglia_linea& griglia) {
  size_t totale = 0;
  for (const auto& v : griglia.x) totale += byte_variante(v);
  for (const auto& v : griglia.y) totale += byte_variante(v);
  // Two million points and more: sized once and filled in place.
  std::string out(totale, '\0');
  char* p = out.data();
  for (const auto& v : griglia.x) p = metti_variante(p, v);
  for (const auto& v : griglia.y) p = metti_variante(p, v);
  return out;
}

std::string codifica_tabella(const tabella_oggetti& tabella) {
  std::string out;
  out.reserve(tabella.size() * kByteOggettoSenzaNome + 1024);
  for (const oggetto& o : tabella) {
    put_u8(out, o.tipo);
    put_i32(out, o.inizio);
    put_i32(out, o.fine);
    put_i32(out, o.posizione);
    put_u8(out, o.opzione_1);
    put_testo(out, o.nome);
    put_i16(out, o.param_1);
    put_i16(out, o.param_2);
    put_i16(out, o.param_3);
    put_i16(out, o.param_4);
    put_i16(out, o.param_5);
    put_u8(out, o.opzione_2);
    put_u8(out, o.opzione_3);
    put_u8(out, o.opzione_4);
    put_u8(out, o.opzione_5);
    put_i32(out, o.orario);
  }
  return out;
}

std::string codifica_celle(const celle_percorso& celle) {
  std::string out;
  out.reserve(celle.size() * kByteCella);
  for (const cella& c : celle) {
    put_u8(out, c.tipo);
    put_i16(out, c.dato_1);
    put_i16(out, c.dato_2);
    put_i16(out, c.dato_3);
    put_i16(out, c.dato_4);
    put_u8(out, c.tempo_segnale);
    put_u8(out, c.preavviso);
    put_u8(out, c.montagna);
    put_u8(out, c.velocita);
    put_u8(out, c.pendenza);
    put_u8(out, c.aderenza);
  }
  return out;
}

}  // namespace sb
