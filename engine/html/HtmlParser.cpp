#include "engine/html/HtmlParser.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/dom/HtmlTags.h"
#include "engine/dom/SharedTexts.h"
#include "engine/html/HtmlSerializer.h"
#include "engine/html/ScriptText.h"

#include <gumbo.h>

#include <QStringEncoder>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

// Where a thread inside the tree builder goes back to when one of the tree
// builder's own checks fails (null outside it).
thread_local sigjmp_buf* treeBuilderRecovery = nullptr;

} // namespace

// The C library's handler of failed assertions, which the tree builder's
// checks call (a definition in the program is the one every library calls).
// The tree builder can lose its way on input the scan before it did not
// foresee: its stack of open elements runs empty and its checks fail. Inside
// it, that ends its parse (see parser_detail::treeBuilt); anywhere else it is
// the C library's: the same message, then the program ends.
extern "C" void __assert_fail(const char* assertion, const char* file, unsigned int line, const char* function) noexcept
{
    if (sigjmp_buf* const back = treeBuilderRecovery) {
        treeBuilderRecovery = nullptr;
        siglongjmp(*back, 1);
    }
    std::fprintf(stderr, "%s%s%s:%u: %s%sAssertion `%s' failed.\n", program_invocation_short_name,
                 program_invocation_short_name[0] ? ": " : "", file, line, function ? function : "",
                 function ? ": " : "", assertion);
    std::fflush(stderr);
    std::abort();
}

namespace engine {

// Builds our nodes from gumbo's tree (a friend of the node classes: new
// trees are built without undo records or notifications).
class TreeBuilder
{
public:
    // `input`: what the tree builder read, for its flush markers (none when
    // null).
    explicit TreeBuilder(Document* doc, const HtmlParser::PreparedInput* input = nullptr);

