#include "controls/TransparentBlt.h"

#include <QPainter>

QImage ApplyColorKey(const QImage& image, platform::ColorRef key)
{
    if (key == kNoTransparentColor || image.isNull())
        return image;
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb keyRgb = qRgb(platform::redOf(key), platform::greenOf(key), platform::blueOf(key));
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((line[x] & 0x00FFFFFFu) == (keyRgb & 0x00FFFFFFu))
                line[x] = 0;
        }
    }
    return out;
}

void DrawTransparentBlt(QPainter& target, int x, int y, int width, int height, platform::ColorRef transparent,
                        const QImage& source, int sx, int sy)
{
    if (width <= 0 || height <= 0 || source.isNull())
        return;
    const QImage piece = ApplyColorKey(source.copy(sx, sy, width, height), transparent);
    target.drawImage(QPoint(x, y), piece);
}
