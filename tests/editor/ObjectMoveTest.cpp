// Moving and resizing the selected objects: arrow keys, sizing handles, the
// drag move with its auto-scroll, and the area selection.

#include "ObjectsPage.h"

#include "app/CZQDoc.h"

#include "engine/css/Style.h"
#include "engine/layout/DocumentLayout.h"
#include "engine/layout/FullLayoutCheck.h"

#include <QElapsedTimer>

namespace {

class ObjectMove : public ObjectsPage
{
protected:
    void grid(int size, bool visible, bool snap)
    {
        frame()->m_settings.gridSize = size;
        frame()->m_settings.gridVisible = visible ? 1 : 0;
        frame()->m_settings.snapOn = snap ? 1 : 0;
    }

    int left(const char* id) const { return engine::Style::pixels(byId(id)->style().left()); }
    int top(const char* id) const { return engine::Style::pixels(byId(id)->style().top()); }
    QPoint at(const char* id) const { return QPoint(left(id), top(id)); }

    // The client point of a page point.
    QPoint client(QPoint pagePoint) const { return pagePoint - page()->scrollPosition(); }

    void undo()
    {
        doc()->undoManager().undo();
        settle();
    }
};

TEST_F(ObjectMove, ArrowKeysMoveToTheNextGridLineOrByOnePixel)
{
    ASSERT_NE(open(QStringLiteral(">\n") + image("a", 23, 40, 30, 20) + image("b", 20, 100, 30, 20) +
                   image("c", 0, 200, 30, 20)),
              nullptr);
    grid(10, true, false);
    selectObjects({"a", "b"});
    const int steps = undoSteps();
    sink()->NudgeSelection(37, 0);
    EXPECT_EQ(left("a"), 20);
    EXPECT_EQ(left("b"), 10);
    EXPECT_EQ(undoSteps(), steps + 1);
    sink()->NudgeSelection(39, 0);
    EXPECT_EQ(left("a"), 30);
    EXPECT_EQ(left("b"), 20);
    sink()->NudgeSelection(40, 0);
    EXPECT_EQ(at("a"), QPoint(30, 50));
    EXPECT_EQ(at("b"), QPoint(20, 110));
    // Ctrl, or the grid hidden: one pixel.
    sink()->NudgeSelection(39, 2);
    EXPECT_EQ(left("a"), 31);
    grid(10, false, false);
    sink()->NudgeSelection(38, 0);
    EXPECT_EQ(at("a"), QPoint(31, 49));
    EXPECT_EQ(at("b"), QPoint(21, 109));
    EXPECT_TRUE(view()->GetDocument()->isModified());
    // One undo step per key press, for every object it moved.
    EXPECT_EQ(undoSteps(), steps + 5);
    undo();
    EXPECT_EQ(at("a"), QPoint(31, 50));
    EXPECT_EQ(at("b"), QPoint(21, 110));
    // Never past the page's left edge.
    grid(10, true, false);
    selectObjects({"c"});
    sink()->NudgeSelection(37, 0);
    EXPECT_EQ(left("c"), 0);
}

TEST_F(ObjectMove, ArrowKeysFollowAnObjectOutOfView)
{
    ASSERT_NE(open(QStringLiteral(">\n<DIV style=\"height: 3000px\"></DIV>\n") + image("a", 40, 0, 30, 20)), nullptr);
    grid(10, false, false);
    const int bottom = clientBox("a").top() + page()->viewport()->height();
    byId("a")->style().setAttribute(QStringLiteral("top"), engine::Variant(QStringLiteral("%1px").arg(bottom - 25)));
    selectObjects({"a"});
    ASSERT_EQ(page()->scrollPosition().y(), 0);
    for (int i = 0; i < 10; ++i)
        sink()->NudgeSelection(40, 0);
    settle();
    EXPECT_GT(page()->scrollPosition().y(), 0);
    // The object stays in view.
    EXPECT_LE(clientBox("a").bottom(), page()->viewport()->height());
}

TEST_F(ObjectMove, ShiftAndArrowKeysResize)
{
    ASSERT_NE(open(QStringLiteral(">\n") + image("a", 23, 40, 30, 20) + image("thin", 100, 40, 1, 20) +
                   QStringLiteral("<HR id=hr size=4 style=\"POSITION: absolute; LEFT: 10px; TOP: 200px; WIDTH: "
                                  "100px\">\n")),
              nullptr);
    grid(10, true, false);
    selectObjects({"a"});
    // The right edge one pixel past the next grid line.
    sink()->NudgeSelection(39, 4);
    settle();
    EXPECT_EQ(sink()->GetPixelWidth(byId("a")), 38);
    EXPECT_EQ(byId("a")->getAttributeText(QStringLiteral("width")), QStringLiteral("38"));
    EXPECT_EQ(byId("a")->getAttributeText(QStringLiteral("height")), QStringLiteral("20"));
    grid(10, false, false);
    sink()->NudgeSelection(37, 4);
    settle();
    EXPECT_EQ(sink()->GetPixelWidth(byId("a")), 37);
    // Never below one pixel.
    selectObjects({"thin"});
    sink()->NudgeSelection(37, 4);
    settle();
    EXPECT_EQ(sink()->GetPixelWidth(byId("thin")), 1);
    // A rule's thickness is its size.
    selectObjects({"hr"});
    const int thickness = sink()->GetPixelHeight(byId("hr"));
    sink()->NudgeSelection(40, 4);
    settle();
    EXPECT_EQ(byId("hr")->getAttributeText(QStringLiteral("size")), QString::number(thickness + 1));
    EXPECT_FALSE(byId("hr")->hasAttribute(QStringLiteral("height")));
}

TEST_F(ObjectMove, HandlesResizeTheSelectionTogether)
{
    ASSERT_NE(open(QStringLiteral(">\n") + image("a", 100, 100, 60, 40) + image("b", 300, 100, 80, 40)), nullptr);
    grid(10, false, false);
    EXPECT_EQ(CImpIDispatch::HitTestHandle(platform::Rect(93, 93, 167, 147), QPoint(163, 143)), 20);
    EXPECT_EQ(CImpIDispatch::HitTestHandle(platform::Rect(93, 93, 167, 147), QPoint(128, 95)), 2);
    EXPECT_EQ(CImpIDispatch::HitTestHandle(platform::Rect(93, 93, 167, 147), QPoint(128, 120)), 1);
    EXPECT_EQ(CImpIDispatch::HitTestHandle(platform::Rect(93, 93, 167, 147), QPoint(167, 120)), 0);
    // The bottom right handle of the selected object.
    selectObjects({"a"});
    EXPECT_TRUE(sink()->BeginHandleResize(163, 143));
    EXPECT_EQ(sink()->m_nSizeHandle, 20);
    const int steps = undoSteps();
    sink()->BeginUndoUnit();
    during(QPoint(173, 148), [&] { sink()->ResizeByHandle(173, 148); });
    during(QPoint(183, 153), [&] { sink()->ResizeByHandle(183, 153); });
    sink()->EndUndoUnit();
    settle();
    EXPECT_EQ(QSize(sink()->GetPixelWidth(byId("a")), sink()->GetPixelHeight(byId("a"))), QSize(80, 50));
    EXPECT_EQ(at("a"), QPoint(100, 100));
    EXPECT_EQ(undoSteps(), steps + 1);
    undo();
    EXPECT_EQ(QSize(sink()->GetPixelWidth(byId("a")), sink()->GetPixelHeight(byId("a"))), QSize(60, 40));

    // The second of two selected objects grabbed becomes the first; both follow.
    selectObjects({"a", "b"});
    ASSERT_TRUE(sink()->BeginHandleResize(383, 143));
    EXPECT_EQ(selectedIds(), QStringList({QStringLiteral("b"), QStringLiteral("a")}));
    during(QPoint(393, 143), [&] { sink()->ResizeByHandle(393, 143); });
    settle();
    EXPECT_EQ(sink()->GetPixelWidth(byId("b")), 90);
    EXPECT_EQ(sink()->GetPixelWidth(byId("a")), 70);
}

// Without a selection, a handle of an object is grabbed where it stands,
// outside the object's box: the object is selected and resized.
TEST_F(ObjectMove, AHandleOfAnObjectNotSelectedTakesHoldOfIt)
{
    ASSERT_NE(open(QStringLiteral(">\n<P id=p>文章</P>\n") + image("a", 100, 100, 60, 40) +
                   QStringLiteral("<HR id=hr size=2 style=\"POSITION: absolute; LEFT: 300px; TOP: 200px; WIDTH: "
                                  "100px\">\n<DIV id=box style=\"POSITION: absolute; LEFT: 100px; TOP: 300px; "
                                  "WIDTH: 200px; HEIGHT: 100px\"><P>箱の文章</P></DIV>\n")),
              nullptr);
    grid(10, false, false);
    doc()->selection().empty();
    // Beside the picture, on no handle: nothing.
    EXPECT_FALSE(sink()->BeginHandleResize(120, 95));
    EXPECT_TRUE(selected().empty());
    // The top-left handle, wholly outside the picture.
    ASSERT_TRUE(sink()->BeginHandleResize(95, 95));
    EXPECT_EQ(sink()->m_nSizeHandle, 10);
    EXPECT_EQ(selectedIds(), QStringList({QStringLiteral("a")}));
    during(QPoint(85, 90), [&] { sink()->ResizeByHandle(85, 90); });
    settle();
    EXPECT_EQ(at("a"), QPoint(90, 95));
    EXPECT_EQ(QSize(sink()->GetPixelWidth(byId("a")), sink()->GetPixelHeight(byId("a"))), QSize(70, 45));
    // The bottom-middle handle of a thin rule.
    doc()->selection().empty();
    const QRect rule = clientBox("hr");
    ASSERT_TRUE(sink()->BeginHandleResize(rule.center().x(), rule.bottom() + 4));
    EXPECT_EQ(sink()->m_nSizeHandle, 4);
    EXPECT_EQ(selectedIds(), QStringList({QStringLiteral("hr")}));
    // The right-middle handle of a text box, beside its paragraph.
    doc()->selection().empty();
    ASSERT_TRUE(sink()->BeginHandleResize(303, 350));
    EXPECT_EQ(sink()->m_nSizeHandle, 16);
    EXPECT_EQ(selectedIds(), QStringList({QStringLiteral("box")}));
    // Empty page: nothing.
    doc()->selection().empty();
    EXPECT_FALSE(sink()->BeginHandleResize(600, 500));
    EXPECT_TRUE(selected().empty());
}

TEST_F(ObjectMove, ACornerWithShiftKeepsTheProportions)
{
    ASSERT_NE(open(QStringLiteral(">\n") + image("a", 100, 100, 60, 40)), nullptr);
    grid(10, false, false);
    selectObjects({"a"});
    ASSERT_TRUE(sink()->BeginHandleResize(95, 95));
    ASSERT_EQ(sink()->m_nSizeHandle, 10);
    during(QPoint(75, 95), [&] { sink()->ResizeByHandle(75, 95); }, {.shift = true});
    settle();
    // 80 wide keeps 3:2 with 53; the bottom right corner stays where it was.
    EXPECT_EQ(QSize(sink()->GetPixelWidth(byId("a")), sink()->GetPixelHeight(byId("a"))), QSize(80, 53));
    EXPECT_EQ(at("a"), QPoint(80, 87));
    // The ratio stays the one of the first Shift step.
    during(QPoint(55, 95), [&] { sink()->ResizeByHandle(55, 95); }, {.shift = true});
    settle();
    EXPECT_EQ(QSize(sink()->GetPixelWidth(byId("a")), sink()->GetPixelHeight(byId("a"))), QSize(100, 66));
    EXPECT_DOUBLE_EQ(sink()->m_dAspectRatio, 1.5);
    // An object without height has no ratio to keep.
    byId("a")->style().setAttribute(QStringLiteral("height"), engine::Variant(0));
    sink()->m_dAspectRatio = -1.0;
    settle();
    during(QPoint(65, 95), [&] { sink()->ResizeByHandle(65, 95); }, {.shift = true});
    EXPECT_EQ(sink()->m_dAspectRatio, -1.0);
}

TEST_F(ObjectMove, ADraggedGroupStopsAtThePageEdgeAndKeepsItsShape)
{
    ASSERT_NE(open(QStringLiteral(">\n") + image("a", 30, 100, 60, 40) + image("b", 120, 100, 60, 40) +
                   image("c", 300, 100, 60, 40)),
              nullptr);
    grid(10, false, false);
    selectObjects({"a", "b", "c"});
    // Pressed on the third: it becomes the first; the others keep their order.
    ASSERT_EQ(sink()->BeginDragMove(310, 110), 1);
    EXPECT_EQ(selectedIds(), QStringList({QStringLiteral("c"), QStringLiteral("a"), QStringLiteral("b")}));
    const int steps = undoSteps();
    sink()->BeginUndoUnit();
    sink()->DragMoveSelection(290, 130);
    EXPECT_EQ(at("a"), QPoint(10, 120));
    EXPECT_EQ(at("c"), QPoint(280, 120));
    // Further left than the page: the leftmost stands at 0, the others keep their distance.
    sink()->DragMoveSelection(200, 130);
    sink()->DragMoveSelection(100, 130);
    EXPECT_EQ(at("a"), QPoint(0, 120));
    EXPECT_EQ(at("b"), QPoint(90, 120));
    EXPECT_EQ(at("c"), QPoint(270, 120));
    sink()->EndUndoUnit();
    sink()->KillAutoScrollTimer();
    EXPECT_EQ(undoSteps(), steps + 1);
    undo();
    EXPECT_EQ(at("a"), QPoint(30, 100));
    EXPECT_EQ(at("c"), QPoint(300, 100));
    // Positions past 32767 are written as they are.
    selectObjects({"a"});
    ASSERT_EQ(sink()->BeginDragMove(40, 110), 1);
    sink()->DragMoveSelection(40010, 110);
    sink()->KillAutoScrollTimer();
    EXPECT_EQ(left("a"), 40000);
}

TEST_F(ObjectMove, ADragSnapsToTheGrid)
{
    ASSERT_NE(open(QStringLiteral(">\n") + image("a", 30, 100, 60, 40)), nullptr);
    selectObjects({"a"});
    ASSERT_EQ(sink()->BeginDragMove(40, 110), 1);
    grid(10, true, true);
    sink()->DragMoveSelection(34, 110);
    EXPECT_EQ(left("a"), 20);
    sink()->DragMoveSelection(35, 110);
    EXPECT_EQ(left("a"), 30);
    grid(7, true, true);
    sink()->DragMoveSelection(20, 110);
    EXPECT_EQ(left("a"), 7);
    sink()->DragMoveSelection(21, 110);
    EXPECT_EQ(at("a"), QPoint(14, 98));
    sink()->KillAutoScrollTimer();
}

TEST_F(ObjectMove, APressTakesHoldOfWhatItIsNear)
{
    ASSERT_NE(open(QStringLiteral(">\n") + image("a", 30, 100, 60, 40) +
                   QStringLiteral("<TABLE id=t border=1 style=\"POSITION: absolute; LEFT: 200px; TOP: 100px\">"
                                  "<TR><TD id=cell>セル</TD></TR></TABLE>\n<P id=p>文章</P>\n")),
              nullptr);
    // Within 7 pixels outside a selected object.
    selectObjects({"a"});
    EXPECT_EQ(sink()->BeginDragMove(25, 95), 1);
    EXPECT_EQ(sink()->m_dragOffsets, std::vector<QPoint>({QPoint(-5, -5)}));
    // A cell drags its table, which becomes the selection.
    const QPoint cell = clientBox("cell").center();
    EXPECT_EQ(sink()->BeginDragMove(cell.x(), cell.y()), 1);
    EXPECT_EQ(selectedIds(), QStringList({QStringLiteral("t")}));
    // Plain text is nothing to drag.
    doc()->selection().empty();
    const QPoint text = clientBox("p").topLeft() + QPoint(3, 3);
    EXPECT_EQ(sink()->BeginDragMove(text.x(), text.y()), 0);
    EXPECT_TRUE(selected().empty());
}

TEST_F(ObjectMove, AGroupPastTheRightEdgeComesIntoViewAtThePress)
{
    ASSERT_NE(
        open(QStringLiteral(">\n<DIV style=\"width: 4000px; height: 10px\"></DIV>\n") + image("a", 0, 100, 200, 40)),
        nullptr);
    grid(10, false, false);
    const int right = page()->viewport()->width();
    byId("a")->style().setAttribute(QStringLiteral("left"), engine::Variant(QStringLiteral("%1px").arg(right - 100)));
    selectObjects({"a"});
    const QPoint press(right - 90, 110);
    ASSERT_EQ(sink()->BeginDragMove(press.x(), press.y()), 1);
    settle();
    EXPECT_GT(page()->scrollPosition().x(), 0);
    // The object does not jump at the next step at the same point.
    const int before = left("a");
    sink()->DragMoveSelection(press.x(), press.y());
    sink()->KillAutoScrollTimer();
    EXPECT_EQ(left("a"), before);
}

TEST_F(ObjectMove, ThePointerRestingBelowThePageKeepsItScrolling)
{
    ASSERT_NE(open(QStringLiteral(">\n<DIV style=\"height: 5000px\"></DIV>\n") + image("a", 30, 100, 60, 40)), nullptr);
    grid(10, false, false);
    selectObjects({"a"});
    ASSERT_EQ(sink()->BeginDragMove(40, 110), 1);
    sink()->m_bIsDragMoveMode = true;
    const int below = page()->viewport()->height() + 20;
    sink()->DragMoveSelection(40, below);
    settle();
    const int first = page()->scrollPosition().y();
    EXPECT_GT(first, 0);
    const int place = top("a") - first;
    // Every 100 ms the page scrolls on and the object with it.
    QElapsedTimer clock;
    clock.start();
    int ticks = 0;
    int last = first;
    while (clock.elapsed() < 450) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (page()->scrollPosition().y() != last) {
            ++ticks;
            last = page()->scrollPosition().y();
        }
    }
    EXPECT_GE(ticks, 2);
    EXPECT_LE(ticks, 5);
    EXPECT_EQ(top("a") - page()->scrollPosition().y(), place);
    // The drag over, the page rests.
    sink()->m_bIsDragMoveMode = false;
    sink()->KillAutoScrollTimer();
    const int rest = page()->scrollPosition().y();
    clock.restart();
    while (clock.elapsed() < 250)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(page()->scrollPosition().y(), rest);
}

