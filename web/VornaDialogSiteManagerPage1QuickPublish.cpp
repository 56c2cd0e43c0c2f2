// Quick publish: the open web goes to the active server in one step, with
// the options of the quick-publish settings.
#include "web/VornaDialogSiteManagerPage1.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "publish/CVornaDialogQuickPublish.h"
#include "publish/CVornaDialogStatus.h"
#include "publish/CVornaFtp.h"
#include "publish/PublishFileSelection.h"
#include "platform/ModalRunner.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"

#include <QMetaObject>

namespace quickpublish_flow_detail {

constexpr unsigned kSavingWeb = 41819;
constexpr unsigned kDeletingServerWeb = 41820;
constexpr unsigned kConnectFailed = 41479;

void showStatus(CVornaFtp& ftp, unsigned text)
{
    ftp.ShowStatusDialog();
    ftp.GetStatusDialog()->SetStatusText(LoadResString(text));
    ftp.GetStatusDialog()->repaint();
}

} // namespace quickpublish_flow_detail

void VornaDialogSiteManagerPage1::OnQuickPublish()
{
    using namespace quickpublish_flow_detail;
    // 1. Not while a transfer of this page runs.
    if (IsTransferRunning())
        return;
    CMainFrame* frame = CMainFrame::instance();
    if (!frame || !frame->m_bWebOpen)
        return;
    CVornaFtp& ftp = GetFtp();
    // 2. The options, and the active server.
    CVornaDialogQuickPublish settings(frame);
    settings.LoadOptions();
    // 3. The settings are shown unless the user hid them and a server is active.
    if (!settings.m_bHidePublishProperty || ftp.GetActiveWeb().isEmpty()) {
        if (settings.DoModal() != platform::IDOK)
            return;
        settings.LoadOptions();
        ShowServerName();
    }
    // 4.
    const QString server = ftp.GetActiveWeb();
    if (server.isEmpty())
        return;
    const bool deleteFirst = settings.m_nOverwriteOrDelete == 1;
    // 5, 6. The web's pages saved first; Cancel in the question ends here.
    ftp.SetWebName(server);
    showStatus(ftp, kSavingWeb);
    const bool goOn = SaveModifiedPagesBeforeUpload(settings.m_bSaveBeforeUpload != 0);
    ftp.CloseStatusDialog();
    if (goOn) {
        // 7.
        if (!ftp.Connect()) {
            MessageBoxById(kConnectFailed);
        } else {
            // 8. Everything on the server goes first when asked.
            if (deleteFirst) {
                showStatus(ftp, kDeletingServerWeb);
                ftp.DeleteRemoteFolder(QStringLiteral("/"), ftp.GetFtpDir());
                ftp.CloseStatusDialog();
            }
            // 9. The modified files with what they refer to, or the whole web.
            // An emptied server gets the whole web whatever the other option says.
            const QString webName = frame->m_strWebName;
            if (!ftp.IsCancelRequested()) {
                if (settings.m_bPublishOnlyModifiedFiles && !deleteFirst) {
                    QStringList files;
                    quint64 total = 0;
                    if (CollectUploadFiles(&total, CVornaFtp::LocalWebFolder(webName), &files) && !files.isEmpty())
                        ftp.UploadFiles(webName, files, total);
                } else {
                    ftp.UploadAll(webName);
                }
            }
            ftp.Disconnect();
        }
    }
    // 10. Saving took the painters off the pages: they are put back.
    for (CChildFrame* child : frame->childFrames())
        child->RestoreEditingPainters();
    // 11. The user asked to close the program meanwhile. The close comes
    // once this handler and its caller have returned: closing the program
    // deletes this page, and the button that started it.
    if (m_bCloseAfterPublish) {
        m_bCloseAfterPublish = false;
        QMetaObject::invokeMethod(frame, &QWidget::close, Qt::QueuedConnection);
    }
    // 12.
    if (CZQApp* app = CZQApp::instance())
        app->m_bCommandRan = true;
}
