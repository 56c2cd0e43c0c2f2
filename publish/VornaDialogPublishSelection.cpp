// The publishing window's server selection buttons, the inserted-files
// selection, the lines under the trees, the previews and the two lists.
#include "publish/VornaDialogPublish.h"

#include "app/CMainFrame.h"
#include "controls/CVornaComboBox.h"
#include "controls/CVornaTreeCtrl.h"
#include "controls/CheckTreeState.h"
#include "platform/DataRoot.h"
#include "platform/Desktop.h"
#include "publish/CVornaFtp.h"
#include "publish/PublishDialogTexts.h"
#include "publish/PublishFileSelection.h"
#include "res/resource.h"
#include "util/MessageBox.h"
#include "util/PathText.h"
#include "util/StringResources.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

namespace publishselection_detail {

constexpr unsigned kConnectFirst = 41450;
constexpr unsigned kNothingTicked = 41787;
constexpr unsigned kChooseWeb = 41451;
constexpr unsigned kWebNotFound = 41804;

} // namespace publishselection_detail

void VornaDialogPublish::OnServerSelectAll()
{
    // 1, 2.
    if (m_pFtp->IsBusy())
        return;
    if (!m_bConnected) {
        MessageBoxById(publishselection_detail::kConnectFirst);
        return;
    }
    // 3. Every level of the server, listed once.
    if (!m_bServerFullyListed) {
        clearServerTree();
        FillServerTree(true);
    }
    // 4, 5.
    m_treeServer->SetStateImageTree(serverRoot(), checktree::kChecked);
    UpdateServerInfo();
}

void VornaDialogPublish::OnServerSelectNone()
{
    if (m_pFtp->IsBusy())
        return;
    if (!m_bConnected) {
        MessageBoxById(publishselection_detail::kConnectFirst);
        return;
    }
    m_treeServer->SetStateImageTree(serverRoot(), checktree::kCleared);
    UpdateServerInfo();
}

void VornaDialogPublish::OnLocalSelectInserted()
{
    // 1.
    if (m_pFtp->IsBusy())
        return;
    // 2. The files the ticked pages of the top level refer to.
    QTreeWidgetItem* root = localRoot();
    bool ticked = false;
    for (int i = 0; root && i < root->childCount(); ++i) {
        QTreeWidgetItem* item = root->child(i);
        if (m_treeLocal->GetStateImage(item) == checktree::kCleared)
            continue;
        ticked = true;
        const QString name = item->text(0);
        if (!name.endsWith(QLatin1String("htm"), Qt::CaseInsensitive) &&
            !name.endsWith(QLatin1String("html"), Qt::CaseInsensitive))
            continue;
        QStringList referenced;
        if (!CollectReferencedFiles(m_strLocalRoot + name, m_strLocalRoot, &referenced))
            continue;
        for (const QString& entry : referenced) {
            if (QTreeWidgetItem* found = m_treeLocal->FindItemByPath(root, entry, QString()))
                m_treeLocal->SetCheck(found, checktree::kCheck);
        }
    }
    // 3, 4.
    if (!ticked)
        MessageBoxById(publishselection_detail::kNothingTicked);
    UpdateLocalInfo();
}

void VornaDialogPublish::updateInfo(CVornaTreeCtrl* tree, int* count, QString* text, QLabel* label)
{
    // 1. The count and size of the ticked items (the list is only scratch here).
    m_dwCheckedSize = 0;
    *count = 0;
    QStringList scratch;
    QTreeWidgetItem* root = tree->topLevelItemCount() > 0 ? tree->topLevelItem(0) : nullptr;
    if (root)
        collectChecked(tree, QStringLiteral("/"), root->child(0), 0, count, &scratch);
    // 2, 3.
    *text = FormatCheckedInfo(*count, m_dwCheckedSize);
    label->setText(*text);
}

void VornaDialogPublish::UpdateLocalInfo()
{
    updateInfo(m_treeLocal, &m_nLocalChecked, &m_strLocalInfo, m_staticLocalArea);
}

void VornaDialogPublish::UpdateServerInfo()
{
    updateInfo(m_treeServer, &m_nServerChecked, &m_strServerInfo, m_staticServerArea);
}

