// The drawing model shared by the interactive page and the SVG picture: every
// item along the route with its metres, its label and the values of its row,
// the profiles, the plan's outline and the compile's diagnostics.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "documents/compiled_run.h"
#include "inspect/binary_inputs.h"
#include "running_time/train_profile.h"
#include "scenario/scenario_records.h"
#include "scene/plan_geometry.h"

namespace sb {

// The kinds of item drawn along the route.
enum class genere_elemento : uint8_t {
  stazione,
  segnale,
  cartello,      // indicator sign board
  indicatore,    // maximum-speed indicator
  rallentamento,
  abbattimento,  // code-reduction point
  montagna,      // montagna span
  curva,
};

// The profiles drawn as step charts.
enum class genere_profilo : uint8_t { pendenza, velocita, aderenza };

// One named value of an item, as its description row holds it.
struct valore_elemento {
  std::string nome;
  std::string valore;  // UTF-8
};

// The row of a description text an item comes from; file -1: none known.
struct riga_origine {
  int file = -1;  // index into scena::file
  int32_t riga = 0;
  std::string testo;  // the whole line, UTF-8
};

// One item along the route.
struct elemento_scena {
  genere_elemento genere = genere_elemento::segnale;
  int64_t da = 0;      // metres: where it begins
  int64_t a = 0;       // where it ends (da for a point)
  int64_t punto = 0;   // where its mark and label stand
  int64_t avviso = 0;  // slowdowns: where the warning or approach begins; else da
  std::string parola;  // the row's keyword: "segnale", "curvas6"
  std::string etichetta;
  int priorita = 0;  // labels of higher priority are placed first
  int variante = 0;  // station: 1 stops, 0 passes; curve: 1 "d", -1 "s"
  int64_t progressiva = 0;  // metres: the chainage the train sheet gives it (where a stretch begins)
  std::vector<valore_elemento> valori;
  riga_origine origine;
};

// A run of cells holding one profile value, from da to a metres.
struct tratto_profilo {
  int64_t da = 0;
  int64_t a = 0;
  int32_t valore = 0;
  riga_origine origine;
};

// One profile along the route.
struct profilo_scena {
  genere_profilo genere = genere_profilo::pendenza;
  std::vector<tratto_profilo> tratti;
};

// One diagnostic for the page: its first line as the terminal shows it
// (riga_gnu of the compile's record), or how the compile ended.
struct diagnostica_scena {
  std::string testo;   // "FILE:LINE:COLUMN: error: error N: meaning"
  int64_t metro = -1;  // where it points along the route; -1 nowhere
  std::string etichetta;  // the mark's label where it points: "error 16"
};

// The fastest run at one 50 m cell, for the speed and time tracks.
struct punto_marcia {
  int64_t metro = 0;
  double limite_kmh = 0;  // the limit from here on
  double velocita_kmh = 0;
  double tempo_s = 0;  // since the departure from the origin, dwells included
};

// A station with a time: the timetable's and the fastest run's times there,
// in seconds since the departure from the origin.
struct orario_marcia {
  int64_t metro = 0;  // where the train stops or passes
  std::string nome;   // UTF-8
  double arrivo_previsto = 0;
  double partenza_prevista = 0;
  double arrivo_minimo = 0;
  double partenza_minima = 0;
};

// The default train's fastest run under the limits and the timetable
// against it: the speed-distance and time-distance tracks.
struct marcia_scena {
  std::vector<punto_marcia> punti;  // empty: no run (no cells, fewer than two stations)
  std::vector<orario_marcia> orari;
};

// Everything drawn.
struct scena {
  std::string nome_linea;  // UTF-8; empty when unknown
  std::string numero_treno;
  int64_t lunghezza = 0;  // route length, metres
  int64_t progressiva_fine = 0;  // the chainage at the route's end, metres
  std::vector<tratto_progressiva> progressive;  // the line's chainage along the route
  int64_t inizio = 0;     // the extent drawn, metres
  int64_t fine = 0;
  bool ha_tabella = false;
  bool ha_celle = false;
  std::vector<std::string> file;  // the texts' names, for riga_origine
  std::vector<valore_elemento> generali;  // line and train settings
  std::vector<elemento_scena> elementi;   // ordered by kind, then metre
  std::vector<profilo_scena> profili;
  contorno_pianta contorno;  // empty without a plan
  std::vector<diagnostica_scena> diagnostiche;
  marcia_scena marcia;
};

// A description text the records were compiled from.
struct testo_sorgente {
  std::string nome;  // as the author gave it
  std::string byte;  // code page 1252
};

// What a scene is drawn from; a null pointer is a record not given.
struct fonti_scena {
  const griglia_linea* griglia = nullptr;
  const tabella_oggetti* tabella = nullptr;
  const celle_percorso* celle = nullptr;
  std::vector<testo_sorgente> testi;  // the line text, then the service text
  const profilo_treno* profilo = nullptr;  // the run's train; null: the default one
};

// The binary files read back as the sources of a scene (no texts).
fonti_scena fonti_binari(const binari_scena& b);

// Builds the scene from the records, naming the rows of the texts.
scena costruisci_scena(const fonti_scena& f);

// The keyword of an item kind's rows, and of a profile's, as the grammar
// writes it ("curva" for a curve, whatever its spelling).
std::string_view parola_genere(genere_elemento g);
std::string_view parola_profilo(genere_profilo g);

// Metres written for a person: "3 900", "-250", "1 000 000".
std::string metri_leggibili(int64_t metri);

}  // namespace sb
