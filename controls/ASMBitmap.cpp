#include "controls/ASMBitmap.h"

#include "controls/ThreePartLayout.h"

namespace asmbitmap_detail {

// Runs one transfer with the raster operation, leaving the painter as it was.
class RopScope
{
public:
    RopScope(QPainter& dc, QPainter::CompositionMode rop) : m_dc(dc), m_old(dc.compositionMode())
    {
        m_dc.setCompositionMode(rop);
    }
    ~RopScope() { m_dc.setCompositionMode(m_old); }

private:
    QPainter& m_dc;
    QPainter::CompositionMode m_old;
};

} // namespace asmbitmap_detail

bool ASMBitmap::LoadFromFile(const QString& path)
{
    Attach(QImage());
    QImage loaded(path);
    if (loaded.isNull())
        return false;
    Attach(loaded);
    return true;
}

void ASMBitmap::Attach(const QImage& image)
{
    m_image = image;
    m_nWidth = image.width();
    m_nHeight = image.height();
}

void ASMBitmap::resolveSize(int& width, int& height) const
{
    if (width == -1)
        width = m_nWidth;
    if (height == -1)
        height = m_nHeight;
}

bool ASMBitmap::Draw(int x, int y, int width, int height, int sourceX, int sourceY, QPainter& dc, RasterOp rop,
                     platform::ColorRef transparent) const
{
    if (m_image.isNull())
        return false;
    resolveSize(width, height);
    if (transparent != kNoTransparentColor) {
        DrawTransparentBlt(dc, x, y, width, height, transparent, m_image, sourceX, sourceY);
        return true;
    }
    asmbitmap_detail::RopScope scope(dc, rop);
    dc.drawImage(QPoint(x, y), m_image, QRect(sourceX, sourceY, width, height));
    return true;
}

bool ASMBitmap::DrawStretched(int x, int y, int width, int height, int sourceX, int sourceY, int sourceWidth,
                              int sourceHeight, QPainter& dc, RasterOp rop, platform::ColorRef transparent) const
{
    if (m_image.isNull())
        return false;
    resolveSize(width, height);
    resolveSize(sourceWidth, sourceHeight);
    if (width <= 0 || height <= 0)
        return false;
    const QRect source(sourceX, sourceY, sourceWidth, sourceHeight);
    if (transparent == kNoTransparentColor) {
        asmbitmap_detail::RopScope scope(dc, rop);
        dc.drawImage(QRect(x, y, width, height), m_image, source);
        return true;
    }
    // Stretch first, then leave the colour out, so that scaling never blends the
    // transparent colour into its neighbours' edges.
    const QImage stretched = m_image.copy(source).scaled(width, height);
    DrawTransparentBlt(dc, x, y, width, height, transparent, stretched, 0, 0);
    return true;
}

bool ASMBitmap::DrawThreePart(int x, int y, int width, int height, int flags, int firstSize, int endStart, int sourceX,
                              int sourceY, int sourceWidth, int sourceHeight, QPainter& dc, RasterOp rop) const
{
    if (m_image.isNull())
        return false;
    resolveSize(width, height);
    resolveSize(sourceWidth, sourceHeight);
    asmbitmap_detail::RopScope scope(dc, rop);
    for (const ThreePartPiece& p : ThreePartLayout(x, y, width, height, flags, firstSize, endStart, sourceX, sourceY,
                                                   sourceWidth, sourceHeight)) {
        dc.drawImage(p.target.toQRect(), m_image, p.source.toQRect());
    }
    return true;
}
