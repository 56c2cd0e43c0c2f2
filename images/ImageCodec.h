#pragma once

#include "platform/FileFault.h"

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

// The program's one door to the image library for picture files: measuring,
// decoding and writing GIF, PNG, JPEG and BMP. Nothing here throws; a file
// that cannot be read or written gives an empty result and a reason.
//
// The library never sees a path: files are read and written here (a write
// replaces the old file only once the new one is complete), and the format is
// named from the file's extension. When the named format refuses the bytes
// and they begin with the signature of one of the four formats, that format
// decodes them; no other decoder is ever tried.

enum class ImageFormat { Unknown, Gif, Png, Jpeg, Bmp };

// The format a file name's extension names (case-blind: gif, png, jpg, jpeg,
// jpe, bmp); Unknown for any other name.
ImageFormat ImageFormatOfName(const QString& path);
// The format whose signature the bytes begin with, or Unknown.
ImageFormat ImageFormatOfSignature(const QByteArray& head);

struct DecodedImage
{
    // RGB32 for an opaque picture, ARGB32 (not premultiplied) for one with
    // transparency; null when the file could not be decoded.
    QImage image;
    // The colour map of a palette picture (GIF, palette PNG, 8-bit BMP) with
    // each entry's alpha; empty for a true-colour picture.
    QList<QRgb> palette;
    // The palette entry that marks transparent pixels, or -1.
    int transparentIndex = -1;
    // The colour of the transparent pixels when they are marked by one colour
    // (the transparent palette entry, or a true-colour picture's colour key):
    // every pixel of alpha 0 has it. Opaque (alpha 255) in the value.
    std::optional<QRgb> transparentColor;
    // The picture's own size. A reduced decode (DecodeImageFileReduced)
    // gives a smaller image; a full one gives the image's size.
    QSize fullSize;
    ImageFormat format = ImageFormat::Unknown;
    QString error;

    bool isNull() const { return image.isNull(); }
};

// The picture's size read from its header only (the first frame of an
// animation); an invalid size when the file cannot be read, is not one of the
// four formats, or is beyond the decoding limits.
QSize PingImageFile(const QString& path);

// The first frame of the picture, decoded. Pictures beyond the decoding
// limits (engine::imageSideLimit, engine::imageAreaLimit) are refused before
// any pixel is decoded. A truncated file decodes as far as it goes where the
// format allows it.
DecodedImage DecodeImageFile(const QString& path);
// The same, with the format named by the caller instead of by the extension.
DecodedImage DecodeImageFileAs(const QString& path, ImageFormat named);
DecodedImage DecodeImageData(const QByteArray& data, ImageFormat named);

// The picture decoded for a smaller copy: `wanted` is told the picture's own
// size and gives the least size the copy needs; a JPEG is then decoded
// reduced by the largest factor that keeps it at least that large in both
// directions (other formats decode whole). `fullSize` tells the picture's
// own size.
DecodedImage DecodeImageFileReduced(const QString& path, const std::function<QSize(QSize)>& wanted);

// Writes the picture as a GIF: pixels of the transparent colour (alpha
// ignored), and pixels of alpha below 128, become the GIF's transparent
// colour; the rest is mapped to at most 256 colours without dithering, so no
// opaque pixel falls on the transparent entry. False, with any old file left
// as it was, when the file cannot be written.
bool WriteGifFile(const QImage& image, const QString& path, std::optional<QRgb> transparentColor = std::nullopt);

// Writes the picture as a 24-bit PNG. With a transparent colour, its pixels
// are marked transparent in the file (a colour key); other transparency is
// laid over white.
bool WritePng24File(const QImage& image, const QString& path, std::optional<QRgb> transparentColor = std::nullopt);

// Why the last write on this thread failed (NotEncoded when the library
// could not make the picture's bytes), for the program to word.
platform::FileFault LastImageWriteFault();
