// Conversions between RGB and hue, saturation and value.

#include "util/ColorModel.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>

namespace {

struct ColorCase
{
    RgbTriple rgb;
    HsvTriple hsv;
};

std::ostream& operator<<(std::ostream& out, const ColorCase& c)
{
    return out << "rgb(" << c.rgb.red << "," << c.rgb.green << "," << c.rgb.blue << ") hsv(" << c.hsv.hue << ","
               << c.hsv.saturation << "," << c.hsv.value << ")";
}

class RgbToHsvTest : public ::testing::TestWithParam<ColorCase>
{
};

TEST_P(RgbToHsvTest, GivesTheTruncatedTriple)
{
    EXPECT_EQ(RgbToHsv(GetParam().rgb), GetParam().hsv);
}

INSTANTIATE_TEST_SUITE_P(Table, RgbToHsvTest,
                         ::testing::Values(ColorCase{{255, 0, 0}, {0, 255, 255}},
                                           ColorCase{{0, 0, 255}, {240, 255, 255}},
                                           ColorCase{{0, 255, 0}, {120, 255, 255}},
                                           ColorCase{{128, 128, 128}, {0, 0, 128}}, ColorCase{{0, 0, 0}, {0, 0, 0}},
                                           // A negative angle comes round to 359.
                                           ColorCase{{255, 0, 1}, {359, 255, 255}},
                                           ColorCase{{255, 128, 0}, {30, 255, 255}}));

class HsvToRgbTest : public ::testing::TestWithParam<ColorCase>
{
};

TEST_P(HsvToRgbTest, GivesTheTruncatedTriple)
{
    const RgbTriple rgb = HsvToRgb(GetParam().hsv);
    EXPECT_EQ(rgb.red, GetParam().rgb.red);
    EXPECT_EQ(rgb.green, GetParam().rgb.green);
    EXPECT_EQ(rgb.blue, GetParam().rgb.blue);
}

INSTANTIATE_TEST_SUITE_P(
    Table, HsvToRgbTest,
    ::testing::Values(ColorCase{{200, 200, 200}, {0, 0, 200}}, ColorCase{{0, 255, 0}, {120, 255, 255}},
                      ColorCase{{255, 127, 0}, {30, 255, 255}},
                      // Hue 60 still counts to the red sextant, 61 to the green one.
                      ColorCase{{255, 255, 0}, {60, 255, 255}}, ColorCase{{250, 255, 0}, {61, 255, 255}},
                      ColorCase{{255, 0, 255}, {300, 255, 255}}, ColorCase{{255, 0, 0}, {360, 255, 255}},
                      ColorCase{{99, 166, 200}, {200, 128, 200}}));

TEST(ColorModelTest, EveryHueComesBackWithinOneDegree)
{
    for (int hue = 0; hue < 360; ++hue) {
        const HsvTriple back = RgbToHsv(HsvToRgb({hue, 255, 255}));
        const int diff = std::abs(back.hue - hue);
        EXPECT_LE(std::min(diff, 360 - diff), 1) << hue;
        EXPECT_EQ(back.saturation, 255) << hue;
        EXPECT_EQ(back.value, 255) << hue;
    }
}

} // namespace
