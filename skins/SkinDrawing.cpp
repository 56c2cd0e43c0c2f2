#include "skins/SkinDrawing.h"

#include "controls/SysColors.h"
#include "skins/VornaSkinManager.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cstdlib>

namespace skindrawing_detail {

platform::ColorRef skin(int index)
{
    return GetSkinSysColor(index);
}

} // namespace skindrawing_detail

using skindrawing_detail::skin;

void FillRectSolidXY(QPainter& dc, int x, int y, int width, int height, platform::ColorRef colour)
{
    // A negative extent fills back from the edge: (x + width .. x).
    const int left = width < 0 ? x + width : x;
    const int top = height < 0 ? y + height : y;
    dc.fillRect(QRect(left, top, std::abs(width), std::abs(height)), platform::toQColor(colour));
}

void FillRectSolid(QPainter& dc, const platform::Rect& rect, platform::ColorRef colour)
{
    FillRectSolidXY(dc, rect.left, rect.top, rect.width(), rect.height(), colour);
}

void Draw3dRectXY(QPainter& dc, int x, int y, int width, int height, platform::ColorRef topLeft,
                  platform::ColorRef bottomRight)
{
    FillRectSolidXY(dc, x, y, width - 1, 1, topLeft);
    FillRectSolidXY(dc, x, y, 1, height - 1, topLeft);
    FillRectSolidXY(dc, x + width, y, -1, height, bottomRight);
    FillRectSolidXY(dc, x, y + height, width, -1, bottomRight);
}

void Draw3dRectHDC(QPainter& dc, const platform::Rect& rect, platform::ColorRef topLeft, platform::ColorRef bottomRight)
{
    Draw3dRectXY(dc, rect.left, rect.top, rect.width(), rect.height(), topLeft, bottomRight);
}

void DrawDouble3dRect(QPainter& dc, const platform::Rect& rect, platform::ColorRef outerTopLeft,
                      platform::ColorRef outerBottomRight, platform::ColorRef innerTopLeft,
                      platform::ColorRef innerBottomRight)
{
    Draw3dRectHDC(dc, rect, outerTopLeft, outerBottomRight);
    const platform::Rect inner(rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1);
    Draw3dRectHDC(dc, inner, innerTopLeft, innerBottomRight);
}

void DrawSkinDouble3dRect(QPainter& dc, const platform::Rect& rect, int outerTopLeft, int outerBottomRight,
                          int innerTopLeft, int innerBottomRight)
{
    DrawDouble3dRect(dc, rect, skin(outerTopLeft), skin(outerBottomRight), skin(innerTopLeft), skin(innerBottomRight));
}

void DrawSkinTriple3dRect(QPainter& dc, const platform::Rect& rect, int first1, int first2, int second1, int second2,
                          int third1, int third2)
{
    DrawSkinDouble3dRect(dc, rect, first1, first2, second1, second2);
    const platform::Rect third(rect.left + 2, rect.top + 2, rect.right - 2, rect.bottom - 2);
    Draw3dRectHDC(dc, third, skin(third1), skin(third2));
}

void DrawSkinSizeGrip(QPainter& dc, const platform::Rect& rect)
{
    // Line i runs from (right - i, bottom) towards (right, bottom - i), its
    // end left out; every fourth is skipped: highlight, none, shadow, shadow.
    const QColor shadow = platform::toQColor(skin(COLOR_3DSHADOW));
    const QColor highlight = platform::toQColor(skin(COLOR_3DHIGHLIGHT));
    for (int i = 1; i <= 13; ++i) {
        if (i % 4 == 2)
            continue;
        const QColor& colour = i % 4 == 1 ? highlight : shadow;
        for (int k = 0; k < i; ++k)
            dc.fillRect(QRect(rect.right - i + k, rect.bottom - k, 1, 1), colour);
    }
}

void DrawSkinEtchedLine(QPainter& dc, int x, int y, int length, bool horizontal)
{
    if (horizontal) {
        FillRectSolidXY(dc, x, y, length, 1, skin(COLOR_3DSHADOW));
        FillRectSolidXY(dc, x, y + 1, length, 1, skin(COLOR_3DHIGHLIGHT));
    } else {
        FillRectSolidXY(dc, x, y, 1, length, skin(COLOR_3DSHADOW));
        FillRectSolidXY(dc, x + 1, y, 1, length, skin(COLOR_3DHIGHLIGHT));
    }
}

