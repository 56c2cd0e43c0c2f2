// The Table menu: which of its commands the selection allows, the switch of
// the table toolbar, and 編集 > 選択's table, row, column and cell.
#include "app/CMainFrame.h"

#include "app/CZQView.h"
#include "chrome/ULOToolBarObject.h"
#include "commands/TableTargets.h"
#include "editor/CImpIDispatch.h"
#include "editor/tables/TableGrid.h"
#include "res/resource.h"
#include "util/PageDom.h"

#include "engine/dom/Document.h"
#include "engine/editing/TextRange.h"

#include "platform/CmdUI.h"

namespace tablecommands_detail {

// The commands the caret's cell enables: a caret or text in a cell of an
// ordinary table, not in its caption, and no range of cells.
constexpr int kCellCommands[] = {ID_TABLE_CELL_PROPERTIES, ID_TABLE_SPLIT_CELL_COLUMN, ID_TABLE_SELECT_TABLE,
                                 ID_TABLE_SELECT_ROW,      ID_TABLE_SELECT_COLUMN,     ID_TABLE_SELECT_CELL};

quint32 selectionOf(const CMainFrame& frame)
{
    const CZQView* view = frame.GetActiveView();
    return view ? view->m_dwSelKind : 0;
}

// The page's view with its sink, or null.
CImpIDispatch* sinkOf(CZQView* view)
{
    return view ? view->GetSink() : nullptr;
}

// A range of cells of the table, from one cell to another, painted and
// made the selection.
void selectCellRange(CZQView* view, engine::Element* table, const GridCell& anchor, const GridCell& current)
{
    CImpIDispatch* sink = sinkOf(view);
    sink->m_pSelTable = table;
    sink->m_cellAnchor = {anchor.row, anchor.column};
    sink->m_pAnchorCell = anchor.cell;
    sink->m_cellCurrent = {current.row, current.column};
    sink->m_pCurrentCell = current.cell;
    sink->UpdateCellHighlight();
    view->m_dwSelKind = 0x1000;
}

} // namespace tablecommands_detail

void CMainFrame::AddTableCommands()
{
    namespace detail = tablecommands_detail;
    using platform::CmdUI;
    onCommand(ID_TABLE_INSERT, [this] { OnInsertTable(); });
    onCommand(ID_TABLE_PROPERTIES, [this] { OnTableProperties(); });
    onCommand(ID_TABLE_CELL_PROPERTIES, [this] { OnTableCellProperties(); });
    onCommand(ID_TABLE_SPLIT_CELL_COLUMN, [this] { OnTableSplitCellColumn(); });
    onCommand(ID_TABLE_SELECT_TABLE, [this] { OnTableSelectTable(); });
    onCommand(ID_TABLE_SELECT_ROW, [this] { OnTableSelectRow(); });
    onCommand(ID_TABLE_SELECT_COLUMN, [this] { OnTableSelectColumn(); });
    onCommand(ID_TABLE_SELECT_CELL, [this] { OnTableSelectCell(); });
    onCommand(ID_TABLE_TOOLBAR, [this] { OnTableToolBar(); });
    AddTableStructureCommands();

    // Insert table: checked while the object toolbar's table picker is up.
    onUpdate(ID_TABLE_INSERT, [this](CmdUI& ui) {
        UpdateUIEditMode(ui);
        const auto* objects = qobject_cast<const ULOToolBarObject*>(toolBar(602));
        ui.setCheck(objects && objects->m_dlgTableCreate.IsOpen() ? 1 : 0);
    });
    // Table properties: in a table, or one or several tables selected.
    onUpdate(ID_TABLE_PROPERTIES,
             [this](CmdUI& ui) { ui.enable(IsEditMode() && (detail::selectionOf(*this) & (0x10 | 0x8000))); });
    for (int id : detail::kCellCommands)
        onUpdate(id, [this](CmdUI& ui) { UpdateUITableCellCommand(ui); });
    onUpdate(ID_TABLE_TOOLBAR, [this](CmdUI& ui) {
        ui.enable(!GetActiveView() || IsEditMode());
        ui.setCheck(m_settings.showTableToolbar ? 1 : 0);
    });
}

