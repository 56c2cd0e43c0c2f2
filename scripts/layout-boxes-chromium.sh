#!/bin/sh
# Reference boxes of a page from headless chromium, for checking the layout
# by hand: prints "id left top width height" for every element with an id.
# The page's own default style differences are aligned with the editor's
# (body margins, default font), so that what remains is the layout itself.
# The window is tall, so that a page taller than it gets no scroll bar that
# would narrow the layout width.
#   scripts/layout-boxes-chromium.sh tests/data/layout/tables.html [width]
set -eu
page=$(realpath "$1")
width=${2:-800}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
copy="$(dirname "$page")/.chromium-$(basename "$page")"
trap 'rm -rf "$tmp" "$copy"' EXIT
. "$(dirname "$0")/chromium-fonts.sh"
chromium_fonts "$tmp"
{
    # (After the page's DOCTYPE, which chooses the mode it is laid out in.)
    python3 - "$page" <<'PY'
import re, sys
text = open(sys.argv[1], "rb").read()
lead = re.match(rb"(?is)(\xef\xbb\xbf)?\s*(<\?xml[^>]*>\s*)?(<!--.*?-->\s*)*(<!doctype[^>]*>)?", text)
style = b'<style>body{margin:15px 10px;font-family:"IPAPGothic"}table{font-family:"IPAPGothic"}</style>\n'
sys.stdout.buffer.write(text[:lead.end()] + style + text[lead.end():])
PY
    cat <<'SCRIPT'
<script>
// Once the page has loaded: pictures that fail take their room then.
window.addEventListener('load', function () {
var out = [];
var all = document.querySelectorAll('[id]');
for (var i = 0; i < all.length; i++) {
  var r = all[i].getBoundingClientRect();
  out.push(all[i].id + ' ' + Math.round(r.left + scrollX) + ' ' + Math.round(r.top + scrollY) + ' ' +
           Math.round(r.width) + ' ' + Math.round(r.height));
}
var pre = document.createElement('pre');
pre.id = '__boxes';
pre.textContent = '\n' + out.join('\n') + '\n';
document.documentElement.appendChild(pre);
});
</script>
SCRIPT
} > "$copy"
chromium --headless --disable-gpu --no-sandbox --user-data-dir="$tmp" --window-size="$width,4000" \
    --dump-dom "file://$copy" 2>/dev/null |
    sed -n '/<pre id="__boxes">/,/<\/pre>/p' | sed '1d;$d'
