#include "commands/ObjectProperties.h"

#include "controls/ColorValue.h"
#include "dialogs/VornaDialogHrProperty.h"
#include "dialogs/VornaDialogImageProperty.h"
#include "dialogs/VornaDialogMarquee.h"
#include "images/ImageFiles.h"
#include "util/ColorText.h"

#include "engine/css/Style.h"
#include "engine/dom/Element.h"

#include "platform/ModalRunner.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <limits>
#include <tuple>

namespace objectproperties_detail {

using engine::Element;
using engine::Ref;

const QString kWidth = QStringLiteral("width");
const QString kHeight = QStringLiteral("height");

// The style's value of a property; empty without a style.
QString styleValue(const Element* element, const QString& name)
{
    const engine::Style* style = element->styleIfAny();
    return style ? style->value(name) : QString();
}

// A length from the style's property, else from the attribute's text.
std::optional<LengthText> styleOrAttributeLength(const Element* element, const QString& property,
                                                 const QString& attribute)
{
    if (auto length = ReadLengthText(styleValue(element, property)))
        return length;
    return ReadLengthText(element->getAttributeText(attribute));
}

// An image's width or height: the style's number, else the attribute's; -1
// when neither gives one.
int imageDimension(const Element* image, const QString& name)
{
    if (auto length = ReadLengthText(styleValue(image, name)))
        return length->value;
    const engine::Variant value = image->getAttribute(name);
    if (value.isInt())
        return value.toInt();
    if (auto length = ReadLengthText(value.toString()))
        return length->value;
    return -1;
}

// A colour attribute as a colour; `absent` for none or an empty text.
platform::ColorRef colorAttribute(const Element* element, const QString& name, platform::ColorRef absent)
{
    const QString text = element->getAttributeText(name);
    return text.trimmed().isEmpty() ? absent : HtmlToColorRef(text.trimmed());
}

// A number the dialog gives back: -1, -2 (and any other negative) mean
// "leave out".
bool isGiven(int value)
{
    return value >= 0;
}

// Writes a number attribute, or removes it for a number not given.
void writeNumber(Element* element, const QString& name, int value)
{
    if (isGiven(value))
        element->setAttribute(name, value);
    else
        element->removeAttribute(name);
}

// Writes a colour attribute, or removes it for a marker.
void writeColor(Element* element, const QString& name, platform::ColorRef color)
{
    if (IsColorMarker(color))
        element->removeAttribute(name);
    else
        element->setAttribute(name, ColorRefToHtml(color));
}

// A length as text: "n%" in per cent, "n" in pixels.
QString lengthText(int value, bool percent)
{
    return QString::number(value) + (percent ? QStringLiteral("%") : QString());
}

// A length in a style: "n%", or n pixels.
engine::Variant styleLength(int value, bool percent)
{
    return percent ? engine::Variant(lengthText(value, true)) : engine::Variant(value);
}

} // namespace objectproperties_detail

using engine::Element;
using engine::Ref;

std::optional<LengthText> ReadLengthText(const QString& text)
{
    static const QRegularExpression leading(QStringLiteral("^\\s*([+-]?\\d+)"));
    const QRegularExpressionMatch match = leading.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const qlonglong number = match.captured(1).left(12).toLongLong(&ok);
    LengthText length;
    length.value = int(qBound<qlonglong>(qlonglong(std::numeric_limits<int>::min()), number,
                                         qlonglong(std::numeric_limits<int>::max())));
    length.percent = text.contains(QLatin1Char('%'));
    return ok ? std::optional<LengthText>(length) : std::nullopt;
}

QString CleanImageSource(const QString& source)
{
    QString path = source;
    // Differs from taking off all of "file:///": a path here starts with "/",
    // which stays; only a drive letter's path loses it.
    const int at = path.toUpper().indexOf(QLatin1String("FILE:///"));
    if (at >= 0) {
        static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:"));
        const bool driveLetter = drive.match(path.mid(at + 8)).hasMatch();
        path.remove(at, driveLetter ? 8 : 7);
    }
    path.remove(QStringLiteral("file:"));
    path.remove(QStringLiteral("FILE:"));
    path.replace(QStringLiteral("%20"), QStringLiteral(" "));
    path.replace(QStringLiteral("%25"), QStringLiteral("%"));
    return path;
}