void CMainFrame::OnTableSelectTable()
{
    // 1.-3. The caret's cell and its table.
    CZQView* view = GetActiveView();
    CImpIDispatch* sink = tablecommands_detail::sinkOf(view);
    engine::Ref<engine::Element> table = SelectedTableCell(view);
    if (!sink || !table || FindParentByTag(table, QStringLiteral("TABLE")) != S_OK)
        return;
    // 4. The table selected as an object, with its handles; the selection
    // changes clear the page's own selection first.
    sink->SelectControlElement(table.get());
}

void CMainFrame::OnTableSelectRow()
{
    namespace detail = tablecommands_detail;
    // 1.-2. The caret's row and its table.
    CZQView* view = GetActiveView();
    engine::Ref<engine::Element> cell = SelectedTableCell(view);
    engine::Element* row = cell ? cell->parentElement() : nullptr;
    if (!detail::sinkOf(view) || !row || !row->hasTag(QLatin1String("TR")) || !row->ownerTable())
        return;
    // 3.-4. From the row's first cell to its last, at their grid places.
    const TableGridMap grid(row->ownerTable());
    const engine::ElementCollection cells = row->cells();
    const GridCell* first = grid.find(cells.item(0));
    const GridCell* last = grid.find(cells.item(cells.length() - 1));
    if (!first || !last)
        return;
    // 5.
    detail::selectCellRange(view, grid.table(), *first, *last);
}

void CMainFrame::OnTableSelectColumn()
{
    namespace detail = tablecommands_detail;
    // 1.-2. The grid columns of the caret's cell.
    CZQView* view = GetActiveView();
    engine::Ref<engine::Element> cell = SelectedTableCell(view);
    if (!detail::sinkOf(view) || !cell || !cell->ownerTable())
        return;
    const TableGridMap grid(cell->ownerTable());
    const GridCell* place = grid.find(cell.get());
    if (!place)
        return;
    const int from = place->column;
    const int to = TableGridMap::lastColumn(*place);
    // 3.-4. Every cell that starts in those columns, from the first of the
    // walk to the last. Differs from the walk the command had: the last cell
    // is taken from any row, so that a last row covered there from above
    // still leaves the range a current cell.
    const GridCell* anchor = nullptr;
    const GridCell* current = nullptr;
    for (const GridCell& c : grid.cells()) {
        if (c.column < from || c.column > to)
            continue;
        if (!anchor)
            anchor = &c;
        current = &c;
    }
    // 5.
    if (anchor && current)
        detail::selectCellRange(view, grid.table(), *anchor, *current);
}

void CMainFrame::OnTableSelectCell()
{
    // 1. The caret's cell.
    CZQView* view = GetActiveView();
    engine::Ref<engine::Element> cell = SelectedTableCell(view);
    engine::Document* doc = view ? view->GetHtmlDocument() : nullptr;
    if (!cell || !doc)
        return;
    // 2.-4. Its text selected, by whole words; an empty cell gives the caret
    // in it. Words run on into the next cell's text where no blank stands
    // between: the range stays in the cell.
    engine::TextRange range = doc->createTextRange();
    range.moveToElementText(cell.get());
    if (!range.text().isEmpty()) {
        engine::TextRange words = range.duplicate();
        words.expand(QStringLiteral("word"));
        if (cell->contains(words.parentElement()))
            range = words;
    }
    range.select();
}

void CMainFrame::OnTableToolBar()
{
    m_settings.showTableToolbar = m_settings.showTableToolbar ? 0 : 1;
    UpdateTableToolBar();
}

void CMainFrame::UpdateTableToolBar() {}
