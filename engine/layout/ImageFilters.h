#pragma once

#include <QImage>
#include <QString>

namespace engine {

// The picture an image's style filter shows: each call of the filter text applied in order. Painted are emboss and
// engrave, BasicImage with grayscale, invert, xray, mirror, rotation and opacity, Blur with its PixelRadius (at most
// 100), the transform effects of ImageEffects.h, and the legacy words gray, xray, invert, fliph and flipv; other calls
// leave the picture as it is. Returns the picture itself when nothing applies.
QImage applyImageFilters(const QImage& picture, const QString& filterText);

// The picture blurred by about `radius` pixels (at most kMaxBlurRadius), as the Blur filter blurs it.
void blurImage(QImage& picture, int radius);

// Radii above this are painted as this.
constexpr int kMaxBlurRadius = 100;

} // namespace engine
