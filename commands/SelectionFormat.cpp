#include "commands/SelectionFormat.h"

#include "app/CZQApp.h"
#include "app/CZQView.h"
#include "commands/AlignFormat.h"
#include "commands/FontSizeFormat.h"
#include "editor/CImpIDispatch.h"
#include "editor/tables/TableGrid.h"
#include "util/PageDom.h"

#include "engine/dom/Document.h"
#include "engine/editing/TextRange.h"
#include "engine/markup/MarkupContainer.h"
#include "engine/markup/MarkupPointer.h"
#include "engine/markup/MarkupServices.h"

using engine::Element;
using engine::MarkupContext;
using engine::MarkupPointer;
using engine::MarkupServices;
using engine::Ref;

namespace selectionformat_detail {

// Whether the parsed HTML between the pointers is exactly one empty element.
bool isOneEmptyElement(const MarkupPointer& start, const MarkupPointer& end)
{
    MarkupPointer walk;
    walk.moveToPointer(start);
    const engine::MarkupStep enter = walk.right(true);
    if (enter.context != MarkupContext::EnterScope)
        return false;
    const engine::MarkupStep leave = walk.right(true);
    return leave.context == MarkupContext::ExitScope && leave.element == enter.element && walk.isEqualTo(end);
}

} // namespace selectionformat_detail

CZQView* ActiveFormatView()
{
    CZQApp* app = CZQApp::instance();
    return app ? app->GetActiveView() : nullptr;
}

FormatSelection ReadFormatSelection()
{
    FormatSelection selection;
    GetPageSelection(&selection.selected, &selection.controls, &selection.range);
    return selection;
}

bool HasFormattableCellRange(const CZQView* view)
{
    const CImpIDispatch* sink = view ? view->GetSink() : nullptr;
    return sink && sink->HasCellSelection() && sink->m_bCellRangeRectangular;
}

std::vector<Ref<Element>> ControlSelectionTargets(const engine::ControlRange& controls, CellTarget cellTarget,
                                                  MarqueeTarget marquee)
{
    std::vector<Ref<Element>> targets;
    Element* first = controls.item(0);
    if (!first)
        return targets;
    // One TABLE: its cells (TH passed over).
    if (controls.length() == 1 && first->hasTag(QLatin1String("TABLE"))) {
        for (const Ref<Element>& cell : first->cells().toVector()) {
            if (!cell->hasTag(QLatin1String("TD")))
                continue;
            Ref<Element> target = cell;
            if (cellTarget == CellTarget::SpanInCell && FindChildByTag(target, QStringLiteral("SPAN"), 0) != S_OK)
                target = cell;
            targets.push_back(target);
        }
        return targets;
    }
    // A MARQUEE first: that MARQUEE alone.
    if (marquee == MarqueeTarget::Alone && first->hasTag(QLatin1String("MARQUEE"))) {
        targets.emplace_back(first);
        return targets;
    }
    // Any other selection: the first TD of each object.
    for (const Ref<Element>& element : controls.elements()) {
        Ref<Element> cell = element;
        if (FindChildByTag(cell, QStringLiteral("TD"), 0) == S_OK)
            targets.push_back(cell);
    }
    return targets;
}

void WrapElementContent(Element* element, const QString& html)
{
    // 1. A page holding the element.
    if (!element || !element->isConnected())
        return;
    engine::Document* doc = element->document();
    // 2. One undo step.
    engine::UndoUnit unit(doc);
    // 3. T at the start of the content; the content empty or not.
    MarkupPointer target, start, end;
    if (!target.moveAdjacentToElement(element, MarkupPointer::Adjacency::AfterBegin) ||
        !start.moveAdjacentToElement(element, MarkupPointer::Adjacency::AfterBegin) ||
        !end.moveAdjacentToElement(element, MarkupPointer::Adjacency::BeforeEnd))
        return;
    const bool empty = start.isEqualTo(end);
    // 4. The new element, parsed and copied in at T. Differs from trusting the
    // caller: the steps below hold only for one empty element, so any other
    // HTML changes nothing.
    MarkupPointer parsedStart, parsedEnd;
    if (!MarkupServices::parseString(doc, html, &parsedStart, &parsedEnd) ||
        !selectionformat_detail::isOneEmptyElement(parsedStart, parsedEnd) ||
        !MarkupServices::copy(parsedStart, parsedEnd, target))
        return;
    // 5. An element without content only receives it.
    if (empty)
        return;
    // 6. T into the new element, S behind it, and the former content moved in.
    start.moveAdjacentToElement(element, MarkupPointer::Adjacency::AfterBegin);
    end.moveAdjacentToElement(element, MarkupPointer::Adjacency::BeforeEnd);
    target.right(true);
    start.right(true);
    start.right(true);
    MarkupServices::move(start, end, target);
}

void ForEachSelectedCell(CZQView* view, const std::function<void(Element* cell)>& visit)
{
    // 1. The rectangle and its TABLE.
    CImpIDispatch* sink = view ? view->GetSink() : nullptr;
    int firstColumn = 0, firstRow = 0, lastColumn = 0, lastRow = 0;
    Ref<Element> table;
    if (!sink || !sink->GetSelectedCellIndices(firstColumn, firstRow, lastColumn, lastRow) ||
        sink->GetSelectedTable(table) != S_OK)
        return;
    // 2.-4. Each cell at its grid place, counted with the spans of the rows
    // above it; a cell counts by its own first row and column.
    std::vector<Ref<Element>> cells;
    WalkTableGrid(table.get(), [&](const GridCell& place) {
        if (firstRow <= place.row && place.row <= lastRow && firstColumn <= place.column && place.column <= lastColumn)
            cells.emplace_back(place.cell);
        return true;
    });
    for (const Ref<Element>& cell : cells)
        visit(cell.get());
}

void FormatSelectedCells(int code, CZQView* view)
{
    ForEachSelectedCell(view, [code](Element* cell) {
        if (code >= kFormatTop && code <= kFormatCenter)
            SetCellAlign(code, cell, false);
        else if (code == kFormatBigger)
            ApplyFontSizeToElement(+1, cell);
        else if (code == kFormatSmaller)
            ApplyFontSizeToElement(-1, cell);
        else if (code >= kFormatBold && code <= kFormatUnderline)
            ToggleStyleTagInElement(code, cell);
    });
}

void FormatSelectedCellsFromDialog(int code, CZQView* view, int on)
{
    if (code < kFormatBold || code > kFormatUnderline) {
        FormatSelectedCells(code, view);
        return;
    }
    ForEachSelectedCell(view, [code, on](Element* cell) { SetStyleTagInElement(code, cell, on); });
}
