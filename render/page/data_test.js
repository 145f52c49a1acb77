// Table tests of the page's data preparation and searches by metre; run by
// node --test.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { itemsByTrack, reaches, prepareLevel, same, lowerBound, itemsBetween } = require('./data.js');

test('lowerBound finds the first key not below the value', function () {
  const arr = [10, 20, 20, 30];
  const cases = [[5, 0], [10, 0], [15, 1], [20, 1], [25, 3], [30, 3], [31, 4]];
  for (const [v, want] of cases) assert.strictEqual(lowerBound(arr, v, same), want, String(v));
  assert.strictEqual(lowerBound([], 1, same), 0);
});

test('a level is summed from its steps and cut into chunks of 256 segments', function () {
  const L = prepareLevel({ tol: 2, d: [100, 0, 0, 10, 150, -200, 5, 50, 0] });
  assert.deepStrictEqual([L.n, Array.from(L.m), Array.from(L.x), Array.from(L.y)],
    [3, [100, 110, 115], [0, 1.5, 2], [0, -2, -2]]);
  assert.deepStrictEqual(L.chunks, [{ a: 0, b: 2, x0: 0, x1: 2, y0: -2, y1: 0 }]);
  const d = [];
  for (let k = 0; k < 600; k++) d.push(1, 100, 0);
  const chunks = prepareLevel({ tol: 0, d: d }).chunks;
  assert.deepStrictEqual(chunks.map(function (c) { return [c.a, c.b, c.x0, c.x1]; }),
    [[0, 256, 1, 257], [256, 512, 257, 513], [512, 599, 513, 600]]);
});

test('the items met by a stretch of metres, their warnings and ends included', function () {
  const items = [
    { k: 'segnale', a: 500, b: 500, p: 500 },
    { k: 'rallentamento', a: 1000, b: 1400, p: 1000, w: 700 },
    { k: 'segnale', a: 100, b: 100, p: 100 },
    { k: 'rallentamento', a: 3000, b: 3100, p: 3000 },
  ];
  const byTrack = itemsByTrack(items);
  assert.deepStrictEqual(byTrack.segnale.map(function (it) { return [it.p, it.i]; }), [[100, 2], [500, 0]]);
  const reach = reaches(byTrack);
  assert.deepStrictEqual(reach, { segnale: 0, rallentamento: 400 });
  const cases = [
    ['segnale', 0, 99, []], ['segnale', 100, 500, [100, 500]], ['segnale', 101, 499, []],
    ['rallentamento', 600, 699, []], ['rallentamento', 600, 700, [1000]], ['rallentamento', 1400, 2999, [1000]],
    ['rallentamento', 1401, 2999, []], ['rallentamento', 0, 5000, [1000, 3000]],
  ];
  for (const [k, m0, m1, want] of cases) {
    const got = itemsBetween(byTrack[k], reach[k], m0, m1).map(function (it) { return it.p; });
    assert.deepStrictEqual(got, want, k + ' ' + m0 + '..' + m1);
  }
});
