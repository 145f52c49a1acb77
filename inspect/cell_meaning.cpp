#include "inspect/cell_meaning.h"

#include <cstdio>
#include <string>

#include "decompile/line_recovery.h"
#include "scenario/format.h"

namespace sb {

std::string_view significato_tipo_cella(uint8_t tipo) {
  switch (tipo) {
    case 1: return "signal";
    case 2: return "slowdown end";
    case 3: return "slowdown start";
    case 4: return "slowdown warning point";
    case 5: return "slowdown approach cell";
    case 6: return "maximum-speed indicator";
    case 10: return "station stop";
    case 11: return "montagna mark";
    case 12: return "code-reduction point";
    case 13: return "code-reduction point without a value";
    case 14: return "indicator sign board";
    default: return "";
  }
}

bool oggetto_vuoto(const oggetto& o) { return o == oggetto{}; }

bool e_stazione(int indice, const oggetto& o) { return indice >= 1 && indice <= kPrimoCartello && stazione_presente(o); }

std::string_view ruolo_oggetto(int indice, const oggetto& o) {
  if (indice >= kOggettoProgressivaTre && indice < kOggettoGenerale) return "chainage reference";
  if (indice == kOggettoGenerale) return "general";
  if (indice == kOggettoLinea) return "line";
  if (indice == kOggettoTreno) return "train";
  if (indice == 0 || oggetto_vuoto(o)) return "unused";
  return e_stazione(indice, o) ? "station" : "sign caption";
}

std::string orario_hms(int32_t secondi) {
  char testo[32];
  const char* segno = secondi < 0 ? "-" : "";
  int64_t s = secondi < 0 ? -static_cast<int64_t>(secondi) : secondi;
  std::snprintf(testo, sizeof testo, "%s%02lld:%02lld:%02lld", segno, static_cast<long long>(s / 3600),
                static_cast<long long>(s / 60 % 60), static_cast<long long>(s % 60));
  return testo;
}

}  // namespace sb
