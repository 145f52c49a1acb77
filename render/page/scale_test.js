// Table tests of the page's scales and number formats; run by node --test.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { fmtM, num, niceStep, kmText, chartScale } = require('./scale.js');
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

test('kmText gives the decimals a step needs', function () {
  const cases = [[0, 1000, '0'], [12000, 2000, '12'], [12500, 500, '12.5'], [12500, 100, '12.5'],
    [12340, 20, '12.34'], [12345, 5, '12.345'], [12345, 1, '12.345'], [-1500, 500, '-1.5']];
  for (const [m, step, text] of cases) assert.strictEqual(kmText(m, step), text, m + ' by ' + step);
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
