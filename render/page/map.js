// The map of the line: the plan's outline around the metres in view, the
// stretch in view drawn dark, montagna spans and slowdowns under it, small
// marks of signals and boards on it, kilometre ticks, stations with their
// names wherever they fit, and a scale bar. The drawing functions take the
// drawing under way (dc, see draw.js); the map's geometry (g) holds the
// plan's levels.
'use strict';

// The plan point at a route metre, between the finest level's points.
function pointAt(levels, m) {
  const L = levels[0];
  if (!L || m < L.m[0] || m > L.m[L.n - 1]) return null;
  let k = lowerBound(L.m, m, same);
  if (k === 0) return [L.x[0], L.y[0]];
  const t = (m - L.m[k - 1]) / (L.m[k] - L.m[k - 1]);
  return [L.x[k - 1] + t * (L.x[k] - L.x[k - 1]), L.y[k - 1] + t * (L.y[k] - L.y[k - 1])];
}

// The box of the track between two metres, on a level fine enough for it.
function boxBetween(levels, m0, m1) {
  let L = levels[0];
  for (const l of levels) if (l.tol <= (m1 - m0) / 400) L = l;
  const b = [Infinity, Infinity, -Infinity, -Infinity];
  function add(p) {
    if (!p) return;
    b[0] = Math.min(b[0], p[0]); b[1] = Math.min(b[1], p[1]);
    b[2] = Math.max(b[2], p[0]); b[3] = Math.max(b[3], p[1]);
  }
  add(pointAt(levels, Math.max(m0, L.m[0])));
  add(pointAt(levels, Math.min(m1, L.m[L.n - 1])));
  for (let k = lowerBound(L.m, m0, same); k < L.n && L.m[k] <= m1; k++) add([L.x[k], L.y[k]]);
  return b;
}

