// The publishing window's trees once they are filled: ticks, opening server
// folders, renames, the local selection buttons, the walks that list ticked
// items, and emptying a local folder.
#include "publish/VornaDialogPublish.h"

#include "app/CMainFrame.h"
#include "controls/CVornaTreeCtrl.h"
#include "controls/CheckTreeState.h"
#include "platform/FileOps.h"
#include "platform/FtpClient.h"
#include "publish/CVornaFtp.h"
#include "publish/FtpTransferPaths.h"
#include "publish/PublishDialogTexts.h"
#include "publish/PublishFileSelection.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

namespace publishtree_detail {

constexpr unsigned kNoSelectedFolder = 41784;
constexpr unsigned kNameTaken = 41786;
constexpr unsigned kCannotRename = 41785;
constexpr unsigned kBadName = 41638;
constexpr unsigned kFolderNotFound = 41783;
constexpr unsigned kCannotRemoveFolder = 41742;
constexpr unsigned kCannotRemoveFile = 41743;

bool isFolderImage(int image)
{
    return image == 2 || image == 3;
}

} // namespace publishtree_detail

void VornaDialogPublish::OnClickLocalTree(QTreeWidgetItem* item)
{
    if (!item)
        return;
    if (publishtree_detail::isFolderImage(m_treeLocal->GetItemImage(item)) && m_treeLocal->IsChecked(item))
        item->setExpanded(true);
    UpdateLocalInfo();
}

void VornaDialogPublish::OnClickServerTree(QTreeWidgetItem* item)
{
    if (!item)
        return;
    const int image = m_treeServer->GetItemImage(item);
    if (image == 0 && !item->parent() && m_treeServer->IsChecked(item)) {
        OnServerSelectAll(); // lists the whole server first when needed
    } else if (publishtree_detail::isFolderImage(image) && m_treeServer->IsChecked(item)) {
        // Opening lists the folder when it was not; what it adds is ticked too.
        item->setExpanded(true);
        if (item->childCount() > 0)
            m_treeServer->SetStateImageTree(item->child(0), checktree::kChecked);
    }
    UpdateServerInfo();
}

void VornaDialogPublish::OnItemExpandingServerTree(QTreeWidgetItem* item)
{
    // Only a folder holding its placeholder is listed, once.
    if (!item || item->childCount() == 0 || !item->child(0)->text(0).isEmpty())
        return;
    if (m_pFtp->IsBusy() || !m_bConnected) {
        item->setExpanded(false);
        return;
    }
    // 1. The placeholder goes.
    QTreeWidgetItem* placeholder = item->takeChild(0);
    // 2. The folder's path on the server.
    QString path;
    for (QTreeWidgetItem* at = item; at && at->parent(); at = at->parent())
        path.prepend(at->text(0) + u'/');
    // 3. Everything below it.
    if (!AddServerFolder(MakeServerPath(m_strRemoteRoot, path), item, true)) {
        if (item->childCount() == 0) {
            item->addChild(placeholder); // not listed: it can be opened again
            item->setExpanded(false);
            return;
        }
    }
    delete placeholder;
}

bool VornaDialogPublish::renameRefused(QTreeWidgetItem* item, const QString& text)
{
    using namespace publishtree_detail;
    if (!IsAcceptableItemLabel(text)) {
        MessageBoxById(kBadName);
        return true;
    }
    // Another item of the same folder has the name already (any case).
    QTreeWidgetItem* parent = item->parent();
    const int count = parent ? parent->childCount() : item->treeWidget()->topLevelItemCount();
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem* sibling = parent ? parent->child(i) : item->treeWidget()->topLevelItem(i);
        if (sibling != item && sibling->text(0).compare(text, Qt::CaseInsensitive) == 0) {
            MessageBoxById(kNameTaken);
            // Editing starts again on the item once this edit has closed.
            QTreeWidget* tree = item->treeWidget();
            tree->setCurrentItem(item);
            QTimer::singleShot(0, tree, [tree] {
                if (QTreeWidgetItem* current = tree->currentItem())
                    tree->editItem(current);
            });
            return true;
        }
    }
    return false;
}

bool VornaDialogPublish::isLocalWebOpenInEditor() const
{
    const CMainFrame* frame = CMainFrame::instance();
    if (!frame || !frame->m_bWebOpen || frame->m_strWebFolder.isEmpty())
        return false;
    return QDir::cleanPath(frame->m_strWebFolder) == QDir::cleanPath(m_strLocalRoot);
}

void VornaDialogPublish::OnEndLabelEditLocal(QTreeWidgetItem* item, const QString& text)
{
    using namespace publishtree_detail;
    // 1.
    if (!item || !m_treeLocal->currentItem()) {
        MessageBoxById(kNoSelectedFolder);
        return;
    }
    // 2. A cancelled, emptied or unchanged label changes nothing.
    if (text.isEmpty() || text == item->text(0))
        return;
    // 3. Names that would move the item, or clash with a sibling.
    if (renameRefused(item, text))
        return;
    // The folder of the web open in the editor stays where its pages are.
    if (!item->parent() && isLocalWebOpenInEditor()) {
        MessageBoxById(kCannotRename);
        return;
    }
    // 4, 5. The rename on disk, then the label.
    m_treeLocal->setCurrentItem(item);
    QString from = GetLocalItemPath();
    if (from.endsWith(u'/'))
        from.chop(1);
    const QString to = from.left(from.lastIndexOf(u'/') + 1) + text;
    if (from.isEmpty() || platform::renamePath(from, to) != platform::FileError::Success) {
        MessageBoxById(kCannotRename);
        return;
    }
    item->setText(0, text);
}