    // Converts the children of `from` and appends them to `to`.
    void convertChildren(const GumboNode* from, Node* to, int depth);
    // Converts the children of `from` into a list of parentless nodes.
    std::vector<Ref<Node>> convertChildrenToList(const GumboNode* from);
    static void append(Node* parent, const Ref<Node>& child) { parent->appendBuilt(child); }
    // The deepest level of the tree builder's tree (the content of levels
    // beyond the nesting bound was attached higher up).
    int deepest() const { return m_deepest; }

private:
    Ref<Node> convertOne(const GumboNode* n);
    // Whether the input from `at` on for `length` bytes holds a flush marker.
    bool holdsMarker(const char* at, size_t length) const;
    bool holdsMarker(const GumboStringPiece& piece) const { return holdsMarker(piece.data, piece.length); }
    // `text` without the flush markers the tree builder read into it: whole,
    // cut short by the '>' that ended a tag, or ending a comment begun
    // before them.
    QString withoutMarkers(QString text) const;
    Document* m_doc;
    const HtmlParser::PreparedInput* m_input;
    // The marker as it stands in the input ("<!--" and "-->" around it).
    QString m_markerTag;
    int m_deepest = 0;
};

namespace parser_detail {

// The tree builder's UTF-8 as text. Every U+FEFF is a character of the page
// here (the decoder took the byte-order mark off the file), also at the
// start of a text, where QString::fromUtf8 would take it for a mark.
QString textOf(const char* s, qsizetype n = -1)
{
    if (n < 0)
        n = qsizetype(std::strlen(s));
    qsizetype marks = 0;
    while (n - marks * 3 >= 3 && std::memcmp(s + marks * 3, "\xEF\xBB\xBF", 3) == 0)
        ++marks;
    if (marks == 0)
        return QString::fromUtf8(s, n);
    return QString(marks, QChar(0xFEFF)) + QString::fromUtf8(s + marks * 3, n - marks * 3);
}

// textOf() of a short text, shared (see SharedTexts).
QString sharedTextOf(const char* s, qsizetype n)
{
    thread_local SharedTexts<char, 24, 1024> texts;
    return texts.get(s, n, [s, n] { return textOf(s, n); });
}

QString sharedTextOf(const char* s)
{
    return sharedTextOf(s, qsizetype(std::strlen(s)));
}

// Whether a name as written is the tree builder's name for it (which is
// in lower case): the same ASCII letters in any case.
bool sameAsciiName(const char* written, const char* lower, size_t length)
{
    for (size_t k = 0; k < length; ++k) {
        const uchar c = uchar(written[k]);
        if (c == 0 || c >= 0x80 || (c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c) != uchar(lower[k]))
            return false;
    }
    return true;
}

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
    // The name as the tag wrote it: after "<" up to white space, "/" or
    // ">" (white space as the tokenizer knows it: a vertical tab is part of
    // the name).
    const char* p = el.original_tag.data;
    const char* end = p ? p + el.original_tag.length : nullptr;
    if (p && p < end && *p == '<')
        ++p;
    while (p && p < end && *p == '/')
        ++p;
    const char* start = p;
    while (p && p < end && !script_text::isTagSpace(*p) && *p != '/' && *p != '>')
        ++p;
    QString name = start ? textOf(start, qsizetype(p - start)).toUpper() : QString();
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

// The memory of a page read, kept for the next one (a page read after
// another one does not wait for fresh memory) until no page is being read:
// the tree builder's blocks, up to a bound, and the room of the page's
// UTF-8. Any thread takes from it.
struct SpareBlock
{
    std::unique_ptr<char[]> data;
    size_t size = 0;
};

struct SpareMemory
{
    std::mutex lock;
    std::vector<SpareBlock> blocks;
    QByteArray utf8;
};

SpareMemory& spareMemory()
{
    static SpareMemory* const spare = new SpareMemory(); // (still there for threads that end late)
    return *spare;
}

// Gumbo's allocations come from large blocks that are dropped at once:
// its tree lives only while we convert it.
class GumboArena
{
public:
    GumboArena() = default;
    GumboArena(const GumboArena&) = delete;
    GumboArena& operator=(const GumboArena&) = delete;
    // The blocks are kept for the next page, up to a bound.
    ~GumboArena()
    {
        SpareMemory& spare = spareMemory();
        const std::lock_guard<std::mutex> held(spare.lock);
        size_t kept = 0;
        for (const Block& b : spare.blocks)
            kept += b.size;
        for (Block& b : m_blocks) {
            if (kept + b.size > kKeptBytes)
                break;
            kept += b.size;
            spare.blocks.push_back(std::move(b));
        }
    }
    static void* allocate(void* self, size_t size) { return static_cast<GumboArena*>(self)->take(size); }
    static void release(void*, void*) {}
    // The input's size: the first block is sized by it (a fragment of a few
    // words needs no megabyte), later ones grow.
    void expect(size_t inputBytes) { m_nextBlock = std::clamp(inputBytes * 4, size_t(16) << 10, size_t(1) << 20); }

private:
    using Block = SpareBlock;
    static constexpr size_t kKeptBytes = size_t(32) << 20;
    // (Gumbo's structures hold nothing aligned wider than a pointer; its
    // many short strings take less room so, and its tree fewer cache lines.)
    static constexpr size_t kAlignment = alignof(void*);
    void* take(size_t size)
    {
        size = (size + kAlignment - 1) & ~(kAlignment - 1);
        if (size_t(m_end - m_next) < size || !m_next)
            takeBlock(size);
        void* p = m_next;
        m_next += size;
        return p;
    }
    // Makes a block of at least `size` bytes the one allocated from.
    void takeBlock(size_t size)
    {
        SpareMemory& spare = spareMemory();
        std::unique_lock<std::mutex> held(spare.lock);
        const auto fits =
            std::find_if(spare.blocks.begin(), spare.blocks.end(), [size](const Block& b) { return b.size >= size; });
        if (fits != spare.blocks.end()) {
            m_blocks.push_back(std::move(*fits));
            spare.blocks.erase(fits);
        } else {
            held.unlock();
            const size_t capacity = qMax(size, m_nextBlock);
            m_blocks.push_back({std::unique_ptr<char[]>(new char[capacity]), capacity});
        }
        m_nextBlock = qMin(m_nextBlock * 2, size_t(4) << 20);
        m_next = m_blocks.back().data.get();
        m_end = m_next + m_blocks.back().size;
    }
    std::vector<Block> m_blocks;
    char* m_next = nullptr;
    char* m_end = nullptr;
    size_t m_nextBlock = size_t(1) << 20;
};

// Errors the tree builder records at most (garbage input has one for
// nearly every byte).
constexpr int kMaxErrors = 256;

struct Parsed
{
    Parsed() = default;
    Parsed(const Parsed&) = delete;
    Parsed& operator=(const Parsed&) = delete;
    // The room of the page's UTF-8 is kept for the next page once nothing
    // here shares it.
    ~Parsed()
    {
        input = {};
        if (room.isDetached() && room.capacity() > 0) {
            SpareMemory& spare = spareMemory();
            const std::lock_guard<std::mutex> held(spare.lock);
            if (room.capacity() > spare.utf8.capacity())
                spare.utf8.swap(room);
        }
    }
    GumboArena arena;
    GumboOutput* out = nullptr;
    HtmlParser::PreparedInput input;
    QByteArray room;
};

// Pages and fragments read again with the stricter scan, since the program
// started.
std::atomic<quint64> treeBuilderRecoveries{0};
// Those the tree builder lost its way on with the stricter scan too.
std::atomic<quint64> treeBuilderFailures{0};

// gumbo_parse_with_options, or null when one of the tree builder's checks
// failed (its memory, all from the arena, goes with the arena). Nothing
// between here and the tree builder has anything to undo when it is left
// that way.
GumboOutput* treeBuilt(const GumboOptions* options, const char* bytes, size_t size)
{
    sigjmp_buf recovery;
    sigjmp_buf* const outer = treeBuilderRecovery;
    if (sigsetjmp(recovery, 0) != 0) {
        treeBuilderRecovery = outer;
        return nullptr;
    }
    treeBuilderRecovery = &recovery;
    GumboOutput* const out = gumbo_parse_with_options(options, bytes, size);
    treeBuilderRecovery = outer;
    return out;
}

// Parses `html`, with at most `tagDepth` levels of nested tags in the input
// (see HtmlParser::prepareInput); `deepestTags` receives the most the input
// had. When the tree builder loses its way on what the scan prepared, the
// input is scanned again the stricter way and read again; false (and no
// tree) when it loses its way on that too.
bool parse(Parsed& p, QStringView html, int tagDepth = HtmlParser::kMaxDepth, int* deepestTags = nullptr)
{
    // Written into the room of the page before, which is there already
    // (the page's bytes are as large as the page); it goes back when the
    // page is read, unless another page's larger room went back first.
    QByteArray buffer;
    {
        SpareMemory& spare = spareMemory();
        const std::lock_guard<std::mutex> held(spare.lock);
        buffer.swap(spare.utf8);
    }
    QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    buffer.resize(encoder.requiredSpace(html.size()));
    buffer.truncate(encoder.appendToBuffer(buffer.data(), html) - buffer.constData());
    p.room = buffer;
    QByteArray bytes = std::move(buffer);
    if (bytes.size() > HtmlParser::kMaxInputBytes)
        bytes.truncate(HtmlParser::kMaxInputBytes);
    GumboOptions options = kGumboDefaultOptions;
    options.max_errors = kMaxErrors;
    options.allocator = &GumboArena::allocate;
    options.deallocator = &GumboArena::release;
    options.userdata = &p.arena;
    for (const auto scan : {HtmlParser::Scan::Usual, HtmlParser::Scan::Strict}) {
        p.input = HtmlParser::prepareInput(bytes, tagDepth, deepestTags, scan);
        const QByteArray& prepared = p.input.bytes;
        p.arena.expect(size_t(prepared.size()));
        p.out = treeBuilt(&options, prepared.constData(), size_t(prepared.size()));
        if (p.out)
            return true;
        ++(scan == HtmlParser::Scan::Usual ? treeBuilderRecoveries : treeBuilderFailures);
    }
    return false;
}

// Whether the tree builder met markup it had to build otherwise than
// written (misnested, misplaced or unclosed elements), or so many errors
// that some were not recorded. The page without its DOCTYPE always starts
// with one error, in the first insertion mode: that one does not count.
// (Gumbo 0.10's error record, which its headers keep private, starts with
// the kind of error, 40 for the tree builder's, and holds the insertion
// mode at byte 32.)
bool hadTreeErrors(const GumboOutput* out)
{
    struct ErrorRecord
    {
        int kind;
        unsigned position[3];
        const char* text;
        int inputType;
        int inputTag;
        int insertionMode;
    };
    static_assert(offsetof(ErrorRecord, insertionMode) == 32);
    constexpr int kTreeBuilderError = 40;
    constexpr int kInitialMode = 0;
    if (out->errors.length >= unsigned(kMaxErrors))
        return true;
    for (unsigned i = 0; i < out->errors.length; ++i) {
        const auto* e = static_cast<const ErrorRecord*>(out->errors.data[i]);
        if (e->kind == kTreeBuilderError && e->insertionMode != kInitialMode)
            return true;
    }
    return false;
}

// Takes the tags of formatting elements and forms out of a tree, their
// content left where it stands.
void unwrapMisnestable(Node* root)
{
    static const char* const kTags[] = {"A", "B",     "BIG",    "CODE",   "EM", "FONT", "I",   "NOBR",
                                        "S", "SMALL", "STRIKE", "STRONG", "TT", "U",    "FORM"};
    std::vector<Element*> found;
    for (Node* n = root->firstChild(); n; n = n->nextInTree(root)) {
        Element* e = n->isText() ? nullptr : n->asElement();
        if (e &&
            std::any_of(std::begin(kTags), std::end(kTags), [e](const char* t) { return e->hasTag(QLatin1String(t)); }))
            found.push_back(e);
    }
    for (auto it = found.rbegin(); it != found.rend(); ++it) {
        Ref<Node> e = *it;
        Node* parent = e->parentNode();
        int at = e->indexInParent();
        while (e->childCount())
            parent->insertChildAt(at++, e->removeChildAt(0));
        parent->removeChildAt(e->indexInParent());
    }
}

} // namespace parser_detail

TreeBuilder::TreeBuilder(Document* doc, const HtmlParser::PreparedInput* input) : m_doc(doc), m_input(input)
{
    if (m_input && !m_input->markers.empty())
        m_markerTag = QLatin1String("<!--") + QLatin1String(m_input->marker) + QLatin1String("-->");
}

bool TreeBuilder::holdsMarker(const char* at, size_t length) const
{
    if (!m_input || m_input->markers.empty() || !at)
        return false;
    const char* base = m_input->bytes.constData();
    if (at < base || at > base + m_input->bytes.size())
        return false;
    const qsizetype from = at - base;
    const auto it = std::lower_bound(m_input->markers.begin(), m_input->markers.end(), from);
    return it != m_input->markers.end() && *it < from + qsizetype(length);
}

QString TreeBuilder::withoutMarkers(QString text) const
{
    // (Tag names are kept in upper case.)
    text.remove(m_markerTag, Qt::CaseInsensitive);
    text.remove(m_markerTag.chopped(1), Qt::CaseInsensitive);
    text.remove(m_markerTag.chopped(3), Qt::CaseInsensitive);
    return text;
}

Ref<Node> TreeBuilder::convertOne(const GumboNode* n)
{
    switch (n->type) {
    case GUMBO_NODE_TEXT:
    case GUMBO_NODE_WHITESPACE:
    case GUMBO_NODE_CDATA: {
        // A flush marker that the tree builder read as text (in raw text
        // whose element the preparation took for one that holds markup,
        // among nested foreign content) is no text of the page. Only text
        // read from where a marker was put in can hold one: the page itself
        // does not hold the marker's text.
        if (holdsMarker(n->v.text.original_text))
            return Ref<Node>(new Text(m_doc, withoutMarkers(parser_detail::textOf(n->v.text.text))));
        return Ref<Node>(new Text(m_doc, parser_detail::sharedTextOf(n->v.text.text)));
    }
    case GUMBO_NODE_COMMENT:
        if (!m_markerTag.isEmpty() && m_input->marker == n->v.text.text)
            return nullptr; // a flush marker
        if (holdsMarker(n->v.text.original_text))
            return Comment::create(m_doc, withoutMarkers(parser_detail::textOf(n->v.text.text)));
        return Comment::create(m_doc, parser_detail::textOf(n->v.text.text));
    case GUMBO_NODE_ELEMENT:
    case GUMBO_NODE_TEMPLATE: {
        const GumboElement& ge = n->v.element;
        // A start tag that ran over flush markers (the preparation took its
        // place for text: in an element the tree builder read as foreign
        // content) has them in its name or attributes.
        const bool markedTag = holdsMarker(ge.original_tag);
        QString tag = parser_detail::tagNameOf(ge);
        if (markedTag)
            tag = tags::intern(withoutMarkers(tag).toUpper());
        if (tag.isEmpty())
            return nullptr;
        Ref<Element> el = Element::createWithInternedName(m_doc, tag);
        el->m_attrs.reserve(ge.attributes.length);
        // The tree builder keeps one attribute of each name in its lower
        // case; names that differ from those (other letters, replaced
        // characters) are looked for among the ones before.
        bool otherNames = false;
        for (unsigned i = 0; i < ge.attributes.length; ++i) {
            const auto* a = static_cast<const GumboAttribute*>(ge.attributes.data[i]);
            Attribute attr;
            // The name as written, unless the parser had to change it
            // (characters it replaced, such as NUL).
            const size_t length = a->original_name.length;
            if (length > 0 && parser_detail::sameAsciiName(a->original_name.data, a->name, length) &&
                a->name[length] == 0) {
                attr.name = parser_detail::sharedTextOf(a->original_name.data, qsizetype(length));
            } else {
                otherNames = true;
                const QString normalized = parser_detail::textOf(a->name);
                attr.name = a->original_name.length
                                ? parser_detail::textOf(a->original_name.data, qsizetype(a->original_name.length))
                                : normalized;
                if (attr.name.compare(normalized, Qt::CaseInsensitive) != 0)
                    attr.name = normalized;
                // (The parser leaves a name of NUL empty; a browser reads it
                // as the replacement character.)
                if (attr.name.isEmpty())
                    attr.name = QString(QChar(0xFFFD));
                attr.name = tags::internShort(attr.name);
            }
            attr.value = parser_detail::sharedTextOf(a->value);
            attr.hasValue = a->original_value.length > 0 && a->original_value.data != a->original_name.data;
            if (markedTag) {
                attr.name = withoutMarkers(attr.name);
                attr.value = withoutMarkers(attr.value);
                if (attr.name.isEmpty() || (i > 0 && el->attributeIndex(attr.name) >= 0))
                    continue;
            }
            if (otherNames && i > 0 && el->attributeIndex(attr.name) >= 0)
                continue;
            if (std::strcmp(a->name, "style") == 0) {
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
    // Iterative walk: (gumbo node, our parent, our depth, gumbo's depth).
    struct Item
    {
        const GumboNode* g;
        Node* parent;
        int depth;
        int treeDepth;
    };
    std::vector<Item> stack;
    auto pushChildren = [&stack](const GumboNode* g, Node* parent, int d, int treeDepth) {
        const GumboVector& kids = g->type == GUMBO_NODE_DOCUMENT ? g->v.document.children : g->v.element.children;
        parent->m_children.reserve(parent->m_children.size() + kids.length);
        for (unsigned i = kids.length; i-- > 0;)
            stack.push_back({static_cast<const GumboNode*>(kids.data[i]), parent, d, treeDepth});
    };
    pushChildren(from, to, depth, depth);
    while (!stack.empty()) {
        Item it = stack.back();
        stack.pop_back();
        m_deepest = qMax(m_deepest, it.treeDepth);
        Ref<Node> node = convertOne(it.g);
        // Text beside text (where a flush marker stood) is one text, as a
        // browser builds it.
        if (node && node->isText() && it.parent->lastChild() && it.parent->lastChild()->isText()) {
            static_cast<Text*>(it.parent->lastChild())->m_data += static_cast<Text*>(node.get())->m_data;
            continue;
        }
        if (!node) {
            // An element without a usable name: its content takes its place.
            if (it.g->type == GUMBO_NODE_ELEMENT || it.g->type == GUMBO_NODE_TEMPLATE)
                pushChildren(it.g, it.parent, it.depth, it.treeDepth + 1);
            continue;
        }
        append(it.parent, node);
        if (it.g->type == GUMBO_NODE_ELEMENT || it.g->type == GUMBO_NODE_TEMPLATE) {
            const bool deeper = it.depth < HtmlParser::kMaxDepth;
            pushChildren(it.g, deeper ? node.get() : it.parent, deeper ? it.depth + 1 : it.depth, it.treeDepth + 1);
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

bool HtmlParser::parseDocumentInto(Document* doc, const QString& html)
{
    int rest = 0;
    const QString doctype = splitDoctype(html, &rest);
    // (A view: the page after its DOCTYPE is not copied.)
    const QStringView text = QStringView(html).mid(rest);
    std::vector<Ref<Node>> nodes;
    // The text the tree writes (with the tree put in the document a moment).
    const auto write = [doc, &nodes]() {
        const int had = doc->childCount();
        for (auto& n : nodes)
            if (!n->isText())
                doc->insertChildAt(doc->childCount(), n);
        QString written = HtmlSerializer::fileText(doc, HtmlSerializer::LineBreaks::AsInTheTree);
        while (doc->childCount() > had)
            doc->removeChildAt(doc->childCount() - 1);
        return written;
    };
    // A page the tree builder had to build otherwise than written is read
    // again as the tree it built writes it, until that text builds the same
    // tree: the tree is then the one its saved file builds, and saving it
    // again writes the same file. True when it came to that.
    // A tree deeper than the nesting bound is built again from the page
    // with fewer levels of nested tags, so that it stays a tree its markup
    // builds (content attached higher up would not be).
    // The tree builder lost its way on the page itself (on a text a tree
    // wrote, the tree it wrote from is kept).
    bool lost = false;
    bool built = false;
    const auto readUntilSettled = [doc, &nodes, &write, &lost, &built](QStringView text) {
        QString written;
        constexpr int kMostReadings = 4;
        constexpr int kMostDepthTries = 6;
        int tagDepth = kMaxDepth;
        int depthTries = 0;
        for (int reading = 1;; ++reading) {
            parser_detail::Parsed p;
            int deepestTags = 0;
            if (!parser_detail::parse(p, text, tagDepth, &deepestTags)) {
                lost = !built;
                return false;
            }
            TreeBuilder builder(doc, &p.input);
            nodes = builder.convertChildrenToList(p.out->document);
            built = true;
            if (builder.deepest() > kMaxDepth && depthTries < kMostDepthTries) {
                // Each level of tags made about as many levels of tree as on
                // average (a table's start tag makes four).
                ++depthTries;
                const int had = qMin(tagDepth, deepestTags);
                tagDepth = qMax(1, qMin(had - 1, int(qint64(had) * kMaxDepth / builder.deepest())));
                --reading;
                continue;
            }
            if (!parser_detail::hadTreeErrors(p.out))
                return true;
            QString again = write();
            if (reading > 1 && again == text)
                return true;
            if (reading == kMostReadings)
                return false;
            written = std::move(again);
            text = written;
            // What a tree writes is read as a saved file is: with the whole bound.
            tagDepth = kMaxDepth;
            depthTries = 0;
        }
    };
    if (!readUntilSettled(text)) {
        // The tree builder builds it otherwise at each reading (formatting
        // elements and forms misnested among foreign content and tables, a
        // tree no page is written as): read without the tags of those
        // elements, their content where it stands, so that it settles.
        if (!lost) {
            for (auto& n : nodes)
                parser_detail::unwrapMisnestable(n.get());
            readUntilSettled(write());
        }
    }
    if (lost)
        return false;
    if (!doctype.isEmpty())
        doc->insertChildAt(0, DocumentType::create(doc, doctype));
    // The tree is built detached, then put in with one change. (White space
    // the tree builder leaves beside the HTML element has no place there.)
    for (auto& n : nodes)
        if (!n->isText())
            doc->insertChildAt(doc->childCount(), n);
    return true;
}

Ref<Element> HtmlParser::parseHtmlElement(Document* doc, const QString& html)
{
    parser_detail::Parsed p;
    if (!parser_detail::parse(p, html))
        return nullptr;
    TreeBuilder builder(doc, &p.input);
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
    if (!parser_detail::parse(p, prefix + html))
        return {};
    const GumboNode* holder = parser_detail::findElement(p.out->document, holderTag);
    if (!holder)
        return {};
    TreeBuilder builder(doc, &p.input);
    return builder.convertChildrenToList(holder);
}

namespace parser_detail {

// How the scan of the input treats a tag name.
enum class TagKind {
    Nesting,   // opens a level of nesting
    Flat,      // void, or closed implicitly by its siblings: no level
    RawText,   // content up to its end tag is text
    Script,    // raw text, whose end the escapes in it may move
    PlainText, // everything after it is text
    Form,      // a form (its end tag gets the flush marker)
};

// The kind of the element of a lower-case name (looked up through the tree
// builder's own table of tag names).
TagKind kindOf(std::string_view lower)
{
    static const std::vector<TagKind> kinds = [] {
        std::vector<TagKind> k(GUMBO_TAG_LAST + 1, TagKind::Nesting);
        const auto set = [&k](std::initializer_list<const char*> names, TagKind kind) {
            for (const char* t : names) {
                const GumboTag tag = gumbo_tag_enum(t);
                Q_ASSERT(tag != GUMBO_TAG_UNKNOWN);
                k[size_t(tag)] = kind;
            }
        };
        set({"style", "textarea", "xmp", "title", "noembed", "noframes", "iframe"}, TagKind::RawText);
        set({"area",  "base",  "basefont", "bgsound", "br",       "col",  "embed",  "frame",  "hr",
             "img",   "input", "isindex",  "keygen",  "link",     "meta", "param",  "source", "spacer",
             "track", "wbr",   "p",        "li",      "dt",       "dd",   "option", "td",     "th",
             "tr",    "tbody", "thead",    "tfoot",   "colgroup", "html", "head",   "body"},
            TagKind::Flat);
        set({"script"}, TagKind::Script);
        set({"plaintext"}, TagKind::PlainText);
        set({"form"}, TagKind::Form);
        k[GUMBO_TAG_UNKNOWN] = TagKind::Nesting;
        return k;
    }();
    if (lower.empty() || lower.size() > 16)
        return TagKind::Nesting;
    return kinds[size_t(gumbo_tagn_enum(lower.data(), unsigned(lower.size())))];
}

using script_text::isTagSpace;
using script_text::scriptTextEnd;

// Which start tags that the scan follows far the input holds anywhere:
// those of SVG and MathML roots, and SELECT ones. A name that only begins
// with such a name counts too, wherever it stands (in a comment, in raw
// text, in an attribute value): only a page without any is scanned with
// less care.
struct StartTagsHeld
{
    bool foreign = false;
    bool select = false;
};

StartTagsHeld startTagsHeld(const char* s, qsizetype n)
{
    const auto named = [s, n](qsizetype at, std::string_view lower) {
        return n - at >= qsizetype(lower.size()) && qstrnicmp(s + at, lower.data(), uint(lower.size())) == 0;
    };
    StartTagsHeld held;
    for (const char* p = s; (p = static_cast<const char*>(std::memchr(p, '<', size_t(s + n - p))));) {
        const qsizetype at = ++p - s;
        const char first = at < n ? char(s[at] | 0x20) : 0;
        if (first == 's') {
            held.foreign = held.foreign || named(at, "svg");
            held.select = held.select || named(at, "select");
        } else if (first == 'm') {
            held.foreign = held.foreign || named(at, "math");
        }
        if (held.foreign)
            break;
    }
    return held;
}

// The '>' that ends a tag whose name ends at `p`, found as the tokenizer
// finds it (a quoted attribute value may hold '>'); n when there is none.
// `selfClosing`: whether a '/' before that '>' makes the tag close itself
// (not one that ends an unquoted attribute value).
qsizetype tagEnd(const char* s, qsizetype p, qsizetype n, bool* selfClosing = nullptr)
{
    enum { BeforeName, Name, AfterName, BeforeValue, Unquoted } state = BeforeName;
    const qsizetype start = p;
    while (p < n) {
        const char c = s[p];
        if (c == '>' && state != BeforeValue) {
            if (selfClosing)
                *selfClosing = state != Unquoted && p > start && s[p - 1] == '/';
            return p;
        }
        switch (state) {
        case BeforeName:
            if (!isTagSpace(c) && c != '/')
                state = Name;
            break;
        case Name:
            if (isTagSpace(c))
                state = AfterName;
            else if (c == '/')
                state = BeforeName;
            else if (c == '=')
                state = BeforeValue;
            break;
        case AfterName:
            if (c == '/')
                state = BeforeName;
            else if (c == '=')
                state = BeforeValue;
            else if (!isTagSpace(c))
                state = Name;
            break;
        case BeforeValue:
            if (c == '>')
                return p;
            if (c == '"' || c == '\'') {
                const void* close = std::memchr(s + p + 1, c, size_t(n - p - 1));
                if (!close)
                    return n;
                p = static_cast<const char*>(close) - s;
                state = BeforeName;
            } else if (!isTagSpace(c)) {
                state = Unquoted;
            }
            break;
        case Unquoted:
            if (isTagSpace(c))
                state = BeforeName;
            break;
        }
        ++p;
    }
    return n;
}

// Where the text of a raw-text element ends: its end tag's '<' (a name
// followed by space, '/' or '>'), or n.
qsizetype rawTextEnd(const char* s, qsizetype from, qsizetype n, const char* name, size_t len)
{
    for (qsizetype f = from; f + 2 + qsizetype(len) <= n; ++f) {
        const void* lt = std::memchr(s + f, '<', size_t(n - f));
        if (!lt)
            return n;
        f = static_cast<const char*>(lt) - s;
        if (f + 2 + qsizetype(len) > n)
            return n;
        if (s[f + 1] == '/' && qstrnicmp(s + f + 2, name, uint(len)) == 0 &&
            (f + 2 + qsizetype(len) == n || isTagSpace(s[f + 2 + len]) || s[f + 2 + len] == '/' ||
             s[f + 2 + len] == '>'))
            return f;
    }
    return n;
}

// Where a comment that starts at `i` ("<!--") ends: its last '>', or n.
qsizetype commentEnd(const char* s, qsizetype i, qsizetype n)
{
    qsizetype k = i + 4;
    if (k < n && s[k] == '>')
        return k;
    if (k + 1 < n && s[k] == '-' && s[k + 1] == '>')
        return k + 1;
    for (; k + 2 < n; ++k) {
        if (s[k] != '-' || s[k + 1] != '-')
            continue;
        if (s[k + 2] == '>')
            return k + 2;
        if (k + 3 < n && s[k + 2] == '!' && s[k + 3] == '>')
            return k + 3;
    }
    return n;
}

// Whether text that the tokenizer reads up to the end of `out` would be
// read otherwise with more text after it: a '<' there starts markup, an
// '&' with letters, digits or '#' after it a character reference.
bool joinsWithWhatFollows(const QByteArray& out)
{
    // (The longest reference name is 32 characters.)
    constexpr qsizetype kLongestReference = 34;
    const qsizetype last = out.size() - 1;
    if (last < 0)
        return false;
    if (out[last] == '<')
        return true;
    for (qsizetype k = last; k >= 0 && k > last - kLongestReference; --k) {
        const char c = out[k];
        if (c == '&')
            return true;
        if (!std::isalnum(uchar(c)) && c != '#')
            return false;
    }
    return false;
}

// Whether the tree builder's first token of the input is a DOCTYPE (white
// space, comments and bogus comments may come before it).
bool startsWithDoctype(const char* s, qsizetype n)
{
    qsizetype i = 0;
    for (;;) {
        while (i < n && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\r' || s[i] == '\f'))
            ++i;
        if (i + 1 >= n || s[i] != '<' || (s[i + 1] != '!' && s[i + 1] != '?'))
            return false;
        if (s[i + 1] == '!' && i + 3 < n && s[i + 2] == '-' && s[i + 3] == '-') {
            i = commentEnd(s, i, n) + 1;
            continue;
        }
        if (s[i + 1] == '!' && n - i >= 9 && qstrnicmp(s + i + 2, "doctype", 7) == 0)
            return true;
        const void* gt = std::memchr(s + i, '>', size_t(n - i));
        if (!gt)
            return false;
        i = static_cast<const char*>(gt) - s + 1;
    }
}

// The names of the elements from which the tree builder works out its
// insertion mode again (it does not ask whether they are HTML ones).
bool setsTreeBuilderMode(std::string_view name)
{
    static constexpr std::string_view kNames[] = {"select", "td",      "th",       "tr",       "tbody", "thead",
                                                  "tfoot",  "caption", "colgroup", "template", "html",  "frameset"};
    return std::find(std::begin(kNames), std::end(kNames), name) != std::end(kNames);
}

// The HTML elements open outside SVG and MathML, as far as the scan can
// follow the tree builder. It opens elements no tag names (formatting
// elements it opens again) and closes some that no tag names (a table part
// closes what is open in its table), so an element stands here as known
// only while the scan is sure the tree builder has it open where it stands;
// any other stands as a mark, and what the scan cannot follow becomes an
// unnamed mark. What is decided from this list (that an end tag ends the
// SVG or MathML around) is decided only from known elements: a mark on the
// way means the tree builder may do otherwise, and the scan then keeps to
// the answer that cannot end the program (the content stays foreign).
class HtmlOpen
{
public:
    // What an end tag does to the elements from `lo` up: nothing, closes
    // from `at` on for certain, closes from `at` on or leaves them (the
    // scan cannot tell), or closes an unknown part of them.
    enum class Effect { Nothing, Closes, MayClose, Unknown };
    struct Outcome
    {
        Effect effect = Effect::Nothing;
        size_t at = 0;
    };

    // Whether the tree builder reads the page in quirks mode: it does
    // where no DOCTYPE comes first, and may where one does (what the
    // DOCTYPE says decides it).
    enum class Quirks { Yes, Maybe };
    void setQuirks(Quirks quirks) { m_quirks = quirks; }

    size_t size() const { return m_open.size(); }

    // Where the elements above the topmost one of that name from `lo` to
    // `top` start (`lo` when there is none).
    size_t above(std::string_view name, size_t lo, size_t top) const
    {
        for (size_t k = std::min(top, m_open.size()); k-- > lo;)
            if (m_open[k].name == name)
                return k + 1;
        return lo;
    }

    // Whether the end tag of that name closes the nearest element of its
    // name, unless a special one stands between (not one in scope).
    static bool closesTheNearest(std::string_view name)
    {
        const Class c = classOf(name);
        return c == Class::Phrase ||
               (c == Class::Other && name != "button" && name != "applet" && name != "marquee" && name != "object");
    }

    // An HTML start tag (its lower-case name; `kind`: how the scan reads
    // it) with the elements from `lo` up in its reach.
    void start(std::string_view name, TagKind kind, size_t lo, bool endsATable = false)
    {
        const Class c = classOf(name);
        if (startsListPart(name))
            ++m_listParts;
        if (name == "template") {
            // Opened where it stands, closing nothing.
            push(name, true);
            return;
        }
        lo = reach(lo, m_open.size());
        if (kind == TagKind::RawText || kind == TagKind::Script || kind == TagKind::PlainText) {
            // Its content and end tag are passed over: it is closed again.
            if (name == "xmp" || name == "plaintext")
                closeParagraph(lo);
            return;
        }
        switch (c) {
        case Class::Void:
            if (name == "hr")
                closeParagraph(lo);
            return;
        case Class::Ignored:
            return;
        case Class::Block:
        case Class::Paragraph:
            closeParagraph(lo);
            push(name, true);
            return;
        case Class::Heading:
            closeParagraph(lo);
            // A heading right inside a heading closes it (if the tree
            // builder's current element is the heading: it may be a
            // formatting element it opened again).
            if (m_open.size() > lo && m_open.back().known && classOf(m_open.back().name) == Class::Heading) {
                forget(m_open.size() - 1);
                if (m_reopenable)
                    unknownFrom(m_open.size());
            }
            push(name, true);
            return;
        case Class::Phrase:
            // (A MAIN closes a paragraph, but is not special; a NOSCRIPT
            // is special, but closes none.)
            if (name == "main")
                closeParagraph(lo);
            push(name, true);
            return;
        case Class::Formatting:
            if (name == "a" || name == "nobr") {
                // Another one still listed among the formatting elements is
                // closed first, with what its closing moves.
                Listed& listed = name == "a" ? m_anchors : m_nobrs;
                if (listed.count == 0 || !closeListedInReach(name, lo, listed)) {
                    if (listed.count > 0) {
                        // (One out of reach, past an integration point,
                        // closes nothing in reach when taken off.)
                        const bool outOfReach =
                            !m_reopenable && !mayHold(name, lo) &&
                            std::none_of(m_open.begin() + std::ptrdiff_t(std::min(lo, m_open.size())), m_open.end(),
                                         [](const Open& e) { return e.name.empty(); });
                        takeOffListed(name, lo);
                        if (!outOfReach)
                            unknownFrom(lo);
                    }
                    ++listed.count;
                }
                listed.parts = m_listParts;
            }
            push(name, true);
            return;
        case Class::ListItem:
            closeParagraph(lo);
            closeListItem(name, lo);
            push(name, true);
            return;
        case Class::TablePart:
            // Closes what is open in its table (or is ignored outside one).
            mayClose("table", lo, 1);
            push(name, false);
            return;
        case Class::Table:
        case Class::Form:
            if (endsATable) {
                // A table started in a table (not in its cells) closes that
                // one with what it holds first.
                const Outcome o = endEffect("table", lo, m_open.size());
                if (o.effect == Effect::MayClose)
                    forget(o.at, "table");
                else if (o.effect == Effect::Unknown)
                    unknownFrom(lo);
            }
            // (A TABLE leaves a paragraph open in a page read in quirks
            // mode.)
            if (c == Class::Form)
                closeParagraph(lo);
            else if (m_quirks == Quirks::Maybe)
                mayClose("p", lo);
            push(name, false);
            return;
        case Class::Frameset:
            // Ignored where anything stands before it; where it stands in
            // the place of the BODY, the tree builder makes nothing after
            // it but frames.
            return;
        case Class::Other:
            // An ISINDEX closes a paragraph (unless it is ignored), a BUTTON
            // the one open, a ruby part the parts open in the ruby around
            // it.
            if (name == "isindex")
                mayClose("p", lo);
            if (name == "button")
                mayClose("button", lo);
            else if (name == "rb" || name == "rp" || name == "rt" || name == "rtc")
                mayClose("ruby", lo, 1);
            // (An ISINDEX is made into a form with its parts, none left
            // open, or ignored.)
            if (name == "isindex")
                return;
            if (name == "option" || name == "optgroup") {
                // Closes an OPTION that is the current element (in a SELECT
                // an OPTGROUP closes one too, which the scan does not
                // follow), and stays open until a tag the scan follows
                // closes it: an integration point around it stays open.
                if (m_open.size() > lo && m_open.back().name == "option" && m_open.back().known)
                    forget(m_open.size() - 1);
                if (name == "optgroup" && m_open.size() > lo && m_open.back().name == "optgroup")
                    unknownFrom(m_open.size() - 1);
                push(name, true);
                return;
            }
            // An element the tree builder does not know is always opened
            // where it stands; it stands here as one of the unknown ones,
            // which it does not tell apart.
            if (isNamed(name))
                push(name, false);
            else
                push(kUnknownElement, true);
            return;
        }
    }

    // What an HTML end tag (its lower-case name) does to the elements from
    // `lo` up to `top`.
    Outcome endEffect(std::string_view name, size_t lo, size_t top) const
    {
        if (name == "template") {
            // Closes the template with all that is open in it. (A template
            // is opened wherever its tag stands and closed only by its end
            // tag: past a mark that holds none, the one below is the
            // innermost; a mark that holds one holds the innermost, open
            // among the elements it stands for, at `at`.)
            for (size_t k = top; k-- > lo;) {
                if (m_open[k].name.empty() && m_open[k].hides("template"))
                    return {Effect::Unknown, k};
                if (m_open[k].known && m_open[k].name == "template")
                    return {Effect::Closes, k};
            }
            return {};
        }
        lo = reach(lo, top);
        const Class c = classOf(name);
        switch (c) {
        case Class::Block:
        case Class::Paragraph:
        case Class::Heading:
            // Closes the element of that name (any heading for a heading)
            // in scope.
            return scan(lo, top, [name, c](const Open& e) {
                if (c == Class::Heading ? classOf(e.name) == Class::Heading : e.name == name)
                    return Found::Target;
                return Found::Pass;
            });
        case Class::Phrase:
            // Closes the element of that name, unless a special one stands
            // between.
            return scan(lo, top, [name](const Open& e) {
                if (e.name == name)
                    return Found::Target;
                return isSpecial(e.name) ? Found::Stop : Found::Pass;
            });
        case Class::Other:
            if (!isNamed(name))
                break;
            [[fallthrough]];
        case Class::Formatting: {
            // Closed with what it holds, unless the tree builder moves what
            // it holds (a special element in it), or closes another one of
            // that name that it opened again where the scan cannot see it.
            bool special = false;
            for (size_t k = top; k-- > lo;) {
                const Open& e = m_open[k];
                if (e.name.empty()) {
                    // (A mark may stand for formatting elements opened
                    // again; of other elements, only for those it names.)
                    if (c == Class::Formatting || e.hides(name))
                        return {Effect::Unknown, lo};
                    for (const std::string& hidden : e.hidden)
                        special = special || !isPlain(hidden);
                    continue;
                }
                if (e.name == name)
                    return {special || m_reopenable ? Effect::MayClose : Effect::Closes, k};
                special = special || (!e.known && !isPlain(e.name)) || isSpecial(e.name);
            }
            return m_reopenable ? Outcome{Effect::Unknown, lo} : Outcome{};
        }
        case Class::TablePart:
        case Class::Table: {
            // Closes its table's parts, or the table: the nearest table,
            // past a mark that stands for none (nor for a template, whose
            // content the table's tags do not reach past).
            for (size_t k = top; k-- > lo;) {
                if (m_open[k].name.empty()) {
                    if (m_open[k].hides("table") || m_open[k].hides("template"))
                        return {Effect::Unknown, lo};
                    continue;
                }
                if (m_open[k].name == "table")
                    return {Effect::MayClose, c == Class::Table ? k : k + 1};
            }
            return {};
        }
        case Class::ListItem:
            // Closes the one of that name in scope (an LI not past a list).
            return scan(lo, top, [name](const Open& e) {
                if (e.name == name)
                    return Found::Target;
                return name == "li" && (e.name == "ul" || e.name == "ol") ? Found::Stop : Found::Pass;
            });
        case Class::Form: {
            // Takes only the form out, once the elements closed by
            // implication that are the current ones are closed, if a form
            // may be open (else it is ignored).
            size_t at = top;
            while (at > lo && m_open[at - 1].known && closesByImplication(m_open[at - 1].name))
                --at;
            return at < top && mayHold("form", lo) ? Outcome{Effect::MayClose, at} : Outcome{};
        }
        case Class::Void:    // a BR end tag is a BR
        case Class::Ignored: // the HTML, HEAD and BODY end tags close nothing
        case Class::Frameset:
            return {};
        }
        // An end tag of an element the tree builder does not know: it
        // closes the nearest such element, whatever its name, unless a
        // special one stands between.
        return scan(lo, top, [](const Open& e) {
            if (e.name == kUnknownElement)
                return Found::Target;
            return isSpecial(e.name) ? Found::Stop : Found::Pass;
        });
    }

    // Applies an end tag's effect to the elements from `lo` up.
    void apply(const Outcome& o, std::string_view name, size_t lo)
    {
        switch (o.effect) {
        case Effect::Nothing:
            return;
        case Effect::Closes:
            if (name == "a")
                m_anchors.count = std::max(0, m_anchors.count - 1);
            else if (name == "nobr")
                m_nobrs.count = std::max(0, m_nobrs.count - 1);
            forget(o.at, name);
            return;
        case Effect::MayClose:
            unknownFrom(o.at);
            return;
        case Effect::Unknown:
            unknownFrom(lo);
            return;
        }
    }

    // Whether an element the scan is sure of stands from `from` up to `to`
    // (else each may have been closed, or none stands there).
    bool holdsKnown(size_t from, size_t to) const
    {
        for (size_t k = from; k < to && k < m_open.size(); ++k)
            if (m_open[k].known && !m_open[k].name.empty())
                return true;
        return false;
    }

    // The elements from `at` up are closed.
    void truncate(size_t at)
    {
        if (at < m_open.size())
            forget(at);
    }

    // The elements from `from` up to `to` may have been closed (with all
    // above them, or none was); those above stay as they are.
    void mayBeClosed(size_t from, size_t to)
    {
        for (size_t k = from; k < std::min(to, m_open.size()); ++k) {
            Open& e = m_open[k];
            if (e.known && classOf(e.name) == Class::Formatting)
                m_reopenable = true;
            e.known = false;
        }
    }

    // The elements from `at` up are no longer known (an unnamed mark stands
    // for them).
    void unknownFrom(size_t at)
    {
        at = std::min(at, m_open.size());
        std::vector<std::string> names;
        for (size_t k = at; k < m_open.size(); ++k) {
            const Open& e = m_open[k];
            // (Each template is listed: they are all open, and each is
            // closed by an end tag of its own.)
            for (const std::string& n : e.name.empty() ? e.hidden : std::vector<std::string>{e.name})
                if (n == "template" || std::find(names.begin(), names.end(), n) == names.end())
                    names.push_back(n);
        }
        forget(at);
        m_open.push_back({std::string(), false, std::move(names)});
    }

    // A template end tag closes the innermost template, open among the
    // elements of the mark at `at`: the elements the mark stands for from
    // that template up are closed, those below it not known.
    void closeHiddenTemplate(size_t at)
    {
        std::vector<std::string>& hidden = m_open[at].hidden;
        hidden.erase(std::find(hidden.begin(), hidden.end(), "template"));
        unknownFrom(at);
    }

    // Whether an element of that name may be open from `from` up (named
    // there, or among the elements a mark stands for).
    bool mayHold(std::string_view name, size_t from) const
    {
        for (size_t k = from; k < m_open.size(); ++k) {
            const Open& e = m_open[k];
            if (e.name == name || e.hides(name))
                return true;
        }
        return false;
    }

private:
    // The name the elements the tree builder does not know stand under (no
    // tag has it: a '>' ends a tag's name).
    static constexpr std::string_view kUnknownElement = ">unknown";
    // What stands for an element the tree builder took off its list of
    // open elements (no tag has that name either).
    static constexpr std::string_view kTakenOff = ">taken off";

    // A second A (or NOBR) start tag: the tree builder takes the one
    // listed among its formatting elements off its list of open elements,
    // also out of reach of the tag (past an integration point, where it
    // closes nothing else), unless an element that starts a new part of
    // the list (a cell, a caption, a template...) stands above it: then
    // it may be open still.
    void takeOffListed(std::string_view name, size_t lo)
    {
        const size_t at = above(name, 0, lo);
        if (at == 0 || !m_open[at - 1].known)
            return;
        bool certain = true;
        for (size_t k = at; k < m_open.size() && certain; ++k) {
            const Open& e = m_open[k];
            for (const std::string& n : e.name.empty() ? e.hidden : std::vector<std::string>{e.name}) {
                if (n == name)
                    return; // (the one listed may be that one)
                certain = certain && !startsListPart(n);
            }
        }
        if (certain)
            m_open[at - 1] = {std::string(kTakenOff), false, {}};
        else
            m_open[at - 1].known = false;
    }
    // The A (or NOBR) start tags the scan counts as listed, and how many
    // starts of a new part of the list it had seen at the last one.
    struct Listed
    {
        int count = 0;
        size_t parts = 0;
    };
    // A second A (or NOBR) start tag where the one listed, the last one
    // opened, is open in reach of the tag with nothing above it but
    // elements that are neither special nor formatting ones, and no part
    // of the list started after it: the tree builder closes it with them,
    // as its end tag would there (an element it moves, or a part of the
    // list that keeps the one listed apart, is not followed). True when
    // it did.
    bool closeListedInReach(std::string_view name, size_t lo, const Listed& listed)
    {
        const size_t at = above(name, lo, m_open.size());
        if (listed.parts != m_listParts || at == lo || !m_open[at - 1].known)
            return false;
        for (size_t k = at; k < m_open.size(); ++k) {
            const Open& e = m_open[k];
            if (!e.known || !(e.name == kUnknownElement || (classOf(e.name) == Class::Phrase && !isSpecial(e.name))))
                return false;
        }
        forget(at - 1, name);
        return true;
    }
    // The elements the tree builder closes where they are the current one
    // before it takes a form out (its implied end tags).
    static bool closesByImplication(std::string_view name)
    {
        return name == "option" || name == "optgroup" || name == "p" || name == "li" || name == "dd" || name == "dt" ||
               name == "rb" || name == "rp" || name == "rt" || name == "rtc";
    }
    static bool startsListPart(std::string_view name)
    {
        return name == "td" || name == "th" || name == "caption" || name == "template" || name == "applet" ||
               name == "object" || name == "marquee";
    }

    struct Open
    {
        std::string name; // empty: elements the scan cannot name
        bool known;
        // (Of a mark: the names of the elements it stands for, which may
        // still be open. Others are opened only by tags the scan sees,
        // but formatting elements opened again.)
        std::vector<std::string> hidden;

        bool hides(std::string_view n) const { return std::find(hidden.begin(), hidden.end(), n) != hidden.end(); }
    };
    enum class Class {
        Void,       // no content, closes nothing (but an HR closes a paragraph)
        Ignored,    // HTML, HEAD, BODY: no element is opened
        Block,      // special, closes a paragraph, closed in scope
        Paragraph,  // P
        Heading,    // H1..H6
        Phrase,     // neither special nor formatting
        Formatting, // formatting elements, reopened and moved by the tree builder
        ListItem,   // LI, DD, DT
        TablePart,  // the parts of a table
        Table,
        Form,
        Frameset,
        Other, // followed only as a mark
    };
    enum class Found { Pass, Stop, Target };

    static Class classOf(std::string_view name)
    {
        static const std::unordered_map<std::string_view, Class> classes = [] {
            std::unordered_map<std::string_view, Class> m;
            const auto set = [&m](std::initializer_list<const char*> names, Class c) {
                for (const char* t : names)
                    m.emplace(t, c);
            };
            set({"area", "br", "embed", "img", "image", "wbr", "param", "source", "track", "meta", "link", "base",
                 "basefont", "bgsound", "input", "keygen", "hr", "menuitem"},
                Class::Void);
            // (A FRAME is made only among frames.)
            set({"html", "head", "body", "frame"}, Class::Ignored);
            set({"address", "article",  "aside",      "blockquote", "center", "details", "dir",    "div",
                 "dl",      "fieldset", "figcaption", "figure",     "footer", "header",  "hgroup", "menu",
                 "nav",     "ol",       "section",    "summary",    "ul",     "pre",     "listing"},
                Class::Block);
            set({"p"}, Class::Paragraph);
            set({"h1", "h2", "h3", "h4", "h5", "h6"}, Class::Heading);
            set({"span",
                 "abbr",
                 "acronym",
                 "bdo",
                 "cite",
                 "dfn",
                 "ins",
                 "del",
                 "kbd",
                 "label",
                 "q",
                 "samp",
                 "sub",
                 "sup",
                 "var",
                 "data",
                 "time",
                 "mark",
                 "ruby",
                 "bdi",
                 "video",
                 "audio",
                 "canvas",
                 "map",
                 "legend",
                 "datalist",
                 "output",
                 "progress",
                 "meter",
                 "nextid",
                 "blink",
                 "multicol",
                 "spacer",
                 "mi",
                 "mo",
                 "mn",
                 "ms",
                 "mtext",
                 "mglyph",
                 "malignmark",
                 "desc",
                 "foreignobject",
                 "annotation-xml",
                 "main",
                 "noscript"},
                Class::Phrase);
            set({"a", "b", "big", "code", "em", "font", "i", "nobr", "s", "small", "strike", "strong", "tt", "u"},
                Class::Formatting);
            set({"li", "dd", "dt"}, Class::ListItem);
            set({"caption", "colgroup", "col", "tbody", "thead", "tfoot", "tr", "td", "th"}, Class::TablePart);
            set({"table"}, Class::Table);
            set({"form"}, Class::Form);
            set({"frameset"}, Class::Frameset);
            // A name the tree builder does not know is not followed, nor are
            // those of its list that a phrase's name would otherwise take.
            for (auto it = m.begin(); it != m.end();)
                it = gumbo_tagn_enum(it->first.data(), unsigned(it->first.size())) == GUMBO_TAG_UNKNOWN ? m.erase(it)
                                                                                                        : std::next(it);
            return m;
        }();
        const auto it = classes.find(name);
        return it == classes.end() ? Class::Other : it->second;
    }

    // Where the elements from `lo` up to `top` are in reach of a tag: above
    // the innermost template among them (no tag but the template's end tag
    // reaches past it).
    size_t reach(size_t lo, size_t top) const
    {
        for (size_t k = std::min(top, m_open.size()); k-- > lo;)
            if (m_open[k].known && m_open[k].name == "template")
                return k + 1;
        return lo;
    }

    // Whether the tree builder knows the name (else it takes every unknown
    // element for one of that name).
    static bool isNamed(std::string_view name)
    {
        return !name.empty() && name.size() <= 16 &&
               gumbo_tagn_enum(name.data(), unsigned(name.size())) != GUMBO_TAG_UNKNOWN;
    }

    // Whether the element of that name, which the scan may not be sure is
    // open, is neither special nor a formatting element, nor a part of a
    // table: whether open or not, it does not change what an end tag of
    // another element does (the tree builder closes it with what it
    // closes).
    static bool isPlain(std::string_view name)
    {
        return name == "option" || name == "optgroup" || name == "rb" || name == "rp" || name == "rt" ||
               name == "rtc" || name == kTakenOff;
    }

    // Whether the known element of that name is special to the tree
    // builder (an end tag for another element does not reach past it).
    static bool isSpecial(std::string_view name)
    {
        const Class c = classOf(name);
        return c == Class::Block || c == Class::Paragraph || c == Class::Heading || c == Class::ListItem ||
               name == "noscript";
    }

    // Walks the elements from `top` down to `lo`: an unnamed mark that may
    // hold the element sought makes the effect unknown, a named one or a
    // mark that may hold a boundary uncertain (it may be a boundary the
    // tree builder stops at, or an element it has closed). (Besides the
    // elements it names, a mark stands only for formatting elements opened
    // again, which are neither sought here nor boundaries.)
    template <typename Match> Outcome scan(size_t lo, size_t top, Match match) const
    {
        bool marked = false;
        for (size_t k = top; k-- > lo;) {
            const Open& e = m_open[k];
            if (e.name.empty()) {
                for (const std::string& hidden : e.hidden) {
                    switch (match(Open{hidden, true, {}})) {
                    case Found::Target:
                        return {Effect::Unknown, lo};
                    case Found::Stop:
                        marked = true;
                        break;
                    case Found::Pass:
                        marked = marked || !isPlain(hidden);
                        break;
                    }
                }
                continue;
            }
            if (!e.known) {
                if (match(e) == Found::Target)
                    return {Effect::MayClose, k};
                // (Open or not, a plain one changes nothing.)
                marked = marked || !isPlain(e.name);
                continue;
            }
            switch (match(e)) {
            case Found::Target:
                return {marked ? Effect::MayClose : Effect::Closes, k};
            case Found::Stop:
                return {};
            case Found::Pass:
                break;
            }
        }
        return {};
    }

    // A start tag that closes an open paragraph in button scope.
    void closeParagraph(size_t lo)
    {
        const Outcome o =
            scan(lo, m_open.size(), [](const Open& e) { return e.name == "p" ? Found::Target : Found::Pass; });
        apply(o, "p", lo);
    }

    // A start tag that may close the element of that name open (and what
    // is open in it, from `after` elements above it on).
    void mayClose(std::string_view name, size_t lo, size_t after = 0)
    {
        const Outcome o =
            scan(lo, m_open.size(), [name](const Open& e) { return e.name == name ? Found::Target : Found::Pass; });
        if (o.effect != Effect::Nothing)
            unknownFrom(o.effect == Effect::Unknown ? lo : o.at + after);
    }

    // An LI (or DD, DT) closes the one open, unless a special element other
    // than an ADDRESS, DIV or P stands between.
    void closeListItem(std::string_view name, size_t lo)
    {
        const Outcome o = scan(lo, m_open.size(), [name](const Open& e) {
            if (name == "li" ? e.name == "li" : e.name == "dd" || e.name == "dt")
                return Found::Target;
            return isSpecial(e.name) && e.name != "address" && e.name != "div" && e.name != "p" ? Found::Stop
                                                                                                : Found::Pass;
        });
        apply(o, name, lo);
    }

    void push(std::string_view name, bool known) { m_open.push_back({std::string(name), known, {}}); }

    // Drops the elements from `at` up; a formatting element among them that
    // its own end tag did not close may be opened again by the tree builder.
    void forget(size_t at, std::string_view closedBy = {})
    {
        for (size_t k = at; k < m_open.size(); ++k)
            if (m_open[k].known && classOf(m_open[k].name) == Class::Formatting &&
                !(k == at && m_open[k].name == closedBy))
                m_reopenable = true;
        m_open.resize(at);
    }

    std::vector<Open> m_open;
    // Formatting elements that may be open or listed where the scan does
    // not see them.
    bool m_reopenable = false;
    Quirks m_quirks = Quirks::Yes;
    Listed m_anchors;
    Listed m_nobrs;
    // The starts of elements that start a new part of the list of
    // formatting elements (a cell, a template...).
    size_t m_listParts = 0;
};

// Where the scan of the input stands as to SVG and MathML, as the tree
// builder reads them: inside their content no tag starts raw text (a TITLE,
// STYLE or SCRIPT there holds markup); their HTML integration points hold
// HTML again, and the start tags of most HTML elements end them, as do the
// end tags of HTML elements open around them.
class ForeignContent
{
public:
    // `followed`: whether the input holds a start tag of an SVG or MathML
    // root anywhere (see startTagsHeld). Without one nothing is ever opened
    // here, so that what the HTML elements do decides nothing and is not
    // followed (on long pages most of the scan's time went to it).
    explicit ForeignContent(bool followed) : m_followed(followed) {}

    bool inForeign() const { return !m_open.empty() && m_open.back().foreign; }
    void setQuirks(HtmlOpen::Quirks quirks) { m_html.setQuirks(quirks); }
    // Whether the tree builder's current element is an SVG or MathML one
    // (also an integration point with no HTML element open in it), or may
    // be one (the HTML elements the scan saw opened in it may all have
    // been closed).
    bool inForeignElement() const { return current() != Current::No; }

    // A start tag (its lower-case name) taken out: an MGLYPH or MALIGNMARK
    // that the tree builder reads as MathML right in a MathML text
    // integration point, and as HTML inside an HTML element there, where
    // the scan cannot tell which it is; a FORM (or an ISINDEX, made into
    // one) in an integration point, which stays open there, or is closed
    // at once where a table is the tree builder's place, or is ignored
    // inside another form (the scan cannot tell whether the end tag of the
    // integration point after it closes that).
    bool dropsStart(std::string_view name) const
    {
        if (name == "form" || name == "isindex")
            return !m_open.empty() && !inForeign();
        // (An SVG start tag in MathML makes a MathML element of that name,
        // a MATH in SVG an SVG one, which the page would take for the
        // other kind of element: what they hold would be written as the
        // tree builder does not read it.)
        if (name == "svg" || name == "math")
            return inForeign() && m_open.back().math == (name == "svg");
        return isMathGlyph(name) && inMathTextPoint() && current() == Current::Maybe;
    }

    // Before a tag is read (its lower-case name; `tag`: its text after the
    // name; `tables`: how many tables are open around; `endsInTable`: read
    // as HTML, it ends what is open in the innermost table's part where it
    // stands). Inside SVG or MathML the tree builder ends them for the
    // start tags of most HTML elements, and reads the tag as HTML. A tag
    // that ends what is open in a part of the table (a TABLE or cell end
    // tag, a cell's start tag; no SVG or MathML element has such a name)
    // ends what was opened in that table, integration points and all.
    void leaveFor(std::string_view name, std::string_view tag, bool closing, int tables, bool endsInTable)
    {
        if (!m_followed)
            return;
        if (!closing && inForeign()) {
            if (!breaksOut(name, tag))
                return;
            close(m_open.size() - 1);
        }
        if (endsInTable && tables > 0) {
            size_t keep = m_open.size();
            while (keep > 0 && m_open[keep - 1].tables >= tables)
                --keep;
            close(keep);
        }
    }

    // Before an end tag is read (its lower-case name), with an SVG or
    // MathML element (not an integration point) the current one, and no
    // such element of that name open down to the HTML element around: a P
    // or BR end tag ends those elements, up to the HTML element or
    // integration point around, and is read as HTML after them (the tree
    // builder would leave them open and put the P or BR it makes inside);
    // another end tag is read as HTML with them open, and where the scan
    // cannot tell whether it closes an HTML element around them (and them
    // with it), they are ended first too, so that what follows is read
    // alike by both (the tree builder may have read a TITLE after it as
    // the HTML one, whose text the scan would read as tags). Returns the
    // end tags that close them, innermost first, as the tree builder reads
    // them (empty when there is nothing to close), and closes them here.
    std::string closeBeforeHtmlEnd(std::string_view name, int tables)
    {
        // (A FORM end tag closes no HTML element while an SVG or MathML
        // one is the current one.)
        if (!inForeign() || namesForeign(name) || name == "form")
            return {};
        if (name != "p" && name != "br") {
            const HtmlOpen::Effect effect = m_html.endEffect(name, endReach(name, tables), m_html.size()).effect;
            if (effect != HtmlOpen::Effect::MayClose && effect != HtmlOpen::Effect::Unknown)
                return {};
        }
        std::string tags;
        auto endTag = [&tags](const std::string& element) {
            tags += "</";
            // (A vertical tab in a name was written as U+FFFD.)
            for (const char c : element) {
                if (c == '\v')
                    tags += "\xEF\xBF\xBD";
                else
                    tags += c;
            }
            tags += '>';
        };
        const Open& root = m_open.back();
        for (auto it = root.inside.rbegin(); it != root.inside.rend(); ++it)
            endTag(*it);
        endTag(root.name);
        close(m_open.size() - 1);
        return tags;
    }

    // A start tag (its lower-case name; `tag`: its text, for attributes;
    // `tables`: how many tables are open around). True when the element it
    // starts is an SVG or MathML one.
    bool start(std::string_view name, std::string_view tag, bool selfClosed, int tables)
    {
        m_lastOpened = Opened::Nothing;
        if (inForeign()) {
            if (selfClosed)
                return true;
            if (isIntegrationPoint(name, tag)) {
                m_open.push_back({std::string(name), false, false, tables, m_html.size(), {}});
                m_lastOpened = Opened::Foreign;
            } else if (!setsTreeBuilderMode(name)) {
                m_open.back().inside.emplace_back(name);
                m_lastOpened = Opened::Inside;
            }
            return true;
        }
        // (In a MathML text integration point, an MGLYPH or MALIGNMARK is
        // MathML: an element that holds markup of its own.)
        const bool glyph = isMathGlyph(name) && inMathTextPoint() && current() == Current::Yes;
        if (name != "svg" && name != "math" && !glyph)
            return false;
        Q_ASSERT(m_followed);
        if (!selfClosed) {
            m_open.push_back({std::string(name), true, name == "math" || glyph, tables, m_html.size(), {}});
            m_lastOpened = Opened::Foreign;
        }
        return true;
    }

    // An HTML start tag (`kind`: how the scan reads it).
    void htmlStart(std::string_view name, TagKind kind, bool endsATable = false)
    {
        if (!m_followed)
            return;
        m_html.start(name, kind, htmlFloor(), endsATable);
        m_lastOpened = Opened::Html;
    }

    // The tag last started is taken out of the input: the tree builder
    // does not see it.
    void dropLast()
    {
        switch (m_lastOpened) {
        case Opened::Nothing:
            break;
        case Opened::Foreign:
            close(m_open.size() - 1);
            break;
        case Opened::Inside:
            m_open.back().inside.pop_back();
            break;
        case Opened::Html:
            // (What it closed is not known.)
            m_html.unknownFrom(htmlFloor());
            break;
        }
        m_lastOpened = Opened::Nothing;
    }

    // An end tag (its lower-case name) that the tree builder reads
    // (`tables`: how many tables are open around after it; `tableEnded`:
    // it is a TABLE end tag that closed one).
    void end(std::string_view name, int tables, bool tableEnded = false)
    {
        m_lastOpened = Opened::Nothing;
        if (!m_followed)
            return;
        // Its current element SVG or MathML (not an HTML element inside an
        // integration point): the end tag closes the SVG or MathML element
        // of that name open down to the first HTML element, if there is one.
        // Else the tree builder reads it as HTML, its current element still
        // a foreign one: an end tag that closes an HTML element open around
        // ends the SVG or MathML inside that element. (One whose effect the
        // scan cannot tell has ended them before it: closeBeforeHtmlEnd.)
        // The scopes of HTML end tags end at an integration point.
        const bool current = !m_open.empty() && m_html.size() == m_open.back().html;
        const bool pastTitle =
            !m_open.empty() && !inForeign() && isSvgTitle(m_open.size() - 1) && HtmlOpen::closesTheNearest(name);
        if (current && (closeForeign(name, m_html.size()) || (!inForeign() && name != "template" && !pastTitle)))
            return;
        // Where the scan cannot tell whether the HTML elements opened in the
        // innermost integration point are all closed, the end tag of that
        // point, or of an SVG or MathML element around it, is taken to
        // close it, as the tree builder does when they are (a page that
        // closes what it opens, as every saved one does), unless an HTML
        // element of that name may be open there (it closes that one), or
        // a table opened in the point is open (the end tag is ignored in
        // it). Kept open, SVG or MathML that the tree builder closed would
        // be read as HTML (a SELECT there, in a table, ended the program).
        if (!current && !inForeign() && this->current() == Current::Maybe && tables <= m_open.back().tables &&
            !m_html.mayHold(name, m_open.back().html) && closeForeign(name, m_open.back().html))
            return;
        const size_t lo = endReach(name, tables);
        HtmlOpen::Outcome o = m_html.endEffect(name, lo, m_html.size());
        // A table that the end tag closed, found with nothing unknown above
        // it, is the innermost one open: it is closed with what it holds.
        if (tableEnded && o.effect == HtmlOpen::Effect::MayClose)
            o.effect = HtmlOpen::Effect::Closes;
        if (o.effect == HtmlOpen::Effect::Closes) {
            // With what was opened in the element it closes.
            size_t keep = m_open.size();
            while (keep > 0 && m_open[keep - 1].html > o.at)
                --keep;
            close(keep);
            m_html.apply(o, name, lo);
        } else if (name == "template" && o.effect == HtmlOpen::Effect::Unknown) {
            // Its template stands in a mark: what was opened above that
            // is closed with it, also where the end tag stands right in an
            // integration point.
            size_t keep = m_open.size();
            while (keep > 0 && m_open[keep - 1].html > o.at)
                --keep;
            close(keep);
            m_html.closeHiddenTemplate(o.at);
        } else if (!current && o.effect != HtmlOpen::Effect::Nothing) {
            const size_t floor = htmlFloor();
            if (o.effect == HtmlOpen::Effect::MayClose && o.at >= floor) {
                m_html.apply(o, name, lo);
            } else if (lo < floor && m_html.endEffect(name, floor, m_html.size()).effect == HtmlOpen::Effect::Nothing) {
                // The tree builder's walk passes what is open in the
                // innermost integration point: it closes that point with
                // all in it, or nothing. Either way what it reads next is
                // HTML; what is open in the point stays known (its end tag
                // is ignored while one of them is open, as the tree builder
                // does where it closed nothing), and what stands below the
                // point may be closed.
                m_html.mayBeClosed(o.effect == HtmlOpen::Effect::Unknown ? lo : o.at, floor);
            } else {
                m_html.unknownFrom(floor);
            }
        }
    }

private:
    struct Open
    {
        std::string name;
        bool foreign; // an SVG or MathML root; else an integration point
        bool math;
        int tables;  // the tables open around it
        size_t html; // the HTML elements open around it
        // The SVG or MathML elements open inside a root (not integration
        // points), in order.
        std::vector<std::string> inside;
    };
    enum class Opened { Nothing, Foreign, Inside, Html };
    enum class Current { Yes, No, Maybe };

    // Whether the tree builder's current element is the innermost SVG or
    // MathML element or integration point open.
    Current current() const
    {
        if (m_open.empty())
            return Current::No;
        const size_t floor = m_open.back().html;
        if (m_html.size() == floor)
            return Current::Yes;
        return m_html.holdsKnown(floor, m_html.size()) ? Current::No : Current::Maybe;
    }

    static bool isMathGlyph(std::string_view name) { return name == "mglyph" || name == "malignmark"; }

    // Whether the innermost entry is a MathML text integration point.
    bool inMathTextPoint() const
    {
        if (m_open.empty() || m_open.back().foreign)
            return false;
        const std::string& n = m_open.back().name;
        if (n != "mi" && n != "mo" && n != "mn" && n != "ms" && n != "mtext")
            return false;
        for (auto it = m_open.rbegin(); it != m_open.rend(); ++it)
            if (it->foreign)
                return it->math;
        return false;
    }

    // Where the HTML elements of the innermost integration point (or of
    // the page) start.
    size_t htmlFloor() const { return m_open.empty() ? 0 : m_open.back().html; }

    // Where the HTML elements an end tag of that name may close start: in
    // the innermost integration point, or around the SVG or MathML element
    // that is the tree builder's current one. A TEMPLATE end tag closes the
    // template, wherever it stands. An end tag that closes the nearest
    // element of its name walks past an SVG TITLE, which the tree builder
    // does not take for special, and past the SVG around it, down to the
    // table around that SVG (`tables`: how many are open), if it is open.
    // Where a table opened in the innermost point is open, only what was
    // opened above it is in reach of an end tag not read as its table's (the
    // tree builder stops at the table, or at a part of it).
    size_t endReach(std::string_view name, int tables) const
    {
        if (name == "template" || m_open.empty())
            return 0;
        size_t k = m_open.size() - 1;
        // (A MathML ANNOTATION-XML is special: the walk of an HTML end tag
        // from a MathML element in it stops there.)
        if (m_open[k].foreign && m_open[k].math && m_html.size() == m_open[k].html &&
            std::find(m_open[k].inside.begin(), m_open[k].inside.end(), "annotation-xml") != m_open[k].inside.end())
            return m_html.size();
        if (tables > m_open[k].tables && !readAsTheTables(name))
            if (const size_t table = m_html.above("table", m_open[k].html, m_html.size()); table > m_open[k].html)
                return table;
        const bool walk = HtmlOpen::closesTheNearest(name);
        if (m_open[k].foreign ? m_html.size() != m_open[k].html : !(walk && isSvgTitle(k)))
            return m_open[k].html;
        for (;;) {
            // (A point stands right in the SVG or MathML root below it.)
            if (!m_open[k].foreign && k > 0)
                --k;
            const size_t below = k > 0 ? m_open[k - 1].html : 0;
            if (m_open[k].tables > 0 && tables >= m_open[k].tables)
                if (const size_t table = m_html.above("table", below, m_open[k].html); table > below)
                    return table;
            if (k == 0)
                return 0;
            --k;
            if (!(walk && isSvgTitle(k)))
                return m_open[k].html;
        }
    }
    bool isSvgTitle(size_t k) const { return !m_open[k].foreign && m_open[k].name == "title"; }
    // The end tags a table reads by its own rules.
    static bool readAsTheTables(std::string_view name)
    {
        return name == "table" || name == "caption" || name == "colgroup" || name == "col" || name == "tbody" ||
               name == "thead" || name == "tfoot" || name == "tr" || name == "td" || name == "th";
    }

    // Closes the entries from `keep` on, with the HTML elements in them.
    void close(size_t keep)
    {
        if (keep >= m_open.size())
            return;
        m_html.truncate(m_open[keep].html);
        m_open.resize(keep);
    }

    // The tree builder's walk for an end tag in SVG or MathML: from its
    // current element down to the first HTML element, the element of that
    // name is closed with what is open in it (`above`: where the HTML
    // elements open above the innermost entry start). True when there was
    // one.
    bool closeForeign(std::string_view name, size_t above)
    {
        const std::optional<Target> t = foreignNamed(name, above);
        if (!t)
            return false;
        if (t->inside) {
            close(t->entry + 1);
            m_open[t->entry].inside.resize(t->at);
        } else {
            close(t->entry);
        }
        return true;
    }

    // Where that walk finds the element of that name: its entry, and
    // whether it is one of the elements inside that root (at `at` there)
    // or the entry itself.
    struct Target
    {
        size_t entry;
        bool inside;
        size_t at;
    };
    std::optional<Target> foreignNamed(std::string_view name, size_t above) const
    {
        for (size_t k = m_open.size(); k-- > 0;) {
            const Open& o = m_open[k];
            if (above > o.html)
                return std::nullopt; // an HTML element stands between
            for (size_t j = o.inside.size(); j-- > 0;)
                if (o.inside[j] == name)
                    return Target{k, true, j};
            if (o.name == name)
                return Target{k, false, 0};
            above = o.html;
        }
        return std::nullopt;
    }
    bool namesForeign(std::string_view name) const { return foreignNamed(name, m_html.size()).has_value(); }

    static bool breaksOut(std::string_view name, std::string_view tag)
    {
        static const std::unordered_map<std::string_view, bool> names = [] {
            std::unordered_map<std::string_view, bool> m;
            for (const char* t :
                 {"b",     "big",   "blockquote", "body",   "br",   "center", "code",  "dd", "div",  "dl",   "dt",
                  "em",    "embed", "h1",         "h2",     "h3",   "h4",     "h5",    "h6", "head", "hr",   "i",
                  "img",   "li",    "listing",    "menu",   "meta", "nobr",   "ol",    "p",  "pre",  "ruby", "s",
                  "small", "span",  "strong",     "strike", "sub",  "sup",    "table", "tt", "u",    "ul",   "var"})
                m.emplace(t, true);
            return m;
        }();
        if (names.count(name))
            return true;
        // A FONT only with an attribute of one of those names (not "xsize",
        // nor a value that holds "size").
        return name == "font" &&
               (attributeValue(tag, "color") || attributeValue(tag, "face") || attributeValue(tag, "size"));
    }

    bool isIntegrationPoint(std::string_view name, std::string_view tag) const
    {
        bool math = false;
        for (auto it = m_open.rbegin(); it != m_open.rend(); ++it)
            if (it->foreign) {
                math = it->math;
                break;
            }
        if (!math)
            return name == "foreignobject" || name == "desc" || name == "title";
        if (name == "mi" || name == "mo" || name == "mn" || name == "ms" || name == "mtext")
            return true;
        if (name != "annotation-xml")
            return false;
        // Its encoding exactly one of those two, in any case (the tree
        // builder compares the value with its character references read;
        // a value written with them is taken for another one here).
        const std::optional<std::string_view> encoding = attributeValue(tag, "encoding");
        return encoding && (sameAsciiText(*encoding, "text/html") || sameAsciiText(*encoding, "application/xhtml+xml"));
    }

    static bool sameAsciiText(std::string_view written, std::string_view lower)
    {
        return written.size() == lower.size() && sameAsciiName(written.data(), lower.data(), lower.size());
    }

    // The value of a start tag's first attribute named `name` (in lower
    // case), the attributes read from `tag` (the tag's text after its name)
    // as the tokenizer reads them; none when it has no such attribute.
    static std::optional<std::string_view> attributeValue(std::string_view tag, std::string_view name)
    {
        const size_t n = tag.size();
        size_t k = 0;
        while (k < n && tag[k] != '>') {
            if (isTagSpace(tag[k]) || tag[k] == '/') {
                ++k;
                continue;
            }
            // The name: its first character may be any other ('=' too).
            const size_t start = k++;
            while (k < n && !isTagSpace(tag[k]) && tag[k] != '/' && tag[k] != '=' && tag[k] != '>')
                ++k;
            const std::string_view written = tag.substr(start, k - start);
            while (k < n && isTagSpace(tag[k]))
                ++k;
            std::string_view value;
            if (k < n && tag[k] == '=') {
                ++k;
                while (k < n && isTagSpace(tag[k]))
                    ++k;
                if (k < n && (tag[k] == '"' || tag[k] == '\'')) {
                    const size_t close = std::min(tag.find(tag[k], k + 1), n);
                    value = tag.substr(k + 1, close - k - 1);
                    k = std::min(close + 1, n);
                } else {
                    const size_t from = k;
                    while (k < n && !isTagSpace(tag[k]) && tag[k] != '>')
                        ++k;
                    value = tag.substr(from, k - from);
                }
            }
            if (sameAsciiText(written, name))
                return value;
        }
        return std::nullopt;
    }

    std::vector<Open> m_open;
    HtmlOpen m_html;
    Opened m_lastOpened = Opened::Nothing;
    bool m_followed;
};

// Where the scan of the input stands as to an HTML SELECT, as the tree
// builder reads it: inside one it ignores every start tag but a few, so
// that a TITLE, STYLE or PLAINTEXT there starts no raw text and an SVG no
// foreign content; some tags close it.
class SelectContent
{
public:
    // `followed`: whether the input holds a start tag of a SELECT, or of an
    // SVG or MathML root (for which the tables open are followed), anywhere
    // (see startTagsHeld). Without one no tag is ignored, and nothing here
    // is asked for.
    explicit SelectContent(bool followed) : m_followed(followed) {}

    // A tag outside SVG and MathML (its lower-case name). True when the
    // tree builder ignores it.
    bool ignores(std::string_view name, bool closing)
    {
        m_endedBefore = false;
        if (!m_followed)
            return false;
        // A template holds markup of its own, also inside a SELECT or a
        // table (whose tables are out of its reach); its end tag closes
        // what was opened in it.
        if (name == "template") {
            if (!closing) {
                m_templates.push_back({m_open, m_inTable, m_cells.size(), false, false});
                m_open = false;
            } else if (!m_templates.empty()) {
                m_open = m_templates.back().open;
                m_inTable = m_templates.back().inTable;
                m_cells.resize(m_templates.back().tables);
                m_templates.pop_back();
            }
            return false;
        }
        // A template whose first tag is a part of a table reads its markup
        // as that table's (with no table element around it). (Tags read as
        // the head's, a TITLE say, leave that choice to the tag after them.)
        if (!closing && !m_templates.empty() && !m_templates.back().started && !readAsTheHeads(name)) {
            m_templates.back().started = true;
            m_templates.back().tableParts =
                name != "table" && (isTablePart(name) || name == "colgroup" || name == "col");
        }
        if (m_open) {
            const bool tablePart = m_inTable && isTablePart(name);
            if (closing && tablePart && !inTableScope(name)) {
                // (Closes nothing: ignored, the SELECT stays open.)
                return true;
            }
            if (closing) {
                m_open = !(name == "select" || tablePart);
                m_endedBefore = tablePart;
                // Other end tags but those of its options are ignored: the
                // end tag of an SVG TITLE around it, say, leaves the TITLE
                // open.
                if (m_open)
                    return name != "option" && name != "optgroup";
            } else if (name == "select") {
                m_open = false;
                m_endedBefore = true;
                return true;
            } else if (name == "input" || name == "keygen" || name == "textarea" || tablePart) {
                m_open = false;
                m_endedBefore = true;
            } else {
                return !(name == "option" || name == "optgroup" || name == "script" || name == "html");
            }
        }
        if (m_open)
            return false;
        if (name == "table") {
            // A table started in a cell is one more; one started in the
            // table itself (outside its cells) ends the one before.
            if (closing) {
                if (tableInReach())
                    m_cells.pop_back();
            } else if (!tableInReach() || m_cells.back().holdsMarkup()) {
                m_cells.emplace_back();
            } else {
                m_cells.back() = {};
            }
        } else if (tableInReach() && (isTablePart(name) || name == "colgroup" || name == "col")) {
            m_cells.back().take(name, closing);
        } else if (name == "select" && !closing) {
            m_open = true;
            m_inTable = tableInReach() || (!m_templates.empty() && m_templates.back().tableParts);
        }
        return false;
    }

    // The tables open (as far as the start and end tags tell), and whether
    // the innermost one is within reach (not outside a template).
    int tables() const { return int(m_cells.size()); }
    // Whether the innermost table (in reach) has an element of that name
    // (a part of a table) open: the tree builder's table scope.
    bool inTableScope(std::string_view name) const
    {
        if (!tableInReach())
            return false;
        const Parts& t = m_cells.back();
        if (name == "table")
            return true;
        if (name == "caption")
            return t.caption;
        if (name == "tr")
            return t.row;
        if (name == "td" || name == "th")
            return t.cell == name;
        return t.section == name;
    }
    bool tableInReach() const { return m_cells.size() > (m_templates.empty() ? 0 : m_templates.back().tables); }
    // Whether the start tag of a part of a table (its lower-case name), a
    // cell say, read as HTML, is ignored: no table is in reach, nor does a
    // template around read its markup as a table's.
    bool ignoresTablePartStart(std::string_view name) const
    {
        return name != "table" && (isTablePart(name) || name == "colgroup" || name == "col") && !tableInReach() &&
               (m_templates.empty() || !m_templates.back().tableParts);
    }
    // Whether the tag last read ended the SELECT before it (the tree
    // builder reads a SELECT start tag in one as its end tag, and ends it
    // before an INPUT, say, or a part of its table).
    bool endedBefore() const { return m_endedBefore; }

    // Whether a tag read as HTML ends what is open in the innermost table's
    // part where it stands (its cell, row, caption or section), or in the
    // whole table: the tree builder's table scope, and its clearing of its
    // stack back to a part of the table, reach past SVG and MathML and
    // their integration points.
    bool endsWhatIsOpenInTable(std::string_view name, bool closing) const
    {
        if (!tableInReach())
            return false;
        if (closing)
            return name != "colgroup" && isTablePart(name) && inTableScope(name);
        // (A SELECT in a table ignores the start tag of a column; a TABLE
        // in a cell or caption is one more.)
        if (name == "col" || name == "colgroup")
            return !m_open;
        return isTablePart(name) && (name != "table" || !m_cells.back().holdsMarkup());
    }

private:
    // The start tags a template reads as the head's, whatever it holds.
    static bool readAsTheHeads(std::string_view name)
    {
        return name == "base" || name == "basefont" || name == "bgsound" || name == "link" || name == "meta" ||
               name == "noframes" || name == "script" || name == "style" || name == "title";
    }

    // The tags that close a SELECT inside a table (and are then read again).
    static bool isTablePart(std::string_view name)
    {
        return name == "table" || name == "caption" || name == "tbody" || name == "thead" || name == "tfoot" ||
               name == "tr" || name == "td" || name == "th";
    }

    bool m_followed;
    bool m_open = false;
    bool m_inTable = false;
    bool m_endedBefore = false;
    // What of a table open is open in it, as its start and end tags tell.
    struct Parts
    {
        bool caption = false;
        std::string section; // "tbody", "thead" or "tfoot"
        bool row = false;
        std::string cell; // "td" or "th"

        // A caption holds markup as a cell does: a table in it is one more.
        bool holdsMarkup() const { return caption || !cell.empty(); }
        // A tag of a part of the table (or of a column) read in it: a start
        // tag closes what it cannot stand in and opens what it needs; an
        // end tag closes its element only when it is open.
        void take(std::string_view name, bool closing)
        {
            if (closing) {
                if (name == "td" || name == "th") {
                    if (cell == name)
                        cell.clear();
                } else if (name == "tr") {
                    if (row)
                        *this = {false, section, false, {}};
                } else if (name == "caption") {
                    caption = false;
                } else if (name == section) {
                    *this = {};
                }
                return;
            }
            if (name == "caption") {
                *this = {true, {}, false, {}};
            } else if (name == "colgroup" || name == "col") {
                *this = {};
            } else if (name == "tbody" || name == "thead" || name == "tfoot") {
                *this = {false, std::string(name), false, {}};
            } else if (name == "tr" || name == "td" || name == "th") {
                const std::string kept = section.empty() ? std::string("tbody") : section;
                *this = {false, kept, true, name == "tr" ? std::string() : std::string(name)};
            }
        }
    };
    std::vector<Parts> m_cells;
    // What stood around each template open.
    struct Around
    {
        bool open;
        bool inTable;
        size_t tables;
        bool started;    // a start tag read in it
        bool tableParts; // its markup read as a table's
    };
    std::vector<Around> m_templates;
};

} // namespace parser_detail

QByteArray HtmlParser::flushMarkerFor(const QByteArray& utf8)
{
    // A stem and eight hex digits the page does not have after that stem.
    constexpr std::string_view stem = "paginor:flush:";
    const std::string_view page(utf8.constData(), size_t(utf8.size()));
    std::unordered_set<std::string_view> taken;
    for (size_t at = page.find(stem); at != std::string_view::npos; at = page.find(stem, at + 1))
        taken.insert(page.substr(at + stem.size(), 8));
    for (quint32 k = 0x7f3c;; ++k) {
        const QByteArray digits = QByteArray::number(k, 16).rightJustified(8, '0');
        if (!taken.count(std::string_view(digits.constData(), 8)))
            return QByteArray(stem.data(), qsizetype(stem.size())) + digits;
    }
}

void HtmlParser::releaseSpareMemory()
{
    std::vector<parser_detail::SpareBlock> blocks;
    QByteArray utf8;
    {
        parser_detail::SpareMemory& spare = parser_detail::spareMemory();
        const std::lock_guard<std::mutex> held(spare.lock);
        blocks.swap(spare.blocks);
        utf8.swap(spare.utf8);
    }
}

size_t HtmlParser::spareMemoryBytes()
{
    parser_detail::SpareMemory& spare = parser_detail::spareMemory();
    const std::lock_guard<std::mutex> held(spare.lock);
    size_t bytes = size_t(spare.utf8.capacity());
    for (const parser_detail::SpareBlock& b : spare.blocks)
        bytes += b.size;
    return bytes;
}

quint64 HtmlParser::strictReadings()
{
    return parser_detail::treeBuilderRecoveries.load();
}

quint64 HtmlParser::unreadable()
{
    return parser_detail::treeBuilderFailures.load();
}

HtmlParser::PreparedInput HtmlParser::prepareInput(const QByteArray& in, int maxDepth, int* deepest, Scan scan)
{
    using namespace parser_detail;
    const char* s = in.constData();
    const qsizetype n = in.size();
    PreparedInput result;
    QByteArray& out = result.bytes;
    QByteArray markerTag;
    bool changed = false;
    qsizetype copied = 0;
    // Copies the input up to `to` once the output differs from it.
    auto copyTo = [&](qsizetype to) {
        if (!changed) {
            out.reserve(n + n / 64 + 64);
            changed = true;
        }
        out.append(s + copied, to - copied);
        copied = to;
    };
    // Puts a flush marker at the end of the output.
    auto putMarker = [&]() {
        if (markerTag.isEmpty()) {
            result.marker = flushMarkerFor(in);
            markerTag = "<!--" + result.marker + "-->";
        }
        result.markers.push_back(out.size());
        out.append(markerTag);
    };
    // Leaves out the start tag from `from` to `end` (its '>'). The text before it and the
    // text after it must not be read as one: a '<' before it would start a
    // tag with the text after it (a SELECT in SVG that ends the program, an
    // end tag, a comment that hides tags from this scan), an '&' a
    // character reference. A flush marker keeps them apart there.
    auto dropTag = [&](qsizetype from, qsizetype end) {
        copyTo(from);
        if (joinsWithWhatFollows(out))
            putMarker();
        copied = end < n ? end + 1 : n;
    };
    int depth = 0;
    const StartTagsHeld held = startTagsHeld(s, n);
    ForeignContent foreign(held.foreign);
    foreign.setQuirks(startsWithDoctype(s, n) ? HtmlOpen::Quirks::Maybe : HtmlOpen::Quirks::Yes);
    SelectContent select(held.foreign || held.select);
    // (Strict scan: an SVG or MathML start tag came before.)
    bool foreignBefore = false;
    for (qsizetype i = 0; i < n; ++i) {
        const void* lt = std::memchr(s + i, '<', size_t(n - i));
        if (!lt)
            break;
        i = static_cast<const char*>(lt) - s;
        if (i + 1 >= n)
            break;
        const char c = s[i + 1];
        if (c == '!') {
            // A comment, a DOCTYPE or a bogus comment. A CDATA section is one
            // only where the tree builder's current element is an SVG or
            // MathML one (elsewhere it is a bogus comment that ends at the
            // first '>', the tags after it read as tags): there it is
            // written as the text it holds, which reads the same there and
            // hides no tag from this scan wherever the tree builder stands.
            if (i + 3 < n && s[i + 2] == '-' && s[i + 3] == '-') {
                i = commentEnd(s, i, n);
            } else if (foreign.inForeignElement() && in.mid(i + 2, 7) == "[CDATA[") {
                const qsizetype e = in.indexOf("]]>", i + 9);
                const qsizetype end = e < 0 ? n : e;
                copyTo(i);
                // (Its text must not be read as one with the text before.)
                if (joinsWithWhatFollows(out))
                    putMarker();
                for (qsizetype k = i + 9; k < end; ++k) {
                    if (s[k] == '<')
                        out.append("&lt;");
                    else if (s[k] == '&')
                        out.append("&amp;");
                    else
                        out.append(s[k]);
                }
                copied = e < 0 ? n : e + 3;
                i = copied - 1;
            } else {
                const qsizetype e = in.indexOf('>', i + 2);
                i = e < 0 ? n : e;
            }
            continue;
        }
        if (c == '?') {
            const qsizetype e = in.indexOf('>', i + 2);
            i = e < 0 ? n : e;
            continue;
        }
        const bool closing = c == '/';
        const qsizetype nameStart = i + (closing ? 2 : 1);
        if (nameStart >= n || !std::isalpha(uchar(s[nameStart]))) {
            if (closing) {
                // "</>" is dropped, "</ x>" is a bogus comment. The tree
                // builder takes a "</>" right before a tag for part of that
                // tag's text, where it looks for the tag's name (an SVG
                // element would not be ended by its end tag, an unknown
                // element would have no name): it is taken out.
                const qsizetype e = in.indexOf('>', i + 2);
                if (e == i + 2)
                    dropTag(i, e);
                i = e < 0 ? n : e;
            }
            continue;
        }
        qsizetype p = nameStart;
        bool verticalTab = false;
        while (p < n && !isTagSpace(s[p]) && s[p] != '/' && s[p] != '>') {
            verticalTab = verticalTab || s[p] == '\v';
            ++p;
        }
        // A vertical tab is part of a tag name, but the tree builder ends an
        // SVG or MathML start tag's name there when it matches end tags:
        // such an element would never be closed by its own end tag. It
        // becomes the replacement character, as NUL does.
        auto replaceVerticalTabs = [&, nameStart, p]() {
            if (!verticalTab)
                return;
            copyTo(nameStart);
            for (qsizetype k = nameStart; k < p; ++k)
                if (s[k] == '\v')
                    out.append("\xEF\xBF\xBD");
                else
                    out.append(s[k]);
            copied = p;
        };
        const char* name = s + nameStart;
        const size_t nameLen = size_t(p - nameStart);
        std::string lowerName(name, nameLen);
        for (char& ch : lowerName)
            ch = ch >= 'A' && ch <= 'Z' ? char(ch + ('a' - 'A')) : ch;
        TagKind kind = kindOf(lowerName);
        bool selfClosed = false;
        const qsizetype gt = tagEnd(s, p, n, &selfClosed);
        const std::string_view attributes(s + p, size_t(std::max<qsizetype>(0, gt - p)));
        if (scan == Scan::Strict && !closing) {
            if (foreignBefore && setsTreeBuilderMode(lowerName)) {
                dropTag(i, gt);
                i = gt;
                continue;
            }
            foreignBefore = foreignBefore || lowerName == "svg" || lowerName == "math";
        }
        foreign.leaveFor(lowerName, attributes, closing, select.tableInReach() ? select.tables() : 0,
                         select.endsWhatIsOpenInTable(lowerName, closing));
        if (!closing && foreign.dropsStart(lowerName)) {
            dropTag(i, gt);
            i = gt;
            continue;
        }
        if (closing) {
            if (const std::string ends = foreign.closeBeforeHtmlEnd(lowerName, select.tables()); !ends.empty()) {
                copyTo(i);
                out.append(ends.data(), qsizetype(ends.size()));
            }
        }
        const bool html = !foreign.inForeign();
        const int tablesBefore = select.tables();
        const bool ignored = html && select.ignores(lowerName, closing);
        if (html && select.endedBefore())
            foreign.end("select", select.tables());
        if (ignored) {
            i = gt;
            continue;
        }
        if (closing) {
            foreign.end(lowerName, select.tables(), lowerName == "table" && select.tables() < tablesBefore);
        } else if (!foreign.start(lowerName, attributes, selfClosed, select.tables())) {
            if (!select.ignoresTablePartStart(lowerName))
                foreign.htmlStart(lowerName, kind,
                                  lowerName == "table" && tablesBefore > 0 && select.tables() == tablesBefore);
        } else {
            // An SVG or MathML element of that name holds markup.
            if (kind == TagKind::RawText || kind == TagKind::Script || kind == TagKind::PlainText)
                kind = TagKind::Nesting;
            // When the tree builder works out its mode again (after a table
            // or a cell inside it ends) it takes an SVG or MathML element
            // named as one of the HTML elements that set a mode for an HTML
            // one: a SELECT there fails an assertion that ends the program,
            // an HTML one puts a second BODY inside it, whose paragraphs
            // grow at every save. No such element is made (its content
            // stays).
            if (setsTreeBuilderMode(lowerName)) {
                dropTag(i, gt);
                i = gt;
                continue;
            }
        }
        if (closing) {
            replaceVerticalTabs();
            if (kind == TagKind::Form) {
                copyTo(i);
                putMarker();
            }
            // What follows an end tag's name ("</svg/>", "</svg foo>") means
            // nothing, but the tree builder matches an SVG or MathML end tag
            // with all of it and would close nothing: it is left out.
            if (gt < n && gt > p) {
                copyTo(p);
                copied = gt;
            }
            if (kind == TagKind::Nesting || kind == TagKind::Form)
                depth = qMax(0, depth - 1);
            i = gt;
            continue;
        }
        // (Strict scan: where the tree builder may read an SVG or MathML
        // element of that name, what follows holds tags.)
        if (foreignBefore && (kind == TagKind::PlainText || kind == TagKind::RawText || kind == TagKind::Script)) {
            i = gt;
            continue;
        }
        switch (kind) {
        case TagKind::PlainText:
            i = n;
            continue;
        case TagKind::RawText:
        case TagKind::Script: {
            const qsizetype end =
                kind == TagKind::Script ? scriptTextEnd(s, gt, n) : rawTextEnd(s, gt, n, name, nameLen);
            // Its end tag is passed over with it: it closes this element,
            // not the SVG TITLE or MathML element of that name around it.
            qsizetype after = end + 2;
            while (after < n && !isTagSpace(s[after]) && s[after] != '/' && s[after] != '>')
                ++after;
            i = end < n ? tagEnd(s, after, n) : n;
            continue;
        }
        case TagKind::Flat:
            i = gt;
            continue;
        case TagKind::Nesting:
        case TagKind::Form:
            break;
        }
        if (deepest && !selfClosed)
            *deepest = qMax(*deepest, depth + 1);
        if (!selfClosed && ++depth > maxDepth) {
            --depth;
            foreign.dropLast();
            dropTag(i, gt);
        } else {
            replaceVerticalTabs();
        }
        i = gt;
    }
    if (!changed)
        out = in;
    else
        out.append(s + copied, n - copied);
    return result;
}

} // namespace engine
