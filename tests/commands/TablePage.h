#pragma once

// A page with tables opened in the running program for the Table menu's
// commands: the commands are sent as the menus send them, and the tables,
// the cell range and the undo history are read back.

#include "FormatPage.h"

#include "editor/tables/TableGrid.h"

#include <string>

class TablePage : public FormatPage
{
protected:
    // The range as "anchor row,column ~ current row,column", or "none".
    QString rangeEnds() const
    {
        const CImpIDispatch* s = sink();
        if (!s->m_pAnchorCell || !s->m_pCurrentCell)
            return QStringLiteral("none");
        return QStringLiteral("%1,%2 ~ %3,%4")
            .arg(s->m_cellAnchor.row)
            .arg(s->m_cellAnchor.column)
            .arg(s->m_cellCurrent.row)
            .arg(s->m_cellCurrent.column);
    }

    // The ids of the cells that carry the range's highlight, in walk order.
    QString highlighted(const char* table) const
    {
        QStringList ids;
        const CellCookieTable* cookies = sink()->m_cellCookies.get();
        WalkTableGrid(byId(table), [&](const GridCell& place) {
            for (int index : cookies ? cookies->held : std::vector<int>()) {
                const CellCookieTable::Slot& slot = cookies->entries[size_t(index)];
                if (slot.cookie != 0 && slot.cell.get() == place.cell)
                    ids << place.cell->id();
            }
            return true;
        });
        return ids.join(QLatin1Char(' '));
    }

    // Each row of a table as its cells' ids with their spans ("a:2x1" for
    // colspan 2, rowspan 1; "a" for none), rows split by "|".
    QString shape(const char* table) const
    {
        QStringList rows;
        const engine::ElementCollection trs = byId(table)->rows();
        for (int r = 0; r < trs.length(); ++r) {
            QStringList cells;
            const engine::ElementCollection tds = trs.item(r)->cells();
            for (int i = 0; i < tds.length(); ++i) {
                engine::Element* td = tds.item(i);
                QString text = td->id().isEmpty() ? QStringLiteral("?") : td->id();
                if (GridColSpan(td) > 1 || GridRowSpan(td) > 1)
                    text += QStringLiteral(":%1x%2").arg(GridColSpan(td)).arg(GridRowSpan(td));
                cells << text;
            }
            rows << cells.join(QLatin1Char(' '));
        }
        return rows.join(QStringLiteral(" | "));
    }

    QString attr(const char* id, const char* name) const
    {
        return byId(id)->getAttributeText(QString::fromLatin1(name));
    }
    bool has(const char* id, const char* name) const { return byId(id)->hasAttribute(QString::fromLatin1(name)); }
};
