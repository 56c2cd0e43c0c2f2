#include "BufferTestSupport.h"
#include "source/VornaSourceDoc.h"
#include "source/VornaSourceEditView.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

using Lines = std::vector<std::string>;

namespace {

class SourceEditViewTest : public ::testing::Test
{
protected:
    void SetUp() override { view.OnInitialUpdate(); }

    VornaSourceTextBuffer& Buffer() { return view.GetSourceDoc()->m_xTextBuffer; }
    void Load(const std::string& text) { Buffer().LoadFromBytes(text); }
    void Select(QPoint start, QPoint end)
    {
        view.SetAnchor(start);
        view.SetSelection(start, end);
        view.SetCaretPosition(end);
    }
    void Caret(QPoint pos) { Select(pos, pos); }
    void Type(const std::string& text)
    {
        for (char c : text)
            view.OnChar(std::string(1, c));
    }
    Lines Text() { return BufferLines(Buffer()); }

    VornaSourceEditView view;
};

TEST_F(SourceEditViewTest, StartsWithOneEmptyLineInCrLfMode)
{
    EXPECT_EQ(Text(), Lines{""});
    EXPECT_EQ(Buffer().GetLineEndingMode(), 0);
    EXPECT_TRUE(view.IsEditable());
    EXPECT_EQ(view.GetTextBuffer(), &Buffer());
}

TEST_F(SourceEditViewTest, TypedWordsUndoAsOneStepEachAndSpaceStartsAStep)
{
    Type("ab cd");
    EXPECT_EQ(Text(), Lines{"ab cd"});
    EXPECT_EQ(view.GetCaretPosition(), QPoint(5, 0));
    view.OnEditUndo();
    EXPECT_EQ(Text(), Lines{"ab"});
    view.OnEditUndo();
    EXPECT_EQ(Text(), Lines{""});
    view.OnEditRedo();
    EXPECT_EQ(Text(), Lines{"ab"});
    EXPECT_EQ(view.GetCaretPosition(), QPoint(2, 0));
}

TEST_F(SourceEditViewTest, EnterCopiesIndentationAsItsOwnUndoStep)
{
    Load("\t\tx");
    Caret(QPoint(3, 0));
    view.OnChar("\r");
    EXPECT_EQ(Text(), (Lines{"\t\tx", "\t\t"}));
    EXPECT_EQ(view.GetCaretPosition(), QPoint(2, 1));
    view.OnEditUndo();
    EXPECT_EQ(Text(), (Lines{"\t\tx", ""}));
    view.OnEditUndo();
    EXPECT_EQ(Text(), Lines{"\t\tx"});
}

TEST_F(SourceEditViewTest, EnterCopiesNoLineBreakBytesAsIndentation)
{
    // A CR LF page with an LF-only line break keeps the LF inside a line; a
    // stray CR can lead a line too. Neither is indentation: copying a CR
    // would split the new line, copying an LF would add a line to the page.
    Load("a\r\n\n x\r\n\r\t y");
    Caret(QPoint(3, 1));
    view.OnChar("\r");
    EXPECT_EQ(Text(), (Lines{"a", "\n x", "", "\r\t y"}));
    EXPECT_EQ(view.GetCaretPosition(), QPoint(0, 2));
    Caret(QPoint(4, 3));
    view.OnChar("\r");
    EXPECT_EQ(Text(), (Lines{"a", "\n x", "", "\r\t y", ""}));
    EXPECT_EQ(Buffer().GetLineCount(), 5);
}

TEST_F(SourceEditViewTest, EnterInOverwriteModeMovesExceptOnLastLine)
{
    Load("abc\r\ndef");
    view.SetOverwriteMode(true);
    Caret(QPoint(1, 0));
    view.OnChar("\r");
    EXPECT_EQ(Text(), (Lines{"abc", "def"}));
    EXPECT_EQ(view.GetCaretPosition(), QPoint(0, 1));
    Caret(QPoint(1, 1));
    view.OnChar("\r");
    EXPECT_EQ(Text(), (Lines{"abc", "d", "ef"}));
}

TEST_F(SourceEditViewTest, OverwriteReplacesWholeMultiByteCharacter)
{
    Load("a\xe6\x97\xa5"
         "b");
    view.SetOverwriteMode(true);
    Caret(QPoint(1, 0));
    view.OnChar("x");
    EXPECT_EQ(Text(), Lines{"axb"});
    EXPECT_EQ(view.GetCaretPosition(), QPoint(2, 0));
}

TEST_F(SourceEditViewTest, TypingReplacesSelection)
{
    Load("hello world");
    Select(QPoint(0, 0), QPoint(6, 0));
    view.OnChar("W");
    EXPECT_EQ(Text(), Lines{"Wworld"});
    view.OnEditUndo();
    EXPECT_EQ(Text(), Lines{"hello world"});
}

TEST_F(SourceEditViewTest, BackspaceAndDeleteAtLineEdges)
{
    Load("ab\r\n\xe6\x97\xa5"
         "c");
    Caret(QPoint(0, 1));
    view.OnEditDeleteBack();
    EXPECT_EQ(Text(), Lines{"ab\xe6\x97\xa5"
                            "c"});
    EXPECT_EQ(view.GetCaretPosition(), QPoint(2, 0));
    Caret(QPoint(5, 0));
    view.OnEditDeleteBack(); // the whole character before the caret
    EXPECT_EQ(Text(), Lines{"abc"});
    Caret(QPoint(3, 0));
    view.OnEditDelete(); // end of the last line: nothing
    EXPECT_EQ(Text(), Lines{"abc"});
    Caret(QPoint(0, 0));
    view.OnEditDeleteBack(); // very start: nothing
    EXPECT_EQ(Text(), Lines{"abc"});
    EXPECT_EQ(Buffer().GetUndoRecords().size(), 2u);
}

TEST_F(SourceEditViewTest, DeleteJoinsWithNextLineAndRemovesWholeCharacter)
{
    Load("a\xe6\x97\xa5\r\nb");
    Caret(QPoint(1, 0));
    view.OnEditDelete();
    EXPECT_EQ(Text(), (Lines{"a", "b"}));
    view.OnEditDelete();
    EXPECT_EQ(Text(), Lines{"ab"});
    EXPECT_EQ(Buffer().GetUndoRecords().back().action, SOURCE_ACTION_DELETE);
}

TEST_F(SourceEditViewTest, TabIndentsBlockWithoutLineEndingAtCharacterZero)
{
    Load("0\n1\n22222\n3\n4\n5\n6");
    Select(QPoint(3, 2), QPoint(0, 5));
    view.OnEditTab();
    EXPECT_EQ(Text(), (Lines{"0", "1", "\t22222", "\t3", "\t4", "5", "6"}));
    QPoint start, end;
    view.GetSelection(start, end);
    EXPECT_EQ(start, QPoint(0, 2));
    EXPECT_EQ(end, QPoint(0, 5));
    view.OnEditUndo(); // one step
    EXPECT_EQ(Text(), (Lines{"0", "1", "22222", "3", "4", "5", "6"}));
}

TEST_F(SourceEditViewTest, TabBlockEndingOnLastLineSelectsToItsEnd)
{
    Load("a\nbc");
    Select(QPoint(0, 0), QPoint(1, 1));
    view.OnEditTab();
    EXPECT_EQ(Text(), (Lines{"\ta", "\tbc"}));
    QPoint start, end;
    view.GetSelection(start, end);
    EXPECT_EQ(end, QPoint(3, 1));
}

TEST_F(SourceEditViewTest, ShiftTabRemovesOneTabOrSpacesUpToTabSize)
{
    Load("\t\tx\n      y\n  \tz\nw\n");
    Select(QPoint(0, 0), QPoint(0, 4));
    view.OnEditUntab();
    EXPECT_EQ(Text(), (Lines{"\tx", "  y", "z", "w", ""}));
}

TEST_F(SourceEditViewTest, TabAndShiftTabWithoutBlock)
{
    Load("ab");
    Caret(QPoint(1, 0));
    view.OnEditTab();
    EXPECT_EQ(Text(), Lines{"a\tb"});
    Load("abcdefgh");
    view.SetOverwriteMode(true);
    Caret(QPoint(1, 0));
    view.OnEditTab(); // moves to column 4
    EXPECT_EQ(view.GetCaretPosition(), QPoint(4, 0));
    EXPECT_EQ(Text(), Lines{"abcdefgh"});
    Caret(QPoint(6, 0));
    view.OnEditUntab();
    EXPECT_EQ(view.GetCaretPosition(), QPoint(4, 0));
    view.OnEditUntab();
    EXPECT_EQ(view.GetCaretPosition(), QPoint(0, 0));
}

TEST_F(SourceEditViewTest, CutAndPasteWithClipboardLineEnds)
{
    Load("one\r\ntwo");
    Select(QPoint(1, 0), QPoint(1, 1));
    view.OnEditCut();
    EXPECT_EQ(Text(), Lines{"owo"});
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("ne\nt"));
    QGuiApplication::clipboard()->setText(QStringLiteral("X\nY"));
    Select(QPoint(0, 0), QPoint(1, 0));
    view.OnEditPaste();
    EXPECT_EQ(Text(), (Lines{"X", "Ywo"}));
    EXPECT_EQ(view.GetCaretPosition(), QPoint(1, 1));
    view.OnEditUndo(); // the deletion and the insertion are one step
    EXPECT_EQ(Text(), Lines{"owo"});
}

