#pragma once

#include "engine/dom/Ref.h"

#include <QPoint>

#include <functional>
#include <optional>

namespace engine {

class Node;
struct LayoutTree;

// What stands at the top of the view, kept while the page is laid out anew
// (at another width, say): the first word that reaches below the view's top
// edge, and how far below that edge it stood. In the new layout the view is
// placed so that the word stands there again. A view above every word (or
// whose word went from the page) keeps its place in pixels.
class ViewAnchor
{
public:
    // `nodeOf` gives the node of an id of `tree`.
    static ViewAnchor at(const LayoutTree& tree, QPoint scroll, const std::function<Node*(int)>& nodeOf);

    // Where the view stands in `tree` (a layout of the same page, `idOf`
    // giving its ids) with the word where it stood; null when the layout
    // does not hold the word (a part of the page that ends before it). The
    // position may lie past the end of a part.
    std::optional<QPoint> scrollIn(const LayoutTree& tree, const std::function<int(const Node*)>& idOf) const;
    // The text node of the word (null when the view keeps its pixels).
    Node* node() const { return m_text.get(); }
    QPoint pixels() const { return m_pixels; }

private:
    QPoint m_pixels;
    Ref<Node> m_text;
    int m_offset = 0; // of the word in its text
    int m_below = 0;  // how far the word's top stood below the view's top
};

} // namespace engine
