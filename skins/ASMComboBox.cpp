#include "skins/ASMComboBox.h"

#include "controls/SysColors.h"
#include "skins/SkinDrawing.h"
#include "skins/VornaSkinManager.h"

#include <QPainter>
#include <QStyleOptionComboBox>

ASMComboBox::ASMComboBox() : ASMControl(SkinControlKind::ComboBox) {}

platform::Rect ASMComboBox::DropButton(const platform::Rect& rect)
{
    platform::Rect button(rect.left + 2, rect.top + 2, rect.right - 2, rect.bottom - 2);
    button.left = std::max(button.left, button.right - kDropButtonWidth);
    return button;
}

bool ASMComboBox::DrawsField(const QStyleOptionComboBox& option)
{
    return !(option.state & QStyle::State_Enabled) && !option.editable;
}

void ASMComboBox::DrawBorder(QPainter& dc, const platform::Rect& rect, const QStyleOptionComboBox& option) const
{
    const bool enabled = option.state & QStyle::State_Enabled;
    const bool hover = IsMouseOver() || (option.state & QStyle::State_MouseOver);
    ASMControl::DrawBorder(dc, rect, hover, enabled);
    const platform::Rect button = DropButton(rect);
    if (button.isEmpty())
        return;
    if (!enabled)
        DrawSkinDouble3dRect(dc, button, COLOR_3DFACE, COLOR_3DFACE, COLOR_3DFACE, COLOR_3DFACE);
    else if (hover)
        DrawSkinDouble3dRect(dc, button, COLOR_3DFACE, COLOR_3DDKSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW);
    else
        DrawSkinDouble3dRect(dc, button, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW, COLOR_3DFACE, COLOR_3DFACE);
}

void ASMComboBox::Draw(QPainter& dc, const QStyleOptionComboBox& option) const
{
    const platform::Rect rect = platform::Rect::fromQRect(option.rect);
    const platform::Rect inner(rect.left + 2, rect.top + 2, rect.right - 2, rect.bottom - 2);
    const platform::Rect button = DropButton(rect);
    const platform::Rect field(inner.left, inner.top, button.left, inner.bottom);
    const bool flat = DrawsField(option);
    if (!field.isEmpty())
        FillRectSolid(dc, field, GetSkinSysColor(flat ? COLOR_3DSHADOW : COLOR_WINDOW));
    DrawSkinFrameControl(dc, button, SkinArrow::Down, false, GetSkinSysColor(COLOR_3DFACE));
    DrawBorder(dc, rect, option);
    if (!flat || field.isEmpty())
        return;
    // The text a pixel down and right, on one line, in the dark shadow colour.
    platform::Rect text = field;
    text.offset(1, 1);
    dc.save();
    dc.setClipRect(field.toQRect(), Qt::IntersectClip);
    dc.setPen(platform::toQColor(GetSkinSysColor(COLOR_3DDKSHADOW)));
    dc.drawText(text.toQRect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, option.currentText);
    dc.restore();
}
