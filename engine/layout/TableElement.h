#pragma once

#include "engine/layout/LayoutElements.h"

#include <litehtml/el_table.h>

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

    int m_bottomCaptionsHeight = 0;
    int m_cellMeasureWidth = 0;
    // Made a block by its style (display: block): a block as wide as blocks
    // are around an anonymous table of its captions and rows.
    bool m_blockAroundTable = false;
    std::vector<litehtml::element::ptr> m_columnElements;
};

} // namespace engine
