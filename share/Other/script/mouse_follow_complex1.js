// Mouse effect: a crosshair of two thin lines follows the pointer, and a text
// follows it just below. mouse_follow_xy_initParam() starts both.
//   var mouse_VornaLinecolor = "255, 0, 0"
//   var mouse_TransparentImageSrc = "other/transparent.gif"
//   var mouse_message = "text "
//   var mouse_fontSize = "15"
//   var mouse_fontFace = "(デフォルト)"
//   var mouse_fontColor = "#808080"
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

// The pointer text's font: mouse_fontFace ("(デフォルト)" or empty for the
// page's own), mouse_fontSize (1 to 7 the HTML font sizes, larger numbers
// pixels) and mouse_fontColor ("#rrggbb", empty for grey).
function mouse_followtext_style(element) {
  var face = typeof mouse_fontFace !== 'undefined' ? String(mouse_fontFace) : '';
  if (face !== '' && face !== '(デフォルト)')
    element.style.fontFamily = '"' + face.replace(/["\\]/g, '') + '"';
  var size = typeof mouse_fontSize !== 'undefined' ? parseInt(mouse_fontSize, 10) : 15;
  var steps = [8, 10, 12, 14, 18, 24, 36];
  if (size >= 1 && size <= 7)
    element.style.fontSize = steps[size - 1] + 'pt';
  else if (size > 7 && size <= 500)
    element.style.fontSize = size + 'px';
  else
    element.style.fontSize = '15px';
  element.style.color = '#808080';
  if (typeof mouse_fontColor !== 'undefined' && String(mouse_fontColor) !== '')
    element.style.color = String(mouse_fontColor);
  element.style.whiteSpace = 'pre';
}

function mouse_followtext_message() {
  return typeof mouse_message !== 'undefined' ? String(mouse_message) : '';
}

// The pointer text: mouse_message follows the pointer, just below it.
function mouse_followtext_gen_start() {
  if (window.mouse_followtext_gen_text || !document.body)
    return;
  var text = document.createElement('div');
  text.textContent = mouse_followtext_message();
  text.style.cssText = 'position:fixed; left:0; top:0; z-index:2147483100; pointer-events:none; ' +
    'visibility:hidden';
  mouse_followtext_style(text);
  document.body.appendChild(text);
  window.mouse_followtext_gen_text = text;
  document.addEventListener('mousemove', function (event) {
    text.style.transform = 'translate(' + (event.clientX + 12) + 'px,' + (event.clientY + 16) + 'px)';
    text.style.visibility = 'visible';
  });
}

function mouse_follow_xy_initParam() {
  mouse_follow_xy_crosshair();
  mouse_followtext_gen_start();
}

function mouse_followtext_gen_initParam() {
  mouse_followtext_gen_start();
}
