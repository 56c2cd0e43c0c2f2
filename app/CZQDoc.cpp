#include "app/CZQDoc.h"

#include "app/CChildFrame.h"
#include "app/CHtmlEditCntrItem.h"
#include "app/CMainFrame.h"
#include "app/CZQView.h"
#include "editor/CImpIDispatch.h"
#include "frames/FramePages.h"
#include "frames/VornaFrameSet.h"
#include "controls/ULOFileDialog.h"
#include "util/ElementTagIds.h"
#include "util/FileFaultText.h"
#include "util/MessageBox.h"
#include "util/PageMarkup.h"
#include "util/PathText.h"
#include "util/StringResources.h"
#include "util/TextHelpers.h"
#include "res/resource.h"

#include "engine/dom/Document.h"
#include "engine/editing/CommandGroup.h"
#include "engine/html/PageLoader.h"

#include "platform/CodePages.h"
#include "platform/DocTemplate.h"
#include "platform/ModalRunner.h"
#include "platform/SafeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIODevice>
#include <QScopeGuard>

CZQDoc::CZQDoc(QObject* parent) : platform::Document(parent)
{
    onCommand(33106, [this] { OnFileSave(); });
    onCommand(33198, [this] { OnFileSaveAs(); });
}

CZQDoc::~CZQDoc() = default;

CZQView* CZQDoc::GetView() const
{
    for (QWidget* view : views()) {
        if (auto* page = qobject_cast<CZQView*>(view))
            return page;
    }
    return nullptr;
}

CChildFrame* CZQDoc::ChildFrame() const
{
    const CZQView* view = GetView();
    return view ? view->GetParentFrame() : nullptr;
}

bool CZQDoc::IsFramesetPage() const
{
    const CChildFrame* child = ChildFrame();
    return child && child->HasFrameset() && child->GetFramesetView() == GetView();
}

// ---- names ----------------------------------------------------------------

QString CZQDoc::DisplayNameOf(const QString& title, const QString& path)
{
    QString name;
    if (!title.isEmpty()) {
        if (!path.isEmpty()) {
            name = GetFileNamePart(path);
        } else {
            name = title;
            // A quoted page title before the name: "title" - name.
            const int quote = name.lastIndexOf(QLatin1Char('"'));
            if (quote >= 0)
                name = name.mid(quote + 2);
            const QString upper = name.toUpper();
            int mark = -1;
            if (upper.contains(QLatin1String("UNTITLED"))) {
                mark = upper.indexOf(QLatin1String("UNTITLED"));
            } else if (upper.contains(QLatin1String("ULO"))) {
                mark = upper.indexOf(QLatin1String("ULO"));
            } else if (const int frame = upper.indexOf(QLatin1String("FRAME"));
                       frame >= 0 && (frame + 5 >= upper.size() || upper.at(frame + 5) != QLatin1Char('S'))) {
                mark = frame;
            } else if (upper.contains(QLatin1String("FRAMESET"))) {
                mark = upper.indexOf(QLatin1String("FRAMESET"));
            }
            if (mark >= 0) {
                const int blank = name.indexOf(QLatin1Char(' '), mark);
                name = name.mid(mark, blank < 0 ? -1 : blank - mark);
            }
        }
    }
    if (!path.isEmpty() && IsHtmlFileName(path) && name.right(5).compare(path.right(5), Qt::CaseInsensitive) != 0)
        name += QStringLiteral(".html");
    return name;
}

QString CZQDoc::GetDisplayName(bool captionForm) const
{
    QString name = DisplayNameOf(title(), pathName());
    CZQView* view = GetView();
    if (!captionForm || !view)
        return name;
    if (const VornaFrameSet* node = FindFrameNode(view); node && !node->GetName().isEmpty())
        name += QStringLiteral(" - ") + node->GetName();
    if (const CChildFrame* child = view->GetParentFrame()) {
        const CZQView* frameset = child->GetFramesetView();
        const QString framesetName =
            frameset && frameset->GetDocument() ? frameset->GetDocument()->GetDisplayName() : QString();
        if (!framesetName.isEmpty())
            name += QStringLiteral(" (") + framesetName + QLatin1Char(')');
    }
    return name;
}

// ---- modified state and the save question ------------------------------------