std::vector<QString> BorderSideColors(const Element* element)
{
    namespace detail = objectproperties_detail;
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    const QStringList shorthand =
        detail::styleValue(element, QStringLiteral("border-color")).split(blanks, Qt::SkipEmptyParts);
    // CSS's one to four values: top, right, bottom, left.
    const auto fromShorthand = [&](int side) -> QString {
        switch (shorthand.size()) {
        case 1:
            return shorthand[0];
        case 2:
            return shorthand[side % 2];
        case 3:
            return side == 3 ? shorthand[1] : shorthand[side];
        case 4:
            return shorthand[side];
        default:
            return QString();
        }
    };
    const char* const sides[] = {"border-top-color", "border-right-color", "border-bottom-color", "border-left-color"};
    std::vector<QString> colors;
    for (int side = 0; side < 4; ++side) {
        const QString own = detail::styleValue(element, QString::fromLatin1(sides[side]));
        colors.push_back(own.isEmpty() ? fromShorthand(side) : own);
    }
    return colors;
}

ImageRead ReadImageProperties(const Element* image, const QString& pageFolder)
{
    namespace detail = objectproperties_detail;
    ImageRead read;
    if (!image)
        return read;
    // 2.1-2.2.
    read.alt = image->getAttributeText(QStringLiteral("alt"));
    read.source = CleanImageSource(image->getAttributeText(QStringLiteral("src")));
    // 2.3-2.4.
    read.width = detail::imageDimension(image, detail::kWidth);
    read.height = detail::imageDimension(image, detail::kHeight);
    // 2.5. The border colour: none, one for all sides, or mixed.
    const std::vector<QString> sides = BorderSideColors(image);
    const bool none = std::all_of(sides.begin(), sides.end(), [](const QString& c) { return c.isEmpty(); });
    const bool same = std::all_of(sides.begin(), sides.end(),
                                  [&](const QString& c) { return c.compare(sides[0], Qt::CaseInsensitive) == 0; });
    read.borderColor = none ? kColorNone : same ? HtmlToColorRef(sides[0].trimmed()) : kColorDefault;
    // 2.6.
    const engine::Variant border = image->getAttribute(QStringLiteral("border"));
    if (!border.isNull() && !border.isEmpty())
        read.border = border.toInt();
    // 2.7. The file's own size; a relative source is read below the page.
    const QString file = QDir::isRelativePath(read.source) && !pageFolder.isEmpty()
                             ? QDir(pageFolder).filePath(read.source)
                             : read.source;
    const QSize own = read.source.isEmpty() ? QSize() : GetImageFileSize(file);
    read.sizeGiven = own.isEmpty() || read.width != own.width() || read.height != own.height();
    return read;
}

void PutImageValues(VornaDialogImageProperty& dialog, const ImageRead& read)
{
    dialog.m_strAlt = read.alt;
    dialog.m_strPath = read.source;
    dialog.m_nWidth = read.width;
    dialog.m_nHeight = read.height;
    dialog.m_nBorder = read.border;
    dialog.m_crBorder = read.borderColor;
    dialog.m_bSpecifySize = read.sizeGiven ? 1 : 0;
}

bool AskImageProperties(VornaDialogImageProperty& dialog, const std::vector<Ref<Element>>& images,
                        const QString& pagePath, ImageRead& read)
{
    if (images.size() == 1) {
        read = ReadImageProperties(images.front().get(),
                                   pagePath.isEmpty() ? QString() : QFileInfo(pagePath).absolutePath());
        PutImageValues(dialog, read);
    } else {
        read = ImageRead();
        dialog.m_bMultiple = true;
        dialog.m_bSpecifySize = 0;
    }
    return dialog.DoModal() == platform::IDOK;
}

