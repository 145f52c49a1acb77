// The pointer, the keys, the buttons and the station search: what the
// reader does to the drawing. The wheel zooms where it turns, a drag moves
// along the line, hover shows an item's values and a click keeps them. Each
// function takes the page's state (page.js).
'use strict';

// The route metre under a point of the drawing.
function metreAt(page, x, y) {
  const frame = page.frame, view = page.view;
  if (frame.map && y < frame.mapH) {
    const g = frame.map, L = g.level;
    let best = null, dist = Infinity;
    for (const c of L.chunks) {
      if (c.x1 < g.box[0] || c.x0 > g.box[2] || c.y1 < g.box[1] || c.y0 > g.box[3]) continue;
      for (let k = c.a; k <= c.b; k++) {
        const d = Math.hypot(g.px(L.x[k]) - x, g.py(L.y[k]) - y);
        if (d < dist) { dist = d; best = L.m[k]; }
      }
    }
    return best === null ? centre(page) : best;
  }
  return view.m0 + (x - page.sc.lay.gutter) / frame.PW * (view.m1 - view.m0);
}

// The point of the event on the drawing.
function local(page, e) {
  const r = page.svg.getBoundingClientRect();
  return [e.clientX - r.left, e.clientY - r.top];
}

// The pointer's listeners on the drawing.
function listenToPointer(page) {
  const svg = page.svg, tip = page.tip;
  svg.addEventListener('wheel', function (e) {
    e.preventDefault();
    const p = local(page, e);
    zoomAt(page, metreAt(page, p[0], p[1]), e.deltaY < 0 ? 1 / 1.3 : 1.3);
  }, { passive: false });

  let drag = null;
  svg.addEventListener('pointerdown', function (e) {
    const p = local(page, e), frame = page.frame;
    // The element pressed: once the pointer is captured, later events come
    // to the drawing itself.
    drag = { x: p[0], y: p[1], moved: false, onMap: frame.map && p[1] < frame.mapH, target: e.target };
    try { svg.setPointerCapture(e.pointerId); } catch (err) { /* a pointer the browser does not track */ }
  });
  svg.addEventListener('pointermove', function (e) {
    const p = local(page, e), frame = page.frame, view = page.view;
    if (drag) {
      const dx = p[0] - drag.x;
      if (Math.abs(dx) > 2 || drag.moved) {
        drag.moved = true;
        svg.classList.add('dragging');
        tip.hidden = true;
        const perPx = drag.onMap ? 1 / frame.map.scale : (view.m1 - view.m0) / frame.PW;
        pan(page, -dx * perPx);
        drag.x = p[0];
      }
      return;
    }
    hover(page, e.target, e, p);
  });
  svg.addEventListener('pointerup', function (e) {
    svg.classList.remove('dragging');
    if (drag && !drag.moved) pick(page, drag.target, local(page, e));
    drag = null;
  });
  svg.addEventListener('pointerleave', function () { tip.hidden = true; });
  svg.addEventListener('dblclick', function (e) {
    const p = local(page, e);
    zoomAt(page, metreAt(page, p[0], p[1]), 1 / 2);
  });
}

// What lies under the pointer at p, on the target: an item, or a profile's run.
function under(page, target, p) {
  const S = page.sc.S;
  const el = target && target.closest ? target.closest('[data-i],[data-prof]') : null;
  if (!el) return null;
  if (el.hasAttribute('data-i')) return { item: S.items[+el.getAttribute('data-i')] };
  const id = el.getAttribute('data-prof'), runs = S.profiles[id], m = metreAt(page, p[0], p[1]);
  const k = lowerBound(runs, m, function (r) { return r[1]; });
  return k < runs.length ? { run: runs[k], id: id } : null;
}

// A title, the values and the source row of what lies under the pointer.
function describe(page, u) {
  if (u.item) {
    const it = u.item;
    return { title: it.t, values: it.v, src: it.s };
  }
  const r = u.run, t = page.sc.trackOf[u.id];
  return {
    title: u.id + ' ' + r[2] + ' from ' + fmtM(r[0]) + ' to ' + fmtM(r[1]) + ' m',
    values: [[t.title, String(r[2])]],
    src: r.length > 3 ? [r[3], r[4], r[5]] : null,
  };
}

