// The pieces the drawing is made of, shared by the map and the tracks:
// labels placed where they fit, item marks, rectangles. Each takes the
// drawing under way (dc, made by newDrawing) and adds its SVG text to dc.out,
// taking its labels' boxes from dc.placer.
'use strict';

const RIGHT = 14;     // right margin of the tracks
const AXIS = 28;      // height of the kilometre axis row
const GAP = 10;       // between the map and the tracks
const MIN_SPAN = 20;  // metres across the tracks at the deepest zoom
const MAP_PAD = 30;   // around the stretch in view on the map

// A drawing of the prepared scene sc, W pixels wide: the metres in view, the
// tracks hidden and the item picked as the page holds them, the text widths
// as width(text, size, bold) measures them.
function newDrawing(sc, state, width, W) {
  return {
    sc: sc, S: sc.S, lay: sc.lay, view: { m0: state.view.m0, m1: state.view.m1 }, hidden: state.hidden,
    selected: state.selected, width: width, W: W, PW: W - RIGHT - sc.lay.gutter, out: [], placer: new Placer(),
  };
}

function esc(s) {
  return String(s).replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;').replace(/"/g, '&quot;');
}

// The items of a track whose reach meets the metres m0..m1.
function itemsIn(sc, k, m0, m1) {
  return itemsBetween(sc.byTrack[k] || [], sc.reach[k] || 0, m0, m1);
}

// The width of a text in pixels as the drawing's measure gives it.
function textWidth(dc, text, size, bold) { return dc.width(text, size, bold); }

// The SVG text fn adds, drawn aside from the drawing under way.
function drawnAside(dc, fn) {
  const saved = dc.out;
  dc.out = [];
  fn();
  const s = dc.out.join('');
  dc.out = saved;
  return s;
}

// A text whose box is free inside the area: its left edge at x, baseline y.
function label(dc, x, y, text, size, area, cls, fill, bold, data) {
  const b = textBox(x, y, size, textWidth(dc, text, size, bold) + 2, dc.lay);
  if (!inside(b, area) || !dc.placer.place(b)) return false;
  dc.out.push('<text class="lbl ' + cls + '" x="' + num(x + 1) + '" y="' + num(y) + '" font-size="' + size + '"' +
    (bold ? ' font-weight="bold"' : '') + ' fill="' + fill + '"' + (data || '') + '>' + esc(text) + '</text>');
  return true;
}

// An item's mark of radius r centred at x, y; attrs holds further attributes.
function mark(dc, symbol, colour, x, y, r, filled, attrs) {
  const fill = filled ? colour : '#fff';
  const a = attrs || '';
  if (symbol === 'circle' || symbol === 'dot') {
    dc.out.push('<circle cx="' + num(x) + '" cy="' + num(y) + '" r="' + r + '" fill="' + fill + '" stroke="' +
      colour + '" stroke-width="1.5"' + a + '/>');
  } else if (symbol === 'square') {
    rect(dc, x - r, y - r, 2 * r, 2 * r, fill, a);
  } else if (symbol === 'diamond') {
    dc.out.push('<path d="M' + num(x) + ' ' + num(y - r - 1) + 'L' + num(x + r + 1) + ' ' + num(y) + 'L' + num(x) +
      ' ' + num(y + r + 1) + 'L' + num(x - r - 1) + ' ' + num(y) + 'Z" fill="' + fill + '"' + a + '/>');
  } else if (symbol === 'triangle') {
    dc.out.push('<path d="M' + num(x) + ' ' + num(y + r) + 'L' + num(x + r) + ' ' + num(y - r) + 'L' + num(x - r) +
      ' ' + num(y - r) + 'Z" fill="' + fill + '"' + a + '/>');
  } else {
    rect(dc, x - r, y - 3, 2 * r, 6, fill, a);
  }
}

// A rectangle; extra holds further attributes.
function rect(dc, x, y, w, h, fill, extra) {
  dc.out.push('<rect x="' + num(x) + '" y="' + num(y) + '" width="' + num(w) + '" height="' + num(h) + '" fill="' +
    fill + '"' + (extra || '') + '/>');
}
