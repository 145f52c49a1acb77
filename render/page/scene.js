// The scene's data prepared for drawing: the items by track, the tracks
// shown, the plan's levels and the charts' scales, made once for each scene
// the page gets. Plain functions, no page.
'use strict';

// The prepared scene of the data S.
function prepareScene(S) {
  const byTrack = itemsByTrack(S.items);
  const tracks = S.tracks.filter(function (t) {
    return t.profile ? (S.profiles[t.id] || []).length > 0 : (byTrack[t.id] || []).length > 0;
  }).concat(runTracks(S.run));
  const trackOf = {};
  S.tracks.forEach(function (t) { trackOf[t.id] = t; });
  const scales = {};
  tracks.forEach(function (t) {
    if (t.profile) scales[t.id] = t.run ? { lo: 0, hi: t.hi } : chartScale(t.id, S.profiles[t.id]);
  });
  const margin = 0.01 * Math.max(S.end - S.start, 100);
  return {
    S: S, lay: S.layout, byTrack: byTrack, reach: reaches(byTrack), tracks: tracks, trackOf: trackOf,
    stations: byTrack.stazione || [], levels: S.outline ? S.outline.levels.map(prepareLevel) : [], scales: scales,
    full: { m0: S.start - margin, m1: S.end + margin },
  };
}

// The item of the prepared scene that stands for it in another scene: of
// its kind, from the same row of the same file, else at the same metre.
function sameItem(sc, it) {
  if (!it) return null;
  const list = sc.byTrack[it.k] || [];
  const src = it.s;
  if (src) {
    const found = list.find(function (o) { return o.s && o.s[0] === src[0] && o.s[1] === src[1]; });
    if (found) return found;
  }
  return list.find(function (o) { return o.p === it.p; }) || null;
}

// The items drawn from the row at line `line` of file number f.
function itemsOfRow(sc, f, line) {
  return sc.S.items.filter(function (it) { return it.s && it.s[0] === f && it.s[1] === line; });
}

// The legend's entry of the marks on the axis, as the picture has it: a
// triangle in the errors' colour and its words, when some finding points
// along the route; else null.
function findingsKey(sc) {
  if (!sc.S.diagnostics.some(function (d) { return d.m >= 0; })) return null;
  return { symbol: 'triangle', colour: sc.lay.fault, title: sc.lay.faultKey };
}

if (typeof module !== 'undefined') module.exports = { prepareScene: prepareScene, sameItem: sameItem,
  itemsOfRow: itemsOfRow, findingsKey: findingsKey };
