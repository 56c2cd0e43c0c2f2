// Status-bar text: one text that swells out of its middle, character by
// character to both sides, its letters spread wide at first and closing in.
// Browsers that no longer show window.status get the text in a thin strip
// along the bottom of the window.
//   statusbar_multiscroll_initParam('text')

function statusbar_multiscroll_show(text) {
  var strip = document.getElementById('statusbar_strip');
  if (!strip) {
    if (!document.body)
      return;
    strip = document.createElement('div');
    strip.id = 'statusbar_strip';
    strip.style.cssText = 'position:fixed; left:0; right:0; bottom:0; z-index:2147483000; height:18px; ' +
      'padding:1px 6px; overflow:hidden; white-space:pre; text-align:center; font:12px/18px sans-serif; ' +
      'color:#000; background:#ece9d8; border-top:1px solid #aca899; pointer-events:none';
    document.body.appendChild(strip);
  }
  strip.textContent = text;
  try { window.status = text; } catch (e) {}
}

function statusbar_multiscroll_initParam(text) {
  if (window.statusbar_multiscroll_timer)
    clearInterval(window.statusbar_multiscroll_timer);
  var chars = Array.from(text === undefined || text === null ? '' : String(text));
  if (chars.length === 0)
    return;
  var middle = Math.floor(chars.length / 2);
  var step = 0, spread = 4, hold = 0;
  var advance = function () {
    if (hold > 0) {
      if (--hold === 0) {
        step = 0;
        spread = 4;
      }
      return;
    }
    var from = Math.max(0, middle - step), to = Math.min(chars.length, middle + step + 1);
    var gap = new Array(spread + 1).join(' ');
    statusbar_multiscroll_show(chars.slice(from, to).join(gap));
    if (from > 0 || to < chars.length) {
      step++;
    } else if (spread > 0) {
      spread--;
    } else {
      hold = 30;         // the whole text stands for three seconds
    }
  };
  advance();
  window.statusbar_multiscroll_timer = setInterval(advance, 100);
}
