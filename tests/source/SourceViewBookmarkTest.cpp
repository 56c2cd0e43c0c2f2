#include "SourceViewTestSupport.h"

#include "platform/CmdUI.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <QAction>

namespace {

class SourceViewBookmarkTest : public ::testing::Test
{
protected:
    void SetUp() override { shown.Load("zero\r\none\r\ntwo\r\nthree\r\nfour"); }
    bool Enabled(int id)
    {
        platform::CmdUI ui(id);
        EXPECT_TRUE(view.runUpdate(ui));
        return ui.isEnabled();
    }
    void MarkLine(int line)
    {
        shown.Caret(QPoint(2, line));
        view.runCommand(ID_EDIT_TOGGLE_BOOKMARK);
    }

    ShownSourceView shown;
    VornaSourceEditView& view = shown.view;
};

TEST_F(SourceViewBookmarkTest, NextBookmarkVisitsTheMarksAndWraps)
{
    MarkLine(1);
    MarkLine(3);
    EXPECT_TRUE(Enabled(ID_EDIT_GOTO_NEXT_BOOKMARK));
    shown.Caret(QPoint(2, 1));
    view.runCommand(ID_EDIT_GOTO_NEXT_BOOKMARK);
    EXPECT_EQ(view.GetCaretPosition(), QPoint(0, 3));
    EXPECT_FALSE(view.HasSelection());
    view.runCommand(ID_EDIT_GOTO_NEXT_BOOKMARK);
    EXPECT_EQ(view.GetCaretPosition(), QPoint(0, 1));
    view.runCommand(ID_EDIT_GOTO_PREV_BOOKMARK);
    EXPECT_EQ(view.GetCaretPosition(), QPoint(0, 3));
}

TEST_F(SourceViewBookmarkTest, TogglingTwiceRemovesTheMark)
{
    MarkLine(2);
    EXPECT_TRUE(view.GetLineFlags(2) & VornaSourceTextBuffer::LineFlagBookmark);
    MarkLine(2);
    EXPECT_FALSE(view.GetLineFlags(2) & VornaSourceTextBuffer::LineFlagBookmark);
    EXPECT_FALSE(view.IsBookmarkPresent());
}

TEST_F(SourceViewBookmarkTest, ClearAllDisablesTheJumps)
{
    MarkLine(0);
    MarkLine(4);
    view.runCommand(ID_EDIT_CLEAR_ALL_BOOKMARKS);
    EXPECT_FALSE(view.GetLineFlags(0) & VornaSourceTextBuffer::LineFlagBookmark);
    EXPECT_FALSE(view.GetLineFlags(4) & VornaSourceTextBuffer::LineFlagBookmark);
    for (int id : {ID_EDIT_GOTO_NEXT_BOOKMARK, ID_EDIT_GOTO_PREV_BOOKMARK, ID_EDIT_CLEAR_ALL_BOOKMARKS})
        EXPECT_FALSE(Enabled(id)) << id;
}

TEST_F(SourceViewBookmarkTest, NumberedBookmarksAreUniqueAndJumpedTo)
{
    shown.Caret(QPoint(1, 1));
    view.runCommand(ID_EDIT_TOGGLE_BOOKMARK0 + 3);
    shown.Caret(QPoint(1, 4));
    view.runCommand(ID_EDIT_TOGGLE_BOOKMARK0 + 3);
    EXPECT_EQ(view.GetLineFlags(1) & 0x8u, 0u);
    EXPECT_EQ(view.GetLineFlags(4) & 0x8u, 0x8u);
    shown.Caret(QPoint(0, 0));
    view.runCommand(ID_EDIT_GO_BOOKMARK0 + 3);
    EXPECT_EQ(view.GetCaretPosition(), QPoint(0, 4));
    view.runCommand(ID_EDIT_GO_BOOKMARK0 + 5);
    EXPECT_EQ(view.GetCaretPosition(), QPoint(0, 4));
    view.runCommand(ID_EDIT_CLEAR_BOOKMARKS);
    EXPECT_EQ(view.GetLineFlags(4), 0u);
}

TEST_F(SourceViewBookmarkTest, TheMarkIsPaintedInTheMargin)
{
    MarkLine(2);
    const QImage image = view.viewport()->grab().toImage();
    const int y = view.TextPosToPoint(QPoint(0, 2)).y() + view.GetLineHeight() / 2;
    EXPECT_EQ(image.pixelColor(5, y), QColor(0, 96, 192));
    const int unmarked = view.TextPosToPoint(QPoint(0, 1)).y() + view.GetLineHeight() / 2;
    EXPECT_EQ(image.pixelColor(5, unmarked), view.palette().color(QPalette::Base));
}

TEST(SourceViewIndicatorTest, PositionCountsAWideCharacterAsTwoColumns)
{
    ShownSourceView shown;
    shown.Load("\xe6\x97\xa5x\r\n\tb");
    shown.Caret(QPoint(3, 0));
    QAction action;
    platform::CmdUI ui(ID_SOURCE_INDICATOR_POSITION, &action);
    ASSERT_TRUE(shown.view.runUpdate(ui));
    EXPECT_EQ(action.text(), QStringLiteral("Ln 1, Col 3"));
    shown.Caret(QPoint(1, 1));
    EXPECT_EQ(shown.view.GetPositionIndicatorText(), QStringLiteral("Ln 2, Col 2"));
}

struct LineEndingCase
{
    const char* text;
    const char* shown;
};

class SourceViewLineEndingTest : public ::testing::TestWithParam<LineEndingCase>
{
};

TEST_P(SourceViewLineEndingTest, NamesTheLoadedLineEnds)
{
    ShownSourceView shown;
    shown.Load(GetParam().text);
    QAction action;
    platform::CmdUI ui(ID_SOURCE_INDICATOR_LINE_ENDING, &action);
    ASSERT_TRUE(shown.view.runUpdate(ui));
    EXPECT_EQ(action.text(), QString::fromLatin1(GetParam().shown));
    EXPECT_TRUE(action.isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Modes, SourceViewLineEndingTest,
                         ::testing::Values(LineEndingCase{"a\r\nb", "DOS"}, LineEndingCase{"a\nb", "UNIX"},
                                           LineEndingCase{"a\n\rb", "MAC"}),
                         [](const ::testing::TestParamInfo<LineEndingCase>& info) {
                             return std::string(info.param.shown);
                         });

TEST(SourceViewIndicatorTest, WithoutABufferTheLineEndingIsBlankAndDisabled)
{
    VornaSourceTextView view;
    QAction action(QStringLiteral("old"));
    platform::CmdUI ui(ID_SOURCE_INDICATOR_LINE_ENDING, &action);
    ASSERT_TRUE(view.runUpdate(ui));
    EXPECT_TRUE(action.text().isEmpty());
    EXPECT_FALSE(action.isEnabled());
}

} // namespace
