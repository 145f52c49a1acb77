// The validation failure codes that a build records in codice_errore, and the
// two guard numbers that end a build. One list for the builder, the tool and
// the authors' reference alike.
#pragma once

#include <cstdint>
#include <string_view>

namespace sb {

enum codice : int32_t {
  // No fault recorded.
  kNessunErrore = 0,
  // Route length above 1 000 000 m.
  kLunghezzaEccessiva = 1,
  // A chainage reference's first or second value is not a multiple of 50.
  kProgressivaNonMultipla = 2,
  // Cab-signalling start not a multiple of 50.
  kInizioRipetizione = 3,
  // Cab-signalling end not a multiple of 50.
  kFineRipetizione = 4,
  // Cab-signalling keyword holds neither "4" nor "9".
  kCodiciRipetizione = 5,
  // Indicator sign board on a cell that is not free.
  kCartelloOccupato = 6,
  // Code-reduction row on a cell that is not free.
  kAbbattimentoOccupato = 7,
  // Station position not a multiple of 50.
  kStazioneNonMultipla = 8,
  // Station length not a multiple of 100.
  kLunghezzaStazione = 9,
  // No object entry left for another station.
  kStazioniEsaurite = 10,
  // No room for a point before a signal near a slowdown warning point.
  kPassaggioSegnale = 11,
  // No free cell for a fixed point before a slowdown start.
  kPassaggioInizio = 12,
  // No free cell for a run point in a slowdown or before the signal after it.
  kPassaggioPercorso = 13,
  // More than 80 montagna rows.
  kTroppeMontagne = 14,
  // A row's position lies beyond the route (or its cells outside the arrays).
  kFuoriPercorso = 15,
  // Signal on a cell that is not free.
  kSegnaleOccupato = 16,
  // Slowdown warning cell not free.
  kAvvisoOccupato = 17,
  // Slowdown start cell not free.
  kInizioRallentamento = 18,
  // Slowdown end cell not free.
  kFineRallentamento = 19,
  // One of a slowdown's four approach cells not free.
  kApprocciOccupati = 20,
  // Maximum-speed indicator on a cell that is not free.
  kIndicatoreOccupato = 21,
  // A station starts less than 350 m after the previous one ends.
  kStazioniVicine = 22,
  // More than 81 indicator sign boards.
  kTroppiCartelli = 23,
  // A stopping station's stop point would fall in cell 1 or below.
  kFermataIniziale = 24,
  // A read or conversion failure: a missing or malformed value, a number too
  // wide for its field, an overflow, a text cut short.
  kLetturaFallita = 25,
  // The line description does not exist.
  kTestoLineaAssente = 101,
  // The line description has no "[generale]" field, or ends right after it.
  kGeneraleAssente = 102,
  // A curve keyword without a digit 1 to 6, or a plan beyond 1 000 000 points.
  kCurvaNonValida = 103,
  // Guard: the first stamp's place was already taken (never recorded).
  kGuardiaMarcatori = 1250,
  // Guard: the competition codes' place was already taken (never recorded).
  kGuardiaCodici = 1251,
};

// One line saying what a code means, in words an author can act on; empty for
// numbers that are not codes.
std::string_view significato(int32_t codice);

// Whether a code names a route position in posizione_errore.
bool ha_posizione(int32_t codice);

}  // namespace sb
