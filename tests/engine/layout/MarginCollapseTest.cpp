// Vertical margins collapse and lines stand as in a browser: each case is
// laid out as headless chromium lays out the same markup at the same width
// (the boxes below are chromium's, the body given the engine's margins and
// face).

#include "engine/EnginePage.h"
#include "engine/layout/BlockFlow.h"
#include "engine/layout/DocumentLayout.h"

#include <gtest/gtest.h>

using engine::DocumentLayout;
using engine::LayoutBox;

namespace {

struct ChromiumBox
{
    const char* id;
    int top;
    int height;
};

// The page is read, written for the layout and laid out as the editor does.
void expectChromiumBoxes(const QString& html, std::initializer_list<ChromiumBox> boxes)
{
    engine::Ref<engine::Document> doc = pageFrom(html);
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(800, 2000));
    for (const ChromiumBox& c : boxes) {
        const LayoutBox* box = layout.tree().boxByHtmlId(QString::fromLatin1(c.id));
        ASSERT_TRUE(box) << c.id;
        EXPECT_EQ(box->borderBox.top(), c.top) << c.id;
        EXPECT_EQ(box->borderBox.height(), c.height) << c.id;
    }
}

} // namespace

// A heading wrapped in DIVs, as documentation generators write them, stands
// with all its wrappers at one top; a rule's bottom margin collapses through
// the end of the DIV it ends; inside a border the first and last margins
// stay; a bottom padding keeps the last one inside.
TEST(MarginCollapse, ParentAndFirstOrLastChildThroughAnyDepth)
{
    expectChromiumBoxes(QStringLiteral("<body><div id=ch><div id=tp><div><div id=w><h1 id=h1>Title</h1></div>"
                                       "</div></div><p id=p1>text</p><div id=hd><hr id=hr></div><p id=p2>after</p>"
                                       "</div><div id=bd style='border:1px solid'><hr id=hr2><div><p id=p3>x</p>"
                                       "</div></div><div id=pd style='padding-bottom:1px'><div><p id=p4>y</p></div>"
                                       "</div></body>"),
                        {{"ch", 15, 119},
                         {"tp", 15, 32},
                         {"w", 15, 32},
                         {"h1", 15, 32},
                         {"p1", 68, 16},
                         {"hd", 100, 2},
                         {"hr", 100, 2},
                         {"p2", 118, 16},
                         {"bd", 150, 60},
                         {"hr2", 159, 2},
                         {"p3", 177, 16},
                         {"pd", 226, 33},
                         {"p4", 226, 16}});
}

// Adjacent siblings share the larger margin; a negative one is subtracted;
// the margins above, inside and below empty blocks (an empty inline, a
// paragraph of one space) are one with those around them.
TEST(MarginCollapse, SiblingsAndEmptyBlocks)
{
    expectChromiumBoxes(
        QStringLiteral("<body><p id=p5>z</p><div id=e1></div><div id=e2 style='margin:20px 0'>"
                       "<span></span></div><p id=e3> </p><h2 id=h2 style='margin-top:-5px'>neg</h2>"
                       "<p id=after>after</p></body>"),
        {{"p5", 15, 16}, {"e1", 47, 0}, {"e2", 51, 0}, {"e3", 51, 0}, {"h2", 46, 24}, {"after", 90, 16}});
}

// Boxes with a flow of their own keep their content's margins inside:
// one that clips, an inline block, a float; a block that clears no float
// lets its child's margin through.
TEST(MarginCollapse, NotThroughBoxesWithAFlowOfTheirOwn)
{
    expectChromiumBoxes(QStringLiteral("<body><p>z</p><div id=ov style='overflow:hidden'><p id=p6>clip</p></div>"
                                       "<div id=ib style='display:inline-block'><p id=p7>ib</p></div>"
                                       "<div id=fl style='float:left;width:100px'><p id=p8>fl</p></div>"
                                       "<div id=cl style='clear:left'><p id=p9>cleared</p></div></body>"),
                        {{"ov", 47, 48},
                         {"p6", 63, 16},
                         {"ib", 95, 48},
                         {"p7", 111, 16},
                         {"fl", 95, 48},
                         {"p8", 111, 16},
                         {"cl", 159, 16},
                         {"p9", 159, 16}});
}

