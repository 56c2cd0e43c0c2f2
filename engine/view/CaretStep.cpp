#include "engine/view/CaretStep.h"

#include "engine/dom/Element.h"
#include "engine/dom/Text.h"
#include "engine/layout/TextGeometry.h"
#include "engine/markup/TextUnits.h"

namespace engine {

namespace caretstep_detail {

struct Place
{
    Node* node = nullptr;
    int offset = 0;
};

// The first node after a place, and the last one before it, in the page's order.
Node* nodeAfter(const Place& p, const Node* scope)
{
    if (p.node->isText())
        return p.node->nextSkippingChildren(scope);
    if (Node* child = p.node->child(p.offset))
        return child;
    return p.node == scope ? nullptr : p.node->nextSkippingChildren(scope);
}

Node* nodeBefore(const Place& p, const Node* scope)
{
    Node* n = p.node->isText() || p.offset == 0 ? p.node->previousInTree() : p.node->child(p.offset - 1);
    if (!p.node->isText() && p.offset > 0)
        while (n && n->lastChild())
            n = n->lastChild();
    return n == scope ? nullptr : n;
}

// Whether a break ends an empty line.
bool isEmptyLineOf(TextGeometry& text, Node* br)
{
    return br && br->parentNode() && text.lineInfoAt(br->parentNode(), br->indexInParent());
}

// The place before a break that ends an empty line, met first when going
// from `from` towards `to` (null: the end of the scope); the break before
// which `from` stands, or one whose line the caret is on, does not count.
bool emptyLineBetween(TextGeometry& text, const Place& from, Node* to, int direction, const Node* scope,
                      const QRect& current, Place& found)
{
    if (to && to == from.node)
        return false; // within one text node
    int guard = 0;
    for (Node* n = direction > 0 ? nodeAfter(from, scope) : nodeBefore(from, scope);
         n && n != to && guard<10000; n = direction> 0 ? n->nextInTree(scope) : n->previousInTree(), ++guard) {
        if (scope && !scope->containsNode(n))
            return false;
        Element* e = n->asElement();
        if (!e || !e->hasTag(QLatin1String("BR")) || !e->parentNode())
            continue;
        const Place before{e->parentNode(), e->indexInParent()};
        if (before.node == from.node && before.offset == from.offset)
            continue;
        if (isEmptyLineOf(text, e) && text.caretRectAt(before.node, before.offset).topLeft() != current.topLeft()) {
            found = before;
            return true;
        }
    }
    return false;
}

} // namespace caretstep_detail

bool stepCaret(TextGeometry& text, Node*& node, int& offset, int direction, const Node* scope)
{
    using namespace caretstep_detail;
    if (!node)
        return false;
    const QRect current = text.caretRectAt(node, offset);
    Place from{node, offset};
    for (int guard = 0; guard < 1000; ++guard) {
        // The character next to the place: [start, end) in its text node.
        Node* n = from.node;
        int o = from.offset;
        const bool more = direction > 0 ? textunits::nextChar(n, o, scope) : textunits::prevChar(n, o, scope);
        Place found;
        if (emptyLineBetween(text, from, more ? n : nullptr, direction, scope, current, found)) {
            node = found.node;
            offset = found.offset;
            return true;
        }
        if (!more)
            return false;
        Text* t = n->asText();
        int start = o, end = o;
        if (direction > 0)
            start = end - (end >= 2 && t->data().at(end - 1).isLowSurrogate() ? 2 : 1);
        else
            end = start + (t->data().at(start).isHighSurrogate() && start + 1 < t->length() ? 2 : 1);
        // Onto another line: first to its edge next to the place.
        const int near = direction > 0 ? start : end;
        const int far = direction > 0 ? end : start;
        const QRect nearRect = text.caretRectAt(t, near);
        const bool otherLine = !nearRect.isNull() && (current.isNull() || nearRect.top() != current.top());
        const int to = otherLine ? near : far;
        // White space that takes no room (none, or the caret stays where it
        // was): on past it.
        const QRect there = otherLine ? nearRect : text.caretRectAt(t, far);
        if (there.isNull() || there.topLeft() == current.topLeft()) {
            from = Place{t, to};
            continue;
        }
        node = t;
        offset = to;
        return true;
    }
    return false;
}

} // namespace engine
