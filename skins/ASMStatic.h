#pragma once

#include "platform/Rect.h"
#include "skins/ASMControl.h"

class QPainter;
class QString;
class QStyleOptionFrame;

// The skin of labels and plain frames: sunken frames a single ring of skin
// colours, plain frames and boxes a black ring, separator lines etched in
// skin colours, and the text of a disabled label embossed in the highlight
// and shadow colours. It does not follow the mouse.
class ASMStatic : public ASMControl
{
    Q_OBJECT
public:
    ASMStatic();

    // The frame; false for a kind the base style draws (raised frames).
    static bool DrawFrame(QPainter& dc, const QStyleOptionFrame& option);
    // Text embossed: highlight a pixel down and right, the shadow over it.
    static void DrawDisabledText(QPainter& dc, const QRect& rect, int flags, const QString& text);

    bool WindowProc(QEvent* event) override;
};
