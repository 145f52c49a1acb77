// The pieces the drawing is made of, shared by the map and the tracks:
// labels placed where they fit, item marks, rectangles. Each adds SVG text to
// the drawing under way (out) and takes its labels' boxes from its placer.
'use strict';

function esc(s) {
  return String(s).replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;').replace(/"/g, '&quot;');
}

// The width of a text in pixels as the browser sets it, remembered.
function textWidth(text, size, bold) {
  const key = (bold ? 'b' : '') + size + '|' + text;
  let w = widths.get(key);
  if (w === undefined) {
    measureCtx.font = (bold ? 'bold ' : '') + size + 'px ' + LAY.family;
    w = measureCtx.measureText(text).width;
    widths.set(key, w);
  }
  return w;
}

// A text whose box is free inside the area: its left edge at x, baseline y.
function label(x, y, text, size, area, cls, fill, bold, data) {
  const b = textBox(x, y, size, textWidth(text, size, bold) + 2, LAY);
  if (!inside(b, area) || !placer.place(b)) return false;
  out.push('<text class="lbl ' + cls + '" x="' + num(x + 1) + '" y="' + num(y) + '" font-size="' + size + '"' +
    (bold ? ' font-weight="bold"' : '') + ' fill="' + fill + '"' + (data || '') + '>' + esc(text) + '</text>');
  return true;
}

// An item's mark of radius r centred at x, y; attrs holds further attributes.
function mark(symbol, colour, x, y, r, filled, attrs) {
  const fill = filled ? colour : '#fff';
  const a = attrs || '';
  if (symbol === 'circle' || symbol === 'dot') {
    out.push('<circle cx="' + num(x) + '" cy="' + num(y) + '" r="' + r + '" fill="' + fill + '" stroke="' + colour +
      '" stroke-width="1.5"' + a + '/>');
  } else if (symbol === 'square') {
    rect(x - r, y - r, 2 * r, 2 * r, fill, a);
  } else if (symbol === 'diamond') {
    out.push('<path d="M' + num(x) + ' ' + num(y - r - 1) + 'L' + num(x + r + 1) + ' ' + num(y) + 'L' + num(x) + ' ' +
      num(y + r + 1) + 'L' + num(x - r - 1) + ' ' + num(y) + 'Z" fill="' + fill + '"' + a + '/>');
  } else if (symbol === 'triangle') {
    out.push('<path d="M' + num(x) + ' ' + num(y + r) + 'L' + num(x + r) + ' ' + num(y - r) + 'L' + num(x - r) + ' ' +
      num(y - r) + 'Z" fill="' + fill + '"' + a + '/>');
  } else {
    rect(x - r, y - 3, 2 * r, 6, fill, a);
  }
}

// A rectangle; extra holds further attributes.
function rect(x, y, w, h, fill, extra) {
  out.push('<rect x="' + num(x) + '" y="' + num(y) + '" width="' + num(w) + '" height="' + num(h) + '" fill="' +
    fill + '"' + (extra || '') + '/>');
}
