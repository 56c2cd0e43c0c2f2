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

TableGridMap::TableGridMap(engine::Element* table) : m_table(table)
{
    if (!table)
        return;
    // 1. The rows, once: the collection is built again after every change.
    const engine::ElementCollection rows = table->rows();
    for (int r = 0; r < rows.length(); ++r)
        m_rows.emplace_back(rows.item(r));
    // 2. The walk.
    ColumnOccupancy occupancy;
    for (int r = 0; r < int(m_rows.size()); ++r) {
        const engine::ElementCollection cells = m_rows[size_t(r)]->cells();
        for (int i = 0; i < cells.length(); ++i) {
            engine::Element* cell = cells.item(i);
            GridCell place{cell, r, 0, GridRowSpan(cell), GridColSpan(cell)};
            place.column = occupancy.placeCell(place.rowSpan, place.colSpan);
            m_index.emplace(cell, int(m_cells.size()));
            m_cells.push_back(place);
            m_cellRefs.emplace_back(cell);
            m_columns = std::max(m_columns, place.column + place.colSpan);
        }
        occupancy.endRow();
    }
    // 3. Which cells cover each row, left to right.
    m_cover.resize(m_rows.size());
    for (int i = 0; i < int(m_cells.size()); ++i) {
        const GridCell& cell = m_cells[size_t(i)];
        for (int r = cell.row; r <= lastRow(cell); ++r)
            m_cover[size_t(r)].push_back(i);
    }
    m_reach.resize(m_rows.size());
    for (size_t r = 0; r < m_cover.size(); ++r) {
        std::vector<int>& covering = m_cover[r];
        std::stable_sort(covering.begin(), covering.end(),
                         [this](int a, int b) { return m_cells[size_t(a)].column < m_cells[size_t(b)].column; });
        int reach = -1;
        for (int index : covering) {
            reach = std::max(reach, lastColumn(m_cells[size_t(index)]));
            m_reach[r].push_back(reach);
        }
    }
}

engine::Element* TableGridMap::row(int index) const
{
    return index >= 0 && index < rowCount() ? m_rows[size_t(index)].get() : nullptr;
}

const GridCell* TableGridMap::find(const engine::Element* cell) const
{
    const auto it = m_index.find(cell);
    return it == m_index.end() ? nullptr : &m_cells[size_t(it->second)];
}

const GridCell* TableGridMap::cellAt(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0)
        return nullptr;
    // The last cell starting at or left of the column that reaches it; cells
    // that a broken table lets overlap give the one placed further right.
    const std::vector<int>& covering = m_cover[size_t(row)];
    const std::vector<int>& reach = m_reach[size_t(row)];
    auto it = std::upper_bound(covering.begin(), covering.end(), column,
                               [this](int c, int index) { return c < m_cells[size_t(index)].column; });
    for (size_t k = size_t(it - covering.begin()); k > 0 && reach[k - 1] >= column; --k) {
        const GridCell& cell = m_cells[size_t(covering[k - 1])];
        if (lastColumn(cell) >= column)
            return &cell;
    }
    return nullptr;
}

const GridCell* TableGridMap::cellStartingAt(int row, int column) const
{
    const GridCell* cell = cellAt(row, column);
    return cell && cell->row == row && cell->column == column ? cell : nullptr;
}

int TableGridMap::lastRow(const GridCell& cell) const
{
    return std::max(cell.row, std::min(cell.row + cell.rowSpan - 1, rowCount() - 1));
}
