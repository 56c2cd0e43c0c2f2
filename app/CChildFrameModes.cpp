// The six switches of a page between editing, source and preview, and the
// temporary files through which the page's text travels between them.
#include "app/CChildFrame.h"

#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "app/PageContent.h"
#include "app/PageTextFiles.h"
#include "app/Vorna_Preview.h"
#include "chrome/ULOToolBar.h"
#include "chrome/VornaChildFrmTabCtrl.h"
#include "editor/CImpIDispatch.h"
#include "effects/CScriptUtility.h"
#include "frames/FramesetWriter.h"
#include "frames/VornaFrameSet.h"
#include "source/VornaSourceDoc.h"
#include "source/VornaSourceEditView.h"
#include "util/FileFaultText.h"
#include "util/MessageBox.h"
#include "util/PageLinks.h"
#include "util/StringResources.h"
#include "res/resource.h"

#include "engine/dom/Document.h"

#include "platform/DataRoot.h"

#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QStackedWidget>

namespace childframemodes_detail {

enum class ViewKind { None, Editing, Preview, Source };

ViewKind kindOf(const QWidget* view)
{
    if (!view)
        return ViewKind::None;
    if (qobject_cast<const CZQView*>(view))
        return ViewKind::Editing;
    if (qobject_cast<const Vorna_Preview*>(view))
        return ViewKind::Preview;
    if (qobject_cast<const VornaSourceEditView*>(view))
        return ViewKind::Source;
    return ViewKind::None;
}

// The "browser" effect calls inside the script-call function get "//" in
// front, so that the preview does not run them (the page keeps them).
void commentOutBrowserCalls(QString& text)
{
    const QLatin1String function("VornaScriptCall()");
    qsizetype start = text.indexOf(function);
    if (start < 0)
        return;
    if (const qsizetype second = text.indexOf(function, start + 2); second >= 0)
        start = second;
    qsizetype end = text.indexOf(QLatin1Char('}'), start);
    if (end < 0)
        return;
    const QLatin1String call("browser_");
    for (qsizetype at = text.indexOf(call, start); at >= 0 && at < end; at = text.indexOf(call, at + 3)) {
        text.insert(at, QLatin1String("//"));
        end += 2;
    }
}

} // namespace childframemodes_detail

QString CChildFrame::TempPagePath(const QString& folder, int frame)
{
    return folder + QStringLiteral("/VornaPreview~") + (frame > 0 ? QString::number(frame) : QString()) +
           QStringLiteral(".html");
}

QString CChildFrame::DefaultPageText()
{
    const QString gap = QStringLiteral(" \t\t");
    return QStringLiteral("<HTML><HEAD><TITLE></TITLE>") + gap +
           QStringLiteral("<META content=\"Vorna-Paginor 2002\" name=generator><BGSOUND src=\"\">") + gap +
           QStringLiteral("<META http-equiv=Content-Type") + gap +
           QStringLiteral("content=\"text/html; charset=Shift_jis\"></HEAD>") + gap +
           QStringLiteral("<BODY vLink=purple aLink=red link=blue></BODY></HTML>");
}

QString CChildFrame::SourceTextForPage() const
{
    // 3. The whole buffer, lines joined by CR LF; the default page for an empty one.
    VornaSourceTextBuffer& buffer = m_pSourceView->GetSourceDoc()->m_xTextBuffer;
    const int last = buffer.GetLineCount() - 1;
    if (last <= 0 && buffer.GetLineLength(0) == 0)
        return DefaultPageText();
    const QString text = QString::fromStdString(buffer.GetAllText());
    // 4. A text without HTML or BODY.
    // Differs from the switch it stands for, which drops such a text for the
    // default page: what the user typed goes into the default page's BODY.
    const QString upper = text.toUpper();
    if (upper.contains(QLatin1String("<BODY")) && upper.contains(QLatin1String("<HTML")))
        return text;
    QString page = DefaultPageText();
    page.insert(page.indexOf(QLatin1String("</BODY>")), text);
    return page;
}

// ---- writing the temporary pages ------------------------------------------------

bool CChildFrame::WriteHiddenTextFile(const QString& path, QString& text, const QString& charset)
{
    // Files carry no hidden mark here: the site list and publishing leave the
    // temporary pages out by their names.
    return WritePageText(path, text, charset, &m_tempFault);
}

