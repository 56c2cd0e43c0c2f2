#include "editor/CImpIDispatch.h"

#include "app/CChildFrame.h"
#include "app/CZQView.h"
#include "editor/painters/CHTMLPainterCell.h"
#include "editor/tables/TableGrid.h"
#include "util/PageDom.h"

#include "engine/dom/Document.h"
#include "engine/editing/CommandGroup.h"
#include "engine/editing/Selection.h"
#include "engine/editing/TextRange.h"
#include "engine/view/PageView.h"

#include <algorithm>

namespace cellrange_detail {

bool isCell(const engine::Element* element)
{
    return element && (element->hasTag(QLatin1String("TD")) || element->hasTag(QLatin1String("TH")));
}

// The end of a range from one end's place and span to the other's: the
// span of the end at the larger index widens it; at equal places the larger
// span of the two.
void spanRange(int anchor, int anchorSpan, int current, int currentSpan, int& low, int& high)
{
    if (anchor < current) {
        low = anchor;
        high = current + currentSpan - 1;
    } else if (anchor == current) {
        low = anchor;
        high = anchor + std::max(anchorSpan, currentSpan) - 1;
    } else {
        low = current;
        high = anchor + anchorSpan - 1;
    }
}

} // namespace cellrange_detail

HRESULT CImpIDispatch::GetCellGridPosition(engine::Element* cell, int& row, int& column, bool lastCovered)
{
    // 1.-3. A cell, its index in its row and its row's index.
    if (!cellrange_detail::isCell(cell))
        return -1;
    column = cell->cellIndex();
    engine::Ref<engine::Element> tr(cell);
    if (FindParentByTag(tr, QStringLiteral("TR")) != S_OK)
        return -1;
    row = tr->rowIndex();
    // 4. Always the place in the selected table.
    engine::Ref<engine::Element> table;
    if (GetSelectedTable(table) != S_OK)
        return -1;
    // 5. The cell itself on the table's grid. Differs from the editor's old
    // walk, which matched the two indexes only and so gave a nested table's
    // cell the place of an outer one: a cell of another table is not found.
    HRESULT hr = -1;
    WalkTableGrid(table.get(), [&](const GridCell& place) {
        if (place.cell != cell)
            return true;
        row = place.row;
        column = place.column;
        if (lastCovered) {
            column += place.colSpan - 1;
            row += place.rowSpan - 1;
        }
        hr = S_OK;
        return false;
    });
    return hr;
}

bool CImpIDispatch::GetSelectedCellIndices(int& left, int& top, int& right, int& bottom) const
{
    // 1.-2. A range of two cells.
    if (!HasCellSelection() || !cellrange_detail::isCell(m_pAnchorCell.get()) ||
        !cellrange_detail::isCell(m_pCurrentCell.get()))
        return false;
    // 3.-4. Columns and rows, widened by the span of the end further on.
    cellrange_detail::spanRange(m_cellAnchor.column, GridColSpan(m_pAnchorCell.get()), m_cellCurrent.column,
                                GridColSpan(m_pCurrentCell.get()), left, right);
    cellrange_detail::spanRange(m_cellAnchor.row, GridRowSpan(m_pAnchorCell.get()), m_cellCurrent.row,
                                GridRowSpan(m_pCurrentCell.get()), top, bottom);
    return true;
}

HRESULT CImpIDispatch::GetSelectedTable(engine::Ref<engine::Element>& table) const
{
    table = nullptr;
    if (m_pSelTable) {
        if (!m_pSelTable->hasTag(QLatin1String("TABLE")))
            return -1;
        table = m_pSelTable;
        return S_OK;
    }
    // The TABLE around the text selection; a control selection has none.
    std::optional<engine::TextRange> range;
    if (GetPageSelection(nullptr, nullptr, &range, m_pView) != S_OK || !range)
        return -1;
    engine::Ref<engine::Element> found = range->parentElement();
    if (FindParentByTag(found, QStringLiteral("TABLE")) != S_OK)
        return -1;
    table = found;
    return S_OK;
}

