// Label placement for the SVG picture: boxes taken one after another, a box
// that would overlap one taken before is refused, so that the caller can try
// another place or leave the label out.
#pragma once

#include <string_view>
#include <vector>

namespace sb {

// A box in page units.
struct riquadro {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;

  bool sovrappone(const riquadro& r) const { return x0 < r.x1 && r.x0 < x1 && y0 < r.y1 && r.y0 < y1; }
  bool dentro(const riquadro& r) const { return x0 >= r.x0 && x1 <= r.x1 && y0 >= r.y0 && y1 <= r.y1; }
};

// How far a label's box reaches above and below its baseline, in font sizes.
inline constexpr double kSopraRiga = 0.95;
inline constexpr double kSottoRiga = 0.27;

// The box of a label `larghezza` wide (its text and 2 units) whose left edge
// is x and baseline y, for text of size `corpo`.
inline riquadro riquadro_etichetta(double x, double y, double corpo, double larghezza) {
  return {x, y - kSopraRiga * corpo, x + larghezza, y + kSottoRiga * corpo};
}

// The boxes taken so far.
class posatore_etichette {
 public:
  // Takes the box when it overlaps nothing taken; says whether it did.
  bool prendi(const riquadro& r);

  // Takes the box whatever it overlaps (a mark that labels keep clear of).
  void occupa(const riquadro& r) { presi_.push_back(r); }

  bool libero(const riquadro& r) const;

  // The box around every box taken; x0 > x1 when none was.
  riquadro limiti() const;

 private:
  std::vector<riquadro> presi_;
};

// The width of a UTF-8 text in a sans-serif face of the given size, a little
// wide rather than narrow.
double larghezza_testo(std::string_view utf8, double corpo);

}  // namespace sb
