#include "engine/layout/LayoutSerializer.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/dom/HtmlTags.h"
#include "engine/dom/Text.h"
#include "engine/layout/LayoutElements.h"
#include "engine/layout/PageContainer.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <charconv>
#include <iterator>
#include <utility>

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

void appendEscaped(QString& out, QStringView text, bool attribute)
{
    // Runs of plain characters are copied whole: a text of megabytes (a
    // long line) is written in a few milliseconds, not a character at a time.
    const QChar* const data = text.constData();
    const qsizetype n = text.size();
    // (Room for a long text at once: grown as it is copied, it would be
    // copied again at each growth.)
    if (n > 64 * 1024)
        out.reserve(out.size() + n + n / 16);
    qsizetype run = 0;
    for (qsizetype i = 0; i < n; ++i) {
        // (Letters and most other characters come after '>': one look.)
        const char16_t c = data[i].unicode();
        if (c > u'>' || (c != u'&' && c != u'<' && c != u'>' && c != 0 && (c != u'"' || !attribute)))
            continue;
        out.append(data + run, i - run);
        run = i + 1;
        switch (c) {
        case u'&':
            out += QLatin1String("&amp;");
            break;
        case u'<':
            out += QLatin1String("&lt;");
            break;
        case u'>':
            out += QLatin1String("&gt;");
            break;
        case u'"':
            out += QLatin1String("&quot;");
            break;
        default:
            // The parser would drop a NUL; a replacement character keeps the offsets.
            out += QChar(0xFFFD);
        }
    }
    out.append(data + run, n - run);
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

// A node id (written for every node of a long page: without a string of
// its own).
void appendNumber(QString& out, int number)
{
    char digits[12];
    const auto written = std::to_chars(std::begin(digits), std::end(digits), number);
    out += QLatin1String(digits, written.ptr - digits);
}

// The start tag of an element as the layout reads it: its node id first,
// its attributes, its inline style.
void writeStartTag(QString& out, const Element& el, const QString& tag, int id, const QString& css)
{
    out += u'<';
    out += tag;
    out += u' ';
    out += QLatin1String(kNodeIdAttribute);
    out += u'=';
    appendNumber(out, id);
    for (int i = 0; i < el.attributeCount(); ++i) {
        const Attribute& a = el.attributeAt(i);
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
    if (!css.isEmpty()) {
        out += QLatin1String(" style=\"");
        appendEscaped(out, css, true);
        out += u'"';
    }
    out += u'>';
}

// Elements a page may be cut inside for reading in parts: blocks whose
// content the layout library reads the same whatever came before it.
bool canBeCutInside(const QString& upperTag)
{
    static const QSet<QString> tags = {"HTML",    "BODY", "DIV",   "CENTER", "BLOCKQUOTE", "SECTION",
                                       "ARTICLE", "MAIN", "ASIDE", "HEADER", "FOOTER",     "NAV"};
    return tags.contains(upperTag);
}

// The parts of a table around a cell a page may be cut inside: the cell's
// content is read in parts as a block's is, when nothing but blanks
// follows the cell in its row, the row in its section and the section in
// its table (the table's structure is whole in the first part).
bool isTableLevel(const QString& upperTag)
{
    return upperTag == QLatin1String("TABLE") || upperTag == QLatin1String("TBODY") ||
           upperTag == QLatin1String("THEAD") || upperTag == QLatin1String("TFOOT") || upperTag == QLatin1String("TR");
}

bool isCell(const QString& upperTag)
{
    return upperTag == QLatin1String("TD") || upperTag == QLatin1String("TH");
}

// Whether the children of `node` from `from` on are blanks and comments.
bool onlyBlanksFrom(const Node& node, int from)
{
    for (int i = from; i < node.childCount(); ++i) {
        const Node* child = node.child(i);
        if (child->isComment())
            continue;
        const Text* text = child->asText();
        if (!text || !text->data().trimmed().isEmpty())
            return false;
    }
    return true;
}

// Whether `table` (a TABLE in BODY) is a text box: positioned absolutely,
// with one row of one cell.
bool isTextBox(const Element& table)
{
    const Style* style = table.styleIfAny();
    if (!style || style->position().trimmed().compare(QLatin1String("absolute"), Qt::CaseInsensitive) != 0)
        return false;
    const auto elementsOf = [](const Node& parent) {
        std::vector<const Element*> found;
        for (const Node* n = parent.firstChild(); n && found.size() < 2; n = n->nextSibling()) {
            const Element* e = n->isText() ? nullptr : n->asElement();
            if (e && !e->isComment())
                found.push_back(e);
        }
        return found;
    };
    const std::vector<const Element*> inTable = elementsOf(table);
    if (inTable.size() != 1)
        return false;
    const Element* row = inTable.front();
    if (row->hasTag(QLatin1String("TBODY")) || row->hasTag(QLatin1String("THEAD")) ||
        row->hasTag(QLatin1String("TFOOT"))) {
        const std::vector<const Element*> rows = elementsOf(*row);
        if (rows.size() != 1)
            return false;
        row = rows.front();
    }
    if (!row->hasTag(QLatin1String("TR")))
        return false;
    const std::vector<const Element*> cells = elementsOf(*row);
    return cells.size() == 1 &&
           (cells.front()->hasTag(QLatin1String("TD")) || cells.front()->hasTag(QLatin1String("TH")));
}

} // namespace layoutserializer_detail

LayoutSerializer::Result LayoutSerializer::serialize(const Document& doc)
{
    LayoutSerializer writer(doc);
    while (!writer.advance(1 << 20)) {
    }
    return writer.takeResult();
}

LayoutSerializer::Frame::Frame(const Node* node, QString tag) : node(node), tag(std::move(tag)) {}

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
        // (A piece ends where the page can be cut for reading in parts,
        // unless none comes for a while.)
        if (m_pieceLength > 0 && out.size() >= m_pieceLength) {
            const bool cut = m_textLeft.isNull() && canBeCutHere();
            if (cut || out.size() >= 2 * m_pieceLength) {
                m_piecesLength += out.size();
                m_pieces.push_back(std::move(out));
                out = QString();
                out.reserve(m_pieceLength + m_pieceLength / 4);
                if (cut)
                    noteCut();
            }
        }
        // (The next slice of a long text is all of this call.)
        if (!m_textLeft.isNull()) {
            writeText(QString(m_textLeft), m_textAt);
            break;
        }
        Frame& f = m_stack.back();
        if (f.next >= f.node->childCount()) {
            layoutserializer_detail::writeEndTag(out, f.tag);
            if (f.tag == QLatin1String("HEAD"))
                m_headText = textBetween(f.start, writtenLength());
            m_stack.pop_back();
            continue;
        }
        const Node* child = f.node->child(f.next++);
        f.last = const_cast<Node*>(child);
        visit(child, f);
    }
    return m_stack.empty();
}

