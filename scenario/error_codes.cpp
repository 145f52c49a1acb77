#include "scenario/error_codes.h"

namespace sb {

std::string_view significato(int32_t codice) {
  switch (codice) {
    case kNessunErrore: return "no fault";
    case kLunghezzaEccessiva: return "route length above 1000000 m";
    case kProgressivaNonMultipla: return "a chainage reference's first or second value is not a multiple of 50";
    case kInizioRipetizione: return "cab-signalling start is not a multiple of 50";
    case kFineRipetizione: return "cab-signalling end is not a multiple of 50";
    case kCodiciRipetizione: return "cab-signalling keyword holds neither \"4\" nor \"9\"";
    case kCartelloOccupato: return "indicator sign board on a cell that is already taken";
    case kAbbattimentoOccupato: return "code-reduction point on a cell that is already taken";
    case kStazioneNonMultipla: return "station position is not a multiple of 50";
    case kLunghezzaStazione: return "station length is not a multiple of 100";
    case kStazioniEsaurite: return "no object entry left for another station";
    case kPassaggioSegnale: return "no room for a code-reduction point before a signal near a slowdown warning point";
    case kPassaggioInizio: return "no free cell for a code-reduction point before a slowdown start";
    case kPassaggioPercorso: return "no free cell for a code-reduction point in a slowdown or before the signal after it";
    case kTroppeMontagne: return "more than 80 montagna rows";
    case kFuoriPercorso: return "position beyond the route";
    case kSegnaleOccupato: return "signal on a cell that is already taken";
    case kAvvisoOccupato: return "slowdown warning cell is already taken";
    case kInizioRallentamento: return "slowdown start cell is already taken";
    case kFineRallentamento: return "slowdown end cell is already taken";
    case kApprocciOccupati: return "one of the slowdown's four approach cells is already taken";
    case kIndicatoreOccupato: return "maximum-speed indicator on a cell that is already taken";
    case kStazioniVicine: return "station starts less than 350 m after the previous one ends";
    case kTroppiCartelli: return "more than 81 indicator sign boards";
    case kFermataIniziale: return "stopping station's stop point would fall in cell 1 or below";
    case kLetturaFallita: return "a value cannot be read as its row requires, or the text ends inside a row";
    case kTestoLineaAssente: return "the line description does not exist";
    case kGeneraleAssente: return "the line description has no \"[generale]\" field, or ends right after it";
    case kCurvaNonValida: return "curve keyword without a digit 1 to 6, or a plan longer than 1000000 points";
    case kGuardiaMarcatori: return "the compiled records already hold a value where the markers go";
    case kGuardiaCodici: return "the compiled records already hold a value where the competition codes go";
    default: return "";
  }
}

bool ha_posizione(int32_t codice) {
  switch (codice) {
    case kCartelloOccupato: case kAbbattimentoOccupato: case kStazioneNonMultipla:
    case kLunghezzaStazione: case kPassaggioSegnale: case kPassaggioInizio:
    case kPassaggioPercorso: case kTroppeMontagne: case kFuoriPercorso:
    case kSegnaleOccupato: case kAvvisoOccupato: case kInizioRallentamento:
    case kFineRallentamento: case kApprocciOccupati: case kIndicatoreOccupato:
    case kStazioniVicine: case kTroppiCartelli:
      return true;
    default:
      return false;
  }
}

}  // namespace sb
