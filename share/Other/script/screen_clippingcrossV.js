// Opening the page: boxes on vertical bands cross each other, every other band
// drawing back upwards or downwards, and uncover it.
// The speed runs from 8 (slow) to 32 (fast); the colour is the one the page
// is covered with before it opens.
//   screen_clippingcrossV_initParam(speed, '#rrggbb')

function screen_clippingcrossV_initParam(speed, colour) {
  speed = parseInt(speed, 10);
  if (!(speed > 0))
    speed = 20;
  var duration = Math.round(30000 / speed);   // 1.5 s at the usual speed 20
  colour = colour ? String(colour) : '#808080';
  var root = document.documentElement;
  if (!root || !root.animate)
    return;
  var cover = document.createElement('div');
  cover.style.cssText = 'position:fixed; left:0; top:0; width:100%; height:100%; overflow:hidden; ' +
    'z-index:2147482000; pointer-events:none';
  var pieces = [];   // [element, keyframes, delay]
  function piece(style, keyframes, delay) {
    var element = document.createElement('div');
    element.style.cssText = 'position:absolute; ' + style;
    element.style.background = colour;
    cover.appendChild(element);
    pieces.push([element, keyframes, delay || 0]);
  }
  // Ten bands; the even ones leave downwards, the odd ones upwards.
  for (var band = 0; band < 10; band++) {
    var down = band % 2 === 0;
    piece("top:0; height:100%; left:" + band * 10 + "%; width:10.2%; transform-origin:50% " +
            (down ? "100%" : "0"),
          [{ transform: "scaleY(1)" }, { transform: "scaleY(0)" }]);
  }
  root.appendChild(cover);
  var longest = 0;
  for (var i = 0; i < pieces.length; i++) {
    pieces[i][0].animate(pieces[i][1], { duration: duration, delay: pieces[i][2], easing: 'ease-in-out',
                                         fill: 'both' });
    longest = Math.max(longest, pieces[i][2] + duration);
  }
  setTimeout(function () {
    if (cover.parentNode)
      cover.parentNode.removeChild(cover);
  }, longest + 50);
}
