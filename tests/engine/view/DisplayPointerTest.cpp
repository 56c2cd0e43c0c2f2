#include "engine/view/DisplayPointer.h"

#include "engine/EnginePage.h"
#include "engine/editing/Selection.h"
#include "engine/layout/LayoutFixture.h"
#include "engine/markup/MarkupPointer.h"
#include "engine/view/PageView.h"

#include <gtest/gtest.h>

using namespace engine;

TEST(DisplayPointer, MovesByPointByPointerAndByLineKeepingX)
{
    Ref<Document> doc = pageFrom("<body><p id=p style='width:160px'>one two three four five six seven eight nine "
                                 "ten eleven</p></body>");
    PageView view(doc.get());
    view.setHeadless(QSize(400, 300));
    Text* text = layout_test::byId(doc.get(), "p")->firstChild()->asText();

    DisplayPointer pointer(view);
    EXPECT_FALSE(pointer.isPositioned());
    MarkupPointer markup;
    markup.moveTo(text, 4);
    ASSERT_TRUE(pointer.moveToMarkupPointer(markup));
    const QRect caret = pointer.caretRect();
    const auto line = pointer.lineInfo();
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(line->x, 10);
    EXPECT_GT(line->baseline, line->top);

    ASSERT_TRUE(pointer.moveToLine(1));
    const QRect below = pointer.caretRect();
    EXPECT_GT(below.top(), caret.top());
    EXPECT_LE(std::abs(below.left() - caret.left()), 10);
    ASSERT_TRUE(pointer.moveToLine(-1));
    EXPECT_EQ(pointer.offset(), 4); // back to the same column
    EXPECT_FALSE(pointer.moveToLine(-1));

    ASSERT_TRUE(pointer.moveToPoint(below.center()));
    MarkupPointer placed;
    ASSERT_TRUE(pointer.positionMarkupPointer(placed));
    EXPECT_EQ(placed.container(), text);
    EXPECT_GT(placed.offset(), 4);

    // The caret follows a display pointer and reports its location.
    ASSERT_TRUE(view.moveCaretTo(pointer));
    EXPECT_TRUE(doc->selection().isCollapsed());
    EXPECT_EQ(view.caretLocation(), pointer.caretRect());
}

namespace {

struct PointerPage
{
    explicit PointerPage(const char* html) : doc(pageFrom(html)), view(doc.get()) { view.setHeadless(QSize(500, 400)); }
    Text* textOf(const char* id) { return layout_test::byId(doc.get(), id)->firstChild()->asText(); }
    // Places a pointer at the start of an element's text and moves it by lines.
    Node* after(const char* id, int lines)
    {
        DisplayPointer pointer(view);
        MarkupPointer markup;
        markup.moveTo(textOf(id), 0);
        if (!pointer.moveToMarkupPointer(markup))
            return nullptr;
        for (int i = 0; i < std::abs(lines); ++i) {
            if (!pointer.moveToLine(lines < 0 ? -1 : 1))
                return nullptr;
        }
        return pointer.node();
    }
    Ref<Document> doc;
    PageView view;
};

} // namespace

// The line below or above is the one under or over the pointer's x, not the
// next one in the page's order: from a cell it goes to the cell below.
TEST(DisplayPointer, LineMovesCrossTableCellsDownAndUp)
{
    PointerPage page("<body><p id=before>before the table</p>"
                     "<table cellspacing=4><tr><td id=a width=150>alpha</td><td id=b width=150>beta<br>"
                     "<span id=b2>beta two</span><br><span id=b3>beta three</span></td></tr>"
                     "<tr><td id=c>gamma</td><td id=d>delta</td></tr></table>"
                     "<p id=after>after the table</p></body>");
    EXPECT_EQ(page.after("a", 1), page.textOf("c"));
    EXPECT_EQ(page.after("c", -1), page.textOf("a"));
    EXPECT_EQ(page.after("b", 1), page.textOf("b2"));
    EXPECT_EQ(page.after("b3", 1), page.textOf("d"));
    EXPECT_EQ(page.after("d", -1), page.textOf("b3"));
    EXPECT_EQ(page.after("c", 1), page.textOf("after"));
    EXPECT_EQ(page.after("before", 1), page.textOf("a"));
    EXPECT_EQ(page.after("after", -1), page.textOf("c"));
}

// Short and empty paragraphs are not jumped over for a line further down
// that lies under x.
TEST(DisplayPointer, LineMovesStopAtShortLines)
{
    PointerPage page("<body><p id=long>a long first paragraph line</p><p id=short>x</p>"
                     "<p id=next>a long first paragraph line</p></body>");
    DisplayPointer pointer(page.view);
    MarkupPointer markup;
    markup.moveTo(page.textOf("long"), 20);
    ASSERT_TRUE(pointer.moveToMarkupPointer(markup));
    ASSERT_TRUE(pointer.moveToLine(1));
    EXPECT_EQ(pointer.node(), page.textOf("short"));
    EXPECT_EQ(pointer.offset(), 1);
    ASSERT_TRUE(pointer.moveToLine(1));
    EXPECT_EQ(pointer.node(), page.textOf("next"));
    EXPECT_EQ(pointer.offset(), 20); // the column kept over the short line
}

