// The scenario page: the map of the line and, under it on one chainage axis,
// a track for every kind of item and a chart for every profile, drawn into
// one SVG for the metres in view. Labels are placed by priority and a label
// that would overlap another is left out. Plain script, no library.
'use strict';
(function () {
  const started = performance.now();
  const errors = [];
  window.addEventListener('error', function (e) { errors.push(String(e.message)); });

  const S = JSON.parse(document.getElementById('scene').textContent);
  const FONT = '"DejaVu Sans", Verdana, Arial, sans-serif';
  const LAY = S.layout;
  const GUTTER = 170;   // left of the tracks: titles and scales
  const RIGHT = 14;     // right margin of the tracks
  const AXIS = 28;      // height of the kilometre axis row
  const GAP = 10;       // between the map and the tracks
  const MIN_SPAN = 20;  // metres across the tracks at the deepest zoom
  const MAP_PAD = 30;   // around the stretch in view on the map

  const chart = document.getElementById('chart');
  const svg = document.getElementById('view');
  const tip = document.getElementById('tip');

  // ---- The data, prepared once.

  const byTrack = {};
  S.items.forEach(function (it, i) {
    it.i = i;
    (byTrack[it.k] = byTrack[it.k] || []).push(it);
  });
  Object.keys(byTrack).forEach(function (k) {
    byTrack[k].sort(function (a, b) { return a.p - b.p; });
  });
  // How far an item of each track reaches from its anchor, for searching by metre.
  const reach = {};
  Object.keys(byTrack).forEach(function (k) {
    reach[k] = byTrack[k].reduce(function (r, it) {
      return Math.max(r, it.p - Math.min(it.a, it.w === undefined ? it.a : it.w), it.b - it.p);
    }, 0);
  });
  const tracks = S.tracks.filter(function (t) {
    return t.profile ? (S.profiles[t.id] || []).length > 0 : (byTrack[t.id] || []).length > 0;
  });
  const trackOf = {};
  S.tracks.forEach(function (t) { trackOf[t.id] = t; });
  const stations = byTrack.stazione || [];
  const hidden = {};
  const levels = S.outline ? S.outline.levels.map(prepareLevel) : [];
  const scales = {};
  tracks.forEach(function (t) { if (t.profile) scales[t.id] = chartScale(t.id, S.profiles[t.id]); });

  const margin = 0.01 * Math.max(S.end - S.start, 100);
  const full = { m0: S.start - margin, m1: S.end + margin };
  const view = { m0: full.m0, m1: full.m1 };
  let selected = null;  // the item picked
  let frame = null;     // the last drawing's geometry, for the pointer

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

  // The chart's value range, round numbers around every value.
  function chartScale(id, runs) {
    let lo = 0, hi = 0;
    runs.forEach(function (r) { lo = Math.min(lo, r[2]); hi = Math.max(hi, r[2]); });
    if (id === 'pendenza') {
      const g = Math.ceil((Math.max(Math.abs(lo), Math.abs(hi)) + 1) / 5) * 5;
      return { lo: -g, hi: g };
    }
    return { lo: Math.floor(lo / 20) * 20, hi: Math.max(20, Math.ceil((hi + 1) / 20) * 20) };
  }

  // ---- Small helpers.

  function esc(s) {
    return String(s).replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;').replace(/"/g, '&quot;');
  }
  function fmtM(m) {
    const s = String(Math.round(Math.abs(m))).replace(/\B(?=(\d{3})+(?!\d))/g, ' ');
    return (m < 0 ? '-' : '') + s;
  }
  function num(v) { return Math.round(v * 10) / 10; }
  function niceStep(raw) {
    const p = Math.pow(10, Math.floor(Math.log10(Math.max(raw, 1e-9))));
    for (const f of [1, 2, 5, 10]) if (f * p >= raw) return f * p;
    return 10 * p;
  }
  function kmText(m, step) {
    const dec = Math.max(0, Math.min(3, -Math.floor(Math.log10(step / 1000) + 1e-9)));
    return (m / 1000).toFixed(dec);
  }
  function same(v) { return v; }
  // The first index of arr whose key is not below v.
  function lowerBound(arr, v, key) {
    let lo = 0, hi = arr.length;
    while (lo < hi) { const mid = (lo + hi) >> 1; if (key(arr[mid]) < v) lo = mid + 1; else hi = mid; }
    return lo;
  }
  const measureCtx = document.createElement('canvas').getContext('2d');
  const widths = new Map();
  function textWidth(text, size, bold) {
    const key = (bold ? 'b' : '') + size + '|' + text;
    let w = widths.get(key);
    if (w === undefined) {
      measureCtx.font = (bold ? 'bold ' : '') + size + 'px ' + FONT;
      w = measureCtx.measureText(text).width;
      widths.set(key, w);
    }
    return w;
  }
  function title(it) {
    const t = trackOf[it.k];
    if (it.k === 'stazione') return 'stazione ' + (it.l || '') + ' at ' + fmtM(it.p) + ' m';
    if (t.symbol === 'bar') return it.n + ' ' + fmtM(it.a) + ' \u2013 ' + fmtM(it.b) + ' m';
    return it.n + ' at ' + fmtM(it.p) + ' m';
  }

  // ---- Label placement: boxes taken in order, kept in a grid of cells.

  function Placer() { this.grid = new Map(); }
  Placer.prototype.cells = function (b, fn) {
    for (let gx = Math.floor(b[0] / 64); gx <= Math.floor(b[2] / 64); gx++) {
      for (let gy = Math.floor(b[1] / 32); gy <= Math.floor(b[3] / 32); gy++) {
        if (fn(gx + ',' + gy) === false) return false;
      }
    }
    return true;
  };
  Placer.prototype.free = function (b) {
    const grid = this.grid;
    return this.cells(b, function (key) {
      const list = grid.get(key);
      if (!list) return true;
      for (const q of list) if (b[0] < q[2] && q[0] < b[2] && b[1] < q[3] && q[1] < b[3]) return false;
      return true;
    });
  };
  Placer.prototype.take = function (b) {
    const grid = this.grid;
    this.cells(b, function (key) { (grid.get(key) || grid.set(key, []).get(key)).push(b); });
  };

  // ---- Drawing.

  let out = [];     // SVG pieces of the drawing under way
  let placer = null;

  // A text whose box is free inside the area: its left edge at x, baseline y.
  function label(x, y, text, size, area, cls, fill, bold, data) {
    const w = textWidth(text, size, bold) + 2;
    const b = [x, y - 0.95 * size, x + w, y + 0.27 * size];
    if (b[0] < area[0] || b[2] > area[2] || b[1] < area[1] || b[3] > area[3]) return false;
    if (!placer.free(b)) return false;
    placer.take(b);
    out.push('<text class="lbl ' + cls + '" x="' + num(x + 1) + '" y="' + num(y) + '" font-size="' + size + '"' +
      (bold ? ' font-weight="bold"' : '') + ' fill="' + fill + '"' + (data || '') + '>' + esc(text) + '</text>');
    return true;
  }

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

  // The items of a track whose reach meets the metres m0..m1.
  function itemsIn(k, m0, m1) {
    const list = byTrack[k] || [];
    const r = reach[k] || 0;
    const from = lowerBound(list, m0 - r, function (it) { return it.p; });
    const res = [];
    for (let j = from; j < list.length && list[j].p <= m1 + r; j++) {
      const it = list[j];
      const a = Math.min(it.a, it.w === undefined ? it.a : it.w);
      if (it.b >= m0 && a <= m1) res.push(it);
    }
    return res;
  }

  // ---- The map.

  // The plan point at a route metre, between the finest level's points.
  function pointAt(m) {
    const L = levels[0];
    if (!L || m < L.m[0] || m > L.m[L.n - 1]) return null;
    let k = lowerBound(L.m, m, same);
    if (k === 0) return [L.x[0], L.y[0]];
    const t = (m - L.m[k - 1]) / (L.m[k] - L.m[k - 1]);
    return [L.x[k - 1] + t * (L.x[k] - L.x[k - 1]), L.y[k - 1] + t * (L.y[k] - L.y[k - 1])];
  }

  // The box of the track between two metres, on a level fine enough for it.
  function boxBetween(m0, m1) {
    let L = levels[0];
    for (const l of levels) if (l.tol <= (m1 - m0) / 400) L = l;
    const b = [Infinity, Infinity, -Infinity, -Infinity];
    function add(p) {
      if (!p) return;
      b[0] = Math.min(b[0], p[0]); b[1] = Math.min(b[1], p[1]);
      b[2] = Math.max(b[2], p[0]); b[3] = Math.max(b[3], p[1]);
    }
    add(pointAt(Math.max(m0, L.m[0])));
    add(pointAt(Math.min(m1, L.m[L.n - 1])));
    for (let k = lowerBound(L.m, m0, same); k < L.n && L.m[k] <= m1; k++) add([L.x[k], L.y[k]]);
    return b;
  }

  function mapGeometry(W, H) {
    const b = boxBetween(view.m0, view.m1);
    const bw = Math.max(b[2] - b[0], 1e-6), bh = Math.max(b[3] - b[1], 1e-6);
    // Never closer than twice the tracks' deepest zoom across.
    const scale = Math.min((W - 2 * MAP_PAD) / bw, (H - 2 * MAP_PAD) / bh, (W - 2 * MAP_PAD) / (2 * MIN_SPAN));
    const cx = (b[0] + b[2]) / 2, cy = (b[1] + b[3]) / 2;
    let L = levels[0];
    for (const l of levels) if (l.tol * scale <= 0.5) L = l;
    return {
      W: W, H: H, scale: scale, level: L,
      px: function (x) { return W / 2 + (x - cx) * scale; },
      py: function (y) { return H / 2 - (y - cy) * scale; },
      // the plan box on screen
      box: [cx - W / 2 / scale, cy - H / 2 / scale, cx + W / 2 / scale, cy + H / 2 / scale],
    };
  }

  // The path of the level's points with indices a..b, chunks off screen left out.
  function pathBetween(g, a, b) {
    const L = g.level, bx = g.box;
    let d = '';
    for (const c of L.chunks) {
      if (c.b < a || c.a > b) continue;
      if (c.x1 < bx[0] || c.x0 > bx[2] || c.y1 < bx[1] || c.y0 > bx[3]) continue;
      const from = Math.max(c.a, a), to = Math.min(c.b, b);
      d += 'M' + num(g.px(L.x[from])) + ' ' + num(g.py(L.y[from]));
      for (let k = from + 1; k <= to; k++) d += 'L' + num(g.px(L.x[k])) + ' ' + num(g.py(L.y[k]));
    }
    return d;
  }

  // The path along the track from metre m0 to m1.
  function stretchPath(g, m0, m1) {
    const L = g.level;
    const a = lowerBound(L.m, m0, same);
    const b = lowerBound(L.m, m1, same) - 1;
    const p0 = pointAt(m0), p1 = pointAt(m1);
    if (!p0 || !p1) return '';
    let d = 'M' + num(g.px(p0[0])) + ' ' + num(g.py(p0[1]));
    for (let k = a; k <= b; k++) d += 'L' + num(g.px(L.x[k])) + ' ' + num(g.py(L.y[k]));
    return d + 'L' + num(g.px(p1[0])) + ' ' + num(g.py(p1[1]));
  }

  // The track's boxes every few pixels, so that labels keep off it.
  function occupyTrack(g) {
    const L = g.level, bx = g.box;
    for (const c of L.chunks) {
      if (c.x1 < bx[0] || c.x0 > bx[2] || c.y1 < bx[1] || c.y0 > bx[3]) continue;
      let px = g.px(L.x[c.a]), py = g.py(L.y[c.a]);
      for (let k = c.a + 1; k <= c.b; k++) {
        const x = g.px(L.x[k]), y = g.py(L.y[k]);
        const steps = Math.min(2000, Math.ceil(Math.hypot(x - px, y - py) / 4));
        for (let j = 1; j <= steps; j++) {
          const qx = px + (x - px) * j / steps, qy = py + (y - py) * j / steps;
          if (qx >= -4 && qx <= g.W + 4 && qy >= -4 && qy <= g.H + 4) placer.take([qx - 2, qy - 2, qx + 2, qy + 2]);
        }
        px = x; py = y;
      }
    }
  }

  function onMap(g, m) {
    const p = pointAt(m);
    if (!p) return null;
    const x = g.px(p[0]), y = g.py(p[1]);
    return x >= -10 && x <= g.W + 10 && y >= -10 && y <= g.H + 10 ? [x, y] : null;
  }

  function drawMap(W, H) {
    const g = mapGeometry(W, H);
    const area = [0, 0, W, H];
    const L = g.level;
    out.push('<g class="map"><rect class="map-bg" width="' + W + '" height="' + H + '" fill="#f7f9f7"/>');
    const bar = scaleBar(g, H);
    out.push('<path d="' + pathBetween(g, 0, L.n - 1) + '" fill="none" stroke="#bbb" stroke-width="2"/>');
    // Montagna spans and slowdowns as broad strokes under the track.
    ['montagna', 'rallentamento'].forEach(function (k) {
      if (hidden[k]) return;
      itemsIn(k, view.m0, view.m1).forEach(function (it) {
        out.push('<path d="' + stretchPath(g, it.a, it.b) + '" fill="none" stroke="' + trackOf[k].colour +
          '" stroke-opacity="' + (k === 'montagna' ? 0.35 : 0.7) + '" stroke-width="' + (k === 'montagna' ? 9 : 7) +
          '" data-i="' + it.i + '"/>');
      });
    });
    const a = lowerBound(L.m, view.m0, same);
    const b = lowerBound(L.m, view.m1, same);
    out.push('<path d="' + pathBetween(g, Math.max(0, a - 1), Math.min(L.n - 1, b)) +
      '" fill="none" stroke="#333" stroke-width="3" stroke-linejoin="round"/>');
    occupyTrack(g);
    // Small marks on the track; closer than two pixels, one is drawn.
    ['segnale', 'cartello', 'indicatore', 'abbattimento'].forEach(function (k) {
      if (hidden[k]) return;
      let last = null;
      itemsIn(k, view.m0, view.m1).forEach(function (it) {
        const q = onMap(g, it.p);
        if (!q || (last && Math.abs(q[0] - last[0]) + Math.abs(q[1] - last[1]) < 2)) return;
        last = q;
        mark(trackOf[k].symbol, trackOf[k].colour, q[0], q[1], 2.6, true, ' data-i="' + it.i + '"');
        placer.take([q[0] - 3, q[1] - 3, q[0] + 3, q[1] + 3]);
      });
    });
    // Kilometre ticks, their labels wherever they fit.
    const step = niceStep((view.m1 - view.m0) / 6);
    const ticks = [];
    for (let m = Math.ceil(view.m0 / step) * step; m <= view.m1; m += step) {
      const q = onMap(g, m);
      if (!q) continue;
      out.push('<circle cx="' + num(q[0]) + '" cy="' + num(q[1]) + '" r="2.5" fill="#fff" stroke="#333"/>');
      ticks.push([q, 'km ' + kmText(m, step)]);
    }
    const shown = hidden.stazione ? [] : stations.filter(function (s) { return onMap(g, s.p); });
    shown.forEach(function (s) {
      const q = onMap(g, s.p);
      const sel = selected === s;
      mark('circle', trackOf.stazione.colour, q[0], q[1], s.x ? 5 : 3.8, sel, ' class="st-map" data-i="' + s.i + '"');
      placer.take([q[0] - 6, q[1] - 6, q[0] + 6, q[1] + 6]);
    });
    ticks.forEach(function (t) { nearLabel(t[0], t[1], 10, area, 'km', '#666', false); });
    shown.slice().sort(byPriority).forEach(function (s) {
      nearLabel(onMap(g, s.p), s.l || '', 11, area, 'st-name', '#1d4d1d', true, ' data-i="' + s.i + '"');
    });
    out.push(bar, '</g>');
    return g;
  }

  function byPriority(a, b) { return b.r - a.r || a.p - b.p; }

  // A label beside its point, on the first side and distance where it fits.
  function nearLabel(q, text, size, area, cls, fill, bold, data) {
    if (!text) return false;
    const w = textWidth(text, size, bold) + 2;
    for (const d of [6, 13, 22]) {
      const e = d * 0.7, low = 0.35 * size;  // right and left, above and below, then the four corners
      const sides = [[d, low], [-d - w, low], [-w / 2, -d], [-w / 2, d + size],
        [e, -e], [e, e + size], [-e - w, -e], [-e - w, e + size]];
      for (const o of sides) if (label(q[0] + o[0], q[1] + o[1], text, size, area, cls, fill, bold, data)) return true;
    }
    return false;
  }

  // A bar of a round length, about 110 pixels, with its length, in the map's
  // lower left corner on a pale ground. Its box is taken before anything
  // else, so no label covers it; it is drawn last, over the track.
  function scaleBar(g, H) {
    const metres = niceStep(110 / g.scale);
    const w = metres * g.scale, y = H - 12;
    const text = metres >= 1000 ? metres / 1000 + ' km' : metres + ' m';
    const box = [4, y - 16, 22 + w + textWidth(text, 10), H - 2];
    placer.take(box);
    const saved = out;
    out = [];
    rect(box[0], box[1], box[2] - box[0], box[3] - box[1], '#f7f9f7', ' fill-opacity="0.85"');
    out.push('<path d="M10 ' + (y - 4) + 'V' + y + 'H' + num(10 + w) + 'V' + (y - 4) +
      '" fill="none" stroke="#333" stroke-width="1.5"/>');
    out.push('<text class="lbl scale" x="' + num(16 + w) + '" y="' + (y + 1) + '" font-size="10" fill="#333">' +
      esc(text) + '</text>');
    const drawn = out.join('');
    out = saved;
    return drawn;
  }

  // ---- The tracks.

  function X(m) { return GUTTER + (m - view.m0) / (view.m1 - view.m0) * (frame.PW); }

  function drawAxis(top, W) {
    const y = top + AXIS - 6;
    const step = niceStep((view.m1 - view.m0) / Math.max(2, (W - GUTTER - RIGHT) / 90));
    const area = [GUTTER - 30, top, W, top + AXIS];
    out.push('<line x1="' + GUTTER + '" y1="' + y + '" x2="' + (W - RIGHT) + '" y2="' + y + '" stroke="#999"/>');
    label(6, y - 6, 'km', 11, [0, top, GUTTER, top + AXIS], 'axis', '#555', true);
    for (let m = Math.ceil(view.m0 / step) * step; m <= view.m1; m += step) {
      const x = X(m);
      out.push('<line x1="' + num(x) + '" y1="' + y + '" x2="' + num(x) + '" y2="' + (y - 5) + '" stroke="#555"/>');
      const t = kmText(m, step);
      label(x - textWidth(t, 10) / 2 - 1, y - 8, t, 10, area, 'axis', '#555', false);
    }
  }

  function drawItemTrack(t, top, W) {
    const centre = top + LAY.mark, area = [GUTTER, top, W - RIGHT, top + t.h];
    const items = itemsIn(t.id, view.m0, view.m1);
    const drawn = [];
    let lastX = -1e9, bar = null;
    // The pixels of a stretch, kept just inside the plot.
    function clampX(x) { return Math.max(GUTTER - 2, Math.min(W - RIGHT + 2, x)); }
    function flushBar() {
      if (!bar) return;
      const y = t.id === 'curva' ? centre + (bar.it.x > 0 ? -6 : 1) : centre - 3;
      rect(bar.x0, y, Math.max(bar.x1 - bar.x0, 1.5), t.id === 'curva' ? 5 : 6, t.colour, ' data-i="' + bar.it.i + '"');
      bar = null;
    }
    items.forEach(function (it) {
      const xp = X(it.p);
      if (t.id === 'stazione') {
        const a = clampX(X(it.a)), b = clampX(X(it.b));
        rect(a, centre - 1.5, Math.max(b - a, 1), 3, t.colour, ' fill-opacity="0.35"');
        mark('circle', t.colour, xp, centre, it.x ? 4.5 : 3.4, it.x || selected === it,
          ' class="st-mark" data-i="' + it.i + '"');
        drawn.push(it);
        return;
      }
      if (t.symbol !== 'bar') {
        if (xp - lastX < 1.5) return;
        lastX = xp;
        mark(t.symbol, t.colour, xp, centre, 3.5, true, ' data-i="' + it.i + '"');
        drawn.push(it);
        return;
      }
      if (it.w !== undefined && it.w < it.a) {
        const w = clampX(X(it.w)), a = clampX(X(it.a));
        rect(w, centre - 2, Math.max(a - w, 1), 4, t.colour, ' fill-opacity="0.35" data-i="' + it.i + '"');
      }
      const x0 = clampX(X(it.a)), x1 = clampX(X(it.b));
      // A stretch narrower than a pixel that touches the bar before joins it.
      const joins = bar && x0 <= bar.x1 + 1 && (t.id !== 'curva' || bar.it.x === it.x);
      if (joins && x1 - x0 < 1) { bar.x1 = Math.max(bar.x1, x1); return; }
      flushBar();
      bar = { x0: x0, x1: x1, it: it };
      drawn.push(it);
    });
    flushBar();
    if (!t.lanes) return;
    drawn.sort(byPriority);
    for (const it of drawn) {
      if (!it.l) continue;
      const w = textWidth(it.l, LAY.font) + 2;
      let x = Math.max(X(t.symbol === 'bar' ? it.a : it.p) - 2, GUTTER);
      if (x + w > W - RIGHT) x = W - RIGHT - w;
      for (let lane = 0; lane < t.lanes; lane++) {
        const y = top + LAY.lane0 + (lane + 1) * LAY.lane - 3;
        if (label(x, y, it.l, LAY.font, area, 'item' + (t.id === 'stazione' ? ' st-label' : ''), '#222', false,
          ' data-i="' + it.i + '"')) break;
      }
    }
  }

  // Where a value stands in the chart: its highest value 4 pixels under the
  // track's top, its lowest t.h - 8 pixels further down.
  function chartY(t, top) {
    const sc = scales[t.id], h = t.h - 8, y0 = top + 4;
    return function (v) { return y0 + (sc.hi - Math.max(sc.lo, Math.min(sc.hi, v))) / (sc.hi - sc.lo) * h; };
  }

  // The chart's frame, grid and value scale.
  function drawChartFrame(t, top, W) {
    const sc = scales[t.id], Y = chartY(t, top);
    rect(GUTTER, top + 4, W - RIGHT - GUTTER, t.h - 8, '#fafafa',
      ' stroke="#ccc" class="hit" data-prof="' + t.id + '"');
    const step = niceStep((sc.hi - sc.lo) / 3);
    for (let v = Math.ceil(sc.lo / step) * step; v <= sc.hi + 1e-9; v += step) {
      out.push('<line x1="' + GUTTER + '" y1="' + num(Y(v)) + '" x2="' + (W - RIGHT) + '" y2="' + num(Y(v)) +
        '" stroke="' + (v === 0 ? '#999' : '#e4e4e4') + '" pointer-events="none"/>');
      const s = String(v + 0);
      const area = [0, top - 6, GUTTER, top + t.h + 6];
      label(GUTTER - 5 - textWidth(s, 10) - 2, Y(v) + 3.5, s, 10, area, 'tick', '#555', false);
    }
  }

  // The profile's step line for the metres in view, runs narrower than a
  // pixel drawn as one column from their lowest to their highest value.
  function drawChart(t, top, W) {
    const runs = S.profiles[t.id], Y = chartY(t, top);
    let d = '', col = null;
    function flush() {
      if (!col) return;
      d += (d ? 'L' : 'M') + col.x + ' ' + num(Y(col.first)) + 'V' + num(Y(col.lo)) + 'V' + num(Y(col.hi)) +
        'V' + num(Y(col.last));
      col = null;
    }
    const from = lowerBound(runs, view.m0, function (r) { return r[1]; });
    for (let k = from; k < runs.length && runs[k][0] <= view.m1; k++) {
      const r = runs[k];
      const xa = Math.max(X(r[0]), GUTTER - 1), xb = Math.min(X(r[1]), W - RIGHT + 1);
      if (xb - xa < 1) {
        const c = Math.floor(xa);
        if (col && col.x !== c) flush();
        if (!col) col = { x: c, lo: r[2], hi: r[2], first: r[2], last: r[2] };
        col.lo = Math.min(col.lo, r[2]); col.hi = Math.max(col.hi, r[2]); col.last = r[2];
        continue;
      }
      flush();
      d += (d ? 'L' : 'M') + num(xa) + ' ' + num(Y(r[2])) + 'H' + num(xb);
    }
    flush();
    out.push('<path d="' + d + '" fill="none" stroke="' + t.colour + '" stroke-width="1.6" pointer-events="none"/>');
  }

  function drawTracks(top, W) {
    drawAxis(top, W);
    let y = top + AXIS;
    const rows = [];
    tracks.forEach(function (t) {
      if (hidden[t.id]) return;
      rows.push({ t: t, top: y });
      y += t.h;
    });
    // A dashed line down the tracks at every station, behind them.
    if (!hidden.stazione) {
      itemsIn('stazione', view.m0, view.m1).forEach(function (s) {
        out.push('<line x1="' + num(X(s.p)) + '" y1="' + (top + AXIS) + '" x2="' + num(X(s.p)) + '" y2="' + y +
          '" stroke="#2a6f2a" stroke-opacity="0.22" stroke-dasharray="3,3" pointer-events="none"/>');
      });
    }
    rows.forEach(function (r) {
      const t = r.t;
      out.push('<line x1="6" y1="' + r.top + '" x2="' + (W - RIGHT) + '" y2="' + r.top + '" stroke="#eee"/>');
      label(6, r.top + 13, t.title, 11, [0, r.top, GUTTER - 2, r.top + t.h], 'ttl', t.colour, true);
      if (t.profile) drawChartFrame(t, r.top, W);
      out.push('<g clip-path="url(#plot)">');
      if (t.profile) drawChart(t, r.top, W); else drawItemTrack(t, r.top, W);
      out.push('</g>');
    });
    // The picked item's stretch as a band over every track.
    if (selected) {
      const a = Math.max(GUTTER, X(Math.min(selected.a, selected.w === undefined ? selected.a : selected.w)));
      const b = Math.min(W - RIGHT, X(selected.b));
      if (b >= GUTTER && a <= W - RIGHT) {
        rect(Math.min(a, b - 2), top + AXIS, Math.max(2, b - a), y - top - AXIS, '#ffc107',
          ' fill-opacity="0.18" pointer-events="none"');
      }
    }
    return { rows: rows, bottom: y };
  }

  // ---- The whole drawing, for the metres in view.

  function render() {
    pending = false;
    const W = Math.max(400, chart.clientWidth);
    const mapH = levels.length ? Math.max(200, Math.min(420, Math.round(window.innerHeight * 0.36))) : 0;
    out = [];
    placer = new Placer();
    frame = { W: W, mapH: mapH, PW: W - RIGHT - GUTTER, map: null, top: 0 };
    const top = mapH ? mapH + GAP : 4;
    frame.top = top;
    const total = tracks.reduce(function (h, t) { return h + (hidden[t.id] ? 0 : t.h); }, top + AXIS) + 8;
    out.push('<defs><clipPath id="plot">');
    rect(GUTTER - 12, top, W - GUTTER - RIGHT + 24, total - top, '#fff');
    out.push('</clipPath><clipPath id="mapclip">');
    rect(0, 0, W, mapH, '#fff');
    out.push('</clipPath></defs>');
    if (mapH) {
      out.push('<g clip-path="url(#mapclip)">');
      frame.map = drawMap(W, mapH);
      out.push('</g>');
    }
    frame.tracks = drawTracks(top, W);
    svg.setAttribute('width', W);
    svg.setAttribute('height', total);
    svg.setAttribute('viewBox', '0 0 ' + W + ' ' + total);
    svg.innerHTML = out.join('');
    out = [];
  }

  let pending = false;
  function schedule() {
    if (pending) return;
    pending = true;
    requestAnimationFrame(render);
  }

  function setView(m0, m1) {
    const fullSpan = full.m1 - full.m0;
    let span = Math.min(Math.max(m1 - m0, MIN_SPAN), fullSpan);
    let a = (m0 + m1) / 2 - span / 2;
    a = Math.max(full.m0, Math.min(full.m1 - span, a));
    view.m0 = a;
    view.m1 = a + span;
    schedule();
  }
  function zoomAt(m, factor) {
    const t = (m - view.m0) / (view.m1 - view.m0);
    const span = Math.min(Math.max((view.m1 - view.m0) * factor, MIN_SPAN), full.m1 - full.m0);
    setView(m - t * span, m - t * span + span);
  }
  function pan(dm) { setView(view.m0 + dm, view.m1 + dm); }
  function centre() { return (view.m0 + view.m1) / 2; }

  // ---- The pointer.

  // The route metre under a point of the drawing.
  function metreAt(x, y) {
    if (frame.map && y < frame.mapH) {
      const g = frame.map, L = g.level;
      let best = null, dist = Infinity;
      for (const c of L.chunks) {
        if (c.x1 < g.box[0] || c.x0 > g.box[2] || c.y1 < g.box[1] || c.y0 > g.box[3]) continue;
        for (let k = c.a; k <= c.b; k++) {
          const d = Math.hypot(g.px(L.x[k]) - x, g.py(L.y[k]) - y);
          if (d < dist) { dist = d; best = L.m[k]; }
        }
      }
      return best === null ? centre() : best;
    }
    return view.m0 + (x - GUTTER) / frame.PW * (view.m1 - view.m0);
  }
  function local(e) {
    const r = svg.getBoundingClientRect();
    return [e.clientX - r.left, e.clientY - r.top];
  }

  svg.addEventListener('wheel', function (e) {
    e.preventDefault();
    const p = local(e);
    zoomAt(metreAt(p[0], p[1]), e.deltaY < 0 ? 1 / 1.3 : 1.3);
  }, { passive: false });

  let drag = null;
  svg.addEventListener('pointerdown', function (e) {
    const p = local(e);
    // The element pressed: once the pointer is captured, later events come
    // to the drawing itself.
    drag = { x: p[0], y: p[1], moved: false, onMap: frame.map && p[1] < frame.mapH, target: e.target };
    try { svg.setPointerCapture(e.pointerId); } catch (err) { /* a pointer the browser does not track */ }
  });
  svg.addEventListener('pointermove', function (e) {
    const p = local(e);
    if (drag) {
      const dx = p[0] - drag.x;
      if (Math.abs(dx) > 2 || drag.moved) {
        drag.moved = true;
        svg.classList.add('dragging');
        tip.hidden = true;
        const perPx = drag.onMap ? 1 / frame.map.scale : (view.m1 - view.m0) / frame.PW;
        pan(-dx * perPx);
        drag.x = p[0];
      }
      return;
    }
    hover(e.target, e, p);
  });
  svg.addEventListener('pointerup', function (e) {
    svg.classList.remove('dragging');
    if (drag && !drag.moved) pick(drag.target, local(e));
    drag = null;
  });
  svg.addEventListener('pointerleave', function () { tip.hidden = true; });
  svg.addEventListener('dblclick', function (e) {
    const p = local(e);
    zoomAt(metreAt(p[0], p[1]), 1 / 2);
  });

  // What lies under the pointer at p, on the target: an item, or a profile's run.
  function under(target, p) {
    const el = target && target.closest ? target.closest('[data-i],[data-prof]') : null;
    if (!el) return null;
    if (el.hasAttribute('data-i')) return { item: S.items[+el.getAttribute('data-i')] };
    const id = el.getAttribute('data-prof'), runs = S.profiles[id], m = metreAt(p[0], p[1]);
    const k = lowerBound(runs, m, function (r) { return r[1]; });
    return k < runs.length ? { run: runs[k], id: id } : null;
  }

  function describe(u) {
    if (u.item) {
      const it = u.item;
      return { title: title(it), values: it.v, src: it.s };
    }
    const r = u.run, t = trackOf[u.id];
    return {
      title: u.id + ' ' + r[2] + ' from ' + fmtM(r[0]) + ' to ' + fmtM(r[1]) + ' m',
      values: [[t.title, String(r[2])]],
      src: r.length > 3 ? [r[3], r[4], r[5]] : null,
    };
  }

  // FILE:LINE of a row, the file's own name shown, its path as the title.
  function where(src) {
    if (!src) return '';
    const path = S.files[src[0]];
    return '<span title="' + esc(path) + '">' + esc(path.replace(/^.*[\\/]/, '') + ':' + src[1]) + '</span>';
  }

  function hover(target, e, p) {
    const u = under(target, p);
    if (!u) { tip.hidden = true; return; }
    const d = describe(u);
    const vals = d.values.slice(0, 14).map(function (v) { return esc(v[0]) + ' ' + esc(v[1]); }).join(', ');
    tip.innerHTML = '<b>' + esc(d.title) + '</b><br>' + vals + (d.src ? '<br><i>' + where(d.src) + '</i>' : '');
    tip.hidden = false;
    const w = tip.offsetWidth, h = tip.offsetHeight;
    tip.style.left = Math.min(e.clientX + 14, window.innerWidth - w - 4) + 'px';
    tip.style.top = Math.min(e.clientY + 14, window.innerHeight - h - 4) + 'px';
  }

  function pick(target, p) {
    const u = under(target, p);
    if (!u) return;
    if (u.item) selected = u.item;
    showInfo(describe(u));
    schedule();
  }

  function showInfo(d) {
    let h = '<h3>' + esc(d.title) + '</h3><dl>';
    d.values.forEach(function (v) { h += '<dt>' + esc(v[0]) + '</dt><dd>' + esc(v[1]) + '</dd>'; });
    h += '</dl>';
    if (d.src) h += '<div class="where">' + where(d.src) + '</div><div class="row">' + esc(d.src[2]) + '</div>';
    document.getElementById('info').innerHTML = h;
  }

  // ---- Keys, buttons, search, layers.

  document.addEventListener('keydown', function (e) {
    if (e.target && (e.target.tagName === 'INPUT')) return;
    const span = view.m1 - view.m0;
    if (e.key === '+' || e.key === '=') zoomAt(centre(), 1 / 1.5);
    else if (e.key === '-' || e.key === '_') zoomAt(centre(), 1.5);
    else if (e.key === 'ArrowLeft') pan(-span / 5);
    else if (e.key === 'ArrowRight') pan(span / 5);
    else if (e.key === '0' || e.key === 'Home') setView(full.m0, full.m1);
    else if (e.key === '/') { document.getElementById('search').focus(); }
    else return;
    e.preventDefault();
  });
  document.getElementById('zoom-in').addEventListener('click', function () { zoomAt(centre(), 1 / 1.5); });
  document.getElementById('zoom-out').addEventListener('click', function () { zoomAt(centre(), 1.5); });
  document.getElementById('zoom-all').addEventListener('click', function () { setView(full.m0, full.m1); });

  function findStation(text) {
    const q = text.trim().toLowerCase();
    if (!q) return null;
    return stations.find(function (s) { return (s.l || '').toLowerCase() === q; }) ||
      stations.find(function (s) { return (s.l || '').toLowerCase().indexOf(q) >= 0; }) || null;
  }
  function goToStation(s) {
    const half = Math.max(1500, (s.b - s.a) * 2);
    selected = s;
    showInfo(describe({ item: s }));
    setView(s.p - half, s.p + half);
  }
  const search = document.getElementById('search');
  function searchNow() {
    const s = findStation(search.value);
    search.style.background = s || !search.value ? '' : '#fdecea';
    if (s) goToStation(s);
  }
  search.addEventListener('change', searchNow);
  search.addEventListener('keydown', function (e) { if (e.key === 'Enter') searchNow(); });

  // ---- The parts around the drawing.

  function legendSymbol(t, filled) {
    const saved = out;
    out = [];
    if (t.profile) out.push('<line x1="1" y1="7" x2="17" y2="7" stroke="' + t.colour + '" stroke-width="2"/>');
    else mark(t.symbol, t.colour, 9, 7, t.symbol === 'bar' ? 7 : 4, filled);
    const s = '<svg width="18" height="14" aria-hidden="true">' + out.join('') + '</svg>';
    out = saved;
    return s;
  }

  function fillPage() {
    const name = (S.line || 'scenario') + (S.train ? ' \u2014 train ' + S.train : '');
    document.getElementById('title').textContent = name;
    let summary = 'route ' + (S.length / 1000).toFixed(1) + ' km';
    if (stations.length) summary += ', ' + stations.length + ' stations';
    if (S.files.length) {
      summary += ', from ' + S.files.map(function (f) { return f.replace(/^.*[\\/]/, ''); }).join(' and ');
    }
    document.getElementById('summary').textContent = summary;
    const list = document.getElementById('stations');
    stations.forEach(function (s) {
      const o = document.createElement('option');
      o.value = s.l || '';
      list.appendChild(o);
    });
    const legend = document.getElementById('legend');
    tracks.forEach(function (t) {
      const li = document.createElement('li');
      const stops = t.id === 'stazione' ? stations.some(function (s) { return s.x; }) : true;
      const passes = t.id === 'stazione' && stations.some(function (s) { return !s.x; });
      li.innerHTML = '<label><input type="checkbox" checked data-track="' + t.id + '"> ' +
        (stops ? legendSymbol(t, true) : '') + (passes ? legendSymbol(t, false) : '') + ' ' + esc(t.title) +
        (t.id === 'stazione' ? ' <small>(filled: the train stops)</small>' : '') + '</label>';
      legend.appendChild(li);
    });
    legend.addEventListener('change', function (e) {
      hidden[e.target.getAttribute('data-track')] = !e.target.checked;
      schedule();
    });
    const general = document.getElementById('general');
    S.general.forEach(function (v) {
      const tr = document.createElement('tr');
      tr.innerHTML = '<td>' + esc(v[0]) + '</td><td>' + esc(v[1]) + '</td>';
      general.appendChild(tr);
    });
    const diag = document.getElementById('diagnostics');
    S.diagnostics.forEach(function (d) {
      const li = document.createElement('li');
      li.textContent = d.text;
      if (d.m >= 0) {
        li.className = 'goes';
        li.title = 'Show ' + fmtM(d.m) + ' m';
        li.addEventListener('click', function () { setView(d.m - 1000, d.m + 1000); });
      }
      diag.appendChild(li);
    });
  }

  // ---- The page's own check, run when the address ends with #selftest:
  // every station drawn, no two labels overlapping at three zooms, the
  // pointer and the search working, no script error.

  function overlaps() {
    const boxes = [];
    svg.querySelectorAll('text').forEach(function (t) {
      const r = t.getBoundingClientRect();
      if (r.width > 0) boxes.push({ r: r, t: t.textContent });
    });
    const bad = [];
    for (let i = 0; i < boxes.length; i++) {
      for (let j = i + 1; j < boxes.length; j++) {
        const a = boxes[i].r, b = boxes[j].r;
        if (a.left < b.right - 0.5 && b.left < a.right - 0.5 && a.top < b.bottom - 0.5 && b.top < a.bottom - 0.5) {
          bad.push(boxes[i].t + ' / ' + boxes[j].t);
        }
      }
    }
    return { count: boxes.length, bad: bad };
  }

  function selftest(loadMs) {
    const notes = [];
    let ok = true;
    function fail(what) { ok = false; notes.push('FAIL ' + what); }
    render();
    const missing = stations.filter(function (s) {
      const onTrack = svg.querySelector('.st-mark[data-i="' + s.i + '"]');
      const onMap = !levels.length || svg.querySelector('.st-map[data-i="' + s.i + '"]');
      return !onTrack || !onMap;
    });
    if (missing.length) fail('stations not drawn: ' + missing.map(function (s) { return s.l; }).join(', '));
    const mid = stations.length ? stations[Math.floor(stations.length / 2)].p : (S.start + S.end) / 2;
    const eighth = (S.end - S.start) / 16;
    const zooms = [[full.m0, full.m1], [mid - eighth, mid + eighth], [mid - 60, mid + 60]];
    zooms.forEach(function (z, k) {
      setView(z[0], z[1]);
      render();
      const o = overlaps();
      const names = svg.querySelectorAll('.st-label,.st-name').length;
      notes.push('zoom ' + k + ': ' + o.count + ' labels, ' + names + ' station names');
      if (o.bad.length) fail('overlapping labels at zoom ' + k + ': ' + o.bad.slice(0, 5).join('; '));
      if (o.count === 0) fail('no label at zoom ' + k);
    });
    if (stations.length) {
      const last = stations[stations.length - 1];
      search.value = last.l;
      searchNow();
      render();
      const el = svg.querySelector('.st-mark[data-i="' + last.i + '"]');
      if (!el) fail('the search did not bring ' + last.l + ' into view');
      else {
        const r = el.getBoundingClientRect();
        const at = { bubbles: true, clientX: r.left + r.width / 2, clientY: r.top + r.height / 2 };
        el.dispatchEvent(new PointerEvent('pointermove', at));
        if (tip.hidden || tip.textContent.indexOf(last.l) < 0) fail('no values shown on hover over ' + last.l);
        tip.hidden = true;
      }
      const info = document.getElementById('info').textContent;
      if (info.indexOf('posizione') < 0) fail('no values shown for the station found');
      search.value = '';
    }
    // A press and release on an item keeps its values on the right, though
    // the release comes to the drawing itself.
    const sig = (byTrack.segnale || [])[0];
    if (sig) {
      setView(sig.p - 1000, sig.p + 1000);
      render();
      const el = svg.querySelector('[data-i="' + sig.i + '"]');
      const r = el.getBoundingClientRect();
      const at = { pointerId: 8, bubbles: true, clientX: r.left + r.width / 2, clientY: r.top + r.height / 2 };
      el.dispatchEvent(new PointerEvent('pointerdown', at));
      svg.dispatchEvent(new PointerEvent('pointerup', at));
      const info = document.getElementById('info').textContent;
      if (info.indexOf('segnale at ' + fmtM(sig.p) + ' m') < 0) fail('a click on a signal did not show it: ' + info);
    }
    selected = null;
    setView(full.m0, full.m1);
    render();
    // The wheel zooms in where it turns, a drag to the left moves on along
    // the line, the 0 key brings the whole line back.
    const box = svg.getBoundingClientRect();
    const px = box.left + GUTTER + frame.PW / 2, py = box.top + frame.top + AXIS + 10;
    const turn = { deltaY: -100, clientX: px, clientY: py, bubbles: true, cancelable: true };
    svg.dispatchEvent(new WheelEvent('wheel', turn));
    if (!(view.m1 - view.m0 < full.m1 - full.m0)) fail('the wheel did not zoom in');
    render();
    const before = view.m0;
    svg.dispatchEvent(new PointerEvent('pointerdown', { pointerId: 9, clientX: px, clientY: py, bubbles: true }));
    svg.dispatchEvent(new PointerEvent('pointermove', { pointerId: 9, clientX: px - 100, clientY: py, bubbles: true }));
    svg.dispatchEvent(new PointerEvent('pointerup', { pointerId: 9, clientX: px - 100, clientY: py, bubbles: true }));
    if (!(view.m0 > before)) fail('a drag did not move along the line');
    document.dispatchEvent(new KeyboardEvent('keydown', { key: '0', bubbles: true }));
    if (view.m0 !== full.m0 || view.m1 !== full.m1) fail('the 0 key did not show the whole line');
    render();
    if (errors.length) fail('script errors: ' + errors.join('; '));
    const result = document.getElementById('selftest');
    result.textContent = (ok ? 'PASS' : 'FAIL') + ' stations=' + stations.length + ' load_ms=' + Math.round(loadMs) +
      ' script_ms=' + Math.round(loadMs - started) +
      ' html_kb=' + Math.round(document.documentElement.outerHTML.length / 1024) + ' | ' + notes.join(' | ');
    result.setAttribute('data-result', ok ? 'PASS' : 'FAIL');
  }

  fillPage();
  // An address ending with #at=M0,M1 opens on those metres, one ending with
  // #find=NAME on that station.
  const at = /^#at=(-?\d+(?:\.\d+)?),(-?\d+(?:\.\d+)?)$/.exec(location.hash);
  if (at) setView(+at[1], +at[2]);
  const find = /^#find=(.+)$/.exec(location.hash);
  if (find) {
    // A malformed escape (%ZZ) is taken as written, not thrown.
    let name = find[1];
    try {
      name = decodeURIComponent(name);
    } catch (e) {
      // keep the name as it stands
    }
    search.value = name;
    searchNow();
  }
  render();
  const loadMs = performance.now();
  window.addEventListener('resize', schedule);
  if (location.hash === '#selftest') selftest(loadMs);
})();
