#pragma once

#include <vector>

namespace engine {

// One column of a table as the width distribution sees it: the narrowest and
// widest it can be laid out (cell padding and borders included), and the
// width its cells ask for.
struct TableColumnInput
{
    int minWidth = 0;
    int maxWidth = 0;
    bool fixed = false; // a width in pixels (minWidth == maxWidth then)
    double percent = 0; // a width in percent of the table; 0: none
};

// A cell spanning columns [first, first + count): the spanned columns'
// minimum (maximum) widths grow, in proportion to their maximum widths
// (equally when they have none), until together they hold the cell's;
// columns all of widths in pixels each grow to their share of the cell's.
void growSpannedColumns(std::vector<TableColumnInput>& columns, int first, int count, int minWidth, int maxWidth);

// Percentages as browsers use them: never negative, and together never over
// 100 (a column gets at most what the columns before it left).
void capColumnPercentages(std::vector<TableColumnInput>& columns);

// A cell spanning columns [first, first + count) with a width in percent: what
// the spanned columns do not already ask for goes to the auto columns among
// them, in proportion to their maximum widths (equally
// when they have none).
void spreadSpanningPercentage(std::vector<TableColumnInput>& columns, int first, int count, double percent);

// The widest the columns ask to be, without the cell spacing: the sum of their
// maximum widths, widened so that each percentage column gets its maximum
// width at its share and the other columns theirs in what the percentages
// leave. Never more than `limit` (all of it when percentages leave nothing).
int tableMaxColumnsWidth(const std::vector<TableColumnInput>& columns, int limit);

// Column widths when the columns share `width` (the table's width less its
// borders, padding and cell spacing), as browsers distribute it: every column
// first gets its minimum; then percentage columns grow to their share, fixed
// columns to their width, the other columns to their maximum width, each step
// in proportion to what its columns still lack; width beyond all of that goes
// to the auto columns by their maximum widths, else to the fixed ones, else to
// the percentage ones by their percentages. The widths add up to `width`
// unless the minimums do not fit.
std::vector<int> distributeColumnWidths(const std::vector<TableColumnInput>& columns, int width);

} // namespace engine
