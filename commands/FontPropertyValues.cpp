#include "commands/FontPropertyValues.h"

#include "app/CZQView.h"
#include "commands/FontFaceColorFormat.h"
#include "commands/FontSizeFormat.h"
#include "commands/SelectionFormat.h"
#include "util/ColorText.h"
#include "util/HtmlTextScan.h"
#include "util/PageDom.h"
#include "util/StringResources.h"
#include "util/TextHelpers.h"
#include "res/resource.h"

#include "engine/css/CssColor.h"
#include "engine/dom/Document.h"
#include "engine/dom/Element.h"
#include "engine/editing/TextRange.h"

using engine::Element;
using engine::Ref;

namespace fontproperty_detail {

// How the walk over an element's descendants finds the text a FONT or style
// element has to hold all of: the last TD (or the MARQUEE itself) for a
// selected object, the element itself for a cell of a cell range.
enum class Container { LastCell, Element };

platform::ColorRef backgroundOf(const Element* element)
{
    const QString text = element->getAttributeText(QStringLiteral("bgcolor"));
    return text.isEmpty() ? kColorDefault : ReadPageColor(text);
}

void readFont(const Element* font, const QString& container, FontPropertyValues& values)
{
    const bool covers = RemoveTagFromHtml(container, font->outerHTML());
    if (font->hasAttribute(QStringLiteral("face")) && !values.face.isEmpty()) {
        const QString face = font->getAttributeText(QStringLiteral("face"));
        if (covers && !face.isEmpty())
            values.face = face;
        else if (values.face == QLatin1String("Default") || values.face != face)
            values.face.clear();
    }
    if (font->hasAttribute(QStringLiteral("size")) && values.size != kMixedFontSize) {
        const QString text = font->getAttributeText(QStringLiteral("size"));
        const int size = LeadingInteger(text);
        if (covers && !text.isEmpty())
            values.size = size;
        else if (values.size == 0 || values.size != size)
            values.size = kMixedFontSize;
    }
    if (font->hasAttribute(QStringLiteral("color")) && values.text != kColorNone) {
        const QString text = font->getAttributeText(QStringLiteral("color"));
        const platform::ColorRef color = ReadPageColor(text);
        if (covers && !text.isEmpty())
            values.text = color;
        else if (values.text == kColorDefault || values.text != color)
            values.text = kColorNone;
    }
}

// The values of one element read through its descendants.
FontPropertyValues readElement(Element* element, Container mode)
{
    FontPropertyValues values;
    values.face = QStringLiteral("Default");
    values.size = 0;
    values.text = kColorDefault;
    values.back = kColorDefault;
    if (!element)
        return values;
    QString container;
    if (mode == Container::Element || element->hasTag(QLatin1String("MARQUEE"))) {
        container = element->innerHTML();
        values.back = backgroundOf(element);
    }
    const engine::ElementCollection all = element->all();
    for (int i = 0; i < all.length(); ++i) {
        const Element* e = all.item(i);
        if (e->hasTag(QLatin1String("TD"))) {
            if (mode == Container::LastCell) {
                container = e->innerHTML();
                values.back = backgroundOf(e);
            }
        } else if (e->hasTag(QLatin1String("FONT"))) {
            readFont(e, container, values);
        } else if (e->hasTag(QLatin1String("STRONG")) || e->hasTag(QLatin1String("EM")) ||
                   e->hasTag(QLatin1String("U"))) {
            if (!RemoveTagFromHtml(container, e->outerHTML()))
                continue;
            if (e->hasTag(QLatin1String("STRONG")))
                values.bold = true;
            else if (e->hasTag(QLatin1String("EM")))
                values.italic = true;
            else
                values.underline = true;
        }
    }
    return values;
}

// Values that differ between two cells become mixed.
void mergeCell(FontPropertyValues& values, const FontPropertyValues& cell)
{
    if (values.face != cell.face)
        values.face.clear();
    if (values.size != cell.size)
        values.size = kMixedFontSize;
    if (values.text != cell.text)
        values.text = kColorNone;
    if (values.back != cell.back)
        values.back = kColorNone;
    values.bold = values.bold && cell.bold;
    values.italic = values.italic && cell.italic;
    values.underline = values.underline && cell.underline;
}

// The first FONT with the attribute above the range, up to its TD or BODY.
const Element* fontAbove(const engine::TextRange& range, const QString& name)
{
    for (const Element* e = range.parentElement(); e; e = e->parentElement()) {
        if (e->hasTag(QLatin1String("TD")) || e->hasTag(QLatin1String("BODY")))
            return nullptr;
        if (e->hasTag(QLatin1String("FONT")) && e->hasAttribute(name))
            return e;
    }
    return nullptr;
}

QString colorText(platform::ColorRef color)
{
    return color == kColorDefault ? QString() : ColorRefToHtml(color);
}

int colorMode(platform::ColorRef color)
{
    return color == kColorDefault ? kColorModeDefault : kColorModeApply;
}

// The size code of a dialog size: 0 for the default size.
int sizeCode(int size)
{
    return size == 0 ? 0 : size + 10;
}

} // namespace fontproperty_detail

