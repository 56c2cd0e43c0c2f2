#include "app/ShellAppContext.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
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
    return nullptr;
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
    // Links are written by the hyperlink command's code; until it is in place
    // nothing is linked, and the caller is told so.
    Q_UNUSED(view);
    Q_UNUSED(element);
    Q_UNUSED(range);
    Q_UNUSED(address);
    return false;
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
    // The site manager's page list comes with the site manager.
    return nullptr;
}
