#pragma once

#include "platform/ColorRef.h"

#include <QString>

// Colours as the texts written into pages, and numbers read from such texts.

struct RgbTriple
{
    int red = 0;
    int green = 0;
    int blue = 0;
};

// The HTML 4 colour name of the exact value, else "#rrggbb" in lower case.
QString ColorRefToHtml(platform::ColorRef color);

// "#rrggbb" (pairs read by HexDigitValue, low byte kept) or a colour name of
// any case; anything else gives 0 (black).
platform::ColorRef HtmlToColorRef(const QString& text);

// The whole text as a hexadecimal number; 0 for an empty text, 0xFFFFFFFF when
// a character is not a hexadecimal digit.
quint32 HexDigitValue(const QString& text);

// The low byte of each channel, red in the low byte.
platform::ColorRef RgbTripleToColorRef(const RgbTriple& rgb);

// "0x..." or "#..." read as hexadecimal, otherwise the leading decimal integer.
// False for an empty text and for a bare prefix; `value` is 0 then.
bool ParseHexColorText(const QString& text, quint32& value);
