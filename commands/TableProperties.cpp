#include "commands/TableProperties.h"

#include "util/ColorText.h"
#include "util/TextHelpers.h"

#include "engine/css/Style.h"
#include "engine/dom/Element.h"

namespace tableproperties_detail {

using engine::Element;

platform::ColorRef colorOf(const Element* element, const QString& name)
{
    return element->hasAttribute(name) ? HtmlToColorRef(element->getAttributeText(name)) : kColorDefault;
}

// A colour the user chose another one of: written, or removed for the
// default colour and for none. A colour left as it opened stays as the page
// wrote it, also one the dialog could not read.
void writeColor(Element* element, const QString& name, platform::ColorRef value, platform::ColorRef opened)
{
    if (value == opened)
        return;
    if (IsColorMarker(value))
        element->removeAttribute(name);
    else
        element->setAttribute(name, ColorRefToHtml(value));
}

void setOrRemove(Element* element, const QString& name, const QString& text)
{
    if (text.isEmpty())
        element->removeAttribute(name);
    else
        element->setAttribute(name, text);
}

// A width or height as the dialogs show it: "n%" as n in percent, any other
// text as it stands in pixels.
void readSize(const Element* element, const QString& name, QString& text, bool& percent)
{
    if (!element->hasAttribute(name))
        return;
    const QString value = element->getAttributeText(name);
    percent = value.contains(QLatin1Char('%'));
    text = percent ? value.chopped(1) : value;
}

// A width or height written back with its unit; an emptied text removes the
// attribute instead of writing "" or "%".
void writeSize(Element* element, const QString& name, const QString& text, bool percent)
{
    if (text.isEmpty()) {
        element->removeAttribute(name);
        return;
    }
    element->setAttribute(name, percent ? text + QLatin1Char('%') : text);
}

// The caption of the values: made when missing and placed; its old content
// kept while its text stays, else the new text.
void writeCaption(Element* table, const TableValues& values, const TableRead& opened)
{
    Element* caption = table->createCaption();
    if (!caption)
        return;
    caption->setAttribute(QStringLiteral("vAlign"),
                          values.captionBottom ? QStringLiteral("bottom") : QStringLiteral("top"));
    if (values.caption == opened.captionText) {
        if (caption->innerHTML() != opened.captionHtml)
            caption->setInnerHTML(opened.captionHtml);
    } else {
        caption->setInnerText(values.caption);
    }
}

// The cell dialog's width or height: the text with its unit, and the value
// in both units, `base` being 100 %.
void readCellSize(const Element* cell, const QString& name, int base, QString& text, bool& percent, bool& present,
                  int& pixels, int& percentValue)
{
    if (!cell->hasAttribute(name))
        return;
    present = true;
    readSize(cell, name, text, percent);
    const int n = LeadingInteger(cell->getAttributeText(name));
    pixels = percent ? int(qint64(n) * base / 100) : n;
    percentValue = percent ? n : int(double(n) / base * 100.0);
}

} // namespace tableproperties_detail

TableRead ReadTableProperties(engine::Element* table)
{
    namespace detail = tableproperties_detail;
    TableRead read;
    TableValues& v = read.values;
    if (!table)
        return read;
    // 1. Colours, sizes, spacing, border and background image.
    v.backColor = detail::colorOf(table, QStringLiteral("bgcolor"));
    v.borderColor = detail::colorOf(table, QStringLiteral("bordercolor"));
    detail::readSize(table, QStringLiteral("width"), v.width, v.widthPercent);
    detail::readSize(table, QStringLiteral("height"), v.height, v.heightPercent);
    const std::pair<const char*, QString*> texts[] = {{"cellpadding", &v.cellPadding},
                                                      {"cellspacing", &v.cellSpacing},
                                                      {"border", &v.border},
                                                      {"background", &v.background}};
    for (const auto& [name, text] : texts) {
        if (table->hasAttribute(QLatin1String(name)))
            *text = table->getAttributeText(QLatin1String(name));
    }
    // 2. The counts: rows, and the cells of the first row.
    const engine::ElementCollection rows = table->rows();
    v.rows = QString::number(rows.length());
    engine::Element* first = rows.item(0);
    v.columns = QString::number(first ? first->cells().length() : 1);
    // 3. The caption.
    v.captionTop = true;
    if (const engine::Element* caption = table->caption()) {
        const QString align = caption->getAttributeText(QStringLiteral("vAlign"));
        v.captionBottom = align.compare(QLatin1String("bottom"), Qt::CaseInsensitive) == 0;
        v.captionTop = align.isEmpty() || align.compare(QLatin1String("top"), Qt::CaseInsensitive) == 0;
        v.caption = caption->innerText();
        read.captionText = v.caption;
        read.captionHtml = caption->innerHTML();
    }
    return read;
}

