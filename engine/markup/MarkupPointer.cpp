#include "engine/markup/MarkupPointer.h"

#include "engine/dom/Document.h"
#include "engine/markup/MarkupContainer.h"
#include "engine/markup/TextUnits.h"

namespace engine {

namespace pointer_detail {
bool isTreeEnd(const Node* n)
{
    // The document, a container root, or a detached subtree's top.
    return !n->parentNode() || n->isDocument();
}
} // namespace pointer_detail

void MarkupPointer::normalize(Node*& node, int& offset)
{
    if (!node)
        return;
    if (Text* t = node->asText(); t && t->parentNode()) {
        if (offset <= 0) {
            offset = t->indexInParent();
            node = t->parentNode();
        } else if (offset >= t->length()) {
            offset = t->indexInParent() + 1;
            node = t->parentNode();
        }
    }
    if (!node->asText())
        offset = qBound(0, offset, node->childCount());
}

bool MarkupPointer::moveAdjacentToElement(Element* el, int where)
{
    if (!el)
        return false;
    switch (where) {
    case 0:
    case 3:
        if (!el->parentNode())
            return false;
        m_pos.set(el->parentNode(), el->indexInParent() + (where == 3 ? 1 : 0));
        return true;
    case 1:
    case 2:
        if (el->isVoid())
            return false;
        m_pos.set(el, where == 1 ? 0 : el->childCount());
        return true;
    default:
        return false;
    }
}

bool MarkupPointer::moveToPointer(const MarkupPointer& other)
{
    if (!other.isPositioned())
        return false;
    m_pos.set(other.m_pos.node(), other.m_pos.offset());
    return true;
}

bool MarkupPointer::moveToContainer(MarkupContainer* c, bool atStart)
{
    if (!c)
        return false;
    m_pos.set(c->root(), atStart ? 0 : c->root()->childCount());
    return true;
}

MarkupStep MarkupPointer::right(bool move)
{
    MarkupStep step;
    Node* node = m_pos.node();
    int off = m_pos.offset();
    if (!node)
        return step;
    normalize(node, off);
    if (Text* t = node->asText()) {
        step.context = MarkupContext::Text;
        step.textLength = t->length() - off;
        step.element = t->parentElement();
        if (move)
            m_pos.set(t->parentNode(), t->indexInParent() + 1);
        return step;
    }
    if (Node* child = node->child(off)) {
        if (Text* t = child->asText()) {
            step.context = MarkupContext::Text;
            step.textLength = t->length();
            step.element = node->asElement();
            if (move)
                m_pos.set(node, off + 1);
        } else if (Element* e = child->asElement(); e && !e->isVoid()) {
            step.context = MarkupContext::EnterScope;
            step.element = e;
            if (move)
                m_pos.set(e, 0);
        } else {
            step.context = MarkupContext::NoScope;
            step.element = child->asElement();
            if (move)
                m_pos.set(node, off + 1);
        }
        return step;
    }
    if (pointer_detail::isTreeEnd(node))
        return step;
    step.context = MarkupContext::ExitScope;
    step.element = node->asElement();
    if (move)
        m_pos.set(node->parentNode(), node->indexInParent() + 1);
    return step;
}

MarkupStep MarkupPointer::left(bool move)
{
    MarkupStep step;
    Node* node = m_pos.node();
    int off = m_pos.offset();
    if (!node)
        return step;
    normalize(node, off);
    if (Text* t = node->asText()) {
        step.context = MarkupContext::Text;
        step.textLength = off;
        step.element = t->parentElement();
        if (move)
            m_pos.set(t->parentNode(), t->indexInParent());
        return step;
    }
    if (Node* child = off > 0 ? node->child(off - 1) : nullptr) {
        if (Text* t = child->asText()) {
            step.context = MarkupContext::Text;
            step.textLength = t->length();
            step.element = node->asElement();
            if (move)
                m_pos.set(node, off - 1);
        } else if (Element* e = child->asElement(); e && !e->isVoid()) {
            step.context = MarkupContext::ExitScope;
            step.element = e;
            if (move)
                m_pos.set(e, e->childCount());
        } else {
            step.context = MarkupContext::NoScope;
            step.element = child->asElement();
            if (move)
                m_pos.set(node, off - 1);
        }
        return step;
    }
    if (pointer_detail::isTreeEnd(node))
        return step;
    step.context = MarkupContext::EnterScope;
    step.element = node->asElement();
    if (move)
        m_pos.set(node->parentNode(), node->indexInParent());
    return step;
}

Element* MarkupPointer::currentScope() const
{
    Node* n = m_pos.node();
    if (!n)
        return nullptr;
    if (n->asText())
        return n->parentElement();
    return n->asElement();
}

int MarkupPointer::compare(const MarkupPointer& other) const
{
    Node* a = m_pos.node();
    int ao = m_pos.offset();
    Node* b = other.m_pos.node();
    int bo = other.m_pos.offset();
    normalize(a, ao);
    normalize(b, bo);
    return LivePosition::compare(a, ao, b, bo);
}

bool MarkupPointer::moveUnit(Unit unit)
{
    Node* n = m_pos.node();
    int o = m_pos.offset();
    if (!n)
        return false;
    const Node* scope = nullptr;
    bool ok = false;
    switch (unit) {
    case Unit::NextChar:
        ok = textunits::nextChar(n, o, scope);
        break;
    case Unit::PrevChar:
        ok = textunits::prevChar(n, o, scope);
        break;
    case Unit::NextWordBegin:
        ok = textunits::nextWordStart(n, o, scope);
        break;
    case Unit::PrevWordBegin:
        ok = textunits::prevWordStart(n, o, scope);
        break;
    }
    if (ok)
        m_pos.set(n, o);
    return ok;
}

} // namespace engine
