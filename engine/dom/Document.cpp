#include "engine/dom/Document.h"

#include "engine/css/CssColor.h"
#include "engine/dom/DocumentObserver.h"
#include "engine/dom/LayoutServices.h"
#include "engine/dom/LivePosition.h"
#include "engine/editing/CommandGroup.h"
#include "engine/editing/Selection.h"
#include "engine/editing/TextRange.h"
#include "engine/html/HtmlParser.h"
#include "engine/html/PageLoader.h"
#include "engine/markup/MarkupContainer.h"
#include "engine/markup/UndoManager.h"
#include "platform/BackgroundWork.h"

#include <QCoreApplication>

#include <algorithm>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace engine {

namespace {

// A page's tree takes many megabytes of small blocks, freed at once when the
// page is closed, reloaded or read again. The allocator keeps up to 64 MB of
// freed memory for the next tree instead of giving it back to the system,
// which would make the next page fault every page of it in again. Buffers
// of up to 32 MB come from that memory too, as the allocator has them come
// by itself once it has seen such buffers freed (setting the first turns
// that off): the lists of words, lines and moves of a long page that each
// edit makes and drops would otherwise be mapped anew each time and
// faulted in page by page.
// The arenas of other threads (a long page's layout is read in parts on
// several at once) are made ready whole, not a page at a time as they grow:
// each growth is a call that holds up the page faults of every thread of the
// program (600,000 paragraphs: 620,000 such calls). Memory not touched
// costs nothing.
void keepFreedMemoryForTheNextPage()
{
#ifdef __GLIBC__
    static const bool done = [] {
        mallopt(M_TRIM_THRESHOLD, 64 << 20);
        mallopt(M_MMAP_THRESHOLD, 32 << 20);
        mallopt(M_TOP_PAD, 64 << 20);
        return true;
    }();
    Q_UNUSED(done);
#endif
}

} // namespace

Document::Document() : Node(NodeType::Document, this)
{
    keepFreedMemoryForTheNextPage();
}

Document::~Document() = default;

Ref<Document> Document::create()
{
    return Ref<Document>(new Document());
}

void Document::lastRefDropped()
{
    if (m_tearingDown)
        return;
    m_tearingDown = true;
    m_observers.clear();
    m_loader.reset();
    m_commands.reset();
    m_selection.reset();
    m_undo.reset();
    m_containers.clear();
    if (!takeApartOnAWorker()) {
        while (childCount())
            removeChildAt(childCount() - 1);
    }
    m_tearingDown = false;
    if (refCount() > 0)
        return; // taken again while tearing down
    if (m_liveNodes == 0)
        delete this;
    else
        m_orphaned = true;
}

bool Document::takeApartOnAWorker()
{
    // (Once the application goes, the work would find no thread to run on.)
    if (m_liveNodes < kNodesTakenApartOnAWorker || m_pointedAway != 0 || !QCoreApplication::instance() ||
        QCoreApplication::closingDown())
        return false;
    // Only a tree nothing else holds a node of (each node held by its parent
    // alone) goes: no code here can reach it then, and its nodes' counts
    // are the worker's alone.
    // (Walked in page order, each node's children right after it: that is
    // the order a page read was made in, and so the order its nodes and
    // their lists of children stand in memory; the walk reads on ahead.)
    struct Open
    {
        const Node* node;
        size_t next;
    };
    int taken = 0;
    std::vector<Open> open{{this, 0}};
    while (!open.empty()) {
        Open& at = open.back();
        if (at.next == at.node->m_children.size()) {
            open.pop_back();
            continue;
        }
        const Node* child = at.node->m_children[at.next++].get();
        if (child->refCount() != 1 || child->m_doc != this)
            return false;
        ++taken;
        if (!child->m_children.empty())
            open.push_back({child, 0});
    }
    std::vector<Ref<Node>> tree = std::exchange(m_children, {});
    m_liveNodes -= taken;
    platform::disposeInBackground([tree = std::move(tree)]() mutable {
        // Its nodes are no longer counted by the document (which may be
        // gone by now).
        for (const Ref<Node>& child : tree) {
            child->m_parent = nullptr;
            child->m_index = -1;
            for (Node* n = child.get(); n; n = n->nextInTree(child.get()))
                n->m_doc = nullptr;
        }
        tree.clear();
    });
    return true;
}

void Document::nodeDestroyed()
{
    if (--m_liveNodes == 0 && m_orphaned && refCount() == 0)
        delete this;
}