// FILE:LINE of a row, the file's own name shown, its path as the title.
function where(page, src) {
  if (!src) return '';
  const path = page.sc.S.files[src[0]];
  return '<span title="' + esc(path) + '">' + esc(path.replace(/^.*[\\/]/, '') + ':' + src[1]) + '</span>';
}

// The values of what lies under the pointer, in the tip beside it.
function hover(page, target, e, p) {
  const tip = page.tip, u = under(page, target, p);
  if (!u) { tip.hidden = true; return; }
  const d = describe(page, u);
  const vals = d.values.slice(0, 14).map(function (v) { return esc(v[0]) + ' ' + esc(v[1]); }).join(', ');
  tip.innerHTML = '<b>' + esc(d.title) + '</b><br>' + vals + (d.src ? '<br><i>' + where(page, d.src) + '</i>' : '');
  tip.hidden = false;
  const w = tip.offsetWidth, h = tip.offsetHeight;
  tip.style.left = Math.min(e.clientX + 14, window.innerWidth - w - 4) + 'px';
  tip.style.top = Math.min(e.clientY + 14, window.innerHeight - h - 4) + 'px';
}

// The values of what was clicked, kept on the right.
function pick(page, target, p) {
  const u = under(page, target, p);
  if (!u) return;
  if (u.item) page.selected = u.item;
  showInfo(page, describe(page, u));
  schedule(page);
}

// The values on the right.
function showInfo(page, d) {
  let h = '<h3>' + esc(d.title) + '</h3><dl>';
  d.values.forEach(function (v) { h += '<dt>' + esc(v[0]) + '</dt><dd>' + esc(v[1]) + '</dd>'; });
  h += '</dl>';
  if (d.src) h += '<div class="where">' + where(page, d.src) + '</div><div class="row">' + esc(d.src[2]) + '</div>';
  document.getElementById('info').innerHTML = h;
}

// The keys', the buttons' and the search's listeners.
function listenToKeys(page) {
  const search = page.search;
  function whole() { setView(page, page.sc.full.m0, page.sc.full.m1); }
  document.addEventListener('keydown', function (e) {
    if (e.target && (e.target.tagName === 'INPUT')) return;
    const span = page.view.m1 - page.view.m0;
    if (e.key === '+' || e.key === '=') zoomAt(page, centre(page), 1 / 1.5);
    else if (e.key === '-' || e.key === '_') zoomAt(page, centre(page), 1.5);
    else if (e.key === 'ArrowLeft') pan(page, -span / 5);
    else if (e.key === 'ArrowRight') pan(page, span / 5);
    else if (e.key === '0' || e.key === 'Home') whole();
    else if (e.key === '/') { document.getElementById('search').focus(); }
    else return;
    e.preventDefault();
  });
  document.getElementById('zoom-in').addEventListener('click', function () { zoomAt(page, centre(page), 1 / 1.5); });
  document.getElementById('zoom-out').addEventListener('click', function () { zoomAt(page, centre(page), 1.5); });
  document.getElementById('zoom-all').addEventListener('click', whole);
  search.addEventListener('change', function () { searchNow(page); });
  search.addEventListener('keydown', function (e) { if (e.key === 'Enter') searchNow(page); });
}

// The station named by the text, else the first whose name holds it.
function findStation(page, text) {
  const q = text.trim().toLowerCase(), stations = page.sc.stations;
  if (!q) return null;
  return stations.find(function (s) { return (s.l || '').toLowerCase() === q; }) ||
    stations.find(function (s) { return (s.l || '').toLowerCase().indexOf(q) >= 0; }) || null;
}

// The station picked and shown with the metres around it.
function goToStation(page, s) {
  const half = Math.max(1500, (s.b - s.a) * 2);
  page.selected = s;
  showInfo(page, describe(page, { item: s }));
  setView(page, s.p - half, s.p + half);
}

// The station of the search box, shown; the box turns red when none is found.
function searchNow(page) {
  const search = page.search, s = findStation(page, search.value);
  search.style.background = s || !search.value ? '' : '#fdecea';
  if (s) goToStation(page, s);
}
