#pragma once

#include "platform/ColorRef.h"

#include <QString>
#include <optional>

namespace engine {

// Colour values as pages write them: "#rrggbb", "#rgb", bare "rrggbb",
// colour names and "rgb(r, g, b)".
std::optional<platform::ColorRef> parseCssColor(const QString& text);

// The value as lower-case "#rrggbb" when it is a recognised colour, else the
// value unchanged.
QString normalizeColorText(const QString& text);

// "#rrggbb" of a colour.
QString colorToHex(platform::ColorRef c);

} // namespace engine
