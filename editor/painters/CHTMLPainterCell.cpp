#include "editor/painters/CHTMLPainterCell.h"

#include <QPainter>

void CHTMLPainterCell::draw(QPainter& painter, const QRect& bounds, const QRect&, int)
{
    painter.fillRect(bounds, platform::toQColor(kFillColor));
}
