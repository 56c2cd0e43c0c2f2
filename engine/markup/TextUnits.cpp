#include "engine/markup/TextUnits.h"

#include "engine/dom/Element.h"
#include "engine/dom/HtmlTags.h"
#include "engine/dom/Text.h"

namespace engine::textunits {

CharClass classOf(QChar c)
{
    const char16_t u = c.unicode();
    if (c.isSpace() || u == 0xA0 || u == 0x3000)
        return CharClass::Space;
    if (u >= 0x3040 && u <= 0x309F)
        return CharClass::Hiragana;
    if ((u >= 0x30A0 && u <= 0x30FF) || (u >= 0xFF66 && u <= 0xFF9F))
        return CharClass::Katakana;
    if ((u >= 0x4E00 && u <= 0x9FFF) || (u >= 0x3400 && u <= 0x4DBF) || u == 0x3005)
        return CharClass::Kanji;
    if (c.isLetterOrNumber() || u == '_' || c.isMark() || c.isSurrogate())
        return CharClass::Word;
    return CharClass::Punct;
}

namespace units_detail {

bool skipsText(const Node* n)
{
    // Text of SCRIPT, STYLE, TITLE and comments is not page text.
    for (const Node* p = n->parentNode(); p; p = p->parentNode())
        if (const Element* e = p->asElement())
            if (tags::isRawText(e->tagName()) || e->hasTag(QLatin1String("TITLE")) || e->hasTag(QLatin1String("HEAD")))
                return true;
    return false;
}

// The text node and offset of the first character at or after the place.
bool charAfter(Node* node, int offset, const Node* scope, Text*& t, int& k)
{
    Node* n = nullptr;
    if (Text* tx = node->asText()) {
        if (offset < tx->length() && !skipsText(tx)) {
            t = tx;
            k = offset;
            return true;
        }
        n = tx->nextSkippingChildren(scope);
    } else {
        n = node->child(offset);
        if (!n)
            n = node->nextSkippingChildren(scope);
        if (scope && node == scope && offset >= node->childCount())
            n = nullptr;
    }
    for (; n; n = n->nextInTree(scope)) {
        if (scope && !scope->containsNode(n))
            return false;
        if (Text* tx = n->asText(); tx && tx->length() && !skipsText(tx)) {
            t = tx;
            k = 0;
            return true;
        }
    }
    return false;
}

Node* lastDescendant(Node* n)
{
    while (n->childCount())
        n = n->lastChild();
    return n;
}

// The text node and offset of the last character before the place.
bool charBefore(Node* node, int offset, const Node* scope, Text*& t, int& k)
{
    Node* n = nullptr;
    if (Text* tx = node->asText()) {
        if (offset > 0 && !skipsText(tx)) {
            t = tx;
            k = offset - 1;
            return true;
        }
        n = tx->previousInTree();
    } else if (offset > 0 && node->child(offset - 1)) {
        n = lastDescendant(node->child(offset - 1));
    } else {
        n = node == scope ? nullptr : node->previousInTree();
    }
    for (; n; n = n->previousInTree()) {
        if (scope && (!scope->containsNode(n) || n == scope))
            return false;
        if (Text* tx = n->asText(); tx && tx->length() && !skipsText(tx)) {
            t = tx;
            k = tx->length() - 1;
            return true;
        }
    }
    return false;
}

QChar charAt(Text* t, int k)
{
    return t->data().at(k);
}

bool isSentenceEnd(QChar c)
{
    return c == u'.' || c == u'!' || c == u'?' || c == QChar(0x3002) || c == QChar(0xFF01) || c == QChar(0xFF1F);
}

} // namespace units_detail

bool nextChar(Node*& node, int& offset, const Node* scope)
{
    Text* t = nullptr;
    int k = 0;
    if (!units_detail::charAfter(node, offset, scope, t, k))
        return false;
    ++k;
    if (k < t->length() && t->data().at(k).isLowSurrogate())
        ++k;
    node = t;
    offset = k;
    return true;
}

bool prevChar(Node*& node, int& offset, const Node* scope)
{
    Text* t = nullptr;
    int k = 0;
    if (!units_detail::charBefore(node, offset, scope, t, k))
        return false;
    if (k > 0 && t->data().at(k).isLowSurrogate())
        --k;
    node = t;
    offset = k;
    return true;
}

bool isInsideWord(Node* node, int offset, const Node* scope)
{
    Text *a = nullptr, *b = nullptr;
    int ka = 0, kb = 0;
    if (!units_detail::charBefore(node, offset, scope, a, ka) || !units_detail::charAfter(node, offset, scope, b, kb))
        return false;
    const CharClass ca = classOf(units_detail::charAt(a, ka)), cb = classOf(units_detail::charAt(b, kb));
    return ca == cb && ca != CharClass::Space && ca != CharClass::Punct;
}

namespace units_detail {
// A word starts where a non-space character follows a character of
// another class (or nothing).
bool isWordStart(Node* node, int offset, const Node* scope)
{
    Text *a = nullptr, *b = nullptr;
    int ka = 0, kb = 0;
    if (!charAfter(node, offset, scope, b, kb))
        return false;
    const CharClass cb = classOf(charAt(b, kb));
    if (cb == CharClass::Space)
        return false;
    if (!charBefore(node, offset, scope, a, ka))
        return true;
    const CharClass ca = classOf(charAt(a, ka));
    return ca != cb || cb == CharClass::Punct;
}

bool isSentenceStart(Node* node, int offset, const Node* scope)
{
    Text* b = nullptr;
    int kb = 0;
    if (!charAfter(node, offset, scope, b, kb) || classOf(charAt(b, kb)) == CharClass::Space)
        return false;
    Node* n = node;
    int o = offset;
    // Back over spaces, then a sentence end (or nothing) must precede.
    Text* a = nullptr;
    int ka = 0;
    bool sawSpace = false;
    while (charBefore(n, o, scope, a, ka)) {
        const QChar c = charAt(a, ka);
        if (classOf(c) == CharClass::Space) {
            sawSpace = true;
            n = a;
            o = ka;
            continue;
        }
        return isSentenceEnd(c) && (sawSpace || c.unicode() > 0x2FFF);
    }
    return true;
}
// A place before a character is given as the character's own text node.
void toCharStart(Node*& node, int& offset, const Node* scope)
{
    Text* t = nullptr;
    int k = 0;
    if (charAfter(node, offset, scope, t, k)) {
        node = t;
        offset = k;
    }
}
} // namespace units_detail

bool firstCharAt(Node*& node, int& offset, const Node* scope)
{
    Text* t = nullptr;
    int k = 0;
    if (!units_detail::charAfter(node, offset, scope, t, k))
        return false;
    node = t;
    offset = k;
    return true;
}

bool lastCharEnd(Node*& node, int& offset, const Node* scope)
{
    Text* t = nullptr;
    int k = 0;
    if (!units_detail::charBefore(node, offset, scope, t, k))
        return false;
    node = t;
    offset = k + 1;
    return true;
}

bool nextWordStart(Node*& node, int& offset, const Node* scope)
{
    Node* n = node;
    int o = offset;
    while (nextChar(n, o, scope)) {
        if (units_detail::isWordStart(n, o, scope)) {
            units_detail::toCharStart(n, o, scope);
            node = n;
            offset = o;
            return true;
        }
    }
    // No further word: the end of the text counts as the last start.
    if (n != node || o != offset) {
        node = n;
        offset = o;
        return true;
    }
    return false;
}

bool prevWordStart(Node*& node, int& offset, const Node* scope)
{
    Node* n = node;
    int o = offset;
    while (prevChar(n, o, scope)) {
        if (units_detail::isWordStart(n, o, scope)) {
            units_detail::toCharStart(n, o, scope);
            node = n;
            offset = o;
            return true;
        }
    }
    return false;
}

bool wordEnd(Node*& node, int& offset, const Node* scope)
{
    return nextWordStart(node, offset, scope);
}

bool nextSentenceStart(Node*& node, int& offset, const Node* scope)
{
    Node* n = node;
    int o = offset;
    bool moved = false;
    while (nextChar(n, o, scope)) {
        moved = true;
        if (units_detail::isSentenceStart(n, o, scope)) {
            units_detail::toCharStart(n, o, scope);
            node = n;
            offset = o;
            return true;
        }
    }
    if (moved) {
        node = n;
        offset = o;
    }
    return moved;
}

bool prevSentenceStart(Node*& node, int& offset, const Node* scope)
{
    Node* n = node;
    int o = offset;
    while (prevChar(n, o, scope)) {
        if (units_detail::isSentenceStart(n, o, scope)) {
            units_detail::toCharStart(n, o, scope);
            node = n;
            offset = o;
            return true;
        }
    }
    return false;
}

} // namespace engine::textunits
