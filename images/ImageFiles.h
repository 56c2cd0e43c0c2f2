#pragma once

#include "platform/ColorRef.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <array>

// Measuring image files, loading them into opaque bitmaps with their
// transparent colour, and writing bitmaps as GIF files with a key colour.
//
// Colours are ColorRef values; kNoTransparentColor (0xFFFFFFFF, -1) means no
// transparent or key colour. A bitmap is an opaque QImage (RGB32) in which the
// transparent pixels have the transparent colour.

// The nine colours that mark the transparent pixels of generated images, in
// the order they are tried (the banner maker's default key is the first).
inline constexpr std::array<platform::ColorRef, 9> kKeyColors = {0x08FF08u, 0xFF0808u, 0x0808FFu, 0xFF08FFu, 0xFFFF08u,
                                                                 0x08FFFFu, 0xFF00FFu, 0x10FFFFu, 0xFFFF10u};

// The pixel size of an image file (GIF, PNG, JPEG or BMP; the first frame of
// an animation), read from its header only. (0, 0) when the path has no
// dot, or the file cannot be read or is no picture the program opens:
// callers then fall back to a size of their own.
QSize GetImageFileSize(const QString& path);

// Tells the user that the file is no picture the decoders read.
void TellUnreadableImage(const QString& path);
// True when the file is no picture the decoders read (its size is empty):
// the user is then told, and nothing should be placed from it.
bool RefuseUnreadableImage(const QString& path);

// Whether the path takes the GIF route: the text after its last dot is "gif"
// in any case.
bool IsGifPath(const QString& path);

// The picture as a bitmap with its transparent colour (kNoTransparentColor
// when it has none) in `transparentOut`, its size after any scaling in
// `sizeOut`. GIFs go through LoadGifBitmap, every other path through
// LoadRasterImageBitmap. A null image, with the outputs untouched, when the
// path has no dot or the file cannot be decoded.
QImage LoadImageBitmap(const QString& path, platform::ColorRef& transparentOut, QSize* sizeOut = nullptr,
                       const QSize* targetSize = nullptr, platform::ColorRef preferredKey = 0xFFFFFFFFu);

// A GIF's bitmap; its transparent pixels take the preferred key (which is then
// the transparent colour) when it is a colour. The target size is not used.
QImage LoadGifBitmap(const QString& path, platform::ColorRef& transparentOut, QSize* sizeOut = nullptr,
                     const QSize* targetSize = nullptr, platform::ColorRef preferredKey = 0xFFFFFFFFu);

// Any other picture's bitmap, resampled to the target size when one is given.
// Without a target size, a palette picture whose transparent pixels are marked
// by a palette entry gets the first of the first eight key colours its palette
// lacks in that entry, and reports it as its transparent colour.
QImage LoadRasterImageBitmap(const QString& path, platform::ColorRef& transparentOut, QSize* sizeOut = nullptr,
                             const QSize* targetSize = nullptr);

// Writes the bitmap as a GIF whose transparent colour is the key's (no
// transparency for kNoTransparentColor). False, with the old file left as it
// was, when it cannot be written; LastImageWriteError() says why.
bool SaveBitmapAsGif(const QImage& bitmap, const QString& gifPath, platform::ColorRef keyColour);
