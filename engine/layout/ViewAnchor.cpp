#include "engine/layout/ViewAnchor.h"

#include "engine/dom/Node.h"
#include "engine/layout/LayoutTree.h"

namespace engine {

ViewAnchor ViewAnchor::at(const LayoutTree& tree, QPoint scroll, const std::function<Node*(int)>& nodeOf)
{
    ViewAnchor anchor;
    anchor.m_pixels = scroll;
    // (Words follow each other in page order, mostly down the page: the
    // first one found is near the view's top.)
    for (const TextPiece& piece : tree.pieces) {
        if (piece.space || piece.textNodeId < 0 || piece.box.isEmpty() || piece.box.bottom() < scroll.y())
            continue;
        Node* text = nodeOf(piece.textNodeId);
        if (!text || !text->isText())
            continue;
        anchor.m_text = Ref<Node>(text);
        anchor.m_offset = piece.offset;
        anchor.m_below = piece.box.top() - scroll.y();
        break;
    }
    return anchor;
}

std::optional<QPoint> ViewAnchor::scrollIn(const LayoutTree& tree, const std::function<int(const Node*)>& idOf) const
{
    if (!m_text || !m_text->isConnected())
        return m_pixels;
    const int id = idOf(m_text.get());
    if (id < 0)
        return std::nullopt;
    // The word, or the one of its text that holds its place now (the last
    // that starts before it, else the first after it).
    const TextPiece* word = nullptr;
    bool inText = false;
    for (const TextPiece& piece : tree.pieces) {
        if (piece.textNodeId != id) {
            if (inText && word)
                break;
            continue;
        }
        inText = true;
        if (piece.box.isEmpty())
            continue;
        if (piece.offset > m_offset && word)
            break;
        word = &piece;
        if (piece.offset >= m_offset)
            break;
    }
    if (!word)
        return std::nullopt;
    return QPoint(m_pixels.x(), std::max(0, word->box.top() - m_below));
}

} // namespace engine
