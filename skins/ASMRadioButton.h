#pragma once

#include "skins/ASMCheckBox.h"

// The skin of a radio button: as a check box, with the [RADIOBUTTON] picture
// or a 12 x 12 circle set pixel by pixel in skin colours.
class ASMRadioButton : public ASMCheckBox
{
    Q_OBJECT
public:
    ASMRadioButton();

    void DrawRadioMark(QPainter& dc, const platform::Rect& rect, const SkinButtonLook& look,
                       const QWidget* widget) const;
};
