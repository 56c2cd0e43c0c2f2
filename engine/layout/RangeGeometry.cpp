#include "engine/layout/RangeGeometry.h"

#include "engine/dom/Document.h"
#include "engine/editing/TextRange.h"
#include "engine/layout/DocumentLayout.h"
#include "engine/layout/HitTester.h"
#include "engine/layout/TextGeometry.h"

namespace engine {

std::vector<QRect> RangeGeometry::coveredRects(const LivePosition& start, const LivePosition& end, bool withBoxes)
{
    std::vector<QRect> rects;
    Node* startNode = start.node();
    Node* endNode = end.node();
    if (!startNode || !endNode || LivePosition::compare(startNode, start.offset(), endNode, end.offset()) >= 0)
        return rects;
    // From the first node inside the range to the last.
    Node* first = startNode->isText() ? startNode : startNode->child(start.offset());
    if (!first)
        first = startNode->nextSkippingChildren();
    for (Node* n = first; n; n = n->nextInTree()) {
        if (LivePosition::compare(n, 0, endNode, end.offset()) >= 0 && n != startNode)
            break;
        if (n->isText()) {
            const Text* t = n->asText();
            const int from = n == startNode ? start.offset() : 0;
            const int to = n == endNode ? end.offset() : t->length();
            for (const QRect& r : m_text.rangeRects(t, from, t, to))
                rects.push_back(r);
        } else if (const QRect line = m_text.emptyLineHighlight(n); !line.isNull()) {
            rects.push_back(line);
        } else if (withBoxes && !n->isComment() && n->isElement() && n->childCount() == 0) {
            // Images, objects and other boxes without content.
            if (const LayoutBox* b = m_layout.box(n->asElement()); b && !b->inlineLevel && !b->borderBox.isEmpty())
                rects.push_back(b->borderBox);
        }
    }
    return rects;
}

std::vector<QRect> RangeGeometry::pageRects(const TextRange& range)
{
    if (range.isCollapsed()) {
        // Where the caret would stand.
        std::vector<QRect> rects;
        if (Node* node = range.start().node()) {
            const QRect caret = m_text.caretRectAt(node, range.start().offset());
            if (!caret.isNull())
                rects.push_back(caret);
        }
        return rects;
    }
    return coveredRects(range.start(), range.end(), true);
}

std::vector<QRect> RangeGeometry::highlightRects(const LivePosition& start, const LivePosition& end)
{
    return coveredRects(start, end, false);
}

std::vector<QRect> RangeGeometry::clientRects(const TextRange& range)
{
    std::vector<QRect> rects = pageRects(range);
    const QPoint scroll = m_layout.scrollPosition();
    for (QRect& r : rects)
        r.translate(-scroll);
    return rects;
}

QRect RangeGeometry::rangePageRect(const TextRange& range)
{
    QRect united;
    for (const QRect& r : pageRects(range))
        united = united.isNull() ? r : united.united(r);
    return united;
}

QRect RangeGeometry::boundingClientRect(const TextRange& range)
{
    const QRect r = rangePageRect(range);
    return r.isNull() ? r : r.translated(-m_layout.scrollPosition());
}

bool RangeGeometry::moveToPoint(TextRange& range, QPoint client)
{
    const QPoint page = client + m_layout.scrollPosition();
    const TextPosition pos = m_text.positionAtPoint(page);
    Element* hit = HitTester(m_layout).elementAtPagePoint(page);
    // An empty cell or block under the point takes the caret itself.
    if (hit && hit->childCount() == 0 && !hit->isVoid() && !hit->hasTag(QLatin1String("BODY"))) {
        range.setRange(hit, 0, hit, 0);
        return true;
    }
    if (pos.isNull())
        return false;
    range.setRange(pos.node, pos.offset, pos.node, pos.offset);
    return true;
}

} // namespace engine
