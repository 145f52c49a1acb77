// The tracks under the map on one chainage axis: the kilometre axis, a row of
// marks and labels for every kind of item, a step chart for every profile, and
// the picked item's stretch as a band over them all. Each function takes the
// drawing under way (dc, see draw.js).
'use strict';

// The page x of a route metre.
function X(dc, m) { return dc.lay.gutter + (m - dc.view.m0) / (dc.view.m1 - dc.view.m0) * dc.PW; }

// The kilometre axis row at top: the line's own kilometres as its posts
// write them ("12+000"), each tick titled with its route metres. The marks
// of the route's end and of the errors go first, so that their labels win.
function drawAxis(dc, top, W) {
  const G = dc.lay.gutter, y = top + AXIS - 6;
  const step = niceStep((dc.view.m1 - dc.view.m0) / Math.max(2, (W - G - RIGHT) / 90));
  const area = [G - 30, top, W, top + AXIS];
  dc.out.push('<line x1="' + G + '" y1="' + y + '" x2="' + (W - RIGHT) + '" y2="' + y + '" stroke="#999"/>');
  label(dc, 6, y - 6, 'km of the line', dc.lay.font, [0, top, G, top + AXIS], 'axis', '#555', true);
  drawAxisMarks(dc, y, W, [G, top - GAP, W - RIGHT, top + AXIS]);
  chainageTicks(dc.S.chainage, dc.view.m0, dc.view.m1, step).forEach(function (tick) {
    const x = X(dc, tick[0]), t = postKm(tick[1]);
    dc.out.push('<g class="tick"><title>km ' + t + ', route ' + fmtM(tick[0]) + ' m</title>');
    dc.out.push('<line x1="' + num(x) + '" y1="' + y + '" x2="' + num(x) + '" y2="' + (y - 5) + '" stroke="#555"/>');
    label(dc, x - textWidth(dc, t, dc.lay.small) / 2 - 1, y - 8, t, dc.lay.small, area, 'axis km-label', '#555', false);
    dc.out.push('</g>');
  });
}

// The metres marked down the tracks: every error that points along the
// route (one beyond the drawing at its edge), then the route's end, in view.
function markedMetres(dc) {
  const S = dc.S, marks = [];
  S.diagnostics.forEach(function (d) {
    if (d.m < 0) return;
    marks.push({ m: Math.max(S.start, Math.min(S.end, d.m)), cls: 'fault', colour: dc.lay.fault, l: d.l, t: d.text });
  });
  marks.push({ m: S.length, cls: 'route-end', colour: dc.lay.end, l: S.routeEnd.l, t: S.routeEnd.t });
  return marks.filter(function (k) { return k.m >= dc.view.m0 && k.m <= dc.view.m1; });
}

// The marks on the axis at y: a triangle at an error, a square at the
// route's end, each with its title and its label: right of the mark, else
// left, else the same a row higher.
function drawAxisMarks(dc, y, W, area) {
  markedMetres(dc).forEach(function (k) {
    const x = X(dc, k.m), w = textWidth(dc, k.l, dc.lay.small, true) + 2;
    dc.out.push('<g class="' + k.cls + '"><title>' + esc(k.t) + '</title>');
    if (k.cls === 'fault') mark(dc, 'triangle', k.colour, x, y - 1, 5.5, true);
    else mark(dc, 'square', k.colour, x, y, 3.5, true);
    [y - 8, y - 19].some(function (row) {
      return [x + 3, x - w - 3].some(function (a) {
        return a + w <= W - RIGHT && label(dc, a, row, k.l, dc.lay.small, area, k.cls + '-label', k.colour, true);
      });
    });
    dc.out.push('</g>');
  });
}

