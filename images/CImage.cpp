#include "images/CImage.h"

#include "controls/TransparentBlt.h"
#include "images/ImageCodec.h"
#include "images/ImageColors.h"
#include "images/RasterBitmap.h"

#include <QPainter>

CImage::CImage(const QString& path, int type, bool flag, platform::ColorRef preferredKey)
{
    Q_UNUSED(flag);
    const DecodedImage decoded = DecodeImageFileAs(path, type == 1 ? ImageFormat::Gif : ImageFormatOfName(path));
    if (decoded.isNull())
        return;
    m_image = decoded.image;
    m_palette = decoded.palette;
    if (decoded.transparentIndex < 0 || !decoded.transparentColor)
        return;
    m_transparentIndex = decoded.transparentIndex;
    const QRgb own = *decoded.transparentColor;
    m_transparentColor = platform::rgb(qRed(own), qGreen(own), qBlue(own));
    if (preferredKey == kNoTransparentColor)
        return;
    // The key takes the transparent entry's place.
    m_transparentColor = preferredKey;
    const QRgb key =
        qRgba(platform::redOf(preferredKey), platform::greenOf(preferredKey), platform::blueOf(preferredKey), 0);
    m_palette[m_transparentIndex] = key;
    for (int y = 0; y < m_image.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(m_image.scanLine(y));
        for (int x = 0; x < m_image.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                line[x] = key;
        }
    }
}

void CImage::Close()
{
    m_image = QImage();
    m_palette.clear();
    m_transparentIndex = -1;
    m_transparentColor = kNoTransparentColor;
}

platform::ColorRef CImage::GetTransparentColor() const
{
    return m_transparentColor;
}

int CImage::FindPaletteIndex(platform::ColorRef color) const
{
    const QRgb wanted = ColorRefToRgb(color);
    for (qsizetype i = 0; i < m_palette.size(); ++i) {
        if ((m_palette.at(i) & 0x00FFFFFFu) == (wanted & 0x00FFFFFFu))
            return int(i);
    }
    return -1;
}

QImage CImage::MakeBitmap() const
{
    // Transparent pixels carry the transparent colour already.
    return OpaqueBitmap(m_image, m_transparentIndex >= 0 ? TransparentPixels::OwnColour : TransparentPixels::OverWhite);
}

void CImage::Draw(QPainter& painter, const QRect& target, const QRect& source) const
{
    if (m_image.isNull() || target.isEmpty())
        return;
    QRect from = source;
    if (from.width() < 0 || from.height() < 0)
        from = m_image.rect();
    from &= m_image.rect();
    if (from.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_image, from);
    painter.restore();
}
