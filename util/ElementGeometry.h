#pragma once

#include "engine/dom/Ref.h"
#include "engine/dom/Variant.h"
#include "platform/Hresult.h"
#include "platform/Rect.h"

#include <QString>

namespace engine {
class Element;
} // namespace engine

// Numbers of positioned objects: their place and size from the inline style
// ("%dpx" texts), their z-index, their layout offsets, their single child and
// an attribute whose value is an object.

// Fills the rectangle from the element's style: left and top from the style's
// left and top; right = left + width and bottom = top + height, from the
// style's width and height, else from the element's own width and height
// attributes (IMG, TABLE). Members without a value keep the caller's. Pixel
// texts read as the number before the unit: "12PX" 12, "35%" 35, "auto" 0.
// Returns the style's z-index as its leading number ("auto" and none 0; an
// index beyond 32 bits the nearest int).
int GetElementStylePixels(engine::Element* element, platform::Rect& rect);

// The element's offsetLeft, offsetTop, offsetWidth and offsetHeight as
// decimal texts ("0" each while no view lays the page out).
void GetElementOffsets(engine::Element* element, QString& left, QString& top, QString& width, QString& height);

// The element's only element child in `child`: 0 when it has the tag, -1 when
// it has another (still handed back) or the element has not exactly one child.
HRESULT GetSingleChildByTag(engine::Element* element, engine::Ref<engine::Element>& child, const QString& tagName);

// An attribute whose value is an object (the style of "STYLE"): 0 with it in
// `object`; -1 with an empty `object` for any other value.
HRESULT GetElementAttribute(engine::Element* element, const QString& name, engine::Variant& object);
