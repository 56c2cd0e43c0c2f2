// Edits one after the other on pages whose blocks lay out alone: after every
// step the boxes, words and pixels are those of a layout made from scratch,
// and a view that repaints only the dirty areas shows what a fresh paint
// shows.

#include "engine/css/Style.h"
#include "engine/layout/DocumentLayout.h"
#include "engine/layout/HitTester.h"
#include "engine/layout/TextGeometry.h"

#include "engine/EnginePage.h"
#include "engine/editing/Selection.h"
#include "engine/editing/Typing.h"
#include "engine/markup/UndoManager.h"
#include "FullLayoutCheck.h"
#include "LayoutFixture.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace engine;
using layout_test::byId;
using layout_test::expectSameAsFullLayout;

namespace {

struct Edit
{
    enum Kind { Style, Attribute, Append, Prepend, SetText, SetTextAfter };
    const char* id;
    Kind kind;
    const char* name;  // property or attribute (text edits: unused)
    const char* value; // text edits: the text of the element's first child (or next sibling)
};

struct EditsCase
{
    const char* name;
    const char* html;
    std::vector<std::vector<Edit>> steps; // each step: edits, then one layout
};

void PrintTo(const EditsCase& c, std::ostream* os)
{
    *os << c.name;
}

void applyEdit(Document* doc, const Edit& e)
{
    Element* el = byId(doc, e.id);
    const QString value = QString::fromUtf8(e.value);
    switch (e.kind) {
    case Edit::Style:
        el->style().setAttribute(QString::fromLatin1(e.name), Variant(value));
        return;
    case Edit::Attribute:
        el->setAttribute(QString::fromLatin1(e.name), Variant(value));
        return;
    case Edit::Append:
    case Edit::Prepend:
    case Edit::SetText:
    case Edit::SetTextAfter:
        break;
    }
    Text* t = (e.kind == Edit::SetTextAfter ? el->nextSibling() : el->firstChild())->asText();
    if (e.kind == Edit::Append)
        t->insertData(t->length(), value);
    else if (e.kind == Edit::Prepend)
        t->insertData(0, value);
    else
        t->replaceData(0, t->length(), value);
}

constexpr QSize kView(640, 400);

QImage freshPaint(DocumentLayout& layout)
{
    QImage image(kView, QImage::Format_RGB32);
    QPainter p(&image);
    layout.engine().draw(p, image.rect());
    return image;
}

// What a view shows that repaints only the dirty areas.
void repaintDirty(DocumentLayout& layout, QImage& shown)
{
    const QRegion dirty = layout.takeDirtyRegion();
    QPainter p(&shown);
    for (const QRect& r : dirty)
        layout.engine().draw(p, r.intersected(shown.rect()));
}

// Hit testing and caret places read the boxes and words kept from earlier
// layouts: they answer as on a page laid out once.
void expectSameGeometry(DocumentLayout& layout, Document& doc, const std::string& step)
{
    DocumentLayout fresh(&doc);
    fresh.setViewportSize(kView);
    fresh.ensureLayout();
    HitTester mine(layout);
    HitTester theirs(fresh);
    for (int y = 0; y < kView.height(); y += 7) {
        for (int x = 0; x < kView.width(); x += 9) {
            EXPECT_EQ(mine.elementAtPagePoint(QPoint(x, y)), theirs.elementAtPagePoint(QPoint(x, y)))
                << step << " at " << x << "," << y;
        }
    }
    TextGeometry myText(layout);
    TextGeometry theirText(fresh);
    std::vector<Text*> texts;
    layout_test::collectTexts(doc.body(), texts);
    for (Text* t : texts) {
        for (int i = 0; i <= t->length(); ++i)
            EXPECT_EQ(myText.caretRect(t, i), theirText.caretRect(t, i)) << step << " caret " << i;
    }
}

class BlockLayoutEdits : public ::testing::TestWithParam<EditsCase>
{
};

TEST_P(BlockLayoutEdits, EveryStepMatchesAFreshLayoutAndPaint)
{
    const EditsCase& c = GetParam();
    Ref<Document> doc = pageFrom(QString::fromUtf8(c.html));
    DocumentLayout layout(doc.get());
    layout.setViewportSize(kView);
    layout.ensureLayout();
    QImage shown = freshPaint(layout);
    layout.takeDirtyRegion();
    for (size_t i = 0; i < c.steps.size(); ++i) {
        std::string step = std::string(c.name) + " step " + std::to_string(i);
        const int blockLayouts = layout.counters().blockLayouts;
        for (const Edit& e : c.steps[i])
            applyEdit(doc.get(), e);
        layout.ensureLayout();
        step += layout.counters().blockLayouts > blockLayouts ? " (block alone)" : " (whole)";
        expectSameAsFullLayout(layout, *doc, step, true);
        expectSameGeometry(layout, *doc, step);
        repaintDirty(layout, shown);
        EXPECT_TRUE(shown == freshPaint(layout)) << step << ": stale pixels after an incremental repaint";
        if (HasFailure())
            return;
    }
}

// Typing in a cell of each table of the pages below, then cutting it short.
const std::vector<std::vector<Edit>> kTableWidthSteps = {
    {{"a", Edit::Append, nullptr, " two three"}},
    {{"b", Edit::Append, nullptr, " of the second table"}},
    {{"c", Edit::Append, nullptr, " = value"}},
    {{"d", Edit::Append, nullptr, " table grows"}},
    {{"e", Edit::Append, nullptr, " wider"}},
    {{"a", Edit::Append, nullptr,
      " and words enough to wrap the cell at the width of the view, with more words after them"}},
    {{"a", Edit::SetText, nullptr, "o"}},
    {{"b", Edit::SetText, nullptr, "h"}},
    {{"c", Edit::SetText, nullptr, "n"}},
    {{"d", Edit::SetText, nullptr, "i"}}};

const EditsCase kEditsCases[] = {
    // A page without quirks: margins kept at the body's and cells' edges,
    // lines at least as high as their block's.
    {"PageWithoutQuirks",
     "<!DOCTYPE html><body style='font-size:18px'><p id=p>first <b id=b>x</b></p><table><tr><td id=c>"
     "<p id=q>cell</p></td><td><img src=none.png width=10 height=10></td></tr></table><form id=f><input></form>"
     "<div id=d><span id=s>end</span></div></body>",
     {{{"b", Edit::Append, nullptr, "yz"}},
      {{"p", Edit::Style, "margin-top", "30px"}},
      {{"q", Edit::Append, nullptr, " grows"}},
      {{"s", Edit::Style, "font-size", "10px"}},
      {{"f", Edit::Style, "margin-bottom", "0"}}}},
    // A table made a block: the rows' table grows inside the block's width.
    {"TableMadeABlock",
     "<!DOCTYPE html><body><table id=t style='display:block;width:100%'><caption id=k>caption</caption><tr>"
     "<td id=c>one</td><td>two</td></tr></table><p>after</p></body>",
     {{{"c", Edit::Append, nullptr, " and more words in the cell"}},
      {{"k", Edit::Append, nullptr, " that is long enough to wrap when the rows are narrow"}},
      {{"t", Edit::Style, "width", "50%"}}}},
    // Margins that collapse through the block's edges.
    {"FirstChildMarginCollapsesThroughTheBlock",
     "<body><div id=d style='background-color:#eee'><p id=p style='margin-top:10px'>first <b id=b>x</b></p>"
     "<p>second</p></div><p>after</p></body>",
     {{{"b", Edit::Style, "font-weight", "normal"}},
      {{"p", Edit::Style, "margin-top", "30px"}},
      {{"b", Edit::Style, "font-style", "italic"}},
      {{"p", Edit::Style, "margin-top", "0"}}}},
    {"LastChildMarginCollapsesWithTheNextBlock",
     "<body><div id=d><p id=p style='margin-bottom:40px'>last <span id=s>word</span></p></div>"
     "<p style='margin-top:10px'>after</p></body>",
     {{{"s", Edit::Style, "font-weight", "bold"}},
      {{"p", Edit::Style, "margin-bottom", "5px"}},
      {{"s", Edit::Style, "font-weight", "normal"}}}},
    {"EmptyBlockMarginsCollapseThroughIt",
     "<body><p>before</p><div id=d style='margin-top:20px;margin-bottom:30px'><span id=s></span></div>"
     "<p>after</p></body>",
     {{{"s", Edit::Style, "font-weight", "bold"}}, {{"s", Edit::Style, "padding-left", "3px"}}}},
    {"HeadingMarginsThroughItsWrappers",
     "<body><div id=ch><div><div id=w><h1 id=h>Title <b id=b>x</b></h1></div></div><p id=p>text</p>"
     "<div id=hd><hr id=hr></div><p>after</p></div><p>end</p></body>",
     {{{"b", Edit::Style, "font-weight", "normal"}},
      {{"h", Edit::Style, "margin-top", "40px"}},
      {{"w", Edit::Style, "padding-top", "2px"}},
      {{"b", Edit::Append, nullptr, "yz"}},
      {{"w", Edit::Style, "padding-top", "0"}},
      {{"hr", Edit::Style, "margin-bottom", "30px"}},
      {{"ch", Edit::Style, "border-bottom", "1px solid"}}}},
    // Blocks that let margins through until text comes into them, and
    // again when it goes: no answer of an earlier layout stays.
    {"ANestTakesTextAndLosesIt",
     "<body><p>before</p><div id=o style='margin-bottom:30px'><div><div id=i><span id=s> </span></div></div>"
     "<div><b id=b>x</b></div></div><h3 id=h>after</h3><p>end</p></body>",
     {{{"s", Edit::SetText, nullptr, "words"}},
      {{"b", Edit::SetText, nullptr, " "}},
      {{"s", Edit::SetText, nullptr, " "}},
      {{"i", Edit::Style, "padding-bottom", "2%"}},
      {{"b", Edit::SetText, nullptr, "y"}},
      {{"i", Edit::Style, "padding-bottom", "0"}}}},
    {"BlocksAtFractionsOfAPixel",
     "<body><h1>One</h1><h5>five</h5><div id=d><h4 id=h>Four <b id=b>x</b></h4><p id=p>a few words "
     "here</p><span id=s>tail</span></div><h6>six</h6><p id=q>end</p></body>",
     {{{"s", Edit::Append, nullptr, " with words"}},
      {{"b", Edit::Append, nullptr,
        " and more words that wrap the heading onto a second line of the view, "
        "and a third one when the words go on long enough for it"}},
      {{"h", Edit::Style, "margin-bottom", "1.7em"}},
      {{"p", Edit::Style, "font-size", "0.83em"}},
      {{"q", Edit::Style, "margin-top", "0.45em"}}}},
    // The text that ends a heading goes and comes back: its last paragraph's
    // margin (1em of 24 px) then collapses through the heading's bottom with
    // the next heading's (1.33em of 16 px), which ends at another fraction
    // of a pixel, and so does everything below.
    {"HeadingLosesTheTextAfterItsLastParagraph",
     "<body><p>page</p><h2 id=h><p>one</p><p id=q>two</p>x</h2><h4>four</h4><dl><dt>term</dt><dd>def</dd></dl>"
     "<p>end</p></body>",
     {{{"q", Edit::SetTextAfter, nullptr, " "}},
      {{"q", Edit::SetTextAfter, nullptr, "back"}},
      {{"h", Edit::Style, "margin-bottom", "0.9em"}}}},
    {"ItemsOfGridsAndFlexColumns",
     "<body><div style='display:grid;grid-template-columns:minmax(10%, max-content) auto'><div id=a>one</div>"
     "<div id=b>two words</div><div><p id=c>three</p></div></div><div style='display:flex;flex-direction:column'>"
     "<div><span id=d>four</span><div style='float:left'>five</div></div><p id=e>six</p></div></body>",
     {{{"a", Edit::Append, nullptr, " and a longer text"}},
      {{"c", Edit::Append, nullptr, " lines of words that wrap in their cell when they go on long enough"}},
      {{"d", Edit::Append, nullptr, " grows"}},
      {{"e", Edit::Style, "margin-top", "2em"}}}},
    {"EmptyParagraphTakesText",
     "<body><p>before</p><p id=e> </p><div id=d><p id=f> </p></div><p>after</p></body>",
     {{{"e", Edit::Append, nullptr, "x"}},
      {{"f", Edit::Append, nullptr, "y"}},
      {{"e", Edit::SetText, nullptr, " "}},
      {{"f", Edit::SetText, nullptr, ""}}}},
    {"PreformattedTextThatStartsWithABreak",
     "<body><pre id=p><b id=b>\n#define X</b>\ny</pre><p>after</p></body>",
     {{{"b", Edit::Append, nullptr, " 1"}},
      {{"b", Edit::Prepend, nullptr, "\n"}},
      {{"b", Edit::SetText, nullptr, "q"}},
      {{"b", Edit::SetText, nullptr, "\n\nq"}}}},

    // Lists: markers and the numbers of the later items.
    {"OrderedListItemChanges",
     "<body><ol id=o><li id=a>one <b id=b>b</b></li><li>two</li><li>three</li></ol><p>after</p></body>",
     {{{"b", Edit::Style, "font-weight", "normal"}},
      {{"a", Edit::Attribute, "value", "7"}},
      {{"o", Edit::Attribute, "start", "3"}},
      {{"a", Edit::Attribute, "type", "a"}},
      {{"b", Edit::Append, nullptr, "c"}}}},
    {"ParagraphInsideAListItem",
     "<body><ul><li><p id=p>para <i id=i>in</i></p><p>second</p></li><li>next</li></ul></body>",
     {{{"i", Edit::Style, "font-style", "normal"}},
      {{"p", Edit::Style, "text-align", "center"}},
      {{"p", Edit::Prepend, nullptr, "more "}}}},
    {"ListStyleOfTheList",
     "<body><ul id=u><li id=a>one</li><li>two</li></ul></body>",
     {{{"u", Edit::Style, "list-style-type", "square"}},
      {{"a", Edit::Style, "list-style-type", "decimal"}},
      {{"u", Edit::Attribute, "type", "circle"}}}},

    // Images without a size, alignment, line height.
    {"ImageWithoutSizeInTheBlock",
     "<body><p id=p>text <img id=im src='missing.png' alt='no image'> more</p><p>after</p></body>",
     {{{"p", Edit::Append, nullptr, " typed"}},
      {{"im", Edit::Attribute, "alt", "other words"}},
      {{"p", Edit::Style, "font-weight", "bold"}}}},
    {"TextAlignAndVerticalAlign",
     "<body><p id=p>one <span id=s>two</span> <img id=im width=20 height=30></p><p>after</p></body>",
     {{{"p", Edit::Style, "text-align", "right"}},
      {{"s", Edit::Style, "vertical-align", "super"}},
      {{"im", Edit::Style, "vertical-align", "middle"}},
      {{"p", Edit::Style, "text-align", "center"}},
      {{"s", Edit::Style, "vertical-align", "baseline"}}}},
    {"LineHeightThatKeepsTheHeight",
     "<body><p id=p style='line-height:30px'>big <span id=s>small</span></p><p>after</p></body>",
     {{{"s", Edit::Style, "line-height", "10px"}},
      {{"s", Edit::Style, "line-height", "20px"}},
      {{"s", Edit::Style, "font-size", "8px"}}}},

    // Line breaks: what a break makes of a line depends on its neighbours.
    {"BreaksAfterTheChange",
     "<body><p id=p><span id=s>a</span><br>b<br><span id=t>c</span><br><br>d</p><p>after</p></body>",
     {{{"s", Edit::SetText, nullptr, ""}},
      {{"s", Edit::SetText, nullptr, "again"}},
      {{"t", Edit::SetText, nullptr, ""}},
      {{"t", Edit::SetText, nullptr, "x"}},
      {{"s", Edit::Style, "font-weight", "bold"}}}},
    {"BreakAtTheEndOfTheBlock",
     "<body><div id=d><span id=s>text</span><br></div><p>after</p></body>",
     {{{"s", Edit::SetText, nullptr, ""}}, {{"s", Edit::SetText, nullptr, "back"}}}},

    // Widths from elsewhere.
    {"BlockOfPercentageWidth",
     "<body><div style='width:50%'><p id=p style='width:80%;background-color:#eee'>in <b id=b>half</b></p></div>"
     "<p>after</p></body>",
     {{{"b", Edit::Style, "font-weight", "normal"}}, {{"p", Edit::Append, nullptr, " more"}}}},
    {"BlockInACentredTable",
     "<body><table align=center border=1><tr><td><p id=p>cell <b id=b>bold</b></p></td><td>x</td></tr></table>"
     "<p>after</p></body>",
     {{{"b", Edit::Style, "font-weight", "normal"}},
      {{"p", Edit::Style, "text-align", "right"}},
      {{"b", Edit::Append, nullptr, "er"}}}},
    {"CentredTableOfFixedWidth",
     "<body><table align=center border=1 width=300><tr><td id=c>cell <b id=b>bold</b></td></tr></table>"
     "<p>after</p></body>",
     {{{"b", Edit::Style, "font-weight", "normal"}}, {{"c", Edit::Style, "text-align", "center"}}}},
    {"BlockInAMarquee",
     "<body><marquee><p id=p>moving <b id=b>text</b></p></marquee><p>after</p></body>",
     {{{"b", Edit::Style, "font-weight", "normal"}}, {{"p", Edit::Append, nullptr, " more"}}}},
    {"BodyItself",
     "<body id=body><p id=p>text</p><p>after</p></body>",
     {{{"body", Edit::Style, "font-weight", "bold"}},
      {{"p", Edit::Style, "font-style", "italic"}},
      {{"body", Edit::Style, "text-align", "center"}},
      {{"body", Edit::Style, "margin-left", "40px"}},
      {{"p", Edit::Append, nullptr, " typed"}}}},

    // Text.
    {"PreformattedText",
     "<body><pre id=p>line one\nline   two</pre><p>after</p></body>",
     {{{"p", Edit::Append, nullptr, "  x"}},
      {{"p", Edit::Prepend, nullptr, "\t"}},
      {{"p", Edit::SetText, nullptr, "a   b"}},
      {{"p", Edit::Append, nullptr, "\nthird"}}}},
    {"WhiteSpacePreInAParagraph",
     "<body><p id=p style='white-space:pre'>a  b</p><p>after</p></body>",
     {{{"p", Edit::Append, nullptr, "   c"}}, {{"p", Edit::Style, "white-space", "normal"}}}},
    {"NoWrapParagraph",
     "<body><div style='width:100px'><p id=p style='white-space:nowrap'>a b</p></div><p>after</p></body>",
     {{{"p", Edit::Append, nullptr, " c d e f g h i"}}, {{"p", Edit::Style, "white-space", "normal"}}}},
    {"WordWiderThanTheBlock",
     "<body><div style='width:100px;background-color:#eee'><p id=p>a</p><p>b</p></div><p>after</p></body>",
     {{{"p", Edit::Append, nullptr, "aaaaaaaaaaaaaaaaaaaaaaaaa"}},
      {{"p", Edit::Append, nullptr, "aaaaaaaaaa"}},
      {{"p", Edit::SetText, nullptr, "a"}}}},
    {"SelectorsChange",
     "<head><style>.big{font-weight:bold} #q{color:red}</style></head>"
     "<body><p id=p>one <span id=s>two</span></p><p>after</p></body>",
     {{{"s", Edit::Attribute, "class", "big"}},
      {{"s", Edit::Append, nullptr, "x"}},
      {{"s", Edit::Attribute, "id", "q"}},
      {{"p", Edit::Append, nullptr, "y"}}}},

    // Paint-only properties, and what hit testing reads from the boxes.
    {"VisibilityAndOverflow",
     "<body><p id=p>one <span id=s>two</span></p><div id=d style='height:20px'><p>tall</p><p>er</p></div></body>",
     {{{"s", Edit::Style, "visibility", "hidden"}},
      {{"p", Edit::Append, nullptr, "x"}},
      {{"s", Edit::Style, "visibility", "visible"}},
      {{"d", Edit::Style, "overflow", "hidden"}},
      {{"p", Edit::Style, "visibility", "hidden"}}}},

    {"ColoursOfListMarkers",
     "<body><ul><li id=a>one</li><li>two</li></ul><ol id=o><li>three</li><li id=b>four</li></ol></body>",
     {{{"a", Edit::Style, "color", "red"}},
      {{"o", Edit::Style, "color", "blue"}},
      {{"b", Edit::Style, "color", "green"}},
      {{"o", Edit::Attribute, "bgcolor", "yellow"}}}},
    {"FixedHeightBlockOverflows",
     "<body><div id=d style='height:30px;background-color:#eee'><p id=p>one</p></div><p>after</p></body>",
     {{{"p", Edit::Append, nullptr, " two"}},
      {{"p", Edit::Style, "font-size", "30px"}},
      {{"p", Edit::Style, "font-size", "40px"}},
      {{"p", Edit::SetText, nullptr, "one"}}}},
    {"BesideAFloatInAnotherContext",
     "<body><div style='float:left;width:100px;height:200px;background-color:#eee'>f</div>"
     "<div style='overflow:hidden'><p id=p>beside <b id=b>the</b> float</p><p>below</p></div></body>",
     {{{"b", Edit::Style, "font-weight", "normal"}}, {{"p", Edit::Append, nullptr, " more"}}}},

    {"CellVerticalAlign",
     "<body><table border=1><tr><td id=c valign=bottom height=80>x <b id=b>y</b></td><td>z</td></tr></table>"
     "<p>after</p></body>",
     {{{"b", Edit::Style, "font-weight", "normal"}},
      {{"c", Edit::Attribute, "valign", "top"}},
      {{"c", Edit::Style, "vertical-align", "middle"}},
      {{"b", Edit::Append, nullptr, "yy"}}}},
    // Typing in a cell widens its table, then wraps its words at the
    // view's width; the text cut short narrows it again: centred by its
    // attribute, by its margins, by the DIV around it, one in another's
    // cell, and one beside a float (laid out whole); in BODY and in a text
    // box.
    {"TablesWidenedAndNarrowedByTheirCells",
     "<body><table align=center border=1><tr><td id=a>one</td><td>x</td></tr></table>"
     "<table style='margin:4px auto' cellpadding=3><tr><th id=b>head</th></tr><tr><td>cell</td></tr></table>"
     "<div align=center><table border=1><caption>Settings</caption><tr><td id=c>name</td></tr></table></div>"
     "<table border=1><tr><td><table bgcolor=#eee><tr><td id=d>inner</td></tr></table></td><td>z</td></tr>"
     "</table><div style='overflow:hidden'><div style='float:right;width:50px;height:40px'>f</div><table "
     "border=1><tr><td id=e>"
     "by a float</td></tr></table></div><p>after</p></body>",
     kTableWidthSteps},
    {"TablesInATextBoxWidenedAndNarrowedByTheirCells",
     "<body><table style='position:absolute;left:20px;top:20px'><tr><td><table align=center border=1><tr><td "
     "id=a>one</td><td>x</td></tr></table>"
     "<table style='margin:4px auto' cellpadding=3><tr><th id=b>head</th></tr><tr><td>cell</td></tr></table>"
     "<div align=center><table border=1><caption>Settings</caption><tr><td id=c>name</td></tr></table></div>"
     "<table border=1><tr><td><table bgcolor=#eee><tr><td id=d>inner</td></tr></table></td><td>z</td></tr>"
     "</table><div style='overflow:hidden'><div style='float:right;width:50px;height:40px'>f</div><table "
     "border=1><tr><td id=e>"
     "by a float</td></tr></table></div><p>after</p></td></tr></table></body>",
     kTableWidthSteps},
    {"TableInACentringDiv",
     "<body><div align=center><table border=1><tr><td id=c>cell <b id=b>bold</b></td></tr></table></div>"
     "<p>after</p></body>",
     {{{"b", Edit::Style, "font-weight", "normal"}}, {{"b", Edit::Append, nullptr, "er"}}}},
    {"IndentsAndPercentPadding",
     "<body><div style='width:300px'><p id=p style='text-indent:30px;padding-left:10%'>some <i id=i>words</i></p>"
     "</div><p>after</p></body>",
     {{{"p", Edit::Style, "text-indent", "10%"}},
      {{"i", Edit::Append, nullptr, "x"}},
      {{"p", Edit::Style, "padding-left", "5%"}}}},
    {"RuleAndBreakAttributes",
     "<body><p id=p>a<br id=br>b <img src=none.png width=20 height=20 align=left> c</p><hr id=h width=50%>"
     "<p>after</p></body>",
     {{{"h", Edit::Attribute, "color", "red"}},
      {{"h", Edit::Attribute, "align", "left"}},
      {{"br", Edit::Attribute, "clear", "all"}},
      {{"h", Edit::Attribute, "noshade", ""}}}},
    {"BlockInsideAnInline",
     "<body><p>one <span id=s>two <b id=b>bold</b><div id=d>block <i id=i>in</i></div>three</span></p>"
     "<p>after</p></body>",
     {{{"i", Edit::Style, "font-style", "normal"}},
      {{"b", Edit::Style, "font-weight", "normal"}},
      {{"d", Edit::Style, "text-align", "center"}}}},

    {"LayerDraggedThenEdited",
     "<body><p>flow</p><div id=d style='position:absolute;left:40px;top:60px;width:200px;background-color:#ccf'>"
     "<p id=p>in <b id=b>the</b> layer</p><ul><li id=l>item</li></ul></div></body>",
     {{{"d", Edit::Style, "left", "100px"}},
      {{"b", Edit::Style, "font-weight", "normal"}},
      {{"d", Edit::Style, "top", "90px"}},
      {{"p", Edit::Append, nullptr, " x"}},
      {{"d", Edit::Style, "left", "20px"}, {"l", Edit::Style, "color", "red"}},
      {{"l", Edit::Append, nullptr, "s"}}}},

    {"StyleSheetText",
     "<head><title id=t>page</title><style id=st>p{color:red}</style></head><body><p id=p>text</p></body>",
     {{{"st", Edit::SetText, nullptr, "p{color:blue;font-size:30px}"}},
      {{"t", Edit::SetText, nullptr, "other"}},
      {{"p", Edit::Append, nullptr, "x"}},
      {{"st", Edit::Append, nullptr, " b{color:green}"}}}},

    {"TextDirectlyInBodyAndInsideMarkers",
     "<body id=body>loose <b id=b>text</b><div style='display:list-item;list-style-position:inside'>"
     "<span id=s>inside</span></div><dl><dt id=t>term</dt><dd><p id=p>definition</p></dd></dl></body>",
     {{{"b", Edit::Style, "font-weight", "normal"}},
      {{"s", Edit::Style, "font-weight", "bold"}},
      {{"t", Edit::Append, nullptr, "s"}},
      {{"p", Edit::Style, "font-style", "italic"}},
      {{"body", Edit::Prepend, nullptr, "more "}}}},

    {"ColumnsAndCellSpans",
     "<body><table id=t border=1 width=400><colgroup><col id=c width=100><col></colgroup>"
     "<tr><td id=a>a</td><td>b</td></tr><tr><td id=d colspan=2>wide</td></tr></table><p>after</p></body>",
     {{{"c", Edit::Attribute, "width", "200"}},
      {{"a", Edit::Append, nullptr, "aa"}},
      {{"d", Edit::Attribute, "colspan", "1"}},
      {{"t", Edit::Attribute, "cellpadding", "6"}},
      {{"a", Edit::Style, "font-size", "8px"}}}},
    {"FontElementsAndScrollingBlock",
     "<body><p id=p style='height:40px;overflow:auto'><font id=f size=2>small</font> words<br>two<br>three</p>"
     "<p>after</p></body>",
     {{{"f", Edit::Attribute, "size", "3"}},
      {{"f", Edit::Attribute, "face", "serif"}},
      {{"f", Edit::Attribute, "color", "red"}},
      {{"f", Edit::Append, nullptr, "er"}}}},

    {"SpacesAcrossElements",
     "<body><p id=p>a<b id=b> b</b> <i id=i>c</i></p><div><p id=q>d</p> <p>e</p></div></body>",
     {{{"p", Edit::Append, nullptr, " "}},
      {{"b", Edit::SetTextAfter, nullptr, "  x  "}},
      {{"b", Edit::SetTextAfter, nullptr, ""}},
      {{"p", Edit::Append, nullptr, "\u00a0\u00a0y"}},
      {{"q", Edit::SetTextAfter, nullptr, " between "}},
      {{"q", Edit::SetTextAfter, nullptr, " "}}}},

    // Box kinds the page's layout elements are built for when it loads.
    {"DisplayOfListsAndTables",
     "<body><ul id=u><li id=l>one</li><li>two</li></ul><table id=t border=1><tbody id=tb><tr><td id=c>a</td>"
     "<td>b</td></tr></tbody></table><div id=d>div <span id=s>in <p>block</p></span></div></body>",
     {{{"u", Edit::Style, "display", "inline"}},
      {{"l", Edit::Style, "display", "block"}},
      {{"tb", Edit::Style, "display", "inline"}},
      {{"c", Edit::Style, "display", "block"}},
      {{"t", Edit::Style, "display", "block"}},
      {{"d", Edit::Style, "display", "list-item"}},
      {{"s", Edit::Style, "display", "block"}},
      {{"s", Edit::Style, "display", "inline"}},
      {{"d", Edit::Style, "display", "table-cell"}}}},

    // Many steps on one block; then undone by hand.
    {"TypingThenTakingItBack",
     "<body><p>before</p><p id=p>some <b id=b>bold</b> words</p><p>after</p></body>",
     {{{"p", Edit::Append, nullptr, "x"}},
      {{"p", Edit::Append, nullptr, "y"}},
      {{"b", Edit::Style, "font-style", "italic"}},
      {{"b", Edit::Append, nullptr, "er"}},
      {{"b", Edit::SetText, nullptr, "bold"}},
      {{"b", Edit::Style, "font-style", "normal"}},
      {{"p", Edit::SetText, nullptr, "some "}}}},
};

INSTANTIATE_TEST_SUITE_P(Pages, BlockLayoutEdits, ::testing::ValuesIn(kEditsCases),
                         [](const ::testing::TestParamInfo<EditsCase>& i) { return std::string(i.param.name); });

// A page laid out again (at another width, then back) comes out as a page
// laid out once: nothing of the first layout stays in the elements.
class LayoutAgain : public ::testing::TestWithParam<const char*>
{
};

TEST_P(LayoutAgain, MatchesAFirstLayout)
{
    Ref<Document> doc = pageFrom(QString::fromUtf8(GetParam()));
    DocumentLayout layout(doc.get());
    layout.setViewportSize(kView);
    layout.ensureLayout();
    layout.setViewportSize(QSize(1200, 400));
    layout.ensureLayout();
    layout.setViewportSize(kView);
    layout.ensureLayout();
    expectSameAsFullLayout(layout, *doc, GetParam(), true);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, LayoutAgain,
    ::testing::Values(
        "<body><table align=center border=1><tr><td>a cell of some words</td><td>x</td></tr></table></body>",
        "<body><table style='margin-left:120px' border=1><tr><td>a cell with words that wrap when the "
        "table is narrower than they are</td></tr></table></body>",
        "<body><table style='margin:0 auto;padding:4px' border=1 cellspacing=6><tr><td>centred</td>"
        "<td>by its margins with words enough to fill a line of the view</td></tr></table></body>",
        "<body><div style='margin-left:10%'><table style='margin-left:20%' border=1><tr><td>percent "
        "margins and a long line of words in the cell</td></tr></table></div></body>",
        "<body><marquee width=50%>moving words</marquee><ol><li>one<li>two</ol>"
        "<img src=none.png width=40% alt='no image'><br><input type=text size=30> <hr width=60%>"
        "<p align=center>centred <img src=none.png align=middle></p></body>"));

// The page's rules for narrow screens (@media) apply and stop applying as
// the view's width changes, as at a first layout at that width.
TEST(LayoutAgain, MediaRulesFollowTheWidthOfTheView)
{
    Ref<Document> doc = pageFrom("<!DOCTYPE html><html><head><style>body{max-width:400px;padding:50px}"
                                 "@media (max-width: 600px) {body{padding:1em;font-size:0.9em} h1{font-size:1.8em}}"
                                 "</style></head><body><h1>Title</h1><p>a few words in a paragraph that wraps "
                                 "when the body is narrow</p></body></html>");
    DocumentLayout layout(doc.get());
    for (const int width : {500, 1000, 500}) {
        layout.setViewportSize(QSize(width, 400));
        layout.ensureLayout();
        expectSameAsFullLayout(layout, *doc, "at " + std::to_string(width), true);
    }
}

// The fixture pages likewise, at the width of a view and back.
class LayoutAgainOnFixtures : public ::testing::TestWithParam<const char*>
{
};

TEST_P(LayoutAgainOnFixtures, MatchesAFirstLayout)
{
    Ref<Document> doc = pageFrom(layout_test::readFixture(QString::fromLatin1(GetParam())));
    DocumentLayout layout(doc.get());
    layout.setBaseFolder(layout_test::fixtureFolder());
    for (const int width : {800, 1300, 500, 800}) {
        layout.setViewportSize(QSize(width, 600));
        layout.ensureLayout();
    }
    expectSameAsFullLayout(layout, *doc, GetParam(), true, layout_test::fixtureFolder());
}

INSTANTIATE_TEST_SUITE_P(Fixtures, LayoutAgainOnFixtures, ::testing::ValuesIn(layout_test::kFixturePages),
                         layout_test::fixtureTestName);

// Typing at the caret (words, a line break, deleting) and undoing it all,
// each step laid out and repainted as a view does.
TEST(BlockLayoutEdits, TypingAndUndoingMatchAFreshLayout)
{
    Ref<Document> doc = pageFrom("<body><p>before</p><p id=p>some <b>bold</b> words</p><ul><li id=l>item</li></ul>"
                                 "<p>after</p></body>");
    DocumentLayout layout(doc.get());
    layout.setViewportSize(kView);
    layout.ensureLayout();
    QImage shown = freshPaint(layout);
    layout.takeDirtyRegion();
    int step = 0;
    const auto check = [&] {
        layout.ensureLayout();
        const std::string what = "step " + std::to_string(step++);
        expectSameAsFullLayout(layout, *doc, what, true);
        repaintDirty(layout, shown);
        EXPECT_TRUE(shown == freshPaint(layout)) << what << ": stale pixels";
    };
    Typing typing(doc.get());
    doc->selection().collapseAt(byId(doc.get(), "p")->firstChild(), 4);
    for (const char* word : {"x", "y", " ", "z"}) {
        ASSERT_TRUE(typing.insertText(QString::fromLatin1(word)));
        check();
    }
    ASSERT_TRUE(typing.insertLineBreak());
    check();
    ASSERT_TRUE(typing.deleteBackward());
    check();
    doc->selection().collapseAt(byId(doc.get(), "l")->firstChild(), 2);
    ASSERT_TRUE(typing.insertText(QStringLiteral("long")));
    check();
    doc->undoManager().closeOpenUnits();
    while (doc->undoManager().canUndo()) {
        ASSERT_TRUE(doc->undoManager().undo());
        check();
        if (HasFailure())
            return;
    }
    EXPECT_EQ(byId(doc.get(), "p")->firstChild()->asText()->data(), QStringLiteral("some "));
    // (The words typed on a line took the shortcut.)
    EXPECT_GE(layout.counters().blockLayouts, 4);
}

} // namespace

