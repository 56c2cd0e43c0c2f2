#include "controls/Draw3dRect.h"

#include <QPainter>

using platform::Rect;
using platform::toQColor;

void Draw3dRect(QPainter& dc, const Rect& r, platform::ColorRef topLeft, platform::ColorRef bottomRight)
{
    if (r.isEmpty())
        return;
    dc.fillRect(QRect(r.left, r.top, r.width() - 1, 1), toQColor(topLeft));
    dc.fillRect(QRect(r.left, r.top, 1, r.height() - 1), toQColor(topLeft));
    dc.fillRect(QRect(r.right - 1, r.top, 1, r.height()), toQColor(bottomRight));
    dc.fillRect(QRect(r.left, r.bottom - 1, r.width(), 1), toQColor(bottomRight));
}

void FillOutlinedRect(QPainter& dc, const Rect& r, platform::ColorRef fill, platform::ColorRef outline)
{
    if (r.isEmpty())
        return;
    dc.fillRect(r.toQRect(), toQColor(outline));
    const Rect inner = ShrunkRect(r, 1);
    if (!inner.isEmpty())
        dc.fillRect(inner.toQRect(), toQColor(fill));
}

Rect ShrunkRect(Rect rect, int amount)
{
    rect.inflate(-amount, -amount);
    return rect;
}
