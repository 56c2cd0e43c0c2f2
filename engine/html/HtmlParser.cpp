#include "engine/html/HtmlParser.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/dom/HtmlTags.h"

#include <gumbo.h>

#include <cctype>
#include <cstring>
#include <memory>
#include <vector>

namespace engine {

// Builds our nodes from gumbo's tree (a friend of the node classes: new
// trees are built without undo records or notifications).
class TreeBuilder
{
public:
    explicit TreeBuilder(Document* doc) : m_doc(doc) {}

    // Converts the children of `from` and appends them to `to`.
    void convertChildren(const GumboNode* from, Node* to, int depth);
    // Converts the children of `from` into a list of parentless nodes.
    std::vector<Ref<Node>> convertChildrenToList(const GumboNode* from);
    static void append(Node* parent, const Ref<Node>& child) { parent->appendBuilt(child); }

private:
    Ref<Node> convertOne(const GumboNode* n);
    Document* m_doc;
};

namespace parser_detail {

QString tagNameOf(const GumboElement& el)
{
    if (el.tag != GUMBO_TAG_UNKNOWN) {
        // Filled once, before any use, so pages may be parsed on several threads.
        static const std::vector<QString> names = [] {
            std::vector<QString> all(GUMBO_TAG_LAST + 1);
            for (int t = 0; t < GUMBO_TAG_LAST; ++t)
                all[size_t(t)] = tags::intern(QString::fromLatin1(gumbo_normalized_tagname(GumboTag(t))).toUpper());
            return all;
        }();
        return names[size_t(el.tag)];
    }
    // The name as the tag wrote it: after "<" up to a space, "/" or ">".
    const char* p = el.original_tag.data;
    const char* end = p ? p + el.original_tag.length : nullptr;
    if (p && p < end && *p == '<')
        ++p;
    while (p && p < end && *p == '/')
        ++p;
    const char* start = p;
    while (p && p < end && !std::isspace(uchar(*p)) && *p != '/' && *p != '>')
        ++p;
    QString name = start ? QString::fromUtf8(start, qsizetype(p - start)).toUpper() : QString();
    name.replace(QChar(0), QChar(0xFFFD));
    if (name.isEmpty())
        return QString();
    return tags::intern(name);
}

const GumboNode* findElement(const GumboNode* root, GumboTag tag)
{
    // Breadth-limited search: the wrappers sit within a few levels.
    std::vector<const GumboNode*> queue{root};
    for (size_t i = 0; i < queue.size() && i < 64; ++i) {
        const GumboNode* n = queue[i];
        if (n->type == GUMBO_NODE_ELEMENT && n->v.element.tag == tag)
            return n;
        const GumboVector* kids = n->type == GUMBO_NODE_DOCUMENT  ? &n->v.document.children
                                  : n->type == GUMBO_NODE_ELEMENT ? &n->v.element.children
                                                                  : nullptr;
        if (kids)
            for (unsigned k = 0; k < kids->length; ++k)
                queue.push_back(static_cast<const GumboNode*>(kids->data[k]));
    }
    return nullptr;
}

// Gumbo's allocations come from large blocks that are dropped at once:
// its tree lives only while we convert it.
class GumboArena
{
public:
    static void* allocate(void* self, size_t size) { return static_cast<GumboArena*>(self)->take(size); }
    static void release(void*, void*) {}

private:
    void* take(size_t size)
    {
        size = (size + 15) & ~size_t(15);
        if (m_blocks.empty() || m_used + size > m_capacity) {
            m_capacity = qMax(size, size_t(1) << 20);
            m_blocks.emplace_back(new char[m_capacity]);
            m_used = 0;
        }
        void* p = m_blocks.back().get() + m_used;
        m_used += size;
        return p;
    }
    std::vector<std::unique_ptr<char[]>> m_blocks;
    size_t m_used = 0;
    size_t m_capacity = 0;
};

struct Parsed
{
    GumboArena arena;
    GumboOutput* out = nullptr;
    QByteArray bytes;
};

void parse(Parsed& p, const QString& html)
{
    p.bytes = html.toUtf8();
    if (p.bytes.size() > HtmlParser::kMaxInputBytes)
        p.bytes.truncate(HtmlParser::kMaxInputBytes);
    p.bytes = HtmlParser::boundNesting(p.bytes);
    GumboOptions options = kGumboDefaultOptions;
    options.max_errors = 16;
    options.allocator = &GumboArena::allocate;
    options.deallocator = &GumboArena::release;
    options.userdata = &p.arena;
    p.out = gumbo_parse_with_options(&options, p.bytes.constData(), size_t(p.bytes.size()));
}

bool isOneOfLower(const char* s, size_t len, std::initializer_list<const char*> names)
{
    for (const char* n : names)
        if (std::strlen(n) == len && qstrnicmp(s, n, uint(len)) == 0)
            return true;
    return false;
}

} // namespace parser_detail

Ref<Node> TreeBuilder::convertOne(const GumboNode* n)
{
    switch (n->type) {
    case GUMBO_NODE_TEXT:
    case GUMBO_NODE_WHITESPACE:
    case GUMBO_NODE_CDATA:
        return Ref<Node>(new Text(m_doc, tags::internShort(QString::fromUtf8(n->v.text.text))));
    case GUMBO_NODE_COMMENT:
        return Comment::create(m_doc, QString::fromUtf8(n->v.text.text));
    case GUMBO_NODE_ELEMENT:
    case GUMBO_NODE_TEMPLATE: {
        const GumboElement& ge = n->v.element;
        const QString tag = parser_detail::tagNameOf(ge);
        if (tag.isEmpty())
            return nullptr;
        Ref<Element> el = Element::createWithInternedName(m_doc, tag);
        el->m_attrs.reserve(ge.attributes.length);
        for (unsigned i = 0; i < ge.attributes.length; ++i) {
            const auto* a = static_cast<const GumboAttribute*>(ge.attributes.data[i]);
            Attribute attr;
            // The name as written, unless the parser had to change it
            // (characters it replaced, such as NUL).
            const QString normalized = QString::fromUtf8(a->name);
            attr.name = a->original_name.length
                            ? QString::fromUtf8(a->original_name.data, qsizetype(a->original_name.length))
                            : normalized;
            if (attr.name.compare(normalized, Qt::CaseInsensitive) != 0)
                attr.name = normalized;
            attr.name = tags::internShort(attr.name);
            attr.value = tags::internShort(QString::fromUtf8(a->value));
            attr.hasValue = a->original_value.length > 0 && a->original_value.data != a->original_name.data;
            if (el->attributeIndex(attr.name) >= 0)
                continue;
            if (attr.name.compare(QLatin1String("style"), Qt::CaseInsensitive) == 0) {
                el->style().m_decls = Style::parse(attr.value);
                attr.value.clear();
                attr.hasValue = true;
            }
            el->m_attrs.push_back(std::move(attr));
        }
        return el;
    }
    default:
        return nullptr;
    }
}

void TreeBuilder::convertChildren(const GumboNode* from, Node* to, int depth)
{
    // Iterative walk: (gumbo node, our parent, depth).
    struct Item
    {
        const GumboNode* g;
        Node* parent;
        int depth;
    };
    std::vector<Item> stack;
    auto pushChildren = [&stack](const GumboNode* g, Node* parent, int d) {
        const GumboVector& kids = g->type == GUMBO_NODE_DOCUMENT ? g->v.document.children : g->v.element.children;
        for (unsigned i = kids.length; i-- > 0;)
            stack.push_back({static_cast<const GumboNode*>(kids.data[i]), parent, d});
    };
    pushChildren(from, to, depth);
    while (!stack.empty()) {
        Item it = stack.back();
        stack.pop_back();
        Ref<Node> node = convertOne(it.g);
        if (!node) {
            // An element without a usable name: its content takes its place.
            if (it.g->type == GUMBO_NODE_ELEMENT || it.g->type == GUMBO_NODE_TEMPLATE)
                pushChildren(it.g, it.parent, it.depth);
            continue;
        }
        append(it.parent, node);
        if (it.g->type == GUMBO_NODE_ELEMENT || it.g->type == GUMBO_NODE_TEMPLATE) {
            const bool deeper = it.depth < HtmlParser::kMaxDepth;
            pushChildren(it.g, deeper ? node.get() : it.parent, deeper ? it.depth + 1 : it.depth);
        }
    }
}

std::vector<Ref<Node>> TreeBuilder::convertChildrenToList(const GumboNode* from)
{
    Ref<Element> holder = Element::create(m_doc, QStringLiteral("DIV"));
    convertChildren(from, holder.get(), 1);
    std::vector<Ref<Node>> out(holder->childNodes().begin(), holder->childNodes().end());
    for (auto& n : out) {
        n->m_parent = nullptr;
        n->m_index = -1;
    }
    holder->m_children.clear();
    return out;
}

QString HtmlParser::splitDoctype(const QString& html, int* restStart)
{
    *restStart = 0;
    int i = 0;
    auto skipSpace = [&html, &i]() {
        while (i < html.size() && (html[i].isSpace() || html[i] == QChar(0xFEFF)))
            ++i;
    };
    skipSpace();
    // An XML declaration or comments may come before the DOCTYPE; they are
    // kept with it, so that the page is written back as it was.
    const int first = i;
    for (;;) {
        int end = -1;
        if (html.mid(i, 4) == QLatin1String("<!--"))
            end = html.indexOf(QLatin1String("-->"), i + 4) + 2;
        else if (html.mid(i, 2) == QLatin1String("<?"))
            end = html.indexOf(u'>', i + 2);
        else
            break;
        if (end < i)
            return QString();
        i = end + 1;
        skipSpace();
    }
    if (html.mid(i, 9).compare(QLatin1String("<!DOCTYPE"), Qt::CaseInsensitive) != 0)
        return QString();
    const int end = html.indexOf(u'>', i);
    if (end < 0)
        return QString();
    *restStart = end + 1;
    return html.mid(first, end + 1 - first);
}

void HtmlParser::parseDocumentInto(Document* doc, const QString& html)
{
    int rest = 0;
    const QString doctype = splitDoctype(html, &rest);
    parser_detail::Parsed p;
    parser_detail::parse(p, rest ? html.mid(rest) : html);
    TreeBuilder builder(doc);
    if (!doctype.isEmpty())
        doc->insertChildAt(0, DocumentType::create(doc, doctype));
    // The tree is built detached, then put in with one change.
    std::vector<Ref<Node>> nodes = builder.convertChildrenToList(p.out->document);
    for (auto& n : nodes)
        doc->insertChildAt(doc->childCount(), n);
}

Ref<Element> HtmlParser::parseHtmlElement(Document* doc, const QString& html)
{
    parser_detail::Parsed p;
    parser_detail::parse(p, html);
    TreeBuilder builder(doc);
    for (auto& n : builder.convertChildrenToList(p.out->document))
        if (Element* e = n->asElement(); e && !e->isComment())
            return e;
    return nullptr;
}

std::vector<Ref<Node>> HtmlParser::parseFragment(Document* doc, const QString& html, const QString& context)
{
    const QString ctx = context.toUpper();
    if (tags::isRawText(ctx) || ctx == QLatin1String("TEXTAREA") || ctx == QLatin1String("TITLE")) {
        if (html.isEmpty())
            return {};
        return {Text::create(doc, html)};
    }
    QString prefix = QStringLiteral("<html><body>");
    GumboTag holderTag = GUMBO_TAG_BODY;
    if (ctx == QLatin1String("TABLE")) {
        prefix += QLatin1String("<table>");
        holderTag = GUMBO_TAG_TABLE;
    } else if (ctx == QLatin1String("TBODY") || ctx == QLatin1String("THEAD") || ctx == QLatin1String("TFOOT")) {
        prefix += QLatin1String("<table><tbody>");
        holderTag = GUMBO_TAG_TBODY;
    } else if (ctx == QLatin1String("TR")) {
        prefix += QLatin1String("<table><tbody><tr>");
        holderTag = GUMBO_TAG_TR;
    } else if (ctx == QLatin1String("SELECT")) {
        prefix += QLatin1String("<select>");
        holderTag = GUMBO_TAG_SELECT;
    } else if (ctx == QLatin1String("HEAD") || ctx == QLatin1String("HTML")) {
        prefix = QStringLiteral("<html><head>");
        holderTag = GUMBO_TAG_HEAD;
    }
    parser_detail::Parsed p;
    parser_detail::parse(p, prefix + html);
    const GumboNode* holder = parser_detail::findElement(p.out->document, holderTag);
    if (!holder)
        return {};
    TreeBuilder builder(doc);
    return builder.convertChildrenToList(holder);
}

QByteArray HtmlParser::boundNesting(const QByteArray& in)
{
    using parser_detail::isOneOfLower;
    const char* s = in.constData();
    const qsizetype n = in.size();
    QByteArray out;
    int depth = 0;
    qsizetype copied = 0;
    bool dropped = false;
    for (qsizetype i = 0; i < n; ++i) {
        if (s[i] != '<' || i + 1 >= n)
            continue;
        const char c = s[i + 1];
        if (c == '!') {
            if (i + 3 < n && s[i + 2] == '-' && s[i + 3] == '-') {
                const QByteArray end("-->");
                const qsizetype e = in.indexOf(end, i + 4);
                i = e < 0 ? n : e + 2;
            }
            continue;
        }
        const bool closing = c == '/';
        qsizetype p = i + (closing ? 2 : 1);
        const qsizetype nameStart = p;
        while (p < n && (std::isalnum(uchar(s[p])) || s[p] == '-' || s[p] == ':'))
            ++p;
        const size_t nameLen = size_t(p - nameStart);
        if (nameLen == 0 || !std::isalpha(uchar(s[nameStart])))
            continue;
        qsizetype gt = p;
        char quote = 0;
        while (gt < n && (quote || s[gt] != '>')) {
            if (quote && s[gt] == quote)
                quote = 0;
            else if (!quote && (s[gt] == '"' || s[gt] == '\''))
                quote = s[gt];
            ++gt;
        }
        const char* name = s + nameStart;
        if (closing) {
            if (!isOneOfLower(
                    name, nameLen,
                    {"p", "li", "dt", "dd", "option", "td", "th", "tr", "tbody", "thead", "tfoot", "colgroup"}))
                depth = qMax(0, depth - 1);
            i = gt;
            continue;
        }
        const bool selfClosed = gt > 0 && gt < n && s[gt - 1] == '/';
        if (isOneOfLower(name, nameLen,
                         {"script", "style", "textarea", "xmp", "title", "plaintext", "noembed", "noframes", "iframe",
                          "noscript"})) {
            // Skip the raw content up to the matching end tag.
            const QByteArray endTag = "</" + QByteArray(name, qsizetype(nameLen));
            qsizetype f = gt;
            while (f < n) {
                if (s[f] == '<' && f + endTag.size() <= n &&
                    qstrnicmp(s + f, endTag.constData(), uint(endTag.size())) == 0)
                    break;
                ++f;
            }
            i = f - 1;
            continue;
        }
        if (selfClosed ||
            isOneOfLower(name, nameLen,
                         {"area",  "base",  "basefont", "bgsound", "br",       "col",  "embed",  "frame",  "hr",
                          "img",   "input", "isindex",  "keygen",  "link",     "meta", "param",  "source", "spacer",
                          "track", "wbr",   "p",        "li",      "dt",       "dd",   "option", "td",     "th",
                          "tr",    "tbody", "thead",    "tfoot",   "colgroup", "html", "head",   "body"})) {
            i = gt;
            continue;
        }
        if (++depth > kMaxDepth) {
            --depth;
            if (!dropped)
                out.reserve(n);
            dropped = true;
            out.append(s + copied, i - copied);
            copied = gt < n ? gt + 1 : n;
        }
        i = gt;
    }
    if (!dropped)
        return in;
    out.append(s + copied, n - copied);
    return out;
}

} // namespace engine
