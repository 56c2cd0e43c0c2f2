// Status-bar text: one text blinking at the left of the status bar. Browsers
// that no longer show window.status get the text in a thin strip along the
// bottom of the window.
//   statusbar_outin_initParam('text')

function statusbar_outin_show(text) {
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

function statusbar_outin_initParam(text) {
  if (window.statusbar_outin_timer)
    clearInterval(window.statusbar_outin_timer);
  text = text === undefined || text === null ? '' : String(text);
  var tick = 0;
  statusbar_outin_show(text);
  window.statusbar_outin_timer = setInterval(function () {
    tick = (tick + 1) % 6;
    statusbar_outin_show(tick < 4 ? text : '');   // 0.8 s shown, 0.4 s dark
  }, 200);
}
