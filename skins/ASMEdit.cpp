#include "skins/ASMEdit.h"

#include "controls/SysColors.h"
#include "skins/SkinDrawing.h"
#include "skins/VornaSkinManager.h"

#include <QPainter>
#include <QStyleOptionFrame>

ASMEdit::ASMEdit(SkinControlKind kind) : ASMControl(kind) {}

bool ASMEdit::IsFlat(const QStyleOptionFrame& option)
{
    return !(option.state & QStyle::State_Enabled) || (option.state & QStyle::State_ReadOnly);
}

void ASMEdit::DrawBorder(QPainter& dc, const platform::Rect& rect, const QStyleOptionFrame& option) const
{
    const bool deep = (option.state & QStyle::State_HasFocus) || IsFlat(option) || IsMouseOver() ||
                      (option.state & QStyle::State_MouseOver);
    DrawRings(dc, rect, deep);
}

void ASMEdit::DrawRings(QPainter& dc, const platform::Rect& rect, bool deep)
{
    if (deep)
        DrawSkinDouble3dRect(dc, rect, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
    else
        DrawSkinDouble3dRect(dc, rect, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DFACE, COLOR_3DFACE);
}

void ASMEdit::Draw(QPainter& dc, const QStyleOptionFrame& option) const
{
    const platform::Rect rect = platform::Rect::fromQRect(option.rect);
    FillRectSolid(dc, rect, IsFlat(option) ? GetSkinSysColor(COLOR_3DSHADOW) : GetSkinSysColor(COLOR_WINDOW));
    // A field without an edge of its own (inside a combo box or a number box) only lies flat.
    if (option.lineWidth > 0)
        DrawBorder(dc, rect, option);
}
