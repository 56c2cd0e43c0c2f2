// Browser effects on opening a page. Browsers no longer let a page move or
// resize their window, so the effects act on the page itself: it slides in
// from one of eight positions, opens behind blinds, shakes. Called in this
// order, each effect starts when the one before it has ended:
//   browser_move(position)   position 1 to 8: top left, top centre, top
//                            right, middle left, middle right, bottom left,
//                            bottom centre, bottom right
//   browser_blind(this.document)   covers the page with closed blinds
//   browser_timeout()              opens the blinds
//   browser_wow()                  shakes the page

var browser_readyAt = 0;       // when the effect running now ends (ms)
var browser_blinds = null;     // the blinds of browser_blind

// Runs the step once the effects before it have ended; returns when it will.
function browser_after(duration, step) {
  var now = Date.now();
  var start = Math.max(now, browser_readyAt);
  browser_readyAt = start + duration;
  setTimeout(step, start - now);
}

function browser_move(position) {
  var offsets = [[-1, -1], [0, -1], [1, -1], [-1, 0], [1, 0], [-1, 1], [0, 1], [1, 1]];
  var offset = offsets[parseInt(position, 10) - 1];
  var body = document.body;
  if (!offset || !body || !body.animate)
    return;
  var dx = offset[0] * window.innerWidth, dy = offset[1] * window.innerHeight;
  // The page waits outside the window until it moves in, without scroll
  // bars for the room it takes on its way.
  var root = document.documentElement, overflow = root.style.overflow;
  root.style.overflow = 'hidden';
  body.style.transform = 'translate(' + dx + 'px,' + dy + 'px)';
  browser_after(900, function () {
    body.style.transform = '';
    var moving = body.animate([{ transform: 'translate(' + dx + 'px,' + dy + 'px)' }, { transform: 'translate(0,0)' }],
                              { duration: 900, easing: 'ease-out' });
    moving.onfinish = function () {
      root.style.overflow = overflow;
    };
  });
}

function browser_blind(doc) {
  doc = doc && doc.documentElement ? doc : document;
  if (browser_blinds || !doc.documentElement)
    return;
  var colour = '#ffffff';
  if (doc.body) {
    var background = doc.defaultView.getComputedStyle(doc.body).backgroundColor;
    if (background && background !== 'transparent' && background !== 'rgba(0, 0, 0, 0)')
      colour = background;
  }
  browser_blinds = doc.createElement('div');
  browser_blinds.style.cssText = 'position:fixed; left:0; top:0; width:100%; height:100%; ' +
    'z-index:2147483001; pointer-events:none';
  for (var i = 0; i < 10; i++) {
    var slat = doc.createElement('div');
    slat.style.cssText = 'position:absolute; left:0; width:100%; top:' + i * 10 + '%; height:10.5%; ' +
      'background:' + colour + '; border-bottom:1px solid #c0c0c0; transform-origin:50% 0';
    browser_blinds.appendChild(slat);
  }
  // Beside BODY, so that a page sliding in does not carry its blinds along.
  doc.documentElement.appendChild(browser_blinds);
}

function browser_timeout() {
  if (!browser_blinds)
    return;
  var blinds = browser_blinds;
  browser_after(800, function () {
    var slats = blinds.children;
    for (var i = 0; i < slats.length; i++) {
      if (slats[i].animate)
        slats[i].animate([{ transform: 'scaleY(1)' }, { transform: 'scaleY(0)' }],
                         { duration: 800, easing: 'ease-in', fill: 'forwards' });
    }
    setTimeout(function () {
      if (blinds.parentNode)
        blinds.parentNode.removeChild(blinds);
      if (browser_blinds === blinds)
        browser_blinds = null;
    }, 820);
  });
}

function browser_wow() {
  var body = document.body;
  if (!body || !body.animate)
    return;
  browser_after(1000, function () {
    var frames = [];
    for (var i = 0; i <= 14; i++) {
      var size = 12 * (1 - i / 14);
      var x = i % 2 ? size : -size, y = i % 4 < 2 ? size / 2 : -size / 2;
      frames.push({ transform: 'translate(' + x + 'px,' + y + 'px)' });
    }
    frames.push({ transform: 'translate(0,0)' });
    body.animate(frames, { duration: 1000 });
  });
}
