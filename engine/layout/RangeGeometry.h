#pragma once

#include "engine/layout/TextGeometry.h"

#include <QPoint>
#include <QRect>

#include <optional>
#include <vector>

namespace engine {

class DocumentLayout;
class LivePosition;
class TextRange;

// The layout-dependent operations of text ranges, in client coordinates:
// moveToPoint, getBoundingClientRect and getClientRects (scrollIntoView is
// PageView::scrollIntoView of rangePageRect).
class RangeGeometry
{
public:
    explicit RangeGeometry(DocumentLayout& layout)
        : m_layout(layout), m_ownText(std::in_place, layout), m_text(*m_ownText)
    {
    }
    // Reading the text geometry a view keeps (its caches stay warm).
    RangeGeometry(DocumentLayout& layout, TextGeometry& text) : m_layout(layout), m_text(text) {}
    RangeGeometry(const RangeGeometry&) = delete;
    RangeGeometry& operator=(const RangeGeometry&) = delete;

    // Collapses the range at the place in text nearest a client point (in the
    // element under the point when it is an empty cell or block). False when
    // the page has no place for it.
    bool moveToPoint(TextRange& range, QPoint client);
    // One rectangle per line of text the range covers (an empty line whose
    // break it passes over counts, as wide as a space), and the border boxes
    // of the images and objects inside it; a collapsed range gives its caret.
    std::vector<QRect> clientRects(const TextRange& range);
    // The union of the client rectangles; null when the range shows nothing.
    QRect boundingClientRect(const TextRange& range);
    // The same in page coordinates (what scrolling into view needs).
    QRect rangePageRect(const TextRange& range);
    // What a selection between two places highlights, in page coordinates:
    // its text, one rectangle per line, and the empty lines it runs across.
    std::vector<QRect> highlightRects(const LivePosition& start, const LivePosition& end);

private:
    std::vector<QRect> pageRects(const TextRange& range);
    std::vector<QRect> coveredRects(const LivePosition& start, const LivePosition& end, bool withBoxes);
    DocumentLayout& m_layout;
    std::optional<TextGeometry> m_ownText;
    TextGeometry& m_text;
};

} // namespace engine
