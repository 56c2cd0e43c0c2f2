#include "commands/FontFaceColorFormat.h"

#include "app/CZQView.h"
#include "commands/FontSizeFormat.h"
#include "commands/SelectionFormat.h"
#include "util/PageDom.h"

#include "engine/dom/Element.h"
#include "engine/editing/CommandGroup.h"
#include "engine/editing/TextRange.h"
#include "engine/html/HtmlSerializer.h"
#include "engine/markup/MarkupServices.h"

#include <optional>

using engine::Element;
using engine::Ref;

namespace fontfacecolor_detail {

// Takes the attribute off every FONT inside the element that has it, and
// drops each FONT left bare; every FONT is visited once.
void removeFontAttribute(Element* element, const QString& name)
{
    const engine::ElementCollection all = element->all();
    for (int i = 0; i < all.length();) {
        Element* font = all.item(i);
        if (!font->hasTag(QLatin1String("FONT")) || !font->hasAttribute(name)) {
            ++i;
            continue;
        }
        font->removeAttribute(name);
        if (!RemoveBareFont(font))
            ++i;
    }
}

} // namespace fontfacecolor_detail

QString EmptyFontHtml(const QString& name, const QString& value)
{
    return QStringLiteral("<FONT %1></FONT>").arg(engine::HtmlSerializer::attributeText(name, value, true));
}

bool IsDefaultFace(const QString& face)
{
    return face.isEmpty() || face.compare(QLatin1String("Default"), Qt::CaseInsensitive) == 0;
}

void SetFontFaceInSelection(int code, const QString& face)
{
    // 1.-4. The targets of a control selection.
    const FormatSelection selection = ReadFormatSelection();
    if (selection.controls) {
        for (const Ref<Element>& target :
             ControlSelectionTargets(*selection.controls, CellTarget::SpanInCell, MarqueeTarget::Alone))
            ApplyFontFaceToElement(code, face, target.get());
        return;
    }
    // 5. Text: the engine's font name; "Default" takes the face off.
    CZQView* view = ActiveFormatView();
    if (!view || !selection.range)
        return;
    const engine::Variant value = IsDefaultFace(face) ? engine::Variant::null() : engine::Variant(face);
    view->ExecCommand(engine::CommandGroup::FontName, &value);
}

void ApplyFontFaceToElement(int code, const QString& face, Element* element)
{
    Q_UNUSED(code);
    if (!element)
        return;
    // 2. Every face inside goes.
    fontfacecolor_detail::removeFontAttribute(element, QStringLiteral("face"));
    // 3. The content in a FONT of the face. Differs from writing the name
    // bare: "Times New Roman" or a name with quotes would break the tag.
    if (!IsDefaultFace(face))
        WrapElementContent(element, EmptyFontHtml(QStringLiteral("face"), face));
}

void SetFontColorInSelection(int code, const QString& color, int mode)
{
    const FormatSelection selection = ReadFormatSelection();
    if (selection.controls) {
        for (const Ref<Element>& target :
             ControlSelectionTargets(*selection.controls, CellTarget::SpanInCell, MarqueeTarget::Alone))
            ApplyFontColorToElement(code, color, mode, target.get());
        return;
    }
    CZQView* view = ActiveFormatView();
    if (!view || !selection.range)
        return;
    const engine::Variant value = mode == kColorModeDefault ? engine::Variant(false) : engine::Variant(color);
    view->ExecCommand(engine::CommandGroup::ForeColor, &value);
}

void ApplyFontColorToElement(int code, const QString& color, int mode, Element* element)
{
    Q_UNUSED(code);
    if (!element)
        return;
    fontfacecolor_detail::removeFontAttribute(element, QStringLiteral("color"));
    if (mode != kColorModeDefault && !color.isEmpty())
        WrapElementContent(element, EmptyFontHtml(QStringLiteral("color"), color));
}

bool RemoveBareFont(Element* font)
{
    if (!font || !font->hasTag(QLatin1String("FONT")))
        return false;
    for (const char* name : {"color", "size", "face"}) {
        if (!font->getAttributeText(QLatin1String(name)).isEmpty())
            return false;
    }
    // Differs from writing the content over the FONT as HTML: its tags are
    // taken away and the content stays the very same nodes, so nothing is
    // parsed again (and no nesting bound of the parser can cut it).
    return engine::MarkupServices::removeElement(font);
}

void SetBgColorInSelection(int code, const QString& color, int mode)
{
    // 1. The TDs of a control selection (no SPAN), a MARQUEE, the first TD of each object.
    const FormatSelection selection = ReadFormatSelection();
    if (selection.controls) {
        for (const Ref<Element>& target :
             ControlSelectionTargets(*selection.controls, CellTarget::Cell, MarqueeTarget::Alone))
            ApplyBgColorToElement(code, color, mode, target.get());
        return;
    }
    // 2. Text: the TD around it, else the MARQUEE.
    Element* parent = selection.range ? selection.range->parentElement() : nullptr;
    if (!parent)
        return;
    Ref<Element> target = parent;
    if (FindParentByTag(target, QStringLiteral("TD")) != S_OK) {
        target = parent;
        if (FindParentByTag(target, QStringLiteral("MARQUEE")) != S_OK)
            return;
    }
    ApplyBgColorToElement(code, color, mode, target.get());
}

void ApplyBgColorToElement(int code, const QString& color, int mode, Element* element)
{
    Q_UNUSED(code);
    if (!element)
        return;
    if (mode == kColorModeDefault) {
        element->removeAttribute(QStringLiteral("bgcolor"));
        return;
    }
    if (color.isEmpty())
        return;
    if (element->hasTag(QLatin1String("MARQUEE")))
        element->setAttribute(QStringLiteral("bgcolor"), color);
    else if (element->hasTag(QLatin1String("TD")) || element->hasTag(QLatin1String("TH")))
        element->setAttribute(QStringLiteral("bgColor"), color);
}

void SetFontOfSelectedCells(int code, const QString& value, int mode, CZQView* view)
{
    ForEachSelectedCell(view, [&](Element* cell) {
        switch (code) {
        case kFormatFace:
            ApplyFontFaceToElement(code, value, cell);
            break;
        case kFormatTextColor:
            ApplyFontColorToElement(code, value, mode, cell);
            break;
        case kFormatBackColor:
            ApplyBgColorToElement(code, value, mode, cell);
            break;
        case kFormatFontSize:
            ApplyFontSizeToElement(mode, cell);
            break;
        default:
            break;
        }
    });
}