// How the plan around the metres in view stands on a map W by H pixels.
function mapGeometry(dc, W, H) {
  const levels = dc.sc.levels, b = boxBetween(levels, dc.view.m0, dc.view.m1);
  const bw = Math.max(b[2] - b[0], 1e-6), bh = Math.max(b[3] - b[1], 1e-6);
  // Never closer than twice the tracks' deepest zoom across.
  const scale = Math.min((W - 2 * MAP_PAD) / bw, (H - 2 * MAP_PAD) / bh, (W - 2 * MAP_PAD) / (2 * MIN_SPAN));
  const cx = (b[0] + b[2]) / 2, cy = (b[1] + b[3]) / 2;
  let L = levels[0];
  for (const l of levels) if (l.tol * scale <= 0.5) L = l;
  return {
    W: W, H: H, scale: scale, level: L, levels: levels,
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
  const p0 = pointAt(g.levels, m0), p1 = pointAt(g.levels, m1);
  if (!p0 || !p1) return '';
  let d = 'M' + num(g.px(p0[0])) + ' ' + num(g.py(p0[1]));
  for (let k = a; k <= b; k++) d += 'L' + num(g.px(L.x[k])) + ' ' + num(g.py(L.y[k]));
  return d + 'L' + num(g.px(p1[0])) + ' ' + num(g.py(p1[1]));
}

// The track's boxes every few pixels, so that labels keep off it.
function occupyTrack(dc, g) {
  const L = g.level, bx = g.box;
  for (const c of L.chunks) {
    if (c.x1 < bx[0] || c.x0 > bx[2] || c.y1 < bx[1] || c.y0 > bx[3]) continue;
    let px = g.px(L.x[c.a]), py = g.py(L.y[c.a]);
    for (let k = c.a + 1; k <= c.b; k++) {
      const x = g.px(L.x[k]), y = g.py(L.y[k]);
      const steps = Math.min(2000, Math.ceil(Math.hypot(x - px, y - py) / 4));
      for (let j = 1; j <= steps; j++) {
        const qx = px + (x - px) * j / steps, qy = py + (y - py) * j / steps;
        if (qx >= -4 && qx <= g.W + 4 && qy >= -4 && qy <= g.H + 4) dc.placer.take([qx - 2, qy - 2, qx + 2, qy + 2]);
      }
      px = x; py = y;
    }
  }
}

// The map pixel of a route metre, none when off the map.
function onMap(g, m) {
  const p = pointAt(g.levels, m);
  if (!p) return null;
  const x = g.px(p[0]), y = g.py(p[1]);
  return x >= -10 && x <= g.W + 10 && y >= -10 && y <= g.H + 10 ? [x, y] : null;
}

// The map W by H pixels; returns its geometry.
function drawMap(dc, W, H) {
  const g = mapGeometry(dc, W, H), sc = dc.sc, view = dc.view, hidden = dc.hidden;
  const area = [0, 0, W, H];
  const L = g.level;
  dc.out.push('<g class="map"><rect class="map-bg" width="' + W + '" height="' + H + '" fill="#f7f9f7"/>');
  const bar = scaleBar(dc, g, H);
  dc.out.push('<path d="' + pathBetween(g, 0, L.n - 1) + '" fill="none" stroke="#bbb" stroke-width="2"/>');
  // Montagna spans and slowdowns as broad strokes under the track.
  ['montagna', 'rallentamento'].forEach(function (k) {
    if (hidden[k]) return;
    itemsIn(sc, k, view.m0, view.m1).forEach(function (it) {
      dc.out.push('<path d="' + stretchPath(g, it.a, it.b) + '" fill="none" stroke="' + sc.trackOf[k].colour +
        '" stroke-opacity="' + (k === 'montagna' ? 0.35 : 0.7) + '" stroke-width="' + (k === 'montagna' ? 9 : 7) +
        '" data-i="' + it.i + '"/>');
    });
  });
  const a = lowerBound(L.m, view.m0, same);
  const b = lowerBound(L.m, view.m1, same);
  dc.out.push('<path d="' + pathBetween(g, Math.max(0, a - 1), Math.min(L.n - 1, b)) +
    '" fill="none" stroke="#333" stroke-width="3" stroke-linejoin="round"/>');
  occupyTrack(dc, g);
  // Small marks on the track; closer than two pixels, one is drawn.
  ['segnale', 'cartello', 'indicatore', 'abbattimento'].forEach(function (k) {
    if (hidden[k]) return;
    let last = null;
    itemsIn(sc, k, view.m0, view.m1).forEach(function (it) {
      const q = onMap(g, it.p);
      if (!q || (last && Math.abs(q[0] - last[0]) + Math.abs(q[1] - last[1]) < 2)) return;
      last = q;
      mark(dc, sc.trackOf[k].symbol, sc.trackOf[k].colour, q[0], q[1], 2.6, true, ' data-i="' + it.i + '"');
      dc.placer.take([q[0] - 3, q[1] - 3, q[0] + 3, q[1] + 3]);
    });
  });
  // Ticks of the line's kilometres, their labels wherever they fit.
  const step = niceStep((view.m1 - view.m0) / 6);
  const ticks = [];
  chainageTicks(dc.S.chainage, view.m0, view.m1, step).forEach(function (tick) {
    const q = onMap(g, tick[0]);
    if (!q) return;
    dc.out.push('<circle cx="' + num(q[0]) + '" cy="' + num(q[1]) + '" r="2.5" fill="#fff" stroke="#333"/>');
    ticks.push([q, 'km ' + postKm(tick[1])]);
  });
  const shown = hidden.stazione ? [] : sc.stations.filter(function (s) { return onMap(g, s.p); });
  shown.forEach(function (s) {
    const q = onMap(g, s.p);
    const sel = dc.selected === s;
    mark(dc, 'circle', sc.trackOf.stazione.colour, q[0], q[1], s.x ? 5 : 3.8, s.x || sel,
      ' class="st-map" data-i="' + s.i + '"');
    dc.placer.take([q[0] - 6, q[1] - 6, q[0] + 6, q[1] + 6]);
  });
  ticks.forEach(function (t) { nearLabel(dc, t[0], t[1], dc.lay.small, area, 'km', '#666', false); });
  shown.slice().sort(byPriority).forEach(function (s) {
    nearLabel(dc, onMap(g, s.p), s.l || '', dc.lay.font, area, 'st-name', '#1d4d1d', true, ' data-i="' + s.i + '"');
  });
  dc.out.push(bar, '</g>');
  return g;
}

// A label beside its point, on the first side and distance where it fits.
function nearLabel(dc, q, text, size, area, cls, fill, bold, data) {
  if (!text) return false;
  const w = textWidth(dc, text, size, bold) + 2;
  for (const d of [6, 13, 22]) {
    const e = d * 0.7, low = 0.35 * size;  // right and left, above and below, then the four corners
    const sides = [[d, low], [-d - w, low], [-w / 2, -d], [-w / 2, d + size],
      [e, -e], [e, e + size], [-e - w, -e], [-e - w, e + size]];
    for (const o of sides) {
      if (label(dc, q[0] + o[0], q[1] + o[1], text, size, area, cls, fill, bold, data)) return true;
    }
  }
  return false;
}

// A bar of a round length, about 110 pixels, with its length, in the map's
// lower left corner on a pale ground. Its box is taken before anything
// else, so no label covers it; it is drawn last, over the track.
function scaleBar(dc, g, H) {
  const metres = niceStep(110 / g.scale);
  const w = metres * g.scale, y = H - 12;
  const text = metres >= 1000 ? metres / 1000 + ' km' : metres + ' m';
  const box = [4, y - 16, 22 + w + textWidth(dc, text, dc.lay.small), H - 2];
  dc.placer.take(box);
  return drawnAside(dc, function () {
    rect(dc, box[0], box[1], box[2] - box[0], box[3] - box[1], '#f7f9f7', ' fill-opacity="0.85"');
    dc.out.push('<path d="M10 ' + (y - 4) + 'V' + y + 'H' + num(10 + w) + 'V' + (y - 4) +
    '" fill="none" stroke="#333" stroke-width="1.5"/>');
    dc.out.push('<text class="lbl scale" x="' + num(16 + w) + '" y="' + (y + 1) + '" font-size="' + dc.lay.small +
      '" fill="#333">' + esc(text) + '</text>');
  });
}