bool CZQDoc::isModified() const
{
    const CZQView* view = GetView();
    if (!view)
        return false;
    if (const CHtmlEditCntrItem* item = view->GetItem()) {
        if (item->IsModified() || m_bPageChanged || m_bFromTemplate)
            return true;
        const CMainFrame* frame = CMainFrame::instance();
        return pathName().isEmpty() && frame && frame->IsPageInWeb(GetDisplayName());
    }
    return !m_strFramesetHtml.isEmpty();
}

void CZQDoc::ClearClosingFlags()
{
    if (CMainFrame* frame = CMainFrame::instance()) {
        frame->m_bClosing = false;
        frame->m_bCloseSiteManagerAfterAll = false;
        frame->m_bClosingWeb = false;
    }
    if (CChildFrame* child = ChildFrame())
        child->m_bClosing = false;
}

bool CZQDoc::saveModified()
{
    m_bPageChanged = isModified();
    CZQView* view = GetView();
    CChildFrame* child = ChildFrame();
    // An unsaved frameset page counts as changed while some of its frame pages
    // have files and some not, or one of them is changed.
    if (!m_bPageChanged && view && child && child->HasFrameset() && child->GetFramesetView() && pathName().isEmpty()) {
        VornaFrameSet* root = child->frameTree().root.get();
        int panes = 0;
        int saved = 0;
        root->CountFrameDocuments(&panes, &saved, child);
        if (panes != saved && saved > 0) {
            m_bPageChanged = true;
            if (CZQDoc* frameset = child->GetFramesetView()->GetDocument())
                frameset->m_bPageChanged = true;
        }
        if (!m_bPageChanged) {
            bool modified = false;
            root->IsAnyFrameModified(&modified, root);
            m_bPageChanged = modified;
        }
    }
    if (!m_bPageChanged)
        return true;

    switch (askSaveModified()) {
    case platform::IDCANCEL:
        ClearClosingFlags();
        return false;
    case platform::IDYES: {
        const QFileInfo file(pathName());
        const bool usePath = !pathName().isEmpty() && file.exists() && file.isWritable();
        if (!doSave(usePath ? pathName() : QString(), true)) {
            ClearClosingFlags();
            return false;
        }
        return true;
    }
    case platform::IDNO: {
        CMainFrame* frame = CMainFrame::instance();
        const QString shown = pathName().isEmpty() ? GetDisplayName() : pathName();
        const QString name = GetDisplayName();
        const bool inWeb = frame && frame->IsPageInWeb(name);
        if (inWeb && frame->m_bWebOpen && !shown.endsWith(QLatin1String("HTML"), Qt::CaseInsensitive) &&
            !shown.endsWith(QLatin1String("HTM"), Qt::CaseInsensitive)) {
            frame->RemovePageFromWebList(name);
        }
        if (inWeb && IsFramesetPage())
            CollectFrameSources(child->frameTree().root.get(), false);
        return true;
    }
    default:
        return true;
    }
}

int CZQDoc::askSaveModified()
{
    CMainFrame* frame = CMainFrame::instance();
    const QString name = pathName().isEmpty() ? GetDisplayName() : pathName();
    const bool closingMany = frame &&
                             (frame->m_bClosing || frame->m_bCloseSiteManagerAfterAll || frame->m_bClosingWeb) &&
                             docTemplate() && docTemplate()->documentCount() > 1;
    return ShowMessageBox(name + LoadResString(IDS_SAVE_CHANGED_PAGE), 0, 0x40, 3, 12, closingMany);
}

// ---- choosing the file and saving --------------------------------------------

