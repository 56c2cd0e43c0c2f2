#pragma once

#include <string_view>

// Character rules of the source text. Lines hold UTF-8 bytes; a position is a
// byte index. A multi-byte sequence is one character: the caret never stands
// inside it and a search never matches from inside it. On screen a character
// takes 2 columns when it is East-Asian wide or full-width, else 1, and a tab
// advances to the next multiple of the tab size.
namespace SourceChars {

// True for the second and later bytes of a multi-byte sequence.
inline bool IsContinuationByte(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

// Number of bytes of the character that starts at pos (1 for a stray or
// truncated sequence, 0 at or after the end).
int CharLengthAt(std::string_view line, int pos);

// Number of bytes of the character that ends right before pos (0 at the start).
int CharLengthBefore(std::string_view line, int pos);

// True when pos lies inside a multi-byte character (on one of its
// continuation bytes).
bool IsInsideChar(std::string_view line, int pos);

// True when the byte at pos starts a multi-byte character or the bytes
// before pos end one: the caret must step over more than one byte there.
bool IsMultiByteAt(std::string_view line, int pos);

// The code point of the character starting at pos; -1 at or after the end
// and for a byte that starts no valid sequence.
int CodePointAt(std::string_view line, int pos);

// Screen columns of the character starting at pos (1 or 2; 0 at the end).
int CharColumns(std::string_view line, int pos);

// The screen column at which the byte at pos starts.
int ColumnOfChar(std::string_view line, int pos, int tabSize);

// The screen columns of the whole line.
int LineColumns(std::string_view line, int tabSize);

// The first byte index whose character ends right of the given column, or the
// line length. Never inside a character.
int CharOfColumn(std::string_view line, int column, int tabSize);

// ASCII white space as the editor counts it (space, TAB, LF, VT, FF, CR).
inline bool IsWhiteSpaceByte(unsigned char c)
{
    return c == ' ' || (c >= 0x09 && c <= 0x0D);
}

} // namespace SourceChars
