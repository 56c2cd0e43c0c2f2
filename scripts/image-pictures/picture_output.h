#pragma once

// Where the picture scripts write: files below the repository root given on
// their command line, PNG through Qt and GIF through Magick++.
#include <Magick++.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QString>

namespace {

QString root;

QString out(const QString& relative)
{
    const QString path = root + QLatin1Char('/') + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    return path;
}

// A GIF with binary transparency: pixels of alpha below 128 are transparent.
void saveGif(const QImage& picture, const QString& relative)
{
    QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    bool transparent = false;
    for (int y = 0; y < argb.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(line[x]) < 128) {
                line[x] = 0;
                transparent = true;
            } else {
                line[x] |= 0xFF000000u;
            }
        }
    }
    Magick::Image image(size_t(argb.width()), size_t(argb.height()), "BGRA", Magick::CharPixel, argb.constBits());
    image.matte(transparent);
    image.quantizeDither(false);
    image.quantizeColors(transparent ? 255 : 256);
    image.quantize();
    image.magick("GIF");
    image.write(out(relative).toStdString());
}

} // namespace
