#include "source/SourceChars.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

#include <string>

namespace {

using namespace SourceChars;

struct ColumnCase
{
    const char* name;
    std::string line;
    int pos;
    int column;
};

// Test names in CTest show the case's name.
void PrintTo(const ColumnCase& c, std::ostream* os)
{
    *os << c.name;
}

class ColumnOfCharTest : public ::testing::TestWithParam<ColumnCase>
{
};

TEST_P(ColumnOfCharTest, CountsColumns)
{
    const ColumnCase& c = GetParam();
    EXPECT_EQ(ColumnOfChar(c.line, c.pos, 4), c.column);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ColumnOfCharTest,
    ::testing::Values(ColumnCase{"LetterTabLetter", "a\tb", 3, 5}, ColumnCase{"TwoLettersTabLetter", "ab\tc", 4, 5},
                      ColumnCase{"TabAtFour", "abcd\tx", 5, 8}, ColumnCase{"WideCharacter", "\xe6\x97\xa5x", 3, 2},
                      ColumnCase{"NarrowAccent", "\xc3\xa9x", 2, 1}, ColumnCase{"HalfWidthKana", "\xef\xbd\xb1x", 3, 1},
                      ColumnCase{"ControlBytesAndNul", std::string("\x01\0\x7f\tb", 5), 5, 5},
                      ColumnCase{"TabAfterWideCharacter", "\xe6\x97\xa5\t", 4, 4},
                      ColumnCase{"StrayBytes", "\x97\xe6x\t", 4, 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SourceChars, StepsOverWholeCharacters)
{
    const std::string line = "a\xe6\x97\xa5"
                             "b";
    EXPECT_EQ(CharLengthAt(line, 1), 3);
    EXPECT_EQ(CharLengthBefore(line, 4), 3);
    EXPECT_EQ(CharLengthBefore(line, 1), 1);
    EXPECT_TRUE(IsInsideChar(line, 2));
    EXPECT_FALSE(IsInsideChar(line, 4));
    EXPECT_TRUE(IsMultiByteAt(line, 1));
    EXPECT_TRUE(IsMultiByteAt(line, 4));
    EXPECT_FALSE(IsMultiByteAt(line, 5));
    EXPECT_EQ(CharOfColumn(line, 1, 4), 1);
    EXPECT_EQ(CharOfColumn(line, 2, 4), 1); // the second column of the wide character
    EXPECT_EQ(CharOfColumn(line, 3, 4), 4);
    // A stray continuation byte counts as one character.
    EXPECT_EQ(CharLengthAt("\x97x", 0), 1);
    EXPECT_EQ(CharLengthBefore("x\x97", 2), 1);
}

// Every column of a mixed line maps to the character that covers it, and
// that character starts at or before the column.
TEST(SourceChars, CharOfColumnFindsTheCharacterCoveringEachColumn)
{
    const std::string line = std::string("a\tb\xe6\x97\xa5\0\x97 \xc3\xa9\t\t\x01z", 15);
    const int columns = LineColumns(line, 4);
    EXPECT_EQ(columns, 18);
    for (int column = 0; column < columns; ++column) {
        const int pos = CharOfColumn(line, column, 4);
        ASSERT_LT(pos, static_cast<int>(line.size())) << column;
        EXPECT_FALSE(IsInsideChar(line, pos)) << column;
        const int start = ColumnOfChar(line, pos, 4);
        const int next = ColumnOfChar(line, pos + std::max(1, CharLengthAt(line, pos)), 4);
        EXPECT_LE(start, column) << column;
        EXPECT_GT(next, column) << column;
    }
    EXPECT_EQ(CharOfColumn(line, columns, 4), static_cast<int>(line.size()));
}

} // namespace
