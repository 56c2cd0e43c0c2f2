// Opening the page: the page is covered with boxes that fly apart one by one and
// uncover it.
// The speed runs from 8 (slow) to 32 (fast); the colour is the one the page
// is covered with before it opens.
//   screen_clippingrect_initParam(speed, '#rrggbb')

function screen_clippingrect_initParam(speed, colour) {
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
  // Eight by six boxes, each leaving at its own moment in its own direction.
  for (var row = 0; row < 6; row++) {
    for (var column = 0; column < 8; column++) {
      var angle = Math.random() * Math.PI * 2;
      var away = "translate(" + Math.round(Math.cos(angle) * 60) + "px," + Math.round(Math.sin(angle) * 60) +
                 "px) scale(0)";
      piece("left:" + column * 12.5 + "%; top:" + row * (100 / 6) + "%; width:12.7%; height:" + (100 / 6 + 0.3) + "%",
            [{ transform: "translate(0,0) scale(1)" }, { transform: away }],
            Math.round(Math.random() * duration * 0.6));
    }
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
