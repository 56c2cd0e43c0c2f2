#pragma once

#include "editor/painters/CHTMLPainter.h"

#include "engine/dom/Ref.h"

#include <QPoint>
#include <QPointer>
#include <QString>

#include <vector>

class CZQView;

namespace engine {
class Element;
} // namespace engine

// Paints one area of the image map being edited above its IMG: the outline
// in a 2-pixel black pen and, while the area is selected, moved or reshaped,
// its handles as filled 6 x 6 squares. The image-map editor makes one painter
// per area of the map and one for the area being drawn, attaches them all to
// the IMG and changes their fields as the mouse works; each change is followed
// by InvalidatePainter, which repaints the image. The areas show only while
// the image (or one of its areas) is the page's control selection, and never
// outside the image's box.
class CHTMLPainterImageMap : public CHTMLPainter
{
public:
    // Drawing states.
    enum State { Constructed = 0, Normal = 1, Selected = 2, Drawn = 3, Moved = 4, Reshaped = 5 };

    int zOrder() const override { return AboveContent; }
    void draw(QPainter& painter, const QRect& bounds, const QRect& update, int flags) override;

    // Draws an area whose image has its top-left at `origin`. A poly being
    // drawn (state 3) runs from its vertices to the rubber point and back to
    // the first vertex, with a handle at each. False when the list is too
    // short for the shape (rect 4, circle 3, poly 1) or the shape is not one.
    static bool DrawArea(QPainter& painter, QPoint origin, const QString& shape, int state,
                         const std::vector<int>& coords, QPoint rubber);

    QString m_strShape = QStringLiteral("none"); // "rect", "circle", "poly" or "polygon"
    int m_nState = Constructed;
    QString m_strId;           // the id of the AREA it paints; the editor finds painters by it
    std::vector<int> m_coords; // the area's numbers in image coordinates
    // The page view whose editor made it: its polygon's rubber point.
    QPointer<CZQView> m_pView;
    // The AREA it paints (null for an area being drawn): how an area without
    // an id keeps its painter.
    engine::Ref<engine::Element> m_pArea;
    // The IMG it was attached to last.
    engine::Ref<engine::Element> m_pImage;
};
