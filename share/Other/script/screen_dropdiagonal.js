// Rain falls slantwise over the page for as long as it is open.
//   screen_dropdiagonal_initParam('drop.gif', 'drop.gif')

function screen_dropdiagonal_initParam(picture1, picture2) {
  var pictures = [];
  for (var a = 0; a < arguments.length; a++) {
    if (arguments[a])
      pictures.push(String(arguments[a]));
  }
  if (window.screen_dropdiagonal_timer)
    clearInterval(window.screen_dropdiagonal_timer);
  var root = document.documentElement;
  if (pictures.length === 0 || !root)
    return;
  var layer = document.getElementById('screen_dropdiagonal_layer');
  if (!layer) {
    layer = document.createElement('div');
    layer.id = 'screen_dropdiagonal_layer';
    layer.style.cssText = 'position:fixed; left:0; top:0; width:100%; height:100%; overflow:hidden; ' +
      'z-index:2147481000; pointer-events:none';
    root.appendChild(layer);
  }
  while (layer.firstChild)
    layer.removeChild(layer.firstChild);
  var drops = [];
  for (var i = 0; i < 40; i++) {
    var drop = document.createElement("img");
    drop.src = pictures[i % pictures.length];
    drop.alt = "";
    drop.style.cssText = "position:absolute; left:0; top:0";
    layer.appendChild(drop);
    drops.push({ element: drop, x: Math.random() * 1.3, y: Math.random() * 1.2 - 0.2, fall: 0.02 + Math.random() * 0.015 });
  }
  window.screen_dropdiagonal_timer = setInterval(function () {
    var width = layer.clientWidth, height = layer.clientHeight;
    for (var i = 0; i < drops.length; i++) {
      var drop = drops[i];
      drop.y += drop.fall;
      drop.x -= drop.fall * 0.3 * height / Math.max(width, 1);
      if (drop.y > 1.05) {
        drop.y = -0.05;
        drop.x = Math.random() * 1.3;
      }
      drop.element.style.transform = "translate(" + Math.round(drop.x * width) + "px," +
                                     Math.round(drop.y * height) + "px)";
    }
  }, 40);
}
