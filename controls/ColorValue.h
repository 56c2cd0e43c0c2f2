#pragma once

#include "platform/ColorRef.h"

// A colour field's value: a ColorRef (0x00BBGGRR) or one of two markers.
// kColorDefault: the caller writes no colour attribute (shown as the field's
// default colour); kColorNone: no colour at all.
inline constexpr platform::ColorRef kColorDefault = 0xFFFFFFFFu;
inline constexpr platform::ColorRef kColorNone = 0xFFFFFFFEu;

inline constexpr bool IsColorMarker(platform::ColorRef value)
{
    return value == kColorDefault || value == kColorNone;
}
