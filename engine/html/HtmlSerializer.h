#pragma once

#include <QString>

namespace engine {

class Document;
class Element;
class Node;

// The HTML text the engine hands out. Its form is fixed, because the program
// searches it as text: upper-case tag names with end tags (none for void
// elements); attribute names as stored, values bare when they are non-empty
// and made of ASCII letters, digits, '#', '-' and '_', else double-quoted
// with '&' and '"' escaped; bare attributes as their name; style from its
// declarations; text with '&', '<', '>' escaped, U+00A0 as "&nbsp;" and a
// carriage return as "&#13;" (in attribute values too);
// SCRIPT, STYLE and comments verbatim; no whitespace of its own.
class HtmlSerializer
{
public:
    static QString outerHTML(const Node* node);
    static QString innerHTML(const Node* node);
    // The text of a saved file: the DOCTYPE when the page had one, then the
    // HTML element, with the start tags of block-level elements put on a new
    // line where no whitespace precedes them (outside PRE, TEXTAREA, SCRIPT
    // and STYLE). Opened again, the text builds a tree that writes the same
    // text. (Without the added line breaks: the text a page is read as when
    // its own markup does not build the tree it made.)
    enum class LineBreaks { Added, AsInTheTree };
    static QString fileText(const Document* doc, LineBreaks lineBreaks = LineBreaks::Added);
    // The rendered text of an element: text with whitespace runs collapsed
    // (kept inside PRE), BR and block boundaries as line breaks.
    // With `keepEdgeSpaces` (the text of a range) spaces at the start and
    // end are kept.
    static QString innerText(const Element* el, bool keepEdgeSpaces = false);
    // Whether innerText(el) is not empty, found without writing it: from the
    // first character that counts (the text of a long page in an instant).
    // With `ignoringWhiteSpace`: whether it holds a character other than
    // white space.
    static bool hasInnerText(const Element* el, bool ignoringWhiteSpace = false);

    static QString escapeText(const QString& text);
    static QString attributeText(const QString& name, const QString& value, bool hasValue);
};

} // namespace engine
