#include "SourceViewTestSupport.h"

#include "source/SourceChars.h"

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QWheelEvent>

namespace {

std::string NumberedLines(int count, const std::string& prefix = "line ")
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += prefix + std::to_string(i) + (i + 1 < count ? "\r\n" : "");
    return text;
}

void Wheel(VornaSourceTextView& view, int delta)
{
    QWheelEvent event(QPointF(40, 40), view.viewport()->mapToGlobal(QPointF(40, 40)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &event);
}

TEST(SourceViewScrollTest, TheWheelMovesThreeLinesANotch)
{
    ShownSourceView shown;
    shown.Load(NumberedLines(100));
    Wheel(shown.view, -120);
    EXPECT_EQ(shown.view.GetTopLine(), 3);
    EXPECT_EQ(shown.view.verticalScrollBar()->value(), 3);
    Wheel(shown.view, -39);
    EXPECT_EQ(shown.view.GetTopLine(), 3);
    Wheel(shown.view, 240);
    EXPECT_EQ(shown.view.GetTopLine(), 0);
}

TEST(SourceViewScrollTest, WhenAllLinesFitTheScrollBarIsDisabledAndTheTopSnapsBack)
{
    ShownSourceView shown;
    shown.Load(NumberedLines(100));
    shown.view.ScrollToLine(50);
    shown.Buffer().LoadFromBytes("short\r\ntext");
    EXPECT_EQ(shown.view.GetTopLine(), 0);
    EXPECT_TRUE(shown.view.verticalScrollBar()->isVisible());
    EXPECT_FALSE(shown.view.verticalScrollBar()->isEnabled());
    shown.Buffer().LoadFromBytes(NumberedLines(100));
    EXPECT_TRUE(shown.view.verticalScrollBar()->isEnabled());
}

TEST(SourceViewScrollTest, TheScrollBarMovesTheTopLine)
{
    ShownSourceView shown;
    shown.Load(NumberedLines(100));
    QScrollBar* bar = shown.view.verticalScrollBar();
    bar->setValue(20);
    EXPECT_EQ(shown.view.GetTopLine(), 20);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(shown.view.GetTopLine(), 20 + shown.view.GetVisibleLines() - 1);
}

TEST(SourceViewScrollTest, TheCaretIsScrolledIntoViewAndHiddenWhenLeftOfIt)
{
    ShownSourceView shown;
    shown.Load(NumberedLines(100, std::string(120, 'x')));
    VornaSourceEditView& view = shown.view;
    shown.Caret(QPoint(5, 80));
    view.ScrollCaretIntoView(QPoint(5, 80));
    EXPECT_EQ(view.GetTopLine(), 80 - view.GetVisibleLines() + 1);
    EXPECT_TRUE(view.IsCaretShown());

    view.ScrollToColumn(20);
    view.UpdateCaret();
    EXPECT_FALSE(view.IsCaretShown());
    // Right of the view the caret stays shown, outside the window.
    shown.Caret(QPoint(110, 80));
    view.ScrollToColumn(0);
    view.UpdateCaret();
    EXPECT_TRUE(view.IsCaretShown());
    EXPECT_GT(view.GetCaretRect().left(), view.viewport()->width());

    view.ScrollCaretIntoView(QPoint(110, 80));
    EXPECT_EQ(view.GetFirstColumn(), 110 - view.GetVisibleColumns());
}

TEST(SourceViewScrollTest, DeletingLinesAboveKeepsTheSameTextAtTheTop)
{
    ShownSourceView shown;
    shown.Load(NumberedLines(100));
    VornaSourceEditView& view = shown.view;
    view.ScrollToLine(40);
    view.GetMaxLineColumns();
    shown.Buffer().DeleteText(nullptr, 10, 0, 20, 0);
    EXPECT_EQ(view.GetTopLine(), 30);
    EXPECT_EQ(std::string(view.GetLine(view.GetTopLine())), "line 40");
    EXPECT_EQ(view.GetLineColumns(89), 7);
    EXPECT_EQ(view.GetLineColumns(90), 0);
}

TEST(SourceViewScrollTest, LineWidthsFollowInsertedAndDeletedLines)
{
    ShownSourceView shown;
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += std::string(static_cast<size_t>(i % 7 + 1), 'w') + "\t" + std::string(static_cast<size_t>(i % 5), 'x') +
                "\r\n";
    shown.Load(text);
    VornaSourceEditView& view = shown.view;
    const int widest = view.GetMaxLineColumns();
    int endLine = 0;
    int endChar = 0;
    shown.Buffer().InsertText(nullptr, 10, 2, "a\r\n" + std::string(30, 'b') + "\r\nc", endLine, endChar);
    shown.Buffer().DeleteText(nullptr, 20, 1, 25, 3);
    EXPECT_GT(view.GetMaxLineColumns(), widest);
    for (int line = 0; line < view.GetLineCount(); ++line)
        EXPECT_EQ(view.GetLineColumns(line), SourceChars::LineColumns(view.GetLine(line), 4)) << line;
}

TEST(SourceViewScrollTest, ColumnsFollowTabsAndWideCharacters)
{
    ShownSourceView shown;
    shown.Load("a\tb\r\nab\tc\r\nabcd\tx\r\n\xe6\x97\xa5z");
    VornaSourceEditView& view = shown.view;
    EXPECT_EQ(view.GetLineColumns(0), 5);
    EXPECT_EQ(view.GetLineColumns(1), 5);
    EXPECT_EQ(view.ColumnOfChar(2, 5), 8);
    EXPECT_EQ(view.ColumnOfChar(3, 3), 2);
    EXPECT_EQ(view.GetMaxLineColumns(), 9);
    std::string expanded;
    view.ExpandTabs(1, 1, 3, expanded);
    EXPECT_EQ(expanded, "b  c");
}

TEST(SourceViewScrollTest, TheSelectionPaintsTheLineBreaksOfFullySelectedLines)
{
    ShownSourceView shown;
    shown.Load("abc\r\n\r\ndef");
    VornaSourceEditView& view = shown.view;
    view.SetAnchor(QPoint(1, 0));
    view.SetSelection(QPoint(1, 0), QPoint(2, 2));
    const QImage image = view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    auto cell = [&](int column, int line) {
        const int cw = view.GetCharWidth();
        return image.pixelColor(view.GetMarginWidth() + column * cw + cw / 2, line * view.GetLineHeight() + 1);
    };
    const QColor black(0, 0, 0);
    const QColor base = view.palette().color(QPalette::Base);
    EXPECT_EQ(cell(0, 0), base);
    EXPECT_EQ(cell(3, 0), black); // the line break after "abc"
    EXPECT_EQ(cell(4, 0), base);
    EXPECT_EQ(cell(0, 1), black); // the empty line's break
    EXPECT_EQ(cell(1, 1), base);
    EXPECT_EQ(cell(1, 2), black);
    EXPECT_EQ(cell(4, 2), base);
    // Without the focus the selection is not painted.
    shown.Focus(false);
    const QImage unfocused = view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(unfocused.pixelColor(view.GetMarginWidth() + 3 * view.GetCharWidth() + 2, 1), base);
}

} // namespace