bool CChildFrame::WritePageToTempFile(const QString& path, CZQView* view)
{
    // 1. The preview's page takes the web's script files first.
    if (!view)
        view = GetActiveView();
    if (!view)
        return false;
    if (m_bPreviewShown)
        CollectScriptFiles(false, view);
    // 2. The page as the engine writes it.
    QString text = SavePageToFile(path, view, &m_tempFault);
    const engine::Document* page = view->GetHtmlDocument();
    if (text.isEmpty() || !page)
        return false;
    // 3. The preview runs no "browser" effect.
    if (m_bPreviewShown) {
        QString scripts;
        CScriptUtility::GetScriptSourceList(scripts);
        if (scripts.contains(QLatin1String("browser")))
            childframemodes_detail::commentOutBrowserCalls(text);
    }
    // 4. The file.
    return WriteHiddenTextFile(path, text, page->charset());
}

bool CChildFrame::WriteFramePagesToTemp(VornaFrameSet* node, const QString& folder, int& counter)
{
    bool written = true;
    VornaFrameSet::Walk(node, [&](VornaFrameSet* frame) {
        if (frame->GetKind().compare(QLatin1String("FRAME"), Qt::CaseInsensitive) != 0)
            return false;
        ++counter;
        auto* view = dynamic_cast<CZQView*>(frame->m_pView);
        written = WritePageToTempFile(TempPagePath(folder, counter), view) && written;
        return false;
    });
    return written;
}

void CChildFrame::ShowFrameViews(VornaFrameSet* node, bool show)
{
    VornaFrameSet::Walk(node, [show](VornaFrameSet* frame) {
        if (auto* view = dynamic_cast<QWidget*>(frame->m_pView);
            view && frame->GetKind().compare(QLatin1String("FRAME"), Qt::CaseInsensitive) == 0)
            view->setVisible(show);
        return false;
    });
}

void CChildFrame::RemoveFramePages()
{
    for (int n = 1; n <= m_nTempFramePages; ++n)
        QFile::remove(TempPagePath(m_strTempFolder, n));
}

void CChildFrame::ReportTempFileFailure(const QString& path)
{
    const QString cause = m_tempFault == platform::FileFault::None ? FileFaultText(platform::FileFault::Failed)
                                                                   : FileFaultText(m_tempFault);
    ShowMessageBox(LoadResString(IDS_TEMP_PAGE_NOT_WRITTEN).arg(QDir::toNativeSeparators(path), cause));
}

// ---- the common steps ---------------------------------------------------------------

void CChildFrame::ResetPreview()
{
    m_pPreviewView->Stop();
    if (m_pPreviewView->browser()) {
        const CMainFrame* frame = CMainFrame::instance();
        m_pPreviewView->Navigate(platform::resolveCaseBlind(frame ? frame->m_strInstallFolder : platform::installPath(),
                                                            QStringLiteral("Bin/ULO.html")));
    }
    m_pPreviewView->m_nHistoryEnd = 0;
    m_pPreviewView->m_nHistoryPos = 0;
}

void CChildFrame::SetActiveView(QWidget* view, bool)
{
    if (view)
        view->setFocus(Qt::OtherFocusReason);
}

void CChildFrame::RestoreEditingPainters()
{
    CMainFrame* frame = CMainFrame::instance();
    if (!frame || !m_pEditView)
        return;
    if (frame->m_settings.gridVisible || frame->m_settings.pageSizeVisible)
        frame->SetGridBehavior(m_pEditView);
    frame->SetElementBordersBehavior(m_pEditView);
}

void CChildFrame::SwapActiveViews(QWidget* newView, QWidget* oldView)
{
    using childframemodes_detail::ViewKind;
    // 1.-2. A page view shows in the editing area (with the panes of a
    // frameset page); the new view is the one shown.
    const auto shownWidget = [this](QWidget* view) -> QWidget* {
        return childframemodes_detail::kindOf(view) == ViewKind::Editing ? m_editArea : view;
    };
    if (QWidget* shown = shownWidget(newView))
        m_stack->setCurrentWidget(shown);
    // 3. The bars of its kind.
    ShowBarsForView(newView, oldView);
    // 4. The layout, the command states and the tabs.
    UpdateTabStrip();
    if (CZQApp* app = CZQApp::instance())
        app->m_bCommandRan = true;
}

