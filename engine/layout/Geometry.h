#pragma once

#include <QRect>

#include <vector>

namespace engine {

class DocumentLayout;
class Element;

// Element geometry as scripts of the old engine read it. Page coordinates
// have the canvas origin at the top left; client coordinates are page
// coordinates minus the view's scroll position. Elements without a box
// (AREA, MAP, nodes the layout dropped or hid) report 0 and empty rectangles.
class Geometry
{
public:
    explicit Geometry(DocumentLayout& layout) : m_layout(layout) {}

    // The nearest positioned ancestor, else the nearest TD, TH or TABLE,
    // else BODY; null for BODY and HTML and for elements not in the page.
    Element* offsetParent(Element* el);
    // The border box relative to the offset parent's padding edge (to the
    // page when the offset parent is BODY).
    int offsetLeft(Element* el);
    int offsetTop(Element* el);
    int offsetWidth(Element* el);
    int offsetHeight(Element* el);
    // The padding box; for BODY (and HTML) the visible area of the view.
    int clientWidth(Element* el);
    int clientHeight(Element* el);
    // BODY (and HTML): the view's scroll position; others 0.
    int scrollLeft(Element* el);
    int scrollTop(Element* el);

    // The border box in page coordinates (inline elements: the union of their
    // line boxes); null when the element has no box.
    QRect pageRect(Element* el);
    // The border box in client coordinates.
    QRect boundingClientRect(Element* el);
    // One rectangle per line box of an inline element, else the border box.
    std::vector<QRect> clientRects(Element* el);

private:
    QPoint offsetPosition(Element* el);
    bool isViewRoot(const Element* el) const;
    DocumentLayout& m_layout;
};

} // namespace engine
