// Status-bar text: up to three texts typed one character at a time, as on a
// typewriter, each standing for a moment before the next is typed. Browsers
// that no longer show window.status get the text in a thin strip along the
// bottom of the window.
//   statusbar_typingtext_multiinput_initParam('text 1', 'text 2', 'text 3')

function statusbar_typingtext_multiinput_show(text) {
  var strip = document.getElementById('statusbar_strip');
  if (!strip) {
    if (!document.body)
      return;
    strip = document.createElement('div');
    strip.id = 'statusbar_strip';
    strip.style.cssText = 'position:fixed; left:0; right:0; bottom:0; z-index:2147483000; height:18px; ' +
      'padding:1px 6px; overflow:hidden; white-space:pre; font:12px/18px monospace; color:#000; ' +
      'background:#ece9d8; border-top:1px solid #aca899; pointer-events:none';
    document.body.appendChild(strip);
  }
  strip.textContent = text;
  try { window.status = text; } catch (e) {}
}

function statusbar_typingtext_multiinput_initParam(text1, text2, text3) {
  var texts = [];
  var all = [text1, text2, text3];
  for (var i = 0; i < all.length; i++) {
    if (all[i] !== undefined && all[i] !== null && String(all[i]) !== '')
      texts.push(Array.from(String(all[i])));   // whole characters, surrogate pairs kept
  }
  if (window.statusbar_typingtext_multiinput_timer)
    clearInterval(window.statusbar_typingtext_multiinput_timer);
  if (texts.length === 0)
    return;
  var text = 0, typed = 0, pause = 0;
  var advance = function () {
    if (pause > 0) {
      if (--pause === 0) {
        text = (text + 1) % texts.length;
        typed = 0;
      }
      return;
    }
    typed++;
    var shown = texts[text].slice(0, typed).join('');
    if (typed >= texts[text].length) {
      statusbar_typingtext_multiinput_show(shown);
      pause = 20;        // two seconds, then the next text
    } else {
      statusbar_typingtext_multiinput_show(shown + '_');
    }
  };
  advance();
  window.statusbar_typingtext_multiinput_timer = setInterval(advance, 100);
}