// A drag step and an arrow key move the objects' boxes without laying the
// page out; the page is then as a fresh layout of it is. An object whose
// size follows its place is laid out with the rest.
TEST_F(ObjectMove, MovesShiftThePageWithoutALayout)
{
    ASSERT_NE(open(QStringLiteral(">\n<P id=p>文章</P><DIV style=\"height: 1500px\"></DIV>\n") +
                   image("a", 30, 100, 60, 40) + image("b", 120, 100) +
                   QStringLiteral("<DIV id=outer style=\"POSITION: absolute; LEFT: 300px; TOP: 60px; WIDTH: 200px; "
                                  "HEIGHT: 120px; BORDER: 1px solid\">外<DIV id=inner style=\"POSITION: absolute; "
                                  "LEFT: 20px; TOP: 30px; WIDTH: 50px\">内</DIV></DIV>\n"
                                  "<TABLE border=1 width=300><TR><TD>セル<IMG id=incell src=\"c.gif\" "
                                  "style=\"POSITION: absolute; LEFT: 40px; TOP: 260px; WIDTH: 20px; HEIGHT: 20px\">"
                                  "</TD></TR></TABLE>\n"
                                  "<DIV id=stretched style=\"POSITION: absolute; LEFT: 20px; TOP: 400px; RIGHT: "
                                  "40px; BORDER: 1px solid\">幅</DIV>\n")),
              nullptr);
    grid(10, false, false);
    engine::DocumentLayout& layout = page()->layout();
    const auto check = [&](std::initializer_list<const char*> ids, auto&& move, bool shifted, const char* what) {
        selectObjects(ids);
        const engine::DocumentLayout::Counters before = layout.counters();
        move();
        settle();
        sink()->KillAutoScrollTimer();
        if (shifted) {
            EXPECT_EQ(layout.counters().layouts, before.layouts) << what;
            EXPECT_GE(layout.counters().shifts, before.shifts + int(ids.size())) << what;
        } else {
            EXPECT_GT(layout.counters().layouts, before.layouts) << what;
        }
        layout_test::expectSameAsFullLayout(layout, *doc(), what, true);
    };
    const auto drag = [&](const char* id, QPoint by) {
        return [this, id, by] {
            const QPoint grip = clientBox(id).topLeft() + QPoint(3, 3);
            ASSERT_EQ(sink()->BeginDragMove(grip.x(), grip.y()), 1);
            sink()->DragMoveSelection(grip.x() + by.x(), grip.y() + by.y());
        };
    };
    const auto nudge = [this](int key) { return [this, key] { sink()->NudgeSelection(key, 0); }; };
    check({"a"}, drag("a", QPoint(7, 11)), true, "one dragged");
    EXPECT_EQ(at("a"), QPoint(37, 111));
    check({"a", "b"}, drag("a", QPoint(-5, 30)), true, "two dragged");
    EXPECT_EQ(at("b"), QPoint(115, 130));
    check({"outer"}, drag("outer", QPoint(40, 1500)), true,
          "a box with a box in it dragged below the page (which has a scroll bar)");
    check({"inner"}, nudge(39), true, "the inner box nudged");
    EXPECT_EQ(left("inner"), 21);
    check({"incell"}, nudge(40), true, "an object in a cell nudged");
    check({"outer"}, drag("outer", QPoint(0, -1400)), true, "the box back up");
    check({"stretched"}, drag("stretched", QPoint(30, 0)), false, "a box held by left and right");
    check({"stretched"}, nudge(40), true, "that box nudged down");
}