void CImpIDispatch::UpdateCellHighlight()
{
    // 1. A range's table on a page.
    engine::Document* doc = document();
    engine::PageView* page = pageView();
    if (!m_pSelTable || !doc || !page)
        return;
    // 2. The highlight is no change of the page: the unit leaves no step.
    engine::UndoUnit unit(doc);
    if (!m_cellCookies)
        m_cellCookies = std::make_unique<CellCookieTable>();
    CellCookieTable& cookies = *m_cellCookies;
    const quint32 pass = ++cookies.pass;
    auto detach = [&](CellCookieTable::Slot& slot) {
        if (slot.cookie != 0)
            page->removeBehavior(slot.cell.get(), slot.cookie);
        slot = CellCookieTable::Slot();
    };
    // 4. The range, or none.
    int left = -1, top = -1, right = -1, bottom = -1;
    if (!GetSelectedCellIndices(left, top, right, bottom))
        left = top = right = bottom = -1;
    const bool severalCells = left != right || top != bottom;
    // 5.-6. Every cell of the table: highlighted inside the range, and
    // whether it crosses an edge of the range.
    m_bCellRangeRectangular = true;
    WalkTableGrid(m_pSelTable.get(), [&](const GridCell& place) {
        const int r = place.row, c = place.column;
        if (CellCookieTable::fits(r, c)) {
            CellCookieTable::Slot& slot = cookies.at(r, c);
            if (slot.cookie != 0 && slot.cell.get() != place.cell)
                detach(slot);
            const bool inside = severalCells && left <= c && c <= right && top <= r && r <= bottom;
            if (inside && slot.cookie == 0) {
                slot.cookie = page->addBehavior(place.cell, m_pCellPainter);
                slot.cell = place.cell;
                if (slot.cookie != 0)
                    cookies.held.push_back(r * CellCookieTable::kColumns + c);
            } else if (!inside && slot.cookie != 0) {
                detach(slot);
            }
            if (slot.cookie != 0)
                slot.pass = pass;
        }
        if (m_bCellRangeRectangular) {
            const int lastColumn = c + place.colSpan - 1, lastRow = r + place.rowSpan - 1;
            const bool crossesSide =
                top <= r && r <= bottom && ((c < left && left <= lastColumn) || (c <= right && right < lastColumn));
            const bool crossesEnd =
                left <= c && c <= right && ((r < top && top <= lastRow) || (r <= bottom && bottom < lastRow));
            if (crossesSide || crossesEnd)
                m_bCellRangeRectangular = false;
        }
        return true;
    });
    // Cells this walk did not keep (a former table's, or cells gone from the
    // table) lose their highlight too.
    std::vector<int> held;
    for (int index : cookies.held) {
        CellCookieTable::Slot& slot = cookies.entries[size_t(index)];
        if (slot.cookie == 0)
            continue;
        if (slot.pass != pass)
            detach(slot);
        else if (std::find(held.begin(), held.end(), index) == held.end())
            held.push_back(index);
    }
    cookies.held = std::move(held);
}

void CImpIDispatch::ClearCellRange()
{
    ResetCellPosition(m_cellAnchor);
    ResetCellPosition(m_cellCurrent);
    // Painted once more while the table is still known: no cell keeps a highlight.
    UpdateCellHighlight();
    m_pSelTable = nullptr;
    m_pAnchorCell = nullptr;
    m_pCurrentCell = nullptr;
}

HRESULT CImpIDispatch::SelectControlElement(engine::Element* element)
{
    if (m_pView)
        m_pView->ExecCommand(engine::CommandGroup::ClearSelection);
    engine::Document* doc = element ? element->document() : nullptr;
    if (!doc || !doc->body())
        return -1;
    engine::ControlRange range(doc);
    if (!range.add(element))
        return -1;
    range.select();
    return S_OK;
}

HRESULT CImpIDispatch::SelectElementAtPoint(QPoint pagePoint, engine::Ref<engine::Element>* element)
{
    if (m_pView)
        m_pView->ExecCommand(engine::CommandGroup::ClearSelection);
    // The page point back to the view's client area.
    QPoint scroll(0, 0);
    AddBodyScrollOffset(scroll);
    engine::Ref<engine::Element> found;
    if (GetElementFromPoint(pagePoint - scroll, found) != S_OK)
        return -1;
    if (element)
        *element = found;
    return SelectControlElement(found.get());
}

void CImpIDispatch::SetDocumentCapture()
{
    engine::Document* doc = document();
    engine::PageView* page = pageView();
    if (doc && page && doc->body())
        page->setCapture(doc->body());
}

HRESULT CImpIDispatch::PlaceCaretInObject(int x, int y, engine::Element* element, CZQView* view)
{
    const QPoint point(x, y);
    // 1. The page view: the one given, else the pane of the sink view's frame
    // at the point.
    if (!view) {
        CChildFrame* frame = m_pView ? m_pView->GetParentFrame() : nullptr;
        QWidget* client = frame ? frame->widget() : nullptr;
        for (QWidget* w = client ? client->childAt(point) : nullptr; w && !view; w = w->parentWidget())
            view = qobject_cast<CZQView*>(w);
        if (!view)
            return -1;
    }
    // 2. The document, and the element at the point when none is given.
    engine::Document* doc = element ? element->document() : view->GetHtmlDocument();
    if (!doc)
        return -1;
    engine::Ref<engine::Element> start(element);
    if (!start)
        start = doc->elementFromPoint(x, y);
    // 3. The text box or MARQUEE around it.
    QString tag;
    engine::Ref<engine::Element> container;
    if (!FindTableOrMarquee(point, start.get(), &tag, &container))
        return -1;
    engine::TextRange range = doc->createTextRange();
    if (container->hasTag(QLatin1String("MARQUEE"))) {
        // 5. Before the first character of the MARQUEE's text.
        range.moveToElementText(container.get());
        const QString text = range.text();
        if (!text.isEmpty())
            range.moveEnd(QStringLiteral("character"), -int(text.size()));
    } else {
        // 4. At the start of the first cell of the text box.
        engine::Ref<engine::Element> cell = container;
        if (FindChildByTag(cell, QStringLiteral("TD"), 0) != S_OK)
            return -1;
        range.moveToElementText(cell.get());
        if (!range.text().isEmpty())
            range.collapse(true);
    }
    // 6. At the point, when one is given.
    if (point != QPoint(-1, -1))
        range.moveToPoint(x, y);
    range.select();
    return S_OK;
}