platform::ColorRef ReadPageColor(const QString& text)
{
    const std::optional<platform::ColorRef> color = engine::parseCssColor(text.trimmed());
    return color ? *color : kColorNone;
}

platform::ColorRef PageTextColor(CZQView* view)
{
    engine::Document* doc = view ? view->GetHtmlDocument() : nullptr;
    const platform::ColorRef color = doc ? ReadPageColor(doc->fgColor()) : kColorNone;
    return color == kColorNone ? platform::rgb(0, 0, 0) : color;
}

platform::ColorRef PageBackColor(CZQView* view)
{
    engine::Document* doc = view ? view->GetHtmlDocument() : nullptr;
    const platform::ColorRef color = doc ? ReadPageColor(doc->bgColor()) : kColorNone;
    return color == kColorNone ? platform::rgb(255, 255, 255) : color;
}

FontPropertyValues MixedFontProperties()
{
    return FontPropertyValues{};
}

FontPropertyValues ReadFontPropertiesOfElement(Element* element)
{
    return fontproperty_detail::readElement(element, fontproperty_detail::Container::LastCell);
}

FontPropertyValues ReadFontPropertiesOfCells(CZQView* view)
{
    namespace detail = fontproperty_detail;
    // Differs from counting the cells of each row by their index: the cells are
    // the ones the cell-range formats change, counted with the spans.
    FontPropertyValues values;
    bool first = true;
    ForEachSelectedCell(view, [&](Element* cell) {
        const FontPropertyValues read = detail::readElement(cell, detail::Container::Element);
        if (first)
            values = read;
        else
            detail::mergeCell(values, read);
        first = false;
    });
    return values;
}

FontPropertyValues ReadFontPropertiesOfRange(const engine::TextRange& range)
{
    namespace detail = fontproperty_detail;
    FontPropertyValues values;
    // 1. The styles.
    values.bold = range.queryCommandValue(QStringLiteral("Bold")).toBool();
    values.italic = range.queryCommandValue(QStringLiteral("Italic")).toBool();
    values.underline = range.queryCommandValue(QStringLiteral("Underline")).toBool();
    // 2. The face; the engine's default face is the page's, unless a FONT says it.
    const engine::Variant face = range.queryCommandValue(QStringLiteral("FontName"));
    if (!face.isNull()) {
        values.face = face.toString();
        if (values.face == LoadResString(IDS_DEFAULT_FACE_NAME)) {
            values.face = QStringLiteral("Default");
            if (const Element* font = detail::fontAbove(range, QStringLiteral("face")))
                values.face = font->getAttributeText(QStringLiteral("face"));
        }
    }
    // 3. The size; 3 is the default size unless a FONT says it.
    const engine::Variant size = range.queryCommandValue(QStringLiteral("FontSize"));
    if (!size.isNull()) {
        values.size = qint16(size.toInt());
        if (values.size == 3) {
            values.size = 0;
            if (const Element* font = detail::fontAbove(range, QStringLiteral("size")))
                values.size = LeadingInteger(font->getAttributeText(QStringLiteral("size")));
        }
    }
    // 4. The colour; black is the default unless a FONT says it.
    const engine::Variant color = range.queryCommandValue(QStringLiteral("ForeColor"));
    if (!color.isNull()) {
        values.text = platform::ColorRef(color.toInt());
        if (values.text == 0) {
            values.text = kColorDefault;
            if (const Element* font = detail::fontAbove(range, QStringLiteral("color")))
                values.text = ReadPageColor(font->getAttributeText(QStringLiteral("color")));
        }
    }
    // 5. The background of the TD, else of the MARQUEE.
    values.back = kColorDefault;
    if (Element* parent = range.parentElement()) {
        Ref<Element> holder = parent;
        if (FindParentByTag(holder, QStringLiteral("TD")) != S_OK) {
            holder = parent;
            if (FindParentByTag(holder, QStringLiteral("MARQUEE")) != S_OK)
                holder = nullptr;
        }
        if (holder)
            values.back = detail::backgroundOf(holder.get());
    }
    return values;
}

