#include "images/ImageCodec.h"

#include "engine/layout/ImageLibrary.h"
#include "platform/SafeFile.h"

#include <QFile>
#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <Magick++.h>

#include <algorithm>
#include <functional>
#include <limits>

namespace {

// Files larger than this are not read: no picture the limits accept needs it.
constexpr qint64 kMaxFileBytes = qint64(1) << 30;
// What a header read takes first; the whole file only when that is not enough.
constexpr qint64 kHeaderBytes = 256 * 1024;

thread_local platform::FileFault lastWriteFault = platform::FileFault::None;

const char* coderName(ImageFormat format)
{
    switch (format) {
    case ImageFormat::Gif:
        return "GIF";
    case ImageFormat::Png:
        return "PNG";
    case ImageFormat::Jpeg:
        return "JPEG";
    case ImageFormat::Bmp:
        return "BMP";
    case ImageFormat::Unknown:
        break;
    }
    return nullptr;
}

QString describe(const std::exception& e)
{
    return QString::fromLocal8Bit(e.what());
}

// The formats to try, in order: the one the name gives, then the one the
// bytes' signature gives when that is another of the four.
QList<ImageFormat> formatsToTry(ImageFormat named, const QByteArray& head)
{
    QList<ImageFormat> formats;
    if (named != ImageFormat::Unknown)
        formats.append(named);
    const ImageFormat signature = ImageFormatOfSignature(head);
    if (signature != ImageFormat::Unknown && signature != named)
        formats.append(signature);
    return formats;
}

bool readFile(const QString& path, qint64 maxBytes, QByteArray& data, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    if (file.size() > kMaxFileBytes) {
        error = QStringLiteral("file too large");
        return false;
    }
    data = file.read(std::min(file.size(), maxBytes));
    if (data.isEmpty()) {
        error = file.error() != QFileDevice::NoError ? file.errorString() : QStringLiteral("empty file");
        return false;
    }
    return true;
}

void prepare(Magick::Image& image, ImageFormat format)
{
    // Warnings (a truncated scan line, an odd chunk) leave a usable picture;
    // only errors fail.
    image.quiet(true);
    image.subImage(0);
    image.subRange(1);
    image.magick(coderName(format));
}

// The size a browser shows: a GIF animation's canvas when the first frame
// lies inside a larger one, else the frame's own. Other formats' page
// geometry (a PNG's virtual page, say) is not shown by browsers.
QSize shownSize(const MagickCore::Image* image, ImageFormat format)
{
    const QSize frame(int(image->columns), int(image->rows));
    if (format != ImageFormat::Gif)
        return frame;
    const MagickCore::RectangleInfo& page = image->page;
    if (page.width >= image->columns + std::max<ssize_t>(page.x, 0) &&
        page.height >= image->rows + std::max<ssize_t>(page.y, 0) && page.x >= 0 && page.y >= 0 &&
        (page.width > image->columns || page.height > image->rows))
        return QSize(int(page.width), int(page.height));
    return frame;
}

bool withinLimits(QSize size)
{
    const long long side = engine::imageSideLimit();
    const long long area = engine::imageAreaLimit();
    return size.width() > 0 && size.height() > 0 && size.width() <= side && size.height() <= side &&
           (long long)size.width() * size.height() <= area;
}

// Windows BMPs whose header states a file size that does not match the file
// (some old 1-bit pictures) are refused by the library, while browsers show
// them: Qt's reader reads those.
QSize bmpSizeByQt(const QByteArray& data)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    const QSize size = reader.size();
    return size.isValid() && !size.isEmpty() ? size : QSize();
}

bool pingData(const QByteArray& data, ImageFormat format, QSize& size, QString& error)
{
    try {
        Magick::Blob blob(data.constData(), size_t(data.size()));
        Magick::Image image;
        prepare(image, format);
        image.ping(blob);
        size = shownSize(image.constImage(), format);
        if (size.width() > 0 && size.height() > 0)
            return true;
    } catch (const std::exception& e) {
        error = describe(e);
    } catch (...) {
        error = QStringLiteral("unreadable picture");
    }
    if (format == ImageFormat::Bmp) {
        size = bmpSizeByQt(data);
        return size.isValid();
    }
    return false;
}

// The library's integer sample range (this build has no floating-point samples).
static_assert(std::numeric_limits<MagickCore::Quantum>::is_integer);
constexpr MagickCore::Quantum kQuantumRange = std::numeric_limits<MagickCore::Quantum>::max();

