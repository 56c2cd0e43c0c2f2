#include "SourceViewTestSupport.h"

#include "platform/WindowTimer.h"
#include "source/VornaSourceTextBuffer.h"

#include <gtest/gtest.h>

#include <QMimeData>
#include <QTest>

namespace {

#define NI "\xe6\x97\xa5"

class SourceViewMouseTest : public ::testing::Test
{
protected:
    QPoint Cell(QPoint pos, bool leftHalf = false) { return shown.CellPoint(pos, leftHalf); }
    // A point in the selection margin beside a line.
    QPoint Margin(int line) { return QPoint(3, view.TextPosToPoint(QPoint(0, line)).y() + 2); }
    std::pair<QPoint, QPoint> Selection()
    {
        QPoint start;
        QPoint end;
        view.GetSelection(start, end);
        return {start, end};
    }

    ShownSourceView shown;
    VornaSourceEditView& view = shown.view;
};

TEST_F(SourceViewMouseTest, AClickGoesToTheNearerEdgeOfAWideCharacter)
{
    shown.Load("a" NI "b");
    const QPoint left = view.TextPosToPoint(QPoint(1, 0));
    const int cw = view.GetCharWidth();
    const int y = view.GetLineHeight() / 2;
    view.OnLButtonDown(Qt::NoModifier, QPoint(left.x() + cw - 1, y));
    view.OnLButtonUp(QPoint(left.x() + cw - 1, y));
    EXPECT_EQ(view.GetCaretPosition(), QPoint(1, 0));
    view.OnLButtonDown(Qt::NoModifier, QPoint(left.x() + cw + 1, y));
    view.OnLButtonUp(QPoint(left.x() + cw + 1, y));
    EXPECT_EQ(view.GetCaretPosition(), QPoint(4, 0));
    EXPECT_FALSE(view.HasSelection());
}

TEST_F(SourceViewMouseTest, DraggingSelectsCharactersAndShiftClickExtends)
{
    shown.Load("abcdef\r\nghijkl");
    view.OnLButtonDown(Qt::NoModifier, Cell(QPoint(1, 0), true));
    EXPECT_TRUE(view.IsDragSelecting());
    EXPECT_TRUE(platform::isTimerActive(&view, VornaSourceTextView::AutoScrollTimer));
    view.OnMouseMove(Cell(QPoint(3, 1), true));
    view.OnLButtonUp(Cell(QPoint(3, 1), true));
    EXPECT_FALSE(view.IsDragSelecting());
    EXPECT_FALSE(platform::isTimerActive(&view, VornaSourceTextView::AutoScrollTimer));
    EXPECT_EQ(Selection(), std::make_pair(QPoint(1, 0), QPoint(3, 1)));
    EXPECT_EQ(view.GetCaretPosition(), QPoint(3, 1));

    view.OnLButtonDown(Qt::ShiftModifier, Cell(QPoint(5, 1), true));
    view.OnLButtonUp(Cell(QPoint(5, 1), true));
    EXPECT_EQ(Selection(), std::make_pair(QPoint(1, 0), QPoint(5, 1)));
}

TEST_F(SourceViewMouseTest, CtrlClickAndDoubleClickSelectWholeWords)
{
    shown.Load("one two three");
    view.OnLButtonDown(Qt::ControlModifier, Cell(QPoint(5, 0)));
    EXPECT_TRUE(view.IsWordSelecting());
    view.OnMouseMove(Cell(QPoint(9, 0)));
    view.OnLButtonUp(Cell(QPoint(9, 0)));
    EXPECT_EQ(Selection(), std::make_pair(QPoint(4, 0), QPoint(13, 0)));

    view.OnLButtonDown(Qt::NoModifier, Cell(QPoint(1, 0)));
    view.OnLButtonUp(Cell(QPoint(1, 0)));
    view.OnLButtonDblClk(Cell(QPoint(1, 0)));
    view.OnLButtonUp(Cell(QPoint(1, 0)));
    EXPECT_EQ(Selection(), std::make_pair(QPoint(0, 0), QPoint(3, 0)));
    EXPECT_EQ(view.GetCaretPosition(), QPoint(3, 0));
}

TEST_F(SourceViewMouseTest, MarginClicksSelectWholeLines)
{
    shown.Load("first\r\nsecond\r\nthird\r\nlast");
    view.OnLButtonDown(Qt::NoModifier, Margin(1));
    EXPECT_TRUE(view.IsLineSelecting());
    EXPECT_EQ(Selection(), std::make_pair(QPoint(0, 1), QPoint(0, 2)));
    view.OnMouseMove(Margin(2));
    EXPECT_EQ(Selection(), std::make_pair(QPoint(0, 1), QPoint(0, 3)));
    view.OnLButtonUp(Margin(2));
    // Dragged downwards: the caret ends at the start of the line after.
    EXPECT_EQ(view.GetCaretPosition(), QPoint(0, 3));

    view.OnLButtonDown(Qt::NoModifier, Margin(3));
    view.OnLButtonUp(Margin(3));
    EXPECT_EQ(Selection(), std::make_pair(QPoint(0, 3), QPoint(4, 3)));

    view.OnLButtonDown(Qt::ControlModifier, Margin(0));
    EXPECT_EQ(Selection(), std::make_pair(QPoint(0, 0), QPoint(4, 3)));
}

TEST_F(SourceViewMouseTest, LineSelectionLeavingTheMarginSelectsCharacters)
{
    shown.Load("first\r\nsecond\r\nthird");
    view.OnLButtonDown(Qt::NoModifier, Margin(1));
    view.OnMouseMove(Cell(QPoint(2, 2), true));
    EXPECT_FALSE(view.IsLineSelecting());
    EXPECT_EQ(Selection(), std::make_pair(QPoint(0, 1), QPoint(2, 2)));
}

TEST_F(SourceViewMouseTest, AClickOnTheSelectionWithoutMovingCollapsesIt)
{
    shown.Load("abcdef");
    view.SetAnchor(QPoint(1, 0));
    view.SetSelection(QPoint(1, 0), QPoint(5, 0));
    view.SetCaretPosition(QPoint(5, 0));
    view.OnLButtonDown(Qt::NoModifier, Cell(QPoint(3, 0), true));
    EXPECT_TRUE(view.IsPreparingToDrag());
    EXPECT_FALSE(view.IsDragSelecting());
    view.OnLButtonUp(Cell(QPoint(3, 0), true));
    EXPECT_EQ(view.GetCaretPosition(), QPoint(3, 0));
    EXPECT_FALSE(view.HasSelection());
    EXPECT_EQ(view.GetAnchor(), QPoint(1, 0));
}

TEST_F(SourceViewMouseTest, RightClickMovesTheCaretOnlyOutsideTheSelection)
{
    shown.Load("abcdef");
    view.SetAnchor(QPoint(1, 0));
    view.SetSelection(QPoint(1, 0), QPoint(4, 0));
    view.OnRButtonDown(Cell(QPoint(2, 0), true));
    EXPECT_TRUE(view.HasSelection());
    view.OnRButtonDown(Cell(QPoint(5, 0), true));
    EXPECT_FALSE(view.HasSelection());
    EXPECT_EQ(view.GetCaretPosition(), QPoint(5, 0));
}

TEST_F(SourceViewMouseTest, HoldingTheMouseBelowTheViewScrollsAndSelects)
{
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "line\r\n";
    shown.Load(text);
    const int bottom = view.viewport()->height();
    const int lineHeight = view.GetLineHeight();
    view.OnLButtonDown(Qt::NoModifier, Cell(QPoint(1, 0), true));
    view.OnMouseMove(QPoint(30, bottom + 2));
    view.OnTimer(VornaSourceTextView::AutoScrollTimer);
    EXPECT_EQ(view.GetTopLine(), 1);
    view.OnMouseMove(QPoint(30, bottom + lineHeight + 2));
    view.OnTimer(VornaSourceTextView::AutoScrollTimer);
    EXPECT_EQ(view.GetTopLine(), 4);
    EXPECT_EQ(view.GetAnchor(), QPoint(1, 0));
    EXPECT_GT(view.GetCaretPosition().y(), view.GetVisibleLines());
    view.OnMouseMove(QPoint(30, -lineHeight - 2));
    view.OnTimer(VornaSourceTextView::AutoScrollTimer);
    EXPECT_EQ(view.GetTopLine(), 1);
    // Focus lost: the selection stops where it is.
    shown.Focus(false);
    EXPECT_FALSE(view.IsDragSelecting());
    EXPECT_FALSE(platform::isTimerActive(&view, VornaSourceTextView::AutoScrollTimer));
}

TEST_F(SourceViewMouseTest, TheMouseReachesTheViewThroughItsViewport)
{
    shown.Load("abcdef\r\nxyz");
    QTest::mousePress(view.viewport(), Qt::LeftButton, Qt::NoModifier, Cell(QPoint(1, 0), true));
    QTest::mouseMove(view.viewport(), Cell(QPoint(2, 1), true));
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, Qt::NoModifier, Cell(QPoint(2, 1), true));
    EXPECT_EQ(Selection(), std::make_pair(QPoint(1, 0), QPoint(2, 1)));
    EXPECT_EQ(view.CursorShapeAt(Cell(QPoint(3, 0))), Qt::ArrowCursor);
    EXPECT_EQ(view.CursorShapeAt(Cell(QPoint(2, 1))), Qt::IBeamCursor);
    EXPECT_EQ(view.CursorShapeAt(Margin(1)), Qt::ArrowCursor);
}

