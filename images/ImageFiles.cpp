#include "images/ImageFiles.h"

#include "images/ImageCodec.h"

QSize GetImageFileSize(const QString& path)
{
    // 1. The type comes from the text after the last dot: none, no picture.
    if (!path.contains(QLatin1Char('.')))
        return QSize(0, 0);
    // 2-3. Every format is measured from its header.
    const QSize size = PingImageFile(path);
    return size.isValid() ? size : QSize(0, 0);
}
