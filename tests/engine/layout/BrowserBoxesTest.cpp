// Sizes of text, controls and columns as a browser gives them: each case is
// laid out as headless chromium lays out the same markup at 800 px (the boxes
// below are chromium's, its body given the engine's margins and face, its
// monospace face the engine's).

#include "engine/EnginePage.h"
#include "engine/layout/DocumentLayout.h"
#include "engine/layout/DocumentMode.h"

#include <gtest/gtest.h>

#include <array>

using engine::DocumentLayout;
using engine::LayoutBox;

namespace {

struct ChromiumBox
{
    const char* id;
    int left;
    int top;
    int width;
    int height;
};

// Within `slack` pixels on each side (percentages of a table round apart).
void expectChromiumBoxes(const QString& html, std::initializer_list<ChromiumBox> boxes, int slack = 0)
{
    engine::Ref<engine::Document> doc = pageFrom(html);
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(800, 2000));
    for (const ChromiumBox& c : boxes) {
        const LayoutBox* box = layout.tree().boxByHtmlId(QString::fromLatin1(c.id));
        ASSERT_TRUE(box) << c.id;
        const QRect& r = box->borderBox;
        const std::array<int, 4> ours{r.x(), r.y(), r.width(), r.height()};
        const std::array<int, 4> chromium{c.left, c.top, c.width, c.height};
        for (size_t i = 0; i < ours.size(); ++i)
            EXPECT_NEAR(ours[i], chromium[i], slack) << c.id << " " << i;
    }
}

} // namespace

// Text whose face is only the generic monospace is 13/16 of its size unless
// an absolute size fixed it: a PRE is 13 px, 14 px in a page of 14px text,
// 1.1em of 16 px makes 14.3 px, a named face before "monospace" keeps the full
// size, and a FONT size of 2 in monospace text is 10 px.
TEST(BrowserSizes, MonospaceTextFollowsTheBrowsersQuirk)
{
    expectChromiumBoxes(QStringLiteral("<style>.c pre{font-size:1.1em}</style><body><pre id=a>one\ntwo</pre>"
                                       "<div style='font-size:14px'><pre id=b>one</pre></div><div class=c>"
                                       "<pre id=c>one</pre></div><pre id=d style='font-family:Consolas,monospace'>"
                                       "one</pre><p id=f style='font-size:small'>x</p></body>"),
                        {{"a", 10, 15, 780, 30},
                         {"b", 10, 59, 780, 16},
                         {"c", 10, 89, 780, 16},
                         {"d", 10, 121, 780, 19},
                         {"f", 10, 156, 780, 13}});
    expectChromiumBoxes(QStringLiteral("<body><code><font size=2 style='display:block' id=e>small</font></code>"
                                       "<tt><div id=g>x</div></tt><div style='font-size:13px'><tt><div id=h>x</div>"
                                       "</tt></div></body>"),
                        {{"e", 10, 15, 780, 11}, {"g", 10, 26, 780, 15}, {"h", 10, 41, 780, 15}});
}

// A line height in units of the font follows the font's exact size (1.5em
// of 14.4 px is 21.6 px, not 21), and one in em that a block inherits is its
// parent's height, not the same factor of its own font.
TEST(BrowserSizes, LineHeightsInUnitsOfTheFont)
{
    expectChromiumBoxes(QStringLiteral("<body><div style='font-size:0.9em'><p id=a style='line-height:1.5em'>"
                                       "one two three</p></div><div style='line-height:1.5em'>"
                                       "<p id=b style='font-size:12px'>x</p></div><p id=c style='line-height:1.3'>"
                                       "one</p></body>"),
                        {{"a", 10, 15, 780, 22}, {"b", 10, 51, 780, 24}, {"c", 10, 91, 780, 21}});
}

// The white space between elements is neither a sibling nor a child for
// selectors: `.t + p` matches the next paragraph and `:first-child` and
// `:last-child` the first and last elements of a block written over lines.
TEST(BrowserSizes, SelectorsPassOverTheWhiteSpaceBetweenElements)
{
    expectChromiumBoxes(
        QStringLiteral("<style>.t + p { margin-top: 0 } .n > :last-child { margin-bottom: 0 } "
                       ".n > :first-child { margin-top: 0 }</style><body><div class=n id=n "
                       "style='border:1px solid'>\n <p id=a class=t>a</p>\n <p id=b>b</p>\n</div>"
                       "<p id=c>c</p></body>"),
        {{"n", 10, 15, 780, 50}, {"a", 11, 16, 778, 16}, {"b", 11, 48, 778, 16}, {"c", 10, 81, 780, 16}});
    // Nor are the boxes of ::before and ::after.
    expectChromiumBoxes(
        QStringLiteral("<style>.n > :last-child { margin-bottom: 0 } .n::after { display: block; "
                       "content: ''; clear: both } .n::before { content: '' } .n > :first-child { "
                       "margin-top: 0 }</style><body><div class=n id=n style='border:1px solid'><p "
                       "id=a>a</p><ul id=u><li>x</li></ul></div><p id=b>b</p></body>"),
        {{"n", 10, 15, 780, 50}, {"a", 11, 16, 778, 16}, {"u", 11, 48, 778, 16}, {"b", 10, 81, 780, 16}});
}

