#pragma once

#include "engine/layout/TextLines.h"

#include <QRect>

#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace engine {

class DocumentLayout;
class Node;
class Text;

// A place where the caret can stand: in text, a text node and a UTF-16
// offset in it; on an empty line, the element holding the break that ends
// the line and the break's index (the place before the break).
struct TextPosition
{
    Node* node = nullptr;
    int offset = 0;
    bool isNull() const { return node == nullptr; }
    Text* text() const;
};

// The line a place stands on, in page coordinates.
struct LineInfo
{
    int x = 0; // left of the line's first word
    int top = 0;
    int baseline = 0;
    int descent = 0; // from the baseline to the line's bottom
    int height = 0;
};

// Text geometry read from the words of the last layout and the cached font
// metrics: the caret box of any place in text, its line, the place nearest a
// point, and the places on the lines above and below keeping x. Lines are
// found from the words of each block (a new line where the words wrap).
class TextGeometry
{
public:
    explicit TextGeometry(DocumentLayout& layout) : m_layout(layout) {}

    // The height of the caret where no text gives one.
    static constexpr int kEmptyLineHeight = 18;

    // The caret at a place (1 pixel wide, the height of its word), in page
    // coordinates; null when the text has no box.
    QRect caretRect(const Text* text, int offset);
    std::optional<LineInfo> lineInfo(const Text* text, int offset);
    // The line of any place: in text, or on an empty line (before its break,
    // or after it at the end of the text). Null elsewhere.
    std::optional<LineInfo> lineInfoAt(Node* node, int offset);
    // The caret at any place of the page: a text node and offset, or an
    // element and a child index. Beside an element with a box (an image) at
    // its edge; in an element without content at the start of its content
    // box. Null when nothing there has a box.
    QRect caretRectAt(Node* node, int offset);
    // The place nearest a page point: on the line under the point (else the
    // nearest line), before the character whose middle lies right of the
    // point; on an empty line, before its break. Inside a cell, caption,
    // marquee or layer, only its lines count while it has any.
    TextPosition positionAtPoint(QPoint page);
    // The place on the previous (direction < 0) or next line nearest to page x;
    // null at the first or last line.
    TextPosition moveLine(const Text* text, int offset, int direction, int x);
    // The same from a caret box that is not in text (an empty cell).
    TextPosition moveLineFrom(const QRect& caret, int direction, int x);
    // The same from any place (in text, on an empty line, in an empty cell).
    TextPosition moveLineAt(Node* node, int offset, int direction, int x);
    // The boxes a run of text covers, one per line, in page coordinates.
    std::vector<QRect> rangeRects(const Text* startText, int startOffset, const Text* endText, int endOffset);
    // Where a selection running across the break that ends an empty line
    // highlights that line: a space wide in the break's font, the line's
    // height. Null for any other node.
    QRect emptyLineHighlight(const Node* lineBreak);
    // The word at a place, as [start, end) offsets: the whitespace-separated
    // piece, or in Japanese the run of one script.
    std::pair<int, int> wordAt(const Text* text, int offset);

private:
    using Line = TextLines::Line;
    void update();
    // The empty line a place before (or, at the end of its text, after) a
    // break stands on; -1 when none.
    int emptyLineAt(Node* node, int offset);
    static LineInfo infoOf(const Line& line);
    int pieceAt(const Text* text, int offset);
    // The piece the caret at a place in text stands in; `atEnd`, where
    // given: after it rather than in it (the place stands before a line
    // feed that ends the piece's line).
    int pieceOfCaret(const Text* text, int offset, bool* atEnd = nullptr);
    int xInPiece(int piece, int charIndex);
    int offsetInPiece(int piece, int x);
    int lineOfPiece(int piece) const;
    TextPosition positionOnLine(const Line& line, int x);
    int scopeAt(QPoint page);
    int lineBeyond(const QRect& current, int direction, int x, int from);
    bool lineInScope(const Line& line, int scope) const;

    DocumentLayout& m_layout;
    std::shared_ptr<const TextLines> m_index;           // the lines of the layout
    std::uint64_t m_version = 0;                        // theirs
    std::unordered_map<int, std::vector<int>> m_prefix; // per entry: the widths of its first 1, 2, ... characters
};

} // namespace engine
