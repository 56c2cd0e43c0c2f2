#include "editor/painters/CHTMLPainter.h"

#include "engine/view/PageView.h"

int CHTMLPainter::Attach(engine::PageView* page, engine::Element* element)
{
    if (!page || !element)
        return 0;
    const int cookie = page->addBehavior(element, shared_from_this());
    if (cookie != 0) {
        m_pSitePage = page;
        m_lCookie = cookie;
    }
    return cookie;
}

void CHTMLPainter::InvalidatePainter()
{
    if (m_pSitePage && m_lCookie != 0)
        m_pSitePage->invalidateBehavior(m_lCookie);
}
