#include "controls/CMemDC.h"

#include <QPaintDevice>

CMemDC::CMemDC() = default;

CMemDC::CMemDC(QPainter* target, const platform::Rect& rect) : m_pTargetDC(target)
{
    makeBitmap(target, rect);
}

CMemDC::~CMemDC()
{
    ReleaseBitmap();
}

bool CMemDC::Create(QPainter* target)
{
    m_pTargetDC = target;
    return true;
}

bool CMemDC::Resize(QPainter* target, int width, int height)
{
    EnsureBitmap(target, platform::Rect(0, 0, width, height));
    return true;
}

bool CMemDC::EnsureBitmap(QPainter* target, const platform::Rect& rect)
{
    if (m_pBitmap && rect == m_rect)
        return true;
    ReleaseBitmap();
    makeBitmap(target, rect);
    return true;
}

bool CMemDC::ReleaseBitmap()
{
    if (!m_pBitmap)
        return true;
    if (m_painter.isActive())
        m_painter.end();
    m_pBitmap.reset();
    ++m_nDestroyed;
    m_rect = platform::Rect(-1, -1, -1, -1);
    return true;
}

void CMemDC::Release()
{
    ReleaseBitmap();
    m_pTargetDC = nullptr;
}

void CMemDC::BlitToTarget()
{
    if (!m_pBitmap || !m_pTargetDC || !m_pTargetDC->isActive() || m_rect.isEmpty())
        return;
    m_painter.end();
    const qreal ratio = m_pBitmap->devicePixelRatio();
    const QRectF source(m_rect.left * ratio, m_rect.top * ratio, m_rect.width() * ratio, m_rect.height() * ratio);
    m_pTargetDC->drawImage(QRectF(m_rect.toQRect()), *m_pBitmap, source);
    m_painter.begin(m_pBitmap.get());
}

void CMemDC::makeBitmap(QPainter* like, const platform::Rect& rect)
{
    // A surface of no area cannot be painted on; the rectangle is still kept so
    // that asking again for the same one makes nothing new.
    qreal ratio = 1.0;
    if (like && like->device())
        ratio = like->device()->devicePixelRatioF();
    const int w = qMax(1, rect.right);
    const int h = qMax(1, rect.bottom);
    m_pBitmap = std::make_unique<QImage>(qRound(w * ratio), qRound(h * ratio), QImage::Format_ARGB32_Premultiplied);
    m_pBitmap->setDevicePixelRatio(ratio);
    m_pBitmap->fill(Qt::transparent);
    m_painter.begin(m_pBitmap.get());
    m_rect = rect;
    ++m_nCreated;
}
