// Area selection: the positioned objects wholly inside a rectangle dragged
// over the empty page join the control selection.

#include "editor/CImpIDispatch.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/editing/Selection.h"
#include "engine/editing/TextRange.h"
#include "engine/layout/Geometry.h"
#include "engine/view/PageView.h"

#include <QApplication>

#include <algorithm>

void CImpIDispatch::SelectObjectsInRect(const platform::Rect& rect)
{
    engine::Document* doc = document();
    engine::PageView* page = pageView();
    if (!doc || !page || !doc->body())
        return;
    // 1. The wait cursor until the end.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // 2. An existing control selection is extended; a text selection replaced.
    engine::ControlRange range(doc, controlSelection());
    // 3. Every object whose style places it wholly inside the rectangle
    // (positions from the style, sizes from the layout).
    engine::Geometry geometry(page->layout());
    int added = 0;
    const engine::ElementCollection all = doc->all();
    for (int i = 0; i < all.length(); ++i) {
        engine::Element* element = all.item(i);
        static const QLatin1String kTags[] = {QLatin1String("TABLE"),  QLatin1String("IMG"),
                                              QLatin1String("HR"),     QLatin1String("EMBED"),
                                              QLatin1String("OBJECT"), QLatin1String("MARQUEE")};
        if (std::none_of(std::begin(kTags), std::end(kTags), [element](QLatin1String t) { return element->hasTag(t); }))
            continue;
        const engine::Style* style = element->styleIfAny();
        const int left = style ? engine::Style::pixels(style->left()) : 0;
        const int top = style ? engine::Style::pixels(style->top()) : 0;
        const int right = left + geometry.clientWidth(element);
        const int bottom = top + geometry.clientHeight(element);
        if (!rect.contains(left, top) || !rect.contains(right, bottom))
            continue;
        const auto& held = range.elements();
        if (std::any_of(held.begin(), held.end(), [element](const auto& e) { return e.get() == element; }))
            continue;
        if (range.add(element))
            ++added;
    }
    // 4. Selected when something joined.
    if (added > 0)
        range.select();
    // 5.
    QApplication::restoreOverrideCursor();
}
