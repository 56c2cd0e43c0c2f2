#include "editor/CHTMLEditHost.h"

CHTMLEditHost::CHTMLEditHost(CHtmlEditCntrItem* owner) : m_pOwner(owner) {}

CHTMLEditHost::~CHTMLEditHost() = default;

void CHTMLEditHost::snapRect(engine::Element* element, QRect& rect, int corner)
{
    // Moves and resizes keep the proposed box until the grid is in place.
    Q_UNUSED(element);
    Q_UNUSED(rect);
    Q_UNUSED(corner);
}
