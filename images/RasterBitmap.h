#pragma once

#include "platform/ColorRef.h"

#include <QImage>
#include <QList>
#include <QString>

// A picture held for the work the image commands do on it: loading any of
// the program's formats, resampling, reading and changing its palette,
// carrying one transparent colour, turning it into an opaque bitmap for
// drawing and back, and saving it as a 24-bit PNG.
//
// Colours are ColorRef values; kNoTransparentColor (-1) means none.
class RasterBitmap
{
public:
    RasterBitmap() = default;

    // Reads the file; false (and an empty bitmap) when it cannot be decoded.
    bool Load(const QString& path);
    bool IsAllocated() const { return !m_image.isNull(); }
    int GetWidth() const { return m_image.width(); }
    int GetHeight() const { return m_image.height(); }

    // Resamples to the size with smooth scaling. While the transparent
    // colour is in use, its pixels stay exactly that colour and no blend of
    // it with its neighbours appears. The palette goes: the picture is then
    // true colour. False for a size below 1 x 1.
    bool Size(int width, int height);

    // The palette of a palette picture, in order; empty for true colour.
    int GetColorCount() const { return int(m_palette.size()); }
    QList<platform::ColorRef> GetColors() const;
    // Replaces the palette's colours (as many as given, from entry 0); the
    // pixels of each changed entry take its new colour.
    void PutColors(const QList<platform::ColorRef>& colors);
    // The palette entry that marks the transparent pixels, or -1.
    int TransparentPaletteIndex() const { return m_transparentIndex; }

    // The transparent colour, used when the bitmap is drawn or saved.
    bool IsPlayBackTransparencyEnabled() const { return m_transparencyEnabled; }
    platform::ColorRef GetPlayBackTransparentColor() const;
    void EnablePlayBackTransparency(bool enable) { m_transparencyEnabled = enable; }
    void SetPlayBackTransparentColor(platform::ColorRef color);

    // An opaque bitmap (RGB32) of the picture: transparent pixels take the
    // transparent colour; other transparency is laid over white.
    QImage ConvertToBitmap() const;
    // Takes an opaque bitmap; no palette, transparency off.
    void ConvertFromBitmap(const QImage& bitmap);

    // Writes a 24-bit PNG; while transparency is on, the pixels of the
    // transparent colour are marked transparent in it. False when the file
    // cannot be written (the old one stays).
    bool Save(const QString& path) const;

    // The picture as decoded (ARGB32 with alpha, or RGB32), for drawing.
    const QImage& image() const { return m_image; }

private:
    QImage m_image;
    QList<QRgb> m_palette;
    int m_transparentIndex = -1;
    bool m_transparencyEnabled = false;
    QRgb m_transparentColor = 0;
};

// An opaque bitmap (RGB32) of a picture. Partial transparency is laid over
// white; fully transparent pixels are white too, keep their own colour, or
// take the key.
enum class TransparentPixels { OverWhite, OwnColour, Key };
QImage OpaqueBitmap(const QImage& image, TransparentPixels transparent);
QImage OpaqueBitmap(const QImage& image, QRgb key);

// Smooth resampling that keeps a colour key crisp: the key's pixels count as
// transparent while scaling, and every pixel of the result is either the key
// or an opaque colour of the picture.
QImage ScaleKeyed(const QImage& image, int width, int height, QRgb key);
