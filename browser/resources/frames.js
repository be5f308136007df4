// Runs in every frame below the top document, in the program's own script world, and tells
// the program when the frame starts a document and when that document has loaded. The
// messages go out through the console, marked with a token the page cannot see; what the
// page controls (names, addresses) travels only as JSON data.
(function (token) {
  if (window === window.top)
    return;
  const say = (kind, extra) => {
    const message = Object.assign({ kind: kind, name: String(window.name), address: String(location.href) }, extra);
    console.debug(token + JSON.stringify(message));
  };
  say('navigate', {});
  window.addEventListener('load', () => {
    let height = -1;
    try {
      if (document.body)
        height = document.body.scrollHeight;
    } catch (e) {
    }
    say('complete', { height: height });
  });
})(TOKEN);