// Attribute selectors match as in a browser: a value that ends in a text,
// a class attribute of exactly a text (not every class), values in single
// quotes (the rule is not taken for one of every DIV).
TEST(BrowserSizes, AttributeSelectorsOfEndingsClassesAndSingleQuotes)
{
    expectChromiumBoxes(
        QStringLiteral("<style>.s section[class$=\"-summary\"] { padding: 0 20px 5px 10px; border: 1px solid } "
                       "div[class$=-tum] { padding-top: 7px } div[class='a'] { padding-top: 5px } "
                       "div[class^='b'] { padding-top: 7px } div[class*='c'] { padding-top: 3px } "
                       "div[id$='rum'] { padding-top: 2px }</style><body><div class=s><section "
                       "class=field-summary><h2 id=h>F</h2></section></div><div class=b-tum id=t>x</div>"
                       "<div class=a id=a>x</div><div class=bb id=b>x</div><div class=xcx id=c>x</div>"
                       "<div id=drum>x</div><div id=e>x</div></body>"),
        {{"h", 21, 36, 748, 24},
         {"t", 10, 86, 780, 23},
         {"a", 10, 109, 780, 21},
         {"b", 10, 130, 780, 23},
         {"c", 10, 153, 780, 19},
         {"drum", 10, 172, 780, 18},
         {"e", 10, 190, 780, 16}});
}

// Columns without widths of their cells take those of their COL elements,
// from the style or the width attribute, in percent or pixels.
TEST(BrowserSizes, ColumnsTakeTheWidthsOfTheirColElements)
{
    expectChromiumBoxes(QStringLiteral("<body><table id=t border=1><colgroup><col style='width:20%'>"
                                       "<col width='80%'></colgroup><tr><td id=a>a</td><td id=b>b</td></tr></table>"
                                       "<table id=u><col width=100><tr><td id=c>c</td><td id=d>d</td></tr></table>"
                                       "</body>"),
                        {{"t", 10, 15, 72, 26},
                         {"a", 13, 18, 13, 20},
                         {"b", 28, 18, 51, 20},
                         {"u", 10, 41, 118, 22},
                         {"c", 12, 43, 100, 18},
                         {"d", 114, 43, 12, 18}},
                        1);
}

// Form controls are as large as a browser draws them; a rule of size 1 is
// one pixel high.
TEST(BrowserSizes, FormControlsAndThinRules)
{
    expectChromiumBoxes(QStringLiteral("<style>input, textarea { display: block }</style><body><input id=i size=30>"
                                       "<input id=s type=submit value=Send><textarea id=x rows=4 cols=40></textarea>"
                                       "<hr id=h size=1></body>"),
                        {{"i", 10, 15, 257, 21}, {"s", 10, 36, 47, 21}, {"x", 10, 57, 343, 66}, {"h", 10, 131, 780, 1}},
                        1);
}

// Borders given by keyword are 1, 3 and 5 px wide (a border without a width
// is medium), in shorthands and on each side, on blocks, tables and cells;
// a side without a style has none.
TEST(BrowserSizes, BorderWidthKeywords)
{
    expectChromiumBoxes(
        QStringLiteral("<body><div id=x1 style='border:thin solid black'>thin</div>"
                       "<div id=x2 style='border:medium solid black'>medium</div>"
                       "<div id=x3 style='border:thick solid black'>thick</div>"
                       "<div id=x4 style='border-style:solid;border-width:thin medium thick 2px'>m</div>"
                       "<div id=x5 style='border-left:thick double red;border-top-style:solid'>l</div>"
                       "<table id=x6 style='border:thick outset'><tr><td id=x7 "
                       "style='border:thin inset'>c</td></tr></table><p id=x8 style='border:solid'>"
                       "default</p><div id=x9 style='border-width:thick'>x</div></body>"),
        {{"x1", 10, 15, 780, 18},
         {"x2", 10, 33, 780, 22},
         {"x3", 10, 55, 780, 26},
         {"x4", 10, 81, 780, 22},
         {"x5", 10, 103, 780, 19},
         {"x6", 10, 122, 27, 34},
         {"x7", 17, 129, 13, 20},
         {"x8", 10, 172, 780, 22},
         {"x9", 10, 210, 780, 16}});
}

