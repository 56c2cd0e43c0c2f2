#include "engine/dom/Node.h"

#include "engine/dom/Document.h"
#include "engine/dom/Element.h"
#include "engine/dom/Text.h"

#include <algorithm>

namespace engine {

Node::Node(NodeType type, Document* doc) : m_type(type), m_doc(doc)
{
    if (doc && type != NodeType::Document)
        doc->nodeCreated();
}

Node::~Node()
{
    for (auto& c : m_children) {
        c->m_parent = nullptr;
        c->m_index = -1;
    }
    m_children.clear();
    if (m_type != NodeType::Document && m_doc)
        m_doc->nodeDestroyed();
}

void Node::deref() const
{
    if (--m_refs > 0)
        return;
    auto* self = const_cast<Node*>(this);
    if (m_type == NodeType::Document)
        static_cast<Document*>(self)->lastRefDropped();
    else
        delete self;
}

Element* Node::asElement()
{
    return isElement() ? static_cast<Element*>(this) : nullptr;
}
const Element* Node::asElement() const
{
    return isElement() ? static_cast<const Element*>(this) : nullptr;
}
Text* Node::asText()
{
    return isText() ? static_cast<Text*>(this) : nullptr;
}
const Text* Node::asText() const
{
    return isText() ? static_cast<const Text*>(this) : nullptr;
}

Element* Node::parentElement() const
{
    return m_parent ? m_parent->asElement() : nullptr;
}

Element* elementAtOrAbove(Node* node)
{
    if (!node)
        return nullptr;
    Element* element = node->asElement();
    return element ? element : node->parentElement();
}

bool Node::isConnected() const
{
    const Node* n = this;
    while (n->m_parent)
        n = n->m_parent;
    return n->isDocument();
}

Node* Node::nextInTree(const Node* root) const
{
    if (!m_children.empty())
        return m_children.front().get();
    return nextSkippingChildren(root);
}

Node* Node::nextSkippingChildren(const Node* root) const
{
    const Node* n = this;
    while (n && n != root) {
        if (Node* s = n->nextSibling())
            return s;
        n = n->m_parent;
    }
    return nullptr;
}

Node* Node::previousInTree() const
{
    Node* p = previousSibling();
    if (!p)
        return m_parent;
    while (p->childCount())
        p = p->lastChild();
    return p;
}

bool Node::containsNode(const Node* other) const
{
    for (const Node* n = other; n; n = n->m_parent)
        if (n == this)
            return true;
    return false;
}

Node* Node::appendChild(const Ref<Node>& child)
{
    return insertBefore(child, nullptr);
}

Node* Node::insertBefore(const Ref<Node>& child, Node* before)
{
    if (!child || child->containsNode(this) || child->isDocument() || (before && before->m_parent != this))
        return nullptr;
    if (child.get() == before)
        return child.get();
    UndoUnit unit(m_doc);
    Ref<Node> keep = child;
    if (child->m_parent)
        child->m_parent->removeChildAt(child->indexInParent());
    insertChildAt(before ? before->indexInParent() : childCount(), child);
    return child.get();
}

Ref<Node> Node::removeChild(Node* child)
{
    if (!child || child->m_parent != this)
        return nullptr;
    UndoUnit unit(m_doc);
    return removeChildAt(child->indexInParent());
}

Ref<Node> Node::replaceChild(const Ref<Node>& newChild, Node* oldChild)
{
    if (!oldChild || oldChild->m_parent != this || !newChild || newChild->containsNode(this))
        return nullptr;
    UndoUnit unit(m_doc);
    Ref<Node> old = oldChild;
    if (newChild.get() != oldChild) {
        insertBefore(newChild, oldChild);
        removeChildAt(oldChild->indexInParent());
    }
    return old;
}

void Node::remove()
{
    if (m_parent)
        m_parent->removeChild(this);
}

QString Node::textContent() const
{
    QString out;
    for (const Node* n = this; n; n = n->nextInTree(this))
        if (const Text* t = n->asText())
            out += t->data();
    return out;
}

void Node::insertChildAt(int index, const Ref<Node>& child)
{
    Q_ASSERT(child && !child->m_parent);
    if (child->m_doc != m_doc)
        child->adoptInto(m_doc);
    index = qBound(0, index, childCount());
    m_children.insert(m_children.begin() + index, child);
    child->m_parent = this;
    child->m_index = index;
    // (The child that stood here says `index` still: it is checked too.)
    if (index + 1 < childCount())
        m_staleFrom = std::min(m_staleFrom, index);
    m_doc->didInsertChild(this, child.get());
}

Ref<Node> Node::removeChildAt(int index)
{
    if (index < 0 || index >= childCount())
        return nullptr;
    Ref<Node> child = m_children[size_t(index)];
    m_doc->willRemoveChild(this, child.get());
    m_children.erase(m_children.begin() + index);
    child->m_parent = nullptr;
    child->m_index = -1;
    if (index < childCount())
        m_staleFrom = std::min(m_staleFrom, index);
    m_doc->didRemoveChild(this, index, child.get());
    return child;
}

void Node::moveChildrenTo(int from, Node* target, int end)
{
    from = std::max(0, from);
    end = end < 0 ? childCount() : std::min(end, childCount());
    if (!target || target == this || from >= end)
        return;
    // (Not into a node moved.)
    for (const Node* n = target; n; n = n->m_parent) {
        if (n->m_parent == this && n->indexInParent() >= from && n->indexInParent() < end)
            return;
    }
    if (target->m_doc != m_doc || m_doc->recordsChanges(this) || m_doc->recordsChanges(target)) {
        UndoUnit unit(m_doc);
        std::vector<Ref<Node>> moved(m_children.begin() + from, m_children.begin() + end);
        // (From the last: the nodes after them are numbered again once each.)
        for (int i = end - 1; i >= from; --i)
            removeChildAt(i);
        for (const Ref<Node>& child : moved)
            target->insertChildAt(target->childCount(), child);
        return;
    }
    m_doc->moveChildren(this, from, end, target);
}

void Node::adoptInto(Document* doc)
{
    // Changes to the nodes now reach this document: its collections, undo
    // and dirty flag. The old document may go once it has no nodes left.
    m_doc->handOverPositions(this, doc);
    for (Node* n = this; n; n = n->nextInTree(this)) {
        Document* old = n->m_doc;
        n->m_doc = doc;
        doc->nodeCreated();
        old->nodeDestroyed();
    }
}

int Node::checkedIndex() const
{
    const Node* parent = m_parent;
    if (m_index >= 0 && m_index < parent->childCount() && parent->m_children[size_t(m_index)].get() == this)
        return m_index;
    for (int i = parent->m_staleFrom; i < parent->childCount(); ++i)
        parent->m_children[size_t(i)]->m_index = i;
    parent->m_staleFrom = INT_MAX;
    return m_index;
}

void Node::appendBuilt(const Ref<Node>& child)
{
    child->m_parent = this;
    child->m_index = childCount();
    m_children.push_back(child);
}

void Node::cloneChildrenInto(Node* copy) const
{
    for (const auto& c : m_children)
        copy->appendBuilt(c->cloneNode(true));
}

} // namespace engine
