#include "editor/CImpIDispatch.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CZQView.h"
#include "editor/painters/CHTMLPainterImageMap.h"
#include "editor/sink/RubberBandOverlay.h"
#include "util/PageDom.h"

#include "engine/dom/Document.h"
#include "engine/editing/Selection.h"
#include "engine/editing/TextRange.h"
#include "engine/view/DesignModeInput.h"
#include "engine/view/EventObject.h"
#include "engine/view/PageView.h"

namespace sinkprimitives_detail {

bool hasTag(const engine::Element* element, QLatin1String tag)
{
    return element && element->hasTag(tag);
}

} // namespace sinkprimitives_detail

HRESULT CImpIDispatch::GetEventPoint(QPoint& point) const
{
    engine::PageView* page = pageView();
    const engine::EventObject* event = page ? page->windowEvent() : nullptr;
    if (!event)
        return -1;
    point = event->point();
    return S_OK;
}

HRESULT CImpIDispatch::GetElementFromPoint(QPoint point, engine::Ref<engine::Element>& element) const
{
    engine::Document* doc = document();
    element = doc ? doc->elementFromPoint(point.x(), point.y()) : nullptr;
    return element ? S_OK : -1;
}

bool CImpIDispatch::IsOnBodyElement() const
{
    QPoint point;
    engine::Ref<engine::Element> element;
    return GetEventPoint(point) == S_OK && GetElementFromPoint(point, element) == S_OK &&
           sinkprimitives_detail::hasTag(element.get(), QLatin1String("BODY"));
}

HRESULT CImpIDispatch::IsElementWithTagAtPoint(QPoint point, engine::Ref<engine::Element>& element,
                                               const QString& tag) const
{
    GetElementFromPoint(point, element);
    return element && element->hasTag(tag) ? S_OK : -1;
}

bool CImpIDispatch::IsEventButtonDown(int& button) const
{
    engine::PageView* page = pageView();
    const engine::EventObject* event = page ? page->windowEvent() : nullptr;
    if (!event)
        return false;
    button = event->button;
    return button == 1 || button == 2 || button == 3;
}

platform::Rect& CImpIDispatch::NormalizeRect(platform::Rect& rect, QPoint a, QPoint b)
{
    rect = platform::Rect(qMin(a.x(), b.x()), qMin(a.y(), b.y()), qMax(a.x(), b.x()), qMax(a.y(), b.y()));
    return rect;
}

void CImpIDispatch::HideCaret()
{
    if (engine::PageView* page = pageView())
        page->setCaretVisible(false);
}

void CImpIDispatch::ReleaseDocumentCapture()
{
    if (engine::PageView* page = pageView())
        page->releaseCapture();
}

// The points come from this view's events, so its own scroll position counts
// (not the active view's, which differs while another frame of a frameset
// page is active).
void CImpIDispatch::AddBodyScrollOffset(QPoint& point) const
{
    if (engine::PageView* page = pageView())
        point += page->scrollPosition();
}

void CImpIDispatch::AddBodyScrollOffsetToRect(platform::Rect& rect) const
{
    if (engine::PageView* page = pageView())
        rect.offset(page->scrollPosition().x(), page->scrollPosition().y());
}

void CImpIDispatch::SubtractBodyScrollOffsetFromRect(platform::Rect& rect) const
{
    if (engine::PageView* page = pageView())
        rect.offset(-page->scrollPosition().x(), -page->scrollPosition().y());
}

bool CImpIDispatch::HasCellSelection() const
{
    if (m_cellCurrent.row == -1 || m_cellCurrent.column == -1)
        return false;
    return !PointPairEquals(m_cellAnchor, m_cellCurrent);
}

HRESULT CImpIDispatch::BeginUndoUnit()
{
    engine::Document* doc = document();
    if (!doc)
        return -1;
    doc->beginUndoUnit();
    return S_OK;
}

HRESULT CImpIDispatch::EndUndoUnit()
{
    engine::Document* doc = document();
    if (!doc)
        return -1;
    doc->endUndoUnit();
    return S_OK;
}

bool CImpIDispatch::IsTextEditContext() const
{
    // 1. The selection as a text range and as a selected element.
    engine::Ref<engine::Element> selected;
    std::optional<engine::TextRange> range;
    GetPageSelection(&selected, nullptr, &range, m_pView);
    // 2. A caret or text selection: inside a TABLE or a MARQUEE.
    engine::PageView* page = pageView();
    if (range) {
        engine::Ref<engine::Element> parent = range->parentElement();
        engine::Ref<engine::Element> table = parent;
        engine::Ref<engine::Element> marquee = parent;
        if (FindParentByTag(table, QStringLiteral("TABLE")) == S_OK ||
            FindParentByTag(marquee, QStringLiteral("MARQUEE")) == S_OK)
            return true;
        // Differs from keeping the text of the page's flow out of reach:
        // pages whose text stands in divisions and paragraphs (what most
        // generators write) are typed into where the user clicks.
        return IsTextRangeInFlow(*range);
    }
    // 3. A selected MARQUEE while an input method composes text for it.
    return sinkprimitives_detail::hasTag(selected.get(), QLatin1String("MARQUEE")) && page &&
           page->input().compositionPending();
}

