// Balloons rise from the bottom of the window, swaying from side to side,
// for as long as the page is open.
//   screen_upzigzag_initParam('balloon1.gif', 'balloon2.gif', 'balloon3.gif')

function screen_upzigzag_initParam(picture1, picture2, picture3) {
  var pictures = [];
  for (var a = 0; a < arguments.length; a++) {
    if (arguments[a])
      pictures.push(String(arguments[a]));
  }
  if (window.screen_upzigzag_timer)
    clearInterval(window.screen_upzigzag_timer);
  var root = document.documentElement;
  if (pictures.length === 0 || !root)
    return;
  var layer = document.getElementById('screen_upzigzag_layer');
  if (!layer) {
    layer = document.createElement('div');
    layer.id = 'screen_upzigzag_layer';
    layer.style.cssText = 'position:fixed; left:0; top:0; width:100%; height:100%; overflow:hidden; ' +
      'z-index:2147481000; pointer-events:none';
    root.appendChild(layer);
  }
  while (layer.firstChild)
    layer.removeChild(layer.firstChild);
  var balloons = [];
  for (var i = 0; i < 8; i++) {
    var balloon = document.createElement("img");
    balloon.src = pictures[i % pictures.length];
    balloon.alt = "";
    balloon.style.cssText = "position:absolute; left:0; top:0";
    layer.appendChild(balloon);
    balloons.push({ element: balloon, x: Math.random(), y: 0.2 + Math.random(), rise: 0.002 + Math.random() * 0.003,
                    sway: 15 + Math.random() * 25, phase: Math.random() * 6.3 });
  }
  window.screen_upzigzag_timer = setInterval(function () {
    var width = layer.clientWidth, height = layer.clientHeight;
    for (var i = 0; i < balloons.length; i++) {
      var balloon = balloons[i];
      balloon.y -= balloon.rise;
      balloon.phase += 0.04;
      if (balloon.y < -0.2) {
        balloon.y = 1.05;
        balloon.x = Math.random();
      }
      var x = balloon.x * width + Math.sin(balloon.phase) * balloon.sway;
      balloon.element.style.transform = "translate(" + Math.round(x) + "px," + Math.round(balloon.y * height) + "px)";
    }
  }, 40);
}