// Flex and grid containers stand as blocks (and inline-flex ones as inline
// blocks) rather than run into the text around them.
TEST(BrowserSizes, FlexAndGridContainersAreBlocks)
{
    expectChromiumBoxes(QStringLiteral("<body><div id=f style='display:flex;flex-direction:column;border:thin solid'>"
                                       "<div id=a>one</div><p id=b>two</p></div><div id=g style='display:grid;"
                                       "grid-template-columns:1fr;border-top:thick double'><div id=c>three</div>"
                                       "<div id=d style='border-bottom:medium dashed'>four</div></div>before <span "
                                       "id=h style='display:inline-flex;height:30px;width:50px;border:thick solid'>"
                                       "x</span> after<div id=e>x</div></body>"),
                        {{"f", 10, 15, 780, 66},
                         {"a", 11, 16, 778, 16},
                         {"b", 11, 48, 778, 16},
                         {"g", 10, 81, 780, 40},
                         {"c", 10, 86, 780, 16},
                         {"d", 10, 102, 780, 19},
                         {"h", 63, 121, 60, 40},
                         {"e", 10, 161, 780, 16}});
}

// Controls stand on the baseline of their text (a check box on its bottom
// edge), so that a line holding them is as high as in a browser; their size
// follows the face the page gives them, and the page's padding and border
// take the place of their own frame, also in a box sized with its border.
TEST(BrowserSizes, FormControlsInLines)
{
    expectChromiumBoxes(
        QStringLiteral(
            "<body><p id=p1>text <input id=i1> end</p><p id=p3>text <select id=s1><option>One</option>"
            "<option>Second longer</option></select> end</p><p id=p4>text <input type=checkbox id=c1> <input "
            "type=radio id=r1> end</p><p id=p5>text <textarea id=t1 rows=2></textarea> end</p><p id=p6>text "
            "<button id=b2>Go</button> end</p><p id=p7 style='font-size:12px'>text <input id=i2 size=10> end</p>"
            "<p id=p8>text <input id=i3 style='font-size:20px' size=10> end</p><p id=p9>text <select id=s2 size=3>"
            "<option>One</option></select> end</p><div style='width:276px;padding:12px'><input id=i4 "
            "style='display:block;width:100%;box-sizing:border-box;padding:6px 12px;border:1px solid #ccc;"
            "font-size:80%'></div><input id=i5 style='box-sizing:border-box;padding:10px;border:1px solid'><button "
            "id=b3 style='box-sizing:border-box;padding:10px'>Go</button><div id=d style='box-sizing:border-box;"
            "padding:10px;height:50px;width:100px'>x</div></body>"),
        {{"p1", 10, 15, 780, 21},  {"i1", 42, 15, 177, 21},  {"p3", 10, 52, 780, 19},  {"s1", 42, 52, 108, 19},
         {"p4", 10, 87, 780, 19},  {"c1", 46, 90, 13, 13},   {"r1", 72, 90, 13, 13},   {"p5", 10, 122, 780, 38},
         {"t1", 42, 122, 182, 36}, {"p6", 10, 176, 780, 21}, {"b2", 42, 176, 34, 21},  {"p7", 10, 213, 780, 21},
         {"i2", 34, 213, 97, 21},  {"p8", 10, 250, 780, 29}, {"i3", 42, 250, 141, 29}, {"p9", 10, 295, 780, 53},
         {"s2", 42, 295, 46, 53},  {"i4", 22, 376, 276, 29}, {"i5", 10, 418, 191, 37}, {"b3", 201, 417, 42, 39},
         {"d", 10, 456, 100, 50}},
        2);
}

// The block's own line height counts in a line only when the line holds
// text of the block itself (a space between other content, or a line break
// alone on its line): lines of small FONT text, of pictures only or of a
// cell holding one picture are as high as what they hold.
TEST(BrowserSizes, LinesWithoutTextOfTheirBlock)
{
    expectChromiumBoxes(
        QStringLiteral("<body><div id=a><font size=2>one<br></font><br><font size=2>two</font></div><div id=b><font "
                       "size=2>one</font><br><br><font size=2>two</font></div><div id=c><font size=2>one</font> "
                       "<font size=2>two</font></div><div id=d> <font size=2>one</font> </div><div id=e><font "
                       "size=2>one</font>x</div><div id=f><img src=x width=10 height=10> <img src=x width=10 "
                       "height=10></div><div id=g><br></div><div id=h><span style='font-size:10px'><br></span></div>"
                       "<div id=i><span style='font-size:10px'>a</span><br>b</div><div id=j><img src=x width=40 "
                       "height=40></div><table><tr><td id=k><img src=x width=40 height=40></td></tr></table><div "
                       "id=l style='line-height:30px'><img src=x width=40 height=10></div><div id=m "
                       "style='font-size:30px'><span style='font-size:10px'>x</span></div></body>"),
        {{"a", 10, 15, 780, 42},
         {"b", 10, 57, 780, 42},
         {"c", 10, 99, 780, 16},
         {"d", 10, 115, 780, 13},
         {"e", 10, 128, 780, 16},
         {"f", 10, 144, 780, 16},
         {"g", 10, 160, 780, 16},
         {"h", 10, 176, 780, 10},
         {"i", 10, 186, 780, 26},
         {"j", 10, 212, 780, 40},
         {"k", 12, 254, 42, 42},
         {"l", 10, 298, 780, 10},
         {"m", 10, 308, 780, 10}});
}