void VornaDialogPublish::OnPreview()
{
    // 1.
    if (m_strWebName == LoadResString(IDS_PUBLISH_SELECT_WEB)) {
        MessageBoxById(publishselection_detail::kChooseWeb);
        return;
    }
    if (m_strWebName.isEmpty())
        return;
    // 2, 3. The home page, else the first page of the top level.
    const QString folder = CVornaFtp::LocalWebFolder(m_strWebName);
    QString page = folder + QStringLiteral("/index.html");
    if (!QFileInfo(page).isFile()) {
        page.clear();
        QTreeWidgetItem* root = localRoot();
        for (int i = 0; root && i < root->childCount() && page.isEmpty(); ++i) {
            if (IsHtmlFileName(root->child(i)->text(0)))
                page = folder + u'/' + root->child(i)->text(0);
        }
    }
    // 4.
    if (!page.isEmpty())
        platform::openWithDesktop(page);
}

void VornaDialogPublish::OnBrowserPreview()
{
    // 1. The active server's setting. A separate engine reads it, so the
    // window's own engine keeps the settings of the server it is connected to.
    CVornaFtp settings;
    const QString active = settings.GetActiveWeb();
    if (active.isEmpty()) {
        MessageBoxById(IDS_NO_REGISTERED_SERVER);
        m_btnWebSettings->setFocus();
        return;
    }
    // 2-5.
    settings.SetWebName(active);
    settings.ResetWebSettings();
    settings.LoadWebSettings();
    const QString address =
        BrowserPreviewAddress(settings.GetHttpUrl(), LoadResString(IDS_USER_ID_PLACEHOLDER), settings.GetFtpId());
    if (!address.isEmpty())
        platform::openAddress(address);
}

bool VornaDialogPublish::FillWebCombo()
{
    // 1, 2. The placeholder and every web folder, in sorted order.
    m_comboWeb->clear();
    QStringList names = QDir(platform::webRoot()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    names.append(LoadResString(IDS_PUBLISH_SELECT_WEB));
    names.sort(Qt::CaseInsensitive);
    m_comboWeb->addItems(names);
    return true;
}

bool VornaDialogPublish::SelectInitialWeb()
{
    using namespace publishselection_detail;
    // 1. The open web, else the most recent one.
    QString wanted;
    if (const CMainFrame* frame = CMainFrame::instance()) {
        if (frame->m_bWebOpen)
            wanted = frame->m_strWebName;
        else if (!frame->m_recentWebs.isEmpty())
            wanted = frame->m_recentWebs.first();
    }
    // 2. Its entry: the same name, else the first that begins with it.
    const QString prompt = LoadResString(IDS_PUBLISH_SELECT_WEB);
    const int placeholder = m_comboWeb->findText(prompt);
    int found = wanted.isEmpty() ? -1 : m_comboWeb->findText(wanted, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (found < 0 && !wanted.isEmpty()) {
        for (int i = 0; i < m_comboWeb->count() && found < 0; ++i) {
            if (i != placeholder && m_comboWeb->itemText(i).startsWith(wanted, Qt::CaseInsensitive))
                found = i;
        }
    }
    if (found >= 0) {
        m_comboWeb->setCurrentIndex(found);
        m_strWebName = m_comboWeb->itemText(found);
        return true;
    }
    // 3. None: the placeholder.
    m_comboWeb->setCurrentIndex(placeholder);
    m_strWebName = prompt;
    if (placeholder < 0)
        ShowMessageBox(wanted + LoadResString(kWebNotFound));
    return false;
}

void VornaDialogPublish::OnSelChangeWeb()
{
    if (m_comboWeb->currentIndex() < 0)
        return;
    m_strWebName = m_comboWeb->currentText();
    clearLocalTree();
    if (m_strWebName != LoadResString(IDS_PUBLISH_SELECT_WEB))
        FillLocalTree();
    UpdateLocalInfo();
}

void VornaDialogPublish::OnSelChangeWebServer()
{
    if (m_comboServer->currentIndex() >= 0)
        m_pFtp->SetActiveWeb(m_comboServer->currentText());
    m_strServer = m_comboServer->currentText();
}

void VornaDialogPublish::OnActivateApp()
{
    // A transfer running writes into the web; its end rebuilds the tree.
    if (m_pFtp->IsBusy())
        return;
    clearLocalTree();
    if (!m_strWebName.isEmpty() && m_strWebName != LoadResString(IDS_PUBLISH_SELECT_WEB))
        FillLocalTree();
    UpdateLocalInfo();
}
