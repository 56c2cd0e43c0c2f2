#pragma once

#include <QChar>

namespace engine {

class Node;

// Moving a place (node, offset) over the characters, words and sentences of
// the text in document order. A place is a text position (text node and
// character offset) or a position between nodes. Moves stay within `scope`
// (a subtree) when it is given; each returns false at its end.
namespace textunits {

enum class CharClass { Space, Word, Punct, Kanji, Hiragana, Katakana };
CharClass classOf(QChar c);

// The place after the next character / before the previous one.
bool nextChar(Node*& node, int& offset, const Node* scope);
bool prevChar(Node*& node, int& offset, const Node* scope);
// The start of the next / this-or-previous word.
bool nextWordStart(Node*& node, int& offset, const Node* scope);
bool prevWordStart(Node*& node, int& offset, const Node* scope);
// The end of the word the place is in or before (trailing spaces included).
bool wordEnd(Node*& node, int& offset, const Node* scope);
bool nextSentenceStart(Node*& node, int& offset, const Node* scope);
bool prevSentenceStart(Node*& node, int& offset, const Node* scope);
// The place before the first character at or after the place / after the
// last character at or before it, as a text node and offset.
bool firstCharAt(Node*& node, int& offset, const Node* scope);
bool lastCharEnd(Node*& node, int& offset, const Node* scope);
// True when the place stands inside a word (word characters on both sides).
bool isInsideWord(Node* node, int offset, const Node* scope);

} // namespace textunits
} // namespace engine
