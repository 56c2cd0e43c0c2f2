#include "engine/editing/TextRange.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/dom/HtmlTags.h"
#include "engine/dom/LayoutServices.h"
#include "engine/editing/CommandGroup.h"
#include "engine/editing/Selection.h"
#include "engine/html/HtmlParser.h"
#include "engine/html/HtmlSerializer.h"
#include "engine/markup/MarkupPointer.h"
#include "engine/markup/MarkupServices.h"
#include "engine/markup/TextUnits.h"

namespace engine {

TextRange::TextRange(Document* doc) : m_doc(doc)
{
    Node* s = scope();
    m_start.set(s, 0);
    m_end.set(s, 0);
}

TextRange::TextRange(Document* doc, Node* startNode, int startOffset, Node* endNode, int endOffset) : m_doc(doc)
{
    setRange(startNode, startOffset, endNode, endOffset);
}

Node* TextRange::scope() const
{
    Node* b = m_doc->body();
    return b ? b : static_cast<Node*>(m_doc);
}

void TextRange::setRange(Node* startNode, int startOffset, Node* endNode, int endOffset)
{
    m_start.set(startNode, startOffset);
    m_end.set(endNode, endOffset);
    orderEnds();
}

void TextRange::orderEnds()
{
    if (m_start.compare(m_end) > 0) {
        LivePosition t = m_start;
        m_start = m_end;
        m_end = t;
    }
}

bool TextRange::isCollapsed() const
{
    Node *a = m_start.node(), *b = m_end.node();
    int ao = m_start.offset(), bo = m_end.offset();
    MarkupPointer::normalize(a, ao);
    MarkupPointer::normalize(b, bo);
    return LivePosition::compare(a, ao, b, bo) == 0;
}

namespace range_detail {
Ref<Element> holderOf(const TextRange& r)
{
    Ref<Element> holder = r.document()->createElement(QStringLiteral("DIV"));
    for (auto& n :
         MarkupServices::cloneContents(r.start().node(), r.start().offset(), r.end().node(), r.end().offset()))
        holder->insertChildAt(holder->childCount(), n);
    return holder;
}
} // namespace range_detail

QString TextRange::text() const
{
    return HtmlSerializer::innerText(range_detail::holderOf(*this).get(), true);
}

QString TextRange::htmlText() const
{
    return range_detail::holderOf(*this)->innerHTML();
}

void TextRange::setText(const QString& text)
{
    UndoUnit unit(m_doc);
    MarkupServices::extractContents(m_start.node(), m_start.offset(), m_end.node(), m_end.offset());
    Ref<Element> holder = m_doc->createElement(QStringLiteral("SPAN"));
    holder->setInnerText(text);
    std::vector<Ref<Node>> nodes(holder->childNodes().begin(), holder->childNodes().end());
    Node* endNode = nullptr;
    int endOffset = 0;
    MarkupServices::insertNodes(m_start.node(), m_start.offset(), nodes, &endNode, &endOffset);
    if (endNode)
        setRange(endNode, endOffset, endNode, endOffset);
}

void TextRange::pasteHTML(const QString& html)
{
    UndoUnit unit(m_doc);
    MarkupServices::extractContents(m_start.node(), m_start.offset(), m_end.node(), m_end.offset());
    Node* at = m_start.node();
    int off = m_start.offset();
    if (!at)
        return;
    Element* context = elementAtOrAbove(at);
    auto nodes = HtmlParser::parseFragment(m_doc, html, context ? context->tagName() : QStringLiteral("BODY"));
    bool hasBlock = false;
    for (auto& n : nodes)
        if (Element* e = n->asElement(); e && tags::isBlock(e->tagName()))
            hasBlock = true;
    if (hasBlock) {
        // A block cannot stand in a P or an inline element: split them.
        MarkupPointer::normalize(at, off);
        Element* splitTop = nullptr;
        for (Node* p = at->asText() ? at->parentNode() : at; p && p->asElement(); p = p->parentNode()) {
            Element* e = p->asElement();
            if (e->hasTag(QLatin1String("P")) || tags::isInlineFormatting(e->tagName()))
                splitTop = e;
            else
                break;
        }
        if (splitTop && splitTop->parentNode()) {
            Ref<Element> tail = MarkupServices::splitElement(splitTop, at, off);
            at = splitTop->parentNode();
            off = splitTop->indexInParent() + 1;
            if (tail && tail->textContent().isEmpty() && tail->getElementsByTagName(QStringLiteral("*")).length() == 0)
                tail->remove();
            if (splitTop->textContent().isEmpty() &&
                splitTop->getElementsByTagName(QStringLiteral("*")).length() == 0) {
                off = splitTop->indexInParent();
                splitTop->remove();
            }
        }
    }
    Node* endNode = nullptr;
    int endOffset = 0;
    MarkupServices::insertNodes(at, off, nodes, &endNode, &endOffset);
    if (endNode)
        setRange(endNode, endOffset, endNode, endOffset);
}

Element* TextRange::parentElement() const
{
    Node *a = m_start.node(), *b = m_end.node();
    if (!a || !b)
        return nullptr;
    int ao = m_start.offset(), bo = m_end.offset();
    if (!isCollapsed()) {
        // Tags at the ends do not count: look from the first character to
        // the last one.
        Node* fn = a;
        int fo = ao;
        Node* ln = b;
        int lo = bo;
        if (textunits::firstCharAt(fn, fo, scope()) && textunits::lastCharEnd(ln, lo, scope()) &&
            LivePosition::compare(fn, fo, ln, lo) < 0) {
            a = fn;
            ao = fo;
            b = ln;
            bo = lo;
        }
    }
    // A range that covers exactly one element's content gives that element.
    Node* n = a;
    for (; n; n = n->parentNode())
        if (n->containsNode(b))
            break;
    if (!n)
        return nullptr;
    if (n == a && n == b && !n->asText() && bo == ao + 1)
        if (Element* only = n->child(ao) ? n->child(ao)->asElement() : nullptr; only && !only->isComment())
            return only;
    while (n && !n->asElement())
        n = n->parentNode();
    return n ? n->asElement() : nullptr;
}

void TextRange::collapse(bool toStart)
{
    if (toStart)
        m_end = m_start;
    else
        m_start = m_end;
    m_start.setRightGravity(false);
    m_end.setRightGravity(false);
}

int TextRange::moveBoundary(LivePosition& pos, const QString& unitName, int count) const
{
    const QString unit = unitName.toLower();
    Node* n = pos.node();
    int o = pos.offset();
    const Node* sc = scope();
    if (!n)
        return 0;
    if (unit == QLatin1String("textedit")) {
        if (count > 0)
            pos.set(const_cast<Node*>(sc), sc->childCount());
        else if (count < 0)
            pos.set(const_cast<Node*>(sc), 0);
        return count > 0 ? 1 : count < 0 ? -1 : 0;
    }
    int moved = 0;
    const int step = count > 0 ? 1 : -1;
    for (int i = 0; i != count; i += step) {
        bool ok = false;
        if (unit == QLatin1String("character"))
            ok = step > 0 ? textunits::nextChar(n, o, sc) : textunits::prevChar(n, o, sc);
        else if (unit == QLatin1String("word"))
            ok = step > 0 ? textunits::nextWordStart(n, o, sc) : textunits::prevWordStart(n, o, sc);
        else if (unit == QLatin1String("sentence"))
            ok = step > 0 ? textunits::nextSentenceStart(n, o, sc) : textunits::prevSentenceStart(n, o, sc);
        if (!ok)
            break;
        moved += step;
    }
    pos.set(n, o);
    return moved;
}

int TextRange::move(const QString& unit, int count)
{
    collapse(true);
    const int moved = moveBoundary(m_start, unit, count);
    m_end = m_start;
    return moved;
}

int TextRange::moveStart(const QString& unit, int count)
{
    const int moved = moveBoundary(m_start, unit, count);
    if (m_start.compare(m_end) > 0)
        m_end = m_start;
    return moved;
}

int TextRange::moveEnd(const QString& unit, int count)
{
    const int moved = moveBoundary(m_end, unit, count);
    if (m_end.compare(m_start) < 0)
        m_start = m_end;
    return moved;
}

bool TextRange::expand(const QString& unitName)
{
    const QString unit = unitName.toLower();
    const LivePosition oldStart = m_start, oldEnd = m_end;
    const Node* sc = scope();
    if (unit == QLatin1String("character")) {
        if (isCollapsed())
            moveBoundary(m_end, unit, 1);
    } else if (unit == QLatin1String("word") || unit == QLatin1String("sentence")) {
        const bool word = unit == QLatin1String("word");
        // Start: back to the start of the unit the start stands in.
        Node* n = m_start.node();
        int o = m_start.offset();
        Node* fn = n;
        int fo = o;
        if (textunits::nextChar(fn, fo, sc)) {
            // Is the start already at a unit start? Step forward one char
            // and back to the unit start: when it lands here, it is.
            Node* bn = fn;
            int bo = fo;
            const bool ok = word ? textunits::prevWordStart(bn, bo, sc) : textunits::prevSentenceStart(bn, bo, sc);
            if (ok)
                m_start.set(bn, bo);
        }
        Node* en = m_start.node();
        int eo = m_start.offset();
        Node* target = m_end.node();
        int targetOffset = m_end.offset();
        do {
            const bool ok = word ? textunits::nextWordStart(en, eo, sc) : textunits::nextSentenceStart(en, eo, sc);
            if (!ok)
                break;
        } while (LivePosition::compare(en, eo, target, targetOffset) < 0);
        m_end.set(en, eo);
    } else if (unit == QLatin1String("textedit")) {
        m_start.set(const_cast<Node*>(sc), 0);
        m_end.set(const_cast<Node*>(sc), sc->childCount());
    } else {
        return false;
    }
    return m_start.compare(oldStart) != 0 || m_end.compare(oldEnd) != 0;
}

bool TextRange::moveToElementText(Element* el)
{
    if (!el || el->isVoid() || el->document() != m_doc)
        return false;
    m_start.set(el, 0);
    m_end.set(el, el->childCount());
    return true;
}

int TextRange::compareEndPoints(const QString& how, const TextRange& other) const
{
    const QString h = how.toLower();
    const LivePosition& mine = h.startsWith(QLatin1String("start")) ? m_start : m_end;
    const LivePosition& theirs = h.endsWith(QLatin1String("tostart")) ? other.m_start : other.m_end;
    Node* a = mine.node();
    int ao = mine.offset();
    Node* b = theirs.node();
    int bo = theirs.offset();
    MarkupPointer::normalize(a, ao);
    MarkupPointer::normalize(b, bo);
    return LivePosition::compare(a, ao, b, bo);
}

bool TextRange::isEqual(const TextRange& other) const
{
    return compareEndPoints(QStringLiteral("StartToStart"), other) == 0 &&
           compareEndPoints(QStringLiteral("EndToEnd"), other) == 0;
}

bool TextRange::inRange(const TextRange& other) const
{
    return compareEndPoints(QStringLiteral("StartToStart"), other) <= 0 &&
           compareEndPoints(QStringLiteral("EndToEnd"), other) >= 0;
}

void TextRange::select() const
{
    m_doc->selection().setTextRange(m_start.node(), m_start.offset(), m_end.node(), m_end.offset());
}

bool TextRange::moveToPoint(int x, int y)
{
    LayoutServices* layout = m_doc->layoutServices();
    return layout && layout->moveRangeToPoint(*this, QPoint(x, y));
}

QRect TextRange::getBoundingClientRect() const
{
    LayoutServices* layout = m_doc->layoutServices();
    return layout ? layout->rangeBoundingClientRect(*this) : QRect();
}

std::vector<QRect> TextRange::getClientRects() const
{
    LayoutServices* layout = m_doc->layoutServices();
    return layout ? layout->rangeClientRects(*this) : std::vector<QRect>();
}

void TextRange::scrollIntoView() const
{
    if (LayoutServices* layout = m_doc->layoutServices())
        layout->scrollRangeIntoView(*this);
}

bool TextRange::execCommand(const QString& name, const Variant& value)
{
    return m_doc->commands().execOnRange(*this, CommandGroup::idOfName(name), value) >= 0;
}

Variant TextRange::queryCommandValue(const QString& name) const
{
    return m_doc->commands().valueOnRange(*this, name);
}

bool TextRange::queryCommandState(const QString& name) const
{
    return m_doc->commands().stateOnRange(*this, name);
}

// --- ControlRange

bool ControlRange::accepts(const Element* el)
{
    if (!el || el->isComment())
        return false;
    static const char* const kinds[] = {"TABLE", "TD",     "IMG",    "HR",    "MARQUEE",
                                        "EMBED", "OBJECT", "APPLET", "INPUT", "DIV"};
    for (const char* k : kinds)
        if (el->hasTag(QLatin1String(k)))
            return true;
    const Style* s = el->styleIfAny();
    return s && s->position().trimmed().compare(QLatin1String("absolute"), Qt::CaseInsensitive) == 0;
}

bool ControlRange::add(Element* el)
{
    if (!accepts(el) || el->document() != m_doc)
        return false;
    for (const auto& e : m_items)
        if (e.get() == el)
            return true;
    m_items.push_back(el);
    return true;
}

bool ControlRange::remove(int index)
{
    if (index < 0 || index >= length())
        return false;
    m_items.erase(m_items.begin() + index);
    return true;
}

Element* ControlRange::item(int index) const
{
    return index >= 0 && index < length() ? m_items[size_t(index)].get() : nullptr;
}

void ControlRange::select() const
{
    m_doc->selection().setControlRange(m_items);
}

} // namespace engine
