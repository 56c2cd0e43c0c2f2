// Table > 行・列・セルの挿入と削除, セルの分割, セルの結合: the structure of the
// table around the caret, or the range of cells, changed as one undo step;
// and the keys of the row and column commands.
#include "app/CMainFrame.h"

#include "app/CZQView.h"
#include "commands/SinkUndoUnit.h"
#include "commands/TableKeys.h"
#include "commands/TableStructure.h"
#include "commands/TableTargets.h"
#include "editor/CImpIDispatch.h"
#include "editor/tables/TableGrid.h"
#include "res/resource.h"

#include "engine/css/Style.h"
#include "engine/dom/Element.h"
#include "engine/editing/CommandGroup.h"
#include "engine/view/PageView.h"

#include "platform/CmdUI.h"
#include "platform/CommandRegistry.h"
#include "platform/KeyLevels.h"

#include <QKeyEvent>

namespace tablestructurecommand_detail {

constexpr int kCellCommands[] = {
    ID_TABLE_INSERT_ROW,    ID_TABLE_INSERT_COLUMN, ID_TABLE_INSERT_CELL,           ID_TABLE_DELETE_ROW,
    ID_TABLE_DELETE_COLUMN, ID_TABLE_DELETE_CELL,   ID_TABLE_SPLIT_CELL_HORIZONTAL, ID_TABLE_SPLIT_CELL_VERTICAL};

// The caret's cell of the active page with its view, for a command that
// changes its table.
struct CaretCell
{
    CZQView* view = nullptr;
    engine::Ref<engine::Element> cell;
    explicit operator bool() const { return view && cell && cell->ownerTable(); }
};

CaretCell caretCell(const CMainFrame& frame)
{
    CaretCell at;
    at.view = frame.GetActiveView();
    at.cell = SelectedTableCell(at.view);
    return at;
}

// The table selected as an object, so that the caret stands in no cell that
// may go. Differs from the commands as they were: a table in the flow of the
// page (one in a cell) would become positioned by being selected as an
// object, so the caret goes to its first cell instead.
void selectTable(CZQView* view, engine::Element* table)
{
    const engine::Style* style = table->styleIfAny();
    if (style && style->position().compare(QLatin1String("absolute"), Qt::CaseInsensitive) == 0) {
        if (CImpIDispatch* sink = view->GetSink())
            sink->SelectControlElement(table);
        return;
    }
    const engine::ElementCollection cells = table->cells();
    for (int i = 0; i < cells.length(); ++i) {
        if (cells.item(i)->hasTag(QLatin1String("TD"))) {
            MoveCaretToCell(view, cells.item(i));
            return;
        }
    }
    view->ExecCommand(engine::CommandGroup::ClearSelection);
}

// Runs a change of the table around the caret's cell as one undo step;
// false when the caret stands in no cell.
template <class Change> bool changeAtCaret(const CMainFrame& frame, Change&& change)
{
    const CaretCell at = caretCell(frame);
    if (!at)
        return false;
    SinkUndoUnit undo(at.view);
    change(at);
    return true;
}

} // namespace tablestructurecommand_detail

void CMainFrame::AddTableStructureCommands()
{
    namespace detail = tablestructurecommand_detail;
    onCommand(ID_TABLE_INSERT_ROW, [this] { OnTableInsertRow(); });
    onCommand(ID_TABLE_DELETE_ROW, [this] { OnTableDeleteRow(); });
    onCommand(ID_TABLE_INSERT_COLUMN, [this] { OnTableInsertColumn(); });
    onCommand(ID_TABLE_DELETE_COLUMN, [this] { OnTableDeleteColumn(); });
    onCommand(ID_TABLE_INSERT_CELL, [this] { OnTableInsertCell(); });
    onCommand(ID_TABLE_DELETE_CELL, [this] { OnTableDeleteCell(); });
    onCommand(ID_TABLE_SPLIT_CELL_VERTICAL, [this] { OnTableSplitCellVertical(); });
    onCommand(ID_TABLE_SPLIT_CELL_HORIZONTAL, [this] { OnTableSplitCellHorizontal(); });
    onCommand(ID_TABLE_MERGE_CELLS, [this] { OnTableMergeCells(); });
    for (int id : detail::kCellCommands)
        onUpdate(id, [this](platform::CmdUI& ui) { UpdateUITableCellCommand(ui); });
    onUpdate(ID_TABLE_MERGE_CELLS, [this](platform::CmdUI& ui) { UpdateUIMergeCells(ui); });
}

bool CMainFrame::HandleTableKey(QKeyEvent* key)
{
    // The keys of the row and column commands, by the key that carries "+"
    // or "-" on the keyboard's layout; a disabled command lets its key pass.
    const int id = TableKeyCommand(key->modifiers(), key->key(), platform::keyLevels(key->nativeScanCode()));
    if (id == 0 || !m_registry.updateCommand(id))
        return false;
    m_registry.sendCommand(id);
    return true;
}

