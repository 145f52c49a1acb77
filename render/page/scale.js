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

// Kilometres at metre m with the decimals that a step of the axis needs.
function kmText(m, step) {
  const dec = Math.max(0, Math.min(3, -Math.floor(Math.log10(step / 1000) + 1e-9)));
  return (m / 1000).toFixed(dec);
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

if (typeof module !== 'undefined') module.exports = { fmtM: fmtM, num: num, niceStep: niceStep, kmText: kmText,
  chartScale: chartScale };
