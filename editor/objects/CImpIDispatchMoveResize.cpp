// Moving and resizing positioned objects: the arrow keys nudge or resize
// the control selection, and the program's own sizing handles resize every
// selected object together with the mouse, snapped to the grid and, with
// Shift, keeping the proportions.

#include "editor/CImpIDispatch.h"

#include "app/CMainFrame.h"
#include "app/CZQView.h"
#include "editor/painters/GridSnap.h"
#include "util/PageDom.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/editing/Selection.h"
#include "engine/editing/TextRange.h"
#include "engine/layout/Geometry.h"
#include "engine/view/EventObject.h"
#include "engine/view/PageView.h"

#include <algorithm>
#include <vector>

namespace moveresize_detail {

constexpr int kLeft = 37;
constexpr int kUp = 38;
constexpr int kRight = 39;
constexpr int kDown = 40;
constexpr int kCtrl = 2;
constexpr int kShift = 4;

struct Grid
{
    int size = 10;
    bool visible = false;
    bool snap = false;
};

Grid gridOf(const CMainFrame* frame)
{
    if (!frame)
        return {};
    return {std::clamp(frame->m_settings.gridSize, 1, 100), frame->m_settings.gridVisible != 0,
            frame->m_settings.snapOn != 0};
}

// A pixel size text: "120px" 120; nothing for another unit or no number.
std::optional<int> pixelText(const QString& text)
{
    if (!text.contains(QLatin1String("px"), Qt::CaseInsensitive))
        return std::nullopt;
    return engine::Style::pixels(text);
}

// A height attribute: "size" for a rule.
QString attributeOf(const engine::Element* element, const QString& dimension)
{
    return dimension == QLatin1String("height") && element->hasTag(QLatin1String("HR")) ? QStringLiteral("size")
                                                                                        : dimension;
}

void writeDimension(engine::Element* element, const QString& dimension, int value)
{
    element->style().setAttribute(dimension, engine::Variant(value));
    element->setAttribute(attributeOf(element, dimension), engine::Variant(value));
}

// Where an object with a handle under a point may be: the point itself, then
// points 1 to 7 pixels from it in the eight directions, nearest first.
const std::vector<QPoint>& handleProbes()
{
    static const std::vector<QPoint> probes = [] {
        std::vector<QPoint> out{QPoint(0, 0)};
        for (int d = 1; d <= 7; d += 2) {
            for (const QPoint& toward : {QPoint(0, 1), QPoint(0, -1), QPoint(1, 0), QPoint(-1, 0), QPoint(1, 1),
                                         QPoint(-1, 1), QPoint(1, -1), QPoint(-1, -1)})
                out.push_back(toward * d);
        }
        return out;
    }();
    return probes;
}

} // namespace moveresize_detail

int CImpIDispatch::GetPixelWidth(engine::Element* element)
{
    engine::PageView* page = pageView();
    if (!element || !page)
        return -1;
    engine::Geometry geometry(page->layout());
    if (element->hasTag(QLatin1String("IMG"))) {
        if (const engine::Style* style = element->styleIfAny())
            if (const std::optional<int> px = moveresize_detail::pixelText(style->width()))
                return *px;
        return geometry.clientWidth(element);
    }
    return geometry.offsetWidth(element);
}

int CImpIDispatch::GetPixelHeight(engine::Element* element)
{
    engine::PageView* page = pageView();
    if (!element || !page)
        return -1;
    engine::Geometry geometry(page->layout());
    if (element->hasTag(QLatin1String("IMG"))) {
        if (const engine::Style* style = element->styleIfAny())
            if (const std::optional<int> px = moveresize_detail::pixelText(style->height()))
                return *px;
        return geometry.clientHeight(element);
    }
    int height = geometry.offsetHeight(element);
    if (element->hasTag(QLatin1String("TABLE")))
        if (engine::Element* caption = element->caption())
            height -= geometry.offsetHeight(caption);
    return height;
}

