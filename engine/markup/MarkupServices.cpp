#include "engine/markup/MarkupServices.h"

#include "engine/dom/Document.h"
#include "engine/editing/TextRange.h"
#include "engine/html/HtmlParser.h"
#include "engine/markup/MarkupContainer.h"
#include "engine/markup/MarkupPointer.h"

namespace engine {

namespace services_detail {

Node* commonAncestor(Node* a, Node* b)
{
    for (Node* n = a; n; n = n->parentNode())
        if (n->containsNode(b))
            return n;
    return nullptr;
}

// The child of `ancestor` on the path to `n` (n itself when it is a child).
Node* childToward(Node* ancestor, Node* n)
{
    while (n && n->parentNode() != ancestor)
        n = n->parentNode();
    return n;
}

int lengthOf(Node* n)
{
    return n->asText() ? n->asText()->length() : n->childCount();
}

} // namespace services_detail

std::vector<Ref<Node>> MarkupServices::contents(Node* sn, int so, Node* en, int eo, bool extract)
{
    using namespace services_detail;
    std::vector<Ref<Node>> out;
    if (!sn || !en || LivePosition::compare(sn, so, en, eo) >= 0)
        return out;
    Document* doc = sn->document();
    if (sn == en && sn->asText()) {
        Text* t = sn->asText();
        out.push_back(doc->createTextNode(t->data().mid(so, eo - so)));
        if (extract)
            t->deleteData(so, eo - so);
        return out;
    }
    Node* ca = commonAncestor(sn, en);
    if (!ca)
        return out;
    Ref<Node> firstPartial = sn->containsNode(en) ? nullptr : childToward(ca, sn);
    Ref<Node> lastPartial = en->containsNode(sn) ? nullptr : childToward(ca, en);
    // Children of the common ancestor fully inside the range.
    const int from = firstPartial ? firstPartial->indexInParent() + 1 : so;
    const int to = lastPartial ? lastPartial->indexInParent() : eo;
    std::vector<Ref<Node>> contained;
    for (int i = from; i < to; ++i)
        contained.push_back(ca->child(i));

    if (firstPartial) {
        if (Text* t = firstPartial->asText()) {
            out.push_back(doc->createTextNode(t->data().mid(so)));
            if (extract)
                t->deleteData(so, t->length() - so);
        } else {
            Ref<Node> clone = firstPartial->cloneNode(false);
            auto inner = contents(sn, so, firstPartial.get(), lengthOf(firstPartial.get()), extract);
            for (auto& n : inner)
                clone->insertChildAt(clone->childCount(), n);
            out.push_back(clone);
        }
    }
    for (auto& n : contained) {
        if (extract) {
            if (n->parentNode())
                n->parentNode()->removeChildAt(n->indexInParent());
            out.push_back(n);
        } else {
            out.push_back(n->cloneNode(true));
        }
    }
    if (lastPartial) {
        if (Text* t = lastPartial->asText()) {
            out.push_back(doc->createTextNode(t->data().left(eo)));
            if (extract)
                t->deleteData(0, eo);
        } else {
            Ref<Node> clone = lastPartial->cloneNode(false);
            auto inner = contents(lastPartial.get(), 0, en, eo, extract);
            for (auto& n : inner)
                clone->insertChildAt(clone->childCount(), n);
            out.push_back(clone);
        }
    }
    return out;
}

std::vector<Ref<Node>> MarkupServices::extractContents(Node* sn, int so, Node* en, int eo)
{
    UndoUnit unit(sn ? sn->document() : nullptr);
    return contents(sn, so, en, eo, true);
}

std::vector<Ref<Node>> MarkupServices::cloneContents(Node* sn, int so, Node* en, int eo)
{
    return contents(sn, so, en, eo, false);
}

void MarkupServices::insertNodes(Node* node, int offset, const std::vector<Ref<Node>>& nodes, Node** endNode,
                                 int* endOffset)
{
    if (!node)
        return;
    UndoUnit unit(node->document());
    Node* parent = node;
    int at = offset;
    if (Text* t = node->asText()) {
        parent = t->parentNode();
        if (!parent)
            return;
        if (offset <= 0) {
            at = t->indexInParent();
        } else if (offset >= t->length()) {
            at = t->indexInParent() + 1;
        } else {
            t->splitText(offset);
            at = t->indexInParent() + 1;
        }
    }
    at = qBound(0, at, parent->childCount());
    for (const auto& n : nodes) {
        if (n->containsNode(parent))
            continue;
        if (n->parentNode())
            n->parentNode()->removeChildAt(n->indexInParent());
        parent->insertChildAt(at++, n);
    }
    if (endNode)
        *endNode = parent;
    if (endOffset)
        *endOffset = at;
}

Ref<Element> MarkupServices::splitElement(Element* el, Node* node, int offset)
{
    if (!el || !el->parentNode() || !el->containsNode(node))
        return nullptr;
    UndoUnit unit(el->document());
    auto tail = contents(node, offset, el, el->childCount(), true);
    Ref<Element> copy = el->cloneNode(false)->asElement();
    for (auto& n : tail)
        copy->insertChildAt(copy->childCount(), n);
    el->parentNode()->insertChildAt(el->indexInParent() + 1, copy);
    return copy;
}

bool MarkupServices::movePointersToRange(const TextRange& range, MarkupPointer* start, MarkupPointer* end)
{
    if (!range.start().isSet())
        return false;
    if (start)
        start->moveTo(range.start().node(), range.start().offset());
    if (end)
        end->moveTo(range.end().node(), range.end().offset());
    return true;
}

bool MarkupServices::moveRangeToPointers(const MarkupPointer& start, const MarkupPointer& end, TextRange* range)
{
    if (!range || !start.isPositioned() || !end.isPositioned() || start.container()->document() != range->document())
        return false;
    range->setRange(start.container(), start.offset(), end.container(), end.offset());
    return true;
}

bool MarkupServices::remove(const MarkupPointer& start, const MarkupPointer& end)
{
    if (!start.isPositioned() || !end.isPositioned())
        return false;
    const MarkupPointer& a = start.isRightOf(end) ? end : start;
    const MarkupPointer& b = start.isRightOf(end) ? start : end;
    extractContents(a.container(), a.offset(), b.container(), b.offset());
    return true;
}

bool MarkupServices::copy(const MarkupPointer& start, const MarkupPointer& end, const MarkupPointer& target)
{
    if (!start.isPositioned() || !end.isPositioned() || !target.isPositioned())
        return false;
    auto nodes = cloneContents(start.container(), start.offset(), end.container(), end.offset());
    insertNodes(target.container(), target.offset(), nodes);
    return true;
}

bool MarkupServices::move(const MarkupPointer& start, const MarkupPointer& end, const MarkupPointer& target)
{
    if (!start.isPositioned() || !end.isPositioned() || !target.isPositioned())
        return false;
    // A target inside the moved range cannot hold it.
    if (target.isRightOf(start) && target.isLeftOf(end))
        return false;
    UndoUnit unit(start.container()->document());
    MarkupPointer at;
    at.moveToPointer(target);
    auto nodes = extractContents(start.container(), start.offset(), end.container(), end.offset());
    insertNodes(at.container(), at.offset(), nodes);
    return true;
}

bool MarkupServices::insertElement(Element* el, const MarkupPointer& start, const MarkupPointer& end)
{
    if (!el || el->parentNode() || !start.isPositioned() || !end.isPositioned())
        return false;
    UndoUnit unit(start.container()->document());
    MarkupPointer s, e;
    s.moveToPointer(start.isRightOf(end) ? end : start);
    e.moveToPointer(start.isRightOf(end) ? start : end);
    std::vector<Ref<Node>> nodes;
    if (!s.isEqualTo(e))
        nodes = extractContents(s.container(), s.offset(), e.container(), e.offset());
    insertNodes(s.container(), s.offset(), {Ref<Node>(el)});
    for (auto& n : nodes)
        el->insertChildAt(el->childCount(), n);
    return true;
}

bool MarkupServices::removeElement(Element* el)
{
    if (!el)
        return false;
    Node* parent = el->parentNode();
    if (!parent || parent->isDocument())
        return false;
    Ref<Element> keep = el;
    UndoUnit unit(el->document());
    int at = el->indexInParent();
    while (el->childCount()) {
        Ref<Node> c = el->removeChildAt(0);
        parent->insertChildAt(at++, c);
    }
    parent->removeChildAt(el->indexInParent());
    return true;
}

Ref<Element> MarkupServices::createElement(Document* doc, const QString& tag, const QString& attributes)
{
    Ref<Element> el = doc->createElement(tag);
    if (!el || attributes.trimmed().isEmpty())
        return el;
    auto nodes =
        HtmlParser::parseFragment(doc, QStringLiteral("<span %1></span>").arg(attributes), QStringLiteral("DIV"));
    for (auto& n : nodes) {
        Element* span = n->asElement();
        if (!span || !span->hasTag(QLatin1String("SPAN")))
            continue;
        for (int i = 0; i < span->attributeCount(); ++i) {
            const Attribute& a = span->attributeAt(i);
            if (a.name.compare(QLatin1String("style"), Qt::CaseInsensitive) == 0)
                el->setAttribute(a.name, span->getAttributeText(a.name));
            else
                el->setAttributeRaw(a.name, a);
        }
        break;
    }
    return el;
}

MarkupContainer* MarkupServices::parseString(Document* doc, const QString& html, MarkupPointer* start,
                                             MarkupPointer* end)
{
    MarkupContainer* c = doc->adoptContainer(std::make_unique<MarkupContainer>(doc));
    Element* root = c->root();
    int rest = 0;
    const QString doctype = HtmlParser::splitDoctype(html, &rest);
    const QString head = html.mid(rest).trimmed().left(5);
    if (!doctype.isEmpty() || head.compare(QLatin1String("<html"), Qt::CaseInsensitive) == 0) {
        Ref<Element> htmlElement = HtmlParser::parseHtmlElement(doc, html.mid(rest));
        if (htmlElement)
            root->insertChildAt(0, htmlElement);
        if (start)
            start->moveTo(root, 0);
        if (end)
            end->moveTo(root, root->childCount());
        return c;
    }
    auto nodes = HtmlParser::parseFragment(doc, html, QStringLiteral("BODY"));
    for (auto& n : nodes)
        root->insertChildAt(root->childCount(), n);
    if (start)
        start->moveTo(root, 0);
    if (end)
        end->moveTo(root, root->childCount());
    return c;
}

} // namespace engine
