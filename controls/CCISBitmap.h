#pragma once

#include "controls/TransparentBlt.h"

#include <QImage>

class QPainter;

// A bitmap drawn with one colour left out (the image lists' pictures). The text
// and background colours colour the two values of a monochrome picture while it
// is drawn.
class CCISBitmap
{
public:
    virtual ~CCISBitmap() = default;

    void Attach(const QImage& image) { m_image = image; }
    bool isNull() const { return m_image.isNull(); }

    // Draws the whole bitmap at (x, y) leaving out the transparent colour.
    virtual void DrawTransparent(QPainter& dc, int x, int y, platform::ColorRef transparent) const;

    platform::ColorRef m_crText = 0x000000;
    platform::ColorRef m_crBack = 0xFFFFFF;

private:
    QImage m_image;
};