void CImpIDispatch::NudgeSelection(int keyCode, int modifiers)
{
    namespace detail = moveresize_detail;
    // 1. Only a control selection.
    const std::vector<engine::Ref<engine::Element>> selected = controlSelection();
    engine::Document* doc = document();
    engine::PageView* page = pageView();
    if (selected.empty() || !doc || !page)
        return;
    if (keyCode != detail::kLeft && keyCode != detail::kUp && keyCode != detail::kRight && keyCode != detail::kDown)
        return;
    const bool horizontal = keyCode == detail::kLeft || keyCode == detail::kRight;
    const bool backwards = keyCode == detail::kLeft || keyCode == detail::kUp;
    const detail::Grid grid = detail::gridOf(CMainFrame::instance());
    engine::Geometry geometry(page->layout());
    {
        // 2. One undo step for the whole key press.
        engine::UndoUnit unit(doc);
        for (const engine::Ref<engine::Element>& element : selected) {
            // 3. One grid step, or one pixel.
            const int step = grid.visible && !(modifiers & detail::kCtrl) ? grid.size : 1;
            if (!(modifiers & detail::kShift)) {
                // Moved to the next grid line (or pixel) in the key's
                // direction, never past the page's left or top edge.
                const QString property = horizontal ? QStringLiteral("left") : QStringLiteral("top");
                const int v = engine::Style::pixels(element->style().value(property));
                int p = step > 1 ? SnapToGrid(v, step) : v;
                if (backwards && v <= p)
                    p -= step;
                else if (!backwards && p <= v)
                    p += step;
                p = std::max(p, 0);
                element->style().setAttribute(property, engine::Variant(QStringLiteral("%1px").arg(p)));
                // The page follows an object that leaves the visible area.
                engine::Element* body = doc->body();
                const int right = body ? geometry.clientWidth(body) : 0;
                const int bottom = body ? geometry.clientHeight(body) : 0;
                const QPoint scroll = page->scrollPosition();
                int dx = 0;
                int dy = 0;
                if (keyCode == detail::kLeft && p - scroll.x() <= 0)
                    dx = p - scroll.x() - step;
                else if (keyCode == detail::kUp && p - scroll.y() <= 0)
                    dy = p - scroll.y() - step;
                else if (keyCode == detail::kRight && p - scroll.x() + geometry.offsetWidth(element.get()) >= right)
                    dx = p - scroll.x() + geometry.offsetWidth(element.get()) - right + step;
                else if (keyCode == detail::kDown && p - scroll.y() + geometry.offsetHeight(element.get()) >= bottom)
                    dy = p - scroll.y() + geometry.offsetHeight(element.get()) - bottom + step;
                if (dx || dy)
                    page->scrollBy(dx, dy);
                continue;
            }
            // Resized: the far edge to one pixel past the next grid line, or by
            // one pixel; never below 1.
            const QString dimension = horizontal ? QStringLiteral("width") : QStringLiteral("height");
            const QString other = horizontal ? QStringLiteral("height") : QStringLiteral("width");
            const int v = horizontal ? GetPixelWidth(element.get()) : GetPixelHeight(element.get());
            const int otherValue = horizontal ? GetPixelHeight(element.get()) : GetPixelWidth(element.get());
            const int e = horizontal ? geometry.offsetLeft(element.get()) + geometry.offsetWidth(element.get())
                                     : geometry.offsetTop(element.get()) + geometry.offsetHeight(element.get());
            int n = step > 1 ? v + SnapToGrid(e, step) + 1 - e : v;
            if (backwards && v <= n)
                n -= step;
            else if (!backwards && n <= v)
                n += step;
            detail::writeDimension(element.get(), dimension, std::max(n, 1));
            if (otherValue >= 0)
                detail::writeDimension(element.get(), other, otherValue);
        }
        // 4. The undo unit closes here.
    }
    // 5. The page has changed.
    SetPageChanged();
}

