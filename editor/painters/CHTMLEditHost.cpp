#include "editor/CHTMLEditHost.h"

#include "app/CHtmlEditCntrItem.h"
#include "app/CZQView.h"
#include "editor/CImpIDispatch.h"
#include "editor/painters/GridSnap.h"

#include "engine/dom/Element.h"
#include "engine/layout/Geometry.h"
#include "engine/view/EventObject.h"
#include "engine/view/PageView.h"

CHTMLEditHost::CHTMLEditHost(CHtmlEditCntrItem* item) : m_pItem(item) {}

CHTMLEditHost::~CHTMLEditHost() = default;

HRESULT CHTMLEditHost::GetSnap(bool& snap) const
{
    snap = m_bSnap;
    return S_OK;
}

HRESULT CHTMLEditHost::SetSnap(bool snap)
{
    m_bSnap = snap;
    return S_OK;
}

HRESULT CHTMLEditHost::GetGridSize(int& size) const
{
    size = m_nGridSize;
    return S_OK;
}

HRESULT CHTMLEditHost::SetGridSize(int size)
{
    m_nGridSize = size;
    return S_OK;
}

void CHTMLEditHost::snapRect(engine::Element* element, QRect& rect, int corner)
{
    engine::PageView* page = m_pItem ? m_pItem->pageView() : nullptr;
    if (!element || !page)
        return;
    // The step in page coordinates: the grid lies on the page, not on the view.
    const QPoint scroll = page->scrollPosition();
    SnapStep step;
    step.rect = platform::Rect::fromQRect(rect);
    step.rect.offset(scroll.x(), scroll.y());
    engine::Geometry geometry(page->layout());
    step.before = QSize(geometry.offsetWidth(element), geometry.offsetHeight(element));
    step.corner = corner;
    step.gridSize = m_nGridSize;
    step.snap = m_bSnap;
    // Shift keeps the proportions, except for an embedded object.
    const engine::EventObject* event = page->windowEvent();
    step.keepRatio = event && event->shiftKey && !element->hasTag(QLatin1String("EMBED")) && step.before.height() > 0;
    m_dAspect = step.keepRatio ? double(step.before.width()) / double(step.before.height()) : -1.0;
    // An image whose map areas are being dragged stays where it is.
    CZQView* view = m_pItem->GetActiveView();
    if (const CImpIDispatch* sink = view ? view->GetSink() : nullptr) {
        step.pinned = sink->m_bNoMove || sink->m_nEditMode == 5;
        step.pinnedAt = sink->m_ptImageOrigin;
    }
    platform::Rect result = SnapEditRect(step);
    result.offset(-scroll.x(), -scroll.y());
    rect = result.toQRect();
}
