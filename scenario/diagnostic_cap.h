// Memory bounded by the work, not the text: of one kind of warning or note
// a build keeps the first few and only counts the rest, so a text with a
// fault on every one of its million lines costs a few hundred entries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>

#include "scenario/diagnostics.h"

namespace sb {

// The kind that caps a run of diagnostics: an error's code, a warning's or
// note's kind. A note on the entry before it has none of its own.
struct genere_diagnostica {
  gravita livello = gravita::errore;
  int32_t codice = 0;
  genere_avviso genere = genere_avviso::nessuno;

  auto operator<=>(const genere_diagnostica&) const = default;
};

// The kind of the diagnostic.
inline genere_diagnostica genere_di(const diagnostica& d) { return {d.livello, d.codice, d.genere}; }

// Whether the diagnostic is a note on the entry before it.
inline bool nota_su_precedente(const diagnostica& d) {
  return d.livello == gravita::nota && d.genere == genere_avviso::nessuno;
}

// How many warnings or notes of one kind a list keeps; more are counted.
inline constexpr size_t kDiagnosticheConservate = 100;

// Diagnostics of each kind counted but not kept.
using diagnostiche_omesse = std::map<genere_diagnostica, size_t>;

// Decides which diagnostics a list keeps. Errors are always kept (a build
// records few: each ends a read); of a kind of warning or note the first
// kDiagnosticheConservate are, and a note on an entry goes where its entry
// went.
struct limite_diagnostiche {
  std::map<genere_diagnostica, size_t> conservate;
  diagnostiche_omesse omesse;
  bool ultima_omessa = false;

  // Whether the diagnostic is to be kept; one not kept is counted.
  bool conserva(const diagnostica& d);
};

// Adds the counts of b to a.
void somma_omesse(diagnostiche_omesse& a, const diagnostiche_omesse& b);

}  // namespace sb
