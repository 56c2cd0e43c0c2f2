#pragma once

#include "controls/TransparentBlt.h"

#include <QImage>
#include <QPainter>
#include <QString>

// A skin bitmap loaded from an image file, with its size cached, drawn plainly,
// with one colour left out, stretched, or in three parts. A width or height of -1
// means the bitmap's own; a transparent colour of kNoTransparentColor leaves no
// colour out. The raster operation of a transfer is a composition mode.
class ASMBitmap
{
public:
    using RasterOp = QPainter::CompositionMode;
    static constexpr RasterOp kCopy = QPainter::CompositionMode_SourceOver;

    // Drops the bitmap held, then loads the file. False when it does not load.
    bool LoadFromFile(const QString& path);
    // Takes a picture already in memory (the bitmap held is dropped).
    void Attach(const QImage& image);

    bool Draw(int x, int y, int width, int height, int sourceX, int sourceY, QPainter& dc, RasterOp rop = kCopy,
              platform::ColorRef transparent = kNoTransparentColor) const;
    bool DrawStretched(int x, int y, int width, int height, int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                       QPainter& dc, RasterOp rop = kCopy, platform::ColorRef transparent = kNoTransparentColor) const;
    // Flags: kThreePartVertical, kThreePartTileMiddle (ThreePartLayout.h).
    bool DrawThreePart(int x, int y, int width, int height, int flags, int firstSize, int endStart, int sourceX,
                       int sourceY, int sourceWidth, int sourceHeight, QPainter& dc, RasterOp rop = kCopy) const;

    bool isNull() const { return m_image.isNull(); }
    const QImage& image() const { return m_image; }

    int m_nWidth = 0;
    int m_nHeight = 0;

private:
    // A width or height of -1 stands for the bitmap's own.
    void resolveSize(int& width, int& height) const;

    QImage m_image;
};
