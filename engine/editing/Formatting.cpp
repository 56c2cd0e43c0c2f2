#include "engine/editing/Formatting.h"

#include "engine/css/CssColor.h"
#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/dom/HtmlTags.h"
#include "engine/editing/TextRange.h"
#include "engine/markup/MarkupPointer.h"
#include "engine/markup/MarkupServices.h"

#include <algorithm>
#include <set>

namespace engine {

namespace format_detail {

bool isTableStructure(const Node* n)
{
    const Element* e = n ? n->asElement() : nullptr;
    return e && (e->hasTag(QLatin1String("TABLE")) || e->hasTag(QLatin1String("TBODY")) ||
                 e->hasTag(QLatin1String("THEAD")) || e->hasTag(QLatin1String("TFOOT")) ||
                 e->hasTag(QLatin1String("TR")) || e->hasTag(QLatin1String("SELECT")));
}

bool isFormattable(const Text* t)
{
    if (!t->length() || isTableStructure(t->parentNode()))
        return false;
    for (const Node* p = t->parentNode(); p; p = p->parentNode())
        if (const Element* e = p->asElement())
            if (tags::isRawText(e->tagName()) || e->hasTag(QLatin1String("TITLE")) ||
                e->hasTag(QLatin1String("TEXTAREA")) || e->hasTag(QLatin1String("HEAD")))
                return false;
    return true;
}

bool hasContent(const Element* e)
{
    if (!e->textContent().isEmpty())
        return true;
    for (const Node* n = e->firstChild(); n; n = n->nextInTree(e))
        if (const Element* c = n->asElement(); c && c->isVoid() && !c->isComment())
            return true;
    return false;
}

// Removes empty inline formatting elements below and at `root`.
void pruneEmpty(Element* root)
{
    if (!root)
        return;
    std::vector<Ref<Element>> empties;
    for (Node* n = root; n; n = n->nextInTree(root))
        if (Element* e = n->asElement();
            e && !e->isComment() && tags::isInlineFormatting(e->tagName()) && !hasContent(e))
            empties.push_back(e);
    for (auto it = empties.rbegin(); it != empties.rend(); ++it)
        if ((*it)->parentNode())
            (*it)->parentNode()->removeChildAt((*it)->indexInParent());
}

bool isBoldElement(const Element* e)
{
    if (e->hasTag(QLatin1String("B")) || e->hasTag(QLatin1String("STRONG")))
        return true;
    const Style* s = e->styleIfAny();
    if (!s)
        return false;
    const QString w = s->value(QStringLiteral("font-weight")).trimmed().toLower();
    return w == QLatin1String("bold") || w == QLatin1String("bolder") || w.toInt() >= 600;
}

bool isItalicElement(const Element* e)
{
    if (e->hasTag(QLatin1String("I")) || e->hasTag(QLatin1String("EM")))
        return true;
    const Style* s = e->styleIfAny();
    return s &&
           s->value(QStringLiteral("font-style")).trimmed().compare(QLatin1String("italic"), Qt::CaseInsensitive) == 0;
}

bool isUnderlineElement(const Element* e)
{
    if (e->hasTag(QLatin1String("U")))
        return true;
    const Style* s = e->styleIfAny();
    return s && s->textDecoration().contains(QLatin1String("underline"), Qt::CaseInsensitive);
}

bool hasToggleElement(const Element* e, Formatting::Toggle t)
{
    switch (t) {
    case Formatting::Toggle::Bold:
        return isBoldElement(e);
    case Formatting::Toggle::Italic:
        return isItalicElement(e);
    case Formatting::Toggle::Underline:
        return isUnderlineElement(e);
    }
    return false;
}

const char* toggleTag(Formatting::Toggle t)
{
    switch (t) {
    case Formatting::Toggle::Bold:
        return "STRONG";
    case Formatting::Toggle::Italic:
        return "EM";
    case Formatting::Toggle::Underline:
        return "U";
    }
    return "SPAN";
}

// The inline ancestors of a node up to its block, nearest first.
std::vector<Element*> inlineAncestors(const Node* n)
{
    std::vector<Element*> out;
    for (Node* p = n->parentNode(); p; p = p->parentNode()) {
        Element* e = p->asElement();
        if (!e || e == Formatting::blockOf(n))
            break;
        out.push_back(e);
    }
    return out;
}

Element* toggleAncestor(const Node* n, Formatting::Toggle t)
{
    for (Element* e : inlineAncestors(n))
        if (hasToggleElement(e, t))
            return e;
    return nullptr;
}

Element* fontAncestor(const Node* n, const QString& attr)
{
    for (Element* e : inlineAncestors(n))
        if (e->hasTag(QLatin1String("FONT")) && (attr.isEmpty() || e->hasAttribute(attr)))
            return e;
    return nullptr;
}

void unwrap(Element* e)
{
    MarkupServices::removeElement(e);
}

Ref<Element> wrap(Node* n, const QString& tag)
{
    Ref<Element> w = n->document()->createElement(tag);
    Node* parent = n->parentNode();
    const int at = n->indexInParent();
    Ref<Node> keep = n;
    parent->removeChildAt(at);
    parent->insertChildAt(at, w);
    w->insertChildAt(0, keep);
    return w;
}

bool sameAttributes(const Element* a, const Element* b)
{
    if (a->attributeCount() != b->attributeCount())
        return false;
    for (int i = 0; i < a->attributeCount(); ++i) {
        const Attribute& x = a->attributeAt(i);
        if (!b->hasAttribute(x.name) || b->getAttributeText(x.name) != a->getAttributeText(x.name))
            return false;
    }
    return true;
}

int fontSizeOf(const QString& v)
{
    const QString t = v.trimmed();
    bool ok = false;
    int n = t.toInt(&ok);
    if (!ok)
        return 3;
    if (t.startsWith(u'+') || t.startsWith(u'-'))
        n += 3;
    return qBound(1, n, 7);
}

void restoreRange(TextRange& range, const std::vector<Ref<Text>>& segs)
{
    if (segs.empty())
        return;
    Text* first = segs.front().get();
    Text* last = segs.back().get();
    if (first->isConnected() && last->isConnected())
        range.setRange(first, 0, last, last->length());
}

} // namespace format_detail

Element* Formatting::blockOf(const Node* node)
{
    for (Node* p = node ? node->parentNode() : nullptr; p; p = p->parentNode())
        if (Element* e = p->asElement(); e && (tags::isBlock(e->tagName()) || e->hasTag(QLatin1String("BODY"))))
            return e;
    return nullptr;
}

std::vector<Text*> Formatting::rangeTexts(const TextRange& range)
{
    std::vector<Text*> out;
    Node* sn = range.start().node();
    int so = range.start().offset();
    Node* en = range.end().node();
    int eo = range.end().offset();
    if (!sn || !en)
        return out;
    MarkupPointer::normalize(sn, so);
    MarkupPointer::normalize(en, eo);
    Node* first = sn->asText() ? sn : sn->child(so) ? sn->child(so) : sn->nextSkippingChildren();
    for (Node* n = first; n; n = n->nextInTree()) {
        if (LivePosition::compare(n->parentNode(), n->indexInParent(), en, eo) >= 0 && n != sn)
            break;
        if (Text* t = n->asText(); t && format_detail::isFormattable(t))
            out.push_back(t);
    }
    return out;
}

std::vector<Ref<Text>> Formatting::textSegments(TextRange& range)
{
    std::vector<Ref<Text>> out;
    Node* sn = range.start().node();
    int so = range.start().offset();
    Node* en = range.end().node();
    int eo = range.end().offset();
    if (!sn || range.isCollapsed())
        return out;
    // Split the texts at the ends.
    if (Text* t = en->asText(); t && eo > 0 && eo < t->length())
        t->splitText(eo);
    if (Text* t = sn->asText(); t && so > 0 && so < t->length()) {
        Ref<Text> tail = t->splitText(so);
        if (en == t) {
            en = tail.get();
            eo -= so;
        }
        sn = tail.get();
        so = 0;
    }
    range.setRange(sn, so, en, eo);
    for (Text* t : rangeTexts(range))
        out.push_back(t);
    return out;
}

bool Formatting::hasToggle(const TextRange& range, Toggle t)
{
    std::vector<Text*> texts = rangeTexts(range);
    if (texts.empty()) {
        Node* n = range.start().node();
        if (!n)
            return false;
        for (Node* p = n->asText() ? n->parentNode() : n; p; p = p->parentNode())
            if (Element* e = p->asElement(); e && format_detail::hasToggleElement(e, t))
                return true;
        return false;
    }
    for (Text* x : texts)
        if (!format_detail::toggleAncestor(x, t))
            return false;
    return true;
}

Element* Formatting::isolate(Node* node, Element* ancestor)
{
    using format_detail::pruneEmpty;
    if (!ancestor || !ancestor->containsNode(node) || ancestor == node)
        return ancestor;
    Ref<Node> keep = node;
    Ref<Element> after = MarkupServices::splitElement(ancestor, node->parentNode(), node->indexInParent() + 1);
    if (after) {
        pruneEmpty(after.get());
    }
    Ref<Element> middle = MarkupServices::splitElement(ancestor, node->parentNode(), node->indexInParent());
    pruneEmpty(ancestor);
    return middle ? middle.get() : ancestor;
}

void Formatting::mergeSiblings(Node* parent)
{
    if (!parent)
        return;
    for (int i = 1; i < parent->childCount(); ++i) {
        Element* a = parent->child(i - 1)->asElement();
        Element* b = parent->child(i)->asElement();
        if (!a || !b || a->isComment() || b->isComment() || a->tagName() != b->tagName() ||
            !tags::isInlineFormatting(a->tagName()) || a->hasTag(QLatin1String("A")) ||
            !format_detail::sameAttributes(a, b))
            continue;
        while (b->childCount()) {
            Ref<Node> c = b->removeChildAt(0);
            a->insertChildAt(a->childCount(), c);
        }
        parent->removeChildAt(i);
        --i;
    }
}

void Formatting::toggle(TextRange& range, Toggle t)
{
    Document* doc = range.document();
    UndoUnit unit(doc);
    const bool remove = hasToggle(range, t);
    auto segs = textSegments(range);
    std::set<Node*> parents;
    for (auto& seg : segs) {
        if (remove) {
            while (Element* anc = format_detail::toggleAncestor(seg.get(), t)) {
                Element* mid = isolate(seg.get(), anc);
                const bool tagged = mid->hasTag(QLatin1String(toggleTagName(t))) ||
                                    (t == Toggle::Bold && mid->hasTag(QLatin1String("B"))) ||
                                    (t == Toggle::Italic && mid->hasTag(QLatin1String("I")));
                if (tagged || !mid->styleIfAny()) {
                    format_detail::unwrap(mid);
                } else {
                    const char* prop = t == Toggle::Bold     ? "font-weight"
                                       : t == Toggle::Italic ? "font-style"
                                                             : "text-decoration";
                    mid->style().removeAttribute(QLatin1String(prop));
                    if (mid->hasTag(QLatin1String("SPAN")) && mid->attributeCount() <= 1 && mid->style().isEmpty())
                        format_detail::unwrap(mid);
                    if (format_detail::toggleAncestor(seg.get(), t) == mid)
                        break;
                }
            }
        } else if (!format_detail::toggleAncestor(seg.get(), t)) {
            format_detail::wrap(seg.get(), QString::fromLatin1(format_detail::toggleTag(t)));
        }
        if (seg->parentNode() && seg->parentNode()->parentNode())
            parents.insert(seg->parentNode()->parentNode());
    }
    for (Node* p : parents)
        if (p->isConnected())
            mergeSiblings(p);
    format_detail::restoreRange(range, segs);
}

const char* Formatting::toggleTagName(Toggle t)
{
    return format_detail::toggleTag(t);
}

void Formatting::setFontAttribute(TextRange& range, const QString& name, const QString& value)
{
    Document* doc = range.document();
    UndoUnit unit(doc);
    auto segs = textSegments(range);
    std::set<Node*> parents;
    for (auto& seg : segs) {
        Element* font = format_detail::fontAncestor(seg.get(), value.isEmpty() ? name : QString());
        if (font) {
            Element* mid = isolate(seg.get(), font);
            if (value.isEmpty())
                mid->removeAttribute(name);
            else
                mid->setAttribute(name, value);
            if (mid->attributeCount() == 0 ||
                (mid->attributeCount() == 1 && mid->hasAttribute(QStringLiteral("style")) && mid->style().isEmpty()))
                format_detail::unwrap(mid);
        } else if (!value.isEmpty()) {
            Ref<Element> f = format_detail::wrap(seg.get(), QStringLiteral("FONT"));
            f->setAttribute(name, value);
        }
        if (seg->parentNode() && seg->parentNode()->parentNode())
            parents.insert(seg->parentNode()->parentNode());
    }
    for (Node* p : parents)
        if (p->isConnected())
            mergeSiblings(p);
    format_detail::restoreRange(range, segs);
}

Variant Formatting::fontValue(const TextRange& range, const QString& name)
{
    const QString n = name.toLower();
    const QString attr = n == QLatin1String("fontsize")   ? QStringLiteral("size")
                         : n == QLatin1String("fontname") ? QStringLiteral("face")
                                                          : QStringLiteral("color");
    auto valueAt = [&](const Node* node) -> Variant {
        const Node* probe = node;
        Element* font = nullptr;
        for (const Node* p = probe->asText() ? probe->parentNode() : probe; p && !font; p = p->parentNode())
            if (Element* e = const_cast<Node*>(p)->asElement();
                e && e->hasTag(QLatin1String("FONT")) && e->hasAttribute(attr))
                font = e;
        const QString v = font ? font->getAttributeText(attr) : QString();
        if (attr == QLatin1String("size"))
            return v.isEmpty() ? 3 : format_detail::fontSizeOf(v);
        if (attr == QLatin1String("face"))
            return v.isEmpty() ? QStringLiteral("Arial") : v;
        const auto c = parseCssColor(v);
        return c ? Variant(int(*c)) : Variant(0);
    };
    std::vector<Text*> texts = rangeTexts(range);
    if (texts.empty())
        return range.start().node() ? valueAt(range.start().node()) : Variant::null();
    Variant first = valueAt(texts.front());
    for (Text* t : texts)
        if (valueAt(t) != first)
            return Variant::null();
    return first;
}

void Formatting::removeFormat(TextRange& range)
{
    Document* doc = range.document();
    UndoUnit unit(doc);
    static const char* const kinds[] = {"FONT", "STRONG", "B", "EM", "I", "U", "STRIKE", "S", "SUB", "SUP", "SPAN"};
    auto isFormat = [](const Element* e) {
        for (const char* k : kinds)
            if (e->hasTag(QLatin1String(k)))
                return true;
        return false;
    };
    auto segs = textSegments(range);
    for (auto& seg : segs) {
        for (;;) {
            Element* found = nullptr;
            for (Element* e : format_detail::inlineAncestors(seg.get()))
                if (isFormat(e)) {
                    found = e;
                    break;
                }
            if (!found)
                break;
            format_detail::unwrap(isolate(seg.get(), found));
        }
    }
    format_detail::restoreRange(range, segs);
}

Element* Formatting::linkEachBlock(TextRange& range, const QString& href)
{
    // The range's text, block by block in page order.
    struct Part
    {
        Ref<Node> startNode, endNode;
        int startOffset = 0, endOffset = 0;
    };
    std::vector<Part> parts;
    Element* block = nullptr;
    for (Text* text : rangeTexts(range)) {
        // White space between blocks takes no link of its own.
        if (text->data().trimmed().isEmpty())
            continue;
        Element* at = blockOf(text);
        Ref<Node> node(text);
        int from = 0;
        int to = text->length();
        if (LivePosition::compare(text, 0, range.start().node(), range.start().offset()) < 0) {
            node = range.start().node();
            from = range.start().offset();
        }
        if (parts.empty() || at != block) {
            parts.push_back({node, text, from, to});
            block = at;
        } else {
            parts.back().endNode = text;
            parts.back().endOffset = to;
        }
    }
    if (parts.size() < 2)
        return nullptr;
    Part& last = parts.back();
    if (LivePosition::compare(last.endNode.get(), last.endOffset, range.end().node(), range.end().offset()) > 0) {
        last.endNode = range.end().node();
        last.endOffset = range.end().offset();
    }
    // A link in each, the range over them all.
    Element* first = nullptr;
    Element* end = nullptr;
    for (const Part& part : parts) {
        TextRange piece(range.document());
        piece.setRange(part.startNode.get(), part.startOffset, part.endNode.get(), part.endOffset);
        if (piece.isCollapsed())
            continue;
        if (Element* a = createLink(piece, href)) {
            if (!first)
                first = a;
            end = a;
        }
    }
    if (first)
        range.setRange(first, 0, end, end->childCount());
    return first;
}

Element* Formatting::createLink(TextRange& range, const QString& href)
{
    Document* doc = range.document();
    UndoUnit unit(doc);
    Element* parent = range.parentElement();
    if (Element* a = parent ? parent->closest(QLatin1String("A")) : nullptr) {
        a->setAttribute(QStringLiteral("href"), href);
        return a;
    }
    if (range.isCollapsed())
        return nullptr;
    if (Element* first = linkEachBlock(range, href))
        return first;
    Node* sn = range.start().node();
    int so = range.start().offset();
    Node* en = range.end().node();
    int eo = range.end().offset();
    auto nodes = MarkupServices::extractContents(sn, so, en, eo);
    // The extracted nodes are what undo puts back: the link gets copies, so
    // that taking links apart below leaves the originals as they were.
    for (auto& n : nodes)
        n = n->cloneNode(true);
    Ref<Element> a = doc->createElement(QStringLiteral("A"));
    a->setAttribute(QStringLiteral("href"), href);
    for (auto& n : nodes) {
        // Links inside the new link are taken apart.
        if (Element* e = n->asElement()) {
            std::vector<Ref<Element>> inner;
            for (Node* x = e; x; x = x->nextInTree(e))
                if (Element* ie = x->asElement(); ie && ie->hasTag(QLatin1String("A")))
                    inner.push_back(ie);
            for (auto& ie : inner) {
                if (ie.get() == e) {
                    continue;
                }
                MarkupServices::removeElement(ie.get());
            }
            if (e->hasTag(QLatin1String("A"))) {
                while (e->childCount())
                    a->insertChildAt(a->childCount(), e->removeChildAt(0));
                continue;
            }
        }
        a->insertChildAt(a->childCount(), n);
    }
    MarkupServices::insertNodes(range.start().node(), range.start().offset(), {Ref<Node>(a)});
    range.setRange(a.get(), 0, a.get(), a->childCount());
    return a.get();
}

void Formatting::unlink(TextRange& range)
{
    Document* doc = range.document();
    UndoUnit unit(doc);
    std::vector<Ref<Element>> links;
    if (Element* p = range.parentElement())
        if (Element* a = p->closest(QLatin1String("A")))
            links.push_back(a);
    for (Text* t : rangeTexts(range))
        for (Node* p = t->parentNode(); p; p = p->parentNode())
            if (Element* e = p->asElement(); e && e->hasTag(QLatin1String("A"))) {
                if (std::find(links.begin(), links.end(), Ref<Element>(e)) == links.end())
                    links.push_back(e);
            }
    for (auto& a : links)
        MarkupServices::removeElement(a.get());
}

} // namespace engine
