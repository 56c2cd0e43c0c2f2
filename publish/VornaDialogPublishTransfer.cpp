// The publishing window's commands on ticked items: download, upload and
// deletion on either side.
#include "publish/VornaDialogPublish.h"

#include "controls/CVornaComboBox.h"
#include "controls/CVornaTreeCtrl.h"
#include "controls/CheckTreeState.h"
#include "controls/VornaImageButton.h"
#include "platform/FtpClient.h"
#include "platform/ModalRunner.h"
#include "publish/CVornaFtp.h"
#include "publish/FtpTransferHost.h"
#include "publish/FtpTransferPaths.h"
#include "publish/PublishDialogTexts.h"
#include "res/resource.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>

namespace publishtransfer_detail {

constexpr unsigned kChooseWeb = 41451;
constexpr unsigned kConnectFirst = 41450;
constexpr unsigned kNothingTicked = 41787;
constexpr unsigned kDeleteLocalQuestion = 41822;
constexpr unsigned kDeleteServerQuestion = 41821;
constexpr unsigned kCannotRemoveFolder = 41742;
constexpr unsigned kCannotRemoveFile = 41743;

bool askYes(unsigned question)
{
    return MessageBoxById(question, 0, 0x40, 4) == platform::IDYES;
}

// An entry of a transfer list without its leading "/" and a folder's trailing "/".
QString bareEntry(QString entry)
{
    if (entry.endsWith(u'/'))
        entry.chop(1);
    if (entry.startsWith(u'/'))
        entry.remove(0, 1);
    return entry;
}

} // namespace publishtransfer_detail

bool VornaDialogPublish::webChosen()
{
    if (m_strWebName.isEmpty() || m_strWebName == LoadResString(IDS_PUBLISH_SELECT_WEB)) {
        MessageBoxById(publishtransfer_detail::kChooseWeb);
        return false;
    }
    return true;
}

bool VornaDialogPublish::connectedToServer()
{
    if (!m_bConnected) {
        MessageBoxById(publishtransfer_detail::kConnectFirst);
        return false;
    }
    return true;
}

bool VornaDialogPublish::somethingTicked(CVornaTreeCtrl* tree)
{
    QTreeWidgetItem* root = tree->topLevelItemCount() > 0 ? tree->topLevelItem(0) : nullptr;
    if (!root || tree->GetStateImage(root) == checktree::kCleared) {
        MessageBoxById(publishtransfer_detail::kNothingTicked);
        return false;
    }
    return true;
}

void VornaDialogPublish::EnableBusySet(bool enable)
{
    QWidget* const controls[] = {m_comboWeb,          m_comboServer, m_btnClose,      m_treeLocal,
                                 m_treeServer,        m_btnUpload,   m_btnDownload,   m_btnPreview,
                                 m_btnBrowserPreview, m_btnConnect,  m_btnWebSettings};
    for (QWidget* control : controls)
        control->setEnabled(enable);
}

void VornaDialogPublish::OnDownload()
{
    if (m_pFtp->IsBusy() || !webChosen() || !connectedToServer() || !somethingTicked(m_treeServer))
        return;
    // 1-3. The ticked server items.
    m_pFileList.clear();
    m_dwCheckedSize = 0;
    m_nServerChecked = 0;
    CollectCheckedServer(QStringLiteral("/"), serverRoot()->child(0), 0);
    if (m_pFileList.isEmpty())
        return;
    // 4.
    EnableBusySet(false);
    m_pFtp->DownloadFiles(m_strWebName, m_pFileList, m_dwCheckedSize);
    EnableBusySet(true);
    // 5. The local tree shows what came down.
    clearLocalTree();
    FillLocalTree();
    UpdateLocalInfo();
}

void VornaDialogPublish::OnUpload()
{
    if (m_pFtp->IsBusy() || !webChosen() || !connectedToServer() || !somethingTicked(m_treeLocal))
        return;
    // 1. The ticked local items.
    m_pFileList.clear();
    m_dwCheckedSize = 0;
    m_nLocalChecked = 0;
    CollectCheckedLocal(QStringLiteral("/"), localRoot()->child(0), 0);
    // 2. The project file goes last, and only with the whole web.
    const QFileInfo project(m_strLocalRoot + QStringLiteral("project.ini"));
    if (m_treeLocal->GetStateImage(localRoot()) == checktree::kChecked && project.isFile()) {
        m_dwCheckedSize += quint64(project.size());
        m_pFileList.append(QStringLiteral("/project.ini"));
    }
    // 3.
    if (m_pFileList.isEmpty())
        return;
    // 4.
    EnableBusySet(false);
    m_pFtp->UploadFiles(m_strWebName, m_pFileList, m_dwCheckedSize);
    EnableBusySet(true);
    // 5. The server's top level, listed afresh.
    clearServerTree();
    m_bServerFullyListed = false;
    FillServerTree(false);
    UpdateServerInfo();
}

