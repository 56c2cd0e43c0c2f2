#pragma once

#include "engine/dom/Document.h"

namespace engine {

// A separate tree that parseString fills; owned by the document that made
// it. Pointers placed in it can be copied and moved to the document.
class MarkupContainer
{
public:
    explicit MarkupContainer(Document* owner);
    ~MarkupContainer();
    // The root node that holds the parsed content.
    Element* root() const { return m_root.get(); }
    Document* owner() const { return m_owner; }

private:
    Document* m_owner;
    Ref<Element> m_root;
};

} // namespace engine
