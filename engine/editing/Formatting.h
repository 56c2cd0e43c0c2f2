#pragma once

#include "engine/dom/Ref.h"
#include "engine/dom/Variant.h"

#include <QString>
#include <vector>

namespace engine {

class Element;
class Node;
class Text;
class TextRange;

// Inline formatting of the text of a range: FONT attributes, STRONG/EM/U,
// removing formatting, links. Cut elements are split around the text they
// format and equal neighbours merged, so the tree stays as a parser builds
// it. After each change the range covers the same text.
class Formatting
{
public:
    enum class Toggle { Bold, Italic, Underline };

    // The text nodes within the range, split at its ends.
    static std::vector<Ref<Text>> textSegments(TextRange& range);

    // True when all the text of the range has the format.
    static bool hasToggle(const TextRange& range, Toggle t);
    // Removes the format when all the text has it, else applies it to all.
    static void toggle(TextRange& range, Toggle t);
    // FONT face/size/color: sets the attribute around the text, or removes
    // it when `value` is empty (a FONT left bare is unwrapped).
    static void setFontAttribute(TextRange& range, const QString& name, const QString& value);
    // "FontSize" 1–7 (3 unsized; null when mixed), "FontName" (the face,
    // "Arial" when unformatted; null when mixed), "ForeColor" (a ColorRef, 0
    // for the default; null when mixed).
    static Variant fontValue(const TextRange& range, const QString& name);
    // Removes FONT, STRONG, B, EM, I, U, STRIKE, S, SUB, SUP and SPAN.
    static void removeFormat(TextRange& range);
    // Wraps the range in <A href=...> (or sets the href of the link it is
    // in); the range then covers the link's content. A range over several
    // blocks (a heading and a paragraph) gets a link in each, around its
    // part of the range, and then covers them all; the first is returned.
    static Element* createLink(TextRange& range, const QString& href);
    // Removes the links around and inside the range.
    static void unlink(TextRange& range);

    // Separates `node` from its siblings inside `ancestor`: the ancestor is
    // split before and after it; returns the copy that holds only `node`.
    static Element* isolate(Node* node, Element* ancestor);
    // Merges equal adjacent formatting elements among the children.
    static void mergeSiblings(Node* parent);
    // The block (or cell) a node stands in.
    static Element* blockOf(const Node* node);

private:
    static const char* toggleTagName(Toggle t);
    static std::vector<Text*> rangeTexts(const TextRange& range);
    // createLink over a range whose text lies in more than one block; null
    // (nothing done) for a range in one block.
    static Element* linkEachBlock(TextRange& range, const QString& href);
};

} // namespace engine
