#include "engine/layout/TypedWords.h"

#include <algorithm>
#include <cstring>

namespace engine {

TypedWords::TypedWords(int textNodeId, const std::shared_ptr<litehtml::element>& marker, size_t markerAt,
                       const litehtml::elements_vector& children, std::string bytes, QString text,
                       const std::vector<size_t>& lengths)
    : m_textNodeId(textNodeId), m_marker(marker), m_markerAt(markerAt), m_children(children.size()),
      m_bytes(std::move(bytes)), m_text(std::move(text))
{
    m_ends.reserve(lengths.size());
    size_t end = 0;
    for (const size_t length : lengths)
        m_ends.push_back(end += length);
}

bool TypedWords::holds(int textNodeId, const litehtml::element& marker, const litehtml::elements_vector& children,
                       const QString& text) const
{
    if (textNodeId != m_textNodeId || children.size() != m_children || m_markerAt >= children.size() ||
        children[m_markerAt].get() != &marker || m_marker.lock().get() != &marker)
        return false;
    // (The words end where something else than a word stands.)
    const size_t after = m_markerAt + 1 + m_ends.size();
    if (after > children.size() ||
        (after < children.size() && children[after]->get_display() == litehtml::display_inline_text &&
         !children[after]->is_comment()))
        return false;
    return text == m_text;
}

size_t TypedWords::firstFrom(size_t at) const
{
    if (at == 0)
        return 0;
    const auto found = std::lower_bound(m_ends.begin(), m_ends.end(), at);
    return found == m_ends.end() ? m_ends.size() : static_cast<size_t>(found - m_ends.begin()) + 1;
}

void TypedWords::replace(size_t from, size_t to, const std::vector<size_t>& lengths, std::string bytes, QString text,
                         size_t children)
{
    const size_t start = startOf(from);
    const size_t had = startOf(to) - start;
    size_t now = 0;
    std::vector<size_t> ends;
    ends.reserve(lengths.size());
    for (const size_t length : lengths)
        ends.push_back(start + (now += length));
    const auto tail = m_ends.erase(m_ends.begin() + static_cast<std::ptrdiff_t>(from),
                                   m_ends.begin() + static_cast<std::ptrdiff_t>(to));
    const auto moved = m_ends.insert(tail, ends.begin(), ends.end()) + static_cast<std::ptrdiff_t>(ends.size());
    if (now != had) {
        for (auto e = moved; e != m_ends.end(); ++e)
            *e = *e + now - had;
    }
    m_bytes = std::move(bytes);
    m_text = std::move(text);
    m_children = children;
}

TypedWords::Change TypedWords::changeBetween(std::string_view before, std::string_view after)
{
    const size_t shorter = std::min(before.size(), after.size());
    // (Compared by blocks first: a long text is mostly as it was.)
    constexpr size_t kBlock = 256;
    const char* a = before.data();
    const char* b = after.data();
    size_t prefix = 0;
    while (prefix + kBlock <= shorter && std::memcmp(a + prefix, b + prefix, kBlock) == 0)
        prefix += kBlock;
    while (prefix < shorter && a[prefix] == b[prefix])
        ++prefix;
    const char* aEnd = a + before.size();
    const char* bEnd = b + after.size();
    size_t suffix = 0;
    while (suffix + kBlock <= shorter - prefix &&
           std::memcmp(aEnd - suffix - kBlock, bEnd - suffix - kBlock, kBlock) == 0)
        suffix += kBlock;
    while (suffix < shorter - prefix &&
           aEnd[-1 - static_cast<std::ptrdiff_t>(suffix)] == bEnd[-1 - static_cast<std::ptrdiff_t>(suffix)])
        ++suffix;
    Change c{prefix, before.size() - suffix, after.size() - suffix};
    const auto isSpace = [](char ch) { return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\f'; };
    while (c.from > 0 && !isSpace(before[c.from - 1]))
        --c.from;
    for (; c.to < before.size() && !isSpace(before[c.to]); ++c.to)
        ++c.toAfter;
    return c;
}

} // namespace engine
