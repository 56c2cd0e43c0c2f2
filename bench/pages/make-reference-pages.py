#!/usr/bin/env python3
"""Writes long pages of the kinds documentation generators and people write,
for measuring how the program opens them:

  reference-utf8.html   one long reference page: a stylesheet, a table of
                        contents of nested lists, chapters of H2/H3 sections
                        in nested DIVs, definition lists, long PRE listings
                        with coloured spans, tables of many rows with links,
                        inline styles, images with their sizes (UTF-8)
  reference-sjis.html   the same page in Shift_JIS, as older sites keep it
  index-tables.html     an index: a few tables of thousands of rows each,
                        every row with links (UTF-8)
  listing.html          program listings: long PRE blocks with a span on
                        almost every word (UTF-8)

  make-reference-pages.py <folder> [megabytes]   (8 by default)

The texts are made up here from a word list of our own; the same arguments
always give the same bytes.
"""

import os
import random
import sys

WORDS = (
    "the a of to and in is that for it on with as are be this by can from or an when each which "
    "value setting server request file folder page table row column entry index option default "
    "module handler buffer record field string number list map key name path address port timeout "
    "reads writes returns sets keeps starts stops opens closes sends takes gives shows checks "
    "first last next new old long short empty whole every other same given open closed"
).split()
JA = ("設定", "ファイル", "サーバー", "読み込み", "書き出し", "項目", "一覧", "既定値", "文字列",
      "番号", "接続", "再起動", "変更", "確認", "表示", "手順", "説明", "例")
IDENTS = ("open_file", "read_block", "write_index", "parse_line", "next_entry", "free_list",
          "set_timeout", "get_value", "find_key", "map_page", "close_all", "send_request")


class Text:
    def __init__(self, seed):
        self.r = random.Random(seed)

    def words(self, n):
        return " ".join(self.r.choice(WORDS) for _ in range(n))

    def sentence(self):
        s = self.words(self.r.randint(6, 18))
        return s[0].upper() + s[1:] + "."

    def japanese(self):
        return "".join(self.r.choice(JA) + self.r.choice(("を", "の", "は", "に", "で", "と"))
                       for _ in range(self.r.randint(4, 9))) + "ます。"

    def paragraph(self, ja=True):
        parts = []
        for _ in range(self.r.randint(2, 5)):
            s = self.sentence()
            k = self.r.random()
            if k < 0.25:
                s = s.replace(" ", " <code>%s()</code> " % self.r.choice(IDENTS), 1)
            elif k < 0.4:
                s = s.replace(" ", ' <a href="#e%d">%s</a> ' % (self.r.randint(1, 5000), self.words(2)), 1)
            elif k < 0.5:
                s = s.replace(" ", ' <span style="color:#a0522d;font-weight:bold">%s</span> ' % self.words(1), 1)
            parts.append(s)
        if ja and self.r.random() < 0.5:
            parts.append(self.japanese())
        return " ".join(parts)

    def code_line(self, indent):
        r = self.r
        k = r.random()
        pad = "    " * indent
        if k < 0.15:
            return pad + '<span class="c">// %s</span>' % self.words(r.randint(3, 9))
        if k < 0.3:
            return pad + '<span class="k">if</span> (%s &lt; <span class="n">%d</span>) {' % (
                r.choice(IDENTS), r.randint(0, 999))
        if k < 0.4:
            return pad + '<span class="k">return</span> <span class="s">&quot;%s&quot;</span>;' % self.words(2)
        return pad + '<span class="t">int</span> %s = %s(%s, <span class="n">%d</span>);' % (
            r.choice(IDENTS), r.choice(IDENTS), r.choice(IDENTS), r.randint(0, 99999))


STYLE = """<style type="text/css">
body { font-family: Arial, sans-serif; margin: 0 2em; line-height: 1.4; }
h2 { border-bottom: 2px solid #336; color: #336; margin-top: 2em; }
h3 { color: #447; }
div.section { margin-left: 1em; }
div.sub { margin-left: 1em; padding: 0 0 0 0.5em; border-left: 1px solid #ccd; }
div.note { background: #ffe; border: 1px solid #cc9; padding: 4px 8px; }
pre.listing { background: #f4f4f8; border: 1px solid #ccc; padding: 6px; }
pre .c { color: #080; } pre .k { color: #008; font-weight: bold; }
pre .s { color: #a00; } pre .n { color: #808; } pre .t { color: #066; }
table.params { border-collapse: collapse; }
table.params td, table.params th { border: 1px solid #999; padding: 2px 6px; }
dl.options dt { font-weight: bold; margin-top: 0.5em; }
dl.options dd { margin-left: 2em; }
ul.toc { list-style: none; }
</style>"""


def head(title, charset):
    return ("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n<html>\n<head>\n"
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=%s\">\n<title>%s</title>\n%s\n"
            "</head>\n<body bgcolor=\"#ffffff\">\n" % (charset, title, STYLE))


def toc(t, chapters, sections):
    out = ['<div class="toc"><h2>Contents</h2>\n<ul class="toc">']
    for c in range(1, chapters + 1):
        out.append('<li><a href="#c%d">%d. %s</a>\n<ul>' % (c, c, t.words(3)))
        for s in range(1, sections + 1):
            out.append('<li><a href="#c%d-%d">%d.%d %s</a>\n<ul>' % (c, s, c, s, t.words(2)))
            for e in range(1, 4):
                out.append('<li><a href="#c%d-%d-%d">%s</a><ul><li><a href="#c%d-%d-%d-x">%s</a></li></ul></li>'
                           % (c, s, e, t.words(2), c, s, e, t.words(1)))
            out.append("</ul></li>")
        out.append("</ul></li>")
    out.append("</ul></div>\n")
    return "\n".join(out)