DocumentType* Document::doctype() const
{
    for (const auto& c : childNodes())
        if (c->nodeType() == NodeType::DocumentType)
            return static_cast<DocumentType*>(c.get());
    return nullptr;
}

Element* Document::documentElement() const
{
    for (const auto& c : childNodes())
        if (Element* e = c->asElement(); e && !e->isComment())
            return e;
    return nullptr;
}

Element* Document::findChild(const Node* parent, QLatin1String tag) const
{
    if (!parent)
        return nullptr;
    for (const auto& c : parent->childNodes())
        if (Element* e = c->asElement(); e && e->hasTag(tag))
            return e;
    return nullptr;
}

Element* Document::head() const
{
    return findChild(documentElement(), QLatin1String("HEAD"));
}

Element* Document::body() const
{
    Element* html = documentElement();
    if (Element* b = findChild(html, QLatin1String("BODY")))
        return b;
    return findChild(html, QLatin1String("FRAMESET"));
}

Ref<Element> Document::createElement(const QString& tagName)
{
    QString t = tagName.trimmed();
    if (t.startsWith(u'<'))
        t = t.mid(1);
    if (t.endsWith(u'>'))
        t.chop(1);
    if (t.isEmpty())
        return nullptr;
    return Element::create(this, t);
}

Ref<Text> Document::createTextNode(const QString& text)
{
    return Text::create(this, text);
}
Ref<Comment> Document::createComment(const QString& text)
{
    return Comment::create(this, text);
}

ElementCollection Document::all() const
{
    return ElementCollection(const_cast<Document*>(this), ElementCollection::Scope::Descendants);
}

ElementCollection Document::images() const
{
    return getElementsByTagName(QStringLiteral("IMG"));
}
ElementCollection Document::embeds() const
{
    return getElementsByTagName(QStringLiteral("EMBED"));
}
ElementCollection Document::frames() const
{
    return getElementsByTagName(QStringLiteral("FRAME"));
}

ElementCollection Document::links() const
{
    return ElementCollection(const_cast<Document*>(this), ElementCollection::Scope::Descendants, [](const Element* e) {
        return (e->hasTag(QLatin1String("A")) || e->hasTag(QLatin1String("AREA"))) &&
               e->hasAttribute(QStringLiteral("href"));
    });
}

ElementCollection Document::getElementsByTagName(const QString& tag) const
{
    return ElementCollection::byTag(const_cast<Document*>(this), tag);
}

ElementCollection Document::getElementsByName(const QString& name) const
{
    return ElementCollection(const_cast<Document*>(this), ElementCollection::Scope::Descendants,
                             [name](const Element* e) {
                                 return !e->isComment() && e->hasAttribute(QStringLiteral("name")) &&
                                        e->getAttributeText(QStringLiteral("name")) == name;
                             });
}

Element* Document::getElementById(const QString& id) const
{
    for (Node* n = firstChild(); n; n = n->nextInTree(this))
        if (Element* e = n->asElement(); e && !e->isComment() && e->getAttributeText(QStringLiteral("id")) == id &&
                                         e->hasAttribute(QStringLiteral("id")))
            return e;
    return nullptr;
}

Element* Document::elementFromPoint(int x, int y) const
{
    return m_layoutServices ? m_layoutServices->elementAtClientPoint(QPoint(x, y)) : nullptr;
}

QString Document::title() const
{
    if (m_titleVersion == m_version)
        return m_title;
    // The first TITLE, found without a list of every one (the walk over a
    // long page ends in its HEAD, unless it has no TITLE there).
    m_title.clear();
    for (const Node* n = firstChild(); n; n = n->nextInTree(this)) {
        if (const Element* e = n->isText() ? nullptr : n->asElement(); e && e->hasTag(QLatin1String("TITLE"))) {
            m_title = e->textContent();
            break;
        }
    }
    m_titleVersion = m_version;
    return m_title;
}

void Document::noteTitle(const QString& title)
{
    m_title = title;
    m_titleVersion = m_version;
}

void Document::setTitle(const QString& title)
{
    UndoUnit unit(this);
    ElementCollection t = getElementsByTagName(QStringLiteral("TITLE"));
    Element* el = t.item(0);
    if (!el) {
        Element* h = head();
        if (!h) {
            Element* html = documentElement();
            if (!html)
                return;
            Ref<Element> newHead = createElement(QStringLiteral("HEAD"));
            html->insertChildAt(0, newHead);
            h = newHead.get();
        }
        Ref<Element> newTitle = createElement(QStringLiteral("TITLE"));
        h->insertChildAt(h->childCount(), newTitle);
        el = newTitle.get();
    }
    while (el->childCount())
        el->removeChildAt(0);
    if (!title.isEmpty())
        el->insertChildAt(0, createTextNode(title));
}

