// Where the caret goes, as plain functions over the buffer's lines.

#include "BufferTestSupport.h"

#include "source/SourceCaretMotion.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

#define NI "\xe6\x97\xa5"      // wide, a word character
#define HON "\xe6\x9c\xac"     // wide, a word character
#define EACUTE "\xc3\xa9"      // narrow, beyond ASCII
#define IDEO_SP "\xe3\x80\x80" // the ideographic space: wide, so a word character

// Every stop of repeated word moves from one place until the move is refused.
std::vector<QPoint> stops(const SourceLines& lines, QPoint from, bool right)
{
    std::vector<QPoint> out;
    for (std::optional<QPoint> at = from; at; at = right ? SourceWordRight(lines, *at) : SourceWordLeft(lines, *at)) {
        out.push_back(*at);
        if (out.size() > 50)
            break;
    }
    return out;
}

} // namespace

TEST(SourceCaretMotion, WordMovesStopAtWordsAndPunctuationRunsOverPageText)
{
    VornaSourceTextBuffer buffer;
    FillBuffer(buffer, "<a href=\"caf" EACUTE ".html\">" NI HON "</a>\r\n\r\n  x_1 -->");
    const SourceLines lines(&buffer);
    // Right: past a word (letters beyond ASCII with it) or a run of
    // punctuation, and the white space after it; over the empty line in one
    // move; refused at the end of the text.
    EXPECT_EQ(stops(lines, QPoint(0, 0), true), (std::vector<QPoint>{{0, 0},
                                                                     {1, 0},
                                                                     {3, 0},
                                                                     {7, 0},
                                                                     {9, 0},
                                                                     {14, 0},
                                                                     {15, 0},
                                                                     {19, 0},
                                                                     {21, 0},
                                                                     {27, 0},
                                                                     {29, 0},
                                                                     {30, 0},
                                                                     {31, 0},
                                                                     {0, 2},
                                                                     {2, 2},
                                                                     {6, 2},
                                                                     {9, 2}}));
    // Left: white space first, then the word or the punctuation run (which
    // takes a letter beyond ASCII before it along); into the line above from
    // a line's start; refused at the start of the text.
    EXPECT_EQ(stops(lines, QPoint(9, 2), false), (std::vector<QPoint>{{9, 2},
                                                                      {6, 2},
                                                                      {2, 2},
                                                                      {0, 2},
                                                                      {0, 1},
                                                                      {30, 0},
                                                                      {29, 0},
                                                                      {27, 0},
                                                                      {21, 0},
                                                                      {19, 0},
                                                                      {15, 0},
                                                                      {12, 0},
                                                                      {9, 0},
                                                                      {7, 0},
                                                                      {3, 0},
                                                                      {1, 0},
                                                                      {0, 0}}));
}

TEST(SourceCaretMotion, CharMovesCrossLineEndsAndStopAtTheTextsEnds)
{
    VornaSourceTextBuffer buffer;
    FillBuffer(buffer, "a" NI "\r\nb");
    const SourceLines lines(&buffer);
    EXPECT_EQ(SourceCharRight(lines, QPoint(1, 0)), QPoint(4, 0));
    EXPECT_EQ(SourceCharRight(lines, QPoint(4, 0)), QPoint(0, 1));
    EXPECT_EQ(SourceCharRight(lines, QPoint(1, 1)), QPoint(1, 1));
    EXPECT_EQ(SourceCharLeft(lines, QPoint(0, 1)), QPoint(4, 0));
    EXPECT_EQ(SourceCharLeft(lines, QPoint(4, 0)), QPoint(1, 0));
    EXPECT_EQ(SourceCharLeft(lines, QPoint(0, 0)), QPoint(0, 0));

    // Without a buffer there is one empty line, and nowhere to go.
    const SourceLines none(nullptr);
    EXPECT_EQ(none.Count(), 1);
    EXPECT_EQ(SourceCharRight(none, QPoint(0, 0)), QPoint(0, 0));
    EXPECT_FALSE(SourceWordRight(none, QPoint(0, 0)));
    EXPECT_FALSE(SourceWordLeft(none, QPoint(0, 0)));
}

TEST(SourceCaretMotion, ColumnsAndClicksNeverLandInsideACharacter)
{
    const std::string_view line = "\t" NI "b";
    // Columns: the tab 0-3, the wide character 4-5, "b" 6.
    EXPECT_EQ(SourceCharOfColumn(line, 1, 4), 0); // nearer the tab's start
    EXPECT_EQ(SourceCharOfColumn(line, 3, 4), 1); // nearer its end
    EXPECT_EQ(SourceCharOfColumn(line, 5, 4), 1); // inside the wide character: before it
    EXPECT_EQ(SourceCharOfColumn(line, 6, 4), 4);
    EXPECT_EQ(SourceCharOfColumn(line, 40, 4), 5);
    // Clicks in cells 8 pixels wide: the nearer edge of what is under the mouse.
    EXPECT_EQ(SourceCharAtPixel(line, 27, 8, 4), 0);
    EXPECT_EQ(SourceCharAtPixel(line, 28, 8, 4), 1);
    EXPECT_EQ(SourceCharAtPixel(line, 39, 8, 4), 1);
    EXPECT_EQ(SourceCharAtPixel(line, 40, 8, 4), 4);
    EXPECT_EQ(SourceCharAtPixel(line, 500, 8, 4), 5);
    // A byte index inside the wide character steps back to its start.
    EXPECT_EQ(SourceCharBoundaryAtOrBefore(line, 3), 1);
    EXPECT_EQ(SourceCharBoundaryAtOrBefore(line, 9), 5);
}

TEST(SourceCaretMotion, HomeTogglesBetweenIndentAndLineStartAndWordsSpanWideText)
{
    EXPECT_EQ(SourceSmartHome("  <p>", 5), 2);
    EXPECT_EQ(SourceSmartHome("  <p>", 2), 0);
    EXPECT_EQ(SourceSmartHome(" \t ", 2), 0);
    const std::string_view line = "x=" NI IDEO_SP HON "_9;";
    EXPECT_EQ(SourceWordStart(line, 8), 2);
    EXPECT_EQ(SourceWordEnd(line, 2), 13);
    EXPECT_EQ(SourceWordEnd(line, 13), 13);
}
