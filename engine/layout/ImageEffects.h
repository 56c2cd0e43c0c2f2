#pragma once

#include <QImage>
#include <QRgb>
#include <QString>

namespace engine {

struct FilterCall;

// The transform effects of an image's filter: Alpha (uniform, linear, radial and rectangular opacity ramps),
// DropShadow, Glow, Gradient, MotionBlur, Shadow and Wave. Each works on an ARGB32 picture and
// keeps its size: an effect that reaches past the picture (a shadow, a glow) makes room by drawing the picture
// smaller inside it. Numbers are kept to the ranges the effects dialog offers.
//
// Applies the call when it is one of these effects; false, with the picture untouched, for any other call.
bool applyTransformEffect(QImage& picture, const FilterCall& call);

// A colour of a filter argument: "#rrggbb", "#aarrggbb" (alpha first) or an HTML colour name of any case; anything
// else is opaque black.
QRgb effectColor(const QString& text);

} // namespace engine
