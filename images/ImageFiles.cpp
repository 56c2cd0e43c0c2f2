#include "images/ImageFiles.h"

#include "controls/TransparentBlt.h"
#include "images/CImage.h"
#include "images/ImageCodec.h"
#include "images/ImageColors.h"
#include "images/RasterBitmap.h"
#include "res/resource.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"

#include <QDir>

#include <algorithm>

QSize GetImageFileSize(const QString& path)
{
    // 1. The type comes from the text after the last dot: none, no picture.
    if (!path.contains(QLatin1Char('.')))
        return QSize(0, 0);
    // 2-3. Every format is measured from its header.
    const QSize size = PingImageFile(path);
    return size.isValid() ? size : QSize(0, 0);
}

void TellUnreadableImage(const QString& path)
{
    ShowMessageBox(QDir::toNativeSeparators(path) + LoadResString(IDS_IMAGE_UNREADABLE));
}

bool RefuseUnreadableImage(const QString& path)
{
    if (!GetImageFileSize(QDir::fromNativeSeparators(path)).isEmpty())
        return false;
    TellUnreadableImage(path);
    return true;
}

bool IsGifPath(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 && path.mid(dot + 1).compare(QLatin1String("gif"), Qt::CaseInsensitive) == 0;
}

QImage LoadImageBitmap(const QString& path, platform::ColorRef& transparentOut, QSize* sizeOut, const QSize* targetSize,
                       platform::ColorRef preferredKey)
{
    // 1. No dot: no bitmap.
    if (!path.contains(QLatin1Char('.')))
        return QImage();
    // 2. GIF.
    if (IsGifPath(path))
        return LoadGifBitmap(path, transparentOut, sizeOut, targetSize, preferredKey);
    // 3. Everything else.
    return LoadRasterImageBitmap(path, transparentOut, sizeOut, targetSize);
}

QImage LoadGifBitmap(const QString& path, platform::ColorRef& transparentOut, QSize* sizeOut, const QSize* targetSize,
                     platform::ColorRef preferredKey)
{
    Q_UNUSED(targetSize);
    // 1. Read the GIF with the preferred key.
    const CImage image(path, 1, false, preferredKey);
    if (!image.IsValid())
        return QImage();
    // 2. Its transparent colour.
    transparentOut = image.GetTransparentColor();
    // 3. Its size.
    if (sizeOut)
        *sizeOut = QSize(image.GetWidth(), image.GetHeight());
    // 4. The bitmap.
    return image.MakeBitmap();
}

QImage LoadRasterImageBitmap(const QString& path, platform::ColorRef& transparentOut, QSize* sizeOut,
                             const QSize* targetSize)
{
    // 1. Load.
    RasterBitmap bitmap;
    if (!bitmap.Load(path))
        return QImage();
    // 2. Resample to the target size.
    if (targetSize && !bitmap.Size(targetSize->width(), targetSize->height()))
        return QImage();
    // 3. Size after step 2.
    if (sizeOut)
        *sizeOut = QSize(bitmap.GetWidth(), bitmap.GetHeight());
    // 4. No transparent colour.
    if (!bitmap.IsPlayBackTransparencyEnabled()) {
        transparentOut = kNoTransparentColor;
        return bitmap.ConvertToBitmap();
    }
    // 5. The picture's own transparent colour; a resampled picture keeps it.
    transparentOut = bitmap.GetPlayBackTransparentColor();
    if (targetSize)
        return bitmap.ConvertToBitmap();
    // 6. A palette picture's transparent entry takes a key colour its palette lacks.
    //    6.1 The palette.
    QList<platform::ColorRef> colors = bitmap.GetColors();
    //    6.2 The first key colour of the first eight that no entry has.
    const auto firstEight = kKeyColors.begin() + 8;
    const auto absent = std::find_if(kKeyColors.begin(), firstEight,
                                     [&colors](platform::ColorRef key) { return !colors.contains(key); });
    if (absent == firstEight)
        return bitmap.ConvertToBitmap();
    //    6.3 The entry that marks the transparent pixels.
    const int index = bitmap.TransparentPaletteIndex();
    if (index < 0 || index >= colors.size())
        return bitmap.ConvertToBitmap();
    //    6.4 It becomes the key.
    colors[index] = *absent;
    bitmap.PutColors(colors);
    bitmap.SetPlayBackTransparentColor(*absent);
    transparentOut = *absent;
    // 7. The bitmap.
    return bitmap.ConvertToBitmap();
}

bool SaveBitmapAsGif(const QImage& bitmap, const QString& gifPath, platform::ColorRef keyColour)
{
    // The bitmap is opaque: only the key's pixels become transparent.
    const QImage opaque = bitmap.convertToFormat(QImage::Format_RGB32);
    if (keyColour == kNoTransparentColor)
        return WriteGifFile(opaque, gifPath);
    return WriteGifFile(opaque, gifPath, ColorRefToRgb(keyColour));
}
