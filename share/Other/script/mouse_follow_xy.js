// Mouse effect: a crosshair of two thin lines follows the pointer.
//   var mouse_VornaLinecolor = "255, 0, 0"
//   var mouse_TransparentImageSrc = "other/transparent.gif"
//   mouse_follow_xy_initParam()

// The crosshair: a horizontal and a vertical line through the pointer, in
// the colour of mouse_VornaLinecolor ("red, green, blue" in decimal) under
// the transparent picture mouse_TransparentImageSrc.
function mouse_follow_xy_crosshair() {
  if (window.mouse_follow_xy_lines || !document.body)
    return;
  var colour = '#000000';
  if (typeof mouse_VornaLinecolor !== 'undefined' &&
      /^\s*\d{1,3}\s*,\s*\d{1,3}\s*,\s*\d{1,3}\s*$/.test(String(mouse_VornaLinecolor)))
    colour = 'rgb(' + mouse_VornaLinecolor + ')';
  var lines = [];
  for (var i = 0; i < 2; i++) {
    var line = document.createElement('div');
    line.style.cssText = 'position:fixed; z-index:2147483100; pointer-events:none; visibility:hidden; ' +
      'overflow:hidden; ' + (i === 0 ? 'left:0; right:0; top:0; height:1px' : 'left:0; top:0; bottom:0; width:1px');
    line.style.backgroundColor = colour;
    if (typeof mouse_TransparentImageSrc !== 'undefined')
      line.style.backgroundImage = 'url("' + String(mouse_TransparentImageSrc).replace(/["\\]/g, '\\$&') + '")';
    document.body.appendChild(line);
    lines.push(line);
  }
  window.mouse_follow_xy_lines = lines;
  document.addEventListener('mousemove', function (event) {
    lines[0].style.top = event.clientY + 'px';
    lines[1].style.left = event.clientX + 'px';
    lines[0].style.visibility = lines[1].style.visibility = 'visible';
  });
}

function mouse_follow_xy_initParam() {
  mouse_follow_xy_crosshair();
}
