#include "util/ElementGeometry.h"

#include "util/TextHelpers.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/dom/LayoutServices.h"

namespace elementgeometry_detail {

// A size from the style, else from the element's attribute of that name: an
// attribute number is read as the old engine's 16-bit quantity. False when
// neither gives one.
bool lengthOf(const engine::Element* element, const engine::Style* style, const QString& name, int& value)
{
    const QString text = style ? style->value(name) : QString();
    if (!text.isEmpty()) {
        value = engine::Style::pixels(text);
        return true;
    }
    const engine::Variant attribute = element->getAttribute(name);
    if (attribute.isInt()) {
        value = qint16(attribute.toInt());
        return true;
    }
    if (attribute.isString()) {
        value = engine::Style::pixels(attribute.toString());
        return true;
    }
    return false;
}

} // namespace elementgeometry_detail

int GetElementStylePixels(engine::Element* element, platform::Rect& rect)
{
    // 1. The style; an element without a style attribute has an empty one.
    if (!element)
        return 0;
    const engine::Style* style = element->styleIfAny();
    // 2.-3. The place.
    const QString left = style ? style->left() : QString();
    if (!left.isEmpty())
        rect.left = engine::Style::pixels(left);
    const QString top = style ? style->top() : QString();
    if (!top.isEmpty())
        rect.top = engine::Style::pixels(top);
    // 4.-5. The size, added to the place as it now stands.
    int size = 0;
    if (elementgeometry_detail::lengthOf(element, style, QStringLiteral("width"), size))
        rect.right = rect.left + size;
    if (elementgeometry_detail::lengthOf(element, style, QStringLiteral("height"), size))
        rect.bottom = rect.top + size;
    // 6. The z-index. Differs from the old engine's 16-bit value: an index
    // past 32767 would read as a negative one and change the stacking.
    return style ? LeadingInteger(style->value(QStringLiteral("z-index"))) : 0;
}

void GetElementOffsets(engine::Element* element, QString& left, QString& top, QString& width, QString& height)
{
    if (!element)
        return;
    engine::LayoutServices* layout = element->document()->layoutServices();
    const QRect offsets = layout ? layout->offsetRect(element) : QRect(0, 0, 0, 0);
    left = QString::number(offsets.x(), 10);
    top = QString::number(offsets.y(), 10);
    width = QString::number(offsets.width(), 10);
    height = QString::number(offsets.height(), 10);
}

HRESULT GetSingleChildByTag(engine::Element* element, engine::Ref<engine::Element>& child, const QString& tagName)
{
    child = nullptr;
    if (!element)
        return -1;
    const engine::ElementCollection children = element->children();
    if (children.length() != 1)
        return -1;
    child = children.item(0);
    return child->hasTag(tagName) ? S_OK : -1;
}

HRESULT GetElementAttribute(engine::Element* element, const QString& name, engine::Variant& object)
{
    object = engine::Variant();
    if (!element)
        return -1;
    const engine::Variant value = element->getAttribute(name);
    if (!value.isStyle() && !value.isElement())
        return -1;
    object = value;
    return S_OK;
}
