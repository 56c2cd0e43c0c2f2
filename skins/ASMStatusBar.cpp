#include "skins/ASMStatusBar.h"

#include "controls/SysColors.h"
#include "skins/SkinDrawing.h"
#include "skins/VornaSkinManager.h"

ASMStatusBar::ASMStatusBar() : ASMControl(SkinControlKind::StatusBar) {}

void ASMStatusBar::DrawBackground(QPainter& dc, const platform::Rect& rect)
{
    FillRectSolid(dc, rect, GetSkinSysColor(COLOR_3DFACE));
}

void ASMStatusBar::DrawPane(QPainter& dc, const platform::Rect& rect)
{
    FillRectSolid(dc, rect, GetSkinSysColor(COLOR_3DFACE));
    Draw3dRectHDC(dc, rect, GetSkinSysColor(COLOR_3DSHADOW), GetSkinSysColor(COLOR_3DHIGHLIGHT));
}
