#pragma once

#include "engine/dom/Node.h"

namespace engine {

// A place in a tree: before child `offset` of an element or document, or
// before character `offset` of a text node. A live position keeps its place
// when the tree around it changes, like a DOM range boundary. With left
// gravity (the default) content inserted exactly at the position ends up
// after it; with right gravity, before it.
class LivePosition
{
public:
    LivePosition() = default;
    LivePosition(Node* node, int offset) { set(node, offset); }
    LivePosition(const LivePosition& o)
    {
        set(o.m_node, o.m_offset);
        m_rightGravity = o.m_rightGravity;
    }
    LivePosition& operator=(const LivePosition& o);
    ~LivePosition();

    void set(Node* node, int offset);
    void clear() { set(nullptr, 0); }
    Node* node() const { return m_node.get(); }
    int offset() const { return m_offset; }
    bool isSet() const { return bool(m_node); }
    bool rightGravity() const { return m_rightGravity; }
    void setRightGravity(bool right) { m_rightGravity = right; }

    // Tree order: -1 when this lies before `o`, 0 equal, 1 after. Positions
    // in different trees compare as equal.
    int compare(const LivePosition& o) const { return compare(m_node, m_offset, o.m_node, o.m_offset); }
    static int compare(const Node* a, int aOff, const Node* b, int bOff);

private:
    friend class Document;
    Ref<Node> m_node;
    int m_offset = 0;
    bool m_rightGravity = false;
    Document* m_registeredIn = nullptr;
};

} // namespace engine