MagickCore::Quantum fromByte(int value)
{
    return MagickCore::Quantum(value * (kQuantumRange / 255));
}

quint8 toByte(MagickCore::Quantum value)
{
    return quint8(MagickCore::ScaleQuantumToChar(value));
}

QRgb paletteEntry(const MagickCore::PixelPacket& entry)
{
    return qRgba(toByte(entry.red), toByte(entry.green), toByte(entry.blue),
                 255 - toByte(MagickCore::Quantum(entry.opacity)));
}

// Fills in the transparency facts of a decoded picture that has an alpha channel.
void findTransparency(DecodedImage& decoded)
{
    QImage& image = decoded.image;
    bool binary = true;
    bool anyTransparent = false;
    bool uniform = true;
    QRgb transparentRgb = 0;
    for (int y = 0; y < image.height() && binary; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(line[x]);
            if (alpha == 0) {
                const QRgb rgb = line[x] | 0xFF000000u;
                if (!anyTransparent)
                    transparentRgb = rgb;
                else if (rgb != transparentRgb)
                    uniform = false;
                anyTransparent = true;
            } else if (alpha != 255) {
                binary = false;
                break;
            }
        }
    }
    if (!anyTransparent && binary) {
        // An alpha channel that marks nothing: an opaque picture.
        image.reinterpretAsFormat(QImage::Format_RGB32);
        return;
    }
    if (!binary || !uniform)
        return;
    if (decoded.transparentIndex >= 0) {
        decoded.transparentColor = decoded.palette.at(decoded.transparentIndex) | 0xFF000000u;
        return;
    }
    // A true-colour picture's colour key: no opaque pixel may have it.
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) == 255 && line[x] == transparentRgb)
                return;
        }
    }
    decoded.transparentColor = transparentRgb;
}

