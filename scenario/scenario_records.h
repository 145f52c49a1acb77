// The in-memory records of one compiled scenario: route cells, object table,
// line plan and the scalars that cross the build's steps. The three arrays are
// written unchanged to the simulator's binary files.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace sb {

// One 50 m cell of the route: at most one item (fields tipo..tempo_segnale)
// and the per-cell properties of the route (preavviso..aderenza).
struct cella {
  uint8_t tipo = 0;  // kind of item; 0 free, 11 montagna filler (also free)
  int16_t dato_1 = 0;
  int16_t dato_2 = 0;
  int16_t dato_3 = 0;
  int16_t dato_4 = 0;
  uint8_t tempo_segnale = 0;
  uint8_t preavviso = 0;
  uint8_t montagna = 0;
  uint8_t velocita = 0;  // speed limit / 5
  uint8_t pendenza = 0;  // gradient per mille + 100
  uint8_t aderenza = 0;

  bool operator==(const cella&) const = default;
};

// One entry of the object table: a station (1 upward), a sign caption
// (80 downward) or one of the settings entries 81 to 86.
struct oggetto {
  uint8_t tipo = 0;
  int32_t inizio = 0;
  int32_t fine = 0;
  int32_t posizione = 0;
  uint8_t opzione_1 = 0;
  std::string nome;  // code page 1252 bytes
  int16_t param_1 = 0;
  int16_t param_2 = 0;
  int16_t param_3 = 0;
  int16_t param_4 = 0;
  int16_t param_5 = 0;
  uint8_t opzione_2 = 0;
  uint8_t opzione_3 = 0;
  uint8_t opzione_4 = 0;
  uint8_t opzione_5 = 0;
  int32_t orario = 0;  // seconds since midnight

  bool operator==(const oggetto&) const = default;
};

// Entries 0 to 86 of the object table.
inline constexpr int kNumeroOggetti = 87;
using tabella_oggetti = std::array<oggetto, kNumeroOggetti>;

// Fixed entries of the object table.
inline constexpr int kOggettoProgressivaTre = 81;  // first chainage entry
inline constexpr int kOggettoGenerale = 84;        // braked mass, route length, cars
inline constexpr int kOggettoLinea = 85;           // line name, backgrounds, stamps
inline constexpr int kOggettoTreno = 86;           // train number, cab signalling, sand, clock

// The route cells, indices 0 to N; empty until a route length has been read.
using celle_percorso = std::vector<cella>;

// Kind code of a plan point as the file stores it.
enum class tipo_variante : uint16_t {
  vuoto = 0,   // never assigned
  intero = 2,  // 16-bit integer
  reale = 5,   // binary64
};

// One coordinate of one plan point.
struct valore_variante {
  tipo_variante tipo = tipo_variante::vuoto;
  int16_t intero = 0;
  double reale = 0.0;

  bool operator==(const valore_variante&) const = default;
};

// The line plan: coordinate 0 (x) and 1 (y) of every metre 0 to L + 7000.
// Both vectors are empty when the plan was not created.
struct griglia_linea {
  std::vector<valore_variante> x;
  std::vector<valore_variante> y;

  bool esiste() const { return !x.empty(); }
};

// Which text a recorded code points into, for diagnostics.
enum class origine_errore : uint8_t {
  nessuna,
  testo_linea,     // the line description
  testo_servizio,  // the service description
  passaggio,       // the signal aspect pass (a cell, no text row)
};

// Everything one build owns: identifiers, flag, the three arrays and the
// validation outcome. The build passes it down to every step.
struct scenario {
  std::string nome_linea;
  std::string numero_treno;
  int32_t flag_griglia = 0;  // the build flag: non-zero builds the line plan
  int32_t codice_errore = 0;
  int32_t posizione_errore = 0;
  int32_t limite_stazioni = 80;  // next entry for a sign caption

  celle_percorso celle;
  tabella_oggetti tabella{};
  griglia_linea griglia;

  // Where the recorded code came from: the text and its 1-based line, or the
  // pass. Not part of the simulator's files; read by diagnostics only.
  origine_errore origine = origine_errore::nessuna;
  int32_t riga_errore = 0;
};

// Clears every entry of the object table: integers to 0, names empty.
void pulisci_tabella(tabella_oggetti& tabella);

// Cell index of an item at position p: nearest(p / 50 + 1).
int64_t indice_cella(int64_t p);

// Cell index of a stretch boundary at position p: nearest(p / 50).
int64_t indice_confine(int64_t p);

// Rounds to the nearest integer, halves to the even neighbour.
double nearest(double x);

}  // namespace sb