QString Document::charset() const
{
    return const_cast<Document*>(this)->loader().effectiveCharset();
}
void Document::setCharset(const QString& charset)
{
    loader().setCharset(charset);
}

PageLoader& Document::loader()
{
    if (!m_loader)
        m_loader = std::make_unique<PageLoader>(this);
    return *m_loader;
}

bool Document::load(const QString& address, platform::FileFault* fault, Reading reading)
{
    return loader().load(address, fault, reading);
}

void Document::cancelLoad()
{
    if (m_loader)
        m_loader->cancelLoad();
}

bool Document::isLoading() const
{
    return m_loader && m_loader->isLoading();
}
void Document::loadFromString(const QString& html, const QString& url)
{
    loader().loadFromString(html, url);
}
bool Document::loadNew(const QString& templatePath, platform::FileFault* fault)
{
    return loader().loadNew(templatePath, fault);
}
bool Document::refresh(platform::FileFault* fault, Reading reading)
{
    return loader().refresh(fault, reading);
}
bool Document::save(const QString& path, platform::FileFault* fault)
{
    return loader().save(path, fault);
}

void Document::notifyPageLoaded()
{
    Ref<Document> keep = this;
    for (auto* o : std::vector<DocumentObserver*>(m_observers))
        o->pageLoaded(this);
}

QString Document::bodyColor(const char* attr, const char* def) const
{
    Element* b = body();
    const QString v = b ? b->getAttributeText(QLatin1String(attr)) : QString();
    if (v.trimmed().isEmpty())
        return QLatin1String(def);
    return normalizeColorText(v);
}

void Document::setBodyColor(const char* attr, const QString& c)
{
    if (Element* b = body())
        b->setAttribute(QLatin1String(attr), c);
}

QString Document::bgColor() const
{
    return bodyColor("bgColor", "#ffffff");
}
QString Document::fgColor() const
{
    return bodyColor("text", "#000000");
}
QString Document::linkColor() const
{
    return bodyColor("link", "#0000ff");
}
QString Document::alinkColor() const
{
    return bodyColor("aLink", "#0000ff");
}
QString Document::vlinkColor() const
{
    return bodyColor("vLink", "#800080");
}
void Document::setBgColor(const QString& c)
{
    setBodyColor("bgColor", c);
}
void Document::setFgColor(const QString& c)
{
    setBodyColor("text", c);
}
void Document::setLinkColor(const QString& c)
{
    setBodyColor("link", c);
}
void Document::setAlinkColor(const QString& c)
{
    setBodyColor("aLink", c);
}
void Document::setVlinkColor(const QString& c)
{
    setBodyColor("vLink", c);
}

UndoManager& Document::undoManager()
{
    if (!m_undo) {
        m_undo = std::make_unique<UndoManager>(this);
        m_undo->setPlaceSelection([this](Node* n, int off) {
            // A change of the document's own children leaves the selection
            // where it is: a selection in the document node itself would
            // hold the document, which holds the selection, for good.
            if (n != this)
                selection().collapseAt(n, off);
        });
        m_undo->setCurrentPlace([this]() -> std::pair<Node*, int> {
            if (!m_selection)
                return {nullptr, 0};
            const LivePosition& at = m_selection->start();
            return {at.node(), at.offset()};
        });
    }
    return *m_undo;
}

void Document::beginUndoUnit()
{
    undoManager().beginUnit();
}
void Document::endUndoUnit()
{
    undoManager().endUnit();
}

Selection& Document::selection()
{
    if (!m_selection)
        m_selection = std::make_unique<Selection>(this);
    return *m_selection;
}

CommandGroup& Document::commands()
{
    if (!m_commands)
        m_commands = std::make_unique<CommandGroup>(this);
    return *m_commands;
}

TextRange Document::createTextRange()
{
    TextRange r(this);
    r.expand(QStringLiteral("textedit"));
    return r;
}

