// Scales and number formats of the page: round steps for axes and grids,
// metres and kilometres as people read them. Plain functions, no page: the
// build puts them into the page's script, node loads them for the tests.
'use strict';

// Metres rounded to whole ones, thousands set apart by a space: "-12 345".
function fmtM(m) {
  const s = String(Math.round(Math.abs(m))).replace(/\B(?=(\d{3})+(?!\d))/g, ' ');
  return (m < 0 ? '-' : '') + s;
}

// A coordinate with one decimal, as the drawing writes it.
function num(v) { return Math.round(v * 10) / 10; }

// The round step (1, 2 or 5 times a power of ten) at or above raw.
function niceStep(raw) {
  const p = Math.pow(10, Math.floor(Math.log10(Math.max(raw, 1e-9))));
  for (const f of [1, 2, 5, 10]) if (f * p >= raw) return f * p;
  return 10 * p;
}

// Metres as the train sheet prints a chainage: kilometres with a point and
// three decimals, "12.000", "-0.050".
function sheetKm(m) {
  const a = Math.round(Math.abs(m));
  return (m < 0 && a > 0 ? '-' : '') + Math.floor(a / 1000) + '.' + String(a % 1000).padStart(3, '0');
}

// Metres as a kilometre post writes them: "12+000", "-0+050".
function postKm(m) { return sheetKm(m).replace('.', '+'); }

// The ticks of a kilometre axis over the metres m0..m1: a tick at every round
// chainage of the step, as [route metre, chainage]. The chainage is the metre
// plus the scarto of the last stretch [da, scarto] at or before it, the metre
// itself before the first.
function chainageTicks(stretches, m0, m1, step) {
  const ticks = [];
  const bounds = [[-Infinity, 0]].concat(stretches);
  bounds.forEach(function (s, k) {
    const end = k + 1 < bounds.length ? bounds[k + 1][0] : Infinity;  // the next stretch's first metre
    const lo = Math.max(m0, s[0]), hi = Math.min(m1, end);
    if (lo > hi) return;
    for (let n = Math.ceil((lo + s[1]) / step); n * step - s[1] <= hi; n++) {
      const m = n * step - s[1];
      if (m < end) ticks.push([m, n * step]);
    }
  });
  return ticks;
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

if (typeof module !== 'undefined') module.exports = { fmtM: fmtM, num: num, niceStep: niceStep,
  sheetKm: sheetKm, postKm: postKm, chainageTicks: chainageTicks, chartScale: chartScale };
