// Table tests of the page's label placement; run by node --test.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { Placer, textBox, inside, byPriority } = require('./labels.js');
const { readCases, near } = require('./cases.js');

// The box measures the page's data carries (the scene's JSON "layout").
const LAY = { above: 0.95, below: 0.27 };

test('the placer and the boxes follow the shared table', function () {
  let placer = new Placer();
  for (const c of readCases('labels.txt')) {
    const w = c.words, n = w.slice(1).map(Number), where = 'labels.txt:' + c.line;
    if (w[0] === 'new') placer = new Placer();
    else if (w[0] === 'place') assert.strictEqual(placer.place(n.slice(0, 4)), w[5] === 'yes', where);
    else if (w[0] === 'take') placer.take(n.slice(0, 4));
    else if (w[0] === 'inside') assert.strictEqual(inside(n.slice(0, 4), n.slice(4, 8)), w[9] === 'yes', where);
    else if (w[0] === 'box') {
      const b = textBox(n[0], n[1], n[2], n[3], LAY);
      n.slice(4, 8).forEach(function (v, k) { assert.ok(near(b[k], v), where + ': ' + b.join(' ')); });
    } else assert.fail(where + ': unknown case ' + w[0]);
  }
});

test('free looks without taking', function () {
  const placer = new Placer();
  assert.strictEqual(placer.free([0, 0, 10, 10]), true);
  assert.strictEqual(placer.free([0, 0, 10, 10]), true);
  placer.take([0, 0, 10, 10]);
  assert.strictEqual(placer.free([5, 5, 15, 15]), false);
});

test('labels go by priority, then along the line', function () {
  const items = [{ r: 1, p: 300 }, { r: 5, p: 900 }, { r: 1, p: 100 }, { r: 5, p: 200 }];
  assert.deepStrictEqual(items.sort(byPriority), [{ r: 5, p: 200 }, { r: 5, p: 900 }, { r: 1, p: 100 },
    { r: 1, p: 300 }]);
});
