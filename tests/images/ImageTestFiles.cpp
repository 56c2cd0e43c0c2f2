#include "images/ImageTestFiles.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>

namespace imagetest {

namespace {

void put16le(QByteArray& out, int v)
{
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

void put32le(QByteArray& out, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

void put32be(QByteArray& out, quint32 v)
{
    for (int i = 3; i >= 0; --i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

// LZW data that never compresses: 9-bit codes, a clear code before every run
// of 254 literals, so the code size never grows.
QByteArray gifImageData(const QByteArray& indices)
{
    const int clear = 256;
    const int end = 257;
    QByteArray codes;
    quint32 bitBuffer = 0;
    int bits = 0;
    auto emitCode = [&](int code) {
        bitBuffer |= quint32(code) << bits;
        bits += 9;
        while (bits >= 8) {
            codes.append(char(bitBuffer & 0xFF));
            bitBuffer >>= 8;
            bits -= 8;
        }
    };
    for (qsizetype i = 0; i < indices.size(); ++i) {
        if (i % 254 == 0)
            emitCode(clear);
        emitCode(quint8(indices.at(i)));
    }
    emitCode(end);
    if (bits > 0)
        codes.append(char(bitBuffer & 0xFF));
    QByteArray out;
    out.append(char(8)); // minimum code size
    for (qsizetype at = 0; at < codes.size(); at += 255) {
        const QByteArray block = codes.mid(at, 255);
        out.append(char(block.size()));
        out.append(block);
    }
    out.append(char(0));
    return out;
}

quint32 crc32Of(const QByteArray& bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (char byte : bytes) {
        crc ^= quint8(byte);
        for (int k = 0; k < 8; ++k)
            crc = (crc & 1) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    return crc ^ 0xFFFFFFFFu;
}

QByteArray pngChunk(const char* type, const QByteArray& data)
{
    QByteArray out;
    put32be(out, quint32(data.size()));
    QByteArray body(type, 4);
    body.append(data);
    out.append(body);
    put32be(out, crc32Of(body));
    return out;
}

QByteArray zlibCompress(const QByteArray& raw)
{
    // qCompress puts a 4-byte length before the zlib stream.
    return qCompress(raw).mid(4);
}

QByteArray pngFile(quint32 width, quint32 height, int colorType, const QByteArray& raw, const QByteArray& plte,
                   const QByteArray& trns)
{
    QByteArray out("\x89PNG\r\n\x1a\n", 8);
    QByteArray ihdr;
    put32be(ihdr, width);
    put32be(ihdr, height);
    ihdr.append(char(8));
    ihdr.append(char(colorType));
    ihdr.append(QByteArray(3, '\0'));
    out.append(pngChunk("IHDR", ihdr));
    if (!plte.isEmpty())
        out.append(pngChunk("PLTE", plte));
    if (!trns.isEmpty())
        out.append(pngChunk("tRNS", trns));
    out.append(pngChunk("IDAT", zlibCompress(raw)));
    out.append(pngChunk("IEND", QByteArray()));
    return out;
}

} // namespace

QByteArray gif(int canvasWidth, int canvasHeight, const QList<QRgb>& palette, const QList<GifFrame>& frames)
{
    int bitsPerEntry = 1;
    while ((1 << bitsPerEntry) < palette.size())
        ++bitsPerEntry;
    QByteArray out("GIF89a");
    put16le(out, canvasWidth);
    put16le(out, canvasHeight);
    out.append(char(0x80 | ((bitsPerEntry - 1) << 4) | (bitsPerEntry - 1)));
    out.append(char(0)); // background index
    out.append(char(0)); // aspect
    for (int i = 0; i < (1 << bitsPerEntry); ++i) {
        const QRgb c = i < palette.size() ? palette.at(i) : qRgb(0, 0, 0);
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    if (frames.size() > 1)
        out.append(QByteArray("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19));
    for (const GifFrame& frame : frames) {
        out.append(char(0x21));
        out.append(char(0xF9));
        out.append(char(4));
        out.append(char(frame.transparentIndex >= 0 ? 0x09 : 0x08)); // restore to background
        put16le(out, 10);                                            // delay
        out.append(char(frame.transparentIndex >= 0 ? frame.transparentIndex : 0));
        out.append(char(0));
        out.append(char(0x2C));
        put16le(out, frame.left);
        put16le(out, frame.top);
        put16le(out, frame.width);
        put16le(out, frame.height);
        out.append(char(0));
        out.append(gifImageData(frame.indices));
    }
    out.append(char(0x3B));
    return out;
}

QByteArray gif(int width, int height, const QList<QRgb>& palette, const QByteArray& indices, int transparentIndex)
{
    GifFrame frame;
    frame.width = width;
    frame.height = height;
    frame.indices = indices;
    frame.transparentIndex = transparentIndex;
    return gif(width, height, palette, QList<GifFrame>{frame});
}

QByteArray palettePng(int width, int height, const QList<QRgb>& palette, const QByteArray& indices,
                      const QByteArray& alphas)
{
    QByteArray raw;
    for (int y = 0; y < height; ++y) {
        raw.append(char(0));
        raw.append(indices.mid(qsizetype(y) * width, width));
    }
    QByteArray plte;
    for (QRgb c : palette) {
        plte.append(char(qRed(c)));
        plte.append(char(qGreen(c)));
        plte.append(char(qBlue(c)));
    }
    return pngFile(quint32(width), quint32(height), 3, raw, plte, alphas);
}

QByteArray rgbPng(const QImage& image, const QRgb* key)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QByteArray raw;
    for (int y = 0; y < rgb.height(); ++y) {
        raw.append(char(0));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = rgb.pixel(x, y);
            raw.append(char(qRed(c)));
            raw.append(char(qGreen(c)));
            raw.append(char(qBlue(c)));
        }
    }
    QByteArray trns;
    if (key) {
        for (int v : {qRed(*key), qGreen(*key), qBlue(*key)}) {
            trns.append(char(0));
            trns.append(char(v));
        }
    }
    return pngFile(quint32(rgb.width()), quint32(rgb.height()), 2, raw, QByteArray(), trns);
}

QByteArray pngHeaderOnly(quint32 width, quint32 height)
{
    QByteArray out("\x89PNG\r\n\x1a\n", 8);
    QByteArray ihdr;
    put32be(ihdr, width);
    put32be(ihdr, height);
    ihdr.append(char(8));
    ihdr.append(char(2));
    ihdr.append(QByteArray(3, '\0'));
    out.append(pngChunk("IHDR", ihdr));
    out.append(pngChunk("IDAT", zlibCompress(QByteArray(64, '\0'))));
    out.append(pngChunk("IEND", QByteArray()));
    return out;
}

QByteArray bmp8(int width, int height, const QList<QRgb>& palette, const QByteArray& indices)
{
    const int stride = (width + 3) & ~3;
    const int paletteBytes = 256 * 4;
    const int offset = 14 + 40 + paletteBytes;
    QByteArray out("BM");
    put32le(out, quint32(offset + stride * height));
    put32le(out, 0);
    put32le(out, quint32(offset));
    put32le(out, 40);
    put32le(out, quint32(width));
    put32le(out, quint32(height));
    put16le(out, 1);
    put16le(out, 8);
    put32le(out, 0);
    put32le(out, quint32(stride * height));
    put32le(out, 2835);
    put32le(out, 2835);
    put32le(out, quint32(palette.size()));
    put32le(out, 0);
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < palette.size() ? palette.at(i) : 0;
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append(char(0));
    }
    for (int y = height - 1; y >= 0; --y) {
        out.append(indices.mid(qsizetype(y) * width, width));
        out.append(QByteArray(stride - width, '\0'));
    }
    return out;
}

QByteArray jpeg(const QImage& image, int quality)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.write(image.convertToFormat(QImage::Format_RGB32));
    return out;
}

QImage pattern(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(240, 240, 230));
    QPainter painter(&image);
    const QColor bands[] = {QColor(200, 40, 40), QColor(40, 160, 60), QColor(40, 70, 200), QColor(230, 200, 40)};
    for (int i = 0; i < 4; ++i)
        painter.fillRect(QRect(0, i * height / 4, width / 2, height / 4), bands[i]);
    painter.setPen(QPen(Qt::black, qMax(1, width / 50)));
    painter.drawLine(0, 0, width - 1, height - 1);
    return image;
}

QString save(const QString& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = QDir(dir).filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

QImage readPnm(const QByteArray& bytes)
{
    // Header: magic, width, height and (but for P4) the largest value, with comments.
    qsizetype at = 0;
    QList<QByteArray> fields;
    const int wanted = bytes.startsWith("P4") ? 3 : 4;
    while (fields.size() < wanted && at < bytes.size()) {
        while (at < bytes.size() && QChar(bytes.at(at)).isSpace())
            ++at;
        if (at < bytes.size() && bytes.at(at) == '#') {
            while (at < bytes.size() && bytes.at(at) != '\n')
                ++at;
            continue;
        }
        const qsizetype start = at;
        while (at < bytes.size() && !QChar(bytes.at(at)).isSpace())
            ++at;
        fields.append(bytes.mid(start, at - start));
    }
    ++at;
    if (fields.size() < wanted)
        return QImage();
    const QByteArray magic = fields.at(0);
    const int width = fields.at(1).toInt();
    const int height = fields.at(2).toInt();
    const int wide = wanted == 4 && fields.at(3).toInt() > 255 ? 2 : 1;
    const int channels = magic == "P6" ? 3 : 1;
    QImage image(width, height, QImage::Format_RGB32);
    const auto* data = reinterpret_cast<const quint8*>(bytes.constData() + at);
    const qsizetype available = bytes.size() - at;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int value[3] = {0, 0, 0};
            if (magic == "P4") {
                const qsizetype index = qsizetype(y) * ((width + 7) / 8) + x / 8;
                if (index >= available)
                    return QImage();
                value[0] = value[1] = value[2] = (data[index] >> (7 - x % 8)) & 1 ? 0 : 255;
            } else {
                for (int c = 0; c < channels; ++c) {
                    // 16-bit samples are big-endian: the high byte comes first.
                    const qsizetype index = (qsizetype(y) * width + x) * channels * wide + qsizetype(c) * wide;
                    if (index >= available)
                        return QImage();
                    value[c] = data[index];
                }
                if (channels == 1)
                    value[1] = value[2] = value[0];
            }
            image.setPixel(x, y, qRgb(value[0], value[1], value[2]));
        }
    }
    return image;
}

QByteArray load(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString sourceDir()
{
    const QString dir = qEnvironmentVariable("PAGINOR_SOURCE_DIR");
    return dir.isEmpty() ? QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../../..")) : dir;
}

QByteArray bmp1(int width, int height, quint32 statedFileSize)
{
    const int rowBytes = (width + 31) / 32 * 4;
    QByteArray pixels(rowBytes * height, '\0');
    for (int y = 0; y < height; ++y) {
        const int row = height - 1 - y; // bottom-up
        for (int x = 0; x < width; ++x) {
            if ((x + y) % 2)
                pixels[row * rowBytes + x / 8] = char(pixels[row * rowBytes + x / 8] | (0x80 >> (x % 8)));
        }
    }
    const quint32 offset = 14 + 40 + 8;
    const quint32 size = offset + quint32(pixels.size());
    QByteArray out("BM");
    put32le(out, statedFileSize ? statedFileSize : size);
    put32le(out, 0);
    put32le(out, offset);
    put32le(out, 40);
    put32le(out, quint32(width));
    put32le(out, quint32(height));
    put16le(out, 1);
    put16le(out, 1);
    put32le(out, 0);
    put32le(out, quint32(pixels.size()));
    put32le(out, 2835);
    put32le(out, 2835);
    put32le(out, 2);
    put32le(out, 0);
    out.append(QByteArray("\x00\x00\x00\x00\xff\xff\xff\x00", 8));
    out.append(pixels);
    return out;
}

QByteArray withVirtualPage(const QByteArray& png, quint32 pageWidth, quint32 pageHeight)
{
    QByteArray page;
    put32be(page, pageWidth);
    put32be(page, pageHeight);
    page.append(char(0)); // unit: pixels
    const qsizetype afterHeader = 8 + 25;
    return png.left(afterHeader) + pngChunk("vpAg", page) + png.mid(afterHeader);
}

} // namespace imagetest
