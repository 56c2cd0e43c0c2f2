#include "images/FramedImage.h"

#include "controls/CPicture.h"
#include "controls/TransparentBlt.h"
#include "images/CImage.h"
#include "images/ImageCodec.h"
#include "images/ImageColors.h"
#include "images/ImageFiles.h"
#include "images/RasterBitmap.h"
#include "util/FileHelpers.h"
#include "util/PathText.h"

#include "platform/CodePages.h"
#include "platform/DataRoot.h"

#include <QFile>
#include <QPainter>

#include <algorithm>
#include <array>
#include <climits>

namespace {

constexpr qint64 kMaxListBytes = 64 * 1024;
constexpr platform::ColorRef kNone = kNoTransparentColor;

// One side of a composition: the picture or the dropped image.
struct Piece
{
    QString path;
    QImage bitmap;
    QSize size;
    platform::ColorRef key = kNone;
    std::array<bool, kKeyColors.size()> usable{};
};

// Steps 3 and 4: a PNG becomes a GIF first; a GIF with a transparent entry
// marks the key colours its palette lacks, or holds only as that entry.
bool preparePiece(Piece& piece)
{
    if (GetFileExtension(piece.path).compare(QLatin1String("PNG"), Qt::CaseInsensitive) == 0) {
        const DecodedImage png = DecodeImageFile(piece.path);
        if (png.isNull())
            return false;
        const QString gif = MakeTempImageFileName(QStringLiteral("GIF"), TempImageFolder(), QString());
        if (!WriteGifFile(png.image, gif, png.transparentColor))
            return false;
        piece.path = gif;
    }
    if (GetFileExtension(piece.path).compare(QLatin1String("GIF"), Qt::CaseInsensitive) != 0)
        return true;
    const CImage image(piece.path, 1, false, kNone);
    if (!image.IsValid())
        return false;
    const int transparent = image.GetTransparentIndex();
    if (transparent == -1)
        return true;
    for (size_t i = 0; i < kKeyColors.size(); ++i) {
        const int index = image.FindPaletteIndex(kKeyColors[i]);
        piece.usable[i] = index == -1 || index == transparent;
    }
    return true;
}

void drawPiece(QPainter& canvas, const QImage& bitmap, QPoint at, QSize size, platform::ColorRef key)
{
    if (key != kNone)
        DrawTransparentBlt(canvas, at.x(), at.y(), bitmap.width(), bitmap.height(), key, bitmap, 0, 0);
    else
        canvas.drawImage(QRect(at, size), bitmap, QRect(QPoint(0, 0), size));
}

} // namespace

QString FrameFolderPath()
{
    return platform::installPath(QStringLiteral("Bin/Frame"));
}

QString FrameListPath()
{
    return platform::installPath(QStringLiteral("Bin/Frame/frame.dat"));
}

