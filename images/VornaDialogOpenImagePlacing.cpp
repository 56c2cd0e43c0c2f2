#include "images/VornaDialogOpenImage.h"

#include "app/CMainFrame.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "images/CVornaImageListCtrl.h"
#include "images/ImageFiles.h"
#include "images/ImagePlacer.h"
#include "util/AppContext.h"

#include "platform/ModalRunner.h"

#include <QDir>

namespace openimageplacing_detail {

// The open web's "image" folder is made for a page of the web: the page's
// pictures are copied there when it is saved.
void ensureWebImageFolder()
{
    const AppContext& context = AppContext::instance();
    if (context.isActivePageInWeb() && !context.webFolder().isEmpty())
        QDir(context.webFolder()).mkpath(QStringLiteral("image"));
}

} // namespace openimageplacing_detail

void VornaDialogOpenImage::InsertIntoPage()
{
    // 1. Nothing without a folder and a file.
    if (m_strCurrentFolder.isEmpty() || m_strFileName.isEmpty())
        return;
    // 2. The picture's path; a copy that failed inserts nothing.
    if (!BuildSelectedImagePath())
        return;
    // A file the decoders refuse is not placed, as when it is dragged: the
    // user is told, and the dialog stays for another choice.
    if (RefuseUnreadableImage(m_strResultPath))
        return;
    // 3. The web's image folder.
    openimageplacing_detail::ensureWebImageFolder();
    // 4.-5. The picture waits for the click that places it.
    if (CMainFrame* frame = CMainFrame::instance()) {
        frame->m_strInsertImageSrc = m_strResultPath;
        frame->RunInsertForPageView(m_strResultPath, false);
    }
    // 6. The dialog goes.
    done(platform::IDOK);
}

void VornaDialogOpenImage::OnDblClkThumbnails(int item)
{
    m_strSelectedName = m_pList->GetItemText(item);
    if (!m_strSelectedName.isEmpty())
        m_strFileName = m_strSelectedName;
    if (m_bModeless)
        openimageplacing_detail::ensureWebImageFolder();
    OnOK();
}

void VornaDialogOpenImage::OnBeginDragThumbnails(int item)
{
    // Only beside a page being edited.
    CMainFrame* frame = CMainFrame::instance();
    if (!m_bModeless || !frame || !frame->GetActiveView() || !frame->IsEditMode())
        return;
    m_strFileName = m_pList->GetItemText(item);
    m_strSelectedName = m_strFileName;
    if (m_strFileName.isEmpty() || !BuildSelectedImagePath())
        return;
    m_pPlacer->Start(m_strResultPath);
}
