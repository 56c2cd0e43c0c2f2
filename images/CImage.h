#pragma once

#include "platform/ColorRef.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

class QPainter;

// A GIF picture read with its size, palette and transparent colour, made into
// an opaque bitmap for drawing, or drawn stretched.
//
// A preferred key colour given at construction takes the place of the
// transparent entry's colour: the bitmap's transparent pixels have it and it
// is the transparent colour reported. Colours are ColorRef values,
// kNoTransparentColor (-1) for none.
class CImage
{
public:
    // Type 1 reads a GIF (a file of another format in GIF's place is read by
    // its signature); any other type reads the format the name gives. The flag
    // is not used.
    CImage(const QString& path, int type = 1, bool flag = false, platform::ColorRef preferredKey = 0xFFFFFFFFu);

    bool IsValid() const { return !m_image.isNull(); }
    void Close();

    int GetWidth() const { return m_image.width(); }
    int GetHeight() const { return m_image.height(); }

    // The transparent palette index and colour; -1 when the picture has none.
    int GetTransparentIndex() const { return m_transparentIndex; }
    platform::ColorRef GetTransparentColor() const;

    // The palette index of the colour, or -1 when the palette lacks it.
    int FindPaletteIndex(platform::ColorRef color) const;

    // An opaque bitmap (RGB32) whose transparent pixels take the transparent colour.
    QImage MakeBitmap() const;

    // Draws the picture stretched into the target, transparent pixels left
    // out. The source (0, 0, -1, -1) is the whole picture.
    void Draw(QPainter& painter, const QRect& target, const QRect& source = QRect(0, 0, -1, -1)) const;

private:
    QImage m_image; // ARGB32 or RGB32
    QList<QRgb> m_palette;
    int m_transparentIndex = -1;
    platform::ColorRef m_transparentColor = 0xFFFFFFFFu;
};
