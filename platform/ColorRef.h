#pragma once

#include <QColor>
#include <QtGlobal>

namespace platform {

// A colour as the program stores and computes it: 0x00BBGGRR, red in the low
// byte. Never mixed with QRgb (0xAARRGGBB); convert at Qt calls only.
using ColorRef = quint32;

constexpr ColorRef rgb(int r, int g, int b)
{
    return ColorRef(quint8(r)) | (ColorRef(quint8(g)) << 8) | (ColorRef(quint8(b)) << 16);
}
constexpr int redOf(ColorRef c)
{
    return int(c & 0xFF);
}
constexpr int greenOf(ColorRef c)
{
    return int((c >> 8) & 0xFF);
}
constexpr int blueOf(ColorRef c)
{
    return int((c >> 16) & 0xFF);
}

inline QColor toQColor(ColorRef c)
{
    return QColor(redOf(c), greenOf(c), blueOf(c));
}
inline ColorRef fromQColor(const QColor& c)
{
    return rgb(c.red(), c.green(), c.blue());
}

} // namespace platform