void LayoutSerializer::writeText(const QString& text, qsizetype from)
{
    // A long text is written a slice at a time, one with each advance()
    // (the text as it was when its writing began), and never split inside
    // a surrogate pair.
    qsizetype to = text.size();
    if (m_pieceLength > 0 && to - from > kTextSlice) {
        to = from + kTextSlice;
        if (text.at(to - 1).isHighSurrogate())
            ++to;
    }
    m_textLeft = to < text.size() ? text : QString();
    m_textAt = to;
    QString& out = m_result.html;
    const qsizetype start = out.size();
    layoutserializer_detail::appendEscaped(out, QStringView(text).mid(from, to - from), false);
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
}

bool LayoutSerializer::followTreeChange()
{
    for (Frame& f : m_stack) {
        if (!f.last || f.node->child(f.next - 1) == f.last.get())
            continue;
        if (f.last->parentNode() != f.node)
            return false;
        f.next = f.last->indexInParent() + 1;
    }
    return true;
}

bool LayoutSerializer::writesLater(const Node& parent, const Node& child) const
{
    for (const Frame& f : m_stack) {
        if (f.node == &parent)
            return child.parentNode() == &parent && child.indexInParent() >= f.next;
    }
    return false;
}

void LayoutSerializer::skipIds(int count)
{
    m_result.nodes.resize(m_result.nodes.size() + size_t(std::max(0, count)));
}

bool LayoutSerializer::isOpen(const Node& element) const
{
    return std::any_of(m_stack.begin(), m_stack.end(), [&](const Frame& f) { return f.node == &element; });
}

bool LayoutSerializer::wroteChildrenUpTo(const Node& parent, int last) const
{
    for (size_t i = 0; i < m_stack.size(); ++i) {
        if (m_stack[i].node == &parent)
            return last < m_stack[i].next - (i + 1 < m_stack.size() || !m_textLeft.isNull() ? 1 : 0);
    }
    return m_started;
}