void VornaDialogPublish::OnEndLabelEditServer(QTreeWidgetItem* item, const QString& text)
{
    using namespace publishtree_detail;
    if (!item || !m_treeServer->currentItem()) {
        MessageBoxById(kNoSelectedFolder);
        return;
    }
    if (text.isEmpty() || text == item->text(0) || !m_bConnected)
        return;
    if (renameRefused(item, text))
        return;
    QString from = GetServerItemPath(item);
    if (from.endsWith(u'/'))
        from.chop(1);
    const QString to = from.left(from.lastIndexOf(u'/') + 1) + text;
    bool renamed = false;
    if (!from.isEmpty()) {
        m_pFtp->RunOnConnection(
            [&](platform::FtpClient& client, FtpTransferHost&) { renamed = client.rename(from, to); });
    }
    if (!renamed) {
        MessageBoxById(kCannotRename);
        return;
    }
    item->setText(0, text);
}

void VornaDialogPublish::OnLocalSelectAll()
{
    if (m_pFtp->IsBusy())
        return;
    m_treeLocal->SetStateImageTree(localRoot(), checktree::kChecked);
    UpdateLocalInfo();
}

void VornaDialogPublish::OnLocalSelectNone()
{
    if (m_pFtp->IsBusy())
        return;
    m_treeLocal->SetStateImageTree(localRoot(), checktree::kCleared);
    UpdateLocalInfo();
}

void VornaDialogPublish::OnSelectModifiedFiles()
{
    if (m_pFtp->IsBusy())
        return;
    // The modified files are those of the web open in the editor: another
    // web's files of the same names did not change.
    const QStringList* modified = isLocalWebOpenInEditor() ? GetModifiedWebFiles() : nullptr;
    if (modified && localRoot()) {
        for (const QString& name : *modified) {
            // The list's paths are relative to the web folder, as the tree's are to its root.
            if (QTreeWidgetItem* item = m_treeLocal->FindItemByPath(localRoot(), name, QString()))
                m_treeLocal->SetCheck(item, checktree::kCheck);
        }
    }
    UpdateLocalInfo();
}

void VornaDialogPublish::collectChecked(CVornaTreeCtrl* tree, const QString& prefix, QTreeWidgetItem* first, int mode,
                                        int* count, QStringList* list)
{
    if (!first)
        return;
    QTreeWidgetItem* parent = first->parent();
    const int start = parent ? parent->indexOfChild(first) : tree->indexOfTopLevelItem(first);
    const int end = parent ? parent->childCount() : tree->topLevelItemCount();
    for (int i = start; i < end; ++i) {
        QTreeWidgetItem* item = parent ? parent->child(i) : tree->topLevelItem(i);
        // 1.
        const int state = tree->GetStateImage(item);
        if (state == checktree::kCleared)
            continue;
        // 2, 3.
        const int image = tree->GetItemImage(item);
        if (image < 0)
            return;
        ++*count;
        // 4. A folder, and what is ticked inside it.
        if (publishtree_detail::isFolderImage(image)) {
            const QString path = prefix + item->text(0) + u'/';
            const bool whole = state == checktree::kChecked || state == checktree::kFixedChecked;
            if (mode != 1 || whole)
                list->append(path);
            collectChecked(tree, path, item->child(0), mode == 1 ? 1 : 0, count, list);
            continue;
        }
        // 5. A file (the server's placeholders count and nothing else).
        if (tree == m_treeServer && image != 1)
            continue;
        m_dwCheckedSize += quint64(std::max<qint64>(0, item->data(0, SizeRole).toLongLong()));
        list->append(prefix + item->text(0));
    }
}

void VornaDialogPublish::CollectCheckedLocal(const QString& prefix, QTreeWidgetItem* first, int mode)
{
    collectChecked(m_treeLocal, prefix, first, mode, &m_nLocalChecked, &m_pFileList);
}

void VornaDialogPublish::CollectCheckedServer(const QString& prefix, QTreeWidgetItem* first, int mode)
{
    collectChecked(m_treeServer, prefix, first, mode, &m_nServerChecked, &m_pFileList);
}

bool VornaDialogPublish::DeleteLocalFolder(const QString& folder)
{
    using namespace publishtree_detail;
    // 1, 2.
    const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
    const QFileInfo info(prefix);
    if (!info.isDir() || info.isSymLink()) {
        ShowMessageBox(prefix + QStringLiteral("*.*") + LoadResString(kFolderNotFound));
        return false;
    }
    // 3. Sub-folders emptied and removed, files deleted; a link is removed
    // itself, never what it leads to.
    const QFileInfoList entries =
        QDir(prefix).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        const QString path = prefix + entry.fileName();
        if (entry.isDir() && !entry.isSymLink()) {
            DeleteLocalFolder(path);
            if (!QDir().rmdir(path)) {
                ShowMessageBox(path + LoadResString(kCannotRemoveFolder));
                return false;
            }
        } else if (!QFile::remove(path)) {
            ShowMessageBox(path + LoadResString(kCannotRemoveFile));
            return false;
        }
    }
    // 4.
    return true;
}