int CImpIDispatch::HitTestHandle(const platform::Rect& r, QPoint p)
{
    constexpr int kSize = 7;
    const auto inside = [p](int left, int top, int right, int bottom) {
        return p.x() >= left && p.x() < right && p.y() >= top && p.y() < bottom;
    };
    // 1. Outside the grown rectangle.
    if (!inside(r.left, r.top, r.right, r.bottom))
        return 0;
    // 2. The handles, the edge middles first; Q is the middle square.
    const int qLeft = (r.left + r.right) / 2 - 3;
    const int qTop = (r.top + r.bottom) / 2 - 3;
    if (inside(qLeft, r.top, qLeft + kSize, r.top + kSize))
        return 2;
    if (inside(r.left, qTop, r.left + kSize, qTop + kSize))
        return 8;
    if (inside(r.right - kSize, qTop, r.right, qTop + kSize))
        return 16;
    if (inside(qLeft, r.bottom - kSize, qLeft + kSize, r.bottom))
        return 4;
    if (inside(r.left, r.top, r.left + kSize, r.top + kSize))
        return 10;
    if (inside(r.right - kSize, r.top, r.right, r.top + kSize))
        return 18;
    if (inside(r.left, r.bottom - kSize, r.left + kSize, r.bottom))
        return 12;
    if (inside(r.right - kSize, r.bottom - kSize, r.right, r.bottom))
        return 20;
    // 3. Inside, on no handle.
    return 1;
}

bool CImpIDispatch::BeginHandleResize(int x, int y)
{
    engine::PageView* page = pageView();
    if (!page)
        return false;
    engine::Geometry geometry(page->layout());
    // 1. The press on the page.
    QPoint p(x, y);
    AddBodyScrollOffset(p);
    m_movePoints.clear();
    m_moveSizes.clear();
    m_nSizeHandle = 0;
    const auto grown = [this](engine::Element* element) {
        platform::Rect r = GetObjectRect(element);
        r.inflate(7, 7);
        return r;
    };
    const auto remember = [&](engine::Element* element) {
        m_movePoints.emplace_back(geometry.offsetLeft(element), geometry.offsetTop(element));
        m_moveSizes.emplace_back(GetPixelWidth(element), GetPixelHeight(element));
    };
    std::vector<engine::Ref<engine::Element>> selected = controlSelection();
    if (selected.empty()) {
        // 2. A handle of an object selects it. The handles stand outside the
        // object's box, over what lies beside it: the object is looked for
        // under the pointer, then up to 7 pixels from it toward each side
        // (the object around what lies there; a cell stands for its table).
        engine::Ref<engine::Element> grabbed;
        for (const QPoint& probe : moveresize_detail::handleProbes()) {
            engine::Ref<engine::Element> element;
            if (GetElementFromPoint(QPoint(x, y) + probe, element) != S_OK)
                continue;
            while (element && !engine::ControlRange::accepts(element.get()))
                element = element->parentElement();
            if (!element ||
                (element->hasTag(QLatin1String("TD")) && FindParentByTag(element, QStringLiteral("TABLE")) != S_OK))
                continue;
            const int code = HitTestHandle(grown(element.get()), p);
            if (code > 1) {
                m_nSizeHandle = code;
                grabbed = element;
                break;
            }
        }
        if (grabbed) {
            remember(grabbed.get());
            SelectControlElement(grabbed.get());
        }
    } else {
        // 3. A handle of a selected object; that object becomes the first.
        int pressed = -1;
        for (int i = 0; i < int(selected.size()); ++i) {
            const int code = HitTestHandle(grown(selected[size_t(i)].get()), p);
            if (code > 1) {
                pressed = i;
                m_nSizeHandle = code;
            }
            remember(selected[size_t(i)].get());
        }
        if (pressed > 0 && selected.size() > 1) {
            std::rotate(selected.begin(), selected.begin() + pressed, selected.begin() + pressed + 1);
            std::rotate(m_movePoints.begin(), m_movePoints.begin() + pressed, m_movePoints.begin() + pressed + 1);
            std::rotate(m_moveSizes.begin(), m_moveSizes.begin() + pressed, m_moveSizes.begin() + pressed + 1);
            if (engine::Document* doc = document())
                doc->selection().setControlRange(selected);
        }
    }
    // 4. Where the handle was grabbed.
    m_ptDragGrip = p;
    return m_nSizeHandle > 1;
}

