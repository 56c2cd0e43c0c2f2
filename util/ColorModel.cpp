#include "util/ColorModel.h"

#include <algorithm>

HsvTriple RgbToHsv(const RgbTriple& rgb)
{
    const int max = std::max({rgb.red, rgb.green, rgb.blue});
    const int min = std::min({rgb.red, rgb.green, rgb.blue});
    const double delta = max - min;
    HsvTriple hsv;
    hsv.value = max;
    if (delta == 0)
        return hsv;
    hsv.saturation = int(delta / max * 255.0);
    double h = 0;
    if (rgb.red == max)
        h = (rgb.green - rgb.blue) / delta;
    else if (rgb.green != max)
        h = (rgb.red - rgb.green) / delta + 4.0;
    else
        h = (rgb.blue - rgb.red) / delta + 2.0;
    h *= 60.0;
    if (h < 0)
        h += 360.0;
    if (h == 360.0)
        h = 0;
    hsv.hue = int(h);
    return hsv;
}

RgbTriple HsvToRgb(const HsvTriple& hsv)
{
    const int h = hsv.hue;
    const int v = hsv.value;
    const double c = double(hsv.saturation) * v / 255.0;
    const double m = v - c;
    double red = 0;
    double green = 0;
    double blue = 0;
    if (h < 61 || h > 300) {
        red = v;
        if (h <= 300) {
            green = h / 60.0 * c + m;
            blue = m;
        } else {
            green = m;
            blue = m - (h - 360) / 60.0 * c;
        }
    } else if (h >= 180) {
        blue = v;
        if (h < 240) {
            red = m;
            green = m - (h / 60.0 - 4) * c;
        } else {
            green = m;
            red = m + (h / 60.0 - 4) * c;
        }
    } else {
        green = v;
        if (h >= 120) {
            red = m;
            blue = m + (h / 60.0 - 2) * c;
        } else {
            blue = m;
            red = m - (h / 60.0 - 2) * c;
        }
    }
    return RgbTriple{int(red), int(green), int(blue)};
}