void WriteTableProperties(engine::Element* table, const TableValues& values, const TableRead& opened, TableWrite which)
{
    namespace detail = tableproperties_detail;
    if (!table)
        return;
    const TableValues& was = opened.values;
    const bool all = which == TableWrite::All;
    // 1.-2. Width and height; a written one replaces the inline style's.
    const std::tuple<QString, const QString&, bool, bool> sizes[] = {
        {QStringLiteral("width"), values.width, values.widthPercent,
         values.width != was.width || values.widthPercent != was.widthPercent},
        {QStringLiteral("height"), values.height, values.heightPercent,
         values.height != was.height || values.heightPercent != was.heightPercent}};
    for (const auto& [name, text, percent, differs] : sizes) {
        if (!all && !differs)
            continue;
        detail::writeSize(table, name, text, percent);
        if (!text.isEmpty() && table->styleIfAny())
            table->style().removeAttribute(name);
    }
    // 3.-4. Background image, spacing, padding, border.
    const std::tuple<QString, const QString&, const QString&> texts[] = {
        {QStringLiteral("background"), values.background, was.background},
        {QStringLiteral("cellspacing"), values.cellSpacing, was.cellSpacing},
        {QStringLiteral("cellpadding"), values.cellPadding, was.cellPadding},
        {QStringLiteral("border"), values.border, was.border}};
    for (const auto& [name, text, before] : texts) {
        if (all || text != before)
            detail::setOrRemove(table, name, text);
    }
    // 5.-6. Colours the user changed.
    detail::writeColor(table, QStringLiteral("bgcolor"), values.backColor, was.backColor);
    detail::writeColor(table, QStringLiteral("bordercolor"), values.borderColor, was.borderColor);
    // 7. The caption: written, placed, or removed with its text.
    if (all || values.caption != was.caption) {
        if (values.caption.isEmpty())
            table->deleteCaption();
        else
            detail::writeCaption(table, values, opened);
    } else if (values.captionBottom != was.captionBottom) {
        if (engine::Element* caption = table->caption())
            caption->setAttribute(QStringLiteral("vAlign"),
                                  values.captionBottom ? QStringLiteral("bottom") : QStringLiteral("top"));
    }
}

CellValues ReadCellProperties(engine::Element* cell, QSize base)
{
    namespace detail = tableproperties_detail;
    CellValues v;
    if (!cell)
        return v;
    v.backColor = detail::colorOf(cell, QStringLiteral("bgcolor"));
    v.borderColor = detail::colorOf(cell, QStringLiteral("bordercolor"));
    detail::readCellSize(cell, QStringLiteral("width"), std::max(1, base.width()), v.width, v.widthPercent,
                         v.widthPresent, v.widthPixels, v.widthPercentValue);
    detail::readCellSize(cell, QStringLiteral("height"), std::max(1, base.height()), v.height, v.heightPercent,
                         v.heightPresent, v.heightPixels, v.heightPercentValue);
    const std::tuple<const char*, QString*, bool*> texts[] = {{"align", &v.hAlign, &v.hAlignSet},
                                                              {"valign", &v.vAlign, &v.vAlignSet},
                                                              {"background", &v.background, &v.backgroundPresent}};
    for (const auto& [name, text, present] : texts) {
        *present = cell->hasAttribute(QLatin1String(name));
        if (*present)
            *text = cell->getAttributeText(QLatin1String(name));
    }
    v.noWrap = cell->getAttribute(QStringLiteral("noWrap")).toBool();
    return v;
}

void WriteCellProperties(engine::Element* cell, const CellValues& values, const CellValues& opened)
{
    namespace detail = tableproperties_detail;
    if (!cell)
        return;
    // 1.-2. Colours the user changed.
    detail::writeColor(cell, QStringLiteral("bgcolor"), values.backColor, opened.backColor);
    detail::writeColor(cell, QStringLiteral("bordercolor"), values.borderColor, opened.borderColor);
    // 3.-4. Width and height; the inline style is left alone.
    detail::writeSize(cell, QStringLiteral("width"), values.width, values.widthPercent);
    detail::writeSize(cell, QStringLiteral("height"), values.height, values.heightPercent);
    // 5.-6. The alignments that are set.
    if (values.hAlignSet)
        cell->setAttribute(QStringLiteral("align"), values.hAlign);
    else
        cell->removeAttribute(QStringLiteral("align"));
    if (values.vAlignSet)
        cell->setAttribute(QStringLiteral("valign"), values.vAlign);
    else
        cell->removeAttribute(QStringLiteral("valign"));
    // 7.-8. The background image (an emptied one removed) and no wrap.
    detail::setOrRemove(cell, QStringLiteral("background"), values.background);
    cell->setAttribute(QStringLiteral("noWrap"), values.noWrap);
}
