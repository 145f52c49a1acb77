#include "line/progressive_ordina.h"

#include <array>
#include <limits>

namespace sb {
namespace {

// The three values of one chainage reference.
struct riferimento {
  int32_t primo = 0;
  int32_t secondo = 0;
  int32_t terzo = 0;
};

using ordine = std::array<riferimento, 3>;

riferimento da_oggetto(const oggetto& o) { return {o.inizio, o.fine, o.posizione}; }

void in_oggetto(const riferimento& r, oggetto& o) {
  o.inizio = r.primo;
  o.fine = r.secondo;
  o.posizione = r.terzo;
}

// By first value: the strict maximum first, then the greater of the other two
// (on a tie the one from the lower keyword, "uno" before "due" before "tre").
// Without a strict maximum nothing is placed.
ordine per_primo_valore(const riferimento& t, const riferimento& d, const riferimento& u) {
  const ordine per_chiave = {u, d, t};
  for (int i = 0; i < 3; ++i) {
    const riferimento& m = per_chiave[i];
    const riferimento& basso = per_chiave[i == 0 ? 1 : 0];  // the lower keyword of the other two
    const riferimento& alto = per_chiave[i == 2 ? 1 : 2];
    if (m.primo <= basso.primo || m.primo <= alto.primo) continue;
    if (alto.primo > basso.primo) return {m, alto, basso};
    return {m, basso, alto};
  }
  return {};
}

// By second value, when the first values add up to 0: each test that passes
// overrides the ones before.
ordine per_secondo_valore(const riferimento& t, const riferimento& d, const riferimento& u) {
  ordine o{};
  if (t.secondo > 0) o = {t, d, u};
  if (d.secondo > 0) o = {d, t, u};
  if (u.secondo > 0) o = {u, d, t};
  return o;
}

}  // namespace

bool progressive_ordina(tabella_oggetti& tabella) {
  const riferimento t = da_oggetto(tabella[81]);
  const riferimento d = da_oggetto(tabella[82]);
  const riferimento u = da_oggetto(tabella[83]);
  const int64_t parziale = int64_t{t.primo} + d.primo;
  const int64_t somma = parziale + u.primo;
  if (!in_32(parziale) || !in_32(somma)) return false;

  ordine o = somma != 0 ? per_primo_valore(t, d, u) : per_secondo_valore(t, d, u);
  for (riferimento& r : o) {
    if (r.terzo != 1) continue;
    const int64_t alzato = int64_t{r.secondo} + 100;
    if (!in_32(alzato)) return false;
    r.secondo = static_cast<int32_t>(alzato);
  }
  for (int i = 0; i < 3; ++i) in_oggetto(o[i], tabella[81 + i]);
  return true;
}

}  // namespace sb