bool CZQDoc::doSave(const QString& path, bool replace)
{
    const bool changedBefore = m_bPageChanged;
    // File > Save writes also a page that is not modified.
    if (replace)
        m_bPageChanged = true;
    const QString oldName = GetDisplayName();
    CZQView* view = GetView();
    if (!view)
        return false;
    QString target = path;
    if (target.isEmpty()) {
        if (replace && HasBadFileNameChar(oldName) >= 0)
            MessageBoxById(IDS_BAD_FILE_NAME);
        target = askSaveFileName(oldName);
        if (target.isEmpty()) {
            // Nothing was saved and nothing changed.
            m_bPageChanged = changedBefore;
            return false;
        }
        if (!IsHtmlFileName(target))
            target += QStringLiteral(".html");
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restoreCursor = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });

    view->EnsureEngine();
    const QString title = view->GetDocumentTitle();
    const bool hadPath = !pathName().isEmpty();
    // A failed write leaves the old file whole (the engine writes atomically):
    // there is nothing to delete afterwards, and the page is as modified as it was.
    if (!onSaveDocument(target)) {
        m_bPageChanged = m_bPageChanged && changedBefore;
        return false;
    }
    m_bPageChanged = false;
    m_bFromTemplate = false;
    if (!hadPath || pathName() != target) {
        SetPageTitle(title);
        if (replace)
            setPathName(target);
    }
    CMainFrame* frame = CMainFrame::instance();
    if (frame && frame->IsPageInWeb(oldName)) {
        const QString newName = GetDisplayName();
        if (!newName.isEmpty() && newName != oldName && !hadPath && frame->siteManagerSheet())
            frame->siteManagerSheet()->RenameFileRow(oldName, newName);
    }
    return true;
}

QString CZQDoc::askSaveFileName(const QString& proposed)
{
    QWidget* parent = views().isEmpty() ? nullptr : views().first()->window();
    ULOFileDialog dlg(false, pathName().isEmpty() ? 1 : 2, QString(), GetFileNamePart(proposed),
                      OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LoadResString(IDS_HTML_FILE_FILTER), parent);
    if (dlg.DoModal() != platform::IDOK)
        return QString();
    return dlg.GetPathName();
}

bool CZQDoc::onOpenDocument(const QString& path)
{
    if (!Document::onOpenDocument(path))
        return false;
    RememberFileTime(path);
    return true;
}

bool CZQDoc::serialize(QIODevice& device, bool storing)
{
    // Opening checks that the file can be read (its start: the view reads
    // the page in the background, and a page may be many megabytes long);
    // the view loads the page. Storing goes through the engine
    // (onSaveDocument), never through here.
    if (storing)
        return false;
    device.read(4096);
    return true;
}

void CZQDoc::RememberFileTime(const QString& path)
{
    m_timeFile = QFileInfo(path).lastModified();
}

bool CZQDoc::onSaveDocument(const QString& path)
{
    CZQView* view = GetView();
    if (!view)
        return false;
    CChildFrame* child = view->GetParentFrame();
    if (IsFramesetPage())
        return SaveFrameset(path);
    view->EnsureEngine();
    CHtmlEditCntrItem* item = view->GetItem();
    if (!item)
        return false;
    if (!isModified())
        return true;
    view->StripImportedLinks();
    PrepareLinksForSave(path);
    UpdateGeneratorMeta();
    view->m_bImportedPage = false;
    m_strSourcePath.clear();
    m_strWebTargetPath.clear();
    m_bFromTemplate = false;

    if (child && child->m_bClosing) {
        // The page closes after this: no switch back into editing. A failed
        // write keeps the page open (the caller stops the close).
        const bool written = WritePage(path);
        ReportFailedCopies();
        if (!written)
            return false;
        CZQView* frameset = child->GetFramesetView();
        if (frameset && frameset != view) {
            if (!pathName().isEmpty())
                view->ExecCommand(engine::CommandGroup::Refresh);
            else
                item->LoadDocument(path, nullptr, engine::Reading::AtOnce);
        }
        return true;
    }

    if (CImpIDispatch* sink = view->GetSink()) {
        if (sink->m_pMapImage && sink->m_pMapImage->tagName().compare(QLatin1String("IMG"), Qt::CaseInsensitive) == 0)
            sink->RemoveImageMapPainter(sink->m_pMapImage.get());
    }
    if (!WritePage(path)) {
        ReportFailedCopies();
        return false;
    }
    RememberFileTime(path);
    CMainFrame* frame = CMainFrame::instance();
    // Listed by its path in the web, so that pages of sub-folders are published too.
    if (frame && frame->siteManagerSheet() && frame->m_bWebOpen &&
        path.startsWith(frame->m_strWebFolder + QLatin1Char('/'))) {
        const QString inWeb = path.mid(frame->m_strWebFolder.size() + 1);
        if (frame->IsPageInWeb(inWeb))
            frame->siteManagerSheet()->AddModifiedFile(inWeb);
    }
    m_bFromTemplate = false;
    m_bPageChanged = false;
    view->ExecCommand(engine::CommandGroup::BrowseMode);
    view->SetEditMode();
    // Told once the file and its time are known: the message lets the user
    // leave the program and come back, which compares the file's time.
    ReportFailedCopies();
    return true;
}

