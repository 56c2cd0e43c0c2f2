#include "dialogs/ImgCssPageModel.h"

#include "controls/ColorValue.h"
#include "res/resource.h"
#include "util/ColorText.h"
#include "util/FilterText.h"

#include <algorithm>
#include <array>

using platform::ColorRef;

namespace imgcsspage_detail {

constexpr ColorRef kRed = platform::rgb(255, 0, 0);
constexpr ColorRef kGreen = platform::rgb(0, 255, 0);
constexpr ColorRef kBlue = platform::rgb(0, 0, 255);

ImgCssField number(int box, int spin, unsigned label, int value, int low, int high)
{
    ImgCssField f;
    f.kind = ImgCssField::Number;
    f.controlId = box;
    f.spinId = spin;
    f.labelId = label;
    f.defaultValue = quint32(value);
    f.low = low;
    f.high = high;
    return f;
}

ImgCssField list(int id, unsigned label, int entry, std::vector<unsigned> entries)
{
    ImgCssField f;
    f.kind = ImgCssField::List;
    f.controlId = id;
    f.labelId = label;
    f.defaultValue = quint32(entry);
    f.high = int(entries.size()) - 1;
    f.entries = std::move(entries);
    return f;
}

ImgCssField color(int id, unsigned label, ColorRef value)
{
    ImgCssField f;
    f.kind = ImgCssField::Color;
    f.controlId = id;
    f.labelId = label;
    f.defaultValue = value;
    return f;
}

ImgCssField phase(int id, unsigned label)
{
    ImgCssField f;
    f.kind = ImgCssField::Phase;
    f.controlId = id;
    f.labelId = label;
    f.high = 10;
    return f;
}

std::array<ImgCssPageSpec, kImgCssFilterCount> makeSpecs()
{
    std::array<ImgCssPageSpec, kImgCssFilterCount> s;
    s[kImgCssAlpha] = {
        14088,
        "progid:dximagetransform.microsoft.alpha",
        {number(1424, 1426, IDS_IMGCSS_OPACITY_LABEL, 100, 0, 100),
         number(1425, 1427, IDS_IMGCSS_FINISH_OPACITY_LABEL, 0, 0, 100),
         list(1428, IDS_IMGCSS_STYLE_LABEL, 1, {IDS_IMGCSS_LINEAR, IDS_IMGCSS_RADIAL, IDS_IMGCSS_RECTANGULAR})}};
    s[kImgCssDropShadow] = {14084,
                            "progid:dximagetransform.microsoft.dropshadow",
                            {number(1419, 1422, IDS_IMGCSS_OFFX_LABEL, 5, 0, 100),
                             number(1420, 1443, IDS_IMGCSS_OFFY_LABEL, 5, 0, 100),
                             color(1001, IDS_IMGCSS_COLOR_LABEL, kRed)}};
    s[kImgCssGlow] = {
        14085,
        "glow",
        {number(1418, 1417, IDS_IMGCSS_STRENGTH_LABEL, 5, 0, 30), color(1001, IDS_IMGCSS_COLOR_LABEL, kRed)}};
    s[kImgCssGradient] = {14090,
                          "progid:dximagetransform.microsoft.gradient",
                          {list(1428, IDS_IMGCSS_STYLE_LABEL, 1, {IDS_IMGCSS_VERTICAL, IDS_IMGCSS_HORIZONTAL}),
                           color(1000, IDS_IMGCSS_START_COLOR_LABEL, kBlue),
                           color(1001, IDS_IMGCSS_END_COLOR_LABEL, kRed),
                           number(1433, 1434, IDS_IMGCSS_START_ALPHA_LABEL, 160, 0, 255),
                           number(1435, 1436, IDS_IMGCSS_END_ALPHA_LABEL, 160, 0, 255)}};
    s[kImgCssMotionBlur] = {550,
                            "progid:dximagetransform.microsoft.motionblur",
                            {number(1418, 1417, IDS_IMGCSS_STRENGTH_LABEL, 10, 0, 300),
                             number(1421, 1416, IDS_IMGCSS_DIRECTION_LABEL, 270, 0, 360)}};
    s[kImgCssShadow] = {14086,
                        "progid:dximagetransform.microsoft.shadow",
                        {number(1418, 1417, IDS_IMGCSS_STRENGTH_LABEL, 10, 0, 300),
                         number(1421, 1416, IDS_IMGCSS_DIRECTION_LABEL, 45, 0, 360),
                         color(1001, IDS_IMGCSS_COLOR_LABEL, kGreen)}};
    s[kImgCssWave] = {14089,
                      "progid:dximagetransform.microsoft.wave",
                      {number(1429, 1430, IDS_IMGCSS_LIGHT_LABEL, 40, 0, 100),
                       number(1433, 1434, IDS_IMGCSS_FREQ_LABEL, 5, 1, 30), phase(1457, IDS_IMGCSS_PHASE_LABEL),
                       list(1003, IDS_IMGCSS_STYLE_LABEL, 1, {IDS_IMGCSS_LIGHT_WAVE, IDS_IMGCSS_DARK_WAVE})}};
    s[kImgCssOpacity] = {
        552, "progid:dximagetransform.microsoft.basicimage", {number(1424, 1426, IDS_IMGCSS_ALPHA_LABEL, 5, 0, 10)}};
    return s;
}

// The leading decimal of a text as atoi reads it (blanks, a sign, digits), kept far from overflow; a text without
// digits gives -1, which no field accepts.
long long leadingNumber(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    if (i >= text.size() || !text[i].isDigit())
        return -1;
    long long value = 0;
    for (; i < text.size() && text[i].isDigit(); ++i)
        value = std::min<long long>(value * 10 + text[i].digitValue(), 1LL << 40);
    return negative ? -value : value;
}

// The argument of a filter's text: the value, or nothing when the name is not there.
bool argument(const QString& args, const char* name, QString& value)
{
    return ParseFilterArguments(args, QLatin1String(name), value) == 0;
}

// The colour a picker writes: its own colour, or its default colour for the markers.
ColorRef written(quint32 value, const ImgCssField& field)
{
    return IsColorMarker(value) ? field.defaultValue : value;
}

// Where the value a page accepts from a filter text differs from its box's range.
bool accepted(int index, int field, long long v)
{
    const ImgCssField& f = ImgCssPageSpecOf(index).fields[size_t(field)];
    const int low = index == kImgCssWave && f.controlId == 1433 ? 0 : f.low;
    return v >= low && v <= f.high;
}

} // namespace imgcsspage_detail

