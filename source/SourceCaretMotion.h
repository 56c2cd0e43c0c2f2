#pragma once

#include <QPoint>

#include <optional>
#include <string_view>

class VornaSourceTextBuffer;

// Where the caret goes in the source text: plain functions over its lines,
// which the source views call for their caret moves, clicks and word
// selections. Positions are points (byte, line) as in the buffer; a caret
// never stands inside a multi-byte character.

// The lines the caret moves over: a buffer's, or one empty line without a buffer.
class SourceLines
{
public:
    explicit SourceLines(const VornaSourceTextBuffer* buffer) : m_buffer(buffer) {}

    int Count() const;
    // The line's bytes; empty outside the text.
    std::string_view Line(int line) const;
    int Length(int line) const { return static_cast<int>(Line(line).size()); }

private:
    const VornaSourceTextBuffer* m_buffer;
};

// Character classes of the word moves: word characters (ASCII letters and
// digits, "_" and East-Asian wide characters), other characters beyond ASCII,
// white space, and punctuation.
enum class SourceCharClass { Word, HighSingle, Space, Punct };

SourceCharClass SourceCharClassAt(std::string_view line, int pos);

// True when a comes before b in the text.
bool SourcePointBefore(QPoint a, QPoint b);

// One character left or right; across a line end to the neighbouring line,
// never beyond the text.
QPoint SourceCharLeft(const SourceLines& lines, QPoint pos);
QPoint SourceCharRight(const SourceLines& lines, QPoint pos);

// To the start of the word, or run of punctuation, before the caret, past
// white space; from a line's start into the line above. None at the start of
// the text.
std::optional<QPoint> SourceWordLeft(const SourceLines& lines, QPoint pos);
// Past the word, or run of punctuation, at the caret and the white space
// after it; from a line's end to the next line's start (and over an empty
// line). None at the end of the text.
std::optional<QPoint> SourceWordRight(const SourceLines& lines, QPoint pos);

// The first non-white character of the line, or the line's start when the
// caret already stands there or the line is all white space.
int SourceSmartHome(std::string_view line, int pos);

// The byte index nearest pos (clamped to the line) that starts a character,
// stepping back out of a multi-byte one.
int SourceCharBoundaryAtOrBefore(std::string_view line, int pos);

// The character a vertical move reaches at a screen column: never inside a
// character; a tab is entered from the nearer side.
int SourceCharOfColumn(std::string_view line, int column, int tabSize);

// The caret place of a click x pixels right of the line's first column in
// cells of the width: the nearer edge of the character under it.
int SourceCharAtPixel(std::string_view line, int x, int charWidth, int tabSize);

// The ends of the run of word characters around pos.
int SourceWordStart(std::string_view line, int pos);
int SourceWordEnd(std::string_view line, int pos);