void LayoutSerializer::visit(const Node* node, const Frame& parent)
{
    using namespace layoutserializer_detail;
    QString& out = m_result.html;
    const auto addNode = [this](const Node* n) {
        m_result.nodes.emplace_back(const_cast<Node*>(n));
        return m_idBase + static_cast<int>(m_result.nodes.size()) - 1;
    };
    if (const Text* text = node->asText()) {
        if (parent.textOnly) {
            // The layout shows no script and keeps none of its text: a
            // page's scripts often hold more text than its first screens.
            if (parent.tag == QLatin1String("SCRIPT"))
                return;
            if (parent.tag == QLatin1String("STYLE") && !styleSheetAllowsParts(text->data()))
                m_partsAllowed = false;
            if (parent.escape)
                appendEscaped(out, text->data(), false);
            else
                out += text->data();
            return;
        }
        const int id = addNode(node);
        out += QLatin1String("<!--#");
        appendNumber(out, id);
        out += QLatin1String("-->");
        // (The parser reads a carriage return as a line feed: such a text
        // is parsed.)
        if (m_leaveOutFrom > 0 && text->data().size() >= m_leaveOutFrom && !text->data().contains(u'\r')) {
            m_result.textsLeftOut.emplace_back(id, text->data());
            return;
        }
        writeText(text->data(), 0);
        return;
    }
    const Element* el = node->nodeType() == NodeType::Element ? node->asElement() : nullptr;
    // DOCTYPE and comments are not laid out.
    if (!el)
        return;
    const QString tag = el->tagName().toUpper();
    if (!isValidAttributeName(tag) || !tag.at(0).isLetter())
        return;
    Frame frame{el, tag};
    placeIn(frame, parent);
    const int tableDepth = frame.tableDepth;
    const bool isTable = tag == QLatin1String("TABLE");
    if (tooDeep(frame)) {
        m_result.leftOutDeep.emplace_back(const_cast<Element*>(el));
        return;
    }
    if (m_firstPartLength >= 0 && m_firstPart.isEmpty()) {
        if (isTable && tableDepth >= m_firstPartTables)
            takeFirstPart(writtenLength(), true);
        else if (writtenLength() >= m_firstPartLength)
            takeFirstPart(writtenLength(), false);
    }
    const int id = addNode(el);
    const qsizetype start = writtenLength();
    const Style* style = el->styleIfAny();
    const QString css = style ? style->cssText() : QString();
    writeStartTag(out, *el, tag, id, css);
    if (!css.isEmpty() && m_partsAllowed && !declarationsAllowParts(css))
        m_partsAllowed = false;
    if (tag == QLatin1String("LINK") &&
        el->getAttributeText(QStringLiteral("rel")).contains(QLatin1String("stylesheet"), Qt::CaseInsensitive))
        m_styleSheetLinks.push_back(el->getAttributeText(QStringLiteral("href")));
    if (tags::isVoid(tag))
        return;
    if (tag == QLatin1String("STYLE"))
        out += QLatin1String(PageContainer::kStyleSheetMark.data(), PageContainer::kStyleSheetMark.size());
    frame.id = id;
    frame.start = start;
    frame.textOnly = isTextOnly(tag);
    frame.escape = frame.textOnly && !tags::isRawText(tag);
    if (dropsLeadingNewline(tag)) {
        const Node* first = el->firstChild();
        if (first && first->isText() && first->asText()->data().startsWith(u'\n'))
            out += u'\n';
    }
    m_stack.push_back(std::move(frame));
}

void LayoutSerializer::placeIn(Frame& frame, const Frame& parent)
{
    frame.depth = parent.tag.isEmpty() ? 0 : parent.depth + 1;
    frame.tableDepth = parent.tableDepth + (parent.tag == QLatin1String("TABLE") ? 1 : 0);
    const QString& tag = frame.tag;
    const Element* el = frame.node->asElement();
    TextBoxPart part = TextBoxPart::None;
    if (parent.tag == QLatin1String("BODY") && tag == QLatin1String("TABLE") && el &&
        layoutserializer_detail::isTextBox(*el))
        part = TextBoxPart::Table;
    else if (parent.textBoxPart == TextBoxPart::Table &&
             (tag == QLatin1String("TBODY") || tag == QLatin1String("THEAD") || tag == QLatin1String("TFOOT")))
        part = TextBoxPart::RowGroup;
    else if ((parent.textBoxPart == TextBoxPart::Table || parent.textBoxPart == TextBoxPart::RowGroup) &&
             tag == QLatin1String("TR"))
        part = TextBoxPart::Row;
    else if (parent.textBoxPart == TextBoxPart::Row && (tag == QLatin1String("TD") || tag == QLatin1String("TH")))
        part = TextBoxPart::Cell;
    frame.textBoxPart = part;
    frame.textBoxLevels = parent.textBoxLevels + (part != TextBoxPart::None ? 1 : 0);
    frame.textBoxTables = parent.textBoxTables + (parent.textBoxPart == TextBoxPart::Table ? 1 : 0);
}

