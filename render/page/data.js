// The scene's data prepared once for drawing: items by track in metre order,
// the plan's outline as arrays cut into chunks, and searches by metre. Plain
// functions, no page.
'use strict';

// The items of each track in metre order; each item learns its index.
function itemsByTrack(items) {
  const byTrack = {};
  items.forEach(function (it, i) {
    it.i = i;
    (byTrack[it.k] = byTrack[it.k] || []).push(it);
  });
  Object.keys(byTrack).forEach(function (k) {
    byTrack[k].sort(function (a, b) { return a.p - b.p; });
  });
  return byTrack;
}

// How far an item of each track reaches from its anchor, for searching by metre.
function reaches(byTrack) {
  const reach = {};
  Object.keys(byTrack).forEach(function (k) {
    reach[k] = byTrack[k].reduce(function (r, it) {
      return Math.max(r, it.p - Math.min(it.a, it.w === undefined ? it.a : it.w), it.b - it.p);
    }, 0);
  });
  return reach;
}

// A level of the plan's outline as arrays, cut into chunks with their boxes.
// The data holds each point as its steps from the one before: metres, and
// centimetres of x and y.
function prepareLevel(l) {
  const n = l.d.length / 3, m = new Float64Array(n), x = new Float64Array(n), y = new Float64Array(n);
  let sm = 0, sx = 0, sy = 0;
  for (let k = 0; k < n; k++) {
    sm += l.d[3 * k]; sx += l.d[3 * k + 1]; sy += l.d[3 * k + 2];
    m[k] = sm; x[k] = sx / 100; y[k] = sy / 100;
  }
  const chunks = [];
  for (let a = 0; a < n - 1; a += 256) {
    const b = Math.min(n - 1, a + 256);
    const c = { a: a, b: b, x0: Infinity, x1: -Infinity, y0: Infinity, y1: -Infinity };
    for (let k = a; k <= b; k++) {
      c.x0 = Math.min(c.x0, x[k]); c.x1 = Math.max(c.x1, x[k]);
      c.y0 = Math.min(c.y0, y[k]); c.y1 = Math.max(c.y1, y[k]);
    }
    chunks.push(c);
  }
  return { tol: l.tol, n: n, m: m, x: x, y: y, chunks: chunks };
}

function same(v) { return v; }

// The first index of arr whose key is not below v.
function lowerBound(arr, v, key) {
  let lo = 0, hi = arr.length;
  while (lo < hi) { const mid = (lo + hi) >> 1; if (key(arr[mid]) < v) lo = mid + 1; else hi = mid; }
  return lo;
}

// The items of a track (sorted, with their reach r) that meet the metres m0..m1.
function itemsBetween(list, r, m0, m1) {
  const from = lowerBound(list, m0 - r, function (it) { return it.p; });
  const res = [];
  for (let j = from; j < list.length && list[j].p <= m1 + r; j++) {
    const it = list[j];
    const a = Math.min(it.a, it.w === undefined ? it.a : it.w);
    if (it.b >= m0 && a <= m1) res.push(it);
  }
  return res;
}

if (typeof module !== 'undefined') module.exports = { itemsByTrack: itemsByTrack, reaches: reaches,
  prepareLevel: prepareLevel, same: same, lowerBound: lowerBound, itemsBetween: itemsBetween };
