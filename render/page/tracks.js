// The tracks under the map on one chainage axis: the kilometre axis, a row of
// marks and labels for every kind of item, a step chart for every profile, and
// the picked item's stretch as a band over them all.
'use strict';

// The page x of a route metre.
function X(m) { return GUTTER + (m - view.m0) / (view.m1 - view.m0) * (frame.PW); }

// The kilometre axis row at top: the line's own kilometres as its posts
// write them ("12+000"), each tick titled with its route metres. The marks
// of the route's end and of the errors go first, so that their labels win.
function drawAxis(top, W) {
  const y = top + AXIS - 6;
  const step = niceStep((view.m1 - view.m0) / Math.max(2, (W - GUTTER - RIGHT) / 90));
  const area = [GUTTER - 30, top, W, top + AXIS];
  out.push('<line x1="' + GUTTER + '" y1="' + y + '" x2="' + (W - RIGHT) + '" y2="' + y + '" stroke="#999"/>');
  label(6, y - 6, 'km of the line', LAY.font, [0, top, GUTTER, top + AXIS], 'axis', '#555', true);
  drawAxisMarks(y, W, [GUTTER, top - GAP, W - RIGHT, top + AXIS]);
  chainageTicks(S.chainage, view.m0, view.m1, step).forEach(function (tick) {
    const x = X(tick[0]), t = postKm(tick[1]);
    out.push('<g class="tick"><title>km ' + t + ', route ' + fmtM(tick[0]) + ' m</title>');
    out.push('<line x1="' + num(x) + '" y1="' + y + '" x2="' + num(x) + '" y2="' + (y - 5) + '" stroke="#555"/>');
    label(x - textWidth(t, LAY.small) / 2 - 1, y - 8, t, LAY.small, area, 'axis km-label', '#555', false);
    out.push('</g>');
  });
}

// The metres marked down the tracks: every error that points along the
// route (one beyond the drawing at its edge), then the route's end, in view.
function markedMetres() {
  const marks = [];
  S.diagnostics.forEach(function (d) {
    if (d.m < 0) return;
    marks.push({ m: Math.max(S.start, Math.min(S.end, d.m)), cls: 'fault', colour: FAULT_COLOUR, l: d.l, t: d.text });
  });
  marks.push({ m: S.length, cls: 'route-end', colour: END_COLOUR, l: S.routeEnd.l, t: S.routeEnd.t });
  return marks.filter(function (k) { return k.m >= view.m0 && k.m <= view.m1; });
}

// The marks on the axis at y: a triangle at an error, a square at the
// route's end, each with its title and its label: right of the mark, else
// left, else the same a row higher.
function drawAxisMarks(y, W, area) {
  markedMetres().forEach(function (k) {
    const x = X(k.m), w = textWidth(k.l, LAY.small, true) + 2;
    out.push('<g class="' + k.cls + '"><title>' + esc(k.t) + '</title>');
    if (k.cls === 'fault') mark('triangle', k.colour, x, y - 1, 5.5, true);
    else mark('square', k.colour, x, y, 3.5, true);
    [y - 8, y - 19].some(function (row) {
      return [x + 3, x - w - 3].some(function (a) {
        return a + w <= W - RIGHT && label(a, row, k.l, LAY.small, area, k.cls + '-label', k.colour, true);
      });
    });
    out.push('</g>');
  });
}

// An item track: marks, stretches as bars, then labels by priority in its lanes.
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
    ' stroke="#ccc"' + (t.run ? '' : ' class="hit" data-prof="' + t.id + '"'));
  const step = niceStep((sc.hi - sc.lo) / 3);
  for (let v = Math.ceil(sc.lo / step) * step; v <= sc.hi + 1e-9; v += step) {
    out.push('<line x1="' + GUTTER + '" y1="' + num(Y(v)) + '" x2="' + (W - RIGHT) + '" y2="' + num(Y(v)) +
      '" stroke="' + (v === 0 ? '#999' : '#e4e4e4') + '" pointer-events="none"/>');
    const s = String(v + 0);
    const area = [0, top - 6, GUTTER, top + t.h + 6];
    label(GUTTER - 5 - textWidth(s, LAY.small) - 2, Y(v) + 3.5, s, LAY.small, area, 'tick', '#555', false);
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

// The axis and every track shown from top down; returns the rows and the bottom.
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
    label(6, r.top + 13, t.title, LAY.font, [0, r.top, GUTTER - 2, r.top + t.h], 'ttl', t.colour, true);
    if (t.profile) drawChartFrame(t, r.top, W);
    out.push('<g clip-path="url(#plot)">');
    if (t.run) drawRun(t, r.top);
    else if (t.profile) drawChart(t, r.top, W);
    else drawItemTrack(t, r.top, W);
    out.push('</g>');
  });
  // The route's end and the errors as lines down the tracks, over them.
  markedMetres().forEach(function (k) {
    out.push('<line class="' + k.cls + '-line" x1="' + num(X(k.m)) + '" y1="' + (top + AXIS) + '" x2="' + num(X(k.m)) +
      '" y2="' + y + '" stroke="' + k.colour + '" stroke-width="1.5" stroke-dasharray="' +
      (k.cls === 'fault' ? '2,2' : '6,3') + '" pointer-events="none"/>');
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

