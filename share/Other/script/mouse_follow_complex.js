// Mouse effect: a crosshair of two thin lines follows the pointer, and
// pictures circle around it and follow it as a trail.
//   var mouse_VornaLinecolor = "255, 0, 0"
//   var mouse_TransparentImageSrc = "other/transparent.gif"
//   var mouse_Multi1 = "other/mouse_sun_trail1.gif" ... mouse_Multi6
//   var mouse_T1=new Array("other/mouse_sun_trail1.gif",38,35, ...)
//   mouse_follow_xy_initParam()
//   mouse_follwimage_init()

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

// The pointer pictures: mouse_T1 lists picture, width and height for each
// picture (mouse_Multi1 alone serves when it is missing). The pictures circle
// around the pointer; when it moves they follow it as a trail.
function mouse_follwimage_start() {
  if (window.mouse_follwimage_pictures || !document.body)
    return;
  var list = typeof mouse_T1 !== 'undefined' && mouse_T1 && mouse_T1.length ? mouse_T1 :
             typeof mouse_Multi1 !== 'undefined' ? [mouse_Multi1, 32, 32] : [];
  var pictures = [];
  for (var i = 0; i + 2 < list.length; i += 3) {
    var width = parseInt(list[i + 1], 10), height = parseInt(list[i + 2], 10);
    var picture = document.createElement('img');
    picture.src = String(list[i]);
    picture.alt = '';
    picture.style.cssText = 'position:fixed; left:0; top:0; z-index:2147483100; pointer-events:none; ' +
      'visibility:hidden';
    if (width > 0 && height > 0) {
      picture.width = width;
      picture.height = height;
    }
    document.body.appendChild(picture);
    pictures.push({ element: picture, x: 0, y: 0, width: width > 0 ? width : 32, height: height > 0 ? height : 32 });
  }
  window.mouse_follwimage_pictures = pictures;
  if (pictures.length === 0)
    return;
  var mouse = null, angle = 0;
  var radius = pictures.length > 1 ? 24 : 0;
  document.addEventListener('mousemove', function (event) {
    mouse = { x: event.clientX, y: event.clientY };
  });
  setInterval(function () {
    if (!mouse)
      return;
    angle += 0.08;
    for (var i = 0; i < pictures.length; i++) {
      var picture = pictures[i];
      var around = angle + i * 2 * Math.PI / pictures.length;
      var speed = 0.35 / (1 + i * 0.4);
      picture.x += (mouse.x + Math.cos(around) * radius - picture.x) * speed;
      picture.y += (mouse.y + Math.sin(around) * radius - picture.y) * speed;
      picture.element.style.transform = 'translate(' + Math.round(picture.x - picture.width / 2) + 'px,' +
        Math.round(picture.y - picture.height / 2) + 'px)';
      picture.element.style.visibility = 'visible';
    }
  }, 30);
}

function mouse_follow_xy_initParam() {
  mouse_follow_xy_crosshair();
}

function mouse_follwimage_init() {
  mouse_follwimage_start();
}
