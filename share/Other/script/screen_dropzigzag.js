// Autumn leaves drift down over the page, swaying from side to side and
// turning as they fall, for as long as the page is open.
//   screen_dropzigzag_initParam('leaf1.gif', 'leaf2.gif', 'leaf3.gif', 'leaf4.gif')

function screen_dropzigzag_initParam(picture1, picture2, picture3, picture4) {
  var pictures = [];
  for (var a = 0; a < arguments.length; a++) {
    if (arguments[a])
      pictures.push(String(arguments[a]));
  }
  if (window.screen_dropzigzag_timer)
    clearInterval(window.screen_dropzigzag_timer);
  var root = document.documentElement;
  if (pictures.length === 0 || !root)
    return;
  var layer = document.getElementById('screen_dropzigzag_layer');
  if (!layer) {
    layer = document.createElement('div');
    layer.id = 'screen_dropzigzag_layer';
    layer.style.cssText = 'position:fixed; left:0; top:0; width:100%; height:100%; overflow:hidden; ' +
      'z-index:2147481000; pointer-events:none';
    root.appendChild(layer);
  }
  while (layer.firstChild)
    layer.removeChild(layer.firstChild);
  var leaves = [];
  for (var i = 0; i < 12; i++) {
    var leaf = document.createElement("img");
    leaf.src = pictures[i % pictures.length];
    leaf.alt = "";
    leaf.style.cssText = "position:absolute; left:0; top:0";
    layer.appendChild(leaf);
    leaves.push({ element: leaf, x: Math.random(), y: Math.random() * 1.2 - 0.2, fall: 0.002 + Math.random() * 0.003,
                  sway: 20 + Math.random() * 30, phase: Math.random() * 6.3, turn: Math.random() * 360 });
  }
  window.screen_dropzigzag_timer = setInterval(function () {
    var width = layer.clientWidth, height = layer.clientHeight;
    for (var i = 0; i < leaves.length; i++) {
      var leaf = leaves[i];
      leaf.y += leaf.fall;
      leaf.phase += 0.05;
      leaf.turn += 2;
      if (leaf.y > 1.05) {
        leaf.y = -0.1;
        leaf.x = Math.random();
      }
      var x = leaf.x * width + Math.sin(leaf.phase) * leaf.sway;
      leaf.element.style.transform = "translate(" + Math.round(x) + "px," + Math.round(leaf.y * height) +
                                     "px) rotate(" + Math.round(leaf.turn) % 360 + "deg)";
    }
  }, 40);
}
