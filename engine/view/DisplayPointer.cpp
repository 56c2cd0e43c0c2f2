#include "engine/view/DisplayPointer.h"

#include "engine/dom/Element.h"
#include "engine/dom/Text.h"
#include "engine/layout/HitTester.h"
#include "engine/markup/MarkupPointer.h"
#include "engine/view/PageView.h"

namespace engine {

namespace displaypointer_detail {

bool isOpenElement(const Node* n)
{
    return n && n->isElement() && !n->asElement()->isVoid();
}

} // namespace displaypointer_detail

bool DisplayPointer::moveToPoint(QPoint client)
{
    const QPoint page = client + m_view.scrollPosition();
    // An empty cell or block under the point takes the place itself.
    Element* hit = HitTester(m_view.layout()).elementAtPagePoint(page);
    if (hit && hit->childCount() == 0 && !hit->isVoid() && !hit->hasTag(QLatin1String("BODY"))) {
        m_node = hit;
        m_offset = 0;
    } else {
        const TextPosition pos = TextGeometry(m_view.layout()).positionAtPoint(page);
        if (pos.isNull())
            return false;
        m_node = pos.node;
        m_offset = pos.offset;
    }
    m_x = page.x();
    return true;
}

bool DisplayPointer::moveToMarkupPointer(const MarkupPointer& pointer)
{
    using displaypointer_detail::isOpenElement;
    Node* node = pointer.container();
    int offset = pointer.offset();
    if (!node || !node->isConnected())
        return false;
    if (!node->isText()) {
        // Into the text that starts or ends at the place, through the
        // elements that begin or end there (a B at the start of a cell).
        Node* after = node->child(offset);
        while (isOpenElement(after) && after->firstChild())
            after = after->firstChild();
        Node* before = offset > 0 ? node->child(offset - 1) : nullptr;
        while (isOpenElement(before) && before->lastChild())
            before = before->lastChild();
        if (after && after->isText()) {
            node = after;
            offset = 0;
        } else if (before && before->isText()) {
            node = before;
            offset = before->asText()->length();
        }
    }
    m_node = node;
    m_offset = offset;
    const QRect caret = TextGeometry(m_view.layout()).caretRectAt(node, offset);
    m_x = caret.isNull() ? 0 : caret.left();
    return true;
}

bool DisplayPointer::positionMarkupPointer(MarkupPointer& pointer) const
{
    if (!m_node || !m_node->isConnected())
        return false;
    pointer.moveTo(m_node.get(), m_offset);
    return true;
}

std::optional<LineInfo> DisplayPointer::lineInfo() const
{
    if (!m_node)
        return std::nullopt;
    TextGeometry text(m_view.layout());
    std::optional<LineInfo> info = text.lineInfoAt(m_node.get(), m_offset);
    const QRect caret = info || m_node->isText() ? QRect() : text.caretRectAt(m_node.get(), m_offset);
    if (!caret.isNull()) {
        // Neither text nor an empty line: a line of the caret's height at the caret.
        info = LineInfo();
        info->x = caret.left();
        info->top = caret.top();
        info->height = caret.height();
        info->descent = caret.height() / 5;
        info->baseline = caret.top() + caret.height() - info->descent;
    }
    if (info) {
        const QPoint scroll = m_view.scrollPosition();
        info->x -= scroll.x();
        info->top -= scroll.y();
        info->baseline -= scroll.y();
    }
    return info;
}

QRect DisplayPointer::caretRect() const
{
    if (!m_node)
        return QRect();
    const QRect caret = TextGeometry(m_view.layout()).caretRectAt(m_node.get(), m_offset);
    return caret.isNull() ? caret : caret.translated(-m_view.scrollPosition());
}

bool DisplayPointer::moveToLine(int direction)
{
    if (!m_node)
        return false;
    TextGeometry text(m_view.layout());
    const TextPosition pos = text.moveLineAt(m_node.get(), m_offset, direction, m_x);
    if (pos.isNull())
        return false;
    m_node = pos.node;
    m_offset = pos.offset;
    return true;
}

} // namespace engine
