// Table tests of the page's address; run by node --test.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { readAddress } = require('./address.js');

test('the address asks for metres, a station or nothing; no address throws', function () {
  const cases = [
    ['#at=35000,38000', { at: [35000, 38000] }],
    ['#at=-50.5,120', { at: [-50.5, 120] }],
    ['#find=Mulinara', { find: 'Mulinara' }],
    ['#find=Borgo%20Vallestre', { find: 'Borgo Vallestre' }],
    ['#find=Citt%C3%A0', { find: 'Citt\u00e0' }],
    // Malformed escapes are taken as written.
    ['#find=%ZZ', { find: '%ZZ' }],
    ['#find=50%', { find: '50%' }],
    ['#find=%E0%A4%A', { find: '%E0%A4%A' }],
    ['#find=', {}],
    ['#at=1', {}],
    ['#selftest', {}],
    ['', {}],
  ];
  for (const [hash, want] of cases) assert.deepStrictEqual(readAddress(hash), want, hash);
});