void CImpIDispatch::ResizeByHandle(int x, int y)
{
    namespace detail = moveresize_detail;
    engine::PageView* page = pageView();
    const std::vector<engine::Ref<engine::Element>> selected = controlSelection();
    if (!page || selected.empty())
        return;
    // 1. The pointer's way since the press; what one object's limits change
    // of it carries on to the next.
    QPoint p(x, y);
    AddBodyScrollOffset(p);
    int dx = p.x() - m_ptDragGrip.x();
    int dy = p.y() - m_ptDragGrip.y();
    const detail::Grid grid = detail::gridOf(CMainFrame::instance());
    const engine::EventObject* event = page->windowEvent();
    const bool shift = event && event->shiftKey;
    const int handle = m_nSizeHandle;
    const bool top = handle & 2;
    const bool bottom = handle & 4;
    const bool left = handle & 8;
    const bool right = handle & 16;
    const size_t count = std::min({selected.size(), m_movePoints.size(), m_moveSizes.size()});
    for (size_t i = 0; i < count; ++i) {
        engine::Element* element = selected[i].get();
        // 2. Where the object stood and how large it was at the press.
        const int ox = m_movePoints[i].x();
        const int oy = m_movePoints[i].y();
        int w = m_moveSizes[i].width();
        int h = m_moveSizes[i].height();
        const platform::Rect r = GetObjectRect(element);
        const int cw = GetPixelWidth(element);
        const int ch = GetPixelHeight(element);
        // 3.-4. The dragged edges, snapped; never past the page's top or left.
        if (top) {
            if (grid.snap)
                dy += SnapToGrid(oy + dy, grid.size) - (oy + dy);
            if (oy + dy < 0)
                dy = -oy;
            h -= dy;
        } else if (bottom) {
            if (grid.snap) {
                const int b = r.bottom + h + dy - ch;
                dy += SnapToGrid(b, grid.size) - b + 1;
            }
            h += dy;
        }
        if (left) {
            if (grid.snap)
                dx += SnapToGrid(ox + dx, grid.size) - (ox + dx);
            if (ox + dx < 0)
                dx = -ox;
            w -= dx;
        } else if (right) {
            if (grid.snap) {
                const int b = r.right + w + dx - cw;
                dx += SnapToGrid(b, grid.size) - b + 1;
            }
            w += dx;
        }
        // 5. Never below nothing.
        if (h < 0) {
            dy += h;
            h = 0;
        }
        if (w < 0) {
            dx += w;
            w = 0;
        }
        // 6. With Shift the proportions the first object had when Shift went
        // down (an object without width or height has none to keep).
        if (shift) {
            if (m_dAspectRatio == -1.0 && cw > 0 && ch > 0)
                m_dAspectRatio = double(cw) / double(ch);
            const double ratio = m_dAspectRatio;
            if (ratio > 0) {
                if ((top || bottom) && !(left || right)) {
                    w = int(h * ratio);
                } else if ((left || right) && !(top || bottom)) {
                    h = int(w / ratio);
                } else {
                    const int a = int(w / ratio);
                    if (a > h) {
                        if (top)
                            dy += h - a;
                        h = a;
                    } else {
                        const int b = int(h * ratio);
                        if (left)
                            dx += w - b;
                        w = b;
                    }
                }
                if (h == 0) {
                    h = 1;
                    dy -= 1;
                }
                if (w == 0) {
                    w = 1;
                    dx -= 1;
                }
            }
        } else {
            m_dAspectRatio = -1.0;
        }
        // 7. A table keeps a width.
        if (element->hasTag(QLatin1String("TABLE")) && w == 0) {
            w = 1;
            dx -= 1;
        }
        // 8. The size, then the position from what the page took of it, so
        // that the opposite edge stays where it was.
        engine::Style& style = element->style();
        style.setAttribute(QStringLiteral("width"), engine::Variant(w));
        style.setAttribute(QStringLiteral("height"), engine::Variant(h));
        const int nw = GetPixelWidth(element);
        const int nh = GetPixelHeight(element);
        if (top)
            style.setAttribute(QStringLiteral("top"), engine::Variant(oy + dy + h - nh));
        if (left)
            style.setAttribute(QStringLiteral("left"), engine::Variant(ox + dx + w - nw));
        style.setAttribute(QStringLiteral("width"), engine::Variant(nw));
        style.setAttribute(QStringLiteral("height"), engine::Variant(nh));
    }
    // 9. The page has changed.
    SetPageChanged();
}
