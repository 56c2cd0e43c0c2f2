#pragma once

#include "platform/ColorRef.h"
#include "platform/Rect.h"

class QPainter;

// The small buttons of the program's own captions (dialog bars and roll-up
// hooks), drawn in the skin's colours.
enum class CaptionGlyph { Close, Minimise, Maximise, ArrowUp, ArrowDown, ArrowLeft, ArrowRight };

// A caption button in state 0 (normal), 1 (hot) or 2 (pressed): the face
// filled with `face`, two nested 3-D frames in the state's colours
// and the glyph, moved a pixel down and right while pressed.
void DrawCaptionButton(QPainter& dc, const platform::Rect& rect, CaptionGlyph glyph, int state,
                       platform::ColorRef face);

// Two nested 3-D frames in the colours of four colour indexes: the outer
// frame's top-left and bottom-right, then the inner frame's.
void DrawDouble3dRect(QPainter& dc, const platform::Rect& rect, int outerTopLeft, int outerBottomRight,
                      int innerTopLeft, int innerBottomRight);