bool Document::replaceContent(const QString& html)
{
    Ref<Document> keep = this;
    beginLoadScope();
    if (m_selection)
        m_selection->empty();
    // Kept until the page is read: a page that cannot be read leaves the
    // tree as it was (and its undo history and dirty flag).
    std::vector<Ref<Node>> had;
    while (childCount())
        had.push_back(removeChildAt(childCount() - 1));
    const bool read = HtmlParser::parseDocumentInto(this, html);
    if (!read)
        while (!had.empty()) {
            insertChildAt(childCount(), had.back());
            had.pop_back();
        }
    endLoadScope();
    had.clear();
    if (read) {
        contentReplaced();
    } else {
        ++m_version;
        for (auto* o : std::vector<DocumentObserver*>(m_observers))
            o->documentReplaced(this);
    }
    return read;
}

void Document::replaceContent(Document* parsed)
{
    Ref<Document> keep = this;
    Ref<Document> from = parsed;
    // The titles are looked for again when asked for: known, each move of
    // the page's tree would walk it for a TITLE, on a page without one to
    // its end.
    m_titleVersion = ~quint64(0);
    parsed->m_titleVersion = ~quint64(0);
    beginLoadScope();
    parsed->beginLoadScope();
    if (m_selection)
        m_selection->empty();
    while (childCount())
        removeChildAt(childCount() - 1);
    while (parsed->childCount())
        insertChildAt(childCount(), parsed->removeChildAt(0));
    // Nodes that named this document beforehand are counted here now.
    m_liveNodes += parsed->m_pointedAway;
    parsed->m_liveNodes -= parsed->m_pointedAway;
    parsed->m_pointedAway = 0;
    parsed->endLoadScope();
    endLoadScope();
    contentReplaced();
}

void Document::pointNodesAt(Document* parsed, Document* target)
{
    int count = 0;
    for (const auto& child : parsed->childNodes()) {
        for (Node* n = child.get(); n; n = n->nextInTree(child.get())) {
            n->m_doc = target;
            ++count;
        }
    }
    parsed->m_pointedAway = target == parsed ? 0 : count;
}

void Document::contentReplaced()
{
    // (The parser builds its tree without a change counted for each node.)
    ++m_version;
    undoManager().clear();
    m_dirty = false;
    if (m_selection)
        m_selection->empty();
    for (auto* o : std::vector<DocumentObserver*>(m_observers))
        o->documentReplaced(this);
}

MarkupContainer* Document::adoptContainer(std::unique_ptr<MarkupContainer> c)
{
    m_containers.push_back(std::move(c));
    return m_containers.back().get();
}

void Document::addObserver(DocumentObserver* o)
{
    if (std::find(m_observers.begin(), m_observers.end(), o) == m_observers.end())
        m_observers.push_back(o);
}

void Document::removeObserver(DocumentObserver* o)
{
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), o), m_observers.end());
}

Ref<Node> Document::cloneNode(bool) const
{
    return nullptr;
}

// --- live positions

LivePosition& LivePosition::operator=(const LivePosition& o)
{
    if (this != &o) {
        set(o.m_node, o.m_offset);
        m_rightGravity = o.m_rightGravity;
    }
    return *this;
}

LivePosition::~LivePosition()
{
    set(nullptr, 0);
}

void LivePosition::set(Node* node, int offset)
{
    Document* doc = node ? node->document() : nullptr;
    if (doc != m_registeredIn) {
        if (m_registeredIn)
            m_registeredIn->unregisterPosition(this);
        m_registeredIn = doc;
        if (doc)
            doc->registerPosition(this);
    }
    m_node = node;
    m_offset = offset;
}

int LivePosition::compare(const Node* a, int aOff, const Node* b, int bOff)
{
    if (!a || !b)
        return 0;
    if (a == b)
        return aOff < bOff ? -1 : aOff > bOff ? 1 : 0;
    // Paths from the root: child indexes.
    auto path = [](const Node* n) {
        std::vector<const Node*> p;
        for (; n; n = n->parentNode())
            p.push_back(n);
        std::reverse(p.begin(), p.end());
        return p;
    };
    const auto pa = path(a), pb = path(b);
    if (pa.front() != pb.front())
        return 0;
    size_t i = 0;
    while (i < pa.size() && i < pb.size() && pa[i] == pb[i])
        ++i;
    // pa[i-1] == pb[i-1] is the common ancestor.
    if (i == pa.size()) {
        // a is an ancestor of b: compare aOff with the index of b's branch.
        const int branch = pb[i]->indexInParent();
        return aOff <= branch ? -1 : 1;
    }
    if (i == pb.size()) {
        const int branch = pa[i]->indexInParent();
        return branch < bOff ? -1 : 1;
    }
    return pa[i]->indexInParent() < pb[i]->indexInParent() ? -1 : 1;
}

