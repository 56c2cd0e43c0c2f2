#pragma once

#include "platform/ColorRef.h"

#include <QString>

namespace engine {
class Document;
}

// The colours the page's painters draw in, worked out from the page's
// background so that the lines stay visible on it.

// The page's background colour: BODY's bgcolor, white without one (or when
// it is no colour).
platform::ColorRef PageBackgroundColor(const engine::Document* document);

// The value (brightness, 0..255) of the contrast colour for a background of
// that value: 255 for 226..234, 150 for 15 and below, 230 otherwise.
int ContrastValue(int backgroundValue);

// The background's colour with its hue and saturation replaced and its value
// by ContrastValue, as HTML colour text. With hue and saturation 0 a grey:
// #e6e6e6 on white, #969696 on black, white on #e6e6e6.
QString MakeContrastColor(int hue, int saturation, platform::ColorRef background);

// Each channel 255 minus the background's.
platform::ColorRef InverseColor(platform::ColorRef background);

// The page-size guide's colour: the background's hue turned round (255 minus
// it), saturation 155 and value 230.
platform::ColorRef PageGuideColor(platform::ColorRef background);
