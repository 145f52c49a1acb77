// For the tests: the rows of a table of cases in testdata/, the same files
// the C++ tests read. Blank lines and lines starting with # are left out;
// each row keeps its line number and its words. A table with no row is an
// error, so that a test over an emptied table fails rather than pass on
// nothing.
'use strict';
const fs = require('fs');
const path = require('path');

function readCases(name, folder) {
  const rows = [];
  const file = path.join(folder || path.join(__dirname, 'testdata'), name);
  fs.readFileSync(file, 'utf8').split('\n').forEach(function (text, k) {
    const words = text.trim().split(/\s+/);
    if (words[0] === '' || words[0].startsWith('#')) return;
    rows.push({ line: k + 1, words: words });
  });
  if (!rows.length) throw new Error(file + ': no cases in the table');
  return rows;
}

// Whether two numbers agree but for rounding in the last places.
function near(a, b) { return Math.abs(a - b) <= 1e-9 * Math.max(1, Math.abs(a), Math.abs(b)); }

module.exports = { readCases: readCases, near: near };
