#include "commands/StackingOrder.h"

#include "editor/objects/FragmentText.h"
#include "util/ElementGeometry.h"
#include "util/TextHelpers.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"

#include <algorithm>
#include <limits>

namespace stackingorder_detail {

int toInt(qint64 value)
{
    return int(std::clamp(value, qint64(std::numeric_limits<int>::min()), qint64(std::numeric_limits<int>::max())));
}

bool overlaps(const platform::Rect& a, const platform::Rect& b)
{
    return a.left <= b.right && b.left <= a.right && b.top <= a.bottom && a.top <= b.bottom;
}

} // namespace stackingorder_detail

int SteppedZIndex(const StackedObject& selected, const std::vector<StackedObject>& others, bool forward)
{
    using namespace stackingorder_detail;
    // 5. The nearest index beyond the selected one's among the objects it
    // overlaps. Differs from starting the search at -2000 or 200000: any
    // 32-bit index counts.
    std::optional<int> nearest;
    for (const StackedObject& other : others) {
        if (!overlaps(selected.box, other.box))
            continue;
        if (forward && other.zIndex > selected.zIndex && (!nearest || other.zIndex < *nearest))
            nearest = other.zIndex;
        if (!forward && other.zIndex < selected.zIndex && (!nearest || other.zIndex > *nearest))
            nearest = other.zIndex;
    }
    // 6. Just past it, or one step from where the object stands.
    const qint64 from = nearest ? *nearest : selected.zIndex;
    return toInt(forward ? from + 1 : from - 1);
}

std::optional<ZIndexRange> PageZIndexRange(engine::Document* document)
{
    if (!document)
        return std::nullopt;
    std::optional<ZIndexRange> range;
    for (const engine::Ref<engine::Element>& element : document->all().toVector()) {
        const engine::Style* style = element->styleIfAny();
        const QString text = style ? style->value(QStringLiteral("z-index")) : QString();
        if (text.isEmpty())
            continue;
        const int z = LeadingInteger(text);
        if (!range)
            range = ZIndexRange{z, z};
        range->lowest = std::min(range->lowest, z);
        range->highest = std::max(range->highest, z);
    }
    return range;
}

int FrontZIndex(int topCounter, const std::optional<ZIndexRange>& page)
{
    const qint64 top = page ? std::max(topCounter, page->highest) : topCounter;
    return stackingorder_detail::toInt(top + 1);
}

int BackZIndex(int bottomCounter, const std::optional<ZIndexRange>& page)
{
    const qint64 bottom = page ? std::min(bottomCounter, page->lowest) : bottomCounter;
    return stackingorder_detail::toInt(bottom - 1);
}

int KeptZCounter(int zIndex)
{
    return std::clamp(zIndex, -kMaxTopZIndex, kMaxTopZIndex);
}

std::vector<StackedObject> BodyObjectsBeside(engine::Document* document, const engine::Element* selected)
{
    std::vector<StackedObject> objects;
    engine::Element* body = document ? document->body() : nullptr;
    if (!body)
        return objects;
    for (const engine::Ref<engine::Element>& element : body->children().toVector()) {
        engine::Element* child = element.get();
        const engine::Style* style = child->styleIfAny();
        // Differs from reading every child: text and other objects without a
        // place of their own would count as a box at the page's corner.
        if (child == selected || !style || style->left().isEmpty() || style->top().isEmpty())
            continue;
        StackedObject object;
        object.zIndex = GetElementStylePixels(child, object.box);
        objects.push_back(object);
    }
    return objects;
}
