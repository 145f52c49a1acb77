// The page's own check, run when the address ends with #selftest: every
// station drawn, no two labels overlapping at three zooms, the pointer and
// the search working, no script error. The verdict goes into the page.
'use strict';

// The labels drawn and the pairs of them that overlap on screen.
function overlaps(svg) {
  const boxes = [];
  svg.querySelectorAll('text').forEach(function (t) {
    const r = t.getBoundingClientRect();
    if (r.width > 0) boxes.push({ r: r, t: t.textContent });
  });
  const bad = [];
  for (let i = 0; i < boxes.length; i++) {
    for (let j = i + 1; j < boxes.length; j++) {
      const a = boxes[i].r, b = boxes[j].r;
      if (a.left < b.right - 0.5 && b.left < a.right - 0.5 && a.top < b.bottom - 0.5 && b.top < a.bottom - 0.5) {
        bad.push(boxes[i].t + ' / ' + boxes[j].t);
      }
    }
  }
  return { count: boxes.length, bad: bad };
}

// Runs the checks and writes the verdict, with the times of loading.
function selftest(page, loadMs) {
  const svg = page.svg, tip = page.tip, search = page.search, sc = page.sc, S = sc.S, full = sc.full;
  const stations = sc.stations, view = page.view;
  const notes = [];
  let ok = true;
  function fail(what) { ok = false; notes.push('FAIL ' + what); }
  render(page);
  const missing = stations.filter(function (s) {
    const onTrack = svg.querySelector('.st-mark[data-i="' + s.i + '"]');
    const onMap = !sc.levels.length || svg.querySelector('.st-map[data-i="' + s.i + '"]');
    return !onTrack || !onMap;
  });
  if (missing.length) fail('stations not drawn: ' + missing.map(function (s) { return s.l; }).join(', '));
  // The run's tracks: the limit, the speed, the timetable and the run's time.
  if (S.run && S.run.cells.length) {
    ['run-limit', 'run-speed', 'run-timetable', 'run-time'].forEach(function (c) {
      const el = svg.querySelector('path.' + c);
      if (!el || (el.getAttribute('d') || '').indexOf('L') < 0) fail('the run\'s ' + c + ' line is not drawn');
    });
  }
  const mid = stations.length ? stations[Math.floor(stations.length / 2)].p : (S.start + S.end) / 2;
  const eighth = (S.end - S.start) / 16;
  const zooms = [[full.m0, full.m1], [mid - eighth, mid + eighth], [mid - 60, mid + 60]];
  zooms.forEach(function (z, k) {
    setView(page, z[0], z[1]);
    render(page);
    const o = overlaps(svg);
    const names = svg.querySelectorAll('.st-label,.st-name').length;
    notes.push('zoom ' + k + ': ' + o.count + ' labels, ' + names + ' station names');
    if (o.bad.length) fail('overlapping labels at zoom ' + k + ': ' + o.bad.slice(0, 5).join('; '));
    if (o.count === 0) fail('no label at zoom ' + k);
  });
  if (stations.length) {
    const last = stations[stations.length - 1];
    search.value = last.l;
    searchNow(page);
    render(page);
    const el = svg.querySelector('.st-mark[data-i="' + last.i + '"]');
    if (!el) fail('the search did not bring ' + last.l + ' into view');
    else {
      const r = el.getBoundingClientRect();
      const at = { bubbles: true, clientX: r.left + r.width / 2, clientY: r.top + r.height / 2 };
      el.dispatchEvent(new PointerEvent('pointermove', at));
      if (tip.hidden || tip.textContent.indexOf(last.l) < 0) fail('no values shown on hover over ' + last.l);
      tip.hidden = true;
    }
    const info = document.getElementById('info').textContent;
    if (info.indexOf('posizione') < 0) fail('no values shown for the station found');
    search.value = '';
  }
  // A press and release on an item keeps its values on the right, though
  // the release comes to the drawing itself.
  const sig = (sc.byTrack.segnale || [])[0];
  if (sig) {
    setView(page, sig.p - 1000, sig.p + 1000);
    render(page);
    const el = svg.querySelector('[data-i="' + sig.i + '"]');
    const r = el.getBoundingClientRect();
    const at = { pointerId: 8, bubbles: true, clientX: r.left + r.width / 2, clientY: r.top + r.height / 2 };
    el.dispatchEvent(new PointerEvent('pointerdown', at));
    svg.dispatchEvent(new PointerEvent('pointerup', at));
    const info = document.getElementById('info').textContent;
    if (info.indexOf('segnale at km ') < 0 || info.indexOf(', route ' + fmtM(sig.p) + ' m') < 0) {
      fail('a click on a signal did not show it with its kilometre and route metres: ' + info);
    }
  }
  page.selected = null;
  setView(page, full.m0, full.m1);
  render(page);
  // The wheel zooms in where it turns, a drag to the left moves on along
  // the line, the 0 key brings the whole line back.
  const box = svg.getBoundingClientRect();
  const px = box.left + sc.lay.gutter + page.frame.PW / 2, py = box.top + page.frame.top + AXIS + 10;
  const turn = { deltaY: -100, clientX: px, clientY: py, bubbles: true, cancelable: true };
  svg.dispatchEvent(new WheelEvent('wheel', turn));
  if (!(view.m1 - view.m0 < full.m1 - full.m0)) fail('the wheel did not zoom in');
  render(page);
  const before = view.m0;
  svg.dispatchEvent(new PointerEvent('pointerdown', { pointerId: 9, clientX: px, clientY: py, bubbles: true }));
  svg.dispatchEvent(new PointerEvent('pointermove', { pointerId: 9, clientX: px - 100, clientY: py, bubbles: true }));
  svg.dispatchEvent(new PointerEvent('pointerup', { pointerId: 9, clientX: px - 100, clientY: py, bubbles: true }));
  if (!(view.m0 > before)) fail('a drag did not move along the line');
  document.dispatchEvent(new KeyboardEvent('keydown', { key: '0', bubbles: true }));
  if (view.m0 !== full.m0 || view.m1 !== full.m1) fail('the 0 key did not show the whole line');
  render(page);
  // The whole line: the axis in the line's kilometres, the route's end and
  // every error that points along the route marked.
  const kms = Array.prototype.map.call(svg.querySelectorAll('.km-label'), function (t) { return t.textContent; });
  if (!kms.length) fail('no kilometre on the axis');
  const odd = kms.filter(function (t) { return !/^-?\d+\+\d{3}$/.test(t); });
  if (odd.length) fail('axis labels not in the line\'s kilometres: ' + odd.join(', '));
  notes.push('axis ' + kms.slice(0, 3).join(' '));
  if (!svg.querySelector('.route-end') || !svg.querySelector('.route-end-line')) fail('the route\'s end is not marked');
  const faults = S.diagnostics.filter(function (d) { return d.m >= 0; }).length;
  if (svg.querySelectorAll('g.fault').length !== faults) fail('not every error along the route is marked');
  if (faults) notes.push(faults + ' errors marked');
  // The legend names the errors' mark, in the picture's words, when there is one.
  const key = document.querySelector('#legend li.fault-key');
  if (Boolean(key) !== (faults > 0)) fail('the legend\'s entry for the errors\' mark ' + (key ? 'without one' : 'missing'));
  if (key && (key.textContent.trim() !== sc.lay.faultKey || !key.querySelector('svg path')))
    fail('the legend\'s entry for the errors\' mark: "' + key.textContent.trim() + '"');
  if (page.errors.length) fail('script errors: ' + page.errors.join('; '));
  const result = document.getElementById('selftest');
  result.textContent = (ok ? 'PASS' : 'FAIL') + ' stations=' + stations.length + ' load_ms=' + Math.round(loadMs) +
    ' script_ms=' + Math.round(loadMs - page.started) +
    ' html_kb=' + Math.round(document.documentElement.outerHTML.length / 1024) + ' | ' + notes.join(' | ');
  result.setAttribute('data-result', ok ? 'PASS' : 'FAIL');
}

