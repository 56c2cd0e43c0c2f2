#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

// Picture files written byte by byte, so that a test knows exactly what a
// file holds (palette order, transparent entry, canvas, chunk layout) without
// going through the decoder under test.
namespace imagetest {

struct GifFrame
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    QByteArray indices; // width * height palette indices
    int transparentIndex = -1;
};

// A GIF89a with a global palette (padded to a power of two) and the frames
// in order; more than one frame adds the looping extension.
QByteArray gif(int canvasWidth, int canvasHeight, const QList<QRgb>& palette, const QList<GifFrame>& frames);
// One frame covering the canvas.
QByteArray gif(int width, int height, const QList<QRgb>& palette, const QByteArray& indices, int transparentIndex = -1);

// An 8-bit palette PNG; `alphas` gives the tRNS entries (may be shorter than the palette).
QByteArray palettePng(int width, int height, const QList<QRgb>& palette, const QByteArray& indices,
                      const QByteArray& alphas = {});
// A 24-bit PNG, with a tRNS colour key when `key` is given.
QByteArray rgbPng(const QImage& image, const QRgb* key = nullptr);
// A PNG header claiming the size, followed by a little data.
QByteArray pngHeaderOnly(quint32 width, quint32 height);

// An uncompressed 8-bit BMP with a palette.
QByteArray bmp8(int width, int height, const QList<QRgb>& palette, const QByteArray& indices);

// A 1-bit Windows 3.x BMP of black and white stripes (row y: bit x set
// when x + y is odd) whose header states `statedFileSize` as the file's size
// (0: the true size).
QByteArray bmp1(int width, int height, quint32 statedFileSize = 0);

// A PNG with a virtual page (vpAg chunk) of the given size around its picture.
QByteArray withVirtualPage(const QByteArray& png, quint32 pageWidth, quint32 pageHeight);

// A JPEG (through Qt's writer).
QByteArray jpeg(const QImage& image, int quality = 90);

// A picture with something to see in it: bands of colour and a diagonal.
QImage pattern(int width, int height);

// Writes the bytes to dir/name and returns the path.
QString save(const QString& dir, const QString& name, const QByteArray& bytes);
// The file's bytes, empty when it cannot be read.
QByteArray load(const QString& path);

// A PBM, PGM or PPM picture (8 or 16 bits a sample; 16-bit samples keep their
// high byte), as SANE's own front end writes them; null when it is cut short.
QImage readPnm(const QByteArray& bytes);

// The source tree, for the reviewed pictures under tests/data/expected.
QString sourceDir();

} // namespace imagetest
