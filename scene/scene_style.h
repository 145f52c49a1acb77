// How a scene is laid out and coloured, one table for the page and the SVG
// picture alike: the tracks under the map, top to bottom, each showing one
// kind of item or one profile along the shared chainage axis.
#pragma once

#include <string>
#include <vector>

#include "scene/scene_model.h"

namespace sb {

// The shape of an item's mark.
enum class simbolo : uint8_t { cerchio, punto, quadrato, rombo, triangolo, barra };

// One track.
struct traccia {
  const char* id;      // the kind's or the profile's name in the page: "stazione", "pendenza"
  const char* titolo;  // for people: "stations"
  const char* colore;
  bool profilo;               // a step chart of a profile, else marks of items
  genere_elemento genere;     // when not a profile
  genere_profilo genere_p;    // when a profile
  simbolo forma;
  int corsie;   // label lanes under the marks
  int altezza;  // pixels; a profile's chart height
};

// Geometry inside an item track: marks centred at kCentroSegni, label lane k
// with its baseline at kPrimaCorsia + (k + 1) * kAltezzaCorsia - 3.
inline constexpr int kCentroSegni = 9;
inline constexpr int kPrimaCorsia = 17;
inline constexpr int kAltezzaCorsia = 14;
inline constexpr int kCorpoEtichette = 11;  // label font size, pixels
inline constexpr int kCorpoPiccolo = 10;    // font size of axis numbers and scale, pixels

// Left of the tracks, pixels: their titles and value scales.
inline constexpr int kGronda = 170;

// The font family of every text drawn.
inline constexpr const char* kCarattere = "DejaVu Sans, Verdana, Arial, sans-serif";

// The colours of the marks down the tracks: the route's end, and an error
// where it points along the route.
inline constexpr const char* kColoreFine = "#6a1b9a";
inline constexpr const char* kColoreGuasto = "#d50000";

// The legend's words for the mark of a finding, in the picture and the page.
inline constexpr const char* kDidascaliaRilievi = "error or timetable finding where it points";

// Every track in drawing order.
const std::vector<traccia>& tracce();

// Whether the scene has anything for the track.
bool traccia_usata(const scena& s, const traccia& t);

// An item's title for people, the page's hover and the picture's <title>:
// its kind, the kilometre the train sheet gives it and its route metres,
// "segnale at km 12.300, route 300 m", "rallentamento from km 15.000, route
// 3 000 – 3 300 m".
std::string titolo_elemento(const elemento_scena& e);

// The route's end as its mark's label, "fine percorso km 24.000", and as its
// title, "fine percorso km 24.000, route 12 000 m".
std::string etichetta_fine(const scena& s);
std::string titolo_fine(const scena& s);

}  // namespace sb
