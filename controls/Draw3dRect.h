#pragma once

#include "platform/ColorRef.h"
#include "platform/Rect.h"

class QPainter;

// Bevel and swatch drawing shared by the colour controls, in the program's
// rectangle convention (right and bottom exclusive).

// The top and left edges in one colour, the bottom and right edges in the other.
void Draw3dRect(QPainter& dc, const platform::Rect& rect, platform::ColorRef topLeft, platform::ColorRef bottomRight);

// Fills the rectangle and outlines it with a 1-pixel frame of the outline colour.
void FillOutlinedRect(QPainter& dc, const platform::Rect& rect, platform::ColorRef fill, platform::ColorRef outline);

// The rectangle moved inwards by the amount on each side.
platform::Rect ShrunkRect(platform::Rect rect, int amount);