void ApplyFontPropertiesToSelection(const FontPropertyValues& values, const FontPropertyChanges& changes)
{
    namespace detail = fontproperty_detail;
    // 1. The styles.
    if (changes.bold)
        SetTextStyleFromDialog(kFormatBold, values.bold);
    if (changes.italic)
        SetTextStyleFromDialog(kFormatItalic, values.italic);
    if (changes.underline)
        SetTextStyleFromDialog(kFormatUnderline, values.underline);
    // 2.-5. Face, size, colour, background: each only when it is not mixed.
    if (changes.face && !values.face.isEmpty())
        SetFontFaceInSelection(kFormatFace, values.face);
    if (changes.size && values.size != kMixedFontSize)
        SetFontSizeInSelection(detail::sizeCode(values.size));
    if (changes.text && values.text != kColorNone)
        SetFontColorInSelection(kFormatTextColor, detail::colorText(values.text), detail::colorMode(values.text));
    if (changes.back && values.back != kColorNone)
        SetBgColorInSelection(kFormatBackColor, detail::colorText(values.back), detail::colorMode(values.back));
}

void ApplyFontPropertiesToCells(CZQView* view, const FontPropertyValues& values, const FontPropertyChanges& changes)
{
    namespace detail = fontproperty_detail;
    if (changes.bold)
        FormatSelectedCellsFromDialog(kFormatBold, view, values.bold);
    if (changes.italic)
        FormatSelectedCellsFromDialog(kFormatItalic, view, values.italic);
    if (changes.underline)
        FormatSelectedCellsFromDialog(kFormatUnderline, view, values.underline);
    if (changes.face && !values.face.isEmpty())
        SetFontOfSelectedCells(kFormatFace, values.face, kColorModeApply, view);
    if (changes.size && values.size != kMixedFontSize)
        SetFontOfSelectedCells(kFormatFontSize, QString(), detail::sizeCode(values.size), view);
    if (changes.text && values.text != kColorNone)
        SetFontOfSelectedCells(kFormatTextColor, detail::colorText(values.text), detail::colorMode(values.text), view);
    if (changes.back && values.back != kColorNone)
        SetFontOfSelectedCells(kFormatBackColor, detail::colorText(values.back), detail::colorMode(values.back), view);
}

void ApplyFontPropertiesToRange(engine::TextRange& range, const FontPropertyValues& values,
                                const FontPropertyValues& before, const FontPropertyChanges& changes)
{
    namespace detail = fontproperty_detail;
    // 1. A style turned over once; asked for as it was, twice, so that a
    // range partly in the style ends wholly as asked.
    const auto style = [&range](const char* name, bool wanted, bool was) {
        for (int runs = wanted != was ? 1 : 2; runs > 0; --runs)
            range.execCommand(QLatin1String(name));
    };
    if (changes.bold)
        style("Bold", values.bold, before.bold);
    if (changes.italic)
        style("Italic", values.italic, before.italic);
    if (changes.underline)
        style("Underline", values.underline, before.underline);
    // 2.-4. Face, size and colour through the range's font commands.
    if (changes.face && !values.face.isEmpty())
        range.execCommand(QStringLiteral("FontName"), IsDefaultFace(values.face) ? QString() : values.face);
    if (changes.size && values.size != kMixedFontSize)
        range.execCommand(QStringLiteral("FontSize"), values.size == 0 ? 3 : values.size);
    if (changes.text && values.text != kColorNone)
        range.execCommand(QStringLiteral("ForeColor"), detail::colorText(values.text));
    // 5. The background of its cell or marquee.
    if (changes.back && values.back != kColorNone)
        SetBgColorInSelection(kFormatBackColor, detail::colorText(values.back), detail::colorMode(values.back));
}
