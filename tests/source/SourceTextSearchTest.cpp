#include "BufferTestSupport.h"
#include "source/SourceTextSearch.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct LineCase
{
    const char* name;
    std::string where, what;
    bool wholeWord;
    int expected;
};

// Test names in CTest show the case's name.
void PrintTo(const LineCase& c, std::ostream* os)
{
    *os << c.name;
}

class FindInLineTest : public ::testing::TestWithParam<LineCase>
{
};

TEST_P(FindInLineTest, FindsOccurrence)
{
    const LineCase& c = GetParam();
    EXPECT_EQ(FindInLine(c.where, c.what, c.wholeWord), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FindInLineTest,
                         ::testing::Values(LineCase{"Plain", "cab ab", "ab", false, 1},
                                           LineCase{"WholeWordSkipsInsideWord", "cab ab", "ab", true, 4},
                                           LineCase{"WholeWordAtStart", "ab_c ab", "ab", true, 5},
                                           LineCase{"WholeWordNone", "abc", "ab", true, -1},
                                           LineCase{"Missing", "abc", "x", false, -1}),
                         [](const auto& info) { return std::string(info.param.name); });

class SourceSearchTest : public ::testing::Test
{
protected:
    void SetUp() override { FillBuffer(buffer, "Alpha beta\r\nbeta\xe3\x81\x82gamma\r\nBETA"); }
    VornaSourceTextBuffer buffer;
};

TEST_F(SourceSearchTest, MatchCaseAndIgnoreCase)
{
    QPoint found;
    ASSERT_TRUE(FindSourceTextInText(buffer, "BETA", QPoint(0, 0), 0, false, found));
    EXPECT_EQ(found, QPoint(6, 0));
    ASSERT_TRUE(FindSourceTextInText(buffer, "BETA", QPoint(0, 0), FIND_MATCH_CASE, false, found));
    EXPECT_EQ(found, QPoint(0, 2));
}

TEST_F(SourceSearchTest, WrapFindsOnlyOccurrenceAgain)
{
    QPoint found;
    EXPECT_FALSE(FindSourceTextInText(buffer, "Alpha", QPoint(1, 0), 0, false, found));
    ASSERT_TRUE(FindSourceTextInText(buffer, "Alpha", QPoint(1, 0), 0, true, found));
    EXPECT_EQ(found, QPoint(0, 0));
}

TEST_F(SourceSearchTest, UpwardsSearch)
{
    QPoint found;
    ASSERT_TRUE(FindSourceTextInText(buffer, "beta", QPoint(0, 1), FIND_DIRECTION_UP, false, found));
    EXPECT_EQ(found, QPoint(0, 1));
    ASSERT_TRUE(FindSourceTextInText(buffer, "alpha", QPoint(0, 1), FIND_DIRECTION_UP | FIND_WHOLE_WORD, false, found));
    EXPECT_EQ(found, QPoint(0, 0));
}

TEST_F(SourceSearchTest, BlockEndLimitsMatches)
{
    QPoint found;
    // Block from line 0, 3 to line 1, 2: "beta" on line 0 is inside, the one at line 1 starts inside too.
    EXPECT_TRUE(FindSourceText(buffer, "beta", QPoint(7, 0), QPoint(3, 0), QPoint(2, 1), 0, false, found));
    EXPECT_EQ(found, QPoint(0, 1));
    EXPECT_FALSE(FindSourceText(buffer, "gamma", QPoint(0, 0), QPoint(3, 0), QPoint(2, 1), 0, false, found));
    EXPECT_FALSE(FindSourceText(buffer, "beta", QPoint(0, 0), QPoint(3, 0), QPoint(3, 0), 0, false, found));
}

TEST_F(SourceSearchTest, NeverMatchesInsideMultiByteCharacter)
{
    QPoint found;
    // The last two bytes of "あ" (E3 81 82) followed by "g".
    EXPECT_FALSE(FindSourceTextInText(buffer, "\x81\x82g", QPoint(0, 0), FIND_MATCH_CASE, false, found));
    ASSERT_TRUE(FindSourceTextInText(buffer, "\xe3\x81\x82g", QPoint(0, 0), 0, false, found));
    EXPECT_EQ(found, QPoint(4, 1));
}

TEST_F(SourceSearchTest, EmptyTextFindsNothing)
{
    QPoint found;
    EXPECT_FALSE(FindSourceTextInText(buffer, "", QPoint(0, 0), 0, true, found));
}

} // namespace
