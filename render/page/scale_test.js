// Table tests of the page's scales and number formats; run by node --test.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { fmtM, num, niceStep, sheetKm, postKm, chainageTicks, chartScale } = require('./scale.js');
const { readCases, near } = require('./cases.js');

test('niceStep gives the round steps of the shared table', function () {
  for (const c of readCases('nice_steps.txt')) {
    const got = niceStep(Number(c.words[0]));
    assert.ok(near(got, Number(c.words[1])), 'nice_steps.txt:' + c.line + ': niceStep(' + c.words[0] + ') = ' + got);
  }
});

test('fmtM writes the metres of the shared table', function () {
  for (const c of readCases('metres.txt')) {
    assert.strictEqual(fmtM(Number(c.words[0])), c.words.slice(1).join(' '), 'metres.txt:' + c.line);
  }
});

test('fmtM rounds to whole metres', function () {
  const cases = [[1234.4, '1 234'], [1234.5, '1 235'], [-1234.5, '-1 235'], [999.6, '1 000'], [0.2, '0']];
  for (const [m, text] of cases) assert.strictEqual(fmtM(m), text, String(m));
});

test('num keeps one decimal', function () {
  const cases = [[0, 0], [1.25, 1.3], [-1.25, -1.2], [12.04, 12], [170.06, 170.1]];
  for (const [v, want] of cases) assert.strictEqual(num(v), want, String(v));
});

test('sheetKm and postKm write the kilometres of the shared table', function () {
  for (const c of readCases('kilometres.txt')) {
    const m = Number(c.words[0]);
    assert.strictEqual(sheetKm(m), c.words[1], 'kilometres.txt:' + c.line);
    assert.strictEqual(postKm(m), c.words[2], 'kilometres.txt:' + c.line);
  }
});

test('chainageTicks stands the ticks of the shared table', function () {
  for (const c of readCases('chainage_ticks.txt')) {
    const stretches = c.words[0] === '-' ? [] : c.words[0].split(',').map(function (s) { return s.split(':').map(Number); });
    const got = chainageTicks(stretches, Number(c.words[1]), Number(c.words[2]), Number(c.words[3]));
    const want = c.words.slice(4).map(function (t) { return t.split(':').map(Number); });
    assert.deepStrictEqual(got, want, 'chainage_ticks.txt:' + c.line);
  }
});

test('chartScale rounds the range around every value', function () {
  const cases = [
    ['pendenza', [[0, 100, 0]], -5, 5],
    ['pendenza', [[0, 100, 12], [100, 200, -3]], -15, 15],
    ['pendenza', [[0, 100, -14]], -15, 15],
    ['velocita', [[0, 100, 0]], 0, 20],
    ['velocita', [[0, 100, 80], [100, 200, 140]], 0, 160],
    ['velocita', [[0, 100, 139]], 0, 140],
    ['aderenza', [[0, 100, -25]], -40, 20],
  ];
  for (const [id, runs, lo, hi] of cases) assert.deepStrictEqual(chartScale(id, runs), { lo: lo, hi: hi }, JSON.stringify(runs));
});
