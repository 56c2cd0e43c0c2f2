#pragma once

#include "engine/view/ElementPainter.h"

#include <QPointer>

#include <memory>

class QWidget;

namespace engine {
class Element;
class PageView;
} // namespace engine

// What the page's painters share: they paint on the page's elements in design
// mode, and remember where they were attached last so that they can ask for
// a repaint after a change of their settings. Held by std::shared_ptr; one
// painter may be attached to many elements.
class CHTMLPainter : public engine::ElementPainter, public std::enable_shared_from_this<CHTMLPainter>
{
public:
    int flags() const override { return Transparent; }
    int zOrder() const override { return BelowContent; }

    // Attaches the painter to an element of a page: the cookie, 0 when
    // nothing was attached. The painter must be held by a std::shared_ptr.
    int Attach(engine::PageView* page, engine::Element* element);
    // Repaints the painter's latest attachment (nothing when it has none or
    // its page has gone).
    void InvalidatePainter();

    // The cookie of the latest attachment (0: none).
    int m_lCookie = 0;

protected:
    QPointer<engine::PageView> m_pSitePage;
};
