#pragma once

#include "platform/Rect.h"
#include "skins/ASMEdit.h"

class QWidget;

// The skin of the edit field of a combo box: an edit field's skin, whose
// field the combo box frames.
class CCMEditCombo : public ASMEdit
{
    Q_OBJECT
public:
    CCMEditCombo();

    // Where a frame round the field would be drawn: the field grown by 3 on
    // every side, in the coordinates of the widget returned (the combo box,
    // which paints it), or null without a field.
    QWidget* GetFrameDC(platform::Rect& rect) const;
};
