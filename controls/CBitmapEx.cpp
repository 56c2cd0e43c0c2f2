#include "controls/CBitmapEx.h"

#include <QPainter>

bool CBitmapEx::LoadFromFile(const QString& path)
{
    Detach();
    QImage loaded(path);
    if (loaded.isNull())
        return false;
    m_bitmap = loaded;
    m_nWidth = loaded.width();
    m_nHeight = loaded.height();
    return true;
}

void CBitmapEx::Detach()
{
    // The size of the last picture stays, as callers that size windows from it expect.
    m_bitmap = QImage();
}

void CBitmapEx::Draw(int x, int y, int width, int height, int sourceX, int sourceY, QPainter& dc) const
{
    if (m_bitmap.isNull())
        return;
    if (sourceX == -1)
        sourceX = 0;
    if (sourceY == -1)
        sourceY = 0;
    if (width == -1)
        width = m_nWidth;
    if (height == -1)
        height = m_nHeight;
    dc.drawImage(QPoint(x, y), m_bitmap, QRect(sourceX, sourceY, width, height));
}
