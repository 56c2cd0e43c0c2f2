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
#include <QTimer>

CHTMLPainterElemBorders::CHTMLPainterElemBorders(CZQView* view) : m_pView(view) {}

namespace elemborders_detail {

// Pages of up to this many nodes are walked at a paint (a few milliseconds);
// longer ones in steps.
constexpr int kWalkedAtOnce = 100000;
// (Short: its steps share the turns of the event loop with those of the
// page's layout and the load's completion.)
constexpr int kStepMilliseconds = 2;

// The colour as the page names it ("silver" reads back as #c0c0c0).
bool onSilver(engine::Document* document)
{
    return document->bgColor().compare(QLatin1String("#C0C0C0"), Qt::CaseInsensitive) == 0 ||
           document->bgColor().compare(QLatin1String("SILVER"), Qt::CaseInsensitive) == 0;
}

// The elements to outline met on a walk over a page.
struct Found
{
    bool silver = false;
    std::vector<engine::Ref<engine::Element>> embeds;
    std::vector<engine::Ref<engine::Element>> others; // on silver
};

// Walks the page from `from` (see VisitPageElements).
engine::Node* walk(engine::Document* document, engine::Node* from, Found& found, int budgetMs = -1)
{
    return VisitPageElements(document, from, budgetMs, [&found](engine::Element* element) {
        if (element->hasTag(QLatin1String("EMBED")))
            found.embeds.emplace_back(element);
        if (found.silver && !element->isComment() && (HasTextId(element) || element->hasTag(QLatin1String("MARQUEE"))))
            found.others.emplace_back(element);
    });
}

std::vector<engine::Ref<engine::Element>> outlined(Found&& found)
{
    std::vector<engine::Ref<engine::Element>> elements = std::move(found.embeds);
    elements.insert(elements.end(), found.others.begin(), found.others.end());
    return elements;
}

} // namespace elemborders_detail

std::vector<engine::Element*> CHTMLPainterElemBorders::OutlinedElements(engine::Document* document)
{
    using namespace elemborders_detail;
    std::vector<engine::Element*> elements;
    if (!document)
        return elements;
    Found found;
    found.silver = onSilver(document);
    walk(document, document->firstChild(), found);
    for (const engine::Ref<engine::Element>& element : outlined(std::move(found)))
        elements.push_back(element.get());
    return elements;
}

// The walk over a long page of a view, in steps on the event loop. It lives
// with the view; a page changed meanwhile is walked again, another page of
// the view or a painter gone ends it.
class CHTMLPainterElemBorders::Walk : public QObject
{
public:
    Walk(const std::shared_ptr<CHTMLPainterElemBorders>& painter, CZQView* view, engine::Document* document)
        : QObject(view), m_painter(painter), m_view(view), m_document(document)
    {
        restart();
        QTimer::singleShot(0, this, [this] { step(); });
    }
    const engine::Document* document() const { return m_document; }

private:
    void restart()
    {
        m_found = elemborders_detail::Found();
        m_found.silver = elemborders_detail::onSilver(m_document);
        m_version = m_document->version();
        m_next = m_document->firstChild();
    }
    void step()
    {
        const std::shared_ptr<CHTMLPainterElemBorders> painter = m_painter.lock();
        if (!painter || m_view->GetHtmlDocument() != m_document) {
            if (painter)
                painter->m_walk = nullptr;
            deleteLater();
            return;
        }
        // (The node to go on from is in the page while it has not changed.)
        if (m_document->version() != m_version)
            restart();
        m_next = elemborders_detail::walk(m_document, m_next, m_found, elemborders_detail::kStepMilliseconds);
        if (m_next) {
            QTimer::singleShot(0, this, [this] { step(); });
            return;
        }
        painter->m_walk = nullptr;
        deleteLater();
        std::vector<engine::Ref<engine::Element>> elements = elemborders_detail::outlined(std::move(m_found));
        const bool same = painter->m_outlinedOf == m_document && elements == painter->m_outlined;
        painter->m_outlined = std::move(elements);
        painter->m_outlinedOf = m_document;
        painter->m_outlinedAt = m_version;
        if (!same)
            painter->InvalidatePainter();
    }

    std::weak_ptr<CHTMLPainterElemBorders> m_painter;
    CZQView* m_view;
    engine::Document* m_document;
    quint64 m_version = 0;
    engine::Node* m_next = nullptr;
    elemborders_detail::Found m_found;
};

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
    for (const engine::Ref<engine::Element>& element : outlinedElementsOf(document, view))
        DrawElementBorder(painter, element.get(), geometry, bounds, update, color);
}

const std::vector<engine::Ref<engine::Element>>& CHTMLPainterElemBorders::outlinedElementsOf(engine::Document* document,
                                                                                             CZQView* view)
{
    if (document == m_outlinedOf && document && document->version() == m_outlinedAt)
        return m_outlined;
    // (Held by a shared pointer, as an attached painter is: the walk must
    // know whether it is still there.)
    const auto self = std::static_pointer_cast<CHTMLPainterElemBorders>(weak_from_this().lock());
    if (self && document && view && view->GetHtmlDocument() == document &&
        document->nodeCount() > elemborders_detail::kWalkedAtOnce) {
        if (document != m_outlinedOf) {
            m_outlined.clear();
            m_outlinedOf = document;
            m_outlinedAt = 0;
        }
        if (m_walk && static_cast<Walk*>(m_walk.data())->document() != document)
            delete m_walk.data();
        if (!m_walk)
            m_walk = new Walk(self, view, document);
        return m_outlined;
    }
    const std::vector<engine::Element*> elements = OutlinedElements(document);
    m_outlined.assign(elements.begin(), elements.end());
    m_outlinedOf = document;
    m_outlinedAt = document ? document->version() : 0;
    return m_outlined;
}