void WriteImageProperties(const std::vector<Ref<Element>>& images, const VornaDialogImageProperty& dialog,
                          const ImageRead& read)
{
    namespace detail = objectproperties_detail;
    const bool several = images.size() > 1;
    for (const Ref<Element>& image : images) {
        engine::Style& style = image->style();
        // 3.1. The border width, when given.
        if (dialog.m_nBorder >= 0 && (several || dialog.m_nBorder != read.border))
            image->setAttribute(QStringLiteral("border"), qMin(dialog.m_nBorder, 32767));
        // 3.2. Differs from writing the empty text of the dialog to several
        // images: they keep their own alternative texts unless one is typed.
        // One image keeps its text as written unless the user changed it.
        if (several ? !dialog.m_strAlt.isEmpty() : dialog.m_strAlt != read.alt)
            image->setAttribute(QStringLiteral("alt"), dialog.m_strAlt);
        // 3.3-3.4 and 3.6. Differs from cutting "width=" and "height=" out of
        // the outer HTML, which also cut inside other values: the attributes
        // are removed.
        const std::pair<const QString&, int> sizes[] = {{detail::kWidth, dialog.m_nWidth},
                                                        {detail::kHeight, dialog.m_nHeight}};
        for (const auto& [name, given] : sizes) {
            if (!dialog.m_bSpecifySize) {
                style.removeAttribute(name);
                image->removeAttribute(name);
                continue;
            }
            const int value = given == -1 ? image->getAttribute(name).toInt() : given;
            // A size that is not known (an image that shows at no size) is
            // left as it is rather than made 0.
            if (value <= 0)
                continue;
            image->removeAttribute(name);
            style.setAttribute(name, value);
        }
        // 3.5. The border colour the user picked; the default or none takes
        // it off, the sides' own colours with it.
        if (dialog.m_bColorChanged) {
            for (const char* side :
                 {"border-top-color", "border-right-color", "border-bottom-color", "border-left-color"})
                style.removeAttribute(QString::fromLatin1(side));
            if (IsColorMarker(dialog.m_crBorder))
                style.removeAttribute(QStringLiteral("border-color"));
            else
                style.setBorderColor(ColorRefToHtml(dialog.m_crBorder));
        }
        // 3.7. Differs from putting a new image at the end of the page: the
        // source changes in place, so the image keeps its link, map and place.
        if (!several && dialog.m_strPath != read.source)
            image->setAttribute(QStringLiteral("src"), dialog.m_strPath);
    }
}

void ReadMarqueeProperties(const Element* marquee, VornaDialogMarquee& dialog)
{
    namespace detail = objectproperties_detail;
    if (!marquee)
        return;
    // 4.1. The words, as written.
    for (auto [name, field] :
         {std::pair{"direction", &dialog.m_strDirection}, std::pair{"behavior", &dialog.m_strBehavior}}) {
        const engine::Variant value = marquee->getAttribute(QString::fromLatin1(name));
        if (value.isString())
            *field = value.toString();
    }
    // 4.2.
    if (auto amount = ReadLengthText(marquee->getAttributeText(QStringLiteral("scrollamount"))))
        dialog.m_nAmount = amount->value;
    if (auto delay = ReadLengthText(marquee->getAttributeText(QStringLiteral("scrolldelay"))))
        dialog.m_nDelay = delay->value;
    // 4.3-4.4.
    if (auto width = detail::styleOrAttributeLength(marquee, detail::kWidth, detail::kWidth)) {
        dialog.m_bWidthOn = 1;
        dialog.m_nWidth = width->value;
        dialog.m_nWidthUnit = width->percent ? 0 : 1;
    }
    if (auto height = detail::styleOrAttributeLength(marquee, detail::kHeight, detail::kHeight)) {
        dialog.m_bHeightOn = 1;
        dialog.m_nHeight = height->value;
        dialog.m_nHeightUnit = height->percent ? 0 : 1;
    }
    // 4.5.
    dialog.m_crBackground = detail::colorAttribute(marquee, QStringLiteral("bgcolor"), dialog.m_crBackground);
    // 4.6. A count other than -1 ("infinite") ends the continuous loop.
    const QString loop = marquee->getAttributeText(QStringLiteral("loop")).trimmed();
    if (auto count = ReadLengthText(loop); count && count->value != -1) {
        dialog.m_bContinuous = 0;
        dialog.m_nLoop = count->value;
    }
}

void PutSeveralMarquees(VornaDialogMarquee& dialog)
{
    dialog.m_strDirection.clear();
    dialog.m_strBehavior.clear();
    dialog.m_nAmount = dialog.m_nDelay = dialog.m_nWidth = dialog.m_nHeight = dialog.m_nLoop = -2;
    dialog.m_crBackground = kColorNone;
}

