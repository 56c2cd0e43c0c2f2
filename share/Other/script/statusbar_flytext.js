// Status-bar text: the characters of one text fly in from the right one after
// another, swoop up and down on their way and settle into the text at the
// right of the status bar. Browsers that no longer show window.status get the
// text in a thin strip along the bottom of the window, where the characters
// fly; the status bar gets the text as it is completed.
//   statusbar_flytext_initParam('text')

function statusbar_flytext_strip() {
  var strip = document.getElementById('statusbar_strip');
  if (!strip && document.body) {
    strip = document.createElement('div');
    strip.id = 'statusbar_strip';
    strip.style.cssText = 'position:fixed; left:0; right:0; bottom:0; z-index:2147483000; height:18px; ' +
      'overflow:hidden; white-space:pre; font:12px/18px sans-serif; color:#000; ' +
      'background:#ece9d8; border-top:1px solid #aca899; pointer-events:none';
    document.body.appendChild(strip);
  }
  return strip;
}

function statusbar_flytext_initParam(text) {
  if (window.statusbar_flytext_timer)
    clearInterval(window.statusbar_flytext_timer);
  var chars = Array.from(text === undefined || text === null ? '' : String(text));
  var strip = statusbar_flytext_strip();
  if (!strip || chars.length === 0)
    return;
  while (strip.firstChild)
    strip.removeChild(strip.firstChild);
  // Where each character ends: the text set right-aligned, measured once.
  var row = document.createElement('div');
  row.style.cssText = 'position:absolute; right:8px; top:0; visibility:hidden';
  strip.appendChild(row);
  var letters = [];
  for (var i = 0; i < chars.length; i++) {
    var span = document.createElement('span');
    span.textContent = chars[i];
    row.appendChild(span);
    letters.push(span);
  }
  var flying = [];
  for (var j = 0; j < chars.length; j++) {
    var letter = document.createElement('span');
    letter.textContent = chars[j];
    letter.style.cssText = 'position:absolute; top:0; left:0; visibility:hidden';
    strip.appendChild(letter);
    flying.push(letter);
  }
  var frames = 24, lag = 5, frame = 0, hold = 0;
  var total = (chars.length - 1) * lag + frames;
  window.statusbar_flytext_timer = setInterval(function () {
    if (hold > 0) {
      if (--hold === 0)
        frame = 0;
      return;
    }
    var width = strip.clientWidth;
    var settled = '';
    for (var k = 0; k < flying.length; k++) {
      var t = (frame - k * lag) / frames;
      if (t <= 0) {
        flying[k].style.visibility = 'hidden';
        continue;
      }
      if (t > 1)
        t = 1;
      var target = letters[k].offsetLeft + row.offsetLeft;
      var x = width + (target - width) * t;
      var y = Math.sin(t * Math.PI * 2) * 5 * (1 - t);
      flying[k].style.visibility = 'visible';
      flying[k].style.transform = 'translate(' + x + 'px,' + y + 'px)';
      if (t === 1)
        settled += chars[k];
    }
    try { window.status = settled; } catch (e) {}
    if (++frame > total)
      hold = 40;         // the whole text stands for three seconds
  }, 75);
}