bool LayoutSerializer::tooDeep(const Frame& frame)
{
    return frame.depth - frame.textBoxLevels > kMaxDepth ||
           (frame.tag == QLatin1String("TABLE") && frame.tableDepth - frame.textBoxTables >= kMaxTableDepth);
}

void LayoutSerializer::writeWhole(const Node* node, const Frame& parent)
{
    const size_t depth = m_stack.size();
    visit(node, parent);
    while (m_stack.size() > depth) {
        Frame& f = m_stack.back();
        if (f.next >= f.node->childCount()) {
            layoutserializer_detail::writeEndTag(m_result.html, f.tag);
            m_stack.pop_back();
            continue;
        }
        const Node* child = f.node->child(f.next++);
        visit(child, f);
    }
}

std::optional<LayoutSerializer::Result> LayoutSerializer::writeRun(const Document& doc, const Element& parent,
                                                                   int first, int last, int firstId,
                                                                   const std::function<int(const Node*)>& idOf,
                                                                   qsizetype leaveOutFrom)
{
    using namespace layoutserializer_detail;
    std::vector<const Element*> around;
    for (const Node* n = &parent; n && n != &doc; n = n->parentNode()) {
        const Element* e = n->isText() ? nullptr : n->asElement();
        if (!e || idOf(e) < 0)
            return std::nullopt;
        around.push_back(e);
    }
    std::reverse(around.begin(), around.end());
    if (around.empty() || around.front()->tagName().toUpper() != QLatin1String("HTML") || first < 0 || last < first ||
        last >= parent.childCount())
        return std::nullopt;
    LayoutSerializer writer(doc);
    writer.m_idBase = firstId;
    writer.m_leaveOutFrom = leaveOutFrom;
    // The page's HEAD, its style sheets (its nodes are not kept).
    Frame document{&doc, QString()};
    Frame html{around.front(), QStringLiteral("HTML")};
    QString head;
    for (const Node* n = around.front()->firstChild(); n; n = n->nextSibling()) {
        const Element* e = n->isText() ? nullptr : n->asElement();
        if (e && e->tagName().compare(QLatin1String("HEAD"), Qt::CaseInsensitive) == 0) {
            writer.writeWhole(e, html);
            head = std::exchange(writer.m_result.html, QString());
            writer.m_result.nodes.clear();
            break;
        }
    }
    QString& out = writer.m_result.html;
    Frame frame = document;
    for (size_t i = 0; i < around.size(); ++i) {
        const Element* e = around[i];
        const Style* style = e->styleIfAny();
        const QString tag = e->tagName().toUpper();
        writeStartTag(out, *e, tag, idOf(e), style ? style->cssText() : QString());
        if (i == 0)
            out += head;
        Frame inner{e, tag};
        placeIn(inner, frame);
        inner.id = idOf(e);
        frame = std::move(inner);
    }
    // (Where the children stand too deep, the page is written whole.)
    if (frame.depth - frame.textBoxLevels >= kMaxDepth)
        return std::nullopt;
    const qsizetype links = writer.m_styleSheetLinks.size();
    for (int i = first; i <= last; ++i)
        writer.writeWhole(parent.child(i), frame);
    for (size_t i = around.size(); i-- > 0;)
        writeEndTag(out, around[i]->tagName().toUpper());
    // (The sheets the HEAD links to are those the page was read with, see
    // PageContainer::forgetStyleSheets; one linked in the run is left to a
    // reading of the whole page.)
    if (!writer.m_partsAllowed || writer.m_styleSheetLinks.size() != links)
        return std::nullopt;
    return std::move(writer.m_result);
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

QString LayoutSerializer::textBetween(qsizetype start, qsizetype end) const
{
    QString text;
    qsizetype at = 0;
    const auto take = [&](const QString& piece) {
        const qsizetype from = std::max(start, at), to = std::min(end, at + piece.size());
        if (from < to)
            text += QStringView(piece).mid(from - at, to - from);
        at += piece.size();
    };
    for (const QString& p : m_pieces)
        take(p);
    take(m_result.html);
    return text;
}

bool LayoutSerializer::canBeCutHere()
{
    if (!m_partsAllowed || m_headText.isEmpty() || m_stack.size() < 3 || m_stack[1].tag != QLatin1String("HTML") ||
        m_stack[2].tag != QLatin1String("BODY"))
        return false;
    // (Asked at every node once a piece is long: a long PRE would otherwise
    // have its open elements looked at again for each of its nodes.)
    if (m_uncut && m_uncutDepth < m_stack.size() && m_stack[m_uncutDepth].node == m_uncut)
        return false;
    using namespace layoutserializer_detail;
    for (size_t i = 1; i < m_stack.size(); ++i) {
        const Frame& f = m_stack[i];
        if (canBeCutInside(f.tag) || (isCell(f.tag) && isTableLevel(m_stack[i - 1].tag)))
            continue;
        // Nothing inside an element other than a table's part is cut while
        // it is open.
        if (!isTableLevel(f.tag)) {
            m_uncut = f.node;
            m_uncutDepth = i;
            return false;
        }
        // A table's section, row: open around the cell being written, last
        // of the table's content but for blanks.
        const bool top = i + 1 == m_stack.size();
        if (top || !onlyBlanksFrom(*f.node, f.next))
            return false;
        const QString& inner = m_stack[i + 1].tag;
        bool fits = inner == QLatin1String("TR");
        if (f.tag == QLatin1String("TR"))
            fits = isCell(inner);
        else if (f.tag == QLatin1String("TABLE"))
            fits = isTableLevel(inner) && inner != QLatin1String("TABLE") && inner != QLatin1String("TR");
        if (!fits)
            return false;
    }
    return true;
}

void LayoutSerializer::noteCut()
{
    Cut cut;
    cut.piece = m_pieces.size();
    for (size_t i = 1; i < m_stack.size(); ++i) {
        const Frame& f = m_stack[i];
        const Style* style = f.node->asElement()->styleIfAny();
        layoutserializer_detail::writeStartTag(cut.opening, *f.node->asElement(), f.tag, f.id,
                                               style ? style->cssText() : QString());
        if (i == 1)
            cut.opening += m_headText;
        cut.open.push_back(f.id);
    }
    cut.closing = closingTags();
    m_cuts.push_back(std::move(cut));
}

bool LayoutSerializer::declarationsAllowParts(const QString& css)
{
    // Parts of a table made of other elements: the layout library wraps
    // those that follow each other in one table, which a cut would split.
    if (!css.contains(QLatin1String("table-"), Qt::CaseInsensitive))
        return true;
    static const QRegularExpression tablePart(QStringLiteral("display\\s*:\\s*table-"),
                                              QRegularExpression::CaseInsensitiveOption);
    return !css.contains(tablePart);
}

bool LayoutSerializer::styleSheetAllowsParts(const QString& css)
{
    // The selectors: without comments and declarations (the rules of an
    // @media block stay).
    static const QRegularExpression comments(QStringLiteral("/\\*.*?(\\*/|$)"),
                                             QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression declarations(QStringLiteral("\\{[^{}]*\\}"));
    QString selectors = css;
    selectors.remove(comments);
    if (!declarationsAllowParts(selectors))
        return false;
    selectors.replace(declarations, QStringLiteral(" "));
    // Rules on an element's siblings or its place among them, and sheets
    // that bring in others.
    static const QStringList siblings = {"+", "~", ":first", ":last", ":nth", ":only", ":empty", "@import"};
    return std::none_of(siblings.begin(), siblings.end(),
                        [&](const QString& s) { return selectors.contains(s, Qt::CaseInsensitive); });
}

namespace layoutserializer_detail {

bool isElement(const Node* node, QLatin1String tag)
{
    const Element* e = node->isText() ? nullptr : node->asElement();
    return e && e->hasTag(tag);
}

// The cells of a table's rows (its own, not those of tables inside them),
// counted up to two.
int cellsUpToTwo(const Node* table)
{
    int cells = 0;
    const auto countRow = [&cells](const Node* row) {
        for (const Node* c = row->firstChild(); c && cells < 2; c = c->nextSibling())
            cells += isElement(c, QLatin1String("TD")) || isElement(c, QLatin1String("TH")) ? 1 : 0;
    };
    for (const Node* part = table->firstChild(); part && cells < 2; part = part->nextSibling()) {
        if (isElement(part, QLatin1String("TR"))) {
            countRow(part);
        } else if (isElement(part, QLatin1String("TBODY")) || isElement(part, QLatin1String("THEAD")) ||
                   isElement(part, QLatin1String("TFOOT"))) {
            for (const Node* row = part->firstChild(); row && cells < 2; row = row->nextSibling()) {
                if (isElement(row, QLatin1String("TR")))
                    countRow(row);
            }
        }
    }
    return cells;
}

} // namespace layoutserializer_detail

bool LayoutSerializer::insideTable() const
{
    for (const Frame& f : m_stack)
        if (f.tag == QLatin1String("TABLE") && layoutserializer_detail::cellsUpToTwo(f.node) > 1)
            return true;
    return false;
}

} // namespace engine
