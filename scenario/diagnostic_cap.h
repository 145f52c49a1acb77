// Memory bounded by the work, not the text: of one kind of error, warning or
// note a build keeps the first few and only counts the rest, so a text with a
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

// How many errors, warnings or notes of one kind a list keeps; more are
// counted.
inline constexpr size_t kDiagnosticheConservate = 100;

// Diagnostics of each kind counted but not kept.
using diagnostiche_omesse = std::map<genere_diagnostica, size_t>;

// Decides which diagnostics a list keeps: of a kind (an error's code, a
// warning's or note's kind) the first kDiagnosticheConservate, and a note on
// an entry goes where its entry went. A build records few errors, each
// ending a read; reading on past them records one a failed row.
struct limite_diagnostiche {
  std::map<genere_diagnostica, size_t> conservate;
  diagnostiche_omesse omesse;
  bool ultima_omessa = false;
  bool ultimo_errore_omesso = false;  // the last error was only counted
  size_t errori = 0;                  // errors recorded, kept or not

  // Whether the diagnostic is to be kept; one not kept is counted.
  bool conserva(const diagnostica& d);
};

// Adds the counts of b to a.
void somma_omesse(diagnostiche_omesse& a, const diagnostiche_omesse& b);

}  // namespace sb
