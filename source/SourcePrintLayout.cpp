#include "source/SourcePrintLayout.h"

#include <algorithm>
#include <cmath>

int HundredthsOfMmToDevice(int hundredths, int dotsPerInch)
{
    return static_cast<int>(std::lround(hundredths * static_cast<double>(dotsPerInch) / 2540.0));
}

platform::Rect SourcePrintTextRect(const platform::Rect& page, const platform::Rect& margins, int lineHeight,
                                   int charWidth, bool header, bool footer)
{
    const int band = lineHeight + lineHeight / 2;
    auto bands = [&](platform::Rect area) {
        if (header)
            area.top += band;
        if (footer)
            area.bottom -= band;
        return area;
    };
    platform::Rect area(page.left + std::max(0, margins.left), page.top + std::max(0, margins.top),
                        page.right - std::max(0, margins.right), page.bottom - std::max(0, margins.bottom));
    area = bands(area);
    if (area.width() < std::max(1, charWidth) || area.height() < std::max(1, lineHeight))
        area = bands(page);
    return area;
}

platform::Rect SourcePrintFooterRect(const platform::Rect& textArea, int lineHeight)
{
    return platform::Rect(textArea.left, textArea.bottom, textArea.right,
                          textArea.bottom + lineHeight + lineHeight / 2);
}

platform::Rect SourcePrintHeaderRect(const platform::Rect& textArea, int lineHeight)
{
    return platform::Rect(textArea.left, textArea.top - (lineHeight + lineHeight / 2), textArea.right, textArea.top);
}

std::vector<int> PaginateSourceLines(int lineCount, int textTop, int textBottom,
                                     const std::function<int(int line)>& heightOf)
{
    std::vector<int> starts{0};
    if (lineCount <= 0)
        return starts;
    int y = textTop + heightOf(0);
    for (int line = 1; line < lineCount; ++line) {
        const int height = heightOf(line);
        if (y + height > textBottom) {
            starts.push_back(line);
            y = textTop + height;
        } else {
            y += height;
        }
    }
    return starts;
}
