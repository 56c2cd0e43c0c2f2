#pragma once

#include "skins/ASMPushButton.h"

// The skin of a check box: its mark from the [CHECKBOX] picture with image
// controls on, else a 13 x 13 box of skin-coloured rings with the mark
// drawn in it; its caption as a button's.
class ASMCheckBox : public ASMPushButton
{
    Q_OBJECT
public:
    explicit ASMCheckBox(SkinControlKind kind = SkinControlKind::CheckBox);

    // The mark's picture state: 2 pressed, 16 third state, 3 disabled, 1 hot, 4 focused, 0 normal.
    static int MarkState(const SkinButtonLook& look);
    // The box and its mark in the indicator's rectangle.
    void DrawMark(QPainter& dc, const platform::Rect& rect, const SkinButtonLook& look, const QWidget* widget) const;
};
