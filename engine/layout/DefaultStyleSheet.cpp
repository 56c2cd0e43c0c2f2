#include "engine/layout/DefaultStyleSheet.h"

#include <string>

namespace engine {

namespace {

const char* const kSheet = R"CSS(
html { display: block; font-size: medium; }
head, script, style, title, meta, link, base, basefont, map, area, param, bgsound, noembed, noframes, noscript,
input[type=hidden], comment { display: none; }

body { display: block; margin: 15px 10px; }

p { display: block; margin-top: 1em; margin-bottom: 1em; }
div, address, form, center, fieldset, frameset, frame, layer, multicol { display: block; }
article, aside, footer, header, hgroup, main, nav, section, figcaption, details, summary { display: block; }
figure { display: block; margin: 1em 40px; }
center { text-align: center; -paginor-center-tables: center; }
address, cite, em, i, var, dfn { font-style: italic; }
blockquote { display: block; margin: 1em 40px; }
pre, xmp, listing, plaintext { display: block; white-space: pre; margin-top: 1em; margin-bottom: 1em; }
tt, code, kbd, samp, pre, xmp, listing, plaintext { font-family: monospace; }
h1, h2, h3, h4, h5, h6 { display: block; font-weight: bold; }
h1 { font-size: 2em; margin-top: 0.67em; margin-bottom: 0.67em; }
h2 { font-size: 1.5em; margin-top: 0.83em; margin-bottom: 0.83em; }
h3 { font-size: 1.17em; margin-top: 1em; margin-bottom: 1em; }
h4 { font-size: 1em; margin-top: 1.33em; margin-bottom: 1.33em; }
h5 { font-size: 0.83em; margin-top: 1.67em; margin-bottom: 1.67em; }
h6 { font-size: 0.67em; margin-top: 2.33em; margin-bottom: 2.33em; }
b, strong { font-weight: bold; }
u, ins { text-decoration: underline; }
s, strike, del { text-decoration: line-through; }
big { font-size: larger; }
small { font-size: smaller; }
sub { vertical-align: sub; font-size: smaller; }
sup { vertical-align: super; font-size: smaller; }
nobr { white-space: nowrap; }
/* The layout library ends a line only at a break laid out as an inline block. */
br { display: inline-block; }
br[clear=all], br[clear=both] { clear: both; }
br[clear=left] { clear: left; }
br[clear=right] { clear: right; }

a[href] { color: #0000ff; text-decoration: underline; cursor: pointer; }

ul, menu, dir { display: block; list-style-type: disc; margin-top: 1em; margin-bottom: 1em; padding-left: 40px; }
ol { display: block; list-style-type: decimal; margin-top: 1em; margin-bottom: 1em; padding-left: 40px; }
li { display: list-item; }
ul ul, ol ul, ul menu, ul dir { list-style-type: circle; }
ul ul ul, ol ul ul, ul ol ul, ol ol ul { list-style-type: square; }
/* Lists in lists have no margins above and below. */
dir dir, dir dl, dir menu, dir ol, dir ul, dd dir, dd dl, dd menu, dd ol, dd ul, dl dir, dl dl, dl menu, dl
ol, dl ul, dt dir, dt dl, dt menu, dt ol, dt ul, menu dir, menu dl, menu menu, menu ol, menu ul, ol dir, ol
dl, ol menu, ol ol, ol ul, ul dir, ul dl, ul menu, ul ol, ul ul { margin-top: 0; margin-bottom: 0; }
dl { display: block; margin-top: 1em; margin-bottom: 1em; }
dt { display: block; }
dd { display: block; margin-left: 40px; }

hr { display: block; margin: 8px auto; border-style: inset; border-width: 1px; border-color: #808080; height: 0px; }

table { display: table; border-collapse: separate; border-spacing: 2px; text-indent: 0; }
caption { display: table-caption; text-align: center; }
thead { display: table-row-group; vertical-align: middle; }
tbody { display: table-row-group; vertical-align: middle; }
tfoot { display: table-row-group; vertical-align: middle; }
tr { display: table-row; vertical-align: inherit; }
td, th { display: table-cell; vertical-align: inherit; padding: 1px; }
th { font-weight: bold; text-align: center; }
col { display: table-column; }
colgroup { display: table-column-group; }

img { display: inline-block; }
marquee { display: inline-block; overflow: hidden; width: 100%; vertical-align: text-bottom; }
embed, object, applet, input, select, textarea, button, iframe { display: inline-block; }
object *, applet *, embed *, select *, textarea *, button * { display: none; }
iframe { border: 2px inset #808080; width: 300px; height: 150px; }
)CSS";

// Quirks mode: a table does not take the text style of what holds it, and a
// form keeps a line of space below it.
const char* const kQuirks = R"CSS(
table { font-size: medium; font-weight: normal; font-style: normal; text-align: left; white-space: normal;
        line-height: normal; }
form { margin-bottom: 1em; }
)CSS";

} // namespace

const char* defaultStyleSheet(DocumentMode mode)
{
    static const std::string quirks = [] {
        std::string sheet(kSheet);
        sheet.append(kQuirks);
        return sheet;
    }();
    return mode == DocumentMode::Quirks ? quirks.c_str() : kSheet;
}

} // namespace engine