bool CImpIDispatch::FindTableOrMarquee(QPoint point, engine::Element* element, QString* tag,
                                       engine::Ref<engine::Element>* found) const
{
    // The start: the element given, else the one at the point, else the selected one.
    engine::Ref<engine::Element> start(element);
    if (!start && point != QPoint(-1, -1))
        GetElementFromPoint(point, start);
    if (!start)
        GetPageSelection(&start, nullptr, nullptr, m_pView);
    if (!start)
        return false;
    engine::Ref<engine::Element> container = start;
    if (FindParentByTag(container, QStringLiteral("TABLE")) != S_OK) {
        container = start;
        if (FindParentByTag(container, QStringLiteral("MARQUEE")) != S_OK)
            return false;
    }
    if (tag)
        *tag = container->tagName();
    if (found)
        *found = container;
    return true;
}

void CImpIDispatch::ViewRectToFrameClient(platform::Rect& rect, QPoint* origin) const
{
    CChildFrame* frame = m_pView ? m_pView->GetParentFrame() : nullptr;
    QWidget* client = frame ? frame->widget() : nullptr;
    if (!client)
        return;
    // The view's top-left in the frame's client area; the views have no edge.
    const QPoint viewOrigin = m_pView->mapTo(client, QPoint(0, 0));
    rect.offset(viewOrigin.x(), viewOrigin.y());
    if (!origin)
        return;
    // A frame of a frameset page measures from the frameset page's view.
    CZQView* framesetView = frame->GetFramesetView();
    *origin = framesetView && framesetView != m_pView ? framesetView->mapTo(client, QPoint(0, 0)) : viewOrigin;
}

void CImpIDispatch::CancelInsertMode()
{
    CMainFrame* frame = CMainFrame::instance();
    // 1. The page lets go of the mouse.
    ReleaseDocumentCapture();
    if (!frame)
        return;
    // 2. The rubber band still drawn, if any.
    platform::Rect erase;
    const int mode = frame->m_nInsertKind;
    if ((mode == 1 || mode == 10 || mode == 3) && m_bInserting) {
        erase = platform::Rect::fromQRect(frame->m_rcInsert);
        m_bInserting = false;
    } else if (!frame->m_bCursorChanged) {
        if (mode != 5)
            erase = platform::Rect::fromQRect(frame->m_rcInsert);
    } else {
        frame->m_bCursorChanged = false;
        if (engine::PageView* page = pageView())
            page->setPageCursor(QCursor(Qt::ArrowCursor));
    }
    // 3. Erased by drawing it once more; the insertion drag is over, so
    // nothing of it stays on the frame.
    CChildFrame* child = m_pView ? m_pView->GetParentFrame() : nullptr;
    if (RubberBandOverlay* overlay = RubberBandOverlay::of(child ? child->widget() : nullptr, false)) {
        ViewRectToFrameClient(erase);
        overlay->toggleRect(erase);
        overlay->clear();
    }
    // 4. No tool armed.
    frame->m_nInsertKind = 0;
    frame->m_strInsertImageSrc.clear();
}

void CImpIDispatch::ResetImageMapMode()
{
    m_bAreaDraw = false;
    m_bAreaEdit = false;
    m_nEditMode = 0;
    m_nMapAreaCount = 0;
    m_pSelectedArea = nullptr;
    if (m_pView) {
        m_pView->m_strSelectedAreaId = QStringLiteral("none");
        m_pView->m_areaWorkCoords.clear();
        m_pView->m_strAreaShape = QStringLiteral("none");
    }
    if (CMainFrame* frame = CMainFrame::instance())
        frame->m_nAreaTool = 0;
}

int CImpIDispatch::RemoveImageMapPainter(engine::Element* element)
{
    engine::PageView* page = pageView();
    if (!m_pView || !page || !sinkprimitives_detail::hasTag(element, QLatin1String("IMG")) ||
        m_pView->m_areaPainters.empty())
        return 0;
    for (const std::shared_ptr<CHTMLPainterImageMap>& painter : m_pView->m_areaPainters) {
        if (!page->removeBehavior(element, painter->m_lCookie))
            return -1;
    }
    m_pView->m_areaPainters.clear();
    return 0;
}

int CImpIDispatch::RemoveUsemapHash(engine::Element* element)
{
    if (!sinkprimitives_detail::hasTag(element, QLatin1String("IMG")))
        return 1;
    const engine::Variant usemap = element->getAttribute(QStringLiteral("usemap"));
    if (usemap.isString() && usemap.toString().startsWith(QLatin1Char('#')))
        SetUsemapQuietly(element, usemap.toString().mid(1));
    return 0;
}