// The caret's location is where the view draws it, also where no text is.
TEST(DisplayPointer, CaretLocationOutsideTextIsWhereTheCaretIsDrawn)
{
    PointerPage page("<body><table><tr><td id=empty width=80 height=30></td></tr></table>"
                     "<p id=p>pic <img id=img src='none.png' width=40 height=20></p></body>");
    Element* cell = layout_test::byId(page.doc.get(), "empty");
    page.doc->selection().collapseAt(cell, 0);
    const QRect inCell = page.view.caretLocation();
    EXPECT_FALSE(inCell.isNull());
    EXPECT_EQ(inCell, page.view.caretPageRect().translated(-page.view.scrollPosition()));

    // After an image at the end of a paragraph: at the image's right edge.
    Element* p = layout_test::byId(page.doc.get(), "p");
    page.doc->selection().collapseAt(p, 2);
    const LayoutBox* img = page.view.layout().box(layout_test::byId(page.doc.get(), "img"));
    ASSERT_NE(img, nullptr);
    const QRect afterImage = page.view.caretLocation();
    ASSERT_FALSE(afterImage.isNull());
    EXPECT_EQ(afterImage.left(), img->borderBox.left() + img->borderBox.width());
}

// A display pointer stands wherever a markup pointer may: in an empty cell,
// before an element at the start of a cell, after an image; the caret
// follows it there and a markup pointer comes back from the caret.
TEST(DisplayPointer, StandsOutsideTextToo)
{
    PointerPage page("<body><table border=1><tr><td id=empty width=80 height=30></td>"
                     "<td id=bold><b id=b>bold</b> text</td></tr></table>"
                     "<p id=p>pic <img id=img src='none.png' width=40 height=20></p><p id=below>below</p></body>");
    Element* empty = layout_test::byId(page.doc.get(), "empty");
    DisplayPointer pointer(page.view);
    MarkupPointer at;
    at.moveTo(empty, 0);
    ASSERT_TRUE(pointer.moveToMarkupPointer(at));
    ASSERT_TRUE(page.view.moveCaretTo(pointer));
    EXPECT_EQ(page.doc->selection().start().node(), empty);
    const QRect cell = page.view.layout().box(empty)->contentBox;
    const QRect caret = page.view.caretLocation();
    EXPECT_TRUE(cell.contains(caret.topLeft())) << caret.x() << "," << caret.y();
    EXPECT_EQ(pointer.caretRect(), caret);
    ASSERT_TRUE(pointer.lineInfo().has_value());
    EXPECT_EQ(pointer.lineInfo()->x, caret.left());
    MarkupPointer back;
    ASSERT_TRUE(page.view.moveMarkupPointerToCaret(back));
    EXPECT_EQ(back.container(), empty);
    EXPECT_EQ(back.offset(), 0);
    // From the empty cell down to the text below the table.
    ASSERT_TRUE(pointer.moveToLine(1));
    EXPECT_EQ(pointer.node(), page.textOf("p"));

    // Before the B that starts a cell: the start of its text.
    at.moveTo(layout_test::byId(page.doc.get(), "bold"), 0);
    ASSERT_TRUE(pointer.moveToMarkupPointer(at));
    EXPECT_EQ(pointer.node(), page.textOf("b"));
    EXPECT_EQ(pointer.offset(), 0);

    // After the image that ends a paragraph: at its right edge.
    at.moveTo(layout_test::byId(page.doc.get(), "p"), 2);
    ASSERT_TRUE(pointer.moveToMarkupPointer(at));
    const LayoutBox* img = page.view.layout().box(layout_test::byId(page.doc.get(), "img"));
    EXPECT_EQ(pointer.caretRect().left(), img->borderBox.left() + img->borderBox.width());
    ASSERT_TRUE(pointer.moveToLine(1));
    EXPECT_EQ(pointer.node(), page.textOf("below"));

    // A point in the empty cell places the pointer in it.
    ASSERT_TRUE(pointer.moveToPoint(cell.center()));
    EXPECT_EQ(pointer.node(), empty);
}

// A display pointer stands on an empty line: from a point or a markup
// pointer before its break, with the line's own info, and moves through it.
TEST(DisplayPointer, StandsOnEmptyLines)
{
    Ref<Document> doc = pageFrom("<body><p id=p style='margin:0'>one<br><br>three</p></body>");
    PageView view(doc.get());
    view.setHeadless(QSize(400, 300));
    Element* p = layout_test::byId(doc.get(), "p");
    DisplayPointer pointer(view);
    MarkupPointer markup;
    markup.moveTo(p->firstChild(), 1);
    ASSERT_TRUE(pointer.moveToMarkupPointer(markup));
    const auto first = pointer.lineInfo();
    ASSERT_TRUE(first.has_value());

    ASSERT_TRUE(pointer.moveToLine(1));
    const auto empty = pointer.lineInfo();
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(empty->top, first->top + first->height);
    EXPECT_EQ(empty->height, first->height);
    EXPECT_EQ(empty->baseline - empty->top, first->baseline - first->top);
    MarkupPointer placed;
    ASSERT_TRUE(pointer.positionMarkupPointer(placed));
    EXPECT_EQ(placed.container(), p);
    EXPECT_EQ(placed.offset(), 2); // before the second break

    ASSERT_TRUE(pointer.moveToLine(1));
    ASSERT_TRUE(pointer.positionMarkupPointer(placed));
    EXPECT_EQ(placed.container(), p->lastChild());
    ASSERT_TRUE(pointer.moveToPoint(QPoint(200, empty->top + 3)));
    ASSERT_TRUE(pointer.positionMarkupPointer(placed));
    EXPECT_EQ(placed.container(), p);
    EXPECT_EQ(placed.offset(), 2);
    EXPECT_EQ(pointer.caretRect().top(), empty->top);
}
