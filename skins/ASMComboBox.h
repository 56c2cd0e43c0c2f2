#pragma once

#include "platform/Rect.h"
#include "skins/ASMControl.h"

class QPainter;
class QStyleOptionComboBox;

// The skin of a combo box: the control frame, a drop button of skin rings
// that rises under the mouse, and a flat shadow field while disabled.
class ASMComboBox : public ASMControl
{
    Q_OBJECT
public:
    ASMComboBox();

    // The width of the drop button.
    static constexpr int kDropButtonWidth = 17;
    // The drop button inside the control's rectangle (2 pixels of frame).
    static platform::Rect DropButton(const platform::Rect& rect);

    // The frame, the field's background and the drop button; a disabled
    // field also gets its text, in the dark shadow colour.
    void Draw(QPainter& dc, const QStyleOptionComboBox& option) const;
    void DrawBorder(QPainter& dc, const platform::Rect& rect, const QStyleOptionComboBox& option) const;
    // Whether the field and its text are the skin's (the base style then draws no label).
    static bool DrawsField(const QStyleOptionComboBox& option);
};
