// Label placement: boxes taken one after another, a box that would overlap
// one taken before refused, so that the caller tries another place or leaves
// the label out. Boxes are [x0, y0, x1, y1] in pixels. Plain functions, no
// page: the build puts them into the page's script, node loads them for the
// tests.
'use strict';

// The boxes taken so far, kept in a grid of cells 64 by 32 pixels.
function Placer() { this.grid = new Map(); }

// Calls fn with the key of every cell the box meets; stops when fn says false.
Placer.prototype.cells = function (b, fn) {
  for (let gx = Math.floor(b[0] / 64); gx <= Math.floor(b[2] / 64); gx++) {
    for (let gy = Math.floor(b[1] / 32); gy <= Math.floor(b[3] / 32); gy++) {
      if (fn(gx + ',' + gy) === false) return false;
    }
  }
  return true;
};

// Whether the box overlaps no box taken; boxes that only touch do not.
Placer.prototype.free = function (b) {
  const grid = this.grid;
  return this.cells(b, function (key) {
    const list = grid.get(key);
    if (!list) return true;
    for (const q of list) if (b[0] < q[2] && q[0] < b[2] && b[1] < q[3] && q[1] < b[3]) return false;
    return true;
  });
};

// Takes the box whatever it overlaps (a mark that labels keep clear of).
Placer.prototype.take = function (b) {
  const grid = this.grid;
  this.cells(b, function (key) { (grid.get(key) || grid.set(key, []).get(key)).push(b); });
};

// Takes the box when it overlaps nothing taken; says whether it did.
Placer.prototype.place = function (b) {
  if (!this.free(b)) return false;
  this.take(b);
  return true;
};

// The box of a label w pixels wide (its text and 2 pixels) whose left edge is
// x and baseline y, for text of the given size; lay says how far the box
// reaches above and below the baseline, in sizes.
function textBox(x, y, size, w, lay) {
  return [x, y - lay.above * size, x + w, y + lay.below * size];
}

// Whether the box lies inside the area, edges included.
function inside(b, area) {
  return b[0] >= area[0] && b[2] <= area[2] && b[1] >= area[1] && b[3] <= area[3];
}

// The order labels are placed in: higher priority first, then along the line.
function byPriority(a, b) { return b.r - a.r || a.p - b.p; }

if (typeof module !== 'undefined') module.exports = { Placer: Placer, textBox: textBox, inside: inside,
  byPriority: byPriority };
