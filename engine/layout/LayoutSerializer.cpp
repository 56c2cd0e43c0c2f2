#include "engine/layout/LayoutSerializer.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/dom/HtmlTags.h"
#include "engine/layout/LayoutElements.h"

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

class Writer
{
public:
    explicit Writer(LayoutSerializer::Result& result) : m_result(result) {}

    void writeNode(const Node* node, int depth, int tableDepth, bool rawContext, bool escapeRaw)
    {
        switch (node->nodeType()) {
        case NodeType::Text: {
            const Text* text = node->asText();
            if (rawContext) {
                if (escapeRaw)
                    appendEscaped(m_out(), text->data(), false);
                else
                    m_out() += text->data();
                return;
            }
            const int id = addNode(node);
            m_out() += QStringLiteral("<!--#%1-->").arg(id);
            appendEscaped(m_out(), text->data(), false);
            return;
        }
        case NodeType::Element:
            writeElement(node->asElement(), depth, tableDepth);
            return;
        default:
            // DOCTYPE and comments are not laid out.
            return;
        }
    }

private:
    QString& m_out() { return m_result.html; }

    int addNode(const Node* node)
    {
        m_result.nodes.emplace_back(const_cast<Node*>(node));
        return static_cast<int>(m_result.nodes.size()) - 1;
    }

    void writeElement(const Element* el, int depth, int tableDepth)
    {
        const QString tag = el->tagName().toUpper();
        if (!isValidAttributeName(tag) || !tag.at(0).isLetter())
            return;
        const bool isTable = tag == QLatin1String("TABLE");
        if (depth > LayoutSerializer::kMaxDepth || (isTable && tableDepth >= LayoutSerializer::kMaxTableDepth))
            return;
        const int id = addNode(el);
        QString& out = m_out();
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
        const bool textOnly = isTextOnly(tag);
        const bool escape = textOnly && !tags::isRawText(tag);
        if (dropsLeadingNewline(tag)) {
            const Node* first = el->firstChild();
            if (first && first->isText() && first->asText()->data().startsWith(u'\n'))
                out += u'\n';
        }
        for (const Ref<Node>& child : el->childNodes())
            writeNode(child.get(), depth + 1, tableDepth + (isTable ? 1 : 0), textOnly, escape);
        out += QLatin1String("</");
        out += tag;
        out += u'>';
    }

    LayoutSerializer::Result& m_result;
};

} // namespace layoutserializer_detail

LayoutSerializer::Result LayoutSerializer::serialize(const Document& doc)
{
    Result result;
    layoutserializer_detail::Writer writer(result);
    for (const Ref<Node>& child : doc.childNodes())
        writer.writeNode(child.get(), 0, 0, false, false);
    return result;
}

} // namespace engine
