// The scenario page: the map of the line and, under it on one chainage axis,
// a track for every kind of item and a chart for every profile, drawn into
// one SVG for the metres in view. Labels are placed by priority and a label
// that would overlap another is left out. Plain script, no library.
//
// The build joins the page's files in this order inside one function, this
// one last: scale.js, labels.js, data.js, address.js, draw.js, map.js,
// tracks.js, run.js, scene.js, pointer.js, live.js, selftest.js, page.js. The
// others only define functions and constants, and take the page's state as
// arguments; this one holds that state (`page`) and starts it.
'use strict';

// ---- The whole drawing, for the metres in view.

// The drawing for the metres in view, in place of the last one.
function render(page) {
  page.pending = false;
  const sc = page.sc;
  const W = Math.max(400, page.chart.clientWidth);
  const mapH = sc.levels.length ? Math.max(200, Math.min(420, Math.round(window.innerHeight * 0.36))) : 0;
  const dc = newDrawing(sc, page, page.width, W);
  const frame = { W: W, mapH: mapH, PW: dc.PW, map: null, top: 0 };
  const top = mapH ? mapH + GAP : 4;
  frame.top = top;
  const total = sc.tracks.reduce(function (h, t) { return h + (page.hidden[t.id] ? 0 : t.h); }, top + AXIS) + 8;
  dc.out.push('<defs><clipPath id="plot">');
  rect(dc, sc.lay.gutter - 12, top, W - sc.lay.gutter - RIGHT + 24, total - top, '#fff');
  dc.out.push('</clipPath><clipPath id="mapclip">');
  rect(dc, 0, 0, W, mapH, '#fff');
  dc.out.push('</clipPath></defs>');
  if (mapH) {
    dc.out.push('<g clip-path="url(#mapclip)">');
    frame.map = drawMap(dc, W, mapH);
    dc.out.push('</g>');
  }
  frame.tracks = drawTracks(dc, top, W);
  page.svg.setAttribute('width', W);
  page.svg.setAttribute('height', total);
  page.svg.setAttribute('viewBox', '0 0 ' + W + ' ' + total);
  page.svg.innerHTML = dc.out.join('');
  // The metres drawn, for whoever looks at the page from outside.
  page.svg.setAttribute('data-view', num(dc.view.m0) + ',' + num(dc.view.m1));
  page.frame = frame;
}

// A drawing at the next frame, one however often asked.
function schedule(page) {
  if (page.pending) return;
  page.pending = true;
  requestAnimationFrame(function () { render(page); });
}

// Sets the metres in view, kept inside the line and no closer than MIN_SPAN.
function placeView(page, m0, m1) {
  const full = page.sc.full, fullSpan = full.m1 - full.m0;
  const span = Math.min(Math.max(m1 - m0, MIN_SPAN), fullSpan);
  let a = (m0 + m1) / 2 - span / 2;
  a = Math.max(full.m0, Math.min(full.m1 - span, a));
  page.view.m0 = a;
  page.view.m1 = a + span;
}

// The metres in view set, and drawn at the next frame.
function setView(page, m0, m1) {
  placeView(page, m0, m1);
  schedule(page);
}

// Zooms by the factor, metre m staying where it is.
function zoomAt(page, m, factor) {
  const v = page.view, full = page.sc.full;
  const t = (m - v.m0) / (v.m1 - v.m0);
  const span = Math.min(Math.max((v.m1 - v.m0) * factor, MIN_SPAN), full.m1 - full.m0);
  setView(page, m - t * span, m - t * span + span);
}

// Moves the view by dm metres.
function pan(page, dm) { setView(page, page.view.m0 + dm, page.view.m1 + dm); }
// The metre in the middle of the view.
function centre(page) { return (page.view.m0 + page.view.m1) / 2; }

// ---- The parts around the drawing.

// A track's symbol for the legend, as a small SVG of its own.
function legendSymbol(page, t, filled) {
  const dc = newDrawing(page.sc, page, page.width, 18);
  const s = drawnAside(dc, function () {
    if (t.profile) dc.out.push('<line x1="1" y1="7" x2="17" y2="7" stroke="' + t.colour + '" stroke-width="2"/>');
    else mark(dc, t.symbol, t.colour, 9, 7, t.symbol === 'bar' ? 7 : 4, filled);
  });
  return '<svg width="18" height="14" aria-hidden="true">' + s + '</svg>';
}

// The element of the id, emptied.
function emptied(id) {
  const el = document.getElementById(id);
  el.textContent = '';
  return el;
}

