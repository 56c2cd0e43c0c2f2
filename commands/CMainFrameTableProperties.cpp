// Table > 表のプロパティ and セルのプロパティ: the table and cell dialogs read
// from the page and written back as one undo step; the split of a cell into
// two side by side.
#include "app/CMainFrame.h"

#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "commands/SinkUndoUnit.h"
#include "commands/TableProperties.h"
#include "commands/TableStructure.h"
#include "commands/TableTargets.h"
#include "dialogs/VornaDialogTableCellProperty.h"
#include "dialogs/VornaDialogTableProperty.h"

#include "engine/dom/Document.h"
#include "engine/editing/Selection.h"

#include "platform/ModalRunner.h"

namespace tablepropertiescommand_detail {

void markChanged(CZQView* view)
{
    if (CZQDoc* doc = view->GetDocument())
        doc->m_bPageChanged = true;
}

} // namespace tablepropertiescommand_detail

void CMainFrame::OnTableProperties()
{
    namespace detail = tablepropertiescommand_detail;
    // 1.-2. The tables: one is read into the dialog; several open it with
    // its own values.
    CZQView* view = GetActiveView();
    bool control = false;
    const std::vector<engine::Ref<engine::Element>> tables = SelectedTables(view, &control);
    if (tables.empty())
        return;
    const bool single = tables.size() == 1;
    const TableRead opened = single ? ReadTableProperties(tables.front().get()) : TableRead();
    VornaDialogTableProperty dialog;
    dialog.m_bExistingTable = true;
    const QSize bases = TableDialogBases(view);
    dialog.m_nReferenceWidth = bases.width();
    dialog.m_nReferenceHeight = bases.height();
    PutTableValues(dialog, opened.values);
    // 3.
    if (dialog.DoModal() != platform::IDOK || GetActiveView() != view)
        return;
    // 4.-6. One step; several tables take only what the user changed, so
    // that an untouched dialog leaves them as they are.
    const TableValues values = TableValuesOf(dialog);
    SinkUndoUnit undo(view);
    detail::markChanged(view);
    for (const engine::Ref<engine::Element>& table : tables) {
        // A selected table loses its caption only after the selection went.
        if (single && control && values.caption.isEmpty() && table->caption())
            table->document()->selection().empty();
        WriteTableProperties(table.get(), values, opened, single ? TableWrite::All : TableWrite::Changed);
    }
}

void CMainFrame::OnTableCellProperties()
{
    namespace detail = tablepropertiescommand_detail;
    // 1.-3. The caret's cell, read; without one the dialog opens empty and
    // nothing is written.
    CZQView* view = GetActiveView();
    if (!view)
        return;
    engine::Ref<engine::Element> cell = SelectedTableCell(view);
    QSize base(1, 1);
    if (engine::Element* table = cell ? cell->ownerTable() : nullptr) {
        const QSize size = ElementClientSize(view, table);
        base = QSize(size.width() > 0 ? size.width() : 1, size.height() > 0 ? size.height() : 1);
    }
    const CellValues opened = cell ? ReadCellProperties(cell.get(), base) : CellValues();
    VornaDialogTableCellProperty dialog;
    dialog.m_nReferenceWidth = base.width();
    dialog.m_nReferenceHeight = base.height();
    PutCellValues(dialog, opened);
    // 4.
    if (dialog.DoModal() != platform::IDOK || GetActiveView() != view)
        return;
    // 5.-7.
    detail::markChanged(view);
    SinkUndoUnit undo(view);
    if (cell)
        WriteCellProperties(cell.get(), CellValuesOf(dialog), opened);
}

void CMainFrame::OnTableSplitCellColumn()
{
    CZQView* view = GetActiveView();
    engine::Ref<engine::Element> cell = SelectedTableCell(view);
    if (!cell)
        return;
    SinkUndoUnit undo(view);
    SplitCellColumn(cell.get());
}
