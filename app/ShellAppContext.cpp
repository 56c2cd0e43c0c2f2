#include "app/ShellAppContext.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "commands/HyperlinkSelection.h"
#include "effects/CScriptUtility.h"
#include "images/VornaDialogOpenImage.h"
#include "web/VornaDialogSiteManagerPage1.h"
#include "web/VornaDialogSiteManagerSheet.h"

#include "platform/DataRoot.h"
#include "platform/DocTemplate.h"

ShellAppContext::ShellAppContext(CZQApp& app) : m_app(app)
{
    AppContext::install(this);
    setFrameEnvironment(this);
}

ShellAppContext::~ShellAppContext()
{
    if (frameEnvironment() == this)
        setFrameEnvironment(nullptr);
    AppContext::install(nullptr);
}

QWidget* ShellAppContext::mainWindow() const
{
    return m_app.mainFrame();
}

int ShellAppContext::rememberedAnswer() const
{
    const CMainFrame* frame = m_app.mainFrame();
    return frame ? frame->m_nRememberedAnswer : 0;
}

void ShellAppContext::setRememberedAnswer(int answer)
{
    if (CMainFrame* frame = m_app.mainFrame())
        frame->m_nRememberedAnswer = answer;
}

bool ShellAppContext::takeWebQuestionFlag()
{
    CMainFrame* frame = m_app.mainFrame();
    VornaDialogSiteManagerSheet* sheet = frame ? frame->siteManagerSheet() : nullptr;
    if (!sheet)
        return false;
    const bool asked = sheet->m_bWebQuestion != 0;
    sheet->m_bWebQuestion = 0;
    return asked;
}

QWidget* ShellAppContext::imageDialogWindow() const
{
    const CMainFrame* frame = m_app.mainFrame();
    return frame ? frame->m_pDlgOpenImage.data() : nullptr;
}

QString ShellAppContext::installFolder() const
{
    const CMainFrame* frame = m_app.mainFrame();
    return frame ? frame->m_strInstallFolder : platform::installPath();
}

QList<AppContext::OpenDocument> ShellAppContext::openDocuments() const
{
    QList<OpenDocument> list;
    if (const platform::DocTemplate* docs = m_app.docTemplate()) {
        for (platform::Document* base : docs->documents()) {
            if (auto* doc = qobject_cast<CZQDoc*>(base))
                list.append({doc, doc->GetDisplayName(), doc->pathName()});
        }
    }
    return list;
}

QString ShellAppContext::webFolder() const
{
    const CMainFrame* frame = m_app.mainFrame();
    return frame && frame->m_bWebOpen ? frame->m_strWebFolder : QString();
}

CZQView* ShellAppContext::activeView() const
{
    return m_app.GetActiveView();
}

engine::Document* ShellAppContext::viewDocument(CZQView* view) const
{
    return view ? view->GetHtmlDocument() : nullptr;
}

bool ShellAppContext::isImportedPage(CZQView* view) const
{
    return view && view->m_bImportedPage;
}

void ShellAppContext::setPageChanged(CZQView* view)
{
    if (CZQDoc* document = view ? view->GetDocument() : nullptr)
        document->m_bPageChanged = true;
}

QString ShellAppContext::saveDocument(CZQDoc* document)
{
    if (!document)
        return QString();
    document->OnFileSave();
    return document->pathName();
}

bool ShellAppContext::applyLinkToSelection(CZQView* view, engine::Element* element, engine::TextRange* range,
                                           const QString& address)
{
    // Written as the hyperlink command writes it, over a plain link already there.
    SelectionLink link;
    link.element = element;
    if (range)
        link.range = *range;
    GetSelectionLink(link, kPlainLink, view);
    if (!link.element && !link.range)
        return false;
    ApplyLinkToSelection(link, address, QString(), false, view);
    return true;
}

AppContext::OpenDocument ShellAppContext::viewPage(CZQView* view) const
{
    CZQDoc* document = view ? view->GetDocument() : nullptr;
    if (!document)
        return {};
    return OpenDocument(document, document->GetDisplayName(), document->pathName());
}

void ShellAppContext::copyLinkedImages(CZQView* view, engine::Element* element, const QString& link,
                                       const QString& folderUrl, bool inWebSave, bool movingSave)
{
    if (CZQDoc* document = view ? view->GetDocument() : nullptr)
        document->CopyLinkedImages(element, link, folderUrl, inWebSave, movingSave);
}

QString ShellAppContext::collectLinkedFiles(CZQView* view, const QString& link, bool inWebSave, bool movingSave,
                                            const QString& folderUrl, const QString& kind)
{
    CZQDoc* document = view ? view->GetDocument() : nullptr;
    return document ? document->CollectLinkedFiles(link, inWebSave, movingSave, folderUrl, kind) : link;
}

QStringList ShellAppContext::scriptImageFiles(const QString& html) const
{
    QStringList files;
    CScriptUtility::GetScriptImageFiles(files, html, false);
    return files;
}

void ShellAppContext::replaceElementHtml(CZQView* view, engine::Element* element, const QString& html)
{
    CScriptUtility::ReplaceElementHtml(view ? view->GetHtmlDocument() : nullptr, element, html);
}

void ShellAppContext::reportFailedCopies(CZQView* view)
{
    if (CZQDoc* document = view ? view->GetDocument() : nullptr)
        document->ReportFailedCopies();
}

bool ShellAppContext::isActivePageInWeb() const
{
    const CMainFrame* frame = m_app.mainFrame();
    return frame && frame->IsActivePageInWeb();
}

FrameSetHost* ShellAppContext::activeFrameSetHost()
{
    const CMainFrame* frame = m_app.mainFrame();
    return frame ? frame->GetActiveChild() : nullptr;
}

bool ShellAppContext::isPageInWeb(const QString& displayName) const
{
    const CMainFrame* frame = m_app.mainFrame();
    return frame && frame->IsPageInWeb(displayName);
}

FrameSiteRows* ShellAppContext::siteManager()
{
    CMainFrame* frame = m_app.mainFrame();
    VornaDialogSiteManagerSheet* sheet = frame && frame->m_bWebOpen ? frame->siteManagerSheet() : nullptr;
    return sheet ? sheet->sitePage() : nullptr;
}