// In quirks mode the default margins of paragraphs and headings vanish at
// the top and bottom of a cell however deep they stand; after text they
// count. The first cell's content stands in the middle of its height.
TEST(MarginCollapse, QuirkyMarginsVanishAtTheEdgesOfACell)
{
    expectChromiumBoxes(QStringLiteral("<body><table><tr><td id=td1><div><div><p id=p10>cell</p></div></div></td>"
                                       "<td id=td2><h4 id=h4>h</h4>text<p id=p11>end</p></td></tr></table></body>"),
                        {{"td1", 17, 87}, {"p10", 53, 16}, {"td2", 17, 87}, {"h4", 18, 16}, {"p11", 87, 16}});
}

// A preformatted line break that begins a line ends an empty line of its
// own (litehtml alone opened the next line with it, so that a PRE whose
// text starts with a break, or an inline child that does, lost a line);
// a form holds the text that ends it and keeps a line of space below it,
// in a cell too.
TEST(BlockLines, PreformattedBreaksAndFormsTakeTheirLines)
{
    expectChromiumBoxes(QStringLiteral("<body><pre id=a><b>\n#define X 1\n</b></pre><pre id=b>\n\nx</pre>"
                                       "<pre id=c>a\n\nb</pre><pre id=d>\n\n\nx</pre><div id=e "
                                       "style='white-space:pre'>\n\nx</div><form id=f>form text</form>"
                                       "<p id=p>after form</p><table><tr><td id=td><form>in cell</form></td></tr>"
                                       "</table></body>"),
                        {{"a", 15, 30},
                         {"b", 58, 30},
                         {"c", 101, 45},
                         {"d", 159, 45},
                         {"e", 217, 48},
                         {"f", 265, 16},
                         {"p", 297, 16},
                         {"td", 331, 34}});
}

// Lines of a font size of a fraction of a pixel (a heading of 1.17em is
// 18.72 px) are as high as the face's metrics make them at that size, not
// at the whole pixels the font is drawn in.
TEST(BlockLines, FractionalFontSizesGiveTheirLineHeights)
{
    expectChromiumBoxes(QStringLiteral("<body><h3 id=a>Heading three</h3><h5 id=b>five</h5>"
                                       "<p id=d style='font-size:1.17em'>para<br>two</p></body>"),
                        {{"a", 15, 18}, {"b", 55, 14}, {"d", 91, 36}});
}

// A block that holds only floats and a block clearing them takes the
// floats' height: it is not empty, and what follows stands below it.
TEST(MarginCollapse, ABlockWhoseContentClearsFloatsIsNotEmpty)
{
    expectChromiumBoxes(QStringLiteral("<body><div id=w><div id=l style='float:left;width:100px'>left<br>two</div>"
                                       "<div id=r style='float:right;width:100px'>right</div>"
                                       "<div id=c style='clear:both'></div></div><p id=p>after</p></body>"),
                        {{"w", 15, 32}, {"l", 15, 32}, {"r", 15, 16}, {"c", 47, 0}, {"p", 63, 16}});
}

// Margins in em of fractional sizes (0.67em of 32 px is 21.44 px) keep
// their fractions: each block stands at the whole pixel nearest its exact
// place, so that a pixel lost at one heading is not lost again at the next,
// in DIVs, after lines and after a list as well.
TEST(BlockLines, FractionsOfMarginsDoNotAddUp)
{
    expectChromiumBoxes(
        QStringLiteral("<body><h1 id=a>One</h1><h2 id=b>Two</h2><h3 id=c>Three</h3><h4 id=d>Four</h4>"
                       "<h5 id=e>Five</h5><h6 id=f>Six</h6><p id=g>text</p><div id=h><h2 id=i>Two</h2>text "
                       "after<br>second</div><h3 id=j>Three</h3><div id=k><h4 id=l>Four</h4><h5 id=m>Five</h5>"
                       "</div><p id=n style='font-size:0.9em;margin:0.7em 0'>small</p><p id=o "
                       "style='margin-top:1.3em'>x</p><ul id=p style='margin:0.35em 0'><li>a</li></ul><h6 id=q>"
                       "six</h6><h4 id=r>x</h4><p id=s>x</p><h4 id=t>x</h4><p id=u>end</p></body>"),
        {{"a", 15, 32},  {"b", 68, 24},  {"c", 112, 18}, {"d", 152, 16}, {"e", 190, 14}, {"f", 229, 10},
         {"g", 264, 16}, {"h", 300, 76}, {"i", 300, 24}, {"j", 394, 18}, {"k", 434, 52}, {"l", 434, 16},
         {"m", 472, 14}, {"n", 508, 15}, {"o", 544, 16}, {"p", 576, 16}, {"q", 617, 10}, {"r", 652, 16},
         {"s", 689, 16}, {"t", 726, 16}, {"u", 763, 16}});
}

