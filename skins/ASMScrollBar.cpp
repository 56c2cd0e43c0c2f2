#include "skins/ASMScrollBar.h"

ASMScrollBar::ASMScrollBar() : ASMControl(SkinControlKind::ScrollBar) {}

bool ASMScrollBar::WindowProc(QEvent*)
{
    return false;
}
