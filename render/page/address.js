// What the page's address asks for: "#at=M0,M1" opens on those metres,
// "#find=NAME" on that station. Plain functions, no page: the build puts
// them into the page's script, node loads them for the tests.
'use strict';

// The request of an address's fragment: { at: [m0, m1] }, { find: name } or
// {}. A name with a malformed escape (%ZZ) is taken as written, so that no
// address stops the page from starting.
function readAddress(hash) {
  const at = /^#at=(-?\d+(?:\.\d+)?),(-?\d+(?:\.\d+)?)$/.exec(hash);
  if (at) return { at: [+at[1], +at[2]] };
  const find = /^#find=(.+)$/.exec(hash);
  if (!find) return {};
  try {
    return { find: decodeURIComponent(find[1]) };
  } catch (e) {
    return { find: find[1] };
  }
}

if (typeof module !== 'undefined') module.exports = { readAddress: readAddress };