void CChildFrame::ShowBarsForView(QWidget* newView, QWidget* oldView)
{
    using childframemodes_detail::ViewKind;
    CMainFrame* frame = CMainFrame::instance();
    if (!frame)
        return;
    const int editingBars[] = {603, 604, 605, 606, 607};
    // 1. The old view's bars go, remembered when shown.
    const auto hideRemembering = [frame](int id) {
        if (ULOToolBar* bar = frame->toolBar(id)) {
            bar->m_dwSavedFlag = bar->isVisibleTo(frame) ? 1 : 0;
            if (bar->m_dwSavedFlag)
                bar->hide();
        }
    };
    switch (childframemodes_detail::kindOf(oldView)) {
    case ViewKind::Editing:
        for (int id : editingBars)
            hideRemembering(id);
        break;
    case ViewKind::Preview:
        hideRemembering(610);
        break;
    default:
        break;
    }
    // 2. The new view's bars come.
    switch (childframemodes_detail::kindOf(newView)) {
    case ViewKind::Editing:
        for (int id : editingBars) {
            if (ULOToolBar* bar = frame->toolBar(id); bar && bar->m_dwSavedFlag)
                bar->show();
        }
        break;
    case ViewKind::Preview:
        if (ULOToolBar* bar = frame->toolBar(610))
            bar->show();
        break;
    default:
        break;
    }
}

// ---- the switches -------------------------------------------------------------------

bool CChildFrame::ShowPreviewFromEdit(const QString& folder)
{
    // 1.-2.
    m_bEditShown = false;
    m_bPreviewShown = true;
    HideEditingOnlyWindows();
    // 3.
    m_strTempFolder = folder;
    const QString path = TempPagePath(folder);
    bool written = false;
    if (VornaFrameSet* root = m_frameTree.root.get()) {
        // 4. A frameset page: a page per frame, then the frameset page naming them.
        m_nTempFramePages = 0;
        written = WriteFramePagesToTemp(root, folder, m_nTempFramePages);
        m_nTempFramePages = 0;
        QString text;
        BuildFramesetPageHtml(text, FramesetPreview, this);
        written = written && !text.isEmpty() && WriteHiddenTextFile(path, text);
    } else if (CZQView* view = GetActiveView()) {
        // 5. An ordinary page; a page from elsewhere loses its links first.
        view->StripImportedLinks();
        written = WritePageToTempFile(path, nullptr);
    }
    if (!written) {
        // Differs from the switch it stands for, which goes on without its
        // file: the user is told and the page stays in the editing view.
        RemoveFramePages();
        QFile::remove(path);
        m_nTempFramePages = 0;
        m_bPreviewShown = false;
        m_bEditShown = true;
        RestoreEditingOnlyWindows();
        ReportTempFileFailure(path);
        return false;
    }
    m_pEditView = GetActiveView();
    if (HasFrameset())
        ShowFrameViews(m_frameTree.root.get(), false);
    // 6. The current folder stays: the preview reads the page's relative
    // addresses against the page's own folder, as a browser does.
    // 7. The preview shows the page.
    SetActiveView(m_pPreviewView, true);
    m_pPreviewView->Navigate(path);
    m_pPreviewView->m_nHistoryEnd = 0;
    m_pPreviewView->m_nHistoryPos = 0;
    // 8.
    SwapActiveViews(m_pPreviewView, m_pEditView);
    m_pPreviewView->setFocus(Qt::OtherFocusReason);
    return true;
}

bool CChildFrame::ShowSourceFromEdit(const QString& folder)
{
    // 1.-2.
    HideEditingOnlyWindows();
    m_strTempFolder = folder;
    m_bEditShown = false;
    m_bSourceShown = true;
    const QString path = TempPagePath(folder);
    // 3.-4. The page as the engine writes it (its cells as they are).
    if (HasFrameset())
        ShowFrameViews(m_frameTree.root.get(), false);
    if (!WritePageToTempFile(path, nullptr)) {
        // Differs from the switch it stands for: the source of a page that
        // could not be written would be empty; the page stays in editing.
        QFile::remove(path);
        m_bSourceShown = false;
        m_bEditShown = true;
        if (HasFrameset())
            ShowFrameViews(m_frameTree.root.get(), true);
        RestoreEditingOnlyWindows();
        ReportTempFileFailure(path);
        return false;
    }
    // 5. The page's charset.
    m_pEditView = GetActiveView();
    const engine::Document* page = m_pEditView ? m_pEditView->GetHtmlDocument() : nullptr;
    const QString charset = page ? page->charset() : QString();
    // 6.-7. The source view with the file's text.
    SetActiveView(m_pSourceView, true);
    VornaSourceDoc* source = m_pSourceView->GetSourceDoc();
    source->m_xTextBuffer.FreeAll();
    source->m_xTextBuffer.LoadFromFile(path, charset, -1);
    source->SetModifiedFlag(false);
    // 8. Overwriting as the main frame types.
    if (const CMainFrame* frame = CMainFrame::instance())
        m_pSourceView->SetOverwriteMode(frame->m_bOverwrite);
    // 9.
    SwapActiveViews(m_pSourceView, m_pEditView);
    m_pSourceView->setFocus(Qt::OtherFocusReason);
    return true;
}

