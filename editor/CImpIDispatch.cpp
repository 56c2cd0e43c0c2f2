#include "editor/CImpIDispatch.h"

#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQView.h"
#include "app/PageLoadCompletion.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/editing/Selection.h"
#include "engine/view/EventObject.h"
#include "engine/view/PageView.h"

void ResetCellPosition(CellPosition& cell)
{
    cell = CellPosition();
}

CImpIDispatch::CImpIDispatch(CZQView* view, engine::Document* docObject) : m_pView(view), m_pDocObject(docObject) {}

CImpIDispatch::~CImpIDispatch() = default;

engine::PageView* CImpIDispatch::pageView() const
{
    return m_pView ? m_pView->GetPageView() : nullptr;
}

bool CImpIDispatch::invoke(int eventId, engine::EventObject& event)
{
    Q_UNUSED(event);
    // While the source or the preview is shown the page's events do nothing.
    if (!m_pView || !m_pView->IsEditMode())
        return false;
    switch (eventId) {
    case engine::events::PageLoaded: {
        if (m_pView->m_bLoadCompleted)
            return false;
        engine::Document* doc = m_pView->GetHtmlDocument();
        return doc && OnPageLoadComplete(doc, m_pView) == 1;
    }
    case engine::events::SelectionChange:
        UpdateSelectionState();
        return false;
    default:
        return false;
    }
}

bool CImpIDispatch::InsertPositionedObject(QPoint point)
{
    CMainFrame* frame = CMainFrame::instance();
    engine::Document* doc = m_pView ? m_pView->GetHtmlDocument() : nullptr;
    engine::Element* body = doc ? doc->body() : nullptr;
    ReleaseDocumentCapture();
    if (!frame || !body || frame->m_nInsertMode != 2 || frame->m_strInsertImageSrc.isEmpty())
        return false;
    AddBodyScrollOffset(point);
    const int z = ++m_pView->m_nMaxZIndex;
    const QSize size = frame->m_rcInsert.size();
    engine::Ref<engine::Element> image = doc->createElement(QStringLiteral("IMG"));
    {
        engine::UndoUnit unit(doc);
        image->setAttribute(QStringLiteral("src"), engine::Variant(frame->m_strInsertImageSrc));
        QString style = QStringLiteral("POSITION: absolute; Z-INDEX: %1; LEFT: %2px; TOP: %3px")
                            .arg(z)
                            .arg(point.x())
                            .arg(point.y());
        // An image whose size could not be read keeps its own.
        if (size.width() > 0 && size.height() > 0)
            style += QStringLiteral("; WIDTH: %1px; HEIGHT: %2px").arg(size.width()).arg(size.height());
        image->style().setCssText(style);
        image->setAttribute(QStringLiteral("alt"), engine::Variant(QString()));
        image->setAttribute(QStringLiteral("hspace"), engine::Variant(0));
        image->setAttribute(QStringLiteral("align"), engine::Variant(QStringLiteral("baseline")));
        image->setAttribute(QStringLiteral("border"), engine::Variant(0));
        body->appendChild(image);
    }
    doc->selection().setControlRange({image});
    frame->m_nInsertMode = 0;
    frame->m_strInsertImageSrc.clear();
    m_ptDown = QPoint(-1, -1);
    return true;
}

void CImpIDispatch::CancelInsertMode() {}

void CImpIDispatch::ReleaseDocumentCapture()
{
    if (engine::PageView* page = pageView())
        page->releaseCapture();
}

void CImpIDispatch::SelectAllObjects() {}

void CImpIDispatch::DeleteSelection() {}

bool CImpIDispatch::IsOnBodyElement() const
{
    engine::PageView* page = pageView();
    engine::Document* doc = m_pView ? m_pView->GetHtmlDocument() : nullptr;
    const engine::EventObject* event = page ? page->windowEvent() : nullptr;
    if (!event || !doc)
        return false;
    const engine::Element* element = doc->elementFromPoint(event->x, event->y);
    return element && element->tagName().compare(QLatin1String("BODY"), Qt::CaseInsensitive) == 0;
}

void CImpIDispatch::AddBodyScrollOffset(QPoint& point) const
{
    if (engine::PageView* page = pageView())
        point += page->scrollPosition();
}

void CImpIDispatch::ResetImageMapMode() {}

int CImpIDispatch::RemoveImageMapPainter(engine::Element* element)
{
    Q_UNUSED(element);
    return 0;
}

int CImpIDispatch::AddUsemapHash(engine::Element* element)
{
    if (!element)
        return 1;
    if (element->tagName().compare(QLatin1String("IMG"), Qt::CaseInsensitive) != 0)
        return 0;
    const engine::Variant usemap = element->getAttribute(QStringLiteral("usemap"));
    if (!usemap.isString())
        return 0;
    const QString value = usemap.toString();
    if (!value.isEmpty() && !value.startsWith(QLatin1Char('#')))
        element->setAttribute(QStringLiteral("usemap"), engine::Variant(QLatin1Char('#') + value));
    return 0;
}

void CImpIDispatch::RemoveUsemapHash(engine::Element* element)
{
    if (!element || element->tagName().compare(QLatin1String("IMG"), Qt::CaseInsensitive) != 0)
        return;
    const engine::Variant usemap = element->getAttribute(QStringLiteral("usemap"));
    if (!usemap.isString())
        return;
    const QString value = usemap.toString();
    if (value.startsWith(QLatin1Char('#')))
        element->setAttribute(QStringLiteral("usemap"), engine::Variant(value.mid(1)));
}

bool CImpIDispatch::HasCellSelection() const
{
    return m_cellAnchor.isSet() && m_cellCurrent.isSet() && m_cellAnchor != m_cellCurrent;
}

void CImpIDispatch::UpdateCellHighlight() {}

void CImpIDispatch::UpdateSelectionState()
{
    if (!m_pView)
        return;
    m_pView->m_dwPrevSelKind = m_pView->m_dwSelKind;
    m_pView->m_dwSelKind = 0;
    m_bSelectionChanged = m_pView->m_dwSelKind != m_pView->m_dwPrevSelKind;
    if (CZQApp* app = CZQApp::instance())
        app->m_bCommandRan = true;
}