namespace {

// The root box covers the view: a view made taller or shorter lays the page
// out at once (a body of the view's height draws its border at the new
// bottom), also with a block change pending.
TEST(LayoutAgain, AViewOfAnotherHeightLaysOutAtOnce)
{
    Ref<Document> doc =
        pageFrom("<html style='height:100%'><body style='height:100%;border:3px solid red;margin:0'>"
                 "<div style='height:50%;background-color:#ccc'>half</div><p id=p>text</p></body></html>");
    DocumentLayout layout(doc.get());
    layout.setViewportSize(kView);
    layout.ensureLayout();
    layout.setViewportSize(QSize(640, 700));
    layout.ensureLayout();
    expectSameAsFullLayout(layout, *doc, "taller", true);
    byId(doc.get(), "p")->style().setAttribute(QStringLiteral("font-weight"), Variant(QStringLiteral("bold")));
    layout.setViewportSize(QSize(640, 300));
    layout.ensureLayout();
    expectSameAsFullLayout(layout, *doc, "bold and shorter", true);
}

} // namespace

namespace {

// Edits drawn from a fixed sequence of numbers on the fixture pages: styles
// that keep or change the size, text typed and taken out, each laid out and
// compared with a fresh layout.
class BlockLayoutMixedEdits : public ::testing::TestWithParam<const char*>
{
};

TEST_P(BlockLayoutMixedEdits, MatchAFreshLayout)
{
    static const std::pair<const char*, const char*> kStyles[] = {
        {"font-weight", "bold"},      {"font-style", "italic"},         {"text-align", "center"},
        {"text-align", "right"},      {"vertical-align", "super"},      {"line-height", "12px"},
        {"font-size", "9px"},         {"padding-left", "3px"},          {"color", "red"},
        {"background-color", "#ff0"}, {"text-decoration", "underline"}, {"white-space", "nowrap"},
        {"visibility", "hidden"},     {"list-style-type", "square"},    {"text-indent", "10px"},
    };
    Ref<Document> doc = pageFrom(layout_test::readFixture(QString::fromLatin1(GetParam())));
    DocumentLayout layout(doc.get());
    layout.setBaseFolder(layout_test::fixtureFolder());
    layout.setViewportSize(QSize(800, 600));
    layout.ensureLayout();
    const ElementCollection all = doc->all();
    std::vector<Element*> elements;
    for (int i = 0; i < all.length(); ++i) {
        Element* el = all.item(i);
        if (el->isConnected() && doc->body()->contains(el) && el != doc->body())
            elements.push_back(el);
    }
    std::vector<Text*> texts;
    layout_test::collectTexts(doc->body(), texts);
    ASSERT_FALSE(elements.empty());
    ASSERT_FALSE(texts.empty());
    unsigned seed = 777;
    const auto next = [&seed](unsigned n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    for (int step = 0; step < 80; ++step) {
        std::string what = std::string(GetParam()) + " step " + std::to_string(step);
        const int blockLayouts = layout.counters().blockLayouts;
        if (next(2) == 0) {
            Element* el = elements[next(static_cast<unsigned>(elements.size()))];
            const auto& [name, value] = kStyles[next(std::size(kStyles))];
            el->style().setAttribute(QString::fromLatin1(name), Variant(QString::fromLatin1(value)));
            what += " " + el->tagName().toStdString() + " " + name + ":" + value;
        } else {
            Text* t = texts[next(static_cast<unsigned>(texts.size()))];
            const int at = static_cast<int>(next(static_cast<unsigned>(t->length()) + 1));
            if (t->length() > 2 && next(3) == 0)
                t->deleteData(std::min(at, t->length() - 2), 2);
            else
                t->insertData(at, next(2) ? QStringLiteral("ab") : QStringLiteral(" c"));
        }
        layout.ensureLayout();
        what += layout.counters().blockLayouts > blockLayouts ? " (block alone)" : " (whole)";
        expectSameAsFullLayout(layout, *doc, what, step % 5 == 0, layout_test::fixtureFolder());
        if (HasFailure())
            return;
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, BlockLayoutMixedEdits, ::testing::ValuesIn(layout_test::kFixturePages),
                         layout_test::fixtureTestName);

} // namespace