bool CChildFrame::ShowEditViewFromPreview()
{
    // 1.-2.
    m_bEditShown = true;
    m_bPreviewShown = false;
    ResetPreview();
    // 3.-4. The temporary pages go.
    RemoveFramePages();
    if (HasFrameset())
        ShowFrameViews(m_frameTree.root.get(), true);
    QFile::remove(TempPagePath(m_strTempFolder));
    // 5. Image maps as the editor keeps them.
    engine::Document* page = m_pEditView ? m_pEditView->GetHtmlDocument() : nullptr;
    if (page && m_pEditView->GetSink()) {
        for (const engine::Ref<engine::Element>& image : page->images().toVector())
            m_pEditView->GetSink()->RemoveUsemapHash(image.get());
    }
    // 6. The script files back as the page names them.
    if (VornaFrameSet* root = m_frameTree.root.get())
        root->FixScriptSourcesOfFrames(true);
    else if (m_pEditView)
        CollectScriptFiles(true, m_pEditView);
    // 7.
    SetActiveView(m_pEditView, true);
    SwapActiveViews(m_pEditView, m_pPreviewView);
    // 8.-9.
    RestoreEditingPainters();
    RestoreEditingOnlyWindows();
    return true;
}

bool CChildFrame::ShowEditViewFromSource()
{
    // 1.-2.
    m_bSourceShown = false;
    m_bEditShown = true;
    RemoveFramePages();
    if (HasFrameset())
        ShowFrameViews(m_frameTree.root.get(), true);
    SetActiveView(m_pEditView, true);
    // 3.-5. A changed text goes into the page.
    if (m_pSourceView->GetSourceDoc()->m_xTextBuffer.IsModified() && m_pEditView)
        ReplacePageTitle(SourceTextForPage(), m_pEditView);
    // 6.
    QFile::remove(TempPagePath(m_strTempFolder));
    // 7.-9.
    SwapActiveViews(m_pEditView, m_pSourceView);
    RestoreEditingPainters();
    RestoreEditingOnlyWindows();
    UpdateCaption();
    return true;
}

bool CChildFrame::ShowPreviewFromSource()
{
    // 1.
    RemoveFramePages();
    // 2. The text goes into the page, changed or not.
    if (m_pEditView)
        ReplacePageTitle(SourceTextForPage(), m_pEditView);
    // 3.
    QFile::remove(TempPagePath(m_strTempFolder));
    // 4. Through the editing view...
    m_bSourceShown = false;
    m_bEditShown = true;
    if (HasFrameset())
        ShowFrameViews(m_frameTree.root.get(), true);
    SetActiveView(m_pEditView, true);
    SwapActiveViews(m_pEditView, m_pSourceView);
    UpdateCaption();
    // 5. ...to the preview, in the folder the preview command chooses.
    m_bSourceToPreview = true;
    if (CMainFrame* frame = CMainFrame::instance())
        frame->OnShowPreview();
    // 6.-7.
    m_bSourceToPreview = false;
    UpdateTabStrip();
    return m_bPreviewShown;
}

bool CChildFrame::ShowSourceFromPreview(const QString& folder)
{
    // 1. The page's charset.
    const engine::Document* page = m_pEditView ? m_pEditView->GetHtmlDocument() : nullptr;
    const QString charset = page ? page->charset() : QString();
    // 2.
    m_bPreviewShown = false;
    m_bSourceShown = true;
    const QString path = TempPagePath(folder);
    // 3. The script files back as the page names them.
    if (VornaFrameSet* root = m_frameTree.root.get())
        root->FixScriptSourcesOfFrames(true);
    else if (m_pEditView)
        CollectScriptFiles(true, m_pEditView);
    // 4.
    if (!WritePageToTempFile(path, m_pEditView)) {
        m_bSourceShown = false;
        m_bPreviewShown = true;
        ReportTempFileFailure(path);
        return false;
    }
    m_strTempFolder = folder;
    // 5.-7.
    ResetPreview();
    SetActiveView(m_pSourceView, true);
    VornaSourceDoc* source = m_pSourceView->GetSourceDoc();
    source->m_xTextBuffer.FreeAll();
    source->m_xTextBuffer.LoadFromFile(path, charset, -1);
    source->SetModifiedFlag(false);
    // 8.
    SwapActiveViews(m_pSourceView, m_pPreviewView);
    m_pSourceView->setFocus(Qt::OtherFocusReason);
    return true;
}

void CChildFrame::LeaveToEditMode()
{
    if (m_bSourceShown)
        ShowEditViewFromSource();
    else if (m_bPreviewShown)
        ShowEditViewFromPreview();
}