TEST_F(SourceEditViewTest, ReplaceSelectionIsTwoUndoSteps)
{
    Load("a cat sat");
    EXPECT_FALSE(view.ReplaceSelection("dog"));
    Select(QPoint(2, 0), QPoint(5, 0));
    ASSERT_TRUE(view.ReplaceSelection("dog"));
    EXPECT_EQ(Text(), Lines{"a dog sat"});
    QPoint start, end;
    view.GetSelection(start, end);
    EXPECT_EQ(start, QPoint(2, 0));
    EXPECT_EQ(end, QPoint(5, 0));
    view.OnEditUndo();
    EXPECT_EQ(Text(), Lines{"a  sat"});
    view.OnEditUndo();
    EXPECT_EQ(Text(), Lines{"a cat sat"});
}

TEST_F(SourceEditViewTest, DropInsideDraggedSelectionOnlyMovesCaret)
{
    Load("abcdef");
    Select(QPoint(1, 0), QPoint(4, 0));
    view.SetDraggedText(true, QPoint(1, 0), QPoint(4, 0));
    EXPECT_FALSE(view.DropText(QPoint(2, 0), "bcd"));
    EXPECT_EQ(Text(), Lines{"abcdef"});
    EXPECT_EQ(view.GetCaretPosition(), QPoint(2, 0));
}

