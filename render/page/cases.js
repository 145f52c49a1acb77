// For the tests: the rows of a table of cases in testdata/, the same files
// the C++ tests read. Blank lines and lines starting with # are left out;
// each row keeps its line number and its words.
'use strict';
const fs = require('fs');
const path = require('path');

function readCases(name) {
  const rows = [];
  fs.readFileSync(path.join(__dirname, 'testdata', name), 'utf8').split('\n').forEach(function (text, k) {
    const words = text.trim().split(/\s+/);
    if (words[0] === '' || words[0].startsWith('#')) return;
    rows.push({ line: k + 1, words: words });
  });
  return rows;
}

// Whether two numbers agree but for rounding in the last places.
function near(a, b) { return Math.abs(a - b) <= 1e-9 * Math.max(1, Math.abs(a), Math.abs(b)); }

module.exports = { readCases: readCases, near: near };
