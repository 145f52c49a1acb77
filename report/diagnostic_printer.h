// Diagnostics shown the way compilers show them: "FILE:LINE:COL: error:
// MESSAGE", then the author's source line and a caret under the field at
// fault. Long runs of one kind are cut short.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "report/source_diagnostic.h"
#include "report/warning_cap.h"
#include "scenario/diagnostic_cap.h"
#include "scenario/diagnostics.h"

namespace sb {

// How diagnostics are shown.
struct opzioni_stampa {
  bool colore = false;         // ANSI colours, for a terminal
  size_t massimo_per_genere = kAvvisiMostrati;  // shown of one kind before "N more like this"
};

// How many diagnostics of each level there were, shown or not.
struct conteggio_diagnostiche {
  int32_t errori = 0;
  int32_t avvisi = 0;
  int32_t note = 0;
};

// Shows the diagnostics in order: each with its place in the author's text,
// its source line and a caret; a note on an entry goes with it. Of one kind
// (an error's code, a warning's kind) the first few are shown, then one line
// says how many more there were: "FILE: note: N more like this", as for
// every warning of the tool. Entries of the signal pass, and those
// whose text was not given, name no file. A text converted from UTF-8 is
// shown as the author saved it; one taken as it stands is shown converted
// from code page 1252. The diagnostics counted but not kept (`omesse`)
// count among the "more like this" and in the totals.
conteggio_diagnostiche stampa_diagnostiche(const std::vector<diagnostica>& d, const testo_autore& linea,
                                           const testo_autore& servizio, const opzioni_stampa& o,
                                           std::ostream& err, const diagnostiche_omesse& omesse = {});

// "error", "warning" or "note".
std::string_view parola_livello(gravita livello);

// What a diagnostic says after its level word; a recorded code keeps its
// number in front ("error 16: ...").
std::string messaggio_diagnostica(const diagnostica& d);

// Whether to colour: only on a terminal, and never when NO_COLOR is set to
// anything but the empty string.
bool usa_colore(bool terminale, const char* no_color);

}  // namespace sb