void VornaDialogPublish::OnLocalDelete()
{
    using namespace publishtransfer_detail;
    if (m_pFtp->IsBusy() || !webChosen() || !somethingTicked(m_treeLocal) || !askYes(kDeleteLocalQuestion))
        return;
    QTreeWidgetItem* root = localRoot();
    // 1. The whole web: its folder goes, and its entry in the web list.
    if (m_treeLocal->GetStateImage(root) == checktree::kChecked) {
        const QString folder = QDir::cleanPath(m_strLocalRoot);
        const bool emptied = DeleteLocalFolder(m_strLocalRoot);
        if (!emptied || !QDir().rmdir(folder)) {
            if (emptied)
                ShowMessageBox(m_strLocalRoot + LoadResString(kCannotRemoveFolder));
            // Whatever stayed is shown as it is now.
            clearLocalTree();
            FillLocalTree();
            UpdateLocalInfo();
            return;
        }
        clearLocalTree();
        const int entry = m_comboWeb->findText(m_strWebName, Qt::MatchFixedString);
        const int placeholder = m_comboWeb->findText(LoadResString(IDS_PUBLISH_SELECT_WEB));
        if (entry >= 0 && entry != placeholder) {
            m_comboWeb->removeItem(entry);
            m_comboWeb->setCurrentIndex(m_comboWeb->findText(LoadResString(IDS_PUBLISH_SELECT_WEB)));
        }
        UpdateLocalInfo();
        return;
    }
    // 2. The fully ticked items.
    m_pFileList.clear();
    m_dwCheckedSize = 0;
    m_nLocalChecked = 0;
    CollectCheckedLocal(QStringLiteral("/"), root->child(0), 1);
    // 3. Last first, so that a folder's contents go before it. Links are
    // removed themselves, never followed.
    for (int i = int(m_pFileList.size()) - 1; i >= 0; --i) {
        const QString entry = m_pFileList.at(i);
        const QString path = m_strLocalRoot + bareEntry(entry);
        const bool folder = entry.endsWith(u'/');
        const bool removed = folder ? QDir().rmdir(path) : QFile::remove(path);
        if (!removed) {
            ShowMessageBox(path + LoadResString(folder ? kCannotRemoveFolder : kCannotRemoveFile));
            continue;
        }
        if (QTreeWidgetItem* item = m_treeLocal->FindItemByPath(root, bareEntry(entry), QString()))
            delete item;
    }
    // 4.
    OnLocalSelectNone();
}

void VornaDialogPublish::OnServerDelete()
{
    using namespace publishtransfer_detail;
    if (m_pFtp->IsBusy() || !connectedToServer())
        return;
    // 1.
    const QString base = MakeServerPath(m_strRemoteRoot, QString());
    // 2.
    if (!somethingTicked(m_treeServer) || !askYes(kDeleteServerQuestion))
        return;
    QTreeWidgetItem* root = serverRoot();
    // 3. Everything in the server folder.
    if (m_treeServer->GetStateImage(root) == checktree::kChecked) {
        m_pFtp->DeleteRemoteFolder(QStringLiteral("/"), base);
        qDeleteAll(root->takeChildren());
        OnServerSelectNone();
        return;
    }
    // 4. The fully ticked items, last first, over the open connection.
    m_pFileList.clear();
    m_dwCheckedSize = 0;
    m_nServerChecked = 0;
    CollectCheckedServer(QStringLiteral("/"), root->child(0), 1);
    const QStringList entries = m_pFileList;
    QStringList removed;
    m_pFtp->RunOnConnection([&](platform::FtpClient& client, FtpTransferHost& host) {
        for (int i = int(entries.size()) - 1; i >= 0; --i) {
            const QString& entry = entries.at(i);
            const QString path = MakeServerPath(base, entry);
            const bool folder = entry.endsWith(u'/');
            if (folder ? client.rmd(path) : client.dele(path))
                removed.append(entry);
            else
                host.showMessage(path + LoadResString(folder ? kCannotRemoveFolder : kCannotRemoveFile));
        }
    });
    for (const QString& entry : removed) {
        if (QTreeWidgetItem* item = m_treeServer->FindItemByPath(root, bareEntry(entry), QString()))
            delete item;
    }
    // 5.
    OnServerSelectNone();
}
