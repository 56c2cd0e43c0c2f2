#include "editor/painters/CHTMLPainterImageMap.h"

#include "app/CZQView.h"
#include "editor/imagemap/ImageMapAreas.h"

#include "engine/dom/Document.h"
#include "engine/editing/Selection.h"
#include "engine/view/PageView.h"

#include <QPainter>

#include <algorithm>

namespace painterimagemap_detail {

// A number of an area placed on the page; far-off values are brought near
// enough for the painter, which clips them to the image anyway.
int placed(int value, int offset)
{
    constexpr qint64 kReach = 1 << 20;
    return int(std::clamp<qint64>(qint64(value) + offset, -kReach, kReach));
}

QPoint placed(int x, int y, QPoint origin)
{
    return QPoint(placed(x, origin.x()), placed(y, origin.y()));
}

void drawHandle(QPainter& painter, QPoint at)
{
    painter.fillRect(AreaHandleRect(at), Qt::black);
}

bool showsHandles(int state)
{
    return state == CHTMLPainterImageMap::Selected || state == CHTMLPainterImageMap::Moved ||
           state == CHTMLPainterImageMap::Reshaped;
}

} // namespace painterimagemap_detail

bool CHTMLPainterImageMap::DrawArea(QPainter& painter, QPoint origin, const QString& shape, int state,
                                    const std::vector<int>& coords, QPoint rubber)
{
    using painterimagemap_detail::drawHandle;
    using painterimagemap_detail::placed;
    const AreaShape kind = AreaShapeOf(shape);
    if (kind == AreaShape::Other)
        return true;
    if (int(coords.size()) < AreaNumbersToRead(kind))
        return false;
    painter.save();
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(Qt::NoBrush);
    const bool handles = painterimagemap_detail::showsHandles(state);
    if (kind == AreaShape::Rect || kind == AreaShape::Circle) {
        // The corners as drawn: a rect's own corners, a circle's bounding
        // square. A rect stored with x1 > x2 draws the same lines.
        const std::vector<QPoint> corners = AreaHandles(kind, coords);
        const QPoint a = placed(corners[0].x(), corners[0].y(), origin);
        const QPoint b = placed(corners[3].x(), corners[3].y(), origin);
        const QPoint tl(std::min(a.x(), b.x()), std::min(a.y(), b.y()));
        const QPoint br(std::max(a.x(), b.x()), std::max(a.y(), b.y()));
        if (kind == AreaShape::Rect) {
            const QPoint tr(br.x(), tl.y()), bl(tl.x(), br.y());
            painter.drawLine(tl, tr);
            painter.drawLine(tr, br);
            painter.drawLine(br, bl);
            painter.drawLine(bl, tl);
        } else {
            painter.drawEllipse(QRect(tl, QSize(br.x() - tl.x(), br.y() - tl.y())));
        }
        if (handles) {
            for (const QPoint& corner : corners)
                drawHandle(painter, placed(corner.x(), corner.y(), origin));
        }
        painter.restore();
        return true;
    }
    // A poly: its complete vertices, closed back to the first.
    const size_t k = coords.size() / 2;
    QPolygon points;
    points.reserve(int(k) + 2);
    for (size_t i = 0; i < k; ++i)
        points.append(placed(coords[2 * i], coords[2 * i + 1], origin));
    if (k > 0) {
        if (state == Drawn) {
            // Being drawn: an edge to the mouse and from the mouse back.
            points.append(placed(rubber.x(), rubber.y(), origin));
            points.append(points.front());
            painter.drawPolyline(points);
            for (int i = 0; i + 1 < points.size(); ++i)
                drawHandle(painter, points[i]);
        } else {
            points.append(points.front());
            painter.drawPolyline(points);
            if (handles) {
                for (int i = 0; i + 1 < points.size(); ++i)
                    drawHandle(painter, points[i]);
            }
        }
    }
    painter.restore();
    return true;
}

void CHTMLPainterImageMap::draw(QPainter& painter, const QRect& bounds, const QRect& update, int flags)
{
    Q_UNUSED(update);
    Q_UNUSED(flags);
    // 1.-3. Only while the image or one of its areas is the selected control.
    engine::Document* doc = m_pSitePage ? m_pSitePage->document() : nullptr;
    if (!doc || doc->selection().type() != engine::Selection::Type::Control)
        return;
    const std::vector<engine::Ref<engine::Element>> selected = doc->selection().controlElements();
    if (selected.empty() ||
        !(selected.front()->hasTag(QLatin1String("IMG")) || selected.front()->hasTag(QLatin1String("AREA"))))
        return;
    // A poly being drawn needs its view's rubber point.
    const bool rubberNeeded = m_nState == Drawn && AreaShapeOf(m_strShape) == AreaShape::Poly;
    if (rubberNeeded && !m_pView)
        return;
    // 4.-6. The area, kept inside the image as the page keeps its painters.
    painter.save();
    painter.setClipRect(bounds, Qt::IntersectClip);
    DrawArea(painter, bounds.topLeft(), m_strShape, m_nState, m_coords, m_pView ? m_pView->m_ptPolyRubber : QPoint());
    painter.restore();
}
