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
