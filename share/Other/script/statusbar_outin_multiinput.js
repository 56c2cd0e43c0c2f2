// Status-bar text: up to three parts slide in from the right one after the
// other and join into one sentence, which stands for a while before the
// parts come in again. Browsers that no longer show window.status get the
// text in a thin strip along the bottom of the window.
//   statusbar_outin_multiinput_initParam('part 1', 'part 2', 'part 3')

function statusbar_outin_multiinput_show(text) {
  var strip = document.getElementById('statusbar_strip');
  if (!strip) {
    if (!document.body)
      return;
    strip = document.createElement('div');
    strip.id = 'statusbar_strip';
    strip.style.cssText = 'position:fixed; left:0; right:0; bottom:0; z-index:2147483000; height:18px; ' +
      'padding:1px 6px; overflow:hidden; white-space:pre; font:12px/18px sans-serif; color:#000; ' +
      'background:#ece9d8; border-top:1px solid #aca899; pointer-events:none';
    document.body.appendChild(strip);
  }
  strip.textContent = text;
  try { window.status = text; } catch (e) {}
}

function statusbar_outin_multiinput_initParam(text1, text2, text3) {
  var parts = [];
  var all = [text1, text2, text3];
  for (var i = 0; i < all.length; i++) {
    if (all[i] !== undefined && all[i] !== null && String(all[i]) !== '')
      parts.push(String(all[i]));
  }
  if (window.statusbar_outin_multiinput_timer)
    clearInterval(window.statusbar_outin_multiinput_timer);
  if (parts.length === 0)
    return;
  var run = 40;          // blanks a part crosses before it joins the others
  var part = 0, gap = run, done = '', hold = 0;
  var advance = function () {
    if (hold > 0) {
      if (--hold === 0) {
        part = 0;
        gap = run;
        done = '';
      }
      return;
    }
    statusbar_outin_multiinput_show(done + new Array(gap + 1).join(' ') + parts[part]);
    if (gap > 0) {
      gap -= 2;
      if (gap < 0)
        gap = 0;
      return;
    }
    done += parts[part];
    part++;
    gap = run;
    if (part === parts.length)
      hold = 60;         // the whole sentence stands for three seconds
  };
  advance();
  window.statusbar_outin_multiinput_timer = setInterval(advance, 50);
}
