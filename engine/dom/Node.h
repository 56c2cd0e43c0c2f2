#pragma once

#include "engine/dom/Ref.h"

#include <QString>
#include <climits>
#include <vector>

namespace engine {

class Document;
class Element;
class Text;

enum class NodeType { Document, DocumentType, Element, Text, Comment };

// A node of a page. Nodes are reference-counted: a node that a caller holds
// stays valid after it is removed from its parent, and can be put back.
// The tree calls change the tree exactly as told and are undoable when the
// node is in its document's page.
class Node
{
public:
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;
    virtual ~Node();

    void ref() const { ++m_refs; }
    void deref() const;
    int refCount() const { return m_refs; }

    NodeType nodeType() const { return m_type; }
    bool isElement() const { return m_type == NodeType::Element || m_type == NodeType::Comment; }
    bool isText() const { return m_type == NodeType::Text; }
    bool isComment() const { return m_type == NodeType::Comment; }
    bool isDocument() const { return m_type == NodeType::Document; }
    Element* asElement();
    const Element* asElement() const;
    Text* asText();
    const Text* asText() const;

    // The document that made the node (never null, also when detached).
    Document* document() const { return m_doc; }
    Node* parentNode() const { return m_parent; }
    // The parent when it is an element; null for a node under the document.
    Element* parentElement() const;
    bool isConnected() const;

    int childCount() const { return int(m_children.size()); }
    Node* child(int i) const { return i >= 0 && i < childCount() ? m_children[size_t(i)].get() : nullptr; }
    const std::vector<Ref<Node>>& childNodes() const { return m_children; }
    int indexInParent() const { return m_parent && m_index >= m_parent->m_staleFrom ? checkedIndex() : m_index; }
    Node* firstChild() const { return child(0); }
    Node* lastChild() const { return child(childCount() - 1); }
    Node* nextSibling() const { return m_parent ? m_parent->child(indexInParent() + 1) : nullptr; }
    Node* previousSibling() const { return m_parent ? m_parent->child(indexInParent() - 1) : nullptr; }
    // Pre-order successor, staying within `root` when given.
    Node* nextInTree(const Node* root = nullptr) const;
    Node* nextSkippingChildren(const Node* root = nullptr) const;
    Node* previousInTree() const;

    // True when `other` is this node or lies below it.
    bool containsNode(const Node* other) const;

    // Tree changes. `child` is first taken from where it stands. Each call
    // is one undo step when it is outside an undo unit.
    Node* appendChild(const Ref<Node>& child);
    Node* insertBefore(const Ref<Node>& child, Node* before);
    // Returns the removed child, or null when it is not a child of this node.
    Ref<Node> removeChild(Node* child);
    Ref<Node> replaceChild(const Ref<Node>& newChild, Node* oldChild);
    // Detaches the node from its parent (undoable).
    void remove();

    virtual Ref<Node> cloneNode(bool deep) const = 0;
    // The concatenated text of all text nodes below.
    QString textContent() const;

    // Primitive changes (no undo scope of their own; undo is recorded).
    void insertChildAt(int index, const Ref<Node>& child);
    Ref<Node> removeChildAt(int index);
    // Moves the children from `from` on (up to `end`, exclusive; -1: to the
    // last) to the end of `target`'s, in their order. While changes are not
    // recorded (a load), that is one change of the tree, told to the
    // observers once, whatever the number of nodes; otherwise each node is
    // taken out and put in, one undo step in all. Live positions between or
    // inside the nodes moved stay at `from`, as they would if the nodes were
    // removed. Nothing moves into a node it would move.
    void moveChildrenTo(int from, Node* target, int end = -1);

protected:
    Node(NodeType type, Document* doc);
    void cloneChildrenInto(Node* copy) const;

private:
    friend class Document;
    // Appends without undo, live positions or notification: for building
    // new trees (the parser).
    friend class TreeBuilder;
    void appendBuilt(const Ref<Node>& child);
    // Moves a node from another document, with everything below it, into `doc`.
    void adoptInto(Document* doc);
    // The index of a child past the parent's first change since it last
    // numbered its children: right when the parent holds the child there,
    // else found by numbering them again.
    int checkedIndex() const;

    mutable int m_refs = 0;
    NodeType m_type;
    int m_index = -1;
    Document* m_doc;
    Node* m_parent = nullptr;
    std::vector<Ref<Node>> m_children;
    // The children from this index on may hold an index from before a child
    // was put in or taken out before them: they are numbered again when one
    // is asked for and found wrong, not with each change (a page of very
    // many paragraphs would be walked to its end at every Enter).
    mutable int m_staleFrom = INT_MAX;
};

// The node itself when it is an element, else its parent element; null for
// no node. A walk up the page from a place (a caret's node) starts here.
Element* elementAtOrAbove(Node* node);

} // namespace engine