// An item track: marks, stretches as bars, then labels by priority in its lanes.
function drawItemTrack(dc, t, top, W) {
  const G = dc.lay.gutter, centre = top + dc.lay.mark, area = [G, top, W - RIGHT, top + t.h];
  const items = itemsIn(dc.sc, t.id, dc.view.m0, dc.view.m1);
  const drawn = [];
  let lastX = -1e9, bar = null;
  // The pixels of a stretch, kept just inside the plot.
  function clampX(x) { return Math.max(G - 2, Math.min(W - RIGHT + 2, x)); }
  function flushBar() {
    if (!bar) return;
    const y = t.id === 'curva' ? centre + (bar.it.x > 0 ? -6 : 1) : centre - 3;
    rect(dc, bar.x0, y, Math.max(bar.x1 - bar.x0, 1.5), t.id === 'curva' ? 5 : 6, t.colour,
      ' data-i="' + bar.it.i + '"');
    bar = null;
  }
  items.forEach(function (it) {
    const xp = X(dc, it.p);
    if (t.id === 'stazione') {
      const a = clampX(X(dc, it.a)), b = clampX(X(dc, it.b));
      rect(dc, a, centre - 1.5, Math.max(b - a, 1), 3, t.colour, ' fill-opacity="0.35"');
      mark(dc, 'circle', t.colour, xp, centre, it.x ? 4.5 : 3.4, it.x || dc.selected === it,
        ' class="st-mark" data-i="' + it.i + '"');
      drawn.push(it);
      return;
    }
    if (t.symbol !== 'bar') {
      if (xp - lastX < 1.5) return;
      lastX = xp;
      mark(dc, t.symbol, t.colour, xp, centre, 3.5, true, ' data-i="' + it.i + '"');
      drawn.push(it);
      return;
    }
    if (it.w !== undefined && it.w < it.a) {
      const w = clampX(X(dc, it.w)), a = clampX(X(dc, it.a));
      rect(dc, w, centre - 2, Math.max(a - w, 1), 4, t.colour, ' fill-opacity="0.35" data-i="' + it.i + '"');
    }
    const x0 = clampX(X(dc, it.a)), x1 = clampX(X(dc, it.b));
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
    const w = textWidth(dc, it.l, dc.lay.font) + 2;
    let x = Math.max(X(dc, t.symbol === 'bar' ? it.a : it.p) - 2, G);
    if (x + w > W - RIGHT) x = W - RIGHT - w;
    for (let lane = 0; lane < t.lanes; lane++) {
      const y = top + dc.lay.lane0 + (lane + 1) * dc.lay.lane - 3;
      if (label(dc, x, y, it.l, dc.lay.font, area, 'item' + (t.id === 'stazione' ? ' st-label' : ''), '#222', false,
        ' data-i="' + it.i + '"')) break;
    }
  }
}

// Where a value stands in the chart: its highest value 4 pixels under the
// track's top, its lowest t.h - 8 pixels further down.
function chartY(dc, t, top) {
  const sc = dc.sc.scales[t.id], h = t.h - 8, y0 = top + 4;
  return function (v) { return y0 + (sc.hi - Math.max(sc.lo, Math.min(sc.hi, v))) / (sc.hi - sc.lo) * h; };
}

// The chart's frame, grid and value scale.
function drawChartFrame(dc, t, top, W) {
  const G = dc.lay.gutter, sc = dc.sc.scales[t.id], Y = chartY(dc, t, top);
  rect(dc, G, top + 4, W - RIGHT - G, t.h - 8, '#fafafa',
    ' stroke="#ccc"' + (t.run ? '' : ' class="hit" data-prof="' + t.id + '"'));
  const step = niceStep((sc.hi - sc.lo) / 3);
  for (let v = Math.ceil(sc.lo / step) * step; v <= sc.hi + 1e-9; v += step) {
    dc.out.push('<line x1="' + G + '" y1="' + num(Y(v)) + '" x2="' + (W - RIGHT) + '" y2="' + num(Y(v)) +
      '" stroke="' + (v === 0 ? '#999' : '#e4e4e4') + '" pointer-events="none"/>');
    const s = String(v + 0);
    const area = [0, top - 6, G, top + t.h + 6];
    label(dc, G - 5 - textWidth(dc, s, dc.lay.small) - 2, Y(v) + 3.5, s, dc.lay.small, area, 'tick', '#555', false);
  }
}

// The profile's step line for the metres in view, runs narrower than a
// pixel drawn as one column from their lowest to their highest value.
function drawChart(dc, t, top, W) {
  const G = dc.lay.gutter, runs = dc.S.profiles[t.id], Y = chartY(dc, t, top);
  let d = '', col = null;
  function flush() {
    if (!col) return;
    d += (d ? 'L' : 'M') + col.x + ' ' + num(Y(col.first)) + 'V' + num(Y(col.lo)) + 'V' + num(Y(col.hi)) +
      'V' + num(Y(col.last));
    col = null;
  }
  const from = lowerBound(runs, dc.view.m0, function (r) { return r[1]; });
  for (let k = from; k < runs.length && runs[k][0] <= dc.view.m1; k++) {
    const r = runs[k];
    const xa = Math.max(X(dc, r[0]), G - 1), xb = Math.min(X(dc, r[1]), W - RIGHT + 1);
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
  dc.out.push('<path class="chart-' + t.id + '" d="' + d + '" fill="none" stroke="' + t.colour +
    '" stroke-width="1.6" pointer-events="none"/>');
}

// The axis and every track shown from top down; returns the rows and the bottom.
function drawTracks(dc, top, W) {
  const G = dc.lay.gutter;
  drawAxis(dc, top, W);
  let y = top + AXIS;
  const rows = [];
  dc.sc.tracks.forEach(function (t) {
    if (dc.hidden[t.id]) return;
    rows.push({ t: t, top: y });
    y += t.h;
  });
  // A dashed line down the tracks at every station, behind them.
  if (!dc.hidden.stazione) {
    itemsIn(dc.sc, 'stazione', dc.view.m0, dc.view.m1).forEach(function (s) {
      dc.out.push('<line x1="' + num(X(dc, s.p)) + '" y1="' + (top + AXIS) + '" x2="' + num(X(dc, s.p)) + '" y2="' +
        y + '" stroke="#2a6f2a" stroke-opacity="0.22" stroke-dasharray="3,3" pointer-events="none"/>');
    });
  }
  rows.forEach(function (r) {
    const t = r.t;
    dc.out.push('<line x1="6" y1="' + r.top + '" x2="' + (W - RIGHT) + '" y2="' + r.top + '" stroke="#eee"/>');
    label(dc, 6, r.top + 13, t.title, dc.lay.font, [0, r.top, G - 2, r.top + t.h], 'ttl', t.colour, true);
    if (t.profile) drawChartFrame(dc, t, r.top, W);
    dc.out.push('<g clip-path="url(#plot)">');
    if (t.run) drawRun(dc, t, r.top);
    else if (t.profile) drawChart(dc, t, r.top, W);
    else drawItemTrack(dc, t, r.top, W);
    dc.out.push('</g>');
  });
  // The route's end and the errors as lines down the tracks, over them.
  markedMetres(dc).forEach(function (k) {
    dc.out.push('<line class="' + k.cls + '-line" x1="' + num(X(dc, k.m)) + '" y1="' + (top + AXIS) + '" x2="' +
      num(X(dc, k.m)) + '" y2="' + y + '" stroke="' + k.colour + '" stroke-width="1.5" stroke-dasharray="' +
      (k.cls === 'fault' ? '2,2' : '6,3') + '" pointer-events="none"/>');
  });
  // The picked item's stretch as a band over every track.
  const sel = dc.selected;
  if (sel) {
    const a = Math.max(G, X(dc, Math.min(sel.a, sel.w === undefined ? sel.a : sel.w)));
    const b = Math.min(W - RIGHT, X(dc, sel.b));
    if (b >= G && a <= W - RIGHT) {
      rect(dc, Math.min(a, b - 2), top + AXIS, Math.max(2, b - a), y - top - AXIS, '#ffc107',
        ' class="picked" fill-opacity="0.18" pointer-events="none"');
    }
  }
  return { rows: rows, bottom: y };
}
