#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace platform {

// A rectangle as the program computes it: right and bottom are exclusive, so
// width() is right - left. QRect (inclusive right/bottom) appears only at Qt
// calls, converted here.
struct Rect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr Rect() = default;
    constexpr Rect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    constexpr bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool contains(QPoint p) const { return contains(p.x(), p.y()); }
    constexpr void offset(int dx, int dy)
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    constexpr void inflate(int dx, int dy)
    {
        left -= dx;
        right += dx;
        top -= dy;
        bottom += dy;
    }
    constexpr bool operator==(const Rect&) const = default;

    QRect toQRect() const { return QRect(QPoint(left, top), QSize(width(), height())); }
    static Rect fromQRect(const QRect& r) { return Rect(r.x(), r.y(), r.x() + r.width(), r.y() + r.height()); }
};

} // namespace platform
