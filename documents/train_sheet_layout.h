// The train sheet's layout: page header blocks, the route table with its
// fixed-width cells, the footers between pages. The builder's sheet and the
// sheet made from a compiled scenario both fill it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sb {

// Route rows a page's table holds.
inline constexpr size_t kRigheTabellaScheda = 32;

// Width of the Localita' di Servizio column.
inline constexpr size_t kLarghezzaLocalita = 28;

// Width of the origin and destination fields of the page header.
inline constexpr size_t kLarghezzaStazioneTestata = 22;

// Width of the boxes on the left of the header (train number, the two lower boxes).
inline constexpr size_t kLarghezzaRiquadro = 19;

// Width of the box on the right of the header.
inline constexpr size_t kLarghezzaRiquadroDestro = 14;

// What the Orario cell of a route row shows.
enum class tipo_orario {
  nessuno,   // no time
  partenza,  // the origin: its departure
  fermata,   // a stop: arrival and departure
  transito,  // a station passed without stopping: its one time
  arrivo,    // the destination: its arrival
};

// One route row of the sheet, before it is formatted for its page.
struct voce_scheda {
  int32_t velocita = 0;      // km/h in force from the row; 0 leaves the cell blank
  int64_t progressiva = 0;   // metres, printed as kilometres
  std::string localita;      // the Localita' text; longer ones are cut at the column
  tipo_orario orario = tipo_orario::nessuno;
  int64_t arrivo = 0;        // seconds since midnight, for a stop
  int64_t ora = 0;           // seconds since midnight: departure, passing time or arrival

  bool operator==(const voce_scheda&) const = default;
};

// The texts of a page header, each already the width of its box.
struct testata_scheda {
  std::string data;              // 19: the box above the train number
  std::string treno;             // 19: "   TRENO n.40617   "
  std::string origine;           // 22
  std::string destinazione;      // 22
  std::string riquadro_alto;     // 14: right box, first line
  std::string riquadro_basso;    // 14: right box, second line
  std::string titolo_sinistro;   // 19: lower left box title
  std::string titolo_destro;     // 19: lower right box title
  std::string valore_sinistro;   // 19: lower left box value
  std::string valore_destro;     // 19: lower right box value
};

// The header of the pages that carry no route: the placeholders a driver
// fills in by hand.
testata_scheda testata_segnaposto();

// The text cut or padded with blanks to the width.
std::string a_sinistra(std::string_view testo, size_t larghezza);

// The text centred in the width (the extra blank on the right), cut when longer.
std::string al_centro(std::string_view testo, size_t larghezza);

// Metres as kilometres with a point and three decimals: "81.500", "-0.050".
std::string chilometri(int64_t metri);

// Metres as a kilometre post writes them, kilometres and metres joined by a
// plus: "12+000", "81+500", "-0+050".
std::string chilometro_cippo(int64_t metri);

// "HH.MM" of a time in seconds since midnight; times past midnight, or
// before it, print as the time of their own day.
std::string ore_minuti(int64_t secondi);

// "+" after a time with half a minute, else a blank.
char mezzo(int64_t secondi);

// The body row of a route row on the page (counted from 1): the first page
// and the others align the chainage and the arrival differently.
std::string riga_percorso(const voce_scheda& v, int pagina);

// The pages of the sheet: the route rows 32 to a page, on at least
// pagine_minime pages; pages without route rows carry the placeholder header.
// The lines from the two empty lines at the top to the empty line at the end.
std::vector<std::string> pagine_scheda(const testata_scheda& testata, const std::vector<voce_scheda>& voci,
                                       size_t pagine_minime);

// How many lines pagine_scheda writes for that many pages.
size_t righe_per_pagine(size_t pagine);

// Pages the route rows need (at least one).
size_t pagine_percorso(size_t voci);

}  // namespace sb
