#!/bin/sh
# How closely the engine lays pages out as a browser does: every page of a
# corpus (the pages in tests/data/fidelity and its folders by default) is
# laid out by the engine and by headless chromium at one width, with the
# same body margins and default face (see layout-boxes-chromium.sh); their
# block boxes are matched in
# document order, and the share of boxes whose left edge and width lie
# within 2 px, and whose top lies within 4 px + 3%, is printed per page and
# over the corpus, and beside them the share of tops within 1 px (where
# block boxes stand exactly where the browser puts them). Needs a built test_engine and chromium. With
# FIDELITY_DETAIL=1 it lists every box that misses (engine, then chromium),
# with FIDELITY_DETAIL=2 also those whose top is more than 1 px off;
# FIDELITY_PAGES=REGEX measures only the pages whose path in the corpus
# matches.
#   scripts/layout-fidelity.sh [corpus folder] [width] [build folder]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
corpus=$(realpath "${1:-$root/tests/data/fidelity}")
width=${2:-1024}
build=${3:-$root/build/test}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
. "$root/scripts/chromium-fonts.sh"
chromium_fonts "$tmp"
# The body's margins as the engine sets them: its defaults, or the old
# margin attributes of the BODY tag (which the style above would override
# in chromium).
body_margins() {
    python3 - "$1" <<'PY'
import re, sys
text = open(sys.argv[1], 'rb').read().decode('latin-1')
tag = re.search(r'<body\b[^>]*>', text, re.I)
attrs = dict((k.lower(), v) for k, v in re.findall(r'(\w+)\s*=\s*["\']?(\d+)', tag.group(0))) if tag else {}
left = attrs.get('leftmargin', attrs.get('marginwidth', '10'))
top = attrs.get('topmargin', attrs.get('marginheight', '15'))
print('%spx %spx %spx %spx' % (top, attrs.get('rightmargin', left), attrs.get('bottommargin', top), left))
PY
}
find "$corpus" -name '*.html' | sort | grep -E -- "${FIDELITY_PAGES:-.}" | while read -r page; do
    name=$(realpath --relative-to="$corpus" "$page" | tr / _)
    copy="$tmp/$name"
    {
        # The copy finds the style sheets and pictures beside the page, and
        # keeps the page's DOCTYPE first, so that chromium lays it out in the
        # mode the page asks for. The page's own scripts are left out: the
        # engine runs none.
        python3 - "$page" "$(dirname "$page")" "$(body_margins "$page")" <<'PY'
import re, sys
text = re.sub(rb"(?is)<script\b.*?</script\s*>", b"", open(sys.argv[1], "rb").read())
lead = re.match(rb"(?is)(\xef\xbb\xbf)?\s*(<\?xml[^>]*>\s*)?(<!--.*?-->\s*)*(<!doctype[^>]*>)?", text)
prefix = ('<base href="file://%s/"><style>html{font-family:"IPAPGothic"}body{margin:%s}</style>\n'
          % (sys.argv[2], sys.argv[3])).encode()
sys.stdout.buffer.write(text[:lead.end()] + prefix + text[lead.end():])
PY
        cat <<'SCRIPT'
<script>
// Once the page has loaded: pictures that fail take their room then.
window.addEventListener('load', function () {
var tags = {P:1,H1:1,H2:1,H3:1,H4:1,H5:1,H6:1,PRE:1,TABLE:1,UL:1,OL:1,DL:1,DT:1,DD:1,LI:1,DIV:1,HR:1,IMG:1,
            TD:1,TH:1,BLOCKQUOTE:1,ADDRESS:1,CENTER:1};
var out = [];
var all = document.body.getElementsByTagName('*');
for (var i = 0; i < all.length; i++) {
  // (Elements that are not shown have no box to match.)
  if (!tags[all[i].tagName] || !all[i].getClientRects().length) continue;
  var r = all[i].getBoundingClientRect();
  out.push('BOX ' + all[i].tagName + ' ' + Math.round(r.left + scrollX) + ' ' + Math.round(r.top + scrollY) + ' ' +
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
    chromium --headless --disable-gpu --no-sandbox --user-data-dir="$tmp/profile" --window-size="$width,16000" \
        --dump-dom "file://$copy" 2>/dev/null | sed -n '/<pre id="__boxes">/,/<\/pre>/p' | grep '^BOX' \
        > "$tmp/$name.chromium" || true
    PAGINOR_PAGE="$page" PAGINOR_WIDTH="$width" QT_QPA_PLATFORM=offscreen "$build/tests/test_engine" \
        --gtest_also_run_disabled_tests --gtest_filter='LayoutFidelity.DISABLED_PrintBlockBoxes' 2>/dev/null |
        grep '^BOX' > "$tmp/$name.engine" || true
done
python3 - "$tmp" "$corpus" <<'PY'
import difflib, os, sys
tmp, corpus = sys.argv[1], sys.argv[2]
def boxes(path):
    out = []
    for line in open(path):
        f = line.split()
        out.append((f[1], int(f[2]), int(f[3]), int(f[4]), int(f[5])))
    return out
total = [0, 0, 0, 0]
for name in sorted(n[:-len('.chromium')] for n in os.listdir(tmp) if n.endswith('.chromium')):
    ref, ours = boxes(os.path.join(tmp, name + '.chromium')), boxes(os.path.join(tmp, name + '.engine'))
    matcher = difflib.SequenceMatcher(None, [b[0] for b in ref], [b[0] for b in ours], autojunk=False)
    n = horizontal = vertical = exact = 0
    for a, b, size in matcher.get_matching_blocks():
        for k in range(size):
            r, o = ref[a + k], ours[b + k]
            n += 1
            h = abs(r[1] - o[1]) <= 2 and abs(r[3] - o[3]) <= 2
            v = abs(r[2] - o[2]) <= 4 + 0.03 * r[2]
            horizontal += h
            vertical += v
            exact += abs(r[2] - o[2]) <= 1
            detail = os.environ.get('FIDELITY_DETAIL')
            if detail and (not (h and v) or (detail == '2' and abs(r[2] - o[2]) > 1)):
                print('  miss %-10s engine %4d %5d %4d %4d   chromium %4d %5d %4d %4d' % ((o[0],) + o[1:] + r[1:]))
    unmatched = len(ref) - n
    total[0] += n; total[1] += horizontal; total[2] += vertical; total[3] += exact
    pct = lambda v: 100.0 * v / n if n else 0.0
    print('%-28s %4d boxes (%d unmatched)  left+width %5.1f%%  top %5.1f%%  (1 px %5.1f%%)' %
          (name, n, unmatched, pct(horizontal), pct(vertical), pct(exact)))
n = total[0]
print('%-28s %4d boxes                 left+width %5.1f%%  top %5.1f%%  (1 px %5.1f%%)' %
      ('all', n, 100.0 * total[1] / max(n, 1), 100.0 * total[2] / max(n, 1), 100.0 * total[3] / max(n, 1)))
PY
