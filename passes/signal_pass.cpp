#include "passes/signal_pass.h"

#include <cstdint>
#include <string>

#include "passes/minimo.h"
#include "scenario/cell_occupant.h"
#include "scenario/error_codes.h"
#include "scenario/format.h"

namespace sb {
namespace {

// Slowdowns below this speed get points through their length.
constexpr int16_t kVelocitaPercorso = 110;
// Cells searched back from a warning point, and the lowest signal cell seen.
constexpr int64_t kCelleAvviso = 20;
constexpr int64_t kSegnaleMinimo = 3;
// Spacing of the points through a slowdown, in cells.
constexpr int32_t kPasso = 8;
// Cells searched forward from a slowdown's end for the next signal.
constexpr int64_t kCelleDopo = 12;

// The cells and their last index N; nothing outside 0..N is touched.
struct percorso {
  scenario& s;
  int64_t n;

  cella& at(int64_t x) { return s.celle[static_cast<size_t>(x)]; }
  bool dentro(int64_t x) const { return x >= 0 && x <= n; }
  // A cell beyond the array counts as taken.
  bool libera(int64_t x) {
    if (!dentro(x)) return false;
    return cella_libera(at(x));
  }
  bool di_tipo(int64_t x, uint8_t tipo) { return dentro(x) && at(x).tipo == tipo; }
  void segna(int64_t x) {
    at(x).tipo = tipo_cella::abbattimento;
    at(x).dato_1 = kValorePunto;
  }
  // Lowers an existing point's value to at most 180.
  void limita(int64_t x) { at(x).dato_1 = static_cast<int16_t>(minimo(kValorePunto, at(x).dato_1)); }
  // Records a code at cell x, says why, and points with a note at the row
  // that put the item of cell `causa` there.
  void fallisci(int32_t codice_fallito, int64_t x, int64_t causa, const std::string& perche) {
    registra_codice(s, codice_fallito, luogo_testo{origine_errore::passaggio, 0, 0},
                    static_cast<int32_t>(x * kMetriCella), perche);
    nota_su_occupante(s, causa);
  }
};

// Marks the first free cell of the three; false when none is free.
bool segna_primo_libero(percorso& p, int64_t a, int64_t b, int64_t c) {
  for (int64_t x : {a, b, c}) {
    if (p.libera(x)) {
      p.segna(x);
      return true;
    }
  }
  return false;
}

// A signal within the cells before a warning point: a point just before it,
// or the value of one already there lowered.
void prima_del_segnale_avviso(percorso& p, int64_t segnale) {
  if (p.libera(segnale - 1)) {
    p.segna(segnale - 1);
  } else if (p.libera(segnale - 2)) {
    p.segna(segnale - 2);
  } else if (p.di_tipo(segnale - 1, tipo_cella::abbattimento)) {
    p.limita(segnale - 1);
  } else if (p.di_tipo(segnale - 2, tipo_cella::abbattimento)) {
    p.limita(segnale - 2);
  } else {
    p.fallisci(kPassaggioSegnale, segnale, segnale,
               "no room for a code-reduction point in the two cells before the signal in " + cella_e_metro(segnale) +
                   ", near a slowdown's warning point");
  }
}

// Every signal among the 20 cells before the warning point at i.
void punto_avviso(percorso& p, int64_t i) {
  for (int64_t k = 1; k <= kCelleAvviso && i - k >= kSegnaleMinimo; ++k) {
    if (p.di_tipo(i - k, tipo_cella::segnale)) prima_del_segnale_avviso(p, i - k);
  }
}

// One fixed point before the slowdown start at i: the first free cell of
// i - vicino, i - vicino - 1 and i - vicino - 2.
void punto_fisso(percorso& p, int64_t i, int64_t vicino) {
  if (segna_primo_libero(p, i - vicino, i - vicino - 1, i - vicino - 2)) return;
  p.fallisci(kPassaggioInizio, i, i,
             "no free cell for a code-reduction point before the start of a slowdown in " + cella_e_metro(i) +
                 ": cells " + std::to_string(i - vicino - 2) + " to " + std::to_string(i - vicino) + " are taken");
}

// The near, middle and far points before the slowdown start at i.
void punti_fissi(percorso& p, int64_t i) {
  if (i > 7) punto_fisso(p, i, 5);
  if (i > 13) punto_fisso(p, i, 11);
  if (i > 20) punto_fisso(p, i, 18);
}

// Points every 8 cells from the start at i up to the slowdown's end. Returns
// the end cell, or -1 when the run reached the last cell without meeting one.
int64_t percorso_rallentamento(percorso& p, int64_t i) {
  int64_t m = i;
  int32_t c = 0;
  do {
    if (m + 1 > p.n) return -1;
    ++m;
    ++c;
    if (c != kPasso) continue;
    if (p.libera(m)) {
      p.segna(m);
      c = 0;
    } else if (p.libera(m - 1)) {
      p.segna(m - 1);
      c = 1;
    } else if (p.libera(m + 1)) {
      p.segna(m + 1);
      c = -1;
    } else {
      // c stays 8: no further point in this run
      p.fallisci(kPassaggioPercorso, m, i,
                 "no free cell for a code-reduction point inside the slowdown that starts in " + cella_e_metro(i) +
                     ": cells " + std::to_string(m - 1) + " to " + std::to_string(m + 1) + " are taken");
    }
  } while (p.at(m).tipo != tipo_cella::fine_rallentamento);
  return m;
}

// A point before the first signal within 12 cells of the slowdown end at m.
void dopo_rallentamento(percorso& p, int64_t m) {
  for (int64_t x = m; x <= m + kCelleDopo && x <= p.n; ++x) {
    if (p.at(x).tipo != tipo_cella::segnale) continue;
    if (p.libera(x - 1)) {
      p.segna(x - 1);
    } else if (p.libera(x - 2)) {
      p.segna(x - 2);
    } else {
      p.fallisci(kPassaggioPercorso, m, x,
                 "no free cell for a code-reduction point before the signal in " + cella_e_metro(x) +
                     ", the first after the slowdown that ends in cell " + std::to_string(m));
    }
    return;
  }
}

// Everything placed around the slowdown starting at i.
void inizio_rallentamento(percorso& p, int64_t i) {
  punti_fissi(p, i);
  if (p.at(i).dato_1 >= kVelocitaPercorso) return;
  int64_t fine = percorso_rallentamento(p, i);
  if (fine >= 0) dopo_rallentamento(p, fine);
}

}  // namespace

void passaggio_segnali(scenario& s) {
  if (s.celle.empty()) return;
  percorso p{s, static_cast<int64_t>(s.celle.size()) - 1};
  for (int64_t i = 1; i <= p.n - 2; ++i) {
    if (p.at(i).tipo == tipo_cella::avviso_rallentamento) {
      punto_avviso(p, i);
    } else if (p.at(i).tipo == tipo_cella::inizio_rallentamento) {
      inizio_rallentamento(p, i);
    }
  }
}

}  // namespace sb
