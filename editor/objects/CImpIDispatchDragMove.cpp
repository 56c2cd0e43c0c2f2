// Dragging the control selection with the mouse: the press that takes hold of
// the group, one step per mouse move, and a 100 ms timer that repeats the
// last step so that the page keeps scrolling while the pointer rests beyond
// an edge of the visible area.

#include "editor/CImpIDispatch.h"

#include "app/CMainFrame.h"
#include "app/CZQView.h"
#include "editor/painters/GridSnap.h"
#include "util/PageDom.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/editing/CommandGroup.h"
#include "engine/editing/Selection.h"
#include "engine/editing/TextRange.h"
#include "engine/layout/Geometry.h"
#include "engine/view/PageView.h"

#include "platform/WindowMessage.h"
#include "platform/WindowTimer.h"

#include <QCursor>
#include <QObject>

#include <algorithm>
#include <climits>

// The timer's procedure: the drag's last step once more, while a drag lasts.
void ULODocEventAutoScrollTimerProc(CImpIDispatch* sink)
{
    if (sink && sink->m_bIsDragMoveMode)
        sink->DragMoveSelection(sink->m_ptScroll.x(), sink->m_ptScroll.y());
}

namespace dragmove_detail {

// The sink's timer window: its ticks run the timer procedure. The sink owns
// it, so the timer dies with the sink.
class AutoScrollTarget : public QObject
{
public:
    explicit AutoScrollTarget(CImpIDispatch* sink) : m_sink(sink) {}

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == platform::WindowMessage::eventType()) {
            const auto* message = static_cast<platform::WindowMessage*>(e);
            if (message->message() == platform::WM_TIMER &&
                message->wParam() == quintptr(CImpIDispatch::kAutoScrollTimerId)) {
                ULODocEventAutoScrollTimerProc(m_sink);
                return true;
            }
        }
        return QObject::event(e);
    }

private:
    CImpIDispatch* m_sink;
};

} // namespace dragmove_detail

QObject* CImpIDispatch::autoScrollTimerTarget()
{
    if (!m_pAutoScrollTarget)
        m_pAutoScrollTarget = std::make_unique<dragmove_detail::AutoScrollTarget>(this);
    return m_pAutoScrollTarget.get();
}

void CImpIDispatch::KillAutoScrollTimer()
{
    if (m_pAutoScrollTarget)
        platform::killTimer(m_pAutoScrollTarget.get(), kAutoScrollTimerId);
}

platform::Rect CImpIDispatch::GetObjectRect(engine::Element* element)
{
    engine::PageView* page = pageView();
    if (!element || !page)
        return platform::Rect();
    engine::Geometry geometry(page->layout());
    const int left = geometry.offsetLeft(element);
    const int top = geometry.offsetTop(element);
    int width = geometry.offsetWidth(element);
    int height = geometry.offsetHeight(element);
    // A filtered image: its size and its border on both sides.
    if (element->hasTag(QLatin1String("IMG")) && element->filtersLength() > 0) {
        width = element->getAttribute(QStringLiteral("width")).toInt();
        height = element->getAttribute(QStringLiteral("height")).toInt();
        const engine::Variant border = element->getAttribute(QStringLiteral("border"));
        if (border.isString()) {
            QString text = border.toString();
            text.remove(QLatin1String("px")).remove(QLatin1String("PX"));
            const int b = text.trimmed().toInt();
            width += 2 * b;
            height += 2 * b;
        }
    }
    return platform::Rect(left, top, left + width, top + height);
}

platform::Rect CImpIDispatch::GetVisibleRect()
{
    engine::PageView* page = pageView();
    engine::Document* doc = document();
    if (page && doc && doc->body()) {
        engine::Geometry geometry(page->layout());
        return platform::Rect(0, 0, geometry.clientWidth(doc->body()), geometry.clientHeight(doc->body()));
    }
    if (!m_pView)
        return platform::Rect();
    return platform::Rect(0, 0, m_pView->width(), m_pView->height());
}