void CMainFrame::OnTableInsertRow()
{
    tablestructurecommand_detail::changeAtCaret(*this, [](const auto& at) { InsertTableRow(at.cell.get()); });
}

void CMainFrame::OnTableDeleteRow()
{
    namespace detail = tablestructurecommand_detail;
    if (detail::changeAtCaret(*this, [](const auto& at) {
            detail::selectTable(at.view, at.cell->ownerTable());
            DeleteTableRow(at.cell.get());
        }))
        UpdateTableToolBar();
}

void CMainFrame::OnTableInsertColumn()
{
    // The new cells are as wide as the caret's cell is drawn.
    tablestructurecommand_detail::changeAtCaret(*this, [](const auto& at) {
        const int width = at.view->GetPageView() ? ElementClientSize(at.view, at.cell.get()).width() : 30;
        InsertTableColumn(at.cell.get(), width);
    });
}

void CMainFrame::OnTableDeleteColumn()
{
    namespace detail = tablestructurecommand_detail;
    if (detail::changeAtCaret(*this, [](const auto& at) {
            const engine::Ref<engine::Element> table(at.cell->ownerTable());
            DeleteTableColumn(at.cell.get());
            detail::selectTable(at.view, table.get());
        }))
        UpdateTableToolBar();
}

void CMainFrame::OnTableInsertCell()
{
    if (tablestructurecommand_detail::changeAtCaret(*this, [](const auto& at) { InsertTableCell(at.cell.get()); }))
        UpdateTableToolBar();
}

void CMainFrame::OnTableDeleteCell()
{
    namespace detail = tablestructurecommand_detail;
    detail::changeAtCaret(*this, [](const auto& at) {
        const engine::Ref<engine::Element> table(at.cell->ownerTable());
        DeleteTableCell(at.cell.get());
        detail::selectTable(at.view, table.get());
    });
}

void CMainFrame::OnTableSplitCellVertical()
{
    tablestructurecommand_detail::changeAtCaret(*this, [](const auto& at) {
        SplitCellVertically(at.cell.get(), ElementClientSize(at.view, at.cell.get()).width());
    });
}

void CMainFrame::OnTableSplitCellHorizontal()
{
    tablestructurecommand_detail::changeAtCaret(*this, [](const auto& at) {
        SplitCellHorizontally(at.cell.get(), ElementClientSize(at.view, at.cell.get()).height());
    });
}

void CMainFrame::OnTableMergeCells()
{
    // 1.-2. The range, read again from its cells: an undo may have moved
    // them since it was drawn.
    CZQView* view = GetActiveView();
    CImpIDispatch* sink = view ? view->GetSink() : nullptr;
    engine::PageView* page = view ? view->GetPageView() : nullptr;
    engine::Ref<engine::Element> table;
    if (!sink || !page || sink->GetSelectedTable(table) != S_OK)
        return;
    // A table an undo took out of the page since: nothing to merge there.
    if (!table->isConnected()) {
        sink->ClearCellRange();
        sink->UpdateSelectionState();
        return;
    }
    int row = 0, column = 0;
    for (auto [cell, place] : {std::pair{sink->m_pAnchorCell.get(), &sink->m_cellAnchor},
                               std::pair{sink->m_pCurrentCell.get(), &sink->m_cellCurrent}}) {
        if (cell && sink->GetCellGridPosition(cell, row, column, false) == S_OK)
            *place = {row, column};
    }
    int left = 0, top = 0, right = 0, bottom = 0;
    if (!sink->GetSelectedCellIndices(left, top, right, bottom))
        return;
    // 3.-7. One step: the cells merged, each taking its highlight along.
    engine::Ref<engine::Element> merged;
    {
        SinkUndoUnit undo(view);
        const auto width = [view](engine::Element* cell) { return ElementClientSize(view, cell).width(); };
        const auto unpaint = [sink, page](const GridCell& cell) {
            CellCookieTable* cookies = sink->m_cellCookies.get();
            if (!cookies || !CellCookieTable::fits(cell.row, cell.column))
                return;
            CellCookieTable::Slot& slot = cookies->at(cell.row, cell.column);
            if (slot.cookie != 0 && slot.cell.get() == cell.cell) {
                page->removeBehavior(cell.cell, slot.cookie);
                slot = CellCookieTable::Slot();
            }
        };
        merged = MergeTableCells(table.get(), left, top, right, bottom, width, unpaint);
    }
    // 8. No range any more; the caret in the new cell.
    sink->ClearCellRange();
    if (merged)
        MoveCaretToCell(view, merged.get());
    sink->UpdateSelectionState();
}
