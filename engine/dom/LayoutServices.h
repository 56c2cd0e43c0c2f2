#pragma once

#include <QPoint>
#include <QRect>

#include <vector>

namespace engine {

class Element;
class TextRange;

// What the DOM asks of the view that shows a document: hit testing and the
// geometry of text ranges, in client coordinates. The view installs itself on
// its document and removes itself when it goes away; without one the DOM
// answers nothing (null element, empty rectangles).
class LayoutServices
{
public:
    virtual ~LayoutServices() = default;
    // The topmost element at a client point; null outside the client area.
    virtual Element* elementAtClientPoint(QPoint client) = 0;
    // Collapses the range at the place in text nearest the client point.
    virtual bool moveRangeToPoint(TextRange& range, QPoint client) = 0;
    virtual std::vector<QRect> rangeClientRects(const TextRange& range) = 0;
    virtual QRect rangeBoundingClientRect(const TextRange& range) = 0;
    // Scrolls the view so the range shows.
    virtual void scrollRangeIntoView(const TextRange& range) = 0;
    // The element's offsetLeft, offsetTop, offsetWidth and offsetHeight as
    // x, y, width and height; all 0 for an element without a box.
    virtual QRect offsetRect(Element* element) = 0;
};

} // namespace engine