const ImgCssPageSpec& ImgCssPageSpecOf(int filterIndex)
{
    static const std::array<ImgCssPageSpec, kImgCssFilterCount> specs = imgcsspage_detail::makeSpecs();
    return specs[size_t(std::clamp(filterIndex, 0, kImgCssFilterCount - 1))];
}

QString ImgCssRangeTip(const ImgCssField& field)
{
    return QStringLiteral("%1 ~ %2").arg(field.low).arg(field.high);
}

ImgCssPageModel::ImgCssPageModel(int filterIndex) : m_index(std::clamp(filterIndex, 0, kImgCssFilterCount - 1))
{
    RestoreDefaults();
}

void ImgCssPageModel::RestoreDefaults()
{
    m_values.clear();
    for (const ImgCssField& f : spec().fields)
        m_values.push_back(f.defaultValue);
}

int ImgCssPageModel::PhaseEntryOf(long long phase)
{
    return int(std::clamp<long long>(phase / 10, 0, 10));
}

void ImgCssPageModel::ReadFilter(const QString& styleFilter)
{
    using namespace imgcsspage_detail;
    QString text = styleFilter.toLower();
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    const QString key = QLatin1String(spec().key);
    const qsizetype at = text.indexOf(key);
    if (at < 0)
        return;
    const qsizetype close = text.indexOf(QLatin1Char(')'), at);
    if (close < at + key.size())
        return;
    const QString args = text.mid(at + key.size(), close - at - key.size() + 1);
    QString v;
    const auto num = [&](int field, const char* name) {
        if (argument(args, name, v) && accepted(m_index, field, leadingNumber(v)))
            setValue(field, quint32(leadingNumber(v)));
    };
    const auto col = [&](int field) {
        if (argument(args, "color", v))
            setValue(field, HtmlToColorRef(v));
    };
    switch (m_index) {
    case kImgCssAlpha:
        num(0, "opacity");
        num(1, "finishopacity");
        if (argument(args, "style", v) && leadingNumber(v) >= 1 && leadingNumber(v) <= 3)
            setValue(2, quint32(leadingNumber(v) - 1));
        break;
    case kImgCssDropShadow:
        num(0, "offx");
        num(1, "offy");
        col(2);
        break;
    case kImgCssGlow:
        num(0, "strength");
        col(1);
        break;
    case kImgCssGradient: {
        if (argument(args, "type", v) && (leadingNumber(v) == 0 || leadingNumber(v) == 1))
            setValue(0, quint32(leadingNumber(v)));
        // "#aarrggbb" as the page writes it; "#rrggbb" is the colour alone, and a name is a colour too.
        const auto gradientColor = [&](const char* name, int colorField, int alphaField) {
            if (!argument(args, name, v))
                return;
            if (v.size() == 9 && v.startsWith(QLatin1Char('#'))) {
                quint32 alpha = 0;
                if (ParseHexColorText(v.left(3), alpha) && alpha <= 255)
                    setValue(alphaField, alpha);
                setValue(colorField, HtmlToColorRef(QLatin1Char('#') + v.mid(3)));
            } else {
                setValue(colorField, HtmlToColorRef(v));
            }
        };
        gradientColor("startcolorstr", 1, 3);
        gradientColor("endcolorstr", 2, 4);
        break;
    }
    case kImgCssMotionBlur:
        num(0, "strength");
        num(1, "direction");
        break;
    case kImgCssShadow:
        col(2);
        num(0, "strength");
        num(1, "direction");
        break;
    case kImgCssWave:
        num(0, "lightstrength");
        num(1, "freq");
        if (argument(args, "phase", v) && leadingNumber(v) >= 0)
            setValue(2, quint32(PhaseEntryOf(leadingNumber(v))));
        if (argument(args, "add", v) && v.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            setValue(3, 0);
        break;
    case kImgCssOpacity:
        if (argument(args, "opacity", v)) {
            bool ok = false;
            const double d = v.toDouble(&ok);
            if (ok && d >= 0.0 && d <= 1.0)
                setValue(0, quint32(qRound(d * 10.0)));
        }
        break;
    default:
        break;
    }
}

void ImgCssPageModel::ClampToRange(int field)
{
    const ImgCssField& f = spec().fields[size_t(field)];
    if (f.kind == ImgCssField::Number)
        setValue(field, quint32(std::clamp<long long>(qint32(value(field)), f.low, f.high)));
}

QString ImgCssPageModel::GetFilterText() const
{
    using namespace imgcsspage_detail;
    const auto& fields = spec().fields;
    // Numbers as the boxes show them, kept in their ranges (a box may still hold what was typed).
    const auto n = [&](int field) {
        const ImgCssField& f = fields[size_t(field)];
        return QString::number(std::clamp<long long>(qint32(value(field)), f.low, f.high));
    };
    const auto entry = [&](int field) {
        return int(std::clamp<long long>(value(field), 0, fields[size_t(field)].high));
    };
    const auto colorText = [&](int field) { return ColorRefToHtml(written(value(field), fields[size_t(field)])); };
    const auto gradientColor = [&](int colorField, int alphaField) {
        const ColorRef c = written(value(colorField), fields[size_t(colorField)]);
        return QStringLiteral("#%1%2%3%4")
            .arg(n(alphaField).toInt(), 2, 16, QLatin1Char('0'))
            .arg(platform::redOf(c), 2, 16, QLatin1Char('0'))
            .arg(platform::greenOf(c), 2, 16, QLatin1Char('0'))
            .arg(platform::blueOf(c), 2, 16, QLatin1Char('0'));
    };
    switch (m_index) {
    case kImgCssAlpha:
        return QStringLiteral("progid:DXImageTransform.Microsoft.Alpha(Opacity=%1, FinishOpacity=%2, Style=%3, "
                              "StartX=0, FinishX=100, StartY=0, FinishY=100)")
            .arg(n(0), n(1))
            .arg(entry(2) + 1);
    case kImgCssDropShadow:
        return QStringLiteral("progid:DXImageTransform.Microsoft.dropshadow(OffX=%1, OffY=%2, Color=%3, "
                              "Positive='true')")
            .arg(n(0), n(1), colorText(2));
    case kImgCssGlow:
        return QStringLiteral("progid:DXImageTransform.Microsoft.Glow(Color=%1, Strength=%2)").arg(colorText(1), n(0));
    case kImgCssGradient:
        return QStringLiteral("progid:DXImageTransform.Microsoft.gradient(enabled='true',GradientType='%1', "
                              "startColorstr=%2, endColorStr=%3)")
            .arg(entry(0))
            .arg(gradientColor(1, 3), gradientColor(2, 4));
    case kImgCssMotionBlur:
        return QStringLiteral("progid:DXImageTransform.Microsoft.MotionBlur(Strength=%1, Direction=%2, Add='true')")
            .arg(n(0), n(1));
    case kImgCssShadow:
        return QStringLiteral("progid:DXImageTransform.Microsoft.Shadow(Color=%1, Strength=%2, Direction=%3)")
            .arg(colorText(2), n(0), n(1));
    case kImgCssWave:
        return QStringLiteral("progid:DXImageTransform.Microsoft.Wave(Add='%1', LightStrength=%2, Phase=%3, "
                              "Strength=0, Freq=%4)")
            .arg(entry(3) == 0 ? QStringLiteral("true") : QStringLiteral("false"), n(0))
            .arg(entry(2) * 10)
            .arg(n(1));
    case kImgCssOpacity:
        // Written the same whatever the user's locale: a comma would end the style's value.
        return QStringLiteral("progid:DXImageTransform.Microsoft.BasicImage(opacity=%1)")
            .arg(QString::number(n(0).toInt() / 10.0, 'f', 6));
    default:
        return QString();
    }
}
