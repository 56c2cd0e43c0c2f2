#include "SourceViewTestSupport.h"

#include "platform/CmdUI.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QKeyEvent>

#include <ostream>

namespace {

// Wide characters: three UTF-8 bytes each, two columns each. A vertical
// move keeps the column the caret was placed at, also when it starts from a
// selection's start or end.
#define NI "\xe6\x97\xa5"
#define HON "\xe6\x9c\xac"
#define GO "\xe8\xaa\x9e"

struct CaretCase
{
    const char* name;
    const char* text;
    QPoint anchor;
    QPoint caret;
    std::vector<int> commands;
    QPoint expectedCaret;
    QPoint expectedAnchor;
};

void PrintTo(const CaretCase& c, std::ostream* os)
{
    *os << c.name;
}

class SourceViewCaretTest : public ::testing::TestWithParam<CaretCase>
{
};

TEST_P(SourceViewCaretTest, MovesAsTheCommandsSay)
{
    const CaretCase& c = GetParam();
    ShownSourceView shown;
    shown.Load(c.text);
    VornaSourceEditView& view = shown.view;
    view.SetAnchor(c.anchor);
    view.SetSelection(c.anchor, c.caret);
    view.SetCaretPosition(c.caret);
    for (int command : c.commands)
        EXPECT_TRUE(view.runCommand(command));
    EXPECT_EQ(view.GetCaretPosition(), c.expectedCaret);
    EXPECT_EQ(view.GetAnchor(), c.expectedAnchor);
    QPoint start;
    QPoint end;
    view.GetSelection(start, end);
    const QPoint low = c.expectedAnchor.y() < c.expectedCaret.y() || (c.expectedAnchor.y() == c.expectedCaret.y() &&
                                                                      c.expectedAnchor.x() < c.expectedCaret.x())
                           ? c.expectedAnchor
                           : c.expectedCaret;
    const QPoint high = low == c.expectedAnchor ? c.expectedCaret : c.expectedAnchor;
    EXPECT_EQ(start, low);
    EXPECT_EQ(end, high);
}

INSTANTIATE_TEST_SUITE_P(
    Moves, SourceViewCaretTest,
    ::testing::Values(
        CaretCase{"LeftStepsOverAWideCharacter", "a" NI "b", {4, 0}, {4, 0}, {ID_EDIT_CHAR_LEFT}, {1, 0}, {1, 0}},
        CaretCase{"RightStepsOverAWideCharacter", "a" NI "b", {1, 0}, {1, 0}, {ID_EDIT_CHAR_RIGHT}, {4, 0}, {4, 0}},
        CaretCase{
            "LeftAtLineStartGoesToEndOfLineAbove", "abc\r\nd", {0, 1}, {0, 1}, {ID_EDIT_CHAR_LEFT}, {3, 0}, {3, 0}},
        CaretCase{"LeftAtTextStartStays", "abc", {0, 0}, {0, 0}, {ID_EDIT_CHAR_LEFT}, {0, 0}, {0, 0}},
        CaretCase{"RightAtTextEndStays", "abc\r\nd", {1, 1}, {1, 1}, {ID_EDIT_CHAR_RIGHT}, {1, 1}, {1, 1}},
        CaretCase{"ShiftRightExtendsFromTheAnchor", "abcdef", {1, 0}, {2, 0}, {ID_EDIT_EXT_CHAR_RIGHT}, {3, 0}, {1, 0}},
        CaretCase{
            "LeftOnlyCollapsesToTheSelectionStart", "abcdef", {4, 0}, {1, 0}, {ID_EDIT_CHAR_RIGHT}, {4, 0}, {4, 0}},
        CaretCase{"RightOnlyCollapsesToTheSelectionEnd", "abcdef", {4, 0}, {1, 0}, {ID_EDIT_CHAR_LEFT}, {1, 0}, {1, 0}},
        CaretCase{"DownOntoTheMiddleOfAWideCharacterStopsBeforeIt",
                  "abc\r\n" NI HON,
                  {1, 0},
                  {1, 0},
                  {ID_EDIT_LINE_DOWN},
                  {0, 1},
                  {0, 1}},
        CaretCase{"UpOntoTheMiddleOfAWideCharacterStopsBeforeIt",
                  NI HON "\r\nabc",
                  {3, 1},
                  {3, 1},
                  {ID_EDIT_LINE_UP},
                  {3, 0},
                  {3, 0}},
        CaretCase{"VerticalMovesKeepTheIdealColumn",
                  "abcdef\r\nab\r\nabcdef",
                  {5, 0},
                  {5, 0},
                  {ID_EDIT_LINE_DOWN, ID_EDIT_LINE_DOWN},
                  {5, 2},
                  {5, 2}},
        CaretCase{"UpWithASelectionMovesFromItsStart",
                  "abcdef\r\nabcdef\r\nabcdef",
                  {2, 1},
                  {4, 2},
                  {ID_EDIT_LINE_UP},
                  {4, 0},
                  {4, 0}},
        CaretCase{"DownWithASelectionMovesFromItsEnd",
                  "abcdef\r\nabcdef\r\nabcdef",
                  {4, 1},
                  {2, 0},
                  {ID_EDIT_LINE_DOWN},
                  {2, 2},
                  {2, 2}},
        CaretCase{
            "DownIntoATabTakesTheNearerSide", "abcdefgh\r\n\tx", {3, 0}, {3, 0}, {ID_EDIT_LINE_DOWN}, {1, 1}, {1, 1}},
        CaretCase{"UpOnTheFirstLineStays", "abc", {2, 0}, {2, 0}, {ID_EDIT_LINE_UP}, {2, 0}, {2, 0}},
        CaretCase{"WordLeftTwiceOverTwoWords", "abc def", {7, 0}, {7, 0}, {ID_EDIT_WORD_LEFT}, {4, 0}, {4, 0}},
        CaretCase{
            "WordLeftSecondTime", "abc def", {7, 0}, {7, 0}, {ID_EDIT_WORD_LEFT, ID_EDIT_WORD_LEFT}, {0, 0}, {0, 0}},
        CaretCase{"WideCharactersAreOneWord", NI HON GO, {9, 0}, {9, 0}, {ID_EDIT_WORD_LEFT}, {0, 0}, {0, 0}},
        CaretCase{"WordLeftOverPunctuation", "a=\"b", {3, 0}, {3, 0}, {ID_EDIT_WORD_LEFT}, {1, 0}, {1, 0}},
        CaretCase{"WordLeftAtTextStartDoesNothing", "abc", {0, 0}, {0, 0}, {ID_EDIT_WORD_LEFT}, {0, 0}, {0, 0}},
        CaretCase{"WordLeftAtLineStartGoesIntoTheLineAbove",
                  "ab cd\r\nx",
                  {0, 1},
                  {0, 1},
                  {ID_EDIT_WORD_LEFT},
                  {3, 0},
                  {3, 0}},
        CaretCase{"WordRightSkipsTheWordAndTheSpace", "abc def", {0, 0}, {0, 0}, {ID_EDIT_WORD_RIGHT}, {4, 0}, {4, 0}},
        CaretCase{"WordRightPassesAnEmptyLine", "abc\r\n\r\ndef", {3, 0}, {3, 0}, {ID_EDIT_WORD_RIGHT}, {0, 2}, {0, 2}},
        CaretCase{"WordRightAtTheTextEndDoesNothing", "abc", {3, 0}, {3, 0}, {ID_EDIT_WORD_RIGHT}, {3, 0}, {3, 0}},
        CaretCase{"HomeGoesToTheIndentThenToTheStart", "    abc", {6, 0}, {6, 0}, {ID_EDIT_HOME}, {4, 0}, {4, 0}},
        CaretCase{"SecondHome", "    abc", {6, 0}, {6, 0}, {ID_EDIT_HOME, ID_EDIT_HOME}, {0, 0}, {0, 0}},
        CaretCase{"HomeOnAWhiteLineGoesToTheStart", "   ", {2, 0}, {2, 0}, {ID_EDIT_HOME}, {0, 0}, {0, 0}},
        CaretCase{"ShiftEndSelectsToTheLineEnd", "abcdef", {2, 0}, {2, 0}, {ID_EDIT_EXT_LINE_END}, {6, 0}, {2, 0}},
        CaretCase{
            "CtrlShiftHomeSelectsToTheTextStart", "ab\r\ncd", {1, 1}, {1, 1}, {ID_EDIT_EXT_TEXT_BEGIN}, {0, 0}, {1, 1}},
        CaretCase{"CtrlEndGoesToTheTextEnd", "ab\r\ncde", {0, 0}, {0, 0}, {ID_EDIT_TEXT_END}, {3, 1}, {3, 1}},
        CaretCase{"SelectAllKeepsTheAnchor",
                  "ab\r\ncd",
                  {1, 0},
                  {1, 0},
                  {ID_EDIT_SELECT_ALL, ID_EDIT_EXT_CHAR_LEFT},
                  {1, 1},
                  {1, 0}}),
    [](const ::testing::TestParamInfo<CaretCase>& info) { return std::string(info.param.name); });

std::string ManyLines(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    return text + "end";
}

TEST(SourceViewPageTest, PageUpNearTheTopStopsAtLineZero)
{
    ShownSourceView shown;
    shown.Load(ManyLines(100));
    VornaSourceEditView& view = shown.view;
    const int page = view.GetVisibleLines() - 1;
    ASSERT_GT(page, 3);
    view.ScrollToLine(2);
    shown.Caret(QPoint(3, 4));
    view.MovePageUp(false);
    EXPECT_EQ(view.GetTopLine(), 0);
    EXPECT_EQ(view.GetCaretPosition(), QPoint(3, 0));
    view.MovePageDown(false);
    EXPECT_EQ(view.GetTopLine(), page);
    EXPECT_EQ(view.GetCaretPosition(), QPoint(3, page));
}

TEST(SourceViewPageTest, PageDownKeepsTheByteIndexButNeverInsideACharacter)
{
    ShownSourceView shown;
    std::string text = "abcdef\r\n";
    for (int i = 0; i < 60; ++i)
        text += NI HON GO "\r\n";
    shown.Load(text);
    shown.Caret(QPoint(4, 0));
    shown.view.MovePageDown(true);
    EXPECT_EQ(shown.view.GetCaretPosition(), QPoint(3, shown.view.GetVisibleLines() - 1));
    EXPECT_EQ(shown.view.GetAnchor(), QPoint(4, 0));
}

TEST(SourceViewKeysTest, KeysReachTheCommandsAndADisabledOneDoesNothing)
{
    ShownSourceView shown;
    shown.Load("abc def\r\nxyz");
    VornaSourceEditView& view = shown.view;
    shown.Caret(QPoint(0, 0));
    QKeyEvent shiftCtrlRight(QEvent::KeyPress, Qt::Key_Right, Qt::ShiftModifier | Qt::ControlModifier);
    QApplication::sendEvent(&view, &shiftCtrlRight);
    EXPECT_EQ(view.GetCaretPosition(), QPoint(4, 0));
    EXPECT_EQ(view.GetAnchor(), QPoint(0, 0));

    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
    QApplication::sendEvent(&view, &copy);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("abc "));

    // No bookmark: F2 is disabled and leaves the caret.
    QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QApplication::sendEvent(&view, &f2);
    EXPECT_EQ(view.GetCaretPosition(), QPoint(4, 0));
}

TEST(SourceViewKeysTest, CopyWithAnEmptySelectionLeavesTheClipboard)
{
    ShownSourceView shown;
    shown.Load("abc");
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    shown.Caret(QPoint(1, 0));
    shown.view.CopySelection();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
    platform::CmdUI ui(ID_EDIT_COPY);
    ASSERT_TRUE(shown.view.runUpdate(ui));
    EXPECT_FALSE(ui.isEnabled());
}

TEST(SourceViewKeysTest, CopiedLinesReachTheClipboardWithLineFeeds)
{
    ShownSourceView shown;
    shown.Load("ab\r\ncd\r\nef");
    shown.view.SetAnchor(QPoint(1, 0));
    shown.view.SetSelection(QPoint(1, 0), QPoint(1, 2));
    shown.view.runCommand(ID_EDIT_COPY);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("b\ncd\ne"));
}

} // namespace