def section(t, c, s, rows):
    r = t.r
    out = ['<div class="section"><h3><a name="c%d-%d"></a>%d.%d %s</h3>' % (c, s, c, s, t.words(3))]
    out.append('<div class="sub"><p>%s</p>' % t.paragraph())
    out.append('<p style="margin-left:20px">%s</p>' % t.paragraph())
    if r.random() < 0.4:
        out.append('<p><img src="images/fig%d.png" width="%d" height="%d" alt="%s"> %s</p>'
                   % (r.randint(1, 40), r.choice((120, 240, 320)), r.choice((80, 160, 200)), t.words(2),
                      t.sentence()))
    out.append('<dl class="options">')
    for e in range(1, 4):
        out.append('<dt><a name="c%d-%d-%d"></a><code>--%s</code></dt>\n<dd>%s<div><a name="c%d-%d-%d-x"></a>'
                   '<small>%s</small></div></dd>' % (c, s, e, r.choice(IDENTS).replace("_", "-"),
                                                     t.paragraph(False), c, s, e, t.sentence()))
    out.append("</dl>")
    out.append('<pre class="listing">')
    depth = 0
    for _ in range(r.randint(12, 40)):
        line = t.code_line(depth)
        out.append(line)
        if line.endswith("{"):
            depth = min(depth + 1, 4)
        elif depth and r.random() < 0.3:
            depth -= 1
            out.append("    " * depth + "}")
    out.append("</pre>")
    out.append('<table class="params" width="100%%" cellspacing="0">\n<tr><th>Name</th><th>Type</th>'
               '<th>Default</th><th>Meaning</th></tr>')
    for k in range(rows):
        out.append('<tr><td><a href="#e%d"><code>%s_%d</code></a></td><td>%s</td><td align="right">%d</td>'
                   '<td>%s</td></tr>' % (r.randint(1, 5000), r.choice(IDENTS), k, r.choice(("int", "string", "bool")),
                                         r.randint(0, 4096), t.sentence()))
    out.append("</table>")
    if r.random() < 0.3:
        out.append('<div class="note"><b>Note:</b> %s</div>' % t.paragraph())
    out.append("</div></div>\n")
    return "\n".join(out)


def reference(size, charset):
    t = Text(1)
    sections = 12
    # One section of this shape is about 6 KB.
    chapters = max(1, size // (sections * 6200))
    out = [head("Reference", charset), '<div class="book"><h1>Reference</h1>\n', toc(t, chapters, sections)]
    total = sum(len(x) for x in out)
    c = 0
    while total < size:
        c += 1
        out.append('<div class="chapter"><h2><a name="c%d"></a>%d. %s</h2>\n' % (c, c, t.words(3)))
        for s in range(1, sections + 1):
            out.append(section(t, c, s, t.r.randint(4, 30)))
        out.append("</div>\n")
        total += sum(len(x.encode("utf-8")) for x in out[-(sections + 2):])
    out.append("</div>\n</body>\n</html>\n")
    return "".join(out)


def blocks_until(size, title, block):
    """A page of `title` holding blocks block(text, n) (n from 1) until it
    is about `size` bytes long."""
    t = Text(len(title))
    out = [head(title, "UTF-8"), "<h1>%s</h1>\n" % title]
    total = 0
    n = 0
    while total < size:
        n += 1
        part = block(t, n)
        out.append(part)
        total += len(part.encode("utf-8"))
    out.append("</body>\n</html>\n")
    return "".join(out)


def index_table(t, n):
    out = ['<h2><a name="t%d"></a>%s</h2>\n<table border="1" cellpadding="2" cellspacing="0" width="100%%">\n'
           '<tr bgcolor="#ddddee"><th>Entry</th><th>Kind</th><th>Where</th><th>Summary</th></tr>\n'
           % (n, t.words(2))]
    for k in range(5000):
        out.append('<tr><td><a href="ref%d.html#e%d">%s_%d</a></td><td>%s</td><td><a href="file%d.html">'
                   'file%d.html</a> (%d)</td><td>%s</td></tr>\n'
                   % (k % 97, k, t.r.choice(IDENTS), k, t.r.choice(("function", "type", "macro")), k % 311,
                      k % 311, t.r.randint(1, 9999), t.words(t.r.randint(4, 12))))
    out.append("</table>\n")
    return "".join(out)


def listing_file(t, n):
    out = ['<h3><a name="f%d"></a>file%d.c</h3>\n<pre class="listing">' % (n, n)]
    for k in range(2000):
        out.append('<span class="n">%5d</span>  %s\n' % (k + 1, t.code_line(t.r.randint(0, 3))))
    out.append("</pre>\n")
    return "".join(out)


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    folder = sys.argv[1]
    size = int(float(sys.argv[2]) * 1024 * 1024) if len(sys.argv) > 2 else 8 * 1024 * 1024
    os.makedirs(folder, exist_ok=True)
    pages = {
        "reference-utf8.html": reference(size, "UTF-8").encode("utf-8"),
        "reference-sjis.html": reference(size, "Shift_JIS").encode("cp932"),
        "index-tables.html": blocks_until(size, "Index", index_table).encode("utf-8"),
        "listing.html": blocks_until(size, "Listing", listing_file).encode("utf-8"),
    }
    for name, data in pages.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
        print("%s: %.1f MB" % (name, len(data) / 1048576))


if __name__ == "__main__":
    main()
