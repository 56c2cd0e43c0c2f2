// The site manager page's buttons: import a page, delete the selected files
// and folders, reload the list, and the quick-publish settings.
#include "web/VornaDialogSiteManagerPage1.h"

#include "app/CChildFrame.h"
#include "app/CHtmlEditCntrItem.h"
#include "app/CMainFrame.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "frames/FramePages.h"
#include "frames/VornaFrameSet.h"
#include "publish/CVornaDialogQuickPublish.h"
#include "publish/CVornaFtp.h"
#include "res/resource.h"
#include "util/AppContext.h"
#include "util/FileHelpers.h"
#include "util/MessageBox.h"
#include "util/PathText.h"
#include "util/StringResources.h"
#include "web/CVornaSiteGridCtrl.h"
#include "web/SiteFileTexts.h"

#include "platform/DataRoot.h"
#include "platform/ModalRunner.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>

#include <algorithm>

void VornaDialogSiteManagerPage1::OnImport()
{
    CMainFrame* main = CMainFrame::instance();
    if (!main)
        return;
    // 1, 2. The chosen page, registered in the web.
    const QString chosen = main->ImportPageIntoWeb();
    if (chosen.isEmpty())
        return;
    // 3. A page from another folder brings its linked files at its next save.
    CZQView* view = AppContext::instance().activeView();
    CZQDoc* document = view ? view->GetDocument() : nullptr;
    if (!document)
        return;
    if (document->m_strSourcePath.isEmpty())
        document->m_strSourcePath = chosen;
    const QString loaded = document->pathName().isEmpty() ? document->m_strSourcePath : document->pathName();
    if (QFileInfo(loaded).absolutePath() != QFileInfo(document->m_strSourcePath).absolutePath())
        view->m_bImportedPage = true;
    // 4.
    m_list->Reload();
}

void VornaDialogSiteManagerPage1::OnDelete()
{
    // 1.
    const QList<int> selected = m_list->GetSelectedRows();
    if (selected.isEmpty() || (selected.size() == 1 && selected.first() == 0))
        return;
    // The files the user asks about, by path: the list may be filled again
    // from the folder while the question is open, and a row number then
    // names another file.
    struct Doomed
    {
        QString relative;
        bool folder;
    };
    QList<Doomed> doomed;
    for (int row : selected) {
        if (row == 0)
            continue;
        doomed.append(
            Doomed{m_list->GetItemPath(row), SiteSameText(m_list->GetRowType(row), CVornaSiteGridCtrl::TypeFolder())});
    }
    // 2.
    if (MessageBoxById(IDS_SITE_DELETE_QUESTION, 0, 0x40, 4) != platform::IDYES)
        return;
    // 3.
    const QString web = SiteWebFolder();
    for (const Doomed& entry : doomed) {
        const QString path = web + QLatin1Char('/') + entry.relative;
        m_nBusy = 1;
        if (entry.folder) {
            if (deleteFolderContents(path) && !QDir().rmdir(path))
                ShowMessageBox(QDir::toNativeSeparators(path) + LoadResString(41742));
        } else {
            closeDocumentBeforeDelete(path);
            if (QFileInfo(path).isSymLink() || QFileInfo::exists(path)) {
                if (!QFile::remove(path))
                    ShowMessageBox(QDir::toNativeSeparators(path) + LoadResString(41743));
            }
        }
        m_nBusy = 0;
        RemoveModifiedFile(entry.relative);
        m_bWebChanged = 1;
    }
    // 4. Their rows where they stand now; a row under a deleted folder went with it.
    for (auto it = doomed.crbegin(); it != doomed.crend(); ++it) {
        for (int row = m_list->GetItemCount() - 1; row > 0; --row) {
            if (m_list->GetItemPath(row) == it->relative) {
                m_list->DeleteRow(row);
                break;
            }
        }
    }
    m_list->ClearSelection();
}

bool VornaDialogSiteManagerPage1::deleteFolderContents(const QString& folder)
{
    QDir dir(folder);
    if (!dir.exists()) {
        ShowMessageBox(QDir::toNativeSeparators(folder) + LoadResString(IDS_SITE_FOLDER_NOT_FOUND));
        return false;
    }
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        const QString path = entry.filePath();
        // A link is removed, never followed.
        if (entry.isDir() && !entry.isSymLink()) {
            if (!deleteFolderContents(path))
                return false;
            if (!QDir().rmdir(path)) {
                ShowMessageBox(QDir::toNativeSeparators(path) + LoadResString(41742));
                return false;
            }
            continue;
        }
        closeDocumentBeforeDelete(path);
        if (!QFile::remove(path)) {
            ShowMessageBox(QDir::toNativeSeparators(path) + LoadResString(41743));
            return false;
        }
    }
    return true;
}