bool decodeBmpByQt(const QByteArray& data, DecodedImage& decoded)
{
    const QSize size = bmpSizeByQt(data);
    if (!size.isValid() || !withinLimits(size))
        return false;
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    const QImage read = reader.read();
    if (read.isNull())
        return false;
    DecodedImage result;
    for (const QRgb entry : read.colorTable())
        result.palette.append(entry | 0xFF000000u);
    result.image = read.convertToFormat(read.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    result.format = ImageFormat::Bmp;
    if (result.image.format() == QImage::Format_ARGB32)
        findTransparency(result);
    decoded = std::move(result);
    return true;
}

// `wanted`, when given, names the least size a reduced decode must keep.
bool decodeData(const QByteArray& data, ImageFormat format, DecodedImage& decoded,
                const std::function<QSize(QSize)>* wanted = nullptr)
{
    try {
        Magick::Blob blob(data.constData(), size_t(data.size()));
        {
            Magick::Image header;
            prepare(header, format);
            header.ping(blob);
            const QSize size = shownSize(header.constImage(), format);
            if (!withinLimits(size)) {
                decoded.error = QStringLiteral("picture of %1 x %2 pixels is too large to open")
                                    .arg(size.width())
                                    .arg(size.height());
                return false;
            }
            decoded.fullSize = size;
        }
        Magick::Image image;
        prepare(image, format);
        if (wanted && format == ImageFormat::Jpeg) {
            // The JPEG coder scales while it decodes, to no less than this.
            const QSize least = (*wanted)(decoded.fullSize);
            if (least.width() > 0 && least.height() > 0)
                image.defineValue("jpeg", "size",
                                  QStringLiteral("%1x%2").arg(least.width()).arg(least.height()).toStdString());
        }
        image.read(blob);
        const MagickCore::Image* core = image.constImage();
        const int width = int(core->columns);
        const int height = int(core->rows);
        if (width <= 0 || height <= 0) {
            decoded.error = QStringLiteral("empty picture");
            return false;
        }
        const bool alpha = core->matte != MagickCore::MagickFalse;
        QImage pixels(width, height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        if (pixels.isNull()) {
            decoded.error = QStringLiteral("out of memory");
            return false;
        }
        // 32-bit pixels in memory order B, G, R, A on this machine; lines have no padding.
        image.write(0, 0, size_t(width), size_t(height), "BGRA", Magick::CharPixel, pixels.bits());
        if (core->colormap && core->colors > 0) {
            decoded.palette.reserve(qsizetype(core->colors));
            for (size_t i = 0; i < core->colors; ++i) {
                decoded.palette.append(paletteEntry(core->colormap[i]));
                if (decoded.transparentIndex < 0 && qAlpha(decoded.palette.last()) == 0)
                    decoded.transparentIndex = int(i);
            }
        }
        // A first frame inside a larger canvas is placed on it.
        const QSize shown = shownSize(core, format);
        if (shown != pixels.size()) {
            QImage canvas(shown, QImage::Format_ARGB32);
            QRgb outside = 0;
            if (decoded.transparentIndex >= 0)
                outside = decoded.palette.at(decoded.transparentIndex) & 0x00FFFFFFu;
            canvas.fill(outside);
            QPainter painter(&canvas);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(QPoint(int(core->page.x), int(core->page.y)), pixels);
            painter.end();
            pixels = canvas;
        }
        decoded.image = pixels;
        decoded.format = format;
        if (decoded.image.format() == QImage::Format_ARGB32)
            findTransparency(decoded);
        return true;
    } catch (const std::exception& e) {
        decoded.error = describe(e);
    } catch (...) {
        decoded.error = QStringLiteral("unreadable picture");
    }
    if (format == ImageFormat::Bmp && decodeBmpByQt(data, decoded)) {
        decoded.error.clear();
        return true;
    }
    return false;
}

bool writeBytes(const QString& path, const Magick::Blob& blob)
{
    lastWriteFault = platform::writeFileWhole(
        path, QByteArray::fromRawData(static_cast<const char*>(blob.data()), qsizetype(blob.length())));
    return lastWriteFault == platform::FileFault::None;
}

// The picture with binary transparency: the transparent colour's pixels and
// pixels of alpha below 128 transparent, all others opaque.
QImage withBinaryAlpha(const QImage& image, std::optional<QRgb> transparentColor, bool& anyTransparent)
{
    QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    anyTransparent = false;
    const QRgb key = transparentColor ? (*transparentColor & 0x00FFFFFFu) : 0;
    for (int y = 0; y < argb.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb pixel = line[x];
            if ((transparentColor && (pixel & 0x00FFFFFFu) == key) || qAlpha(pixel) < 128) {
                line[x] = key;
                anyTransparent = true;
            } else {
                line[x] = pixel | 0xFF000000u;
            }
        }
    }
    return argb;
}

// Encodes the picture with the coder and writes the file. `pixels` gives the
// 32-bit pixels to encode and whether any of them is transparent; a GIF's
// transparent entry keeps the key's colour, and its colours are chosen
// without dithering.
bool encodeAndWrite(const QImage& image, const QString& path, const char* coder, QRgb transparentEntry,
                    const std::function<QImage(const QImage&, bool&)>& pixels)
{
    engine::startImageLibrary();
    lastWriteFault = platform::FileFault::None;
    if (image.isNull()) {
        lastWriteFault = platform::FileFault::NotEncoded;
        return false;
    }
    try {
        bool anyTransparent = false;
        const QImage argb = pixels(image, anyTransparent);
        Magick::Image encoded(size_t(argb.width()), size_t(argb.height()), "BGRA", Magick::CharPixel, argb.constBits());
        encoded.matte(anyTransparent);
        if (qstrcmp(coder, "GIF") == 0) {
            if (anyTransparent) {
                const QRgb key = transparentEntry;
                encoded.modifyImage();
                MagickCore::Image* core = encoded.image();
                core->transparent_color.red = fromByte(qRed(key));
                core->transparent_color.green = fromByte(qGreen(key));
                core->transparent_color.blue = fromByte(qBlue(key));
                core->transparent_color.opacity = kQuantumRange;
            }
            encoded.quantizeDither(false);
            encoded.quantizeColors(256);
            encoded.quantize();
        }
        Magick::Blob blob;
        encoded.magick(coder);
        encoded.write(&blob);
        return writeBytes(path, blob);
    } catch (...) {
        lastWriteFault = platform::FileFault::NotEncoded;
    }
    return false;
}

} // namespace

ImageFormat ImageFormatOfName(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("gif"))
        return ImageFormat::Gif;
    if (suffix == QLatin1String("png"))
        return ImageFormat::Png;
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg") || suffix == QLatin1String("jpe"))
        return ImageFormat::Jpeg;
    if (suffix == QLatin1String("bmp"))
        return ImageFormat::Bmp;
    return ImageFormat::Unknown;
}

