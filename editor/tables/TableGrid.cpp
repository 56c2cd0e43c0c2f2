#include "editor/tables/TableGrid.h"

#include "engine/dom/Element.h"
#include "engine/dom/ElementCollection.h"

#include <algorithm>

namespace tablegrid_detail {

int spanOf(const engine::Element* cell, const QString& name, int most)
{
    if (!cell)
        return 1;
    const engine::Variant value = cell->getAttribute(name);
    int n = 1;
    if (value.isNumber()) {
        n = value.toInt();
    } else if (value.isString()) {
        bool ok = false;
        n = value.toString().trimmed().toInt(&ok);
        if (!ok)
            n = 0;
    }
    return std::clamp(n, 1, most);
}

} // namespace tablegrid_detail

int GridColSpan(const engine::Element* cell)
{
    return tablegrid_detail::spanOf(cell, QStringLiteral("colSpan"), 1000);
}

int GridRowSpan(const engine::Element* cell)
{
    return tablegrid_detail::spanOf(cell, QStringLiteral("rowSpan"), 65534);
}

int ColumnOccupancy::placeCell(int rowSpan, int colSpan)
{
    int c = m_column;
    // 1. Past the columns that cells of earlier rows still cover. Differs
    // from the walk the editor had: it placed a cell that reached beyond the
    // known columns without this step, on top of a cell spanning from above.
    while (c < int(m_cover.size()) && m_cover[size_t(c)] > 1) {
        --m_cover[size_t(c)];
        ++c;
    }
    // 2. The grid grows to hold the cell.
    if (c + colSpan > int(m_cover.size()))
        m_cover.resize(size_t(c + colSpan), 1);
    // 3. The cell covers its columns for its rows.
    const int column = c;
    for (int i = 0; i < colSpan; ++i)
        m_cover[size_t(c++)] = rowSpan;
    m_column = c;
    return column;
}

void ColumnOccupancy::endRow()
{
    // The columns after the row's last cell pass one row too.
    for (size_t c = size_t(m_column); c < m_cover.size(); ++c) {
        if (m_cover[c] > 0)
            --m_cover[c];
    }
    m_column = 0;
}

void WalkTableGrid(engine::Element* table, const std::function<bool(const GridCell&)>& visit)
{
    if (!table)
        return;
    ColumnOccupancy occupancy;
    const engine::ElementCollection rows = table->rows();
    for (int r = 0; r < rows.length(); ++r) {
        engine::Element* row = rows.item(r);
        if (!row)
            continue;
        const engine::ElementCollection cells = row->cells();
        for (int i = 0; i < cells.length(); ++i) {
            engine::Element* cell = cells.item(i);
            if (!cell)
                continue;
            GridCell place{cell, r, 0, GridRowSpan(cell), GridColSpan(cell)};
            place.column = occupancy.placeCell(place.rowSpan, place.colSpan);
            if (!visit(place))
                return;
        }
        occupancy.endRow();
    }
}