void VornaDialogSiteManagerPage1::closeDocumentBeforeDelete(const QString& path)
{
    CZQDoc* document = FindOpenDocument(path);
    CZQView* view = document ? document->GetView() : nullptr;
    if (!document)
        return;
    CChildFrame* child = view ? view->GetParentFrame() : nullptr;
    CMainFrame* main = CMainFrame::instance();
    if (child && child->HasFrameset() && child->GetFramesetView() != view) {
        // A frame page stays in its pane as a new, empty page.
        CZQView* frameset = child->GetFramesetView();
        document->setPathName(QString(), false);
        document->setTitle(QStringLiteral("Frame%1").arg(main ? main->m_nFrameCount++ : 1));
        const QString blank = platform::installPath(QStringLiteral("Bin/ULO.html"));
        document->m_strSourcePath = blank;
        if (CHtmlEditCntrItem* item = view->GetItem())
            item->LoadDocument(blank, nullptr, engine::Reading::AtOnce);
        if (frameset && frameset->GetDocument())
            AddOrUpdateFileRow(document->GetDisplayName(), frameset->GetDocument()->GetDisplayName());
        return;
    }
    if (child && child->HasFrameset()) {
        // The frameset page: its changed frame pages are saved when the user wants.
        bool modified = false;
        if (VornaFrameSet* root = child->frameTree().root.get())
            root->IsAnyFrameModified(&modified, root);
        if (modified && MessageBoxById(IDS_SITE_SAVE_FRAMES, 0, 0x40, 4) == platform::IDYES)
            ForEachFrameView(child->frameTree().root.get(), FrameViewSave, child);
        CollectFrameSources(child->frameTree().root.get(), true);
        m_list->m_bBusy = 1;
        document->closeDocument();
        m_list->m_bBusy = 0;
        return;
    }
    document->closeDocument();
}

void VornaDialogSiteManagerPage1::OnRefresh()
{
    const QString web = SiteWebFolder();
    const QString page = CVornaSiteGridCtrl::TypePage();
    // 1. Pages of the web folder that are not on disk (yet).
    QStringList missing;
    for (int row = 1; row < m_list->GetItemCount(); ++row) {
        const QString name = m_list->GetItemText(row, 0);
        if (SiteSameText(m_list->GetRowType(row), page) && name == m_list->GetItemPath(row) &&
            !QFileInfo::exists(web + QLatin1Char('/') + name))
            missing.append(name);
    }
    // 2.
    m_list->Reload();
    // 3. A new page not saved yet keeps its row.
    QStringList framePairs;
    for (const QString& name : missing) {
        CZQDoc* document = FindOpenDocument(name);
        if (!document || !document->pathName().isEmpty() || QFileInfo::exists(web + QLatin1Char('/') + name))
            continue;
        CZQView* view = document->GetView();
        if (!m_list->AddRootItem(name))
            continue;
        const int row = m_list->GetItemCount() - 1;
        m_list->SetCellText(row, 1, view ? view->GetDocumentTitle() : QString());
        m_list->SetCellText(row, 3, page);
        CChildFrame* child = view ? view->GetParentFrame() : nullptr;
        CZQView* frameset = child && child->HasFrameset() ? child->GetFramesetView() : nullptr;
        if (frameset && frameset != view && frameset->GetDocument())
            framePairs.append(frameset->GetDocument()->GetDisplayName() + QLatin1Char('/') + name);
    }
    // 4.
    for (const QString& pair : framePairs) {
        const qsizetype slash = pair.indexOf(QLatin1Char('/'));
        const QString frameset = pair.left(slash);
        const QString frame = pair.mid(slash + 1);
        for (int row = 1; row < m_list->GetItemCount(); ++row) {
            if (SiteSameText(m_list->GetRowType(row), page) && SiteSameText(m_list->GetItemText(row, 0), frame)) {
                m_list->SetItemTag(row, frameset);
                m_list->SetItemKind(row, 1);
                break;
            }
        }
    }
}

void VornaDialogSiteManagerPage1::OnQuickPublishProperties()
{
    CVornaDialogQuickPublish dialog(window());
    if (dialog.DoModal() != platform::IDOK)
        return;
    ShowServerName();
    update();
}
