// Mouse effect: a click bursts into ten pictures that fly apart from where
// the pointer is and fade.
//   var mouse_Bomb1 = "other/mouse_f1.gif" ... var mouse_Bomb10 = "other/mouse_f10.gif"
//   mouse_click_initParam()

function mouse_click_burst(x, y) {
  if (!document.body)
    return;
  for (var i = 1; i <= 10; i++) {
    var source = window['mouse_Bomb' + i];
    if (source === undefined || source === null || String(source) === '')
      continue;
    var picture = document.createElement('img');
    picture.src = String(source);
    picture.alt = '';
    picture.style.cssText = 'position:fixed; left:' + x + 'px; top:' + y + 'px; z-index:2147483200; ' +
      'pointer-events:none; transform:translate(-50%,-50%)';
    document.body.appendChild(picture);
    var angle = i * Math.PI / 5;
    var dx = Math.round(Math.cos(angle) * 60), dy = Math.round(Math.sin(angle) * 60);
    if (picture.animate) {
      picture.animate([{ transform: 'translate(-50%,-50%) scale(0.4)', opacity: 1 },
                       { transform: 'translate(calc(-50% + ' + dx + 'px),calc(-50% + ' + dy + 'px)) scale(1)',
                         opacity: 0 }],
                      { duration: 800, easing: 'ease-out', fill: 'forwards' });
    }
    setTimeout(function (element) {
      return function () {
        if (element.parentNode)
          element.parentNode.removeChild(element);
      };
    }(picture), 850);
  }
}

function mouse_click_initParam() {
  if (window.mouse_click_listening)
    return;
  window.mouse_click_listening = true;
  document.addEventListener('mousedown', function (event) {
    mouse_click_burst(event.clientX, event.clientY);
  });
}