bool IsFrameImage(const QString& name)
{
    // 1. Open the list; none lists nothing.
    QFile file(FrameListPath());
    if (name.isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    // 2. Its text, up to a NUL byte.
    QByteArray bytes = file.read(kMaxListBytes);
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    const QString text = platform::decodeText(bytes, platform::detectCharset(bytes));
    // 3. Each entry ends at its ";"; the line end after the previous one is
    //    not part of it, whatever its form (CR LF, LF or CR).
    const QStringList pieces = text.split(QLatin1Char(';'));
    for (qsizetype i = 0; i + 1 < pieces.size(); ++i) {
        QString entry = pieces.at(i);
        while (entry.startsWith(QLatin1Char('\r')) || entry.startsWith(QLatin1Char('\n')))
            entry.remove(0, 1);
        if (entry == name)
            return true;
    }
    return false;
}

QSize ScaleFrameSize(int pictureWidth, int pictureHeight, int frameWidth, int frameHeight)
{
    const qint64 width = qint64(pictureWidth) * frameWidth / 300 - 1;
    const qint64 height = qint64(pictureHeight) * frameHeight / 220 - 1;
    // A small picture would give a canvas of no pixels.
    return QSize(int(std::clamp<qint64>(width, 1, INT_MAX)), int(std::clamp<qint64>(height, 1, INT_MAX)));
}

platform::Rect GetCenteredRect(int innerWidth, int innerHeight, int outerWidth, int outerHeight)
{
    const int left = (outerWidth - innerWidth) / 2;
    const int top = (outerHeight - innerHeight) / 2;
    return platform::Rect(left, top, left + innerWidth, top + innerHeight);
}

QImage ResizeBitmapWithKey(const QImage& bitmap, int width, int height, platform::ColorRef key)
{
    if (bitmap.isNull() || width < 1 || height < 1)
        return QImage();
    if (key == kNone)
        return bitmap.convertToFormat(QImage::Format_RGB32)
            .scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return ScaleKeyed(bitmap, width, height, ColorRefToRgb(key));
}

QString ComposeFramedImage(const QString& picturePath, const QString& droppedPath, QSize& size)
{
    // 1. A frame when the list names the dropped image.
    const bool listed = IsFrameImage(GetFileNamePart(droppedPath));
    // 2-4. The two pieces, PNGs turned into GIFs, with their usable keys.
    Piece picture;
    picture.path = picturePath;
    Piece dropped;
    dropped.path = droppedPath;
    if (!preparePiece(picture) || !preparePiece(dropped))
        return QString();
    // 5. Two GIFs share the first key colour usable for both.
    if (IsGifPath(picture.path) && IsGifPath(dropped.path)) {
        for (size_t i = 0; i < kKeyColors.size(); ++i) {
            if (picture.usable[i] && dropped.usable[i]) {
                dropped.key = kKeyColors[i];
                break;
            }
        }
    }
    // 6. The picture, at the size the page shows it when one is given.
    picture.bitmap = LoadImageBitmap(picture.path, picture.key, &picture.size, nullptr, kNone);
    if (picture.bitmap.isNull())
        return QString();
    if (size.width() >= 1 && size.height() >= 1) {
        picture.size = size;
        picture.bitmap = ResizeBitmapWithKey(picture.bitmap, size.width(), size.height(), picture.key);
    }
    QSize canvasSize;
    if (listed) {
        // 7.1-7.2 A frame: loaded with the shared key, scaled to the canvas.
        dropped.bitmap = LoadImageBitmap(dropped.path, dropped.key, &dropped.size, nullptr, dropped.key);
        if (dropped.bitmap.isNull())
            return QString();
        canvasSize =
            ScaleFrameSize(picture.size.width(), picture.size.height(), dropped.size.width(), dropped.size.height());
    } else {
        // 8.1-8.2 A backdrop: stretched to the picture plus 20 pixels each side.
        canvasSize = picture.size + QSize(40, 40);
        dropped.bitmap = LoadImageBitmap(dropped.path, dropped.key, nullptr, &canvasSize, dropped.key);
        if (dropped.bitmap.isNull())
            return QString();
    }
    dropped.bitmap = ResizeBitmapWithKey(dropped.bitmap, canvasSize.width(), canvasSize.height(), dropped.key);
    if (dropped.bitmap.isNull())
        return QString();

    // 9. The result's key. With two different keys the canvas is filled with
    //    the dropped image's, so no pixel is left undefined.
    platform::ColorRef key = dropped.key;
    if (picture.key == dropped.key || picture.key == kNone || dropped.key == kNone)
        key = picture.key != kNone ? picture.key : dropped.key;
    QImage canvas(canvasSize, QImage::Format_RGB32);
    canvas.fill(key != kNone ? ColorRefToRgb(key) : qRgb(255, 255, 255));
    {
        QPainter painter(&canvas);
        if (listed) {
            // 7.4-7.5 The picture centred, the frame over it.
            const platform::Rect at =
                GetCenteredRect(picture.size.width(), picture.size.height(), canvasSize.width(), canvasSize.height());
            drawPiece(painter, picture.bitmap, QPoint(at.left, at.top), picture.size, picture.key);
            drawPiece(painter, dropped.bitmap, QPoint(0, 0), canvasSize, dropped.key);
        } else {
            // 8.4-8.5 The backdrop, the picture on it at its own size.
            drawPiece(painter, dropped.bitmap, QPoint(0, 0), canvasSize, dropped.key);
            const platform::Rect at =
                FitRectInBox(picture.size.width(), picture.size.height(), canvasSize.width(), canvasSize.height());
            drawPiece(painter, picture.bitmap, QPoint(at.left, at.top), QSize(at.width(), at.height()), picture.key);
        }
    }
    // 10. The new GIF.
    const QString output = MakeTempImageFileName(QStringLiteral("GIF"), TempImageFolder(), QString());
    if (!SaveBitmapAsGif(canvas, output, key))
        return QString();
    size = canvasSize;
    return output;
}
