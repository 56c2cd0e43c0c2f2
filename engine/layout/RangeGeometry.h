#pragma once

#include <QPoint>
#include <QRect>

#include <vector>

namespace engine {

class DocumentLayout;
class TextRange;

// The layout-dependent operations of text ranges, in client coordinates:
// moveToPoint, getBoundingClientRect and getClientRects (scrollIntoView is
// PageView::scrollIntoView of rangePageRect).
class RangeGeometry
{
public:
    explicit RangeGeometry(DocumentLayout& layout) : m_layout(layout) {}

    // Collapses the range at the place in text nearest a client point (in the
    // element under the point when it is an empty cell or block). False when
    // the page has no place for it.
    bool moveToPoint(TextRange& range, QPoint client);
    // One rectangle per line of text the range covers, and the border boxes of
    // the images and objects inside it; a collapsed range gives its caret.
    std::vector<QRect> clientRects(const TextRange& range);
    // The union of the client rectangles; null when the range shows nothing.
    QRect boundingClientRect(const TextRange& range);
    // The same in page coordinates (what scrolling into view needs).
    QRect rangePageRect(const TextRange& range);

private:
    std::vector<QRect> pageRects(const TextRange& range);
    DocumentLayout& m_layout;
};

} // namespace engine
