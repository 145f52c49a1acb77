// Diagnostics shown the way compilers show them: "FILE:LINE:COL: error:
// MESSAGE", then the author's source line and the field at fault underlined
// (^~~~). Long runs of one kind are cut short.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <limits>
#include <vector>

#include "report/author_text.h"
#include "report/diagnostic.h"
#include "scenario/diagnostic_cap.h"

namespace sb {

// How many diagnostics of one kind are shown before "N more like this".
inline constexpr size_t kMostratiPerGenere = 5;

// No cap: every diagnostic is shown.
inline constexpr size_t kTuttiMostrati = std::numeric_limits<size_t>::max();

// How diagnostics are shown.
struct opzioni_stampa {
  bool colore = false;    // ANSI colours, for a terminal
  bool sorgente = true;   // the source line and its underline under each first line
  size_t massimo_per_genere = kMostratiPerGenere;  // shown of one kind before "N more like this"
};

// How many diagnostics of each level there were, shown or not; notes
// counted among them.
struct conteggio_diagnostiche {
  int32_t errori = 0;
  int32_t avvisi = 0;
  int32_t note = 0;
};

// Shows the diagnostics in order, each with its notes: the first line, and,
// when its file is among the texts and it names a line, the source line and
// under it the columns at fault (a caret, then a tilde for each further
// column). Of one kind (an error's code, a warning's kind) the first few are
// shown, then "FILE: note: N more like this". A text converted from UTF-8
// is shown as the author saved it; one taken as it stands is shown converted
// from code page 1252; a control character in a line or a message shows as
// its symbol. The diagnostics a compile counted but did not keep (`omesse`)
// count among the "more like this" and in the totals.
conteggio_diagnostiche stampa_segnalazioni(const std::vector<segnalazione>& d,
                                           const std::vector<const testo_autore*>& testi, const opzioni_stampa& o,
                                           std::ostream& err, const diagnostiche_omesse& omesse = {});

// Whether to colour: only on a terminal, and never when NO_COLOR is set to
// anything but the empty string.
bool usa_colore(bool terminale, const char* no_color);

}  // namespace sb
