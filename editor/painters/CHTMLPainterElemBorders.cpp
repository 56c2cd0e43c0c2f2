#include "editor/painters/CHTMLPainterElemBorders.h"

#include "app/CZQApp.h"
#include "app/CZQView.h"
#include "editor/painters/PainterColors.h"
#include "util/ColorText.h"
#include "util/PageDom.h"

#include "engine/dom/Document.h"
#include "engine/layout/Geometry.h"
#include "engine/view/PageView.h"

#include <QPainter>

CHTMLPainterElemBorders::CHTMLPainterElemBorders(CZQView* view) : m_pView(view) {}

std::vector<engine::Element*> CHTMLPainterElemBorders::OutlinedElements(engine::Document* document)
{
    std::vector<engine::Element*> elements;
    if (!document)
        return elements;
    const engine::ElementCollection embeds = document->embeds();
    for (int i = 0; i < embeds.length(); ++i)
        elements.push_back(embeds.item(i));
    // The colour as the page names it ("silver" reads back as #c0c0c0).
    if (document->bgColor().compare(QLatin1String("#C0C0C0"), Qt::CaseInsensitive) != 0 &&
        document->bgColor().compare(QLatin1String("SILVER"), Qt::CaseInsensitive) != 0)
        return elements;
    const engine::ElementCollection all = document->all();
    for (int i = 0; i < all.length(); ++i) {
        engine::Element* element = all.item(i);
        if (HasTextId(element) || element->hasTag(QLatin1String("MARQUEE")))
            elements.push_back(element);
    }
    return elements;
}

void CHTMLPainterElemBorders::DrawElementBorder(QPainter& painter, engine::Element* element, engine::Geometry& geometry,
                                                const QRect& bounds, const QRect& update, const QColor& color)
{
    // 1. The border box where the page is drawn. Differs from offsetLeft and
    // offsetTop: those are relative to a nested element's offset parent.
    const QRect page = geometry.pageRect(element);
    if (page.isNull())
        return;
    const QRect box = page.translated(bounds.topLeft());
    // 2. Only what the update touches.
    if (!update.adjusted(-1, -1, 1, 1).intersects(box))
        return;
    // 3. One pixel outside the box on every side.
    painter.save();
    QPen pen(color, 1);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(box.left() - 1, box.top() - 1, box.width() + 1, box.height() + 1));
    painter.restore();
}

void CHTMLPainterElemBorders::draw(QPainter& painter, const QRect& bounds, const QRect& update, int)
{
    CZQView* view = m_pView ? m_pView.data() : (CZQApp::instance() ? CZQApp::instance()->GetActiveView() : nullptr);
    engine::Document* document = view ? view->GetHtmlDocument() : nullptr;
    engine::PageView* page = view ? view->GetPageView() : nullptr;
    if (!document || !page)
        return;
    const QColor color = platform::toQColor(HtmlToColorRef(MakeContrastColor(0, 0, PageBackgroundColor(document))));
    engine::Geometry geometry(page->layout());
    for (const engine::Ref<engine::Element>& element : outlinedElementsOf(document))
        DrawElementBorder(painter, element.get(), geometry, bounds, update, color);
}

const std::vector<engine::Ref<engine::Element>>& CHTMLPainterElemBorders::outlinedElementsOf(engine::Document* document)
{
    if (document != m_outlinedOf || !document || document->version() != m_outlinedAt) {
        const std::vector<engine::Element*> elements = OutlinedElements(document);
        m_outlined.assign(elements.begin(), elements.end());
        m_outlinedOf = document;
        m_outlinedAt = document ? document->version() : 0;
    }
    return m_outlined;
}
