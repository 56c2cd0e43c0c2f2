#include "BufferTestSupport.h"

#include <gtest/gtest.h>

#include <ostream>

#include <QFile>

using Lines = std::vector<std::string>;

namespace {

QString writeTempFile(const QTemporaryDir& dir, const QByteArray& bytes,
                      const QString& name = QStringLiteral("page.html"))
{
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

struct LoadCase
{
    const char* name;
    std::string bytes;
    int mode;
    Lines lines;
};

// Test names in CTest show the case's name.
void PrintTo(const LoadCase& c, std::ostream* os)
{
    *os << c.name;
}

class BufferLoadTest : public ::testing::TestWithParam<LoadCase>
{
};

TEST_P(BufferLoadTest, DetectsModeAndSplitsLines)
{
    const LoadCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = writeTempFile(dir, QByteArray::fromStdString(c.bytes));
    VornaSourceTextBuffer buffer;
    ASSERT_TRUE(buffer.LoadFromFile(path, QString(), -1));
    EXPECT_EQ(buffer.GetLineEndingMode(), c.mode);
    EXPECT_EQ(BufferLines(buffer), c.lines);
    EXPECT_FALSE(buffer.IsReadOnly());
    EXPECT_FALSE(buffer.IsModified());
}

INSTANTIATE_TEST_SUITE_P(
    LineEndings, BufferLoadTest,
    ::testing::Values(LoadCase{"Lf", "a\nb\r\nc\n", 2, {"a", "b\r", "c", ""}},
                      LoadCase{"CrLf", "a\r\nb\r\n", 0, {"a", "b", ""}},
                      LoadCase{"LfCr", "a\n\rb\n\rc", 1, {"a", "b", "c"}},
                      LoadCase{"CrOnly", "a\rb\rc", 0, {"a\rb\rc"}}, LoadCase{"Empty", "", 0, {""}},
                      LoadCase{"CrCrLfEndsAfterFirstCr", "a\r\r\nb\r\nc", 0, {"a\r", "b", "c"}},
                      LoadCase{"LfLfCrInLfCrMode", "a\n\rb\n\n\rc", 1, {"a", "b\n", "c"}},
                      LoadCase{"NulBytesKept", std::string("a\0b\r\nc", 6), 0, {std::string("a\0b", 3), "c"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VornaSourceTextBuffer, ExplicitModeOverridesDetection)
{
    VornaSourceTextBuffer buffer;
    FillBuffer(buffer, "a\r\nb\nc", VornaSourceTextBuffer::Lf);
    EXPECT_EQ(BufferLines(buffer), (Lines{"a\r", "b", "c"}));
    EXPECT_EQ(buffer.GetLineEndingMode(), 2);
}

TEST(VornaSourceTextBuffer, LoadsWholeLargeFileAndJoinsWithCrLf)
{
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "line " + std::to_string(i) + "\n";
    QTemporaryDir dir;
    VornaSourceTextBuffer buffer;
    ASSERT_TRUE(buffer.LoadFromFile(writeTempFile(dir, QByteArray::fromStdString(text))));
    ASSERT_EQ(buffer.GetLineCount(), 20001);
    EXPECT_EQ(buffer.GetLine(19999), "line 19999");
    std::string back = buffer.GetAllText();
    EXPECT_EQ(back.substr(0, 14), "line 0\r\nline 1");
    EXPECT_EQ(back.size(), text.size() + 20000);
}

TEST(VornaSourceTextBuffer, MissingFileGivesEmptyWritableBufferAndFalse)
{
    VornaSourceTextBuffer buffer;
    EXPECT_FALSE(buffer.LoadFromFile(QStringLiteral("/nonexistent/none.html")));
    EXPECT_EQ(BufferLines(buffer), Lines{""});
    EXPECT_FALSE(buffer.IsReadOnly());
    int endLine = 0, endChar = 0;
    EXPECT_TRUE(buffer.InsertText(nullptr, 0, 0, "x", endLine, endChar));
}

TEST(VornaSourceTextBuffer, ReadOnlyFileRefusesChanges)
{
    QTemporaryDir dir;
    const QString path = writeTempFile(dir, "abc");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup);
    VornaSourceTextBuffer buffer;
    ASSERT_TRUE(buffer.LoadFromFile(path));
    EXPECT_TRUE(buffer.IsReadOnly());
    int endLine = 0, endChar = 0;
    EXPECT_FALSE(buffer.InsertText(nullptr, 0, 0, "x", endLine, endChar));
    EXPECT_FALSE(buffer.DeleteText(nullptr, 0, 0, 0, 1));
    EXPECT_EQ(buffer.GetLine(0), "abc");
    EXPECT_FALSE(buffer.CanUndo());
}

TEST(VornaSourceTextBuffer, DecodesFromCharset)
{
    QTemporaryDir dir;
    // "日本" in Shift_JIS.
    const QString path = writeTempFile(dir, QByteArray("<p>\x93\xfa\x96\x7b</p>\r\nx"));
    VornaSourceTextBuffer buffer;
    ASSERT_TRUE(buffer.LoadFromFile(path, QStringLiteral("Shift_JIS")));
    EXPECT_EQ(buffer.GetLine(0), "<p>\xe6\x97\xa5\xe6\x9c\xac</p>");
    EXPECT_EQ(buffer.GetLine(1), "x");
}

TEST(VornaSourceTextBuffer, GetTextOfRangesAndSeparator)
{
    VornaSourceTextBuffer buffer;
    FillBuffer(buffer, "abc\ndef\nghi");
    std::string text;
    buffer.GetText(0, 1, 0, 3, text);
    EXPECT_EQ(text, "bc");
    buffer.GetText(0, 2, 2, 1, text);
    EXPECT_EQ(text, "c\r\ndef\r\ng");
    buffer.GetText(0, 2, 2, 1, text, "|");
    EXPECT_EQ(text, "c|def|g");
    buffer.GetText(1, 0, 99, 99, text); // clamped
    EXPECT_EQ(text, "def\r\nghi");
}

struct InsertCase
{
    const char* name;
    std::string text;
    Lines lines;
    QPoint end;
};

// Test names in CTest show the case's name.
void PrintTo(const InsertCase& c, std::ostream* os)
{
    *os << c.name;
}

class BufferInsertTest : public ::testing::TestWithParam<InsertCase>
{
};

TEST_P(BufferInsertTest, SplitsAtCrAndCrLfOnly)
{
    const InsertCase& c = GetParam();
    VornaSourceTextBuffer buffer;
    FillBuffer(buffer, "<>\r\nz");
    RecordingBufferView view;
    buffer.AttachView(&view);
    int endLine = -1, endChar = -1;
    ASSERT_TRUE(buffer.InsertText(&view, 0, 1, c.text, endLine, endChar, 1));
    EXPECT_EQ(BufferLines(buffer), c.lines);
    EXPECT_EQ(QPoint(endChar, endLine), c.end);
    ASSERT_EQ(view.changes.size(), 1u);
    const bool added = c.lines.size() > 2;
    EXPECT_EQ(view.changes[0].flags,
              added ? (VornaSourceTextBuffer::ViewUpdateWidth | VornaSourceTextBuffer::ViewUpdateHeight)
                    : (VornaSourceTextBuffer::ViewUpdateWidth | VornaSourceTextBuffer::ViewUpdateOneLine));
    EXPECT_EQ(view.changes[0].source, &view);
    EXPECT_EQ(view.changes[0].line, 0);
}

INSTANTIATE_TEST_SUITE_P(Pieces, BufferInsertTest,
                         ::testing::Values(InsertCase{"LfIsOrdinary", "a\nb", {"<a\nb>", "z"}, QPoint(4, 0)},
                                           InsertCase{"Cr", "a\rb", {"<a", "b>", "z"}, QPoint(1, 1)},
                                           InsertCase{"CrLf", "a\r\nb", {"<a", "b>", "z"}, QPoint(1, 1)},
                                           InsertCase{"TrailingBreak", "a\r\n", {"<a", ">", "z"}, QPoint(0, 1)},
                                           InsertCase{"CrCrLf", "\r\r\n", {"<", "", ">", "z"}, QPoint(0, 2)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(VornaSourceTextBuffer, DeleteWithinAndAcrossLines)
{
    VornaSourceTextBuffer buffer;
    FillBuffer(buffer, "abcd\r\nefgh\r\nijkl");
    RecordingBufferView view;
    buffer.AttachView(&view);
    ASSERT_TRUE(buffer.DeleteText(nullptr, 0, 1, 0, 3));
    EXPECT_EQ(BufferLines(buffer), (Lines{"ad", "efgh", "ijkl"}));
    EXPECT_EQ(view.changes.back().flags,
              VornaSourceTextBuffer::ViewUpdateWidth | VornaSourceTextBuffer::ViewUpdateOneLine);
    ASSERT_TRUE(buffer.DeleteText(nullptr, 0, 1, 2, 2));
    EXPECT_EQ(BufferLines(buffer), (Lines{"akl"}));
    EXPECT_EQ(view.changes.back().flags,
              VornaSourceTextBuffer::ViewUpdateWidth | VornaSourceTextBuffer::ViewUpdateHeight);
    // Reversed and out-of-range points are put in order and clamped.
    ASSERT_TRUE(buffer.DeleteText(nullptr, 5, 99, 0, 1));
    EXPECT_EQ(BufferLines(buffer), (Lines{"a"}));
}

struct ContextCase
{
    const char* name;
    bool insert;
    QPoint start, end, point, expected;
};

// Test names in CTest show the case's name.
void PrintTo(const ContextCase& c, std::ostream* os)
{
    *os << c.name;
}

class UpdateContextTest : public ::testing::TestWithParam<ContextCase>
{
};

TEST_P(UpdateContextTest, MovesPoint)
{
    const ContextCase& c = GetParam();
    QPoint point = c.point;
    if (c.insert)
        CInsertContext(c.start, c.end).AdjustPoint(point);
    else
        CDeleteContext(c.start, c.end).AdjustPoint(point);
    EXPECT_EQ(point, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Points, UpdateContextTest,
                         ::testing::Values(ContextCase{"InsertEarlierLineStays", true, {2, 3}, {4, 5}, {9, 2}, {9, 2}},
                                           ContextCase{
                                               "InsertLaterLineMovesDown", true, {2, 3}, {4, 5}, {1, 4}, {1, 6}},
                                           ContextCase{"InsertAtStartStays", true, {2, 3}, {4, 5}, {2, 3}, {2, 3}},
                                           ContextCase{"InsertAfterStartFollows", true, {2, 3}, {4, 5}, {5, 3}, {7, 5}},
                                           ContextCase{"InsertSameLineShifts", true, {2, 3}, {6, 3}, {5, 3}, {9, 3}},
                                           ContextCase{"DeleteEarlierLineStays", false, {2, 3}, {4, 5}, {9, 2}, {9, 2}},
                                           ContextCase{"DeleteLaterLineMovesUp", false, {2, 3}, {4, 5}, {1, 7}, {1, 5}},
                                           ContextCase{"DeleteEndLineAfterEnd", false, {2, 3}, {4, 5}, {6, 5}, {4, 3}},
                                           ContextCase{"DeleteEndLineBeforeEnd", false, {2, 3}, {4, 5}, {3, 5}, {2, 3}},
                                           ContextCase{"DeleteStartLineBefore", false, {2, 3}, {4, 5}, {1, 3}, {1, 3}},
                                           ContextCase{"DeleteStartLineAfter", false, {2, 3}, {4, 5}, {7, 3}, {2, 3}},
                                           ContextCase{"DeleteMiddleLine", false, {2, 3}, {4, 5}, {9, 4}, {2, 3}},
                                           ContextCase{"DeleteOneLineInside", false, {2, 3}, {6, 3}, {4, 3}, {2, 3}},
                                           ContextCase{"DeleteOneLineAfter", false, {2, 3}, {6, 3}, {8, 3}, {4, 3}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(VornaSourceTextBuffer, InsertAndDeleteMoveTrackedPoints)
{
    VornaSourceTextBuffer buffer;
    FillBuffer(buffer, "abc\r\ndef");
    RecordingBufferView view;
    QPoint caret(2, 1);
    view.tracked.push_back(&caret);
    buffer.AttachView(&view);
    int endLine = 0, endChar = 0;
    buffer.InsertText(nullptr, 0, 1, "X\r\nY", endLine, endChar);
    EXPECT_EQ(caret, QPoint(2, 2));
    buffer.DeleteText(nullptr, 0, 0, 2, 1);
    EXPECT_EQ(caret, QPoint(1, 0));
    buffer.DetachView(&view);
    buffer.DetachView(&view); // a second detach does nothing
}

TEST(VornaSourceTextBuffer, UndoRedoOfMultiLinePaste)
{
    VornaSourceTextBuffer buffer;
    FillBuffer(buffer, "ab");
    int endLine = 0, endChar = 0;
    ASSERT_TRUE(buffer.InsertText(nullptr, 0, 1, "1\r\n2\r\n3", endLine, endChar, 1));
    EXPECT_EQ(BufferLines(buffer), (Lines{"a1", "2", "3b"}));
    EXPECT_TRUE(buffer.IsModified());
    QPoint caret;
    ASSERT_TRUE(buffer.Undo(caret));
    EXPECT_EQ(caret, QPoint(1, 0));
    EXPECT_EQ(BufferLines(buffer), Lines{"ab"});
    EXPECT_FALSE(buffer.IsModified());
    ASSERT_TRUE(buffer.Redo(caret));
    EXPECT_EQ(caret, QPoint(1, 2));
    EXPECT_EQ(BufferLines(buffer), (Lines{"a1", "2", "3b"}));
    EXPECT_FALSE(buffer.CanRedo());
}

TEST(VornaSourceTextBuffer, UndoRestoresDeletedTextWithStrayCrExactly)
{
    VornaSourceTextBuffer buffer;
    FillBuffer(buffer, "a\r\r\nb\r\nc\rd");
    ASSERT_EQ(BufferLines(buffer), (Lines{"a\r", "b", "c\rd"}));
    ASSERT_TRUE(buffer.DeleteText(nullptr, 0, 0, 2, 2));
    EXPECT_EQ(buffer.GetUndoRecords().back().Text(), "a\r\r\nb\r\nc\r");
    QPoint caret;
    ASSERT_TRUE(buffer.Undo(caret));
    EXPECT_EQ(BufferLines(buffer), (Lines{"a\r", "b", "c\rd"}));
    EXPECT_EQ(caret, QPoint(2, 2));
    ASSERT_TRUE(buffer.Redo(caret));
    EXPECT_EQ(BufferLines(buffer), Lines{"d"});
}

TEST(VornaSourceTextBuffer, GroupsUndoTogetherAndMergesOnRequest)
{
    VornaSourceTextBuffer buffer;
    buffer.InitEmpty(0);
    RecordingBufferView view;
    int endLine = 0, endChar = 0;
    buffer.StartUndoGroup(false);
    buffer.InsertText(&view, 0, 0, "a", endLine, endChar, 4);
    buffer.EndUndoGroup(&view);
    buffer.StartUndoGroup(true);
    buffer.InsertText(&view, 0, 1, "b", endLine, endChar, 4);
    buffer.EndUndoGroup(&view);
    buffer.StartUndoGroup(false);
    buffer.InsertText(&view, 0, 2, " ", endLine, endChar, 4);
    buffer.EndUndoGroup(&view);
    ASSERT_EQ(view.actions.size(), 3u);
    EXPECT_EQ(view.actions[2].action, 4);
    EXPECT_EQ(view.actions[2].text, " ");
    QPoint caret;
    buffer.Undo(caret);
    EXPECT_EQ(buffer.GetLine(0), "ab");
    buffer.Undo(caret);
    EXPECT_EQ(buffer.GetLine(0), "");
    EXPECT_FALSE(buffer.CanUndo());
    EXPECT_FALSE(buffer.Undo(caret));
}

TEST(VornaSourceTextBuffer, UndoGroupGuardClosesOnEveryWayOut)
{
    VornaSourceTextBuffer buffer;
    buffer.InitEmpty(0);
    RecordingBufferView view;
    int endLine = 0, endChar = 0;
    // Two edits in a group left early, as a command that finds nothing more to do.
    auto typeTwice = [&](bool leaveEarly) {
        SourceUndoGroup group(&buffer, &view);
        buffer.InsertText(&view, 0, 0, "<b>", endLine, endChar, 4);
        if (leaveEarly)
            return;
        buffer.InsertText(&view, 0, 3, "</b>", endLine, endChar, 4);
    };
    typeTwice(false);
    typeTwice(true);
    // Closed: the next edit is a step of its own, and the view heard of each group's last edit.
    buffer.InsertText(&view, 0, 0, "x", endLine, endChar, 5);
    ASSERT_EQ(view.actions.size(), 3u);
    EXPECT_EQ(view.actions[0].text, "</b>");
    EXPECT_EQ(view.actions[1].text, "<b>");
    EXPECT_EQ(view.actions[2].action, 5);
    EXPECT_EQ(buffer.GetLine(0), "x<b><b></b>");
    QPoint caret;
    buffer.Undo(caret);
    EXPECT_EQ(buffer.GetLine(0), "<b><b></b>");
    buffer.Undo(caret);
    EXPECT_EQ(buffer.GetLine(0), "<b></b>");
    buffer.Undo(caret);
    EXPECT_EQ(buffer.GetLine(0), "");

    // A merging group joins the step before it; a guard without a buffer does nothing.
    buffer.InsertText(nullptr, 0, 0, "a", endLine, endChar);
    {
        SourceUndoGroup merged(&buffer, nullptr, true);
        buffer.InsertText(nullptr, 0, 1, "b", endLine, endChar);
    }
    {
        SourceUndoGroup none(nullptr, &view);
    }
    buffer.Undo(caret);
    EXPECT_EQ(buffer.GetLine(0), "");
    EXPECT_EQ(view.actions.size(), 3u);
}

TEST(VornaSourceTextBuffer, FreeAllLeavesNothingToUndoOrChange)
{
    VornaSourceTextBuffer buffer;
    FillBuffer(buffer, "abc");
    int endLine = 0, endChar = 0;
    buffer.InsertText(nullptr, 0, 0, "x", endLine, endChar);
    buffer.FreeAll();
    EXPECT_EQ(buffer.GetLineCount(), 0);
    EXPECT_FALSE(buffer.CanUndo());
    QPoint caret;
    EXPECT_FALSE(buffer.Undo(caret));
    EXPECT_FALSE(buffer.InsertText(nullptr, 0, 0, "x", endLine, endChar));
    EXPECT_FALSE(buffer.DeleteText(nullptr, 0, 0, 0, 1));
    EXPECT_EQ(buffer.GetAllText(), "");
}

TEST(VornaSourceTextBuffer, NewChangeAfterUndoDiscardsRedo)
{
    VornaSourceTextBuffer buffer;
    buffer.InitEmpty(0);
    int endLine = 0, endChar = 0;
    buffer.InsertText(nullptr, 0, 0, "a", endLine, endChar);
    buffer.InsertText(nullptr, 0, 1, "b", endLine, endChar);
    QPoint caret;
    buffer.Undo(caret);
    EXPECT_TRUE(buffer.CanRedo());
    buffer.InsertText(nullptr, 0, 1, "c", endLine, endChar);
    EXPECT_FALSE(buffer.CanRedo());
    EXPECT_EQ(buffer.GetUndoRecords().size(), 2u);
    EXPECT_EQ(buffer.GetLine(0), "ac");
}

TEST(VornaSourceTextBuffer, LimitDropsOldestWholeGroupAndStaysModified)
{
    VornaSourceTextBuffer buffer;
    buffer.InitEmpty(0);
    int endLine = 0, endChar = 0;
    // First group of three records, then single-record groups up to the limit.
    buffer.StartUndoGroup(false);
    for (int i = 0; i < 3; ++i)
        buffer.InsertText(nullptr, 0, 0, "g", endLine, endChar);
    buffer.EndUndoGroup(nullptr);
    while (buffer.GetUndoRecords().size() < VornaSourceTextBuffer::DefaultUndoLimit)
        buffer.InsertText(nullptr, 0, 0, "x", endLine, endChar);
    buffer.InsertText(nullptr, 0, 0, "y", endLine, endChar); // the 4097th record
    EXPECT_EQ(buffer.GetUndoRecords().size(), VornaSourceTextBuffer::DefaultUndoLimit - 2);
    EXPECT_TRUE(buffer.GetUndoRecords().front().flags & VornaSourceTextBuffer::UndoBeginGroup);
    QPoint caret;
    while (buffer.CanUndo())
        buffer.Undo(caret);
    EXPECT_EQ(buffer.GetLine(0), "ggg");
    EXPECT_TRUE(buffer.IsModified()); // the loaded text cannot be reached any more
}

TEST(VornaSourceTextBuffer, AStepLargerThanTheLimitUndoesWhole)
{
    // Indenting a long page is one step of many records; the limit must not
    // eat the step's own first records, or undo would leave it half done.
    VornaSourceTextBuffer buffer;
    buffer.LoadFromBytes("a\r\nb\r\nc\r\nd\r\ne\r\nf");
    buffer.SetUndoLimit(4);
    int endLine = 0, endChar = 0;
    buffer.StartUndoGroup(false);
    for (int line = 0; line < 6; ++line)
        buffer.InsertText(nullptr, line, 0, "\t", endLine, endChar);
    buffer.EndUndoGroup(nullptr);
    QPoint caret;
    ASSERT_TRUE(buffer.Undo(caret));
    EXPECT_EQ(buffer.GetAllText(), "a\r\nb\r\nc\r\nd\r\ne\r\nf");
    EXPECT_FALSE(buffer.CanUndo());
    ASSERT_TRUE(buffer.Redo(caret));
    EXPECT_EQ(buffer.GetAllText(), "\ta\r\n\tb\r\n\tc\r\n\td\r\n\te\r\n\tf");
    // The next step drops the large one whole.
    buffer.InsertText(nullptr, 0, 0, "x", endLine, endChar);
    EXPECT_EQ(buffer.GetUndoRecords().size(), 1u);
    ASSERT_TRUE(buffer.Undo(caret));
    EXPECT_FALSE(buffer.CanUndo());
    EXPECT_EQ(buffer.GetLine(0), "\ta");
    EXPECT_TRUE(buffer.IsModified());
}

class ModifiedFlagBuffer : public VornaSourceTextBuffer
{
public:
    void SetModified(bool modified) override
    {
        calls.push_back(modified);
        VornaSourceTextBuffer::SetModified(modified);
    }
    std::vector<bool> calls;
};

TEST(VornaSourceTextBuffer, ModifiedFieldFollowsUndoPosition)
{
    ModifiedFlagBuffer buffer;
    buffer.InitEmpty(0);
    int endLine = 0, endChar = 0;
    buffer.InsertText(nullptr, 0, 0, "a", endLine, endChar);
    buffer.InsertText(nullptr, 0, 1, "b", endLine, endChar);
    QPoint caret;
    buffer.Undo(caret);
    buffer.Undo(caret);
    EXPECT_FALSE(buffer.IsModified());
    EXPECT_EQ(buffer.calls, (std::vector<bool>{true, false}));
}

TEST(VornaSourceTextBuffer, LineFlagsAndMarkedLineSearch)
{
    VornaSourceTextBuffer buffer;
    FillBuffer(buffer, "0\n1\n2\n3\n4");
    RecordingBufferView view;
    buffer.AttachView(&view);
    buffer.SetLineFlag(1, 0x3, true); // two bits: nothing
    EXPECT_TRUE(view.changes.empty());
    buffer.SetLineFlag(1, 0x4, true);
    buffer.SetLineFlag(3, 0x4, true, true); // a unique mark moves
    EXPECT_EQ(buffer.GetLineFlags(1), 0u);
    EXPECT_EQ(buffer.GetLineWithFlag(0x4), 3);
    EXPECT_EQ(view.changes.back().flags,
              VornaSourceTextBuffer::ViewUpdateOneLine | VornaSourceTextBuffer::ViewUpdateFlagsOnly);
    EXPECT_EQ(buffer.GetLineWithFlag(0x6), -1);

    const uint32_t mark = VornaSourceTextBuffer::LineFlagBookmark;
    EXPECT_EQ(buffer.FindNextMarkedLine(0), -1);
    buffer.SetLineFlag(1, mark, true, false);
    buffer.SetLineFlag(3, mark, true, false);
    EXPECT_EQ(buffer.FindNextMarkedLine(1), 3);
    EXPECT_EQ(buffer.FindNextMarkedLine(3), 1); // wraps
    EXPECT_EQ(buffer.FindNextMarkedLine(2), 3);
    EXPECT_EQ(buffer.FindPrevMarkedLine(3), 1);
    EXPECT_EQ(buffer.FindPrevMarkedLine(1), 3);
    EXPECT_EQ(buffer.FindPrevMarkedLine(0), 3);
    // Marks move with their lines and vanish with removed ones.
    buffer.DeleteText(nullptr, 1, 1, 3, 0);
    EXPECT_EQ(buffer.GetLineFlags(1) & mark, mark);
    EXPECT_EQ(buffer.FindNextMarkedLine(0), 1);
}

TEST(SourceLineBreaks, LfBecomesCrLf)
{
    EXPECT_EQ(ToSourceLineBreaks("a\nb\r\nc\n"), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(ToSourceLineBreaks("\n"), "\r\n");
}

} // namespace
