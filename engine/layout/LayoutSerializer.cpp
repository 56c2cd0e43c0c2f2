#include "engine/layout/LayoutSerializer.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/dom/HtmlTags.h"
#include "engine/layout/LayoutElements.h"

#include <algorithm>

namespace engine {

namespace layoutserializer_detail {

bool isValidAttributeName(const QString& name)
{
    if (name.isEmpty())
        return false;
    for (QChar c : name) {
        if (c.isSpace() || c == '"' || c == '\'' || c == '>' || c == '/' || c == '=' || c == '<' || c.unicode() < 0x20)
            return false;
    }
    return true;
}

void appendEscaped(QString& out, const QString& text, bool attribute)
{
    for (QChar c : text) {
        switch (c.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '"':
            if (attribute)
                out += QLatin1String("&quot;");
            else
                out += c;
            break;
        case 0:
            // The parser would drop it; a replacement character keeps the offsets.
            out += QChar(0xFFFD);
            break;
        default:
            out += c;
        }
    }
}

// Text that the parser keeps apart from markup: no markers can go inside.
bool isTextOnly(const QString& upperTag)
{
    return tags::isRawText(upperTag) || upperTag == QLatin1String("TEXTAREA") || upperTag == QLatin1String("TITLE") ||
           upperTag == QLatin1String("NOSCRIPT");
}

// The parser drops a newline right after these start tags.
bool dropsLeadingNewline(const QString& upperTag)
{
    return upperTag == QLatin1String("PRE") || upperTag == QLatin1String("LISTING") ||
           upperTag == QLatin1String("TEXTAREA");
}

} // namespace layoutserializer_detail

LayoutSerializer::Result LayoutSerializer::serialize(const Document& doc)
{
    LayoutSerializer writer(doc);
    while (!writer.advance(1 << 20)) {
    }
    return writer.takeResult();
}

LayoutSerializer::LayoutSerializer(const Document& doc) : m_doc(doc) {}

LayoutSerializer::~LayoutSerializer() = default;

namespace layoutserializer_detail {
// The end tag of an element being written (none for the document). The
// layout's HTML parser would move text that ends a form out of it, after
// the form: a comment before the end tag keeps it inside.
void writeEndTag(QString& out, const QString& tag)
{
    if (tag.isEmpty())
        return;
    if (tag == QLatin1String("FORM"))
        out += QLatin1String("<!---->");
    out += QLatin1String("</");
    out += tag;
    out += u'>';
}
} // namespace layoutserializer_detail

bool LayoutSerializer::isDone() const
{
    return m_started && m_stack.empty();
}

void LayoutSerializer::moveNodesInto(std::vector<Ref<Node>>& into)
{
    for (size_t i = into.size(); i < m_result.nodes.size(); ++i)
        into.push_back(std::move(m_result.nodes[i]));
}

bool LayoutSerializer::advance(int nodes)
{
    if (!m_started) {
        m_started = true;
        m_stack.push_back(Frame{&m_doc, QString()});
    }
    QString& out = m_result.html;
    while (!m_stack.empty() && nodes-- > 0) {
        if (m_pieceLength > 0 && out.size() >= m_pieceLength) {
            m_piecesLength += out.size();
            m_pieces.push_back(std::move(out));
            out = QString();
            out.reserve(m_pieceLength + m_pieceLength / 4);
        }
        Frame& f = m_stack.back();
        if (f.next >= f.node->childCount()) {
            layoutserializer_detail::writeEndTag(out, f.tag);
            m_stack.pop_back();
            continue;
        }
        const Node* child = f.node->child(f.next++);
        visit(child, f);
    }
    return m_stack.empty();
}

void LayoutSerializer::visit(const Node* node, const Frame& parent)
{
    using namespace layoutserializer_detail;
    QString& out = m_result.html;
    const auto addNode = [this](const Node* n) {
        m_result.nodes.emplace_back(const_cast<Node*>(n));
        return static_cast<int>(m_result.nodes.size()) - 1;
    };
    if (const Text* text = node->asText()) {
        if (parent.textOnly) {
            if (parent.escape)
                appendEscaped(out, text->data(), false);
            else
                out += text->data();
            return;
        }
        out += QStringLiteral("<!--#%1-->").arg(addNode(node));
        const qsizetype start = out.size();
        appendEscaped(out, text->data(), false);
        // (Positions in `out`: the pieces before it are m_piecesLength long.)
        const qsizetype firstPartEnd = m_firstPartLength - m_piecesLength;
        if (m_firstPartLength >= 0 && m_firstPart.isEmpty() && out.size() > firstPartEnd) {
            // A long text is cut where the first part ends, not inside a
            // reference or a surrogate pair.
            qsizetype cut = std::max(start, firstPartEnd);
            const qsizetype amp = out.lastIndexOf(u'&', cut - 1);
            if (amp >= start && amp > cut - 8 && out.indexOf(u';', amp) >= cut)
                cut = amp;
            if (cut > start && out.at(cut - 1).isHighSurrogate())
                --cut;
            takeFirstPart(m_piecesLength + cut, false);
        }
        return;
    }
    const Element* el = node->nodeType() == NodeType::Element ? node->asElement() : nullptr;
    // DOCTYPE and comments are not laid out.
    if (!el)
        return;
    const int depth = parent.tag.isEmpty() ? 0 : parent.depth + 1;
    const int tableDepth = parent.tableDepth + (parent.tag == QLatin1String("TABLE") ? 1 : 0);
    const QString tag = el->tagName().toUpper();
    if (!isValidAttributeName(tag) || !tag.at(0).isLetter())
        return;
    const bool isTable = tag == QLatin1String("TABLE");
    if (depth > kMaxDepth || (isTable && tableDepth >= kMaxTableDepth))
        return;
    if (m_firstPartLength >= 0 && m_firstPart.isEmpty()) {
        if (isTable && tableDepth >= m_firstPartTables)
            takeFirstPart(writtenLength(), true);
        else if (writtenLength() >= m_firstPartLength)
            takeFirstPart(writtenLength(), false);
    }
    const int id = addNode(el);
    out += u'<';
    out += tag;
    out += u' ';
    out += QLatin1String(kNodeIdAttribute);
    out += u'=';
    out += QString::number(id);
    for (int i = 0; i < el->attributeCount(); ++i) {
        const Attribute& a = el->attributeAt(i);
        if (!isValidAttributeName(a.name) ||
            a.name.compare(QLatin1String(kNodeIdAttribute), Qt::CaseInsensitive) == 0 ||
            a.name.compare(QLatin1String("style"), Qt::CaseInsensitive) == 0)
            continue;
        out += u' ';
        out += a.name;
        if (a.hasValue) {
            out += QLatin1String("=\"");
            appendEscaped(out, a.value, true);
            out += u'"';
        }
    }
    if (const Style* style = el->styleIfAny()) {
        const QString css = style->cssText();
        if (!css.isEmpty()) {
            out += QLatin1String(" style=\"");
            appendEscaped(out, css, true);
            out += u'"';
        }
    }
    out += u'>';
    if (tags::isVoid(tag))
        return;
    Frame frame{el, tag};
    frame.depth = depth;
    frame.tableDepth = tableDepth;
    frame.textOnly = isTextOnly(tag);
    frame.escape = frame.textOnly && !tags::isRawText(tag);
    if (dropsLeadingNewline(tag)) {
        const Node* first = el->firstChild();
        if (first && first->isText() && first->asText()->data().startsWith(u'\n'))
            out += u'\n';
    }
    m_stack.push_back(std::move(frame));
}

QString LayoutSerializer::closingTags() const
{
    QString tags;
    for (auto f = m_stack.rbegin(); f != m_stack.rend(); ++f)
        layoutserializer_detail::writeEndTag(tags, f->tag);
    return tags;
}

QString LayoutSerializer::partialHtml() const
{
    return join(partialPieces());
}

std::vector<QString> LayoutSerializer::partialPieces() const
{
    std::vector<QString> pieces = m_pieces;
    pieces.push_back(m_result.html);
    if (!isDone())
        pieces.push_back(closingTags());
    return pieces;
}

QString LayoutSerializer::join(const std::vector<QString>& pieces)
{
    if (pieces.size() == 1)
        return pieces.front();
    qsizetype length = 0;
    for (const QString& p : pieces)
        length += p.size();
    QString text;
    text.reserve(length);
    for (const QString& p : pieces)
        text += p;
    return text;
}

LayoutSerializer::Result LayoutSerializer::takeResult()
{
    if (!m_pieces.empty()) {
        m_pieces.push_back(std::move(m_result.html));
        m_result.html = join(m_pieces);
        m_pieces.clear();
        m_piecesLength = 0;
    }
    return std::move(m_result);
}

void LayoutSerializer::takeFirstPartAt(qsizetype length, int tables)
{
    m_firstPartLength = length;
    m_firstPartTables = tables;
}

void LayoutSerializer::takeFirstPart(qsizetype end, bool atTable)
{
    // (`end`: a position in the whole text written.)
    QString text;
    text.reserve(end + 256);
    for (const QString& p : m_pieces)
        text += QStringView(p).left(end - text.size());
    text += QStringView(m_result.html).left(end - text.size());
    m_firstPart = text + closingTags();
    m_firstPartAtTable = atTable;
}

bool LayoutSerializer::insideTable() const
{
    for (const Frame& f : m_stack)
        if (f.tag == QLatin1String("TABLE"))
            return true;
    return false;
}

} // namespace engine