ImageFormat ImageFormatOfSignature(const QByteArray& head)
{
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a"))
        return ImageFormat::Gif;
    if (head.startsWith("\x89PNG\r\n\x1a\n"))
        return ImageFormat::Png;
    if (head.startsWith("\xFF\xD8\xFF"))
        return ImageFormat::Jpeg;
    if (head.startsWith("BM") && head.size() >= 18)
        return ImageFormat::Bmp;
    return ImageFormat::Unknown;
}

QSize PingImageFile(const QString& path)
{
    engine::startImageLibrary();
    QByteArray data;
    QString error;
    if (!readFile(path, kHeaderBytes, data, error))
        return QSize();
    const QList<ImageFormat> formats = formatsToTry(ImageFormatOfName(path), data);
    const bool whole = data.size() < kHeaderBytes;
    for (int pass = 0; pass < 2; ++pass) {
        for (ImageFormat format : formats) {
            QSize size;
            if (pingData(data, format, size, error))
                return withinLimits(size) ? size : QSize();
        }
        // The header may lie further in (a large EXIF block before a JPEG's frame).
        if (whole || !readFile(path, kMaxFileBytes, data, error))
            break;
    }
    return QSize();
}

namespace {

DecodedImage decodeFormats(const QByteArray& data, ImageFormat named, const std::function<QSize(QSize)>* wanted)
{
    engine::startImageLibrary();
    DecodedImage decoded;
    const QList<ImageFormat> formats = formatsToTry(named, data);
    if (formats.isEmpty()) {
        decoded.error = QStringLiteral("not a GIF, PNG, JPEG or BMP picture");
        return decoded;
    }
    for (ImageFormat format : formats) {
        DecodedImage attempt;
        if (decodeData(data, format, attempt, wanted)) {
            if (!attempt.fullSize.isValid())
                attempt.fullSize = attempt.image.size();
            return attempt;
        }
        if (decoded.error.isEmpty())
            decoded.error = attempt.error;
    }
    return decoded;
}

} // namespace

DecodedImage DecodeImageData(const QByteArray& data, ImageFormat named)
{
    return decodeFormats(data, named, nullptr);
}

DecodedImage DecodeImageFileReduced(const QString& path, const std::function<QSize(QSize)>& wanted)
{
    QByteArray data;
    QString error;
    if (!readFile(path, kMaxFileBytes, data, error)) {
        DecodedImage failed;
        failed.error = error;
        return failed;
    }
    return decodeFormats(data, ImageFormatOfName(path), &wanted);
}

DecodedImage DecodeImageFile(const QString& path)
{
    return DecodeImageFileAs(path, ImageFormatOfName(path));
}

DecodedImage DecodeImageFileAs(const QString& path, ImageFormat named)
{
    QByteArray data;
    QString error;
    if (!readFile(path, kMaxFileBytes, data, error)) {
        DecodedImage failed;
        failed.error = error;
        return failed;
    }
    return DecodeImageData(data, named);
}

bool WriteGifFile(const QImage& image, const QString& path, std::optional<QRgb> transparentColor)
{
    return encodeAndWrite(image, path, "GIF", transparentColor.value_or(qRgb(0, 0, 0)),
                          [&](const QImage& source, bool& anyTransparent) {
                              return withBinaryAlpha(source, transparentColor, anyTransparent);
                          });
}

bool WritePng24File(const QImage& image, const QString& path, std::optional<QRgb> transparentColor)
{
    return encodeAndWrite(image, path, "PNG24", qRgb(0, 0, 0), [&](const QImage& source, bool& anyTransparent) {
        // Other transparency is laid over white: a 24-bit file has no alpha.
        QImage pixels(source.size(), QImage::Format_ARGB32);
        pixels.fill(Qt::white);
        {
            QPainter painter(&pixels);
            painter.drawImage(0, 0, source);
        }
        anyTransparent = false;
        if (!transparentColor)
            return pixels;
        // Key pixels are found in the picture as given, not in its flattened copy.
        const QImage given = source.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = *transparentColor & 0x00FFFFFFu;
        for (int y = 0; y < pixels.height(); ++y) {
            const QRgb* from = reinterpret_cast<const QRgb*>(given.constScanLine(y));
            QRgb* to = reinterpret_cast<QRgb*>(pixels.scanLine(y));
            for (int x = 0; x < pixels.width(); ++x) {
                if ((from[x] & 0x00FFFFFFu) == key) {
                    to[x] = key;
                    anyTransparent = true;
                }
            }
        }
        return pixels;
    });
}

platform::FileFault LastImageWriteFault()
{
    return lastWriteFault;
}
