#pragma once

#include "platform/Rect.h"

#include <QImage>
#include <QPainter>

#include <memory>

// An off-screen drawing surface for flicker-free painting. Painting code draws
// through painter() in the target's own coordinates and then copies the covered
// rectangle onto the target in one go with BlitToTarget().
//
// The surface is as wide as the rectangle's right edge and as high as its bottom
// edge, so no origin shift is needed between the surface and the target.
//
// Per paint: CMemDC mem(&painter, rect); draw on mem.painter(); mem.BlitToTarget().
// Long-lived: CMemDC mem; mem.Create(&target); mem.Resize(...) before each paint
// (the surface is re-made only when the size changes); Release() when done.
class CMemDC
{
public:
    CMemDC();
    CMemDC(QPainter* target, const platform::Rect& rect);
    virtual ~CMemDC();

    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

    // Remembers the target the surface is copied onto. Always succeeds here.
    bool Create(QPainter* target);
    // EnsureBitmap with (0, 0, width, height).
    bool Resize(QPainter* target, int width, int height);
    // Keeps the surface while the rectangle stays the same; otherwise re-makes it.
    bool EnsureBitmap(QPainter* target, const platform::Rect& rect);
    // Drops the surface; the rectangle becomes (-1, -1, -1, -1).
    bool ReleaseBitmap();
    // ReleaseBitmap and forget the target.
    void Release();
    // Copies the covered rectangle of the surface onto the target at the same place.
    void BlitToTarget();

    // The painter on the surface; null while there is no surface.
    QPainter* painter() { return m_pBitmap ? &m_painter : nullptr; }
    const QImage* image() const { return m_pBitmap.get(); }
    const platform::Rect& rect() const { return m_rect; }
    int createdCount() const { return m_nCreated; }
    int destroyedCount() const { return m_nDestroyed; }

private:
    void makeBitmap(QPainter* like, const platform::Rect& rect);

    QPainter* m_pTargetDC = nullptr;
    std::unique_ptr<QImage> m_pBitmap;
    QPainter m_painter;
    platform::Rect m_rect{-1, -1, -1, -1};
    int m_nCreated = 0;
    int m_nDestroyed = 0;
};
