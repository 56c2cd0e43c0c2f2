#pragma once

#include "engine/dom/LivePosition.h"

namespace engine {

class Document;
class Element;
class MarkupContainer;

// What a step of a markup pointer passed over.
enum class MarkupContext {
    None,       // nothing: the pointer is at the start or end of its tree
    Text,       // a run of text (see MarkupStep::textLength)
    EnterScope, // the start tag of an element with content
    ExitScope,  // the end tag of an element
    NoScope,    // an element without content (IMG, BR, ...) or a comment ("!")
};

struct MarkupStep
{
    MarkupContext context = MarkupContext::None;
    Element* element = nullptr; // the element entered, left or passed; for text its parent
    int textLength = 0;
};

// A live place in a document or a markup container, between nodes or
// between characters. It keeps its place when the tree around it changes.
// With left gravity (the default) content inserted at the pointer ends up
// after it; with right gravity, before it.
class MarkupPointer
{
public:
    enum class Adjacency { BeforeBegin = 0, AfterBegin = 1, BeforeEnd = 2, AfterEnd = 3 };
    enum class Gravity { Left, Right };

    MarkupPointer() = default;

    bool isPositioned() const { return m_pos.isSet(); }
    void unposition() { m_pos.clear(); }
    Node* container() const { return m_pos.node(); }
    int offset() const { return m_pos.offset(); }
    const LivePosition& position() const { return m_pos; }
    void moveTo(Node* node, int offset) { m_pos.set(node, offset); }

    // where: 0 before the start tag, 1 after the start tag, 2 before the
    // end tag, 3 after the end tag. Fails for 0 and 3 on an element without
    // parent, and for 1 and 2 on an element without content.
    bool moveAdjacentToElement(Element* el, int where);
    bool moveAdjacentToElement(Element* el, Adjacency where) { return moveAdjacentToElement(el, int(where)); }
    bool moveToPointer(const MarkupPointer& other);
    // To the start or end of the content of a markup container.
    bool moveToContainer(MarkupContainer* c, bool atStart);

    // Steps over one thing to the right or left; with `move` false the
    // pointer stays where it is.
    MarkupStep right(bool move = true);
    MarkupStep left(bool move = true);
    // The element the pointer stands in.
    Element* currentScope() const;

    Gravity gravity() const { return m_pos.rightGravity() ? Gravity::Right : Gravity::Left; }
    void setGravity(Gravity g) { m_pos.setRightGravity(g == Gravity::Right); }

    // Places are compared after normalising: the end of a text and the
    // place after it are equal.
    int compare(const MarkupPointer& other) const;
    bool isEqualTo(const MarkupPointer& other) const { return compare(other) == 0; }
    bool isLeftOf(const MarkupPointer& other) const { return compare(other) < 0; }
    bool isRightOf(const MarkupPointer& other) const { return compare(other) > 0; }

    enum class Unit { PrevChar, NextChar, PrevWordBegin, NextWordBegin };
    bool moveUnit(Unit unit);

    // (node, offset) with text ends turned into places between nodes.
    static void normalize(Node*& node, int& offset);

private:
    LivePosition m_pos;
};

} // namespace engine
