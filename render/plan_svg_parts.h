// The pieces the SVG picture is drawn with: the page's measures, the
// drawing under way, marks and numbers. Shared by the map and the tracks.
#pragma once

#include <sstream>
#include <string>

#include "scene/label_layout.h"
#include "scene/scene_model.h"
#include "scene/scene_style.h"

namespace sb::svg {

inline constexpr double kLarghezza = 1200;
inline constexpr double kMargine = 24;

// The drawing under way: the scene, the SVG written so far and the labels'
// boxes taken.
struct disegno {
  const scena& s;
  std::ostringstream svg;
  posatore_etichette etichette;

  // The page x of a route metre on the kilometre axis of the tracks.
  double x(double metri) const;
  double sinistra() const { return kGronda; }
  double destra() const { return kLarghezza - kMargine; }
};

// A number with one decimal, as SVG coordinates are written.
std::string n(double v);

// A round step ("1, 2, 5 x 10^k") that cuts the span into about `parti`.
double passo_tondo(double ampiezza, int parti);

// An item's mark of radius r centred at x, y.
void segno(std::ostringstream& svg, simbolo forma, const char* colore, double x, double y, double r,
           bool pieno = true);

// A label whose box is taken: text of the given size with its box's left
// edge at x and its baseline at y.
void testo(std::ostringstream& svg, double x, double y, double corpo, const char* colore,
           const std::string& utf8, const char* extra = "");

// The box of a text of that size whose left edge is x and baseline y.
riquadro riquadro_testo(double x, double y, double corpo, const std::string& utf8);

// The map of the line with its stations and kilometre marks, from `alto`
// down; returns its bottom (alto when the scene has no plan).
double mappa(disegno& d, double alto);

// The fastest run's speed and time charts from `alto` down; returns their
// bottom (alto when the scene has no run).
double tracce_marcia(disegno& d, double alto);

}  // namespace sb::svg