// White space that ends a line before a block, or begins one after it,
// leaves no line of the block's text height: a marquee alone on the body's
// line is as high as itself, and so is a line of an inline block.
TEST(BrowserSizes, WhiteSpaceBesideBlocksMakesNoLineOfText)
{
    expectChromiumBoxes(QStringLiteral("<body>\n<marquee id=mq width=300 height=40>A marquee</marquee>\n<p "
                                       "id=p>text</p><div id=d><span style='display:inline-block;height:40px;"
                                       "width:30px' id=ib></span>\n</div><div id=e>x</div></body>"),
                        {{"mq", 10, 15, 300, 40},
                         {"p", 10, 71, 780, 16},
                         {"d", 10, 103, 780, 40},
                         {"ib", 10, 103, 30, 40},
                         {"e", 10, 143, 780, 16}});
}

// A width in percent is of the content box the element is laid out in: in
// a parent sized with its border (and its padding), in a parent whose width
// is in percent too, in a float; a cell sized with its border is as wide as
// its width says.
TEST(BrowserSizes, PercentagesOfTheContentBoxAround)
{
    expectChromiumBoxes(
        QStringLiteral("<body><div id=a style='box-sizing:border-box;width:500px;padding:20px;border:5px solid red'>"
                       "<div style='width:50%;height:10px' id=a1></div><div style='width:20%;padding-left:10%;"
                       "height:10px' id=a2></div></div><div id=b style='box-sizing:border-box;width:60%;padding:0 "
                       "40px;border:1px solid'><p id=b1 style='width:50%;margin:0'>x</p></div><table><tr><td id=c "
                       "style='box-sizing:border-box;width:300px;padding:10px'><div id=c1 style='width:50%'>y</div>"
                       "</td></tr></table><div style='width:60%'><div style='width:50%' id=x>a</div></div><div "
                       "style='float:left;width:40%' id=fl><div style='width:50%' id=fl1>b</div></div></body>"),
        {{"a1", 35, 40, 225, 10},
         {"a2", 35, 50, 135, 10},
         {"b1", 51, 86, 193, 16},
         {"c", 12, 105, 300, 36},
         {"c1", 22, 115, 140, 16},
         {"x", 10, 143, 234, 16},
         {"fl", 10, 159, 312, 16},
         {"fl1", 10, 159, 156, 16}});
}

// An inline element with nothing in it makes a line of its block's text
// when it has a border or padding, not when it has only a margin.
TEST(BrowserSizes, EmptyInlineElementsWithABorderMakeALine)
{
    expectChromiumBoxes(
        QStringLiteral("<body><div id=d><span style='border:1px solid'></span></div><div id=e><span "
                       "style='border:2px solid;padding:3px'></span></div><div id=f>a<span style='border:1px "
                       "solid'></span></div><div id=g><span style='padding:5px'></span></div><div id=h><span "
                       "style='margin-left:5px'></span></div><div id=i><b><span style='border:1px solid'></span></b> "
                       "</div><div id=j>x</div></body>"),
        {{"d", 10, 15, 780, 16},
         {"e", 10, 31, 780, 16},
         {"f", 10, 47, 780, 16},
         {"g", 10, 63, 780, 16},
         {"h", 10, 79, 780, 0},
         {"i", 10, 79, 780, 16},
         {"j", 10, 95, 780, 16}});
}

// A picture that cannot be loaded and has no size of its own is the small
// box of a broken picture; with an alternative text, even an empty one, it
// takes no room. Its own width and height, and its border, it keeps.
TEST(BrowserSizes, PicturesThatCannotBeLoaded)
{
    // (Chromium's boxes once the page has loaded: while a picture is still
    // loading it takes no room.)
    expectChromiumBoxes(
        QStringLiteral("<body><div id=a><img id=i1 src='missing.gif'></div><div id=b><img id=i2 src='missing.gif' "
                       "alt='Home page'></div><div id=c>x<img id=i3 src='missing.gif' alt=''>y</div><div id=e><img "
                       "id=i5 src='missing.gif' alt='Logo' width=50 height=40></div><table><tr><td id=td><img id=i7 "
                       "src='missing.gif' alt='Long alternative text of a picture'></td></tr></table><div id=h><a "
                       "href=x><img id=i9 src='missing.gif' alt='Home' border=2></a></div><p id=p>text <img id=i8 "
                       "src='missing.gif' alt='[photo]'> more</p><div id=k style='font-size:30px'><img id=i10 "
                       "src='missing.gif' alt='Big'></div></body>"),
        {{"a", 10, 15, 780, 16},
         {"i1", 10, 15, 16, 16},
         {"b", 10, 31, 780, 16},
         {"i2", 10, 31, 102, 16},
         {"c", 10, 47, 780, 16},
         {"i3", 18, 61, 0, 0},
         {"e", 10, 63, 780, 40},
         {"i5", 10, 63, 50, 40},
         {"td", 12, 105, 260, 18},
         {"i7", 13, 106, 258, 16},
         {"h", 10, 125, 780, 20},
         {"i9", 10, 125, 65, 20},
         {"p", 10, 161, 780, 16},
         {"i8", 42, 161, 70, 16},
         {"i10", 10, 193, 61, 30}},
        1);
}

