#include "controls/CCISBitmap.h"

#include <QPainter>

void CCISBitmap::DrawTransparent(QPainter& dc, int x, int y, platform::ColorRef transparent) const
{
    if (m_image.isNull())
        return;
    QImage picture = m_image;
    if (picture.format() == QImage::Format_Mono || picture.format() == QImage::Format_MonoLSB) {
        // A monochrome picture takes the text colour for 0 and the background colour for 1.
        picture.setColorTable({platform::toQColor(m_crText).rgb(), platform::toQColor(m_crBack).rgb()});
    }
    DrawTransparentBlt(dc, x, y, picture.width(), picture.height(), transparent, picture, 0, 0);
}
