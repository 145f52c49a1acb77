// The drawing modules draw from what they are given: loaded alone, with no
// page, no document and no window around them, they draw a small scene, and
// two drawings of two scenes share nothing. Run by node --test.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const fs = require('fs');
const path = require('path');
const vm = require('vm');

// The modules the drawing is made of, in the page's order, in a context of
// their own that holds nothing else.
function drawingModules() {
  const names = ['scale', 'labels', 'data', 'draw', 'map', 'tracks', 'run', 'scene'];
  const code = names.map(function (n) { return fs.readFileSync(path.join(__dirname, n + '.js'), 'utf8'); });
  const context = vm.createContext({});
  vm.runInContext(code.join('\n') + '\nthis.api = { prepareScene, newDrawing, drawTracks, drawMap, sameItem, ' +
    'itemsOfRow, findingsKey };', context);
  return context.api;
}

const LAYOUT = { mark: 14, lane0: 18, lane: 14, font: 11, small: 10, gutter: 120, family: 'sans-serif',
  above: 0.95, below: 0.27, end: '#6a1b9a', fault: '#c62828', faultKey: 'error or finding where it points' };
const TRACKS = [
  { id: 'stazione', title: 'stations', colour: '#2a6f2a', profile: false, symbol: 'circle', lanes: 2, h: 50 },
  { id: 'segnale', title: 'signals', colour: '#1565c0', profile: false, symbol: 'diamond', lanes: 1, h: 36 },
  { id: 'velocita', title: 'speed limit', colour: '#b03a2e', profile: true, symbol: 'bar', lanes: 0, h: 80 },
];

// A scene of a 3 km line: two stations and a signal, a speed profile, a
// straight plan, and the diagnostics given.
function scene(stationName, diagnostics) {
  return {
    line: 'PROVA', train: '1', length: 3000, start: 0, end: 3000, routeEnd: { l: 'end', t: 'end of the route' },
    chainage: [], files: ['PROVA_linea.txt', 'PROVA_1-.txt'], general: [], diagnostics: diagnostics,
    tracks: TRACKS, layout: LAYOUT,
    items: [
      { k: 'stazione', a: 400, b: 600, p: 500, l: stationName, r: 9, x: 1, t: 'stazione', v: [], s: [1, 4, 'row'] },
      { k: 'segnale', a: 1500, b: 1500, p: 1500, l: 'S1', r: 5, t: 'segnale', v: [], s: [1, 7, 'row'] },
      { k: 'stazione', a: 2600, b: 2800, p: 2700, l: 'Fine', r: 9, t: 'stazione', v: [], s: [1, 9, 'row'] },
    ],
    profiles: { velocita: [[0, 1500, 100, 0, 3, 'row'], [1500, 3000, 60, 0, 5, 'row']] },
    run: null,
    outline: { levels: [{ tol: 0, d: [0, 0, 0, 3000, 300000, 0] }] },
  };
}

// The SVG of a whole drawing of the scene, 900 pixels wide, every text 6
// pixels a letter.
function draw(api, S, state) {
  const sc = api.prepareScene(S);
  const st = state || { view: sc.full, hidden: {}, selected: null };
  const dc = api.newDrawing(sc, st, function (text, size) { return text.length * size * 0.6; }, 900);
  api.drawMap(dc, 900, 300);
  api.drawTracks(dc, 310, 900);
  return dc.out.join('');
}

test('the modules draw a scene with no page around them', function () {
  const api = drawingModules();
  const svg = draw(api, scene('Alpha', [{ text: 'error 16 here', m: 1500, l: 'error 16' }]));
  const cases = [
    ['both stations on the track', /class="st-mark" data-i="0"[\s\S]*class="st-mark" data-i="2"/],
    ['both stations on the map', /class="st-map" data-i="0"[\s\S]*class="st-map" data-i="2"/],
    ['the first station named', />Alpha<\/text>/],
    ['the signal marked', /data-i="1"/],
    ['the error marked on the axis', /<g class="fault"><title>error 16 here<\/title>/],
    ['the route end marked', /class="route-end-line"/],
    ['the speed chart drawn', /<path class="chart-velocita" d="M[^"]+H[^"]+"/],
  ];
  for (const [what, re] of cases) assert.match(svg, re, what);
});

test('a drawing takes its view, hidden tracks and pick from its state', function () {
  const api = drawingModules();
  const S = scene('Alpha', []);
  const sc = api.prepareScene(S);
  const near = draw(api, S, { view: { m0: 2500, m1: 2900 }, hidden: {}, selected: null });
  assert.doesNotMatch(near, /class="st-mark" data-i="0"/, 'a station out of view is not drawn');
  assert.match(near, /class="st-mark" data-i="2"/);
  const hidden = draw(api, S, { view: sc.full, hidden: { stazione: true }, selected: null });
  assert.doesNotMatch(hidden, /st-mark|st-map/, 'hidden stations');
  const picked = draw(api, S, { view: sc.full, hidden: {}, selected: sc.byTrack.segnale[0] });
  assert.match(picked, /class="picked"/);
  assert.doesNotMatch(draw(api, S), /class="picked"/);
});

test('a new scene finds the item picked and the items of a row', function () {
  const api = drawingModules();
  const before = api.prepareScene(scene('Alpha', []));
  const after = api.prepareScene(scene('Beta', []));
  const found = api.sameItem(after, before.byTrack.stazione[0]);
  assert.strictEqual(found.l, 'Beta', 'the station of the same row, renamed');
  assert.strictEqual(api.sameItem(after, null), null);
  assert.deepStrictEqual(api.itemsOfRow(after, 1, 7).map(function (it) { return it.l; }), ['S1']);
  assert.deepStrictEqual(api.itemsOfRow(after, 0, 7), []);
});

test('the legend has the errors\' mark only when a finding points along the route', function () {
  const api = drawingModules();
  const cases = [
    ['a finding at a metre', [{ text: 'e', m: 1500, l: 'e' }, { text: 'f', m: -1, l: '' }],
      { symbol: 'triangle', colour: LAYOUT.fault, title: LAYOUT.faultKey }],
    ['a finding with no metre', [{ text: 'f', m: -1, l: '' }], null],
    ['no finding', [], null],
  ];
  for (const [what, diagnostics, key] of cases) {
    // Through JSON: the object comes from the modules' own context.
    const got = api.findingsKey(api.prepareScene(scene('Alpha', diagnostics)));
    assert.deepStrictEqual(JSON.parse(JSON.stringify(got)), key, what);
  }
});
