#pragma once

#include "platform/Rect.h"
#include "skins/ASMControl.h"

#include <Qt>

class QPainter;

// The skin of a scroll bar: the bar keeps its own look and cursor, and does
// not follow the mouse. A size grip is drawn in the skin: the face with the
// grip's diagonal lines.
class ASMScrollBar : public ASMControl
{
    Q_OBJECT
public:
    ASMScrollBar();

    bool WindowProc(QEvent* event) override;

    // A size grip in the rectangle, its lines in the given corner (those of
    // the right corners drawn toward the left ones mirrored).
    static void DrawSizeGrip(QPainter& dc, const platform::Rect& rect, Qt::Corner corner);
};
