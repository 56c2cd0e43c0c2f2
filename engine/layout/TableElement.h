#pragma once

#include "engine/layout/LayoutElements.h"

#include <litehtml/el_table.h>

#include <utility>
#include <vector>

namespace engine {

// TABLE: the height attribute, column widths distributed as browsers do
// (percentage, fixed and auto columns), and captions as wide as the table,
// above or below its rows.
class TableElement : public Hinted<litehtml::el_table>
{
public:
    using Hinted::Hinted;
    void init() override;
    // litehtml drops COLGROUP and COL; the table keeps them for their widths.
    bool appendChild(const litehtml::element::ptr& el) override;
    void parse_styles(bool is_reparse = false) override;
    int render(int x, int y, int max_width, bool second_pass = false) override;
    void draw_background(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip) override;
    // Whether its style made it a block (it is laid out as a table in a block).
    bool blockAroundTable() const { return m_blockAroundTable; }
    // Whether it is a table of one column sized by its content alone: no
    // width, height, caption or COL of its own, so that its width is its
    // cells' widest content (within the room there is) and its height the
    // sum of its rows.
    bool sizedByOneColumn() const;
    // The width its cells were measured at for their widest content (in
    // the last layout; 0 when they were not measured).
    int cellMeasureWidth() const { return m_cellMeasureWidth; }
    // The row of a cell of its single column that spans one row; -1 for
    // any other.
    int rowOf(const litehtml::element& cell) const;
    // After the content of the cell of `row` grew or shrank by `dy` in
    // place: the row, the rows below and the table follow.
    void growRow(int row, int dy);

    // A cell laid out again alone after a change inside it, the rest of the
    // table kept. While its column asks for the same widths (the cell's
    // narrowest and widest with those of the other cells, as measured when
    // the table was laid out), it fits its column and is as high as before,
    // the columns and rows stand as they stood.
    struct CellMeasure
    {
        int columnMin = -1;
        int columnMax = -1;
        bool fits = false;
        int height = -1; // before the row stretched it
        bool operator==(const CellMeasure&) const = default;
    };
    // Whether `cell` (one of its own) may be laid out alone: a cell of one
    // column and row of a table of several columns whose widths the table
    // shares out itself (no width of the cell's or its column's, no
    // captions), rows spanned by no cell.
    bool laysOutCellAlone(const litehtml::element& cell) const;
    // Measures the cell as the table measures it, notes its widths, and lays
    // it out at its place in the table again. Only for a cell
    // laysOutCellAlone takes.
    CellMeasure layOutCellAgain(const std::shared_ptr<litehtml::element>& cell);

private:
    int renderTable(int x, int y, int max_width, bool second_pass);
    int renderGrid(int x, int y, int max_width, bool second_pass);
    int renderEmpty(int x, int y, int max_width, bool second_pass);
    void placeCaptions(int shiftedBy);
    int captionsMinWidth();
    // The spacing (or, with collapsed borders, less the shared borders)
    // across all the columns and between columns [first, end).
    int columnSpacing() const;
    int spacingBetween(int first, int end) const;
    // The widths COL and COLGROUP elements give the columns, by column (auto
    // where they give none).
    std::vector<litehtml::css_length> columnElementWidths(int cols) const;

    // The column and row of a cell of its own of one column and row.
    bool placeOfCell(const litehtml::element& cell, int& column, int& row) const;

    int m_bottomCaptionsHeight = 0;
    int m_cellMeasureWidth = 0;
    // The widths the table gave its columns in its last layout, before
    // litehtml widened any for content that did not fit (empty when it
    // did not share them out itself).
    std::vector<int> m_columnWidths;
    // The narrowest and widest each cell of one column measured in it, by
    // row and column ({-1, -1} for others).
    std::vector<std::pair<int, int>> m_cellWidths;
    // Made a block by its style (display: block): a block as wide as blocks
    // are around an anonymous table of its captions and rows.
    bool m_blockAroundTable = false;
    std::vector<litehtml::element::ptr> m_columnElements;
};

} // namespace engine