void Document::registerPosition(LivePosition* p)
{
    m_positions.push_back(p);
}

void Document::unregisterPosition(LivePosition* p)
{
    auto it = std::find(m_positions.begin(), m_positions.end(), p);
    if (it != m_positions.end()) {
        *it = m_positions.back();
        m_positions.pop_back();
    }
}

void Document::handOverPositions(const Node* root, Document* to)
{
    for (size_t i = 0; i < m_positions.size();) {
        LivePosition* p = m_positions[i];
        if (root->containsNode(p->m_node.get())) {
            m_positions[i] = m_positions.back();
            m_positions.pop_back();
            p->m_registeredIn = to;
            to->registerPosition(p);
        } else {
            ++i;
        }
    }
}

// --- primitive change hooks

bool Document::recordsChanges(const Node* node) const
{
    return m_loadDepth == 0 && !m_tearingDown && !(m_undo && m_undo->isReplaying()) && node->isConnected();
}

void Document::changed(const Node* node)
{
    // The title walked for stays (the changes that may touch a TITLE forget
    // it themselves).
    const bool titleKnown = m_titleVersion == m_version;
    ++m_version;
    if (titleKnown)
        m_titleVersion = m_version;
    if (m_loadDepth == 0 && !m_tearingDown && node->isConnected())
        m_dirty = true;
}

namespace document_detail {

// Whether a change of `child` under `parent` (inserted, removed, or its
// text) may change the title of `doc`: it lies in a TITLE, or holds one, in
// the page.
bool touchesTitle(const Document* doc, const Node* parent, const Node* child)
{
    const auto isTitle = [](const Node* n) {
        const Element* e = n->isText() ? nullptr : n->asElement();
        return e && e->hasTag(QLatin1String("TITLE"));
    };
    const Node* root = nullptr;
    for (const Node* n = parent; n; n = n->parentNode()) {
        if (isTitle(n))
            return true;
        root = n;
    }
    // (A tree outside the page has no part in its title.)
    if (root != doc)
        return false;
    for (const Node* n = child; n; n = n->nextInTree(child)) {
        if (isTitle(n))
            return true;
    }
    return false;
}

} // namespace document_detail

void Document::didInsertChild(Node* parent, Node* child)
{
    // (Looked at only while the title is known.)
    if (m_titleVersion == m_version && document_detail::touchesTitle(this, parent, child))
        m_titleVersion = ~quint64(0);
    const int idx = child->indexInParent();
    for (LivePosition* p : m_positions)
        if (p->m_node == parent && (p->m_offset > idx || (p->m_offset == idx && p->m_rightGravity)))
            ++p->m_offset;
    // A selection left beside the page's elements, when the HTML element went
    // (a page whose whole content was replaced), goes into the new BODY: a
    // position on the document itself would keep the document alive from
    // its own selection.
    if (parent == this && m_selection && child->isElement() && !child->isComment() &&
        (m_selection->start().node() == this || m_selection->end().node() == this))
        m_selection->empty();
    changed(parent);
    if (recordsChanges(parent)) {
        UndoRecord r;
        r.kind = UndoRecord::Kind::Insert;
        r.target = parent;
        r.child = child;
        r.index = idx;
        undoManager().record(std::move(r));
    }
    for (auto* o : m_observers)
        o->nodeInserted(parent, child);
}

void Document::willRemoveChild(Node* parent, Node* child)
{
    const int idx = child->indexInParent();
    for (LivePosition* p : m_positions) {
        if (child->containsNode(p->m_node.get())) {
            p->m_node = parent;
            p->m_offset = idx;
        } else if (p->m_node == parent && p->m_offset > idx) {
            --p->m_offset;
        }
    }
    if (m_selection)
        m_selection->nodeWillBeRemoved(child);
}

void Document::didRemoveChild(Node* parent, int index, Node* child)
{
    if (m_titleVersion == m_version && document_detail::touchesTitle(this, parent, child))
        m_titleVersion = ~quint64(0);
    changed(parent);
    if (recordsChanges(parent)) {
        UndoRecord r;
        r.kind = UndoRecord::Kind::Remove;
        r.target = parent;
        r.child = child;
        r.index = index;
        undoManager().record(std::move(r));
    }
    for (auto* o : m_observers)
        o->nodeRemoved(parent, child);
}

