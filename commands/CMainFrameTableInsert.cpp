// Table > 表の挿入: the table chosen in the table dialog waits for the click
// that places it.
#include "app/CMainFrame.h"

#include "app/CZQView.h"
#include "commands/TableInsertMarkup.h"
#include "commands/TableTargets.h"
#include "dialogs/VornaDialogTableProperty.h"

#include "platform/ModalRunner.h"

void CMainFrame::OnInsertTable()
{
    // 1. The dialog, opened on three rows of three cells half the page wide.
    if (!InsertTargetView())
        return;
    VornaDialogTableProperty dialog(this);
    TableValues values;
    values.rows = QStringLiteral("3");
    values.columns = QStringLiteral("3");
    values.width = QStringLiteral("50");
    PutTableValues(dialog, values);
    const QSize bases = TableDialogBases(InsertTargetView());
    dialog.m_nReferenceWidth = bases.width();
    dialog.m_nReferenceHeight = bases.height();
    if (dialog.DoModal() != platform::IDOK)
        return;
    // 2.-3. Still a page to put it in.
    CZQView* view = InsertTargetView();
    if (!view)
        return;
    // 4.-6. Its markup and first extent, armed for the click.
    const InsertTableMarkup markup = BuildInsertTableMarkup(TableValuesOf(dialog), view->frameGeometry().size());
    m_strInsertHtml = markup.html;
    m_sizeInsertTable = markup.size;
    BeginInsertObject(4);
}
