#include "skins/ASMCheckBox.h"

#include "controls/SysColors.h"
#include "skins/SkinDrawing.h"
#include "skins/SkinRecordPainters.h"
#include "skins/VornaSkinManager.h"

#include <QPainter>
#include <QWidget>

ASMCheckBox::ASMCheckBox(SkinControlKind kind) : ASMPushButton(kind) {}

int ASMCheckBox::MarkState(const SkinButtonLook& look)
{
    // As a button's, with the third state after the press.
    if (look.indeterminate && !look.pressed)
        return kMarkIndeterminate;
    SkinButtonLook mark = look;
    mark.checkable = false;
    return ImageState(mark);
}

void ASMCheckBox::DrawMark(QPainter& dc, const platform::Rect& rect, const SkinButtonLook& look,
                           const QWidget* widget) const
{
    const SkinMarkRecord& record = VornaSkinManager::GetInstance().data().m_checkBox;
    if (ImageControlsOn() && !record.image.isNull()) {
        if (record.transparent != kNoTransparentColor && widget)
            FillSkinBackgroundXY(dc, rect.left, rect.top, rect.width(), rect.height(), widget->parentWidget(),
                                 const_cast<QWidget*>(widget));
        DrawSkinCheckImage(record, dc, MarkState(look), look.checked || look.indeterminate, rect);
        return;
    }
    // A 13 x 13 box centred across the rectangle.
    const int top = rect.top + (rect.height() - 13) / 2;
    const platform::Rect box(rect.left, top, rect.left + 13, top + 13);
    const platform::Rect inside(box.left + 2, box.top + 2, box.right - 2, box.bottom - 2);
    FillRectSolid(dc, inside, GetSkinSysColor(look.disabled ? COLOR_3DFACE : COLOR_WINDOW));
    if (look.hover)
        DrawSkinDouble3dRect(dc, box, COLOR_3DDKSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW, COLOR_3DFACE);
    else if (!look.disabled) {
        // The third state alone (neither held nor focused) lines the box in the highlight.
        const int inner = look.indeterminate && !look.pressed && !look.focus ? COLOR_3DHIGHLIGHT : COLOR_WINDOW;
        DrawSkinDouble3dRect(dc, box, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT, inner, inner);
    } else
        DrawSkinDouble3dRect(dc, box, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DFACE, COLOR_3DFACE);
    // The checked state shows: a tick, or a square for the third state.
    const QColor mark = platform::toQColor(GetSkinSysColor(look.disabled ? COLOR_3DSHADOW : COLOR_BTNTEXT));
    if (look.indeterminate) {
        dc.fillRect(QRect(inside.left + 2, inside.top + 2, inside.width() - 4, inside.height() - 4), mark);
    } else if (look.checked) {
        // A tick of three-pixel columns: down to the middle, then up.
        for (int i = 0; i < 7; ++i) {
            const int x = inside.left + 1 + i;
            const int y = i < 3 ? inside.top + 3 + i : inside.top + 5 - (i - 2);
            dc.fillRect(QRect(x, y, 1, 3), mark);
        }
    }
}