// An absolutely positioned box without offsets stands where it would stand
// in the flow: a picture or a SPAN of the text where its line has come to
// (also in a table's cell, and with only its top given), a block at the
// start of the line below.
TEST(BrowserSizes, PositionedBoxesWithoutOffsetsStandWhereTheFlowHasCome)
{
    expectChromiumBoxes(
        QStringLiteral("<body><table id=t style=\"position:absolute;left:20px;top:20px\"><tr><td id=c>Some words "
                       "before <img id=i src=none.png width=30 height=20 style=\"position:absolute\"> and after the "
                       "picture.<br>second line <img id=j width=30 height=20 src=none.png "
                       "style=\"position:absolute;top:5px\"> end</td></tr></table>"
                       "<p id=p>flow <span id=s style=\"position:absolute\">abs span</span> text</p></body>"),
        {{"i", 172, 23, 30, 20}, {"j", 114, 25, 30, 20}, {"s", 45, 15, 66, 16}}, 1);
    expectChromiumBoxes(
        QStringLiteral("<body><div id=d style=\"width:600px\">Some words before <img id=i src=none.png width=30 "
                       "height=20 style=\"position:absolute\"> and after the picture. <span id=s "
                       "style=\"position:absolute\">abs span</span> tail <div id=b style=\"position:absolute\">block "
                       "abs</div> more text</div><p id=p>line one<br>second <img id=k width=10 height=10 "
                       "style=\"position:absolute;top:300px\"> x</p></body>"),
        {{"i", 159, 15, 30, 20}, {"s", 320, 15, 66, 16}, {"b", 10, 31, 71, 16}, {"k", 69, 300, 10, 10}}, 1);
}

// Columns as browsers share them out: a banner spanning columns of widths in
// pixels leaves them at their widths, and a table of 100% in a column of 60%
// is as wide as that column, however long its text (its cell grew to the
// text's width and the outer table past its own).
TEST(BrowserSizes, TablesInColumnsOfGivenWidths)
{
    expectChromiumBoxes(
        QStringLiteral("<body><table id=t width=760 border=0 cellpadding=0 cellspacing=0><tr><td colspan=3><img "
                       "src='x.jpg' width=760 height=90 alt='Top'></td></tr><tr><td id=a width=150 valign=top>short "
                       "words here</td><td id=b width=10>x</td><td id=c width=600 valign=top>Much longer text that "
                       "would like to be very wide indeed if it could be, more than six hundred pixels of words in "
                       "one line of text for sure.</td></tr></table></body>"),
        {{"t", 10, 15, 760, 122}, {"a", 10, 105, 150, 32}, {"b", 160, 105, 10, 32}, {"c", 170, 105, 600, 32}});
    expectChromiumBoxes(
        QStringLiteral("<body><table id=t border=0 cellpadding=2 cellspacing=6 width='95%'><tr><td id=a valign=top "
                       "width='60%'><table id=n border=1 cellpadding=4 cellspacing=0 width='100%'><tr><td rowspan=3 "
                       "width=120 align=center><img src='images/avocet.jpg' alt='Avocet'></td><td>Avocet</td></tr>"
                       "<tr><td>Black and white wader with an upturned bill, swept from side to side through the "
                       "shallow water.</td></tr><tr><td>Seen here: March to August. Best from the east hide at high "
                       "tide.</td></tr></table></td><td id=b valign=top>side</td></tr></table></body>"),
        {{"t", 10, 15, 741, 144}, {"a", 16, 21, 434, 132}, {"n", 18, 23, 430, 128}, {"b", 456, 21, 289, 132}}, 1);
}

