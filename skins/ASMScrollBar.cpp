#include "skins/ASMScrollBar.h"

#include "controls/SysColors.h"
#include "skins/SkinDrawing.h"
#include "skins/VornaSkinManager.h"

#include <QPainter>

ASMScrollBar::ASMScrollBar() : ASMControl(SkinControlKind::ScrollBar) {}

bool ASMScrollBar::WindowProc(QEvent*)
{
    return false;
}

void ASMScrollBar::DrawSizeGrip(QPainter& dc, const platform::Rect& rect, Qt::Corner corner)
{
    if (rect.isEmpty())
        return;
    FillRectSolid(dc, rect, GetSkinSysColor(COLOR_3DFACE));
    // The lines run up from the bottom edge; a grip in a left or top corner
    // is the same figure mirrored.
    const bool left = corner == Qt::BottomLeftCorner || corner == Qt::TopLeftCorner;
    const bool top = corner == Qt::TopLeftCorner || corner == Qt::TopRightCorner;
    dc.save();
    dc.translate(left ? rect.left + rect.right : 0, top ? rect.top + rect.bottom : 0);
    dc.scale(left ? -1 : 1, top ? -1 : 1);
    DrawSkinSizeGrip(dc, rect);
    dc.restore();
}
