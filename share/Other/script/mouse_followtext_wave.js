// Mouse effect: the characters of a text chase the pointer one behind the
// other.
//   var mouse_message = "text "
//   var mouse_fontSize = "15"
//   var mouse_fontFace = "(デフォルト)"
//   var mouse_fontColor = "#808080"
//   mouse_followtext_wave_initParam()

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

// The scattered pointer text: the characters of mouse_message chase the
// pointer one behind the other, bobbing up and down as they go.
function mouse_followtext_wave_start() {
  if (window.mouse_followtext_wave_letters || !document.body)
    return;
  var chars = Array.from(mouse_followtext_message());
  var letters = [];
  for (var i = 0; i < chars.length; i++) {
    var letter = document.createElement('span');
    letter.textContent = chars[i];
    letter.style.cssText = 'position:fixed; left:0; top:0; z-index:2147483100; pointer-events:none; ' +
      'visibility:hidden';
    mouse_followtext_style(letter);
    document.body.appendChild(letter);
    letters.push({ element: letter, x: 0, y: 0 });
  }
  window.mouse_followtext_wave_letters = letters;
  var mouse = null, tick = 0;
  document.addEventListener('mousemove', function (event) {
    mouse = { x: event.clientX + 12, y: event.clientY + 16 };
  });
  setInterval(function () {
    if (!mouse)
      return;
    tick++;
    var x = mouse.x, y = mouse.y;
    for (var i = 0; i < letters.length; i++) {
      var letter = letters[i];
      letter.x += (x - letter.x) * 0.3;
      letter.y += (y - letter.y) * 0.3;
      letter.element.style.transform = 'translate(' + Math.round(letter.x) + 'px,' +
        Math.round(letter.y + Math.sin(tick * 0.2 + i * 0.6) * 4) + 'px)';
      letter.element.style.visibility = 'visible';
      x = letter.x + letter.element.offsetWidth;
      y = letter.y;
    }
  }, 30);
}

function mouse_followtext_wave_initParam() {
  mouse_followtext_wave_start();
}
