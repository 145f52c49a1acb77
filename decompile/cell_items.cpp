#include "decompile/cell_items.h"

#include <algorithm>
#include <array>

#include "scenario/format.h"

namespace sb {
namespace {

// The warning point lies 1200 m (24 cells) before the start; it exists for
// starts above 1500 m.
constexpr int64_t kCelleAvviso = 24;
constexpr int32_t kSogliaAvviso = 1500;

// The approach marks a sides' code k gives the cells 2, 4, 6, 8 before a
// signal: k x 10 + b, in 8 bits.
std::array<uint8_t, 4> preavvisi(int32_t k) {
  std::array<uint8_t, 4> p{};
  for (int32_t b = 1; b <= 4; ++b) p[static_cast<size_t>(b - 1)] = static_cast<uint8_t>(k * 10 + b);
  return p;
}

bool preavvisi_uguali(const celle_percorso& celle, int64_t i, int32_t k) {
  const std::array<uint8_t, 4> p = preavvisi(k);
  for (int64_t b = 1; b <= 4; ++b) {
    const int64_t c = i - 2 * b;
    if (c < 0 || celle[static_cast<size_t>(c)].preavviso != p[static_cast<size_t>(b - 1)]) return false;
  }
  return true;
}

// The sides' code sx x 3 + dx: the units digit of dato_4 unless the approach
// marks, untouched, tell another with the same units digit.
int32_t codice_lati(const celle_percorso& celle, int64_t i) {
  const int32_t d4 = celle[static_cast<size_t>(i)].dato_4;
  const int32_t k = ((d4 % 10) + 10) % 10;
  if (preavvisi_uguali(celle, i, k)) return k;
  for (int32_t t = 1; t <= 30; ++t) {
    for (int32_t altro : {k + 10 * t, k - 10 * t}) {
      if (preavvisi_uguali(celle, i, altro)) return altro;
    }
  }
  return k;
}

bool cifra(int32_t v) { return v >= 0 && v <= 9; }
bool lato(int32_t v) { return v >= 0 && v <= 2; }

// A coded pair s x 10 + d as two values that give it back.
void coppia(int16_t codice, int32_t& s, int32_t& d) {
  s = codice / 10;
  d = codice % 10;
}

// A speed pair nearest(d / 5 + 20 x s) as multiples of 5.
void velocita_coppia(int16_t codice, int32_t& s, int32_t& d) {
  s = 5 * (codice / 100);
  d = 5 * (codice % 100);
}

bool cella_di(const celle_percorso& celle, int64_t i, uint8_t tipo) {
  return i >= 0 && i < static_cast<int64_t>(celle.size()) && celle[static_cast<size_t>(i)].tipo == tipo;
}

// Whether a slowdown point carries the start's speed, value and second value.
bool stessi_valori(const cella& punto, const cella& inizio) {
  return punto.dato_1 == inizio.dato_1 && punto.dato_2 == inizio.dato_2 && punto.dato_3 == inizio.dato_3;
}

// The end that goes with the start at i: the first free-to-take end after it
// with the same values, else the nearest before it.
int64_t trova_fine(const celle_percorso& celle, int64_t i, std::vector<bool>& presa) {
  const int64_t n = static_cast<int64_t>(celle.size());
  const cella& inizio = celle[static_cast<size_t>(i)];
  auto adatta = [&](int64_t j) {
    return !presa[static_cast<size_t>(j)] && celle[static_cast<size_t>(j)].tipo == tipo_cella::fine_rallentamento &&
           stessi_valori(celle[static_cast<size_t>(j)], inizio);
  };
  for (int64_t j = i + 1; j < n; ++j) {
    if (adatta(j)) return presa[static_cast<size_t>(j)] = true, j;
  }
  for (int64_t j = i - 1; j >= 0; --j) {
    if (adatta(j)) return presa[static_cast<size_t>(j)] = true, j;
  }
  return -1;
}

// Whether the four cells below the warning cell w are the slowdown's approach
// cells: kind 5, dato_1 1 to 4, and dato_2 the same when d_v is set.
bool approcci(const celle_percorso& celle, int64_t w, bool con_dv) {
  for (int64_t j = 0; j < 4; ++j) {
    const int64_t a = w - 1 - j;
    if (!cella_di(celle, a, tipo_cella::approccio_rallentamento)) return false;
    const cella& c = celle[static_cast<size_t>(a)];
    if (c.dato_1 != j + 1 || c.dato_2 != (con_dv ? j + 1 : 0)) return false;
  }
  return true;
}

// The start's position: (i - 1) x 50, moved within its cell to the side of
// 1500 m that gives or withholds the warning point as found.
int32_t posizione_inizio(int64_t i, bool con_avviso, std::string& nota) {
  int32_t p = posizione_item(i);
  if (con_avviso && p <= kSogliaAvviso) {
    if (indice_cella(kSogliaAvviso + 1) == i) return kSogliaAvviso + 1;
    nota = "no position in this cell gives the warning point that the cells hold";
  }
  if (!con_avviso && p > kSogliaAvviso) nota = "its warning point is missing from the cells";
  return p;
}

}  // namespace

int32_t posizione_item(int64_t i) { return static_cast<int32_t>((i - 1) * kMetriCella); }

int32_t posizione_confine(int64_t i) { return static_cast<int32_t>(i * kMetriCella); }

riga_segnale segnale_da_cella(const celle_percorso& celle, int64_t i) {
  const cella& c = celle[static_cast<size_t>(i)];
  riga_segnale r;
  r.posizione = posizione_item(i);
  valori_segnale& v = r.v;
  const int32_t k = codice_lati(celle, i);
  v.rapp = (c.dato_4 - k) / 10;
  v.sx = c.tempo_segnale != 0 ? 2 : std::clamp(k / 3, 0, 2);
  v.dx = k - 3 * v.sx;
  coppia(c.dato_1, v.s1, v.d1);
  coppia(c.dato_2, v.s2, v.d2);
  coppia(c.dato_3, v.s3, v.d3);
  v.tempo = v.sx == 2 ? c.tempo_segnale : 0;
  const bool in_campo = lato(v.sx) && lato(v.dx) && cifra(v.rapp) && cifra(v.s1) && cifra(v.s2) &&
                        cifra(v.s3) && cifra(v.d1) && cifra(v.d2) && cifra(v.d3);
  if (!in_campo) {
    r.nota = "values outside their ranges: they give the cell's codes as the original row did";
  } else if (v.tempo == 101) {
    r.nota = "tempo 101 also stands for any tempo from 1 to 100";
  }
  return r;
}

riga_indicatore indicatore_da_cella(const cella& c, int64_t i) {
  riga_indicatore r;
  indicatore_vmax& v = r.v;
  v.posizione = posizione_item(i);
  velocita_coppia(c.dato_1, v.vas, v.vad);
  velocita_coppia(c.dato_2, v.vbs, v.vbd);
  velocita_coppia(c.dato_3, v.vcs, v.vcd);
  coppia(c.dato_4, v.strisces, v.strisced);
  r.d_vuota = v.vad == 0 && v.vbd == 0 && v.vcd == 0;
  return r;
}

std::vector<rallentamento_trovato> rallentamenti_dalle_celle(const celle_percorso& celle) {
  std::vector<rallentamento_trovato> out;
  std::vector<bool> presa(celle.size(), false);
  for (size_t i = 0; i < celle.size(); ++i) {
    if (celle[i].tipo != tipo_cella::inizio_rallentamento) continue;
    const cella& c = celle[i];
    rallentamento_trovato t;
    t.inizio = static_cast<int64_t>(i);
    valori_rallentamento& v = t.riga.v;
    v.v = c.dato_1;
    v.f_tt = c.dato_3;
    v.d_v = c.dato_2;
    const int64_t w = t.inizio - kCelleAvviso;
    if (cella_di(celle, w, tipo_cella::avviso_rallentamento) && celle[static_cast<size_t>(w)].dato_1 == c.dato_1 &&
        celle[static_cast<size_t>(w)].dato_2 == c.dato_2) {
      t.avviso = w;
      if (approcci(celle, w, c.dato_2 != 0)) t.approccio = w - 1;
    }
    v.f_ta = t.approccio >= 0 ? 1 : 0;
    t.riga.posizione = posizione_inizio(t.inizio, t.avviso >= 0, t.riga.nota);
    t.fine = trova_fine(celle, t.inizio, presa);
    // With no end of its own, the end fell in the start's cell and the start
    // covered it: a length of 0 does the same.
    v.l = t.fine >= 0 ? posizione_item(t.fine) - t.riga.posizione : 0;
    out.push_back(t);
  }
  return out;
}

std::vector<cambio_profilo> cambi_profilo(const celle_percorso& celle, uint8_t cella::*campo) {
  std::vector<cambio_profilo> out;
  if (celle.empty()) return out;
  const int64_t n = static_cast<int64_t>(celle.size()) - 1;
  int64_t ultima = n - 3;
  const bool penultima_piena = n >= 2 && celle[static_cast<size_t>(n - 2)].*campo != 0;
  if (penultima_piena) ultima = n - 2;
  out.push_back({0, celle[0].*campo});
  for (int64_t c = 1; c <= ultima; ++c) {
    const int v = celle[static_cast<size_t>(c)].*campo;
    if (v != out.back().valore) out.push_back({c, v});
  }
  if (penultima_piena && out.back().cella != n - 2) out.push_back({n - 2, out.back().valore});
  return out;
}

}  // namespace sb