int CImpIDispatch::BeginDragMove(int x, int y)
{
    engine::PageView* page = pageView();
    if (!page)
        return 0;
    // 1. The press on the page; the group's box starts empty.
    QPoint p(x, y);
    AddBodyScrollOffset(p);
    m_dragOffsets.clear();
    platform::Rect bounds(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    int hit = 0;
    int pressed = -1;
    // 2. The selected objects: their offsets from the press and their box.
    std::vector<engine::Ref<engine::Element>> selected = controlSelection();
    for (int i = 0; i < int(selected.size()); ++i) {
        const platform::Rect r = GetObjectRect(selected[size_t(i)].get());
        platform::Rect grown = r;
        grown.inflate(7, 7);
        if (grown.contains(p)) {
            hit = 1;
            pressed = i;
        }
        m_dragOffsets.emplace_back(p.x() - r.left, p.y() - r.top);
        bounds = platform::Rect(std::min(bounds.left, r.left), std::min(bounds.top, r.top),
                                std::max(bounds.right, r.right), std::max(bounds.bottom, r.bottom));
        m_sizeDragBounds = QSize(bounds.width(), bounds.height());
    }
    // 3. The pressed object becomes the first of the selection.
    if (pressed > 0 && selected.size() > 1) {
        std::rotate(selected.begin(), selected.begin() + pressed, selected.begin() + pressed + 1);
        std::rotate(m_dragOffsets.begin(), m_dragOffsets.begin() + pressed, m_dragOffsets.begin() + pressed + 1);
        if (engine::Document* doc = document())
            doc->selection().setControlRange(selected);
    }
    // 4. Where the group was taken hold of.
    if (!selected.empty())
        m_ptDragGrip = p - QPoint(bounds.left, bounds.top);
    m_bPressedMarquee = false;
    // 5. Nothing selected was hit: the object under the pointer (a cell's
    // table) within 7 pixels of its edge becomes the selection.
    if (!hit) {
        engine::Ref<engine::Element> element;
        if (GetElementFromPoint(QPoint(x, y), element) == S_OK) {
            if (element->hasTag(QLatin1String("TD")) && FindParentByTag(element, QStringLiteral("TABLE")) != S_OK)
                element = nullptr;
            if (element && element->hasTag(QLatin1String("MARQUEE")))
                m_bPressedMarquee = true;
        }
        // The page itself and plain text are no object to drag.
        if (element && engine::ControlRange::accepts(element.get())) {
            platform::Rect r = GetObjectRect(element.get());
            platform::Rect grown = r;
            grown.inflate(7, 7);
            if (grown.contains(p)) {
                m_dragOffsets.assign(1, QPoint(p.x() - r.left, p.y() - r.top));
                m_sizeDragBounds = QSize(r.width(), r.height());
                m_ptDragGrip = p - QPoint(r.left, r.top);
                hit = 1;
                SelectControlElement(element.get());
                bounds = r;
            }
        }
    }
    // 6. A group reaching past the right or bottom of the visible area
    // brings it into view at once.
    if (hit) {
        platform::Rect visible = GetVisibleRect();
        AddBodyScrollOffsetToRect(visible);
        const int dx = visible.right < bounds.right ? bounds.right - visible.right : 0;
        const int dy = visible.bottom < bounds.bottom ? bounds.bottom - visible.bottom : 0;
        if (dx > 0 || dy > 0) {
            page->scrollBy(dx, dy);
            for (QPoint& offset : m_dragOffsets)
                offset += QPoint(dx, dy);
            m_ptDragGrip += QPoint(dx, dy);
            page->setPageCursor(QCursor(Qt::SizeAllCursor));
            if (m_pView) {
                const engine::Variant on(true);
                m_pView->ExecCommand(engine::CommandGroup::OverrideCursor, &on);
            }
        }
    }
    // 7.
    return hit;
}

void CImpIDispatch::DragMoveSelection(int x, int y)
{
    // 1. The step's point, repeated by the timer.
    m_ptScroll = QPoint(x, y);
    QPoint p(x, y);
    AddBodyScrollOffset(p);
    engine::PageView* page = pageView();
    const std::vector<engine::Ref<engine::Element>> selected = controlSelection();
    if (page && !selected.empty()) {
        // 2.1 The group's box never goes left of or above the page.
        const QPoint c(std::min(0, p.x() - m_ptDragGrip.x()), std::min(0, p.y() - m_ptDragGrip.y()));
        // 2.2 Every object keeps its offset from the pointer, on the grid when snapping.
        const CMainFrame* frame = CMainFrame::instance();
        const bool snap = frame && frame->m_settings.snapOn;
        const int grid = frame ? std::clamp(frame->m_settings.gridSize, 1, 100) : 10;
        for (size_t i = 0; i < selected.size() && i < m_dragOffsets.size(); ++i) {
            QPoint n = p - m_dragOffsets[i] - c;
            if (snap)
                n = QPoint(SnapToGrid(n.x(), grid), SnapToGrid(n.y(), grid));
            engine::Style& style = selected[i]->style();
            style.setAttribute(QStringLiteral("left"), engine::Variant(n.x()));
            style.setAttribute(QStringLiteral("top"), engine::Variant(n.y()));
        }
        // 2.3 The timer starts again, so it fires only while the pointer
        // rests; the page scrolls toward a group beyond an edge.
        platform::killTimer(autoScrollTimerTarget(), kAutoScrollTimerId);
        platform::setTimer(autoScrollTimerTarget(), kAutoScrollTimerId, 100);
        platform::Rect visible = GetVisibleRect();
        AddBodyScrollOffsetToRect(visible);
        const QPoint topLeft = p - c - m_ptDragGrip;
        const platform::Rect group(topLeft.x(), topLeft.y(), topLeft.x() + m_sizeDragBounds.width(),
                                   topLeft.y() + m_sizeDragBounds.height());
        int dx = 0;
        int dy = 0;
        if (group.left < visible.left)
            dx = group.left - visible.left;
        else if (visible.left < group.left && visible.right < group.right)
            dx = group.right - visible.right;
        if (group.top < visible.top)
            dy = group.top - visible.top;
        else if (visible.top < group.top && visible.bottom < group.bottom)
            dy = group.bottom - visible.bottom;
        if (dx || dy)
            page->scrollBy(dx, dy);
    }
    // 3. The page has changed.
    SetPageChanged();
}
