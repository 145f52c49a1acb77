// The scenario page: the map of the line and, under it on one chainage axis,
// a track for every kind of item and a chart for every profile, drawn into
// one SVG for the metres in view. Labels are placed by priority and a label
// that would overlap another is left out. Plain script, no library.
//
// The build joins the page's files in this order inside one function, this
// one last: scale.js, labels.js, data.js, address.js, draw.js, map.js,
// tracks.js, run.js, pointer.js, selftest.js, page.js. The others only define
// functions; this one holds the page's state and starts it.
'use strict';

const started = performance.now();
const errors = [];
window.addEventListener('error', function (e) { errors.push(String(e.message)); });

const S = JSON.parse(document.getElementById('scene').textContent);
// Measures the C++ side shares: gutter, label sizes and boxes, lanes, font.
const LAY = S.layout;
const GUTTER = LAY.gutter;  // left of the tracks: titles and scales
const RIGHT = 14;     // right margin of the tracks
const AXIS = 28;      // height of the kilometre axis row
const GAP = 10;       // between the map and the tracks
const MIN_SPAN = 20;  // metres across the tracks at the deepest zoom
const MAP_PAD = 30;   // around the stretch in view on the map
const END_COLOUR = LAY.end;      // the route's end
const FAULT_COLOUR = LAY.fault;  // an error where it points

const chart = document.getElementById('chart');
const svg = document.getElementById('view');
const tip = document.getElementById('tip');
const search = document.getElementById('search');
const measureCtx = document.createElement('canvas').getContext('2d');
const widths = new Map();  // text widths measured, by size and text

// ---- The data, prepared once.

const byTrack = itemsByTrack(S.items);
const reach = reaches(byTrack);
const tracks = S.tracks.filter(function (t) {
  return t.profile ? (S.profiles[t.id] || []).length > 0 : (byTrack[t.id] || []).length > 0;
}).concat(runTracks(S.run));
const trackOf = {};
S.tracks.forEach(function (t) { trackOf[t.id] = t; });
const stations = byTrack.stazione || [];
const hidden = {};
const levels = S.outline ? S.outline.levels.map(prepareLevel) : [];
const scales = {};
tracks.forEach(function (t) {
  if (t.profile) scales[t.id] = t.run ? { lo: 0, hi: t.hi } : chartScale(t.id, S.profiles[t.id]);
});

const margin = 0.01 * Math.max(S.end - S.start, 100);
const full = { m0: S.start - margin, m1: S.end + margin };
const view = { m0: full.m0, m1: full.m1 };
let selected = null;  // the item picked
let frame = null;     // the last drawing's geometry, for the pointer
let out = [];         // SVG pieces of the drawing under way
let placer = null;    // the labels' boxes of the drawing under way
let pending = false;  // a drawing is asked for the next frame

// The items of a track whose reach meets the metres m0..m1.
function itemsIn(k, m0, m1) {
  return itemsBetween(byTrack[k] || [], reach[k] || 0, m0, m1);
}

// An item's title for people, as the scene writes it: its kind, the
// kilometre the train sheet gives it, its route metres.
function title(it) { return it.t; }

// ---- The whole drawing, for the metres in view.

// The drawing for the metres in view, in place of the last one.
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

// A drawing at the next frame, one however often asked.
function schedule() {
  if (pending) return;
  pending = true;
  requestAnimationFrame(render);
}

// The metres in view, kept inside the line and no closer than MIN_SPAN.
function setView(m0, m1) {
  const fullSpan = full.m1 - full.m0;
  let span = Math.min(Math.max(m1 - m0, MIN_SPAN), fullSpan);
  let a = (m0 + m1) / 2 - span / 2;
  a = Math.max(full.m0, Math.min(full.m1 - span, a));
  view.m0 = a;
  view.m1 = a + span;
  schedule();
}

// Zooms by the factor, metre m staying where it is.
function zoomAt(m, factor) {
  const t = (m - view.m0) / (view.m1 - view.m0);
  const span = Math.min(Math.max((view.m1 - view.m0) * factor, MIN_SPAN), full.m1 - full.m0);
  setView(m - t * span, m - t * span + span);
}

// Moves the view by dm metres.
function pan(dm) { setView(view.m0 + dm, view.m1 + dm); }
// The metre in the middle of the view.
function centre() { return (view.m0 + view.m1) / 2; }

// ---- The parts around the drawing.

// A track's symbol for the legend, as a small SVG of its own.
function legendSymbol(t, filled) {
  const saved = out;
  out = [];
  if (t.profile) out.push('<line x1="1" y1="7" x2="17" y2="7" stroke="' + t.colour + '" stroke-width="2"/>');
  else mark(t.symbol, t.colour, 9, 7, t.symbol === 'bar' ? 7 : 4, filled);
  const s = '<svg width="18" height="14" aria-hidden="true">' + out.join('') + '</svg>';
  out = saved;
  return s;
}

// The title, the summary, the station list, the legend, the line's values and
// the diagnostics.
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

// ---- The start.

listenToPointer();
listenToKeys();
fillPage();
// An address ending with #at=M0,M1 opens on those metres, one ending with
// #find=NAME on that station.
const address = readAddress(location.hash);
if (address.at) setView(address.at[0], address.at[1]);
if (address.find !== undefined) {
  search.value = address.find;
  searchNow();
}
render();
const loadMs = performance.now();
window.addEventListener('resize', schedule);
if (location.hash === '#selftest') selftest(loadMs);
