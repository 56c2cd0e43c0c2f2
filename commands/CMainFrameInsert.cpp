#include "app/CMainFrame.h"

#include "app/CZQView.h"
#include "editor/CImpIDispatch.h"
#include "images/VornaTwain.h"
#include "util/MessageBox.h"

#include "platform/CmdUI.h"
#include "platform/CommandRegistry.h"

#include <QAction>

void CMainFrame::AddInsertCommands()
{
    onCommand(33481, [this] { OnInsertScanImage(); });
    onUpdate(33481, [this](platform::CmdUI& ui) { UpdateUIEditMode(ui); });
}

void CMainFrame::BeginInsertObject(int mode)
{
    // The tool waits for the press that places its object: no position yet.
    // The image-map area tools (8) leave the mouse to the page; every other
    // tool takes it. The object sizes of the other tools come with their
    // commands.
    m_nInsertKind = mode;
    m_rcInsert = QRect(QPoint(-1, -1), QSize(0, 0));
    if (mode == 8)
        return;
    CZQView* view = GetActiveView();
    if (CImpIDispatch* sink = view ? view->GetSink() : nullptr)
        sink->SetDocumentCapture();
}

void CMainFrame::OnInsertScanImage()
{
    // 1. The scanner, given the main window.
    VornaTwain scanner;
    scanner.SetWindow(this);
    // 3. No source: say so.
    if (scanner.EnumSources() != 1) {
        MessageBoxById(57772);
        return;
    }
    // 2. The user's choice, then the pages.
    if (scanner.Select() != 1 || scanner.Acquire(3) != 1)
        return;
    // The image browser comes up to show the new pages; one already shown stays.
    QAction* browser = m_registry.action(33456);
    if (GetActiveChild() && !(browser && browser->isChecked()))
        m_registry.sendCommand(33456);
    MessageBoxById(57711);
    // 4. The scanner ends with the command.
}
