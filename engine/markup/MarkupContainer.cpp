#include "engine/markup/MarkupContainer.h"

namespace engine {

MarkupContainer::MarkupContainer(Document* owner)
    : m_owner(owner), m_root(Element::create(owner, QStringLiteral("#CONTAINER")))
{
}

MarkupContainer::~MarkupContainer() = default;

} // namespace engine
