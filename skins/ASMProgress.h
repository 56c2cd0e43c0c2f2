#pragma once

#include "platform/Rect.h"
#include "skins/ASMControl.h"

class QPainter;

// The skin of a progress bar: a sunken ring on the face colour, the part
// done filled with the dark shadow colour.
class ASMProgress : public ASMControl
{
    Q_OBJECT
public:
    ASMProgress();

    // How much of `width` the part done covers: none for an empty range
    // (limits equal or the wrong way round), the value kept within the range.
    static int FilledWidth(int width, int position, int low, int high);
    // The groove: face inside a (shadow/highlight) ring.
    static void DrawGroove(QPainter& dc, const platform::Rect& rect);
    // The part done, a pixel inside the ring.
    static void Draw(QPainter& dc, const platform::Rect& rect, int position, int low, int high);
};