// A heading wrapped in the four DIVs documentation generators write around
// it, after other content: the DIVs and the heading share one top, one
// heading margin below what precedes them (not one margin more per DIV).
// (The first DIV's height is that of its box as painted, both edges at
// their whole pixels: chromium tells 69.44 px.)
TEST(MarginCollapse, AHeadingsMarginCollapsesThroughTheDivsAroundIt)
{
    expectChromiumBoxes(QStringLiteral("<body><p id=p0>before</p><div id=c1><div id=t1><div id=d1><div id=d2>"
                                       "<h1 id=h1>Chapter</h1></div></div></div><p id=p1>text</p></div><div id=c2>"
                                       "<div id=t2><div id=d3><div id=d4><h2 id=h2>Section</h2></div></div>"
                                       "<hr id=hr0></div><p id=p2>para</p></div></body>"),
                        {{"c1", 52, 70},
                         {"t1", 52, 32},
                         {"d1", 52, 32},
                         {"d2", 52, 32},
                         {"h1", 52, 32},
                         {"p1", 106, 16},
                         {"c2", 142, 78},
                         {"t2", 142, 46},
                         {"d4", 142, 24},
                         {"h2", 142, 24},
                         {"hr0", 186, 2},
                         {"p2", 204, 16}});
}

// A rule that ends a DIV, or DIVs nested in one another, after a paragraph
// or a line of text: its bottom margin collapses through their ends with
// what follows (a paragraph, a heading, another rule) instead of adding
// to it.
TEST(MarginCollapse, ARulesBottomMarginCollapsesThroughTheEndOfItsDiv)
{
    expectChromiumBoxes(QStringLiteral("<body><div id=n1><p id=p3>x</p><hr id=hr1></div><p id=p4>after</p>"
                                       "<div id=n2><div id=n3>text<hr id=hr2></div></div><h3 id=h3>heading</h3>"
                                       "<div id=n4><hr id=hr3></div><div id=n5><hr id=hr4></div>end</body>"),
                        {{"n1", 15, 34},
                         {"hr1", 47, 2},
                         {"p4", 65, 16},
                         {"n2", 97, 26},
                         {"n3", 97, 26},
                         {"hr2", 121, 2},
                         {"h3", 142, 18},
                         {"n4", 178, 2},
                         {"n5", 188, 2}});
}

// A heading inside DIVs nested about as deep as the layout takes them: all
// of them stand at the heading's top, one heading margin below the
// paragraph before, as high as the heading. Whether a block lets margins
// through is worked out a few times a block, not again for each block
// around it (that took time of the cube of the depth).
TEST(MarginCollapse, ADeepNestOfDivsStandsAtItsHeadingsTop)
{
    constexpr int kDepth = 150;
    QString html = QStringLiteral("<body><p id=p0>before</p>");
    for (int i = 0; i < kDepth; ++i)
        html += QStringLiteral("<div id=d%1>").arg(i);
    html += QStringLiteral("<h2 id=h>deep</h2>");
    for (int i = 0; i < kDepth; ++i)
        html += QStringLiteral("</div>");
    html += QStringLiteral("<p id=p1>after</p></body>");
    const long answersBefore = engine::BlockFlow::collapseAnswersWorkedOut();
    engine::Ref<engine::Document> doc = pageFrom(html);
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(800, 600));
    layout.ensureLayout();
    const long answers = engine::BlockFlow::collapseAnswersWorkedOut() - answersBefore;
    const LayoutBox* p0 = layout.tree().boxByHtmlId(QStringLiteral("p0"));
    const LayoutBox* h = layout.tree().boxByHtmlId(QStringLiteral("h"));
    const LayoutBox* p1 = layout.tree().boxByHtmlId(QStringLiteral("p1"));
    ASSERT_TRUE(p0 && h && p1);
    // (The heading's margins of 0.83em of 24 px are wider than the paragraphs'.)
    EXPECT_EQ(h->borderBox.top(), p0->borderBox.bottom() + 1 + 20);
    EXPECT_EQ(p1->borderBox.top(), h->borderBox.bottom() + 1 + 20);
    for (int i = 0; i < kDepth; ++i) {
        const LayoutBox* d = layout.tree().boxByHtmlId(QStringLiteral("d%1").arg(i));
        ASSERT_TRUE(d) << i;
        EXPECT_EQ(d->borderBox.top(), h->borderBox.top()) << i;
        EXPECT_EQ(d->borderBox.height(), h->borderBox.height()) << i;
    }
    EXPECT_LT(answers, 10 * kDepth);
}