// A box of fixed position stands where its offsets say in the view (a
// generator's navigation bar at the top left), not at the body's padding.
TEST(BrowserSizes, FixedBoxesStandWhereTheirOffsetsSay)
{
    expectChromiumBoxes(
        QStringLiteral("<html><head><style>body{padding:2em 1em} table.nav{position:fixed;top:0;left:0;width:100%;"
                       "height:3em;background:#eee}</style></head><body><table id=n class=nav><tr><td id=c>nav</td>"
                       "</tr></table><div id=d style='position:fixed;top:0;left:0'>fixed div</div><p id=p>text</p>"
                       "</body></html>"),
        {{"n", 0, 0, 800, 48}, {"c", 2, 2, 796, 44}, {"d", 0, 0, 63, 16}, {"p", 26, 47, 748, 16}}, 1);
}

// White space before a line break is dropped with it: a cell or a float
// holding "P1 <br>" is as wide as "P1" (generated definition tables end
// their terms so).
TEST(BrowserSizes, WhiteSpaceBeforeALineBreakTakesNoWidth)
{
    expectChromiumBoxes(QStringLiteral("<body><table id=t1><tr><td id=a>P1 <br></td></tr></table><table id=t2><tr>"
                                       "<td id=b>P1<br></td></tr></table><div id=f style='float:left'>Words <br>"
                                       "</div><table id=t3 style='clear:left'><tr><td id=c>P1\n<br>\n</td></tr>"
                                       "</table></body>"),
                        {{"a", 12, 17, 22, 18}, {"b", 12, 39, 22, 18}, {"f", 10, 59, 48, 16}, {"c", 12, 77, 22, 18}},
                        1);
}

// Quirks-mode lines: a line of a picture and a break is as high as the
// picture (the break that ended the line before makes none of its own, and
// white space before the break goes with it),
// while lines of small text and breaks, and an empty line between two
// breaks, keep theirs.
TEST(BrowserSizes, LinesOfAPictureAndABreak)
{
    expectChromiumBoxes(
        QStringLiteral("<body><div id=a><font size=4>Latest</font><br><img id=i src='images/line.gif' width='100%' "
                       "height=3><br><p id=p style='margin:0'>after</p></div><div id=b><img src='images/line.gif' "
                       "width=100 height=3><br>x</div><div id=d><img src='images/line.gif' width=100 height=3> <br>"
                       "</div><div id=e><font size=2>small text</font><br><font size=2>more small</font><br></div>"
                       "<div id=f><font size=1>tiny</font><br>x</div><div id=g>text<br><br>after</div></body>"),
        {{"a", 10, 15, 780, 37},
         {"i", 10, 33, 780, 3},
         {"p", 10, 36, 780, 16},
         {"b", 10, 52, 780, 19},
         {"d", 10, 71, 780, 3},
         {"e", 10, 74, 780, 26},
         {"f", 10, 100, 780, 26},
         {"g", 10, 126, 780, 48}});
}

// Faces that are not installed: a list of which none is here is drawn in the
// browser's standard serif face (Verdana, Georgia, a cursive face alone), one
// that names an installed face after them in that face.
TEST(BrowserSizes, FacesThatAreNotInstalled)
{
    expectChromiumBoxes(
        QStringLiteral("<body><table cellpadding=0 cellspacing=0 id=a><tr><td><font face=Verdana size=2>Interim "
                       "service &pound;89</font></td></tr></table><table cellpadding=0 cellspacing=0 id=b><tr><td "
                       "style='font-family:Georgia'>Interim service</td></tr></table><table cellpadding=0 "
                       "cellspacing=0 id=c><tr><td style='font-family:Tahoma, Arial'>Interim service</td></tr></table>"
                       "<table cellpadding=0 cellspacing=0 id=d><tr><td><font face='Comic Sans MS, Impact'>Interim "
                       "service</font></td></tr></table></body>"),
        {{"a", 10, 15, 101, 16}, {"b", 10, 31, 96, 18}, {"c", 10, 49, 104, 18}, {"d", 10, 67, 96, 18}});
}

// Letters are kerned as a browser kerns them ("RY", "TA"): a float of words
// in capitals is as wide as chromium makes it.
TEST(BrowserSizes, TextIsKerned)
{
    expectChromiumBoxes(QStringLiteral("<body style=\"font-family:'DejaVu Sans';font-size:12px\"><div id=a "
                                       "style='float:left'>RY</div><div id=b style='float:left;clear:left'>DETAIL</div>"
                                       "<div id=c style='float:left;clear:left;text-transform:uppercase'>"
                                       "Summary:&nbsp;</div></body>"),
                        {{"a", 10, 15, 15, 14}, {"b", 10, 29, 42, 14}, {"c", 10, 43, 66, 14}});
}

// A negation of a list of selectors (`:not(h1, h2) > code`, as generated
// reference pages style their code) applies where none of them matches.
TEST(BrowserSizes, NegationsOfListsOfSelectors)
{
    expectChromiumBoxes(
        QStringLiteral("<style>code{font-family:'DejaVu Sans Mono';font-size:10px}:not(h1, h2) > code"
                       "{font-size:20px}:not(div, h2) > code.f{font-size:30px}</style><body><div id=a "
                       "style='float:left'><code>xx</code></div><div id=b style='float:left;clear:left'>"
                       "<code class=f>xx</code></div></body>"),
        {{"a", 10, 15, 24, 24}, {"b", 10, 39, 24, 24}});
}

