// How a scene is laid out and coloured, one table for the page and the SVG
// picture alike: the tracks under the map, top to bottom, each showing one
// kind of item or one profile along the shared chainage axis.
#pragma once

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

// Every track in drawing order.
const std::vector<traccia>& tracce();

// Whether the scene has anything for the track.
bool traccia_usata(const scena& s, const traccia& t);

}  // namespace sb
