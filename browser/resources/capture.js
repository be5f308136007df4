// Runs in the program's own script world of the top document while a capture walks the page,
// and makes the walked page show what a view as tall as the page would show:
// - a page whose document does not scroll, but an area or a frame inside it does, gets that
//   area as tall as its content, so that the document scrolls instead;
// - sticky elements stay at their place in the flow, and elements fixed to the window are
//   moved with every scroll so that they appear once, where a page-high window holds them;
// - each band reports whether what scrolling it into view started (images, requests, fonts)
//   has settled.
// Everything it changes it puts back in finish(). Reports go out through the console with a
// token the page cannot see. Nothing the page controls is turned into code. It runs with the
// program's sheet functions (placeSheet, removeSheet) in its scope.
(function (token, netEvent, scrollbarKey) {
  'use strict';
  if (window.__tessalyCapture)
    window.__tessalyCapture.finish();

  const say = (report) => console.debug(token + JSON.stringify(report));
  const topView = window;
  const topDocument = document;

  // Inline declarations the capture makes, each kept with what it replaced.
  const replaced = new Map();
  const setStyle = (element, property, value) => {
    let saved = replaced.get(element);
    if (!saved) {
      saved = new Map();
      replaced.set(element, saved);
    }
    if (!saved.has(property))
      saved.set(property, [element.style.getPropertyValue(property),
                           element.style.getPropertyPriority(property)]);
    element.style.setProperty(property, value, 'important');
  };
  const restoreStyles = () => {
    for (const [element, saved] of replaced) {
      for (const [property, [value, priority]] of saved) {
        if (value)
          element.style.setProperty(property, value, priority);
        else
          element.style.removeProperty(property);
      }
      if (element.getAttribute('style') === '')
        element.removeAttribute('style');
    }
    replaced.clear();
  };
  // The walk scrolls a window-high view, whose scroll bar would show in every band over the
  // page's right edge; a view as tall as the page has none. Hidden before anything is
  // measured, as the page lays out wider without it.
  const barless = [];
  const hideScrollbar = (doc) => {
    placeSheet(doc, scrollbarKey, ':root::-webkit-scrollbar { display: none !important; }');
    barless.push(doc);
  };
  hideScrollbar(topDocument);

  const styleOf = (element) => element.ownerDocument.defaultView.getComputedStyle(element);
  const frameDocument = (frame) => {
    try {
      const doc = frame.contentDocument;
      return doc && doc.documentElement ? doc : null;
    } catch (e) {
      return null;
    }
  };
  const scroller = (doc) => doc.scrollingElement || doc.documentElement;
  const overflows = (doc) => scroller(doc).scrollHeight - doc.defaultView.innerHeight > 1;
  const visibleArea = (rect) => {
    const width = Math.min(rect.right, topView.innerWidth) - Math.max(rect.left, 0);
    const height = Math.min(rect.bottom, topView.innerHeight) - Math.max(rect.top, 0);
    return width > 0 && height > 0 ? width * height : 0;
  };

  // Where the user had scrolled, given back at the end.
  const userScroll = [[topView, topView.scrollX, topView.scrollY]];
  topView.scrollTo({ left: 0, top: 0, behavior: 'instant' });

  // The page's main scrolling area, when the document itself does not scroll: the visible
  // element or frame whose content overflows and that covers the most of the window.
  const mainArea = () => {
    let best = null;
    const consider = (element, kind, inner) => {
      const area = visibleArea(element.getBoundingClientRect());
      if (area > 0 && (!best || area > best.area))
        best = { element, kind, inner, area };
    };
    for (const element of topDocument.body ? topDocument.body.querySelectorAll('*') : []) {
      if (element.scrollHeight - element.clientHeight <= 1)
        continue;
      const style = styleOf(element);
      if (!/auto|scroll|overlay/.test(style.overflowY) || style.visibility !== 'visible')
        continue;
      consider(element, 'element', null);
    }
    for (const frame of topDocument.querySelectorAll('iframe, frame')) {
      const inner = frameDocument(frame);
      if (inner && overflows(inner))
        consider(frame, frame.localName, inner);
    }
    return best;
  };

  // Lets an element and everything around it grow with its content, as in a window as tall
  // as the page; window-relative sizes elsewhere keep the window's height.
  const release = (element) => {
    const style = styleOf(element);
    if (style.position === 'fixed' || style.position === 'absolute') {
      setStyle(element, 'top', element.getBoundingClientRect().top -
               (style.position === 'fixed' || !element.offsetParent
                  ? 0 : element.offsetParent.getBoundingClientRect().top) + 'px');
      setStyle(element, 'bottom', 'auto');
      if (style.position === 'fixed')
        setStyle(element, 'position', 'absolute');
    }
    setStyle(element, 'height', 'auto');
    setStyle(element, 'max-height', 'none');
    setStyle(element, 'flex-basis', 'auto');
    setStyle(element, 'flex-shrink', '0');
    if (style.contain !== 'none')
      setStyle(element, 'contain', 'none');
    if (style.overflowY !== 'visible') {
      setStyle(element, 'overflow-y', 'visible');
      if (style.overflowX !== 'visible')
        setStyle(element, 'overflow-x', 'clip');
    }
  };

  const expand = (area) => {
    if (area.kind === 'element') {
      userScroll.push([area.element, area.element.scrollLeft, area.element.scrollTop]);
      area.element.scrollTop = 0;
    }
    const frameHeight = area.inner ? scroller(area.inner).scrollHeight : 0;
    for (let element = area.element; element; element = element.parentElement)
      release(element);
    if (area.inner)
      setStyle(area.element, 'height', frameHeight + 'px');
  };

  // What the walk scrolls: the top document, or a frame of a frame set that fills the window
  // (a frame set cannot grow with its frames).
  let target = { view: topView, doc: topDocument, frame: null };
  let kind = 'document';
  if (!overflows(topDocument)) {
    kind = 'none';
    const area = mainArea();
    if (area && area.kind !== 'frame') {
      expand(area);
      if (overflows(topDocument))
        kind = 'expanded';
    } else if (area) {
      const box = area.element.getBoundingClientRect();
      const fills = box.top <= 4 && box.left <= 4 && box.bottom >= topView.innerHeight - 4 &&
                    box.right >= topView.innerWidth - 4;
      if (fills) {
        kind = 'frame';
        target = { view: area.inner.defaultView, doc: area.inner, frame: area.element };
        userScroll.push([target.view, target.view.scrollX, target.view.scrollY]);
        target.view.scrollTo({ left: 0, top: 0, behavior: 'instant' });
        hideScrollbar(target.doc);
      }
    }
  }
  const view = target.view;
  const doc = target.doc;
  const frameTop = () => (target.frame ? target.frame.getBoundingClientRect().top + topView.scrollY : 0);

  // Sticky and fixed elements. A page-high window never scrolls, so nothing sticks there and
  // whatever is fixed to it stays where it was at the top of the page, or, held to the
  // window's bottom, at the page's end.
  const initialPosition = new Map(); // elements there at the start, by their position then
  const pinned = new Map();          // fixed elements moved with the scroll: their anchor
  const fixedToWindow = (element) => {
    for (let up = element.parentElement; up; up = up.parentElement) {
      const style = styleOf(up);
      if (style.position === 'fixed' || style.transform !== 'none' ||
          style.perspective !== 'none' || style.filter !== 'none' ||
          style.backdropFilter !== 'none' || /paint|layout|strict|content/.test(style.contain) ||
          /transform|perspective|filter/.test(style.willChange))
        return false;
    }
    return true;
  };
  const stickyToWindow = (element) => {
    for (let up = element.parentElement; up && up !== doc.body && up !== doc.documentElement;
         up = up.parentElement) {
      const style = styleOf(up);
      if (!/visible|clip/.test(style.overflowX) || !/visible|clip/.test(style.overflowY))
        return false;
    }
    return true;
  };
  const anchorOf = (element) => {
    const box = element.getBoundingClientRect();
    return { bottom: view.innerHeight - box.bottom < box.top, transform: styleOf(element).transform };
  };
  const unstick = (element) => {
    setStyle(element, 'position', 'relative');
    for (const side of ['top', 'right', 'bottom', 'left'])
      setStyle(element, side, 'auto');
  };
  // Finds what sticks or is fixed to the window among `elements`; says how many it changed.
  const scan = (elements, first) => {
    let found = 0;
    for (const element of elements) {
      const position = styleOf(element).position;
      if (first)
        initialPosition.set(element, position);
      if (position === 'sticky') {
        if (stickyToWindow(element)) {
          unstick(element);
          ++found;
        }
      } else if (position === 'fixed' && !pinned.has(element) && fixedToWindow(element)) {
        ++found;
        const before = initialPosition.get(element);
        if (before === 'sticky') {
          unstick(element);
        } else if (before !== undefined && before !== 'fixed') {
          // Made fixed by the page once it was scrolled: as it was at the top of the page.
          setStyle(element, 'position', before);
        } else {
          pinned.set(element, anchorOf(element));
          setStyle(element, 'transition', 'none');
        }
      }
    }
    return found;
  };
  // What the page changed since it was last looked at: only those parts are looked at again.
  const touched = new Set();
  const note = (records) => {
    for (const record of records) {
      if (record.type !== 'childList')
        touched.add(record.target);
      else
        for (const node of record.addedNodes)
          if (node.nodeType === Node.ELEMENT_NODE)
            touched.add(node);
    }
  };
  const watcher = new MutationObserver(note);
  watcher.observe(doc, { subtree: true, childList: true, attributes: true,
                         attributeFilter: ['class', 'style'] });
  // The capture's own changes need no second look.
  const own = () => watcher.takeRecords();
  const rescan = () => {
    note(watcher.takeRecords());
    const elements = new Set();
    for (const touchedRoot of touched) {
      if (!doc.body || !touchedRoot.isConnected)
        continue;
      // A change above the body (a class on the root element) reaches all of it.
      const root = touchedRoot.contains(doc.body) ? doc.body : touchedRoot;
      if (!doc.body.contains(root) || elements.has(root))
        continue;
      elements.add(root);
      for (const inner of root.querySelectorAll('*'))
        elements.add(inner);
    }
    touched.clear();
    return elements.size ? scan(elements, false) : 0;
  };
  // Moves what is fixed to the window to where the page-high window holds it, for the
  // current scroll position; says how many elements the page had changed into such since.
  const pin = () => {
    const found = rescan();
    const y = view.scrollY;
    const last = Math.max(0, scroller(doc).scrollHeight - view.innerHeight);
    for (const [element, anchor] of pinned) {
      const shift = anchor.bottom ? last - y : -y;
      setStyle(element, 'transform', 'translateY(' + shift + 'px)' +
               (anchor.transform === 'none' ? '' : ' ' + anchor.transform));
    }
    own();
    return found;
  };
  scan(doc.querySelectorAll('body, body *'), true);
  own();
  pin();

  // Requests the page's own scripts start, told by a listener the capture puts into the
  // page's world: only their beginning and end, by number, cross over.
  const open = new Map();
  const onRequest = (event) => {
    const [what, id] = String(event.detail).split(':');
    if (what === 'start')
      open.set(id, performance.now());
    else
      open.delete(id);
  };
  topDocument.addEventListener(netEvent, onRequest);

  // What scrolling a band into view started and has not finished: images in the window
  // still loading, requests begun since the scroll, fonts.
  let scrolledAt = performance.now();
  let serial = 0;
  const pendingIn = (withRequests) => {
    const pending = [];
    for (const image of doc.images) {
      if (image.complete || !(image.currentSrc || image.src))
        continue;
      const box = image.getBoundingClientRect();
      if (box.bottom >= 0 && box.top <= view.innerHeight && styleOf(image).display !== 'none')
        pending.push(image);
    }
    let requests = 0;
    if (withRequests)
      for (const started of open.values())
        if (started >= scrolledAt)
          ++requests;
    const fonts = doc.fonts && doc.fonts.status === 'loading';
    return { images: pending, requests, fonts, any: pending.length > 0 || requests > 0 || fonts };
  };
  const reportWhenSettled = async (withRequests, mine) => {
    const loaded = new Set();
    for (;;) {
      const now = pendingIn(withRequests);
      if (!now.any)
        break;
      const signs = now.images.map((image) => new Promise((done) => {
        loaded.add(image);
        image.addEventListener('load', done, { once: true });
        image.addEventListener('error', done, { once: true });
      }));
      if (now.requests)
        signs.push(new Promise((done) => topDocument.addEventListener(netEvent, done, { once: true })));
      if (now.fonts)
        signs.push(doc.fonts.ready);
      // Sources changed without an event reaching here are looked at again now and then.
      signs.push(new Promise((done) => setTimeout(done, 250)));
      await Promise.race(signs);
      if (mine !== serial)
        return;
    }
    await Promise.all([...loaded].map((image) => image.decode().catch(() => null)));
    if (mine === serial)
      say({ kind: 'settled', serial: mine });
  };

  const contentHeight = () => Math.max(scroller(doc).scrollHeight, view.innerHeight) + frameTop();

  window.__tessalyCapture = {
    // The height of the top document's body as a page-high view would have it: at least
    // as tall as the content.
    bodyHeight: () => Math.max(topDocument.body ? topDocument.body.scrollHeight : 0, contentHeight()),
    scrollTo: (y) => {
      view.scrollTo({ left: 0, top: y, behavior: 'instant' });
      scrolledAt = performance.now();
      ++serial;
      pin();
      return [view.scrollY, contentHeight()];
    },
    contentHeight,
    // 'quiet' when nothing in the band is still coming and the page changed nothing that
    // sticks or is fixed since the band was scrolled to; otherwise a 'settled' report with
    // this number follows once it has come.
    settle: (withRequests) => {
      const mine = ++serial;
      const changed = pin() > 0;
      if (!changed && !pendingIn(withRequests).any)
        return ['quiet', mine];
      reportWhenSettled(withRequests, mine);
      return ['waiting', mine];
    },
    finish: () => {
      ++serial;
      watcher.disconnect();
      topDocument.removeEventListener(netEvent, onRequest);
      restoreStyles();
      for (const barlessDoc of barless)
        removeSheet(barlessDoc, scrollbarKey);
      for (const [scrolled, x, y] of userScroll.reverse()) {
        if (scrolled.scrollTo)
          scrolled.scrollTo({ left: x, top: y, behavior: 'instant' });
      }
      delete window.__tessalyCapture;
      return true;
    },
  };
  return [kind, contentHeight()];
})
