#include "engine/layout/Geometry.h"

#include "engine/dom/Document.h"
#include "engine/layout/DocumentLayout.h"

namespace engine {

bool Geometry::isViewRoot(const Element* el) const
{
    return el && (el->hasTag(QLatin1String("BODY")) || el->hasTag(QLatin1String("HTML")));
}

Element* Geometry::offsetParent(Element* el)
{
    if (!el || !el->isConnected() || isViewRoot(el))
        return nullptr;
    Element* cellOrTable = nullptr;
    for (Element* p = el->parentElement(); p; p = p->parentElement()) {
        if (p->hasTag(QLatin1String("BODY")))
            return cellOrTable ? cellOrTable : p;
        const LayoutBox* b = m_layout.box(p);
        if (b && b->positioned)
            return p;
        if (!cellOrTable &&
            (p->hasTag(QLatin1String("TD")) || p->hasTag(QLatin1String("TH")) || p->hasTag(QLatin1String("TABLE"))))
            cellOrTable = p;
    }
    return cellOrTable ? cellOrTable : m_layout.document()->body();
}

QRect Geometry::pageRect(Element* el)
{
    const LayoutBox* b = el ? m_layout.box(el) : nullptr;
    return b ? b->borderBox : QRect();
}

QPoint Geometry::offsetPosition(Element* el)
{
    const LayoutBox* b = el ? m_layout.box(el) : nullptr;
    if (!b)
        return QPoint();
    Element* parent = offsetParent(el);
    const LayoutBox* pb = parent && !isViewRoot(parent) ? m_layout.box(parent) : nullptr;
    return pb ? b->borderBox.topLeft() - pb->paddingBox.topLeft() : b->borderBox.topLeft();
}

int Geometry::offsetLeft(Element* el)
{
    return offsetPosition(el).x();
}

int Geometry::offsetTop(Element* el)
{
    return offsetPosition(el).y();
}

int Geometry::offsetWidth(Element* el)
{
    return pageRect(el).width();
}

int Geometry::offsetHeight(Element* el)
{
    return pageRect(el).height();
}

int Geometry::clientWidth(Element* el)
{
    if (isViewRoot(el))
        return m_layout.viewportSize().width();
    const LayoutBox* b = el ? m_layout.box(el) : nullptr;
    return b && !b->inlineLevel ? b->paddingBox.width() : 0;
}

int Geometry::clientHeight(Element* el)
{
    if (isViewRoot(el))
        return m_layout.viewportSize().height();
    const LayoutBox* b = el ? m_layout.box(el) : nullptr;
    return b && !b->inlineLevel ? b->paddingBox.height() : 0;
}

int Geometry::scrollLeft(Element* el)
{
    return isViewRoot(el) ? m_layout.scrollPosition().x() : 0;
}

int Geometry::scrollTop(Element* el)
{
    return isViewRoot(el) ? m_layout.scrollPosition().y() : 0;
}

QRect Geometry::boundingClientRect(Element* el)
{
    const QRect r = pageRect(el);
    return r.isNull() ? r : r.translated(-m_layout.scrollPosition());
}

std::vector<QRect> Geometry::clientRects(Element* el)
{
    std::vector<QRect> rects;
    const LayoutBox* b = el ? m_layout.box(el) : nullptr;
    if (!b)
        return rects;
    const QPoint scroll = m_layout.scrollPosition();
    if (b->inlineLevel && !b->lineBoxes.empty()) {
        for (const QRect& r : b->lineBoxes)
            rects.push_back(r.translated(-scroll));
    } else {
        rects.push_back(b->borderBox.translated(-scroll));
    }
    return rects;
}

} // namespace engine
