// Opening the page: the window shows the start colour, which turns into the
// end colour and then fades away to uncover the page.
// The speed runs from 24 (slow) to 96 (fast).
//   screen_fadeinout_initParam(speed, '#start', '#end')

function screen_fadeinout_initParam(speed, startColour, endColour) {
  speed = parseInt(speed, 10);
  if (!(speed > 0))
    speed = 60;
  var duration = Math.round(120000 / speed);   // 2 s at the usual speed 60
  var root = document.documentElement;
  if (!root || !root.animate)
    return;
  var cover = document.createElement('div');
  cover.style.cssText = 'position:fixed; left:0; top:0; width:100%; height:100%; z-index:2147482000; ' +
    'pointer-events:none';
  cover.style.background = startColour ? String(startColour) : '#808080';
  var from = cover.style.backgroundColor || '#808080';
  cover.style.background = endColour ? String(endColour) : '#ffffff';
  var to = cover.style.backgroundColor || '#ffffff';
  root.appendChild(cover);
  cover.animate([{ backgroundColor: from, opacity: 1 },
                 { backgroundColor: to, opacity: 1, offset: 0.5 },
                 { backgroundColor: to, opacity: 0 }],
                { duration: duration, easing: 'linear', fill: 'both' });
  setTimeout(function () {
    if (cover.parentNode)
      cover.parentNode.removeChild(cover);
  }, duration + 50);
}