// Lengths in ex and ch are the x-height and the width of "0" of the
// element's own face and size (generated pages pad their table cells by 1ex
// and keep their lines to some number of ch).
TEST(BrowserSizes, LengthsInUnitsOfTheFace)
{
    expectChromiumBoxes(
        QStringLiteral(
            "<body><div id=a style=\"padding:0 1ex;float:left\">x</div><div id=b style=\"width:10ex;"
            "clear:left\">x</div><div id=c style=\"width:10ex;font-family:'Liberation Serif';font-size:20px\">"
            "x</div><div id=d style=\"width:10ch;font-family:'DejaVu Sans'\">x</div><div id=e "
            "style=\"margin-left:2ch;width:50%\">x</div></body>"),
        {{"a", 10, 15, 24, 16},
         {"b", 10, 31, 81, 16},
         {"c", 10, 47, 92, 23},
         {"d", 10, 70, 102, 19},
         {"e", 30, 89, 390, 16}});
}

// A flow root (and a box with hidden overflow) keeps its first child's top
// margin and its floats inside: it ends below a float that follows its last
// block, counted from where that block's margins put it.
TEST(BrowserSizes, FlowRootsHoldTheirMarginsAndFloats)
{
    expectChromiumBoxes(
        QStringLiteral("<body><p id=a>Before</p><div id=d style=\"display:flow-root;margin:10px 0\">"
                       "<p id=b>in a flow root</p><div id=f style=\"float:left;height:40px;width:20px\">"
                       "</div></div><p id=c>After</p><div id=g style='overflow:hidden'><p id=h "
                       "style='margin:10px 0 0 0'>in</p><div style='float:left;height:40px;width:20px'>"
                       "</div></div></body>"),
        {{"a", 10, 15, 780, 16},
         {"d", 10, 47, 780, 88},
         {"b", 10, 63, 780, 16},
         {"f", 10, 95, 20, 40},
         {"c", 10, 151, 780, 16},
         {"g", 10, 183, 780, 66},
         {"h", 10, 193, 780, 16}});
}

// A picture in the text of a cell stands on the baseline of its line (the
// cell's content sits in the middle, the picture does not): a menu cell of
// a small picture and small text is as high as the two.
TEST(BrowserSizes, PicturesInCellsStandOnTheBaseline)
{
    expectChromiumBoxes(QStringLiteral("<body><table cellspacing=0 cellpadding=0><tr><td id=a><font size=2><img "
                                       "src=x.gif width=12 height=12> <a href=i>トップ</a></font></td></tr><tr><td "
                                       "id=b><img src=x.gif width=12 height=12> <font size=2>トップ</font></td></tr>"
                                       "<tr><td id=c valign=top><div><font size=2><img src=x.gif width=12 height=12> "
                                       "top</font></div></td></tr></table></body>"),
                        {{"a", 10, 15, 47, 14}, {"b", 10, 29, 47, 16}, {"c", 10, 45, 47, 14}});
}

// A page is laid out in the mode its DOCTYPE asks for, as a browser does.
namespace {

// A paragraph first in the body and one in a cell, a table in a body of
// larger text, a picture alone in a cell and a form.
const char kModePage[] = "<html><body style='font-size:20px'><p id=p1>first</p><table id=t1><tr><td id=c1>"
                         "<p id=p2>in a cell</p></td><td id=c2><img id=i1 src='none.png' width=20 height=20></td>"
                         "</tr></table><form id=f1><input></form><div id=d1>after</div></body></html>";

} // namespace