TEST_F(ObjectMove, AnAreaSelectsTheObjectsWhollyInside)
{
    ASSERT_NE(open(QStringLiteral(">\n<TABLE id=flow width=50 height=20><TR><TD>x</TD></TR></TABLE>\n") +
                   image("a", 100, 100, 50, 30) + image("b", 200, 100, 50, 30) + image("c", 300, 100, 50, 30) +
                   image("d", 400, 100, 50, 30)),
              nullptr);
    // Over empty page: nothing changes.
    selectObjects({"a"});
    sink()->SelectObjectsInRect(platform::Rect(600, 300, 700, 400));
    EXPECT_EQ(selectedIds(), QStringList({QStringLiteral("a")}));
    // Left edge on the rectangle's left edge: in; right edge on its right edge: out.
    doc()->selection().empty();
    sink()->SelectObjectsInRect(platform::Rect(100, 90, 250, 140));
    EXPECT_EQ(selectedIds(), QStringList({QStringLiteral("a")}));
    sink()->SelectObjectsInRect(platform::Rect(190, 90, 251, 140));
    EXPECT_EQ(selectedIds(), QStringList({QStringLiteral("a"), QStringLiteral("b")}));
    // A partly covered object stays out; a second area adds to the first.
    sink()->SelectObjectsInRect(platform::Rect(290, 90, 420, 140));
    EXPECT_EQ(selectedIds(), QStringList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    // An object placed by the flow counts from (0, 0) with its own size.
    doc()->selection().empty();
    sink()->SelectObjectsInRect(platform::Rect(0, 0, 200, 60));
    EXPECT_EQ(selectedIds(), QStringList({QStringLiteral("flow")}));
}

} // namespace
