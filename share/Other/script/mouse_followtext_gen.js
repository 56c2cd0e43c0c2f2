// Mouse effect: a text follows the pointer.
//   var mouse_message = "text "
//   var mouse_fontSize = "15"
//   var mouse_fontFace = "(デフォルト)"
//   var mouse_fontColor = "#808080"
//   mouse_followtext_gen_initParam()

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

function mouse_followtext_gen_initParam() {
  mouse_followtext_gen_start();
}
