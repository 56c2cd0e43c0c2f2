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
# Chromium takes its generic monospace face from fontconfig, which prefers
# whatever monospace family a package installed last; the engine's is DejaVu
# Sans Mono, and so is chromium's here.
fonts_conf="$tmp/fonts.conf"
cat > "$fonts_conf" <<'CONF'
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <alias binding="strong"><family>monospace</family><prefer><family>DejaVu Sans Mono</family></prefer></alias>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
</fontconfig>
CONF
export FONTCONFIG_FILE="$fonts_conf"
{
    printf '<style>body{margin:15px 10px;font-family:"IPAPGothic"}table{font-family:"IPAPGothic"}</style>\n'
    cat "$page"
    cat <<'SCRIPT'
<script>
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
</script>
SCRIPT
} > "$copy"
chromium --headless --disable-gpu --no-sandbox --user-data-dir="$tmp" --window-size="$width,4000" \
    --dump-dom "file://$copy" 2>/dev/null |
    sed -n '/<pre id="__boxes">/,/<\/pre>/p' | sed '1d;$d'
