#pragma once

#include "engine/dom/Ref.h"
#include "engine/layout/TextGeometry.h"

#include <QPoint>
#include <QRect>

#include <optional>

namespace engine {

class MarkupPointer;
class Node;
class PageView;
class Text;

// A place in the laid-out page of a view: in text, or between elements
// where there is none (an empty cell, after an image). Moves to a client
// point or to a markup pointer, places a markup pointer, tells its line, and
// moves to the previous or next line of text keeping its x (the x of its
// last placement, as the caret keeps its column over short lines).
class DisplayPointer
{
public:
    explicit DisplayPointer(PageView& view) : m_view(view) {}

    bool isPositioned() const { return bool(m_node); }
    // A text node, or an element between whose children the place lies.
    Node* node() const { return m_node.get(); }
    int offset() const { return m_offset; }

    bool moveToPoint(QPoint client);
    bool moveToMarkupPointer(const MarkupPointer& pointer);
    bool positionMarkupPointer(MarkupPointer& pointer) const;
    // Line of the place, in client coordinates.
    std::optional<LineInfo> lineInfo() const;
    // The caret box at the place, in client coordinates.
    QRect caretRect() const;
    // direction < 0: the line above; > 0: the line below. False at the ends.
    bool moveToLine(int direction);

private:
    PageView& m_view;
    Ref<Node> m_node;
    int m_offset = 0;
    int m_x = 0; // page x kept for line moves
};

} // namespace engine
