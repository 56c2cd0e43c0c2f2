#include "editor/painters/PainterColors.h"

#include "util/ColorModel.h"
#include "util/ColorText.h"

#include "engine/dom/Document.h"

namespace paintercolors_detail {

RgbTriple tripleOf(platform::ColorRef color)
{
    return RgbTriple{platform::redOf(color), platform::greenOf(color), platform::blueOf(color)};
}

} // namespace paintercolors_detail

platform::ColorRef PageBackgroundColor(const engine::Document* document)
{
    constexpr platform::ColorRef kWhite = platform::rgb(255, 255, 255);
    if (!document)
        return kWhite;
    const QString text = document->bgColor();
    // Only a colour the page really names counts; anything else is the
    // browser's white.
    if (!text.startsWith(QLatin1Char('#')) || text.size() != 7 || HexDigitValue(text.mid(1)) > 0xFFFFFF)
        return kWhite;
    return HtmlToColorRef(text);
}

int ContrastValue(int backgroundValue)
{
    if (backgroundValue > 225 && backgroundValue < 235)
        return 255;
    if (backgroundValue <= 15)
        return 150;
    return 230;
}

QString MakeContrastColor(int hue, int saturation, platform::ColorRef background)
{
    HsvTriple hsv = RgbToHsv(paintercolors_detail::tripleOf(background));
    hsv.hue = hue;
    hsv.saturation = saturation;
    hsv.value = ContrastValue(hsv.value);
    return ColorRefToHtml(RgbTripleToColorRef(HsvToRgb(hsv)));
}

platform::ColorRef InverseColor(platform::ColorRef background)
{
    return platform::rgb(255 - platform::redOf(background), 255 - platform::greenOf(background),
                         255 - platform::blueOf(background));
}

platform::ColorRef PageGuideColor(platform::ColorRef background)
{
    HsvTriple hsv = RgbToHsv(paintercolors_detail::tripleOf(background));
    hsv.hue = 255 - hsv.hue;
    hsv.saturation = 155;
    hsv.value = 230;
    return RgbTripleToColorRef(HsvToRgb(hsv));
}
