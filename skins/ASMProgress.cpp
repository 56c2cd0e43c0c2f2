#include "skins/ASMProgress.h"

#include "controls/SysColors.h"
#include "skins/SkinDrawing.h"
#include "skins/VornaSkinManager.h"

#include <algorithm>

ASMProgress::ASMProgress() : ASMControl(SkinControlKind::Progress) {}

int ASMProgress::FilledWidth(int width, int position, int low, int high)
{
    if (high <= low || width <= 0)
        return 0;
    // In 64 bits: the full int range does not fit in an int.
    const double done = double(qint64(std::clamp(position, low, high)) - low) / double(qint64(high) - low);
    return int(width * done);
}

void ASMProgress::DrawGroove(QPainter& dc, const platform::Rect& rect)
{
    FillRectSolid(dc, rect, GetSkinSysColor(COLOR_3DFACE));
    Draw3dRectHDC(dc, rect, GetSkinSysColor(COLOR_3DSHADOW), GetSkinSysColor(COLOR_3DHIGHLIGHT));
}

void ASMProgress::Draw(QPainter& dc, const platform::Rect& rect, int position, int low, int high)
{
    // Inside the ring lies the bar's face; the part done keeps a pixel of it round itself.
    const platform::Rect inside(rect.left + 2, rect.top + 2, rect.right - 2, rect.bottom - 2);
    const int filled = FilledWidth(inside.width(), position, low, high);
    if (filled > 0 && inside.height() > 0)
        FillRectSolidXY(dc, inside.left, inside.top, filled, inside.height(), GetSkinSysColor(COLOR_3DDKSHADOW));
}
