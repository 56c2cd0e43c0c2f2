// The site list's cell edits: the second click on a name or a title, and what
// a finished edit does to the file, its open page and the pages linking to it.
#include "web/CVornaSiteGridCtrl.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "controls/CListEditCtrl.h"
#include "frames/FramePages.h"
#include "frames/FramesetWriter.h"
#include "res/resource.h"
#include "util/FileFaultText.h"
#include "util/FileHelpers.h"
#include "util/MessageBox.h"
#include "util/PathText.h"
#include "util/StringResources.h"
#include "util/TextHelpers.h"
#include "web/SiteFileTexts.h"
#include "web/SitePageOperations.h"
#include "web/VornaDialogSiteManagerPage1.h"

#include "engine/editing/CommandGroup.h"
#include "platform/DocTemplate.h"
#include "platform/FileFault.h"
#include "platform/ModalRunner.h"
#include "platform/SafeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QScopeGuard>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

namespace sitegrid_detail {

CChildFrame* activeChild()
{
    CMainFrame* main = CMainFrame::instance();
    return main ? main->GetActiveChild() : nullptr;
}

// Two names of one file (a hard link, or a name that differs only in case
// on a file system that ignores it).
bool sameFile(const QString& a, const QString& b)
{
    struct stat sa;
    struct stat sb;
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0 || ::stat(QFile::encodeName(b).constData(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// Renames a file unless something stands at the new name (errno EEXIST then).
bool renameWithoutReplacing(const QString& from, const QString& to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without the flag: the name is tested first.
    struct stat st;
    if (::lstat(target.constData(), &st) == 0) {
        errno = EEXIST;
        return false;
    }
    return std::rename(source.constData(), target.constData()) == 0;
}

// The frameset text of the child frame's frameset page, to be written at its next save.
void storeFramesetText(CZQDoc* document, CChildFrame* child)
{
    if (!document || !child)
        return;
    document->m_bPageChanged = true;
    QString text;
    BuildFramesetPageHtml(text, FramesetTextOnly, child);
    if (!text.isEmpty())
        document->m_strFramesetHtml = text;
}

} // namespace sitegrid_detail

// ---- starting an edit ----

void CVornaSiteGridCtrl::OnClick(int row, QPoint point)
{
    // 1., 2.
    if (GetSelectedCount() > 1)
        return;
    const int column = m_nCurColumn;
    if ((column != 0 && column != 1) || row < 0)
        return;
    // 3.
    const QString type = GetRowType(row);
    if (SiteSameText(type, TypeWeb()) || SiteSameText(type, TypeFolder()))
        return;
    // 4. The second click on one cell edits it.
    if (row == m_nLastRow && column == m_nLastCol) {
        if (column == 1) {
            EditCell(row, 1);
        } else if (GetItemRect(row, LVIR_LABEL).contains(point.x(), point.y())) {
            if (SiteSameText(type, TypePage()) && !IsHtmlFileName(GetItemText(row, 0))) {
                MessageBoxById(IDS_SAVE_BEFORE_RENAME);
                return;
            }
            EditCell(row, 0);
        }
    }
    // 5.
    m_nLastRow = row;
    m_nLastCol = column;
}

void CVornaSiteGridCtrl::EditCell(int row, int column)
{
    if ((column != 0 && column != 1) || row < 0 || row >= GetItemCount())
        return;
    // The column shown at that place.
    const int shown = OrderToIndex(column);
    const int cell = shown < 0 ? column : shown;
    if (cell == 0)
        EditLabel(row);
    else if (cell == 1 && SiteSameText(GetRowType(row), TypePage()))
        EditSubItem(row, 1);
}

int CVornaSiteGridCtrl::OnBeginLabelEdit(const ListDispInfo& info)
{
    if (info.subItem == 0 || info.subItem == 1)
        return 0;
    // Other columns are not edited: the row opens instead.
    if (auto* page = qobject_cast<VornaDialogSiteManagerPage1*>(parentWidget()))
        page->OpenItem(info.item);
    return -1;
}

int CVornaSiteGridCtrl::OnEndLabelEdit(const ListDispInfo& info)
{
    if (!info.hasText || info.item == -1)
        return 0;
    CTreeItem* item = GetTreeItem(info.item);
    if (!item)
        return 0;
    // The edit may open or save pages: the page window active before stays active.
    QPointer<CChildFrame> active = sitegrid_detail::activeChild();
    UpdateItemFromEdit(item, info);
    if (active) {
        if (QMdiArea* area = active->mdiArea())
            area->setActiveSubWindow(active);
        active->ActivateFrame();
    }
    return 0;
}

// ---- applying an edit ----

void CVornaSiteGridCtrl::UpdateItemFromEdit(CTreeItem* item, const ListDispInfo& edit)
{
    Q_UNUSED(item);
    // 1. No drag survives an edit.
    CancelDragState();
    // 2.
    m_nLastRow = edit.item;
    m_nLastCol = edit.subItem;
    const QString oldText = GetItemText(edit.item, edit.subItem);
    const QString newText = edit.text;
    const QString type = GetRowType(edit.item);
    // 3. Names are exact: a change of case is a change.
    if (SiteSameText(type, TypeFolder()) || newText == oldText)
        return;
    // 4.
    m_bJustEdited = true;
    ClearSelection();
    ResetDragMode();
    const QString path = m_strFolder + QLatin1Char('/') + GetItemPath(edit.item);
    // 5.
    if (edit.subItem == 0)
        RenameRowFile(edit.item, oldText, newText, path);
    else if (edit.subItem == 1)
        EditRowTitle(edit.item, oldText, newText, path);
}

bool CVornaSiteGridCtrl::RefuseNewName(const QString& oldName, const QString& newName)
{
    unsigned refusal = 0;
    if (IsHtmlFileName(oldName) && !IsHtmlFileName(newName))
        refusal = IDS_SITE_BAD_EXTENSION;
    else if (newName.isEmpty())
        refusal = IDS_SITE_NAME_EMPTY;
    else if (!IsUsableSiteFileName(newName))
        refusal = IDS_BAD_FILE_NAME;
    if (refusal == 0)
        return false;
    if (refusal == IDS_SITE_NAME_EMPTY)
        ShowMessageBox(LoadResString(refusal));
    else
        MessageBoxById(refusal);
    setFocus(Qt::OtherFocusReason);
    return true;
}

void CVornaSiteGridCtrl::RenameRowFile(int row, const QString& oldName, const QString& newName, const QString& path)
{
    // 1.-3.
    if (RefuseNewName(oldName, newName))
        return;
    // 4., 5. Anything of that name beside it, exactly.
    const QString folder = path.left(path.lastIndexOf(QLatin1Char('/')));
    const QString newPath = folder + QLatin1Char('/') + newName;
    if (QFileInfo::exists(newPath) || QFileInfo(newPath).isSymLink()) {
        MessageBoxById(IDS_SITE_NAME_EXISTS);
        setFocus(Qt::OtherFocusReason);
        return;
    }
    m_bBusy = 1;
    const auto idle = qScopeGuard([this] { m_bBusy = 0; });
    const int kind = GetItemKind(row);
    const QString tag = GetItemTag(row);
    auto* page = qobject_cast<VornaDialogSiteManagerPage1*>(parentWidget());
    const bool extensionChanged = !SiteSameText(GetFileExtension(oldName), GetFileExtension(newName));
    // Under its new name the file is new to the server: publishing the
    // modified files sends it.
    const QString oldInWeb = GetItemPath(row);
    const QString newInWeb = oldInWeb.left(oldInWeb.lastIndexOf(QLatin1Char('/')) + 1) + newName;
    const auto listForPublishing = [page, &oldInWeb, &newInWeb] {
        if (!page)
            return;
        page->RemoveModifiedFile(oldInWeb);
        page->AddModifiedFile(newInWeb);
        page->m_bWebChanged = 1;
    };

    // 6. The open page is saved under the new name.
    if (CZQDoc* document = FindOpenDocument(path)) {
        CZQView* view = document->GetView();
        CChildFrame* child = view ? view->GetParentFrame() : nullptr;
        if (kind == 2)
            sitegrid_detail::storeFramesetText(document, child);
        if (!document->doSave(newPath, true))
            return;
        if (kind == 2)
            RetagFrameRows(oldName, newName);
        // The old file goes unless the new name is the same file.
        if (QFileInfo::exists(path) && !sitegrid_detail::sameFile(path, newPath))
            QFile::remove(path);
        SetCellText(row, 0, newName);
        listForPublishing();
        AskToRelink(oldName, newName, path);
        if (kind == 1 && page) {
            if (CZQDoc* frameset = FindOpenDocument(m_strFolder + QLatin1Char('/') + tag);
                frameset && !frameset->pathName().isEmpty()) {
                CZQView* framesetView = frameset->GetView();
                sitegrid_detail::storeFramesetText(frameset, framesetView ? framesetView->GetParentFrame() : nullptr);
                frameset->doSave(frameset->pathName(), true);
            }
        }
        if (extensionChanged)
            Reload();
        return;
    }

    // 7. A closed file is renamed on disk, never over a file that appeared meanwhile.
    if (!sitegrid_detail::renameWithoutReplacing(path, newPath)) {
        if (errno == EEXIST) {
            MessageBoxById(IDS_SITE_ITEM_EXISTS);
            return;
        }
        const QString cause = FileFaultText(platform::fileFaultFromErrno(errno));
        ShowMessageBox(LoadResString(IDS_SITE_NOT_RENAMED).arg(QDir::toNativeSeparators(path), cause));
        setFocus(Qt::OtherFocusReason);
        return;
    }
    SetCellText(row, 0, newName);
    listForPublishing();
    if (kind == 2)
        RetagFrameRows(oldName, newName);
    if (!AskToRelink(oldName, newName, path))
        RefreshWebPages();
    if (kind == 1 && page) {
        const int framesetRow = page->FindFileRow(tag);
        if (framesetRow >= 0)
            RenameFrameSource(m_strFolder + QLatin1Char('/') + GetItemPath(framesetRow), oldName, newName);
    }
    if (extensionChanged)
        Reload();
    ResetDragMode();
    ClearSelection();
}

void CVornaSiteGridCtrl::RetagFrameRows(const QString& oldName, const QString& newName)
{
    for (int at = 1; at < GetItemCount(); ++at) {
        if (GetItemTag(at) == oldName)
            SetItemTag(at, newName);
    }
}

bool CVornaSiteGridCtrl::AskToRelink(const QString& oldName, const QString& newName, const QString& oldPath)
{
    if (MessageBoxById(IDS_SITE_CHANGED_RELINK, 0, 0x40, 4) != platform::IDYES)
        return false;
    ReplaceLinksInSitePages(oldName, newName, 0, oldPath);
    ClearSelection();
    return true;
}

void CVornaSiteGridCtrl::RefreshWebPages()
{
    // The pages of the web's top folder show the renamed file as missing.
    CZQApp* app = CZQApp::instance();
    CMainFrame* main = CMainFrame::instance();
    if (!app || !app->docTemplate() || !main)
        return;
    for (platform::Document* each : app->docTemplate()->documents()) {
        auto* document = qobject_cast<CZQDoc*>(each);
        if (!document || !main->IsPageInWeb(document->GetDisplayName()))
            continue;
        const QString file = document->pathName();
        if (!file.isEmpty() && file.left(file.lastIndexOf(QLatin1Char('/'))) != m_strFolder)
            continue;
        if (CZQView* view = document->GetView()) {
            view->ExecCommand(engine::CommandGroup::BrowseMode);
            view->SetEditMode();
        }
    }
}

void CVornaSiteGridCtrl::EditRowTitle(int row, const QString& oldTitle, const QString& newTitle, const QString& path)
{
    // 1. A title is not emptied here.
    if (newTitle.isEmpty() && !oldTitle.isEmpty())
        return;
    // 2.
    const QString title = IsBlankString(newTitle) ? QStringLiteral(" ") : newTitle;
    // 3., 4. The open page takes the title; its file is written at its next save.
    if (CZQDoc* document = FindOpenDocument(path)) {
        CZQView* view = document->GetView();
        CChildFrame* child = view ? view->GetParentFrame() : nullptr;
        if (view)
            view->SetDocumentTitle(title);
        document->SetPageTitle(title);
        document->m_bPageChanged = true;
        if (child && child->GetFramesetView() == view)
            sitegrid_detail::storeFramesetText(document, child);
        SetCellText(row, 1, title);
        if (child)
            child->UpdateCaption();
        return;
    }
    // 5. A closed page: its file.
    if (!QFileInfo(path).isFile()) {
        MessageBoxById(IDS_SITE_FILE_MISSING);
        return;
    }
    if (WriteTitleToFile(path, title))
        SetCellText(row, 1, title);
}

bool CVornaSiteGridCtrl::WriteTitleToFile(const QString& path, const QString& title)
{
    const auto refuse = [&path](const QString& cause) {
        ShowMessageBox(LoadResString(IDS_SITE_TITLE_NOT_WRITTEN).arg(QDir::toNativeSeparators(path), cause));
        return false;
    };
    QByteArray bytes;
    if (const platform::FileFault fault = platform::readFileWhole(path, &bytes); fault != platform::FileFault::None)
        return refuse(FileFaultText(fault, FileAccess::Read));
    QByteArray written;
    switch (SitePageWithTitle(bytes, title, written)) {
    case SiteTitleEdit::NoTitle:
        return true;
    case SiteTitleEdit::NotDecoded:
        return refuse(LoadResString(IDS_SITE_TITLE_NOT_DECODED));
    case SiteTitleEdit::Changed:
        break;
    }
    // The old file stays whole until the new one is complete.
    if (const platform::FileFault fault = platform::writeFileWhole(path, written); fault != platform::FileFault::None)
        return refuse(FileFaultText(fault));
    return true;
}

// ---- the Delete key and the double click ----

void CVornaSiteGridCtrl::OnKeyDown(QKeyEvent* event)
{
    // The Delete key deletes the selected files through the site manager
    // page; other keys do nothing here.
    event->accept();
    if (event->key() != Qt::Key_Delete)
        return;
    if (auto* page = qobject_cast<VornaDialogSiteManagerPage1*>(parentWidget())) {
        page->OnDelete();
        setFocus(Qt::OtherFocusReason);
    }
}

void CVornaSiteGridCtrl::OnLButtonDblClk(unsigned flags, QPoint point)
{
    const int row = GetSelectedRow();
    if (row >= 0 && SiteSameText(GetRowType(row), TypePage())) {
        if (auto* page = qobject_cast<VornaDialogSiteManagerPage1*>(parentWidget()))
            page->OpenItem(row);
        return;
    }
    CVornaGridCtrl::OnLButtonDblClk(flags, point);
}