void DrawSkinBarBorders(QPainter& dc, int borders, platform::Rect& rect)
{
    if (!(borders & (kBarBorderLeft | kBarBorderTop | kBarBorderRight | kBarBorderBottom)))
        return;
    constexpr int cx = 2;
    constexpr int cy = 2;
    platform::Rect r1 = rect;
    platform::Rect r2 = rect;
    if (borders & kBarBorder3d) {
        r1.right -= 1;
        r1.bottom -= 1;
    }
    if (borders & kBarBorderTop)
        r2.top += cy;
    if (borders & kBarBorderBottom)
        r2.bottom -= cy;
    const platform::ColorRef shadow = skin(COLOR_3DSHADOW);
    if (borders & kBarBorderLeft)
        FillRectSolidXY(dc, 0, r2.top, 1, r2.height(), shadow);
    if (borders & kBarBorderTop)
        FillRectSolidXY(dc, 0, 0, rect.right, 1, shadow);
    if (borders & kBarBorderRight)
        FillRectSolidXY(dc, r1.right, r2.top, -1, r2.height(), shadow);
    if (borders & kBarBorderBottom)
        FillRectSolidXY(dc, 0, r1.bottom, rect.right, -1, shadow);
    if (borders & kBarBorder3d) {
        const platform::ColorRef highlight = skin(COLOR_3DHIGHLIGHT);
        if (borders & kBarBorderLeft)
            FillRectSolidXY(dc, 1, r2.top, 1, r2.height(), highlight);
        if (borders & kBarBorderTop)
            FillRectSolidXY(dc, 0, 1, rect.right, 1, highlight);
        if (borders & kBarBorderRight)
            FillRectSolidXY(dc, rect.right, r2.top, -1, r2.height(), highlight);
        if (borders & kBarBorderBottom)
            FillRectSolidXY(dc, 0, rect.bottom, rect.right, -1, highlight);
    }
    if (borders & kBarBorderLeft)
        rect.left += cx;
    if (borders & kBarBorderTop)
        rect.top += cy;
    if (borders & kBarBorderRight)
        rect.right -= cx;
    if (borders & kBarBorderBottom)
        rect.bottom -= cy;
}

void DrawSkinGripper(QPainter& dc, const platform::Rect& rect, bool horizontal, int borderTop, int borderBottom)
{
    if (horizontal)
        Draw3dRectXY(dc, rect.left + 2, rect.top + borderTop, 3, rect.height() - borderTop - borderBottom,
                     skin(COLOR_3DHIGHLIGHT), skin(COLOR_3DSHADOW));
    else
        Draw3dRectXY(dc, rect.left + borderTop, rect.top + 2, rect.width() - borderTop - borderBottom, 3,
                     skin(COLOR_3DHIGHLIGHT), skin(COLOR_3DSHADOW));
}

void DrawSkinDropArrow(QPainter& dc, const platform::Rect& rect)
{
    // A triangle 7 pixels wide pointing down.
    const int cx = rect.left + rect.width() / 2;
    const int cy = rect.top + rect.height() / 2 - 2;
    const QColor colour = platform::toQColor(skin(COLOR_BTNTEXT));
    for (int row = 0; row < 4; ++row)
        dc.fillRect(QRect(cx - 3 + row, cy + row, 7 - 2 * row, 1), colour);
}

bool ScreenToClientRect(const QWidget* widget, platform::Rect& rect)
{
    if (!widget)
        return false;
    const QPoint origin = widget->mapToGlobal(QPoint(0, 0));
    rect = platform::Rect(rect.left - origin.x(), rect.top - origin.y(), rect.right - origin.x(),
                          rect.bottom - origin.y());
    return true;
}

bool ClientToScreenRect(const QWidget* widget, platform::Rect& rect)
{
    if (!widget)
        return false;
    const QPoint origin = widget->mapToGlobal(QPoint(0, 0));
    rect = platform::Rect(rect.left + origin.x(), rect.top + origin.y(), rect.right + origin.x(),
                          rect.bottom + origin.y());
    return true;
}

void DrawSkinFrameControl(QPainter& dc, const platform::Rect& rect, SkinArrow arrow, bool pushed,
                          platform::ColorRef fill)
{
    if (rect.isEmpty())
        return;
    FillRectSolid(dc, rect, fill);
    // Rows (or columns) of the triangle, its widest as long as twice that less one.
    const int depth = std::clamp(std::min(rect.width(), rect.height()) / 3, 1, 4);
    const int shift = pushed ? 1 : 0;
    const int cx = rect.left + rect.width() / 2 + shift;
    const int cy = rect.top + rect.height() / 2 + shift;
    const QColor colour = platform::toQColor(skin(COLOR_BTNTEXT));
    for (int i = 0; i < depth; ++i) {
        // Row i from the point: 2i + 1 pixels long.
        const bool vertical = arrow == SkinArrow::Up || arrow == SkinArrow::Down;
        const bool towardsStart = arrow == SkinArrow::Up || arrow == SkinArrow::Left;
        const int start = (vertical ? cy : cx) - depth / 2;
        const int along = towardsStart ? start + i : start + depth - 1 - i;
        if (vertical)
            dc.fillRect(QRect(cx - i, along, 2 * i + 1, 1), colour);
        else
            dc.fillRect(QRect(along, cy - i, 1, 2 * i + 1), colour);
    }
}