TEST_F(SourceEditViewTest, DropElsewhereMovesOrCopies)
{
    Load("abcdef");
    Select(QPoint(1, 0), QPoint(3, 0));
    view.SetDraggedText(true, QPoint(1, 0), QPoint(3, 0));
    ASSERT_TRUE(view.DropText(QPoint(5, 0), "bc"));
    EXPECT_EQ(Text(), Lines{"abcdebcf"});
    EXPECT_TRUE(view.OnDragSourceDone(DROPEFFECT_MOVE));
    EXPECT_EQ(Text(), Lines{"adebcf"});
    QPoint start, end;
    view.GetSelection(start, end);
    EXPECT_EQ(start, QPoint(3, 0));
    EXPECT_EQ(end, QPoint(5, 0));

    Load("abcdef");
    view.SetDraggedText(true, QPoint(1, 0), QPoint(3, 0));
    ASSERT_TRUE(view.DropText(QPoint(6, 0), "bc\nx"));
    EXPECT_TRUE(view.OnDragSourceDone(DROPEFFECT_COPY));
    EXPECT_EQ(Text(), (Lines{"abcdefbc", "x"}));
    view.SetDraggedText(false);
}

TEST_F(SourceEditViewTest, ReadOnlyBufferRefusesEveryEdit)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ro.html"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("abc");
    file.close();
    QFile::setPermissions(path, QFile::ReadOwner);
    ASSERT_TRUE(Buffer().LoadFromFile(path));
    ASSERT_FALSE(view.IsEditable());
    Caret(QPoint(1, 0));
    Type("x");
    view.OnChar("\r");
    view.OnEditDeleteBack();
    view.OnEditTab();
    EXPECT_EQ(Text(), Lines{"abc"});
}

TEST_F(SourceEditViewTest, ImeResultInOverwriteModeReplacesAsManyCharacters)
{
    Load("abcd");
    view.SetOverwriteMode(true);
    Caret(QPoint(1, 0));
    view.OnImeResult("\xe6\x97\xa5\xe6\x9c\xac");
    EXPECT_EQ(Text(), Lines{"a\xe6\x97\xa5\xe6\x9c\xac"
                            "d"});
    EXPECT_EQ(view.GetCaretPosition(), QPoint(7, 0));
}

TEST_F(SourceEditViewTest, ColoursLinesAsHtml)
{
    Load("<b>x</b>");
    ColorRun runs[16];
    int count = 0;
    view.ParseLineColors(0, 0, runs, count);
    ASSERT_GE(count, 2);
    EXPECT_EQ(runs[0].color, COLORINDEX_TAG);
}

TEST(VornaSourceDoc, EveryChangeSetsDocumentFlagAndUndoLeavesIt)
{
    VornaSourceEditView view;
    view.OnInitialUpdate();
    VornaSourceDoc* doc = view.GetSourceDoc();
    EXPECT_FALSE(doc->IsModified());
    view.OnChar("a");
    EXPECT_TRUE(doc->IsModified());
    view.OnEditUndo();
    EXPECT_TRUE(doc->IsModified());
    EXPECT_FALSE(doc->m_xTextBuffer.IsModified());
    EXPECT_FALSE(doc->m_xTextBuffer.GetModifiedField());
}

} // namespace
