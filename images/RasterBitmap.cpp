#include "images/RasterBitmap.h"
#include "images/ImageColors.h"

#include "images/ImageCodec.h"

#include <QPainter>

QImage ScaleKeyed(const QImage& image, int width, int height, QRgb key)
{
    key &= 0x00FFFFFFu;
    // Key pixels become transparent, so scaling weighs them out of their
    // neighbours instead of mixing the key into them.
    QImage marked = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < marked.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(marked.scanLine(y));
        for (int x = 0; x < marked.width(); ++x) {
            if (qAlpha(line[x]) == 0 || (line[x] & 0x00FFFFFFu) == key)
                line[x] = 0;
            else
                line[x] |= 0xFF000000u;
        }
    }
    QImage scaled = marked.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                        .scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                        .convertToFormat(QImage::Format_ARGB32);
    QImage result(scaled.size(), QImage::Format_RGB32);
    for (int y = 0; y < scaled.height(); ++y) {
        const QRgb* from = reinterpret_cast<const QRgb*>(scaled.constScanLine(y));
        QRgb* to = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < scaled.width(); ++x) {
            QRgb pixel = from[x] | 0xFF000000u;
            // An opaque colour that came out equal to the key moves one step off it.
            if ((pixel & 0x00FFFFFFu) == key)
                pixel ^= 0x00000001u;
            to[x] = qAlpha(from[x]) >= 128 ? pixel : (key | 0xFF000000u);
        }
    }
    return result;
}

namespace {

QImage flattenedBitmap(const QImage& image, TransparentPixels transparent, QRgb key)
{
    if (image.isNull())
        return QImage();
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage bitmap(image.size(), QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    {
        QPainter painter(&bitmap);
        painter.drawImage(0, 0, image);
    }
    if (transparent == TransparentPixels::OverWhite)
        return bitmap;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb* from = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        QRgb* to = reinterpret_cast<QRgb*>(bitmap.scanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(from[x]) == 0)
                to[x] = (transparent == TransparentPixels::Key ? key : from[x]) | 0xFF000000u;
        }
    }
    return bitmap;
}

} // namespace

QImage OpaqueBitmap(const QImage& image, TransparentPixels transparent)
{
    return flattenedBitmap(image, transparent, 0);
}

QImage OpaqueBitmap(const QImage& image, QRgb key)
{
    return flattenedBitmap(image, TransparentPixels::Key, key);
}

bool RasterBitmap::Load(const QString& path)
{
    *this = RasterBitmap();
    const DecodedImage decoded = DecodeImageFile(path);
    if (decoded.isNull())
        return false;
    m_image = decoded.image;
    m_palette = decoded.palette;
    m_transparentIndex = decoded.transparentColor ? decoded.transparentIndex : -1;
    m_transparencyEnabled = decoded.transparentColor.has_value();
    m_transparentColor = decoded.transparentColor.value_or(0);
    return true;
}

bool RasterBitmap::Size(int width, int height)
{
    if (m_image.isNull() || width < 1 || height < 1)
        return false;
    if (m_transparencyEnabled) {
        // Back to a picture whose transparent pixels have alpha 0 and the key's colour.
        m_image =
            ScaleKeyed(ConvertToBitmap(), width, height, m_transparentColor).convertToFormat(QImage::Format_ARGB32);
        const QRgb key = m_transparentColor & 0x00FFFFFFu;
        for (int y = 0; y < m_image.height(); ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(m_image.scanLine(y));
            for (int x = 0; x < m_image.width(); ++x) {
                if ((line[x] & 0x00FFFFFFu) == key)
                    line[x] = key;
            }
        }
    } else if (m_image.hasAlphaChannel()) {
        m_image = m_image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                      .scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                      .convertToFormat(QImage::Format_ARGB32);
    } else {
        m_image = m_image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    m_palette.clear();
    m_transparentIndex = -1;
    return !m_image.isNull();
}

QList<platform::ColorRef> RasterBitmap::GetColors() const
{
    QList<platform::ColorRef> colors;
    colors.reserve(m_palette.size());
    for (QRgb entry : m_palette)
        colors.append(RgbToColorRef(entry));
    return colors;
}

void RasterBitmap::PutColors(const QList<platform::ColorRef>& colors)
{
    const qsizetype count = std::min(colors.size(), m_palette.size());
    for (qsizetype i = 0; i < count; ++i) {
        const QRgb old = m_palette.at(i);
        const QRgb now = (ColorRefToRgb(colors.at(i)) & 0x00FFFFFFu) | (old & 0xFF000000u);
        if (now == old)
            continue;
        m_palette[i] = now;
        const bool transparentEntry = i == m_transparentIndex;
        if (transparentEntry && m_transparentColor == (old | 0xFF000000u))
            m_transparentColor = now | 0xFF000000u;
        // The entry's pixels: the transparent ones for the transparent entry,
        // else the opaque pixels of its old colour.
        const QRgb oldRgb = old & 0x00FFFFFFu;
        for (int y = 0; y < m_image.height(); ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(m_image.scanLine(y));
            for (int x = 0; x < m_image.width(); ++x) {
                const QRgb pixel = line[x];
                const bool match = transparentEntry ? m_image.hasAlphaChannel() && qAlpha(pixel) == 0
                                                    : (!m_image.hasAlphaChannel() || qAlpha(pixel) == 255) &&
                                                          (pixel & 0x00FFFFFFu) == oldRgb;
                if (match)
                    line[x] = (now & 0x00FFFFFFu) | (pixel & 0xFF000000u);
            }
        }
    }
}

platform::ColorRef RasterBitmap::GetPlayBackTransparentColor() const
{
    return RgbToColorRef(m_transparentColor);
}

void RasterBitmap::SetPlayBackTransparentColor(platform::ColorRef color)
{
    m_transparentColor = ColorRefToRgb(color);
}

QImage RasterBitmap::ConvertToBitmap() const
{
    if (m_transparencyEnabled)
        return OpaqueBitmap(m_image, m_transparentColor);
    // Pixels of the transparent entry keep the entry's colour while no
    // transparent colour is in use.
    return OpaqueBitmap(m_image, m_transparentIndex >= 0 ? TransparentPixels::OwnColour : TransparentPixels::OverWhite);
}

void RasterBitmap::ConvertFromBitmap(const QImage& bitmap)
{
    *this = RasterBitmap();
    m_image = bitmap.convertToFormat(QImage::Format_RGB32);
}

bool RasterBitmap::Save(const QString& path) const
{
    if (m_image.isNull())
        return false;
    if (m_transparencyEnabled)
        return WritePng24File(ConvertToBitmap(), path, m_transparentColor);
    return WritePng24File(m_image, path);
}
