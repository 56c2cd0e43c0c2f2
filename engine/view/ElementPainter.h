#pragma once

#include <QRect>

class QPainter;

namespace engine {

// A behaviour that paints on an element of the page in design mode (the
// program's grid, guides and markers). `bounds` is the element's border box
// in view coordinates after scrolling (for BODY the whole canvas placed at
// minus the scroll offsets), `update` the area being painted, in the same
// coordinates.
class ElementPainter
{
public:
    enum Flag { Transparent = 2 };
    enum ZOrder { BelowContent = 4, AboveContent = 7 };

    virtual ~ElementPainter() = default;
    virtual int flags() const { return Transparent; }
    virtual int zOrder() const { return AboveContent; }
    virtual void draw(QPainter& painter, const QRect& bounds, const QRect& update, int flags) = 0;
};

} // namespace engine
