#include "engine/view/DisplayPointer.h"

#include "engine/dom/Text.h"
#include "engine/markup/MarkupPointer.h"
#include "engine/view/PageView.h"

namespace engine {

bool DisplayPointer::moveToPoint(QPoint client)
{
    const QPoint page = client + m_view.scrollPosition();
    const TextPosition pos = TextGeometry(m_view.layout()).positionAtPoint(page);
    if (pos.isNull())
        return false;
    m_text = pos.node;
    m_offset = pos.offset;
    m_x = page.x();
    return true;
}

bool DisplayPointer::moveToMarkupPointer(const MarkupPointer& pointer)
{
    Node* node = pointer.container();
    int offset = pointer.offset();
    if (!node)
        return false;
    if (!node->isText()) {
        // A place between nodes: the text after it, else the text before it.
        if (Node* after = node->child(offset); after && after->isText()) {
            node = after;
            offset = 0;
        } else if (Node* before = node->child(offset - 1); before && before->isText()) {
            node = before;
            offset = before->asText()->length();
        } else {
            return false;
        }
    }
    m_text = node->asText();
    m_offset = offset;
    const QRect caret = TextGeometry(m_view.layout()).caretRect(m_text.get(), m_offset);
    m_x = caret.isNull() ? 0 : caret.left();
    return true;
}

bool DisplayPointer::positionMarkupPointer(MarkupPointer& pointer) const
{
    if (!m_text || !m_text->isConnected())
        return false;
    pointer.moveTo(m_text.get(), m_offset);
    return true;
}

std::optional<LineInfo> DisplayPointer::lineInfo() const
{
    if (!m_text)
        return std::nullopt;
    std::optional<LineInfo> info = TextGeometry(m_view.layout()).lineInfo(m_text.get(), m_offset);
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
    if (!m_text)
        return QRect();
    const QRect caret = TextGeometry(m_view.layout()).caretRect(m_text.get(), m_offset);
    return caret.isNull() ? caret : caret.translated(-m_view.scrollPosition());
}

bool DisplayPointer::moveToLine(int direction)
{
    if (!m_text)
        return false;
    const TextPosition pos = TextGeometry(m_view.layout()).moveLine(m_text.get(), m_offset, direction, m_x);
    if (pos.isNull())
        return false;
    m_text = pos.node;
    m_offset = pos.offset;
    return true;
}

} // namespace engine