namespace document_detail {

// Whether nodes put at the end of `target` come where the children of
// `parent` from `from` on stand in page order: `target` ends the child
// before them, and every node on its way up there is the last of its parent.
bool endsChildBefore(const Node* parent, int from, const Node* target)
{
    const Node* before = parent->child(from - 1);
    if (!before)
        return false;
    for (const Node* n = target; n != before; n = n->parentNode()) {
        if (!n->parentNode() || n->indexInParent() != n->parentNode()->childCount() - 1)
            return false;
    }
    return true;
}

} // namespace document_detail

void Document::moveChildren(Node* parent, int from, int end, Node* target)
{
    // A move that leaves every node's place in page order leaves what a walk
    // in that order finds: the title.
    if (end != parent->childCount() || !document_detail::endsChildBefore(parent, from, target))
        m_titleVersion = ~quint64(0);
    const int targetCount = target->childCount();
    const int count = end - from;
    for (LivePosition* p : m_positions) {
        if (p->m_node == parent && p->m_offset > from) {
            p->m_offset = p->m_offset > end ? p->m_offset - count : from;
        } else if (p->m_node == target && p->m_offset == targetCount && p->m_rightGravity) {
            p->m_offset = targetCount + count;
        } else {
            for (const Node* n = p->m_node.get(); n && n->parentNode(); n = n->parentNode()) {
                if (n->parentNode() == parent) {
                    if (n->indexInParent() >= from && n->indexInParent() < end) {
                        p->m_node = parent;
                        p->m_offset = from;
                    }
                    break;
                }
            }
        }
    }
    std::vector<Ref<Node>>& moved = parent->m_children;
    std::vector<Ref<Node>>& into = target->m_children;
    into.reserve(into.size() + size_t(count));
    for (size_t i = size_t(from); i < size_t(end); ++i) {
        Node* child = moved[i].get();
        if (m_selection)
            m_selection->nodeWillBeRemoved(child);
        child->m_parent = target;
        child->m_index = int(into.size());
        into.push_back(std::move(moved[i]));
    }
    moved.erase(moved.begin() + from, moved.begin() + end);
    for (size_t i = size_t(from); i < moved.size(); ++i)
        moved[i]->m_index = int(i);
    changed(parent);
    changed(target);
    for (auto* o : m_observers)
        o->childrenMoved(parent, target);
}

void Document::didChangeAttribute(Element* el, const QString& name, const std::optional<Attribute>& before,
                                  const std::optional<Attribute>& after, int pos)
{
    changed(el);
    if (recordsChanges(el)) {
        UndoRecord r;
        r.kind = UndoRecord::Kind::Attribute;
        r.target = el;
        r.name = name;
        r.before = before;
        r.after = after;
        r.index = pos;
        undoManager().record(std::move(r));
    }
    for (auto* o : m_observers)
        o->attributeChanged(el, name);
}

void Document::didChangeStyle(Element* el, const std::vector<StyleDeclaration>& before)
{
    changed(el);
    if (recordsChanges(el)) {
        UndoRecord r;
        r.kind = UndoRecord::Kind::Style;
        r.target = el;
        r.styleBefore = before;
        r.styleAfter = el->style().declarations();
        undoManager().record(std::move(r));
    }
    for (auto* o : m_observers)
        o->styleChanged(el);
}

void Document::didReplaceData(Text* text, int offset, const QString& removed, int insertedLength)
{
    const int remLen = int(removed.size());
    for (LivePosition* p : m_positions) {
        if (p->m_node != text)
            continue;
        if (p->m_offset > offset + remLen)
            p->m_offset += insertedLength - remLen;
        else if (p->m_offset > offset)
            p->m_offset = offset + (p->m_rightGravity ? insertedLength : 0);
        else if (p->m_offset == offset && p->m_rightGravity)
            p->m_offset += insertedLength;
    }
    if (m_titleVersion == m_version && document_detail::touchesTitle(this, text->parentNode(), nullptr))
        m_titleVersion = ~quint64(0);
    changed(text);
    if (recordsChanges(text)) {
        UndoRecord r;
        r.kind = UndoRecord::Kind::Text;
        r.target = text;
        r.index = offset;
        r.removed = removed;
        r.inserted = text->data().mid(offset, insertedLength);
        undoManager().record(std::move(r));
    }
    for (auto* o : m_observers)
        o->textChanged(text);
}

void Document::didSplitText(Text* text, int offset, Text* tail)
{
    for (LivePosition* p : m_positions)
        if (p->m_node == text && p->m_offset > offset) {
            p->m_node = tail;
            p->m_offset -= offset;
        }
}

} // namespace engine
