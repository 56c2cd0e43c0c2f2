#include "controls/CPicture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>

#include <algorithm>

platform::Rect FitRectInBox(int w, int h, int bw, int bh)
{
    if (w == 0 || h == 0)
        return platform::Rect();
    int width = 0;
    int height = 0;
    // Ratios in single precision, as the comparison has always been made.
    const float tall = float(h) / float(bh);
    const float wide = float(w) / float(bw);
    if (tall <= wide) {
        width = std::min(w, bw);
        height = int(qint64(h) * width / w);
    } else {
        height = std::min(h, bh);
        width = int(qint64(w) * height / h);
    }
    const int left = (bw - width) / 2;
    const int top = (bh - height) / 2;
    return platform::Rect(left, top, left + width, top + height);
}

platform::Rect PicturePlacement(int w, int h, int bw, int bh)
{
    if (bw == 0)
        bw = w;
    if (bh == 0)
        bh = h;
    platform::Rect placement;
    bool band = false;
    if (bw < w && h > 0 && double(w) / double(h) > 10.0) {
        const int t = int(bh * 0.4);
        placement = platform::Rect(0, t, bw, bh - t);
        band = true;
    }
    if (bh < h && w > 0 && double(h) / double(w) > 10.0) {
        const int t = int(bw * 0.4);
        placement = platform::Rect(t, 0, bw - t, bh);
        band = true;
    }
    return band ? placement : FitRectInBox(w, h, bw, bh);
}

qint32 CPicture::Load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return kPictureAccessDenied;
    const qint64 length = file.size();
    if (length < 0)
        return kPictureAccessDenied;
    QByteArray data;
    try {
        data = file.read(length);
    } catch (const std::bad_alloc&) {
        return kPictureOutOfMemory;
    }
    if (data.size() < length)
        return kPictureFail;
    return LoadFromStream(data, length);
}

qint32 CPicture::LoadFromStream(const QByteArray& data, qint64 length)
{
    Free();
    QByteArray bytes = data.left(qsizetype(std::clamp<qint64>(length, 0, data.size())));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull())
        return kPictureInvalid;
    m_picture = image;
    m_nWidth = image.width();
    m_nHeight = image.height();
    return kPictureOk;
}

void CPicture::Free()
{
    m_nWidth = 0;
    m_nHeight = 0;
    m_picture = QImage();
}

void CPicture::SetSize(int width, int height)
{
    m_nWidth = width;
    m_nHeight = height;
}

void CPicture::Draw(QPainter& dc, int x, int y, int boxWidth, int boxHeight) const
{
    if (m_picture.isNull())
        return;
    const platform::Rect placement = PicturePlacement(m_nWidth, m_nHeight, boxWidth, boxHeight);
    if (placement.isEmpty())
        return;
    QRect target = placement.toQRect();
    target.translate(x, y);
    dc.save();
    dc.setClipRect(target, Qt::IntersectClip);
    dc.setRenderHint(QPainter::SmoothPixmapTransform, true);
    dc.drawImage(target, m_picture);
    dc.restore();
}
