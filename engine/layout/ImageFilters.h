#pragma once

#include <QImage>
#include <QString>

namespace engine {

// The picture an image's style filter shows: each call of the filter text applied in order. Painted are emboss and
// engrave, BasicImage with grayscale, invert, xray, mirror and rotation, Blur with its PixelRadius (at most 100),
// Alpha's opacity, and the legacy words gray, xray, invert, fliph and flipv; other calls leave the picture as it is.
// Returns the picture itself when nothing applies.
QImage applyImageFilters(const QImage& picture, const QString& filterText);

// Radii above this are painted as this.
constexpr int kMaxBlurRadius = 100;

} // namespace engine
