// The live page: when the page was served with an event stream (the
// element #live names it), each scene the stream sends is drawn in place,
// keeping the metres in view, the tracks hidden and the item picked; the
// row under the author's cursor in the editor has its items picked. Each
// function takes the page's state (page.js).
'use strict';

// Draws the scene S in place of the page's.
function useScene(page, S) {
  const sc = prepareScene(S);
  const v = { m0: page.view.m0, m1: page.view.m1 };
  const wasWhole = v.m0 <= page.sc.full.m0 && v.m1 >= page.sc.full.m1;
  page.selected = sameItem(sc, page.selected);
  page.sc = sc;
  // The whole line stays the whole line when it grows or shrinks; else the
  // same metres, kept inside the line.
  if (wasWhole) placeView(page, sc.full.m0, sc.full.m1);
  else placeView(page, v.m0, v.m1);
  fillPage(page);
  if (page.selected) showInfo(page, describe(page, { item: page.selected }));
  render(page);
}

// Picks the items of the row under the editor's cursor, c = { f, line }, and
// brings the first into view at the same zoom when it is out of it.
function showCursor(page, c) {
  const items = c.f >= 0 ? itemsOfRow(page.sc, c.f, c.line) : [];
  if (!items.length) return;
  const it = items[0];
  page.selected = it;
  showInfo(page, describe(page, { item: it }));
  const v = page.view, span = v.m1 - v.m0;
  if (it.b < v.m0 || it.a > v.m1) setView(page, it.p - span / 2, it.p + span / 2);
  else schedule(page);
}

// A note at the top of the page, or none.
function liveNote(text, trouble) {
  const el = document.getElementById('live-note');
  el.textContent = text;
  el.className = trouble ? 'trouble' : '';
  el.hidden = !text;
}

// Follows the stream the element names, if it names one.
function followLive(page, el) {
  if (!el || !el.getAttribute('data-events')) return;
  const source = new EventSource(el.getAttribute('data-events'));
  page.scenesDrawn = 0;
  source.addEventListener('scene', function (e) {
    liveNote('', false);
    useScene(page, JSON.parse(e.data));
    page.scenesDrawn += 1;
    // When the last scene was drawn, for whoever measures it.
    document.body.setAttribute('data-scenes', String(page.scenesDrawn));
    document.body.setAttribute('data-drawn-at', String(Date.now()));
  });
  source.addEventListener('cursor', function (e) { showCursor(page, JSON.parse(e.data)); });
  source.addEventListener('trouble', function (e) { liveNote(e.data, true); });
  source.addEventListener('error', function () {
    if (source.readyState !== EventSource.OPEN) liveNote('the server is not answering; trying again', true);
  });
  source.addEventListener('open', function () { liveNote('', false); });
}
