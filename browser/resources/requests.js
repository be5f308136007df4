// Runs in the page's own script world while a capture prepares the page: tells the capture,
// by an event on the document, when a request of the page's scripts begins and ends. Only a
// number crosses over; the capture's world cannot be reached from here.
(function (name) {
  'use strict';
  const mark = Symbol.for(name);
  if (window[mark])
    return true;
  Object.defineProperty(window, mark, { value: true });
  let next = 0;
  const tell = (what, id) => document.dispatchEvent(new CustomEvent(name, { detail: what + ':' + id }));
  const fetchOriginal = window.fetch;
  if (typeof fetchOriginal === 'function') {
    window.fetch = function (...args) {
      const id = ++next;
      tell('start', id);
      let answer;
      try {
        answer = fetchOriginal.apply(this, args);
      } catch (e) {
        tell('end', id);
        throw e;
      }
      Promise.resolve(answer).then(() => tell('end', id), () => tell('end', id));
      return answer;
    };
  }
  const send = XMLHttpRequest.prototype.send;
  XMLHttpRequest.prototype.send = function (...args) {
    const id = ++next;
    tell('start', id);
    this.addEventListener('loadend', () => tell('end', id), { once: true });
    try {
      return send.apply(this, args);
    } catch (e) {
      tell('end', id);
      throw e;
    }
  };
  return true;
})
