#include "scenario/binary_decoders.h"

#include <vector>

#include "scenario/binary_files.h"
#include "scenario/coding.h"
#include "scenario/format_bounds.h"

namespace sb {
namespace {

esito_decodifica guasto(size_t offset, std::string motivo) {
  return esito_decodifica{false, offset, std::move(motivo)};
}

// One object record at byte pos; advances pos past it.
esito_decodifica leggi_oggetto(std::string_view byte, size_t& pos, int indice, oggetto& o) {
  const std::string quale = "object record " + std::to_string(indice);
  if (byte.size() - pos < 16) {
    return guasto(byte.size(), quale + " is cut short before its name (it starts at byte " +
                                   std::to_string(pos) + ")");
  }
  const char* p = byte.data() + pos;
  o.tipo = get_u8(p);
  o.inizio = get_i32(p + 1);
  o.fine = get_i32(p + 5);
  o.posizione = get_i32(p + 9);
  o.opzione_1 = get_u8(p + 13);
  size_t n = get_u16(p + 14);
  if (byte.size() - pos < kByteOggettoSenzaNome + n) {
    return guasto(byte.size(), quale + " is cut short: it needs " +
                                   std::to_string(kByteOggettoSenzaNome + n) + " bytes from byte " +
                                   std::to_string(pos) + ", " + std::to_string(byte.size() - pos) +
                                   " are left");
  }
  o.nome.assign(p + 16, n);
  p += 16 + n;
  o.param_1 = get_i16(p);
  o.param_2 = get_i16(p + 2);
  o.param_3 = get_i16(p + 4);
  o.param_4 = get_i16(p + 6);
  o.param_5 = get_i16(p + 8);
  o.opzione_2 = get_u8(p + 10);
  o.opzione_3 = get_u8(p + 11);
  o.opzione_4 = get_u8(p + 12);
  o.opzione_5 = get_u8(p + 13);
  o.orario = get_i32(p + 14);
  pos += kByteOggettoSenzaNome + n;
  return {};
}

// One variant value at byte pos; advances pos past it.
esito_decodifica leggi_variante(std::string_view byte, size_t& pos, valore_variante& v) {
  if (byte.size() - pos < 2) return guasto(pos, "a plan value's kind code is cut short");
  uint16_t tipo = get_u16(byte.data() + pos);
  size_t dati = tipo == 0 ? 0 : tipo == 2 ? 2 : tipo == 5 ? 8 : SIZE_MAX;
  if (dati == SIZE_MAX) return guasto(pos, "unknown plan value kind " + std::to_string(tipo));
  if (byte.size() - pos - 2 < dati) return guasto(pos, "a plan value is cut short");
  const char* p = byte.data() + pos + 2;
  v = valore_variante{};
  v.tipo = static_cast<tipo_variante>(tipo);
  if (tipo == 2) v.intero = get_i16(p);
  if (tipo == 5) v.reale = get_f64(p);
  pos += 2 + dati;
  return {};
}

// Byte offset of value i.
size_t offset_valore(const std::vector<valore_variante>& valori, size_t i) {
  size_t o = 0;
  for (size_t k = 0; k < i; ++k) o += byte_variante(valori[k]);
  return o;
}

const char* nome_tipo(tipo_variante t) {
  switch (t) {
    case tipo_variante::vuoto: return "empty";
    case tipo_variante::intero: return "an integer";
    case tipo_variante::reale: return "a real";
  }
  return "";
}

// Where the y block begins when the x block starts as the compiler starts it
// (two integers): the next integer after them. 0 when it cannot be told.
size_t inizio_blocco_y(const std::vector<valore_variante>& valori) {
  if (valori.size() < 2 || valori[0].tipo != tipo_variante::intero) return 0;
  for (size_t i = 2; i < valori.size(); ++i) {
    if (valori[i].tipo == tipo_variante::intero) return i;
  }
  return 0;
}

// Whether kind b may follow kind a within a block: two integers, then
// reals, then empty values to the end; or empty values only.
bool segue(size_t punto, tipo_variante a, tipo_variante b) {
  if (punto == 1) return a == b;
  if (b == tipo_variante::vuoto) return true;
  return b == tipo_variante::reale && a != tipo_variante::vuoto;
}

// The plan is laid out as the compiler lays it out: the two blocks hold as
// many points, each block follows the pattern of `segue`, and a point is of
// one kind in both blocks.
esito_decodifica verifica_griglia(const std::vector<valore_variante>& valori) {
  const size_t meta = valori.size() / 2;
  if (size_t y = inizio_blocco_y(valori); y != 0 && y != meta) {
    return guasto(offset_valore(valori, y), "the two halves disagree in point count: the x block holds " +
                                                std::to_string(y) + " points and the y block " +
                                                std::to_string(valori.size() - y));
  }
  const char* blocchi[] = {"x", "y"};
  for (size_t b = 0; b < 2; ++b) {
    const size_t base = b * meta;
    if (valori[base].tipo == tipo_variante::reale) {
      return guasto(offset_valore(valori, base), std::string("point 0 of the ") + blocchi[b] +
                                                     " block is a real: the compiler starts with two integers");
    }
    for (size_t k = 1; k < meta; ++k) {
      const tipo_variante prima = valori[base + k - 1].tipo, ora = valori[base + k].tipo;
      if (segue(k, prima, ora)) continue;
      return guasto(offset_valore(valori, base + k),
                    "point " + std::to_string(k) + " of the " + blocchi[b] + " block is " + nome_tipo(ora) +
                        " after " + nome_tipo(prima) +
                        ": the compiler writes two integers, then reals, then empty values");
    }
  }
  for (size_t k = 0; k < meta; ++k) {
    if (valori[k].tipo == valori[meta + k].tipo) continue;
    return guasto(offset_valore(valori, meta + k), "point " + std::to_string(k) + " is " +
                                                       nome_tipo(valori[meta + k].tipo) + " in the y block but " +
                                                       nome_tipo(valori[k].tipo) + " in the x block");
  }
  return {};
}

}  // namespace

std::string esito_decodifica::messaggio() const {
  return "byte " + std::to_string(offset) + ": " + motivo;
}

esito_decodifica decodifica_tabella(std::string_view byte, tabella_oggetti& tabella) {
  size_t pos = 0;
  for (int i = 0; i < kNumeroOggetti; ++i) {
    if (esito_decodifica e = leggi_oggetto(byte, pos, i, tabella[i]); !e.ok) return e;
  }
  if (pos != byte.size()) {
    return guasto(pos, std::to_string(byte.size() - pos) + " bytes follow the 87th object record");
  }
  return {};
}

esito_decodifica decodifica_celle(std::string_view byte, celle_percorso& celle) {
  if (byte.size() > kMassimoCelle * kByteCella) {
    return guasto(kMassimoCelle * kByteCella, std::to_string(byte.size()) + " bytes are more than the " +
                                                  std::to_string(kMassimoCelle) +
                                                  " cells of the longest route (1000000 m) take");
  }
  size_t resto = byte.size() % kByteCella;
  if (resto != 0) {
    size_t inizio = byte.size() - resto;
    return guasto(inizio, "cell " + std::to_string(inizio / kByteCella) + " is cut short: " +
                              std::to_string(resto) + " of its 15 bytes");
  }
  celle.assign(byte.size() / kByteCella, cella{});
  for (size_t i = 0; i < celle.size(); ++i) {
    const char* p = byte.data() + i * kByteCella;
    cella& c = celle[i];
    c.tipo = get_u8(p);
    c.dato_1 = get_i16(p + 1);
    c.dato_2 = get_i16(p + 3);
    c.dato_3 = get_i16(p + 5);
    c.dato_4 = get_i16(p + 7);
    c.tempo_segnale = get_u8(p + 9);
    c.preavviso = get_u8(p + 10);
    c.montagna = get_u8(p + 11);
    c.velocita = get_u8(p + 12);
    c.pendenza = get_u8(p + 13);
    c.aderenza = get_u8(p + 14);
  }
  return {};
}

esito_decodifica decodifica_griglia(std::string_view byte, griglia_linea& griglia) {
  const size_t massimo_valori = 2 * kMassimoPuntiGriglia;
  const std::string oltre = "the plan holds more than the " + std::to_string(kMassimoPuntiGriglia) +
                            " points of the longest route (1000000 m)";
  if (byte.size() > massimo_valori * kMassimoByteValore) {
    return guasto(massimo_valori * kMassimoByteValore, std::to_string(byte.size()) + " bytes: " + oltre);
  }
  std::vector<valore_variante> valori;
  size_t pos = 0;
  while (pos < byte.size()) {
    if (valori.size() == massimo_valori) return guasto(pos, oltre);
    valore_variante v;
    if (esito_decodifica e = leggi_variante(byte, pos, v); !e.ok) return e;
    valori.push_back(v);
  }
  if (valori.empty()) return guasto(0, "the plan holds no value");
  if (valori.size() % 2 != 0) {
    return guasto(byte.size(), "odd count of plan values (" + std::to_string(valori.size()) +
                                   "): the y block is cut short");
  }
  if (esito_decodifica e = verifica_griglia(valori); !e.ok) return e;
  size_t meta = valori.size() / 2;
  griglia.x.assign(valori.begin(), valori.begin() + static_cast<std::ptrdiff_t>(meta));
  griglia.y.assign(valori.begin() + static_cast<std::ptrdiff_t>(meta), valori.end());
  return {};
}

}  // namespace sb
