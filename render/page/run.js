// The default train's fastest run as two tracks under the profiles, on the
// same chainage axis: its speed under the speed limit, and its time beside
// the timetable's (minutes from the departure). The drawing functions take
// the drawing under way (dc, see draw.js).
'use strict';

const RUN_SPEED = '#1f5fa8', RUN_LIMIT = '#b03a2e', RUN_TIMETABLE = '#2a7a2a';

// The two run tracks, with their scales' tops; none when the scene has no run.
function runTracks(run) {
  if (!run || !run.cells.length) return [];
  let vmax = 0, tmax = 0;
  run.cells.forEach(function (c) {
    vmax = Math.max(vmax, c[1], c[2]);
    if (c[3] !== null) tmax = Math.max(tmax, c[3] / 60);
  });
  run.times.forEach(function (s) { if (s[3] !== null) tmax = Math.max(tmax, s[3] / 60); });
  return [
    { id: 'run-speed', title: 'speed, km/h', colour: RUN_SPEED, profile: true, run: true, h: 110, lanes: 0,
      hi: Math.ceil((vmax + 1) / 20) * 20 },
    { id: 'run-time', title: 'time, min', colour: RUN_SPEED, profile: true, run: true, h: 110, lanes: 0,
      hi: Math.ceil((tmax + 1) / 10) * 10 },
  ];
}

// The cells in view, with one on either side so that the line reaches the edges.
function runCellsInView(dc, cells) {
  const from = Math.max(0, lowerBound(cells, dc.view.m0, function (c) { return c[0]; }) - 1);
  let to = from;
  while (to < cells.length && cells[to][0] <= dc.view.m1) to++;
  return cells.slice(from, Math.min(cells.length, to + 1));
}

// A polyline through the points [metre, value], as a path of its own class.
function runPath(dc, points, Y, colour, cls, width) {
  let d = '';
  points.forEach(function (q) { d += (d ? 'L' : 'M') + num(X(dc, q[0])) + ' ' + num(Y(q[1])); });
  dc.out.push('<path class="' + cls + '" d="' + d + '" fill="none" stroke="' + colour + '" stroke-width="' + width +
    '" pointer-events="none"/>');
}

// One run track's lines: the limit's steps and the speed, or the timetable
// (a stop's dwell as a rise) and the run's time.
function drawRun(dc, t, top) {
  const Y = chartY(dc, t, top), cells = runCellsInView(dc, dc.S.run.cells);
  if (t.id === 'run-speed') {
    const steps = [];
    cells.forEach(function (c, k) {
      steps.push([c[0], c[1]]);
      if (k + 1 < cells.length) steps.push([cells[k + 1][0], c[1]]);
    });
    runPath(dc, steps, Y, RUN_LIMIT, 'run-limit', 1.2);
    runPath(dc, cells.map(function (c) { return [c[0], c[2]]; }), Y, RUN_SPEED, 'run-speed', 1.6);
    return;
  }
  const table = [];
  dc.S.run.times.forEach(function (s) {
    if (s[2] !== null) table.push([s[0], s[2] / 60]);
    if (s[3] !== null) table.push([s[0], s[3] / 60]);
  });
  runPath(dc, table, Y, RUN_TIMETABLE, 'run-timetable', 1.6);
  const reached = cells.filter(function (c) { return c[3] !== null; });
  runPath(dc, reached.map(function (c) { return [c[0], c[3] / 60]; }), Y, RUN_SPEED, 'run-time', 1.6);
}