// A view whose drag drops the data at a text position of itself.
class DroppingView : public VornaSourceEditView
{
public:
    QPoint dropAt;
    bool copy = false;

protected:
    int DoDragDrop(std::unique_ptr<QMimeData> data, int allowedEffects) override
    {
        EXPECT_EQ(allowedEffects, DROPEFFECT_COPY | DROPEFFECT_MOVE);
        if (!DropText(dropAt, data->text().toStdString()))
            return DROPEFFECT_NONE;
        return copy ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    }
};

TEST(SourceViewDragTest, DraggingTheSelectionMovesItAsOneUndoStep)
{
    DroppingView view;
    view.resize(400, 200);
    view.OnInitialUpdate();
    view.show();
    VornaSourceTextBuffer& buffer = view.GetSourceDoc()->m_xTextBuffer;
    buffer.LoadFromBytes("abc def ghi");
    view.SetAnchor(QPoint(4, 0));
    view.SetSelection(QPoint(4, 0), QPoint(8, 0));
    view.dropAt = QPoint(0, 0);
    const QPoint press = view.TextPosToPoint(QPoint(5, 0)) + QPoint(1, 3);
    view.OnLButtonDown(Qt::NoModifier, press);
    view.OnMouseMove(press + QPoint(QApplication::startDragDistance() + 2, 0));
    EXPECT_EQ(buffer.GetAllText(), "def abc ghi");
    EXPECT_FALSE(view.IsDraggingText());
    QPoint caret;
    ASSERT_TRUE(buffer.Undo(caret));
    EXPECT_EQ(buffer.GetAllText(), "abc def ghi");
    EXPECT_FALSE(buffer.CanUndo());
}

TEST(SourceViewDragTest, AJitterSmallerThanTheDragDistanceStartsNoDrag)
{
    DroppingView view;
    view.OnInitialUpdate();
    view.GetSourceDoc()->m_xTextBuffer.LoadFromBytes("abc def");
    view.SetSelection(QPoint(0, 0), QPoint(3, 0));
    const QPoint press = view.TextPosToPoint(QPoint(1, 0)) + QPoint(1, 3);
    view.OnLButtonDown(Qt::NoModifier, press);
    view.OnMouseMove(press + QPoint(1, 0));
    EXPECT_TRUE(view.IsPreparingToDrag());
    EXPECT_EQ(view.GetSourceDoc()->m_xTextBuffer.GetAllText(), "abc def");
}

} // namespace
