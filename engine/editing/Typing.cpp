#include "engine/editing/Typing.h"

#include "engine/dom/Document.h"
#include "engine/dom/Element.h"
#include "engine/dom/HtmlTags.h"
#include "engine/dom/Text.h"
#include "engine/editing/CommandGroup.h"
#include "engine/editing/Selection.h"
#include "engine/editing/TextRange.h"
#include "engine/markup/MarkupServices.h"
#include "engine/markup/UndoManager.h"

namespace engine {

namespace typing_detail {

bool isContainerTag(const Element* el)
{
    return el->hasTag(QLatin1String("TD")) || el->hasTag(QLatin1String("TH")) || el->hasTag(QLatin1String("CAPTION")) ||
           el->hasTag(QLatin1String("MARQUEE")) || el->hasTag(QLatin1String("BODY"));
}

bool isSpaceChar(QChar c)
{
    return c == u' ' || c == QChar(0xA0) || c == u'\n' || c == u'\t';
}

// Elements that are blocks but no paragraphs: the caret does not cross them.
bool isOtherBlock(const Element* el)
{
    static const char* const kTags[] = {"TABLE", "UL", "OL", "DL", "FORM", "BLOCKQUOTE", "CENTER", "HR", "MAP"};
    for (const char* t : kTags)
        if (el->hasTag(QLatin1String(t)))
            return true;
    return false;
}

// Blocks of any kind: the caret's line ends at them.
bool isBlock(const Element* el)
{
    return Typing::isParagraph(el) || isOtherBlock(el) || isContainerTag(el);
}

// Elements that show on the page without any text: images, objects, tables.
bool showsWithoutText(const Element* el)
{
    static const char* const kTags[] = {"TABLE",    "OBJECT", "APPLET", "SELECT",
                                        "TEXTAREA", "BUTTON", "IFRAME", "MARQUEE"};
    if (el->isVoid() && !el->isComment())
        return true;
    for (const char* t : kTags)
        if (el->hasTag(QLatin1String(t)))
            return true;
    return false;
}

// White space that collapses (a no-break space does not).
bool isCollapsible(QChar c)
{
    return c == u' ' || c == u'\n' || c == u'\t' || c == u'\r' || c == u'\f';
}

bool hasVisibleText(const Text* t)
{
    for (QChar c : t->data())
        if (!isCollapsible(c))
            return true;
    return false;
}

// Whether anything in the element shows: a paragraph without it is 0 px high.
bool showsContent(Element* el)
{
    for (Node* n = el->firstChild(); n; n = n->nextInTree(el)) {
        if (const Text* t = n->asText(); t && hasVisibleText(t))
            return true;
        if (const Element* e = n->asElement(); e && showsWithoutText(e))
            return true;
    }
    return false;
}

// A break keeps an empty paragraph one line high, as browsers' editors do:
// at the end of its innermost last element (so that text typed there keeps
// the formatting of the text it was split from).
void keepLineOpen(Document* doc, Element* paragraph)
{
    if (showsContent(paragraph))
        return;
    Element* into = paragraph;
    while (Element* last = into->lastChild() ? into->lastChild()->asElement() : nullptr) {
        if (last->isComment() || last->isVoid())
            break;
        into = last;
    }
    into->appendChild(doc->createElement(QStringLiteral("BR")));
}

// The break that alone keeps an empty paragraph one line high (the
// paragraph shows nothing else); null when there is none.
Element* placeholderBreak(Element* paragraph)
{
    Element* found = nullptr;
    for (Node* n = paragraph->firstChild(); n; n = n->nextInTree(paragraph)) {
        if (const Text* t = n->asText(); t && hasVisibleText(t))
            return nullptr;
        Element* e = n->asElement();
        if (!e || !showsWithoutText(e))
            continue;
        if (found || !e->hasTag(QLatin1String("BR")))
            return nullptr;
        found = e;
    }
    return found;
}

// Whether a line holds anything after a break: text, an image, before the
// end of its block.
bool lineGoesOnAfter(Element* br, Element* block)
{
    for (Node* n = br->nextInTree(block); n; n = n->nextInTree(block)) {
        if (const Text* t = n->asText(); t && hasVisibleText(t))
            return true;
        if (const Element* e = n->asElement(); e && !e->isComment()) {
            if (isBlock(e))
                return false;
            if (showsWithoutText(e))
                return true;
        }
    }
    return false;
}

// The block whose lines the caret's text belongs to: its paragraph, else its
// cell, caption or marquee; null directly in the BODY.
Element* lineBlockOf(Node* node)
{
    for (Node* n = node; n; n = n->parentNode()) {
        Element* e = n->asElement();
        if (!e || e->isComment())
            continue;
        if (Typing::isParagraph(e))
            return e;
        if (isContainerTag(e))
            return e->hasTag(QLatin1String("BODY")) ? nullptr : e;
    }
    return nullptr;
}

// A paragraph left with nothing to show by a deletion keeps its line by a
// break, as the new one Enter makes: it would take no room otherwise, and
// its line would vanish with the caret in it.
void keepParagraphOpen(Document* doc, Node* at)
{
    Element* block = lineBlockOf(at);
    if (block && Typing::isParagraph(block))
        keepLineOpen(doc, block);
}

// The break that stands right after the text and ends its block's last line:
// once text is typed before it, it opens no line and only lingers in the
// markup. Null when there is none.
Element* trailingBreakAfter(Text* text, Element* block)
{
    for (Node* n = text->nextInTree(block); n; n = n->nextInTree(block)) {
        if (const Text* t = n->asText()) {
            if (hasVisibleText(t))
                return nullptr;
            continue;
        }
        Element* e = n->asElement();
        if (!e || e->isComment())
            continue;
        if (!e->hasTag(QLatin1String("BR"))) {
            // Into inline elements; anything that shows or starts a block ends the search.
            if (e->isVoid() || Typing::isParagraph(e) || isOtherBlock(e) || isContainerTag(e) || showsWithoutText(e))
                return nullptr;
            continue;
        }
        return lineGoesOnAfter(e, block) ? nullptr : e;
    }
    return nullptr;
}

// Text of white space alone and comments: nothing between blocks.
bool isBetweenBlocks(const Node* n)
{
    if (const Text* t = n->asText())
        return !hasVisibleText(t);
    const Element* e = n->asElement();
    return e && e->isComment();
}

// The paragraph where a block's content begins (or, with `last`, ends):
// the block itself unless its content begins with a block of its own, then
// that one's; null where that is a block that is no paragraph (a table, a
// list).
Element* paragraphAtEdge(Element* block, bool last)
{
    for (Element* p = block;;) {
        Node* n = last ? p->lastChild() : p->firstChild();
        while (n && isBetweenBlocks(n))
            n = last ? n->previousSibling() : n->nextSibling();
        Element* e = n ? n->asElement() : nullptr;
        if (!e || !isBlock(e))
            return p;
        if (!Typing::isParagraph(e))
            return nullptr;
        p = e;
    }
}

// Whether an element holds anything but `child` and what stands between
// blocks.
bool holdsOnly(const Element* el, const Node* child)
{
    for (const Node* n = el->firstChild(); n; n = n->nextSibling()) {
        if (n != child && !isBetweenBlocks(n))
            return false;
    }
    return true;
}

// Elements that only wrap the blocks of a part of a page (sections,
// articles): the caret steps through them as through a division.
bool isWrapper(const Element* el)
{
    static const char* const kTags[] = {"SECTION", "ARTICLE", "HEADER",     "FOOTER",  "NAV",     "ASIDE",
                                        "MAIN",    "FIGURE",  "FIGCAPTION", "DETAILS", "SUMMARY", "HGROUP"};
    for (const char* t : kTags)
        if (el->hasTag(QLatin1String(t)))
            return true;
    return false;
}

// Elements that stand on lines of their own, as far as a line of text next
// to them is concerned: the blocks editing knows, and those it only steps
// around.
bool standsAlone(const Element* el)
{
    return isBlock(el) || tags::isBlock(el->tagName()) || isWrapper(el);
}

// Blocks whose paragraph at the edge joins the one next to them, as a
// paragraph's own content does: paragraphs and wrappers (a table or a list
// next to a paragraph does not join it).
bool joinsAsParagraph(const Element* el)
{
    return Typing::isParagraph(el) || isWrapper(el);
}

// Blocks whose lines the caret reaches at their edges, to join them:
// paragraphs, lists, quotations, centred blocks and wrappers (not tables,
// nor forms, which hold what they hold).
bool holdsLines(const Element* el)
{
    static const char* const kTags[] = {"UL", "OL", "DL", "MENU", "DIR", "BLOCKQUOTE", "CENTER"};
    if (Typing::isParagraph(el) || isWrapper(el))
        return true;
    for (const char* t : kTags)
        if (el->hasTag(QLatin1String(t)))
            return true;
    return false;
}

// Whether white space in the node shows as it stands (preformatted text).
bool isPreformatted(const Node* node)
{
    static const char* const kTags[] = {"PRE", "TEXTAREA", "XMP", "LISTING", "PLAINTEXT"};
    for (const Node* n = node; n; n = n->parentNode())
        if (const Element* e = n->asElement())
            for (const char* t : kTags)
                if (e->hasTag(QLatin1String(t)))
                    return true;
    return false;
}

// Whether a line of text cannot take the node whole: it is or holds
// something that stands alone.
bool breaksLine(Node* node)
{
    for (Node* n = node; n; n = n->nextInTree(node))
        if (const Element* e = n->asElement(); e && !e->isComment() && standsAlone(e))
            return true;
    return false;
}

// The first sibling from `n` on (or back, with `back`) that is not between
// blocks; null when there is none.
Node* shownSibling(Node* n, bool back)
{
    while (n && isBetweenBlocks(n))
        n = back ? n->previousSibling() : n->nextSibling();
    return n;
}

// The length of the run of white space at the start of a text (or at its
// end, with `back`) when the run holds a line break: such a run lays out
// the markup and shows nowhere but between words; a run without one may
// be the space a split line kept, and stays.
int markupBlank(const QString& d, bool back)
{
    int n = 0;
    bool lineBreak = false;
    for (; n < int(d.size()); ++n) {
        const QChar c = d.at(back ? int(d.size()) - 1 - n : n);
        if (!isCollapsible(c))
            break;
        lineBreak = lineBreak || c == u'\n' || c == u'\r';
    }
    return lineBreak ? n : 0;
}

// Moves the line that starts at `first` (it and its siblings after it, up
// to one that breaks the line or a break, which goes; with `lines`, every
// line up to one that breaks the line) into `into` before `before`. The
// white space that began the line did not show at a line's start: it goes
// rather than showing after the text it now follows (see markupBlank).
void moveLine(Node* first, Element* into, Node* before, bool lines = false)
{
    bool lineStart = !isPreformatted(first);
    for (Node* c = first; c;) {
        Node* following = c->nextSibling();
        if (Element* e = c->asElement(); e && !lines && e->hasTag(QLatin1String("BR"))) {
            e->remove();
            break;
        }
        if (breaksLine(c))
            break;
        if (Text* t = c->asText(); t && lineStart) {
            const int blank = markupBlank(t->data(), false);
            if (blank > 0 && blank == t->length()) {
                c = following;
                continue;
            }
            if (blank > 0)
                t->deleteData(0, blank);
        }
        if (c->asText() || !isBetweenBlocks(c))
            lineStart = false;
        into->insertBefore(Ref<Node>(c), before);
        c = following;
    }
}

// Whether the white space of a text after `offset` (or, with `back`, before
// it) shows: not at the edge of a block's line, where it collapses, unless
// it is preformatted.
bool whiteSpaceShows(Text* t, int offset, bool back)
{
    const QString& d = t->data();
    for (int i = back ? 0 : offset; i < (back ? offset : int(d.size())); ++i)
        if (!isCollapsible(d.at(i)))
            return true;
    if (Node* beyond = shownSibling(back ? t->previousSibling() : t->nextSibling(), back);
        beyond && !breaksLine(beyond))
        return true;
    const Element* parent = t->parentElement();
    return !parent || !standsAlone(parent) || isPreformatted(t);
}

// The white space that ended a line (at `last` or before it) did not show;
// once a line joins after it, it would: it goes. So does the break that
// ended a paragraph's last line, which opens no line of its own until
// something follows it.
void clearLineEnd(Node* last, bool breakToo)
{
    for (Node* n = last; n;) {
        if (Text* t = n->asText()) {
            if (isPreformatted(t))
                return;
            const int blank = markupBlank(t->data(), true);
            Node* previous = n->previousSibling();
            if (blank < t->length() || blank == 0) {
                if (blank > 0)
                    t->deleteData(t->length() - blank, blank);
                return;
            }
            n->remove();
            n = previous;
            continue;
        }
        Element* e = n->asElement();
        if (!e)
            return;
        if (e->isComment()) {
            n = n->previousSibling();
            continue;
        }
        if (breakToo && e->hasTag(QLatin1String("BR"))) {
            breakToo = false;
            n = n->previousSibling();
            e->remove();
            continue;
        }
        if (e->isVoid() || standsAlone(e))
            return;
        n = e->lastChild();
    }
}

// Whether a break ends its paragraph's last line, with something before it
// on that line: it opens no line of its own.
bool endsLastLine(Element* br)
{
    Element* block = lineBlockOf(br);
    return block && Typing::isParagraph(block) && !isPreformatted(block) && !lineGoesOnAfter(br, block) &&
           !placeholderBreak(block);
}

// Splits a paragraph of preformatted text after its first line (at its
// first line break or BR), which goes: the lines after it stay a paragraph
// of their own, when the first line joins text that is not preformatted
// and would otherwise run them all into one line.
void splitAfterFirstLine(Element* paragraph)
{
    Node* lineEnd = nullptr;
    int at = 0;
    for (Node* n = paragraph->firstChild(); n && !lineEnd; n = n->nextInTree(paragraph)) {
        if (Text* t = n->asText()) {
            if (const qsizetype i = t->data().indexOf(u'\n'); i >= 0) {
                lineEnd = t;
                at = int(i);
            }
        } else if (Element* e = n->asElement(); e && e->hasTag(QLatin1String("BR"))) {
            lineEnd = e->parentNode();
            at = e->indexInParent();
        } else if (e && !e->isComment() && standsAlone(e)) {
            return;
        }
    }
    if (!lineEnd)
        return;
    Ref<Element> rest = MarkupServices::splitElement(paragraph, lineEnd, at);
    if (!rest)
        return;
    // (The id goes with the lines that stay: the first one leaves its
    // paragraph empty, and it goes.)
    paragraph->removeAttribute(QStringLiteral("id"));
    for (Node* n = rest->firstChild(); n; n = n->nextInTree(rest.get())) {
        if (Text* t = n->asText(); t && t->length() > 0) {
            t->deleteData(0, 1);
            return;
        }
        if (Element* e = n->asElement(); e && e->hasTag(QLatin1String("BR"))) {
            e->remove();
            return;
        }
    }
}

} // namespace typing_detail

Element* Typing::editingContainer(Node* node)
{
    for (Node* n = node; n; n = n->parentNode())
        if (Element* e = n->asElement(); e && !e->isComment() && typing_detail::isContainerTag(e))
            return e;
    return nullptr;
}

bool Typing::isParagraph(const Element* el)
{
    static const char* const kTags[] = {"P",  "DIV", "H1",  "H2",      "H3", "H4", "H5",
                                        "H6", "LI",  "PRE", "ADDRESS", "DD", "DT"};
    for (const char* t : kTags)
        if (el->hasTag(QLatin1String(t)))
            return true;
    return false;
}

bool Typing::isEditable(Node* node) const
{
    Element* body = m_doc->body();
    return node && body && body->hasTag(QLatin1String("BODY")) && body->containsNode(node) &&
           m_doc->commands().editMode();
}

bool Typing::caret(Node*& node, int& offset) const
{
    Selection& sel = m_doc->selection();
    if (sel.type() == Selection::Type::Control || !sel.start().isSet())
        return false;
    node = sel.start().node();
    offset = sel.start().offset();
    return isEditable(node);
}

void Typing::placeCaret(Node* node, int offset)
{
    m_doc->selection().collapseAt(node, offset);
}

bool Typing::joinParagraphs(Element* first, Element* second)
{
    using namespace typing_detail;
    // Blocks that hold blocks join where their paragraphs meet: the first's
    // last paragraph and the second's first (a paragraph holds no block),
    // as browsers' editors join them. Nothing joins a table or a list.
    Element* const outer = second;
    first = paragraphAtEdge(first, true);
    second = paragraphAtEdge(second, false);
    if (!first || !second)
        return false;
    if (isPreformatted(second) && !isPreformatted(first))
        splitAfterFirstLine(second);
    // The break that held an empty paragraph open goes: the joined one shows
    // the other's content, or stays open by the first one's break.
    Element* kept = nullptr;
    if (Element* br = placeholderBreak(second)) {
        br->remove();
        kept = placeholderBreak(first);
    } else if (Element* br = placeholderBreak(first)) {
        br->remove();
    } else {
        clearLineEnd(first->lastChild(), true);
    }
    // The second's lines up to its first block join; the blocks after them
    // in the second stay where they are.
    const int join = first->childCount();
    moveLine(second->firstChild(), first, nullptr, true);
    // What held nothing else goes with it.
    if (!shownSibling(second->firstChild(), false)) {
        Element* gone = second;
        while (gone != outer && gone->parentElement() && holdsOnly(gone->parentElement(), gone))
            gone = gone->parentElement();
        gone->remove();
    }
    // Both empty: the caret stands on the line that stays, before its break.
    if (kept && kept->parentNode())
        placeCaret(kept->parentNode(), kept->indexInParent());
    else
        placeCaret(first, join);
    return true;
}

bool Typing::joinLineAfter(Element* block)
{
    using namespace typing_detail;
    // The line of text and inline elements after the block joins the
    // block's last paragraph, up to what ends the line (a break goes with
    // the line), as browsers' editors join it.
    Element* paragraph = paragraphAtEdge(block, true);
    Node* first = block->nextSibling();
    Node* shown = shownSibling(first, false);
    if (!paragraph || !shown || breaksLine(shown))
        return false;
    if (Element* br = placeholderBreak(paragraph))
        br->remove();
    else
        clearLineEnd(paragraph->lastChild(), true);
    const int join = paragraph->childCount();
    moveLine(first, paragraph, nullptr);
    placeCaret(paragraph, join);
    return true;
}

bool Typing::joinLineBefore(Element* block)
{
    using namespace typing_detail;
    // The first line of the block's first paragraph moves out to the end of
    // the line of text before the block, as browsers' editors join them. A
    // break that ended that line goes; a paragraph left empty goes, with
    // what held nothing else; text after what went starts a line of its own.
    Element* paragraph = paragraphAtEdge(block, false);
    Node* before = shownSibling(block->previousSibling(), true);
    if (!paragraph || !before)
        return false;
    if (breaksLine(before))
        return false;
    Node* parent = block->parentNode();
    if (isPreformatted(paragraph) && !isPreformatted(parent))
        splitAfterFirstLine(paragraph);
    for (Node* n = block->previousSibling(); n != before;) {
        Node* previous = n->previousSibling();
        if (n->isText())
            n->remove();
        n = previous;
    }
    clearLineEnd(before, true);
    const int join = block->indexInParent();
    if (Element* br = placeholderBreak(paragraph))
        br->remove();
    moveLine(paragraph->firstChild(), block->parentElement(), block);
    if (!shownSibling(paragraph->firstChild(), false)) {
        Element* gone = paragraph;
        while (gone != block && gone->parentElement() && holdsOnly(gone->parentElement(), gone))
            gone = gone->parentElement();
        Node* after = gone == block ? shownSibling(block->nextSibling(), false) : nullptr;
        Node* next = gone->nextSibling();
        gone->remove();
        if (after && !breaksLine(after))
            parent->insertBefore(m_doc->createElement(QStringLiteral("BR")), next);
    }
    placeCaret(parent, join);
    return true;
}

bool Typing::deleteSelectionIfAny()
{
    Selection& sel = m_doc->selection();
    if (sel.type() != Selection::Type::Text)
        return false;
    Node* sn = sel.start().node();
    const int so = sel.start().offset();
    // The paragraphs where the selection begins and ends: what is left of
    // the second joins the first, as browsers' editors join them (not
    // across a cell's edge, nor where one paragraph holds the other).
    const Ref<Element> first(typing_detail::lineBlockOf(sn));
    const Ref<Element> second(typing_detail::lineBlockOf(sel.end().node()));
    const bool joins = first && second && first != second && isParagraph(first.get()) && isParagraph(second.get()) &&
                       !first->containsNode(second.get()) && !second->containsNode(first.get()) &&
                       editingContainer(first.get()) == editingContainer(second.get());
    MarkupServices::extractContents(sn, so, sel.end().node(), sel.end().offset());
    const Ref<Node> caretNode(sel.start().node());
    const int caretOffset = sel.start().offset();
    placeCaret(caretNode.get(), caretOffset);
    // The caret stays where the selection began (in its bold text, say),
    // where the join left that in place.
    if (joins && first->parentNode() && second->parentNode() && joinParagraphs(first.get(), second.get()) &&
        first->containsNode(caretNode.get())) {
        const Text* text = caretNode->asText();
        placeCaret(caretNode.get(), std::min(caretOffset, text ? text->length() : caretNode->childCount()));
    }
    if (sel.start().isSet())
        typing_detail::keepParagraphOpen(m_doc, sel.start().node());
    return true;
}

void Typing::applyPendingFormats(Node* startNode, int startOffset)
{
    CommandGroup& commands = m_doc->commands();
    if (commands.pendingFormats().empty())
        return;
    const auto pending = commands.pendingFormats();
    commands.clearPendingFormats();
    Selection& sel = m_doc->selection();
    TextRange range(m_doc, startNode, startOffset, sel.start().node(), sel.start().offset());
    for (const auto& f : pending)
        commands.execOnRange(range, f.id, f.value);
    placeCaret(range.end().node(), range.end().offset());
}

bool Typing::insertText(const QString& input, bool overwrite)
{
    Node* node = nullptr;
    int offset = 0;
    if (input.isEmpty() || !caret(node, offset))
        return false;
    UndoUnit unit(m_doc);
    m_doc->undoManager().markTyping();
    if (deleteSelectionIfAny()) {
        overwrite = false;
        node = m_doc->selection().start().node();
        offset = m_doc->selection().start().offset();
    }
    // The text node to type into.
    Text* text = node->asText();
    if (!text) {
        if (Node* after = node->child(offset); after && after->isText()) {
            text = after->asText();
            offset = 0;
        } else if (Node* before = node->child(offset - 1); before && before->isText()) {
            text = before->asText();
            offset = text->length();
        } else {
            Ref<Text> fresh = m_doc->createTextNode(QString());
            node->insertBefore(fresh, node->child(offset));
            text = fresh.get();
            offset = 0;
        }
    }
    // The break that held an empty paragraph open, or the line that
    // Shift+Enter opened, goes with the first character typed on that line
    // (in the same undo step, before the text so that typing on merges).
    if (Element* block = typing_detail::lineBlockOf(text)) {
        Element* stray = typing_detail::placeholderBreak(block);
        if (!stray && offset == text->length())
            stray = typing_detail::trailingBreakAfter(text, block);
        if (stray)
            stray->remove();
    }
    const bool pendingFormats = !m_doc->commands().pendingFormats().empty();
    QString typed = input;
    if (typed == QLatin1String(" ")) {
        const QString& data = text->data();
        const bool spaceBefore = offset == 0 || typing_detail::isSpaceChar(data.at(offset - 1));
        const bool endAfter = offset >= data.size() || typing_detail::isSpaceChar(data.at(offset));
        if (spaceBefore || endAfter)
            typed = QString(QChar(0xA0));
    }
    int from = offset;
    int replaced = overwrite ? std::min<int>(typed.size(), text->length() - offset) : 0;
    // A non-breaking space typed last becomes a plain one once text follows it.
    if (from > 0 && text->data().at(from - 1) == QChar(0xA0) && !typing_detail::isSpaceChar(typed.at(0)) &&
        (from < 2 || !typing_detail::isSpaceChar(text->data().at(from - 2)))) {
        --from;
        ++replaced;
        typed.prepend(u' ');
    }
    text->replaceData(from, replaced, typed);
    placeCaret(text, from + int(typed.size()));
    if (pendingFormats)
        applyPendingFormats(text, offset);
    return true;
}

bool Typing::insertLineBreak()
{
    Node* node = nullptr;
    int offset = 0;
    if (!caret(node, offset))
        return false;
    UndoUnit unit(m_doc);
    deleteSelectionIfAny();
    Selection& sel = m_doc->selection();
    Ref<Element> br = m_doc->createElement(QStringLiteral("BR"));
    Node* endNode = nullptr;
    int endOffset = 0;
    MarkupServices::insertNodes(sel.start().node(), sel.start().offset(), {Ref<Node>(br.get())}, &endNode, &endOffset);
    if (!br->parentNode())
        return true;
    // A break at the end of its block opens no line of its own: a second
    // one holds the new line open for the caret, as in browsers' editors.
    Element* block = editingContainer(br.get());
    for (Node* n = br->parentNode(); n && n != block; n = n->parentNode())
        if (Element* e = n->asElement(); e && isParagraph(e)) {
            block = e;
            break;
        }
    if (block && !typing_detail::lineGoesOnAfter(br.get(), block))
        br->parentNode()->insertBefore(m_doc->createElement(QStringLiteral("BR")), br->nextSibling());
    placeCaret(br->parentNode(), br->indexInParent() + 1);
    return true;
}

bool Typing::insertParagraph()
{
    Node* node = nullptr;
    int offset = 0;
    if (!caret(node, offset))
        return false;
    // Preformatted text keeps its lines in one block: Enter breaks the line
    // there, as browsers' editors do.
    if (Element* container = editingContainer(node)) {
        for (Node* n = node; n && n != container; n = n->parentNode()) {
            Element* e = n->asElement();
            if (e && isParagraph(e)) {
                if (e->hasTag(QLatin1String("PRE")))
                    return insertLineBreak();
                break;
            }
        }
    }
    UndoUnit unit(m_doc);
    deleteSelectionIfAny();
    Selection& sel = m_doc->selection();
    node = sel.start().node();
    offset = sel.start().offset();
    Element* container = editingContainer(node);
    if (!container)
        return false;
    // A centered block or a quotation that holds the caret's line itself
    // splits in two as a paragraph does (browsers' editors split them so);
    // it does not go into a paragraph, which cannot hold it.
    Element* block = nullptr;
    for (Node* n = node; n && n != container; n = n->parentNode())
        if (Element* e = n->asElement();
            e && (isParagraph(e) || e->hasTag(QLatin1String("CENTER")) || e->hasTag(QLatin1String("BLOCKQUOTE")))) {
            block = e;
            break;
        }
    if (!block) {
        // The run of inline content around the caret becomes a paragraph.
        Node* top = node;
        while (top->parentNode() && top->parentNode() != container)
            top = top->parentNode();
        auto blockAt = [container](int i) {
            const Element* e = container->child(i)->asElement();
            return e && !e->isComment() && (isParagraph(e) || typing_detail::isOtherBlock(e));
        };
        // Between children the run may be empty; else it holds the caret's child.
        int first = top == container ? offset : top->indexInParent();
        int last = top == container ? offset - 1 : first;
        while (first > 0 && !blockAt(first - 1))
            --first;
        while (last + 1 < container->childCount() && !blockAt(last + 1))
            ++last;
        Ref<Element> p = m_doc->createElement(QStringLiteral("P"));
        const Ref<Node> keepNode(node);
        container->insertBefore(p, container->child(first));
        // The run now starts after the new paragraph.
        for (int i = first; i <= last; ++i)
            p->appendChild(Ref<Node>(container->child(first + 1)));
        if (node == container) {
            node = p.get();
            offset = offset - first;
        }
        block = p.get();
    }
    Ref<Element> tail = MarkupServices::splitElement(block, node, offset);
    if (!tail)
        return false;
    // An id names one element: the new paragraph does not repeat it.
    tail->removeAttribute(QStringLiteral("id"));
    // Either half left empty stays one line high.
    typing_detail::keepLineOpen(m_doc, block);
    typing_detail::keepLineOpen(m_doc, tail.get());
    // The caret starts the new paragraph, inside its first text.
    Node* n = tail.get();
    while (n->firstChild() && !n->firstChild()->isText() && n->firstChild()->asElement() &&
           !n->firstChild()->asElement()->isVoid())
        n = n->firstChild();
    placeCaret(n->firstChild() && n->firstChild()->isText() ? n->firstChild() : n, 0);
    return true;
}

namespace typing_detail {

bool removesAsUnit(Element* e)
{
    return e->isVoid() && !e->isComment();
}

} // namespace typing_detail

bool Typing::deleteBackward()
{
    Node* n = nullptr;
    int o = 0;
    if (!caret(n, o))
        return false;
    UndoUnit unit(m_doc);
    if (deleteSelectionIfAny())
        return true;
    Element* container = editingContainer(n);
    for (int guard = 0; n && guard < 10000; ++guard) {
        if (Text* t = n->asText()) {
            // White space that does not show at a line's start is passed over.
            if (o > 0 && !typing_detail::whiteSpaceShows(t, o, true))
                o = 0;
            if (o > 0) {
                const int count = o >= 2 && t->data().at(o - 1).isLowSurrogate() ? 2 : 1;
                t->deleteData(o - count, count);
                typing_detail::keepParagraphOpen(m_doc, t);
                placeCaret(t, o - count);
                return true;
            }
            o = t->indexInParent();
            n = t->parentNode();
            continue;
        }
        Element* e = n->asElement();
        if (!e)
            return false;
        if (o > 0) {
            Node* prev = e->child(o - 1);
            // At the start of a line after a paragraph the line joins it;
            // the white space after a block did not show, nor did any
            // before the first line of a block.
            Node* shown = typing_detail::shownSibling(prev, true);
            Element* se = shown ? shown->asElement() : nullptr;
            if (se && typing_detail::joinsAsParagraph(se) && joinLineAfter(se))
                return true;
            if (shown != prev && se && typing_detail::breaksLine(se)) {
                o = se->indexInParent() + 1;
                continue;
            }
            if (!shown && typing_detail::standsAlone(e)) {
                o = 0;
                continue;
            }
            if (prev->isText()) {
                n = prev;
                o = prev->asText()->length();
                continue;
            }
            Element* pe = prev->asElement();
            if (pe->isComment()) {
                --o;
                continue;
            }
            if (typing_detail::removesAsUnit(pe)) {
                pe->remove();
                placeCaret(e, o - 1);
                return true;
            }
            if (typing_detail::isOtherBlock(pe) || typing_detail::isContainerTag(pe))
                return false;
            n = pe;
            o = pe->childCount();
            continue;
        }
        // At the start of the element.
        if (e == container)
            return false;
        if (typing_detail::holdsLines(e)) {
            Node* prev = typing_detail::shownSibling(e->previousSibling(), true);
            Element* pe = prev ? prev->asElement() : nullptr;
            if (pe && typing_detail::joinsAsParagraph(pe))
                return joinParagraphs(pe, e);
            // A line of text before the paragraph: the paragraph's first
            // line joins it. Nothing joins a table or a list.
            if (prev)
                return joinLineBefore(e);
        }
        // Nothing outside a form (or another block the caret does not
        // cross, that holds no lines of its own to join) joins what it holds.
        if (!typing_detail::holdsLines(e) && typing_detail::isOtherBlock(e))
            return false;
        o = e->indexInParent();
        n = e->parentNode();
    }
    return false;
}

bool Typing::deleteForward()
{
    Node* n = nullptr;
    int o = 0;
    if (!caret(n, o))
        return false;
    UndoUnit unit(m_doc);
    if (deleteSelectionIfAny())
        return true;
    const Ref<Node> from(n);
    const int fromOffset = o;
    Element* container = editingContainer(n);
    for (int guard = 0; n && guard < 10000; ++guard) {
        if (Text* t = n->asText()) {
            // White space that does not show at a line's end is passed over.
            if (o < t->length() && !typing_detail::whiteSpaceShows(t, o, false))
                o = t->length();
            if (o < t->length()) {
                const int count = o + 1 < t->length() && t->data().at(o).isHighSurrogate() ? 2 : 1;
                t->deleteData(o, count);
                typing_detail::keepParagraphOpen(m_doc, t);
                placeCaret(t, o);
                return true;
            }
            o = t->indexInParent() + 1;
            n = t->parentNode();
            continue;
        }
        Element* e = n->asElement();
        if (!e)
            return false;
        if (o < e->childCount()) {
            Node* next = e->child(o);
            // At the end of a line of text before a paragraph, the
            // paragraph's first line joins it, the caret staying; the
            // white space before a block did not show, nor did any after
            // the last line of a block.
            Node* shown = typing_detail::shownSibling(next, false);
            Element* se = shown ? shown->asElement() : nullptr;
            if (se && typing_detail::holdsLines(se) && joinLineBefore(se)) {
                if (Text* t = from->asText(); t && t->parentNode())
                    placeCaret(t, std::min(fromOffset, t->length()));
                return true;
            }
            if (shown != next && se && typing_detail::breaksLine(se)) {
                o = se->indexInParent();
                continue;
            }
            if (!shown && typing_detail::standsAlone(e)) {
                o = e->childCount();
                continue;
            }
            if (next->isText()) {
                n = next;
                o = 0;
                continue;
            }
            Element* ne = next->asElement();
            if (ne->isComment()) {
                ++o;
                continue;
            }
            // The break that ends a paragraph's last line opens no line: the
            // next line joins past it (and it goes).
            if (ne->hasTag(QLatin1String("BR")) && typing_detail::endsLastLine(ne)) {
                ++o;
                continue;
            }
            if (typing_detail::removesAsUnit(ne)) {
                ne->remove();
                placeCaret(e, o);
                return true;
            }
            if (typing_detail::isOtherBlock(ne) || typing_detail::isContainerTag(ne))
                return false;
            n = ne;
            o = 0;
            continue;
        }
        if (e == container)
            return false;
        if (typing_detail::holdsLines(e)) {
            Node* next = typing_detail::shownSibling(e->nextSibling(), false);
            Element* ne = next ? next->asElement() : nullptr;
            if (ne && typing_detail::joinsAsParagraph(ne))
                return joinParagraphs(e, ne);
            // A line of text and inline elements after the paragraph joins
            // it. Nothing joins a table or a list.
            if (next)
                return joinLineAfter(e);
        }
        if (!typing_detail::holdsLines(e) && typing_detail::isOtherBlock(e))
            return false;
        o = e->indexInParent() + 1;
        n = e->parentNode();
    }
    return false;
}

} // namespace engine
