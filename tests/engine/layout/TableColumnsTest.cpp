#include "engine/layout/TableColumns.h"

#include <gtest/gtest.h>

#include <numeric>

using engine::TableColumnInput;

namespace {

TableColumnInput autoCol(int min, int max)
{
    return {min, max, false, 0};
}

TableColumnInput fixedCol(int width)
{
    return {width, width, true, 0};
}

TableColumnInput percentCol(int min, int max, double percent)
{
    return {min, max, false, percent};
}

struct DistributionCase
{
    const char* name;
    std::vector<TableColumnInput> columns;
    int width;
    std::vector<int> expected;
};

class ColumnDistribution : public ::testing::TestWithParam<DistributionCase>
{
};

TEST_P(ColumnDistribution, GivesTheBrowsersWidths)
{
    const DistributionCase& c = GetParam();
    const std::vector<int> widths = engine::distributeColumnWidths(c.columns, c.width);
    EXPECT_EQ(widths, c.expected);
    int minimum = 0;
    for (const TableColumnInput& col : c.columns)
        minimum += col.minWidth;
    // The columns fill the width whenever their minimums fit in it.
    if (!widths.empty() && minimum <= c.width) {
        EXPECT_EQ(std::accumulate(widths.begin(), widths.end(), 0), c.width);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, ColumnDistribution,
    ::testing::Values(
        // Spare width: auto columns by their maximum widths, not all to the last.
        DistributionCase{"SpareToAutoByMaximum", {autoCol(10, 10), autoCol(10, 30), fixedCol(50)}, 140, {23, 67, 50}},
        DistributionCase{
            "EqualAutoColumnsShareEqually", {autoCol(10, 20), autoCol(10, 20), autoCol(10, 20)}, 100, {33, 34, 33}},
        DistributionCase{"AllFixedGrowTogether", {fixedCol(10), fixedCol(30)}, 80, {20, 60}},
        // Narrower than the maximums: each auto column grows by its share of what it lacks.
        DistributionCase{"BetweenMinimumAndMaximum", {autoCol(10, 110), autoCol(20, 40)}, 90, {60, 30}},
        DistributionCase{"MinimumsDoNotFit", {autoCol(60, 100), autoCol(50, 80)}, 80, {60, 50}},
        // Percentages of the width; the auto column takes the rest.
        DistributionCase{
            "PercentAndAuto", {percentCol(30, 40, 30), autoCol(50, 80), percentCol(10, 10, 20)}, 590, {177, 295, 118}},
        DistributionCase{
            "PercentFixedAuto", {fixedCol(54), percentCol(40, 50, 30), autoCol(50, 70)}, 778, {54, 233, 491}},
        // Only percentage columns: the rest by their percentages.
        DistributionCase{"PercentsUnderAHundred", {percentCol(13, 13, 20), percentCol(13, 13, 30)}, 392, {157, 235}},
        // Too little room for the percentages: they grow from their minimums
        // in proportion to what they lack; the auto column keeps its minimum.
        DistributionCase{
            "PercentsDoNotFit", {percentCol(31, 31, 60), percentCol(51, 51, 40), autoCol(39, 39)}, 490, {269, 182, 39}},
        DistributionCase{"PercentBelowItsMinimum", {percentCol(254, 254, 10), percentCol(13, 13, 90)}, 292, {254, 38}},
        // Fixed columns reach their width before auto columns grow.
        DistributionCase{"FixedBeforeAuto", {fixedCol(100), autoCol(20, 200)}, 150, {100, 50}},
        DistributionCase{"NoColumns", {}, 100, {}}),
    [](const ::testing::TestParamInfo<DistributionCase>& info) { return std::string(info.param.name); });

struct MaxWidthCase
{
    const char* name;
    std::vector<TableColumnInput> columns;
    int limit;
    int expected;
};

class TableMaxWidth : public ::testing::TestWithParam<MaxWidthCase>
{
};

TEST_P(TableMaxWidth, WidensForPercentages)
{
    EXPECT_EQ(engine::tableMaxColumnsWidth(GetParam().columns, GetParam().limit), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, TableMaxWidth,
    ::testing::Values(MaxWidthCase{"NoPercentages", {autoCol(10, 60), fixedCol(40)}, 1000, 100},
                      // 62 px is 25 %: the table is 248 wide; the auto column fits in 75 %.
                      MaxWidthCase{"PercentColumnSetsTheWidth", {percentCol(62, 62, 25), autoCol(100, 185)}, 1000, 248},
                      // The auto column needs 185 px in the 50 % that is left.
                      MaxWidthCase{"RestSetsTheWidth", {percentCol(20, 20, 50), autoCol(100, 185)}, 1000, 370},
                      MaxWidthCase{"HalfAndHalf", {percentCol(40, 40, 50), percentCol(76, 76, 50)}, 1000, 152},
                      // Percentages leave nothing for the other columns: as wide as allowed.
                      MaxWidthCase{"NothingLeft", {percentCol(20, 20, 100), autoCol(10, 10)}, 640, 640},
                      MaxWidthCase{"Limited", {percentCol(62, 62, 10)}, 300, 300}),
    [](const ::testing::TestParamInfo<MaxWidthCase>& info) { return std::string(info.param.name); });

TEST(TableColumns, SpanningCellWidensItsColumnsByTheirMaximumWidths)
{
    std::vector<TableColumnInput> columns{autoCol(13, 13), autoCol(13, 39), autoCol(20, 20)};
    engine::growSpannedColumns(columns, 0, 2, 72, 104);
    // 46 more minimum and 52 more maximum, a quarter and three quarters.
    EXPECT_EQ(columns[0].minWidth + columns[1].minWidth, 72);
    EXPECT_EQ(columns[0].minWidth, 25);
    EXPECT_EQ(columns[0].maxWidth, 26);
    EXPECT_EQ(columns[1].maxWidth, 78);
    EXPECT_EQ(columns[2].minWidth, 20);

    // Columns that already hold the cell stay; empty columns share equally.
    columns = {autoCol(50, 60), autoCol(30, 40)};
    engine::growSpannedColumns(columns, 0, 2, 70, 90);
    EXPECT_EQ(columns[0].minWidth, 50);
    EXPECT_EQ(columns[1].maxWidth, 40);
    columns = {autoCol(0, 0), autoCol(0, 0)};
    engine::growSpannedColumns(columns, 0, 2, 10, 30);
    EXPECT_EQ(columns[0].minWidth, 5);
    EXPECT_EQ(columns[1].maxWidth, 15);
}

// A banner spanning columns of widths in pixels that add up to its own
// leaves them at those widths (their minimum widths take their shares of
// it), where sharing out what their contents lack moved every edge.
TEST(TableColumns, SpanningCellOverColumnsOfPixelWidthsKeepsTheirWidths)
{
    // (A column of a width in pixels can narrow down to its content.)
    const auto pixelsCol = [](int min, int width) { return TableColumnInput{min, width, true, 0}; };
    std::vector<TableColumnInput> columns{pixelsCol(40, 150), pixelsCol(8, 10), pixelsCol(60, 600)};
    engine::growSpannedColumns(columns, 0, 3, 760, 760);
    EXPECT_EQ(engine::distributeColumnWidths(columns, 760), (std::vector<int>{150, 10, 600}));
    // Wider than they are together, it widens them by their widths.
    columns = {pixelsCol(40, 100), pixelsCol(60, 300)};
    engine::growSpannedColumns(columns, 0, 2, 800, 800);
    EXPECT_EQ(columns[0].minWidth, 200);
    EXPECT_EQ(columns[1].minWidth, 600);
}

TEST(TableColumns, PercentagesAreCappedAtAHundredInColumnOrder)
{
    std::vector<TableColumnInput> columns{percentCol(0, 0, 60), percentCol(0, 0, 60), percentCol(0, 0, 10),
                                          percentCol(0, 0, -5)};
    engine::capColumnPercentages(columns);
    EXPECT_DOUBLE_EQ(columns[0].percent, 60);
    EXPECT_DOUBLE_EQ(columns[1].percent, 40);
    EXPECT_DOUBLE_EQ(columns[2].percent, 0);
    EXPECT_DOUBLE_EQ(columns[3].percent, 0);
}

TEST(TableColumns, SpanningPercentageGoesToItsAutoColumnsByMaximumWidth)
{
    std::vector<TableColumnInput> columns{autoCol(5, 10), autoCol(5, 30), autoCol(5, 5)};
    engine::spreadSpanningPercentage(columns, 0, 2, 50);
    EXPECT_DOUBLE_EQ(columns[0].percent, 12.5);
    EXPECT_DOUBLE_EQ(columns[1].percent, 37.5);
    EXPECT_DOUBLE_EQ(columns[2].percent, 0);

    // What a spanned column already asks for counts; fixed columns get none.
    columns = {percentCol(5, 10, 20), autoCol(5, 10), fixedCol(10), autoCol(5, 30)};
    engine::spreadSpanningPercentage(columns, 0, 4, 60);
    EXPECT_DOUBLE_EQ(columns[0].percent, 20);
    EXPECT_DOUBLE_EQ(columns[1].percent, 10);
    EXPECT_DOUBLE_EQ(columns[2].percent, 0);
    EXPECT_DOUBLE_EQ(columns[3].percent, 30);

    // Already asked for, or a span past the last column: nothing changes.
    columns = {percentCol(5, 10, 50), autoCol(5, 10)};
    engine::spreadSpanningPercentage(columns, 0, 2, 40);
    EXPECT_DOUBLE_EQ(columns[1].percent, 0);
    engine::spreadSpanningPercentage(columns, 5, 3, 40);
    EXPECT_DOUBLE_EQ(columns[1].percent, 0);
}

} // namespace