TEST(DocumentMode, ChosenByTheDoctype)
{
    using engine::DocumentMode;
    using engine::documentModeOf;
    EXPECT_EQ(documentModeOf(QString()), DocumentMode::Quirks);
    EXPECT_EQ(documentModeOf(QStringLiteral("<!DOCTYPE html>")), DocumentMode::NoQuirks);
    EXPECT_EQ(documentModeOf(QStringLiteral("<!doctype HTML SYSTEM \"about:legacy-compat\">")), DocumentMode::NoQuirks);
    EXPECT_EQ(documentModeOf(QStringLiteral("<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">")),
              DocumentMode::Quirks);
    EXPECT_EQ(documentModeOf(QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\"\n"
                                            "  \"http://www.w3.org/TR/html4/loose.dtd\">")),
              DocumentMode::LimitedQuirks);
    EXPECT_EQ(documentModeOf(QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">")),
              DocumentMode::NoQuirks);
    EXPECT_EQ(documentModeOf(QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">")),
              DocumentMode::Quirks);
    EXPECT_EQ(documentModeOf(QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\" "
                                            "\"http://www.w3.org/TR/REC-html40/loose.dtd\">")),
              DocumentMode::Quirks);
    // As generators write XHTML: an XML declaration first.
    EXPECT_EQ(documentModeOf(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE html PUBLIC "
                                            "'-//W3C//DTD XHTML 1.0 Transitional//EN' "
                                            "'http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd'>")),
              DocumentMode::LimitedQuirks);
    EXPECT_EQ(documentModeOf(QStringLiteral("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" "
                                            "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">")),
              DocumentMode::NoQuirks);
    EXPECT_EQ(documentModeOf(QStringLiteral("<!DOCTYPE svg>")), DocumentMode::Quirks);
    EXPECT_EQ(documentModeOf(QStringLiteral("<!DOCTYPE>")), DocumentMode::Quirks);
}

// Without quirks: the default margins of paragraphs stay at the edges of
// the body and of cells, a table takes the size of the text around it,
// every line is at least as high as its block's, and a form keeps no
// space below it.
TEST(DocumentMode, NoQuirksKeepsMarginsAtEdgesAndTablesInheritText)
{
    expectChromiumBoxes(QStringLiteral("<!DOCTYPE html>") + QLatin1String(kModePage), {{"p1", 10, 20, 780, 20},
                                                                                       {"t1", 10, 60, 102, 66},
                                                                                       {"c1", 12, 62, 74, 62},
                                                                                       {"p2", 13, 83, 72, 20},
                                                                                       {"c2", 88, 62, 22, 62},
                                                                                       {"i1", 89, 82, 20, 20},
                                                                                       {"f1", 10, 126, 780, 24},
                                                                                       {"d1", 10, 150, 780, 20}});
}

// Limited quirks (XHTML 1.0 Transitional): as without quirks, but a line of
// pictures or controls only is as high as what it holds.
TEST(DocumentMode, LimitedQuirksKeepsOnlyTheLineHeightQuirk)
{
    expectChromiumBoxes(QStringLiteral("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
                                       "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">") +
                            QLatin1String(kModePage),
                        {{"p1", 10, 20, 780, 20},
                         {"t1", 10, 60, 102, 66},
                         {"c1", 12, 62, 74, 62},
                         {"p2", 13, 83, 72, 20},
                         {"c2", 88, 62, 22, 62},
                         {"i1", 89, 83, 20, 20},
                         {"f1", 10, 126, 780, 21},
                         {"d1", 10, 147, 780, 20}});
}

// Quirks mode (no DOCTYPE, as the pages the editor makes): margins vanish at
// the edges, a table's text is of the default size, a form keeps a line
// below it.
TEST(DocumentMode, QuirksModeWithoutDoctype)
{
    expectChromiumBoxes(QLatin1String(kModePage), {{"p1", 10, 15, 780, 20},
                                                   {"t1", 10, 55, 88, 26},
                                                   {"c1", 12, 57, 60, 22},
                                                   {"p2", 13, 60, 58, 16},
                                                   {"c2", 74, 57, 22, 22},
                                                   {"i1", 75, 58, 20, 20},
                                                   {"f1", 10, 81, 780, 21},
                                                   {"d1", 10, 122, 780, 20}});
}

// A table made a block by its style, as pandoc's pages have them: the block
// is as wide as blocks are, its caption and rows stand in a table as wide as
// they need, with the table's spacing, the caption as wide as the rows.
TEST(BrowserSizes, TableMadeABlockHoldsATableOfItsRows)
{
    expectChromiumBoxes(
        QStringLiteral("<!DOCTYPE html><body><p id=p0>before</p><table id=t1 style='display:block;width:100%;"
                       "margin:1em 0;border-collapse:collapse;overflow-x:auto'><caption>Tides at the harbour"
                       "</caption><thead><tr><th id=h1>Time</th><th id=h2 style='padding:0 8px'>Height</th></tr>"
                       "</thead><tbody><tr><td id=c1>04:12</td><td id=c2>0.6 m</td></tr></tbody></table><table id=t2 "
                       "style='display:block'><caption>Tides at the harbour</caption><tr><td id=c3>x</td><td "
                       "id=c4>yy</td></tr></table><p id=p1>after</p></body>"),
        {{"p0", 10, 16, 780, 16},
         {"t1", 10, 48, 780, 68},
         {"h1", 10, 80, 47, 18},
         {"h2", 57, 80, 66, 18},
         {"c1", 10, 98, 47, 18},
         {"c2", 57, 98, 66, 18},
         {"t2", 10, 132, 780, 70},
         {"c3", 12, 182, 19, 18},
         {"c4", 33, 182, 35, 18},
         {"p1", 10, 218, 780, 16}});
}
