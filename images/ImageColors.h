#pragma once

#include "platform/ColorRef.h"

#include <QColor>

// Between the program's colours (ColorRef, red in the low byte) and Qt's
// pixels (QRgb), at the image functions' edges. Alpha is opaque.
inline QRgb ColorRefToRgb(platform::ColorRef color)
{
    return qRgb(platform::redOf(color), platform::greenOf(color), platform::blueOf(color));
}

inline platform::ColorRef RgbToColorRef(QRgb rgb)
{
    return platform::rgb(qRed(rgb), qGreen(rgb), qBlue(rgb));
}
