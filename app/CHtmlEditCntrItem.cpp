#include "app/CHtmlEditCntrItem.h"

#include "app/CZQApp.h"
#include "app/CZQView.h"
#include "editor/CHTMLEditHost.h"
#include "editor/CImpIDispatch.h"
#include "util/FileFaultText.h"
#include "util/StringResources.h"
#include "res/resource.h"

#include "engine/dom/Document.h"
#include "engine/editing/CommandGroup.h"
#include "engine/view/PagePrinter.h"
#include "engine/view/PageView.h"

#include <QFileInfo>
#include <QPrinter>
#include <QUrl>

namespace cntritem_detail {

// The printing commands the engine's command group leaves to the program.
bool isPrintCommand(int id)
{
    return id == engine::PagePrinter::kPrintDialogId || id == engine::PagePrinter::kPreviewDialogId ||
           id == engine::PagePrinter::kPageSetupDialogId;
}

} // namespace cntritem_detail

CHtmlEditCntrItem::CHtmlEditCntrItem(CZQDoc* document, CZQView* view)
    : m_document(document), m_view(view), m_doc(engine::Document::create()),
      m_pEditHost(std::make_unique<CHTMLEditHost>(this))
{
    m_pageView = new engine::PageView(m_doc.get(), view);
    m_pageView->setObjectName(QStringLiteral("pageEngineView"));
    m_pageView->setEditHost(m_pEditHost.get());
    m_pageView->setViewHost(this);
}

CHtmlEditCntrItem::~CHtmlEditCntrItem()
{
    // The widget goes first: it holds the edit host and this item as its host.
    delete m_pageView.data();
}

HRESULT CHtmlEditCntrItem::LoadDocument(const QString& path, QString* cause, engine::Reading reading)
{
    if (path.isEmpty())
        return LoadNewDocument(QString(), cause);
    // file:, http: and https: addresses and plain paths: the engine tells
    // them apart. A page file longer than a short one is read, decoded and
    // parsed on a worker thread, so the window stays responsive; it shows
    // when it is in (the page-loaded event).
    const QString local = QUrl(path).isLocalFile() ? QUrl(path).toLocalFile() : path;
    const QFileInfo file(local);
    if (!file.isFile() || file.size() < kBackgroundReadBytes)
        reading = engine::Reading::AtOnce;
    platform::FileFault fault = platform::FileFault::None;
    if (m_doc->load(path, &fault, reading))
        return S_OK;
    if (cause)
        *cause = FileFaultText(fault, FileAccess::Read);
    return HRESULT(-1);
}

HRESULT CHtmlEditCntrItem::LoadNewDocument(const QString& templatePath, QString* cause)
{
    platform::FileFault fault = platform::FileFault::None;
    if (m_doc->loadNew(templatePath, &fault))
        return S_OK;
    if (cause)
        *cause = FileFaultText(fault, FileAccess::Read);
    return HRESULT(-1);
}

HRESULT CHtmlEditCntrItem::SaveDocument(const QString& path, QString* cause)
{
    // A page still being read is not all there: writing it would lose the rest.
    if (m_doc->isLoading()) {
        if (cause)
            *cause = LoadResString(IDS_PAGE_STILL_LOADING);
        return HRESULT(-1);
    }
    // The press the sink keeps belongs to the page as it was shown.
    if (CZQView* active = CZQApp::instance() ? CZQApp::instance()->GetActiveView() : nullptr) {
        if (CImpIDispatch* sink = active->GetSink())
            sink->m_ptDown = QPoint(-1, -1);
    }
    platform::FileFault fault = platform::FileFault::None;
    if (m_doc->save(path, &fault))
        return S_OK;
    if (cause)
        *cause = FileFaultText(fault);
    return HRESULT(-1);
}

quint32 CHtmlEditCntrItem::QueryCommandStatus(int id) const
{
    if (cntritem_detail::isPrintCommand(id))
        return engine::CommandGroup::Supported | engine::CommandGroup::Enabled;
    return quint32(m_doc->commands().queryStatus(id));
}

HRESULT CHtmlEditCntrItem::ExecCommand(int id, const engine::Variant* in, engine::Variant* out, bool prompt)
{
    if (cntritem_detail::isPrintCommand(id)) {
        // Printing lays the page out anew through the program's printer settings.
        engine::PagePrinter printer(m_doc.get());
        QPrinter* settings = CZQApp::instance() ? CZQApp::instance()->printer() : nullptr;
        if (settings)
            printer.setPageLayout(settings->pageLayout());
        bool done = true;
        if (id == engine::PagePrinter::kPrintDialogId)
            done = printer.execPrint(m_view);
        else if (id == engine::PagePrinter::kPreviewDialogId)
            printer.execPreview(m_view);
        else
            done = printer.execPageSetup(m_view);
        if (settings && done)
            settings->setPageLayout(printer.pageLayout());
        return done ? S_OK : S_FALSE;
    }
    return m_doc->commands().exec(id, in ? *in : engine::Variant(), out, prompt);
}

bool CHtmlEditCntrItem::IsModified() const
{
    return m_doc->isDirty();
}

void CHtmlEditCntrItem::ActivateUI()
{
    if (m_pageView)
        m_pageView->setFocus(Qt::OtherFocusReason);
}

void CHtmlEditCntrItem::showContextMenu(QPoint screenPoint, engine::Element* element)
{
    if (!m_view)
        return;
    const QString tag = element ? element->tagName() : QStringLiteral("BODY");
    m_view->ShowContextMenu(tag, screenPoint.x(), screenPoint.y());
}

bool CHtmlEditCntrItem::translateAccelerator(int, bool, bool, bool)
{
    // Every key goes on to the page; the window's shortcuts come first anyway.
    return false;
}
