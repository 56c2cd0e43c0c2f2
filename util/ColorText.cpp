#include "util/ColorText.h"

#include "util/TextHelpers.h"

using platform::ColorRef;
using platform::rgb;

namespace colortext_detail {

struct NamedColor
{
    const char* name;
    ColorRef value;
};

// The sixteen colour names of HTML 4; the first row with a value wins.
constexpr NamedColor kNamedColors[] = {
    {"Black", rgb(0, 0, 0)},       {"Silver", rgb(192, 192, 192)}, {"Gray", rgb(128, 128, 128)},
    {"White", rgb(255, 255, 255)}, {"Maroon", rgb(128, 0, 0)},     {"Red", rgb(255, 0, 0)},
    {"Purple", rgb(128, 0, 128)},  {"Fuchsia", rgb(255, 0, 255)},  {"Green", rgb(0, 128, 0)},
    {"Lime", rgb(0, 255, 0)},      {"Olive", rgb(128, 128, 0)},    {"Yellow", rgb(255, 255, 0)},
    {"Navy", rgb(0, 0, 128)},      {"Blue", rgb(0, 0, 255)},       {"Teal", rgb(0, 128, 128)},
    {"Aqua", rgb(0, 255, 255)},
};

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

} // namespace colortext_detail

QString ColorRefToHtml(ColorRef color)
{
    for (const colortext_detail::NamedColor& named : colortext_detail::kNamedColors) {
        if (named.value == color)
            return QString::fromLatin1(named.name);
    }
    return QStringLiteral("#%1%2%3")
        .arg(platform::redOf(color), 2, 16, QLatin1Char('0'))
        .arg(platform::greenOf(color), 2, 16, QLatin1Char('0'))
        .arg(platform::blueOf(color), 2, 16, QLatin1Char('0'));
}

ColorRef HtmlToColorRef(const QString& text)
{
    if (text.startsWith(QLatin1Char('#'))) {
        const auto pair = [&](qsizetype at) { return HexDigitValue(text.mid(at, 2)) & 0xFF; };
        return ColorRef(pair(1) | (pair(3) << 8) | (pair(5) << 16));
    }
    for (const colortext_detail::NamedColor& named : colortext_detail::kNamedColors) {
        if (text.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0)
            return named.value;
    }
    return 0;
}

quint32 HexDigitValue(const QString& text)
{
    quint32 value = 0;
    quint32 weight = 1;
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        const int digit = colortext_detail::hexDigit(text[i]);
        if (digit < 0)
            return 0xFFFFFFFFu;
        value += quint32(digit) * weight;
        weight *= 16;
    }
    return value;
}

ColorRef RgbTripleToColorRef(const RgbTriple& triple)
{
    return rgb(triple.red, triple.green, triple.blue);
}

bool ParseHexColorText(const QString& text, quint32& value)
{
    value = 0;
    QString digits;
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        digits = text.mid(2);
    else if (text.startsWith(QLatin1Char('#')))
        digits = text.mid(1);
    else {
        if (text.isEmpty())
            return false;
        value = quint32(LeadingInteger(text));
        return true;
    }
    quint32 weight = 1;
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        const QChar c = digits[i];
        int digit = 0;
        if (c.toUpper() >= QLatin1Char('A') && c.toUpper() <= QLatin1Char('F'))
            digit = c.toUpper().unicode() - u'A' + 10;
        else if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digit = c.unicode() - u'0';
        value += quint32(digit) * weight;
        weight *= 16;
    }
    return !digits.isEmpty();
}