bool CZQDoc::WritePage(const QString& path)
{
    CZQView* view = GetView();
    CHtmlEditCntrItem* item = view ? view->GetItem() : nullptr;
    if (!item)
        return false;
    QString cause;
    if (SUCCEEDED(item->SaveDocument(path, &cause)))
        return true;
    ReportSaveFailure(path, cause);
    return false;
}

void CZQDoc::ReportSaveFailure(const QString& path, const QString& cause)
{
    ShowMessageBox(LoadResString(IDS_PAGE_NOT_SAVED).arg(QDir::toNativeSeparators(path), cause));
}

bool CZQDoc::SaveFrameset(const QString& path)
{
    CChildFrame* child = ChildFrame();
    CZQView* view = GetView();
    if (!child || !view)
        return false;
    // The path must name a file: its name part is what the file is opened as.
    const QString name = GetFileNamePart(path);
    if (name.isEmpty() || QFileInfo(path).fileName().compare(name, Qt::CaseInsensitive) != 0 || QFileInfo(path).isDir())
        return false;
    if (m_bPageChanged && !m_strFramesetHtml.isEmpty()) {
        QString text = m_strFramesetHtml;
        if (VornaFrameSet* root = child->frameTree().root.get())
            root->FixFrameSrcPaths(text, path, view);
        const QString charset = m_strFramesetCharset.isEmpty() ? QStringLiteral("shift_jis") : m_strFramesetCharset;
        const QByteArray bytes = platform::encodeText(text, charset);
        // Written whole or not at all: the old file stays until the new one is complete.
        if (const platform::FileFault fault = platform::writeFileWhole(path, bytes);
            fault != platform::FileFault::None) {
            ReportSaveFailure(path, FileFaultText(fault));
            return false;
        }
        m_strFramesetHtml.clear();
        RememberFileTime(path);
        m_bPageChanged = false;
        m_bFromTemplate = false;
        QList<FramePane*> panes;
        if (VornaFrameSet* root = child->frameTree().root.get())
            root->CollectFrameViews(panes);
        child->m_frameNames.clear();
        for (FramePane* pane : panes)
            child->m_frameNames.append(pane->displayName());
    }
    const QFileInfo written(path);
    if (!written.isFile())
        return false;
    RememberFileTime(path);
    return true;
}

// ---- the page's generator META ------------------------------------------------

void CZQDoc::UpdateGeneratorMeta()
{
    CZQView* view = GetView();
    engine::Document* doc = view ? view->GetHtmlDocument() : nullptr;
    if (!doc)
        return;
    const auto unquoted = [](QString text) { return text.remove(QLatin1Char('\'')).remove(QLatin1Char('"')); };
    // The METAs as they are now: removing one must not skip the next.
    std::vector<engine::Ref<engine::Element>> metas;
    engine::ElementCollection found = doc->getElementsByTagName(QStringLiteral("META"));
    for (int i = 0; i < found.length(); ++i)
        metas.emplace_back(found.item(i));
    bool hasGenerator = false;
    for (const engine::Ref<engine::Element>& meta : metas) {
        const engine::Variant content = meta->getAttribute(QStringLiteral("content"));
        if (!content.isString())
            continue;
        const QString mark = unquoted(content.toString()).toUpper();
        if (mark.contains(QLatin1String("VORNA-PAGINOR"))) {
            const engine::Variant name = meta->getAttribute(QStringLiteral("name"));
            if (name.isString() &&
                unquoted(name.toString()).compare(QLatin1String("generator"), Qt::CaseInsensitive) == 0)
                hasGenerator = true;
        } else if (mark.contains(QLatin1String("MSHTML"))) {
            RemoveElementTag(meta.get(), view);
        }
    }
    if (!hasGenerator) {
        engine::Ref<engine::Element> made;
        InsertElementAtFirstTag(&made, TAGID_META, QStringLiteral("TITLE"), view,
                                QStringLiteral("name=\"generator\" content=\"Vorna-Paginor 2002\""), 3);
    }
}
