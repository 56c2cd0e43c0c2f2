#pragma once

#include "platform/ColorRef.h"

#include <QImage>

class QPainter;

// A transparent colour of this value leaves no colour out.
constexpr platform::ColorRef kNoTransparentColor = 0xFFFFFFFFu;

// A copy of the image in which every pixel of the key colour is fully
// transparent (the alpha channel the key colour stands for). With
// kNoTransparentColor the image comes back unchanged.
QImage ApplyColorKey(const QImage& image, platform::ColorRef key);

// Copies the rectangle (sx, sy, width, height) of the source onto the target at
// (x, y), leaving out the pixels of the transparent colour (kNoTransparentColor:
// none is left out).
void DrawTransparentBlt(QPainter& target, int x, int y, int width, int height, platform::ColorRef transparent,
                        const QImage& source, int sx, int sy);
