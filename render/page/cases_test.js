// The tables' reader refuses a table with no case; run by node --test.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { readCases } = require('./cases.js');

test('a table with no case is an error, one with a case is read', function () {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'cases-'));
  try {
    const tables = [['empty.txt', ''], ['comments.txt', '# only a comment\n\n   \n'], ['one.txt', '# a\n1 2\n']];
    for (const [name, text] of tables) fs.writeFileSync(path.join(dir, name), text);
    assert.throws(function () { readCases('empty.txt', dir); }, /empty\.txt: no cases in the table/);
    assert.throws(function () { readCases('comments.txt', dir); }, /comments\.txt: no cases in the table/);
    assert.deepStrictEqual(readCases('one.txt', dir), [{ line: 2, words: ['1', '2'] }]);
  } finally {
    fs.rmSync(dir, { recursive: true, force: true });
  }
});
