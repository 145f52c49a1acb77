// The in-memory records of one compiled scenario: route cells, object table,
// line plan and the scalars that cross the build's steps. The three arrays are
// written unchanged to the simulator's binary files.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "scenario/cell_kinds.h"
#include "scenario/diagnostic_cap.h"
#include "scenario/diagnostics.h"

namespace sb {

// One 50 m cell of the route: at most one item (fields tipo..tempo_segnale)
// and the per-cell properties of the route (preavviso..aderenza).
struct cella {
  uint8_t tipo = tipo_cella::libera;  // kind of item (cell_kinds.h)
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

// Whether the cell holds no item: free, or only the montagna filler mark.
inline bool cella_libera(const cella& c) {
  return c.tipo == tipo_cella::libera || c.tipo == tipo_cella::segno_montagna;
}

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

// The line plan point by point: coordinate 0 (x) and 1 (y) of every metre
// 0 to L + 7000, as the programs that read a plan file see it. Both vectors
// are empty when there is no plan.
struct griglia_linea {
  std::vector<valore_variante> x;
  std::vector<valore_variante> y;

  bool esiste() const { return !x.empty(); }
};

// The line plan as the compile builds it: straight into the bytes of its
// file, each point in its final encoding as it is computed (functions in
// scenario/plan_encoding.h). While the line compile runs, the x values of
// points 0 to prossimo - 1 stand at the start and the y values from
// inizio_y; once it is closed, `byte` is exactly the file.
struct griglia_codificata {
  std::string byte;
  int64_t punti = 0;     // points per coordinate, L + 7001; 0 when there is no plan
  int64_t prossimo = 2;  // the next point to compute; 2 to prossimo - 1 are computed
  size_t inizio_y = 0;   // where the y values start in byte
  bool seminata = false; // points 0 and 1 hold the integers (0, 0) and (0, 1)
  bool chiusa = false;   // the points not computed are written as empty values

  bool esiste() const { return punti > 0; }
};

// How many rows of each kind the compile took whole, for the author's summary.
struct righe_lette {
  int32_t stazioni = 0;
  int32_t segnali = 0;
  int32_t rallentamenti = 0;
  int32_t curve = 0;
  int32_t pendenze = 0;
};

// A maximum-speed indicator as its row gave it, for the checks against the
// run's speed limits at the end of the service read.
struct indicatore_letto {
  int32_t posizione = 0;
  int32_t velocita = 0;  // km/h: the highest of the speeds its two faces show
  luogo_testo dove;      // the field that holds that speed
};

// What a compile notes for the author besides the codes: where the cells'
// items came from, the rows read, the first chainage value that is not a
// multiple of 50. Not part of the simulator's files.
struct tracce_compile {
  std::vector<origine_cella> celle;  // by cell index; shorter than the cells when the rest came from nowhere
  righe_lette righe;
  luogo_testo progressiva_non_multipla;  // riga 0: none
  int32_t valore_progressiva = 0;
  bool interrotta = false;    // a code cut the read of a text short
  luogo_testo interruzione;   // where the first such code was recorded
  std::vector<indicatore_letto> indicatori;  // every indicator the line placed, in text order
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
  griglia_codificata griglia;

  // Every code recorded on the way, in order, with the warnings and notes
  // among them; the last error is the one in codice_errore. Not part of the
  // simulator's files.
  std::vector<diagnostica> diagnostiche;
  // Which errors, warnings and notes are kept, and those only counted.
  limite_diagnostiche limite;

  // Where each station name (service text) and sign caption (line text) of
  // the object table was read from: the line and the column of its first
  // character; line 0 for the other entries. Not part of the simulator's
  // files; read by diagnostics only.
  std::array<luogo_testo, kNumeroOggetti> luogo_voce{};
  tracce_compile tracce;
};

// Records a code: sets codice_errore (and posizione_errore when a position
// is given, else it keeps its value) and appends the entry to the list.
void registra_codice(scenario& s, int32_t codice, origine_errore origine, int32_t riga);
void registra_codice(scenario& s, int32_t codice, origine_errore origine, int32_t riga, int32_t posizione);

// Records a code with where in the text it points and what the author is
// told (empty: the code's own meaning).
void registra_codice(scenario& s, int32_t codice, const luogo_testo& dove, std::string messaggio);
void registra_codice(scenario& s, int32_t codice, const luogo_testo& dove, int32_t posizione, std::string messaggio);

// Gives the last recorded code the text and line of the row that caused it
// and the position recorded since (a recorder does not know its row; the
// compiler that called it does).
void attribuisci_ultimo_codice(scenario& s, origine_errore origine, int32_t riga);
void attribuisci_ultimo_codice(scenario& s, const luogo_testo& dove);

// Whether a code was recorded since `prima` codes had been (limite.errori),
// kept or only counted.
bool codice_registrato_da(const scenario& s, size_t prima);

// Records a warning: the format takes it, but an author almost never means
// it. codice_errore and posizione_errore do not change.
void registra_avviso(scenario& s, genere_avviso genere, const luogo_testo& dove, std::string messaggio);

// Whether a warning of the kind would be kept rather than only counted: a
// row that warns on every line of a long text composes its message only
// while it is.
bool avviso_conservato(const scenario& s, genere_avviso genere);

// The same for an error of the code.
bool codice_conservato(const scenario& s, int32_t codice);

// Records a note: on the entry before it (genere nessuno), or on the whole
// text.
void registra_nota(scenario& s, const luogo_testo& dove, std::string messaggio,
                   genere_avviso genere = genere_avviso::nessuno);

// Remembers the row that put the item (or the approach mark) in cell i.
void segna_origine_oggetto(scenario& s, int64_t i, const luogo_testo& dove);
void segna_origine_preavviso(scenario& s, int64_t i, const luogo_testo& dove);

// Where cell i's item and approach mark came from; empty when unknown.
origine_cella origine_di(const scenario& s, int64_t i);

// Notes that the read of a text stops at the last recorded code, unless an
// earlier code stopped it already.
void segna_interruzione(scenario& s);

// The last recorded error, or an empty entry when there is none.
diagnostica ultimo_codice(const scenario& s);

// Clears every entry of the object table: integers to 0, names empty.
void pulisci_tabella(tabella_oggetti& tabella);

// Cell index of an item at position p: nearest(p / 50 + 1).
int64_t indice_cella(int64_t p);

// Cell index of a stretch boundary at position p: nearest(p / 50).
int64_t indice_confine(int64_t p);

// Whether a value fits a signed 32-bit field.
inline bool in_32(int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; }

// Rounds to the nearest integer, halves to the even neighbour.
double nearest(double x);

}  // namespace sb