void WriteMarqueeProperties(const std::vector<Ref<Element>>& marquees, const VornaDialogMarquee& dialog)
{
    namespace detail = objectproperties_detail;
    for (const Ref<Element>& marquee : marquees) {
        // 1.-2. "Default" leaves the word out.
        for (auto [changed, name, word] : {std::tuple{dialog.m_bDirectionChanged, "direction", &dialog.m_strDirection},
                                           std::tuple{dialog.m_bBehaviorChanged, "behavior", &dialog.m_strBehavior}}) {
            if (!changed)
                continue;
            if (word->isEmpty() || word->compare(QLatin1String("Default"), Qt::CaseInsensitive) == 0)
                marquee->removeAttribute(QString::fromLatin1(name));
            else
                marquee->setAttribute(QString::fromLatin1(name), *word);
        }
        // 3.-4.
        if (dialog.m_bAmountChanged)
            detail::writeNumber(marquee.get(), QStringLiteral("scrollamount"), dialog.m_nAmount);
        if (dialog.m_bDelayChanged)
            detail::writeNumber(marquee.get(), QStringLiteral("scrolldelay"), dialog.m_nDelay);
        // 5.-6. Attribute and style alike.
        for (auto [changed, on, value, unit, name] :
             {std::tuple{dialog.m_bWidthChanged, dialog.m_bWidthOn, dialog.m_nWidth, dialog.m_nWidthUnit,
                         &detail::kWidth},
              std::tuple{dialog.m_bHeightChanged, dialog.m_bHeightOn, dialog.m_nHeight, dialog.m_nHeightUnit,
                         &detail::kHeight}}) {
            if (!changed)
                continue;
            if (!on || !detail::isGiven(value)) {
                marquee->removeAttribute(*name);
                marquee->style().removeAttribute(*name);
                continue;
            }
            marquee->setAttribute(*name, detail::lengthText(value, unit == 0));
            marquee->style().setAttribute(*name, detail::styleLength(value, unit == 0));
        }
        // 7.-8.
        if (dialog.m_bLoopChanged)
            detail::writeNumber(marquee.get(), QStringLiteral("loop"), dialog.m_nLoop);
        if (dialog.m_bColorChanged)
            detail::writeColor(marquee.get(), QStringLiteral("bgcolor"), dialog.m_crBackground);
    }
}

void ReadRuleProperties(const Element* rule, VornaDialogHrProperty& dialog)
{
    namespace detail = objectproperties_detail;
    if (!rule)
        return;
    // 3.1.
    if (auto width = detail::styleOrAttributeLength(rule, detail::kWidth, detail::kWidth)) {
        dialog.m_nWidth = width->value;
        dialog.m_nWidthUnit = width->percent ? 0 : 1;
    }
    // 3.2. The style's height, else "size".
    if (auto height = detail::styleOrAttributeLength(rule, detail::kHeight, QStringLiteral("size")))
        dialog.m_nHeight = height->value;
    // 3.3-3.4.
    const engine::Variant noShade = rule->getAttribute(QStringLiteral("noshade"));
    if (noShade.isBool())
        dialog.m_bNoShade = noShade.toBool() ? 1 : 0;
    dialog.m_crColor = detail::colorAttribute(rule, QStringLiteral("color"), kColorDefault);
}

void PutSeveralRules(VornaDialogHrProperty& dialog)
{
    dialog.m_bNoShade = 0;
    dialog.m_crColor = kColorNone;
    dialog.m_nWidthUnit = 0;
}

void WriteRuleProperties(const std::vector<Ref<Element>>& rules, const VornaDialogHrProperty& dialog)
{
    namespace detail = objectproperties_detail;
    const bool percent = dialog.m_nWidthUnit == 0;
    for (const Ref<Element>& rule : rules) {
        // 5.1-5.4.
        if (dialog.m_bWidthChanged) {
            if (detail::isGiven(dialog.m_nWidth))
                rule->setAttribute(detail::kWidth, percent ? engine::Variant(detail::lengthText(dialog.m_nWidth, true))
                                                           : engine::Variant(dialog.m_nWidth));
            else
                rule->removeAttribute(detail::kWidth);
        }
        if (dialog.m_bHeightChanged)
            detail::writeNumber(rule.get(), QStringLiteral("size"), dialog.m_nHeight);
        if (dialog.m_bNoShadeChanged)
            rule->setAttribute(QStringLiteral("noshade"), dialog.m_bNoShade != 0);
        if (dialog.m_bColorChanged)
            detail::writeColor(rule.get(), QStringLiteral("color"), dialog.m_crColor);
        // 5.5. The style only where it gives the size already.
        if (dialog.m_bHeightChanged && !detail::styleValue(rule.get(), detail::kHeight).isEmpty()) {
            if (detail::isGiven(dialog.m_nHeight))
                rule->style().setAttribute(detail::kHeight, dialog.m_nHeight);
            else
                rule->style().removeAttribute(detail::kHeight);
        }
        if (dialog.m_bWidthChanged && !detail::styleValue(rule.get(), detail::kWidth).isEmpty()) {
            if (detail::isGiven(dialog.m_nWidth))
                rule->style().setAttribute(detail::kWidth, detail::styleLength(dialog.m_nWidth, percent));
            else
                rule->style().removeAttribute(detail::kWidth);
        }
    }
}
