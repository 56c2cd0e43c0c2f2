#pragma once

#include "util/ColorText.h"

// Hue, saturation and value of a colour: hue 0..359 in degrees (360 is taken
// as red where a hue is given), saturation and value 0..255.
struct HsvTriple
{
    int hue = 0;
    int saturation = 0;
    int value = 0;

    bool operator==(const HsvTriple&) const = default;
};

// Value is the largest channel; a grey has hue and saturation 0. Worked in
// double precision, each result truncated.
HsvTriple RgbToHsv(const RgbTriple& rgb);

// The inverse, with the sextant limits at 61, 120, 180, 240 and 301 degrees:
// hue 60 still belongs to the red sextant. Each channel truncated.
RgbTriple HsvToRgb(const HsvTriple& hsv);