// The title, the summary, the station list, the legend, the line's values and
// the diagnostics, made anew for the page's scene.
function fillPage(page) {
  const S = page.sc.S, stations = page.sc.stations;
  const name = (S.line || 'scenario') + (S.train ? ' \u2014 train ' + S.train : '');
  document.getElementById('title').textContent = name;
  let summary = 'route ' + (S.length / 1000).toFixed(1) + ' km';
  if (stations.length) summary += ', ' + stations.length + ' stations';
  if (S.files.length) {
    summary += ', from ' + S.files.map(function (f) { return f.replace(/^.*[\\/]/, ''); }).join(' and ');
  }
  document.getElementById('summary').textContent = summary;
  const list = emptied('stations');
  stations.forEach(function (s) {
    const o = document.createElement('option');
    o.value = s.l || '';
    list.appendChild(o);
  });
  const legend = emptied('legend');
  page.sc.tracks.forEach(function (t) {
    const li = document.createElement('li');
    const stops = t.id === 'stazione' ? stations.some(function (s) { return s.x; }) : true;
    const passes = t.id === 'stazione' && stations.some(function (s) { return !s.x; });
    li.innerHTML = '<label><input type="checkbox"' + (page.hidden[t.id] ? '' : ' checked') + ' data-track="' + t.id +
      '"> ' + (stops ? legendSymbol(page, t, true) : '') + (passes ? legendSymbol(page, t, false) : '') + ' ' +
      esc(t.title) + (t.id === 'stazione' ? ' <small>(filled: the train stops)</small>' : '') + '</label>';
    legend.appendChild(li);
  });
  const key = findingsKey(page.sc);
  if (key) {
    const li = document.createElement('li');
    li.className = 'fault-key';
    li.innerHTML = legendSymbol(page, key, true) + ' ' + esc(key.title);
    legend.appendChild(li);
  }
  const general = emptied('general');
  S.general.forEach(function (v) {
    const tr = document.createElement('tr');
    tr.innerHTML = '<td>' + esc(v[0]) + '</td><td>' + esc(v[1]) + '</td>';
    general.appendChild(tr);
  });
  const diag = emptied('diagnostics');
  S.diagnostics.forEach(function (d) {
    const li = document.createElement('li');
    li.textContent = d.text;
    if (d.m >= 0) {
      li.className = 'goes';
      li.title = 'Show ' + fmtM(d.m) + ' m';
      li.addEventListener('click', function () { setView(page, d.m - 1000, d.m + 1000); });
    }
    diag.appendChild(li);
  });
}

// The text width measure of the page, each text measured once.
function measurer(lay) {
  const ctx = document.createElement('canvas').getContext('2d');
  const widths = new Map();
  return function (text, size, bold) {
    const key = (bold ? 'b' : '') + size + '|' + text;
    let w = widths.get(key);
    if (w === undefined) {
      ctx.font = (bold ? 'bold ' : '') + size + 'px ' + lay.family;
      w = ctx.measureText(text).width;
      widths.set(key, w);
    }
    return w;
  };
}

// ---- The start.

// The page's state: its elements, the prepared scene, the metres in view,
// the tracks hidden, the item picked and the last drawing's geometry.
function newPage(S, started, errors) {
  const sc = prepareScene(S);
  return {
    started: started, errors: errors,
    chart: document.getElementById('chart'), svg: document.getElementById('view'),
    tip: document.getElementById('tip'), search: document.getElementById('search'),
    sc: sc, view: { m0: sc.full.m0, m1: sc.full.m1 }, hidden: {}, selected: null, frame: null, pending: false,
    width: measurer(sc.lay),
  };
}

const started = performance.now();
const errors = [];
window.addEventListener('error', function (e) { errors.push(String(e.message)); });
const page = newPage(JSON.parse(document.getElementById('scene').textContent), started, errors);
listenToPointer(page);
listenToKeys(page);
document.getElementById('legend').addEventListener('change', function (e) {
  page.hidden[e.target.getAttribute('data-track')] = !e.target.checked;
  schedule(page);
});
fillPage(page);
// An address ending with #at=M0,M1 opens on those metres, one ending with
// #find=NAME on that station.
const address = readAddress(location.hash);
if (address.at) setView(page, address.at[0], address.at[1]);
if (address.find !== undefined) {
  page.search.value = address.find;
  searchNow(page);
}
render(page);
const loadMs = performance.now();
window.addEventListener('resize', function () { schedule(page); });
followLive(page, document.getElementById('live'));
if (location.hash === '#selftest') selftest(page, loadMs);
