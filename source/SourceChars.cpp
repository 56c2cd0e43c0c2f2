#include "source/SourceChars.h"

#include <unicode/uchar.h>

#include <algorithm>

namespace SourceChars {

namespace {

int sequenceLengthOfLead(unsigned char c)
{
    if (c < 0x80)
        return 1;
    if ((c & 0xE0) == 0xC0)
        return 2;
    if ((c & 0xF0) == 0xE0)
        return 3;
    if ((c & 0xF8) == 0xF0)
        return 4;
    return 1;
}

// Decodes the code point starting at pos; -1 for a malformed sequence.
int codePointAt(std::string_view line, int pos, int length)
{
    const auto lead = static_cast<unsigned char>(line[pos]);
    if (length == 1)
        return lead < 0x80 ? lead : -1;
    int cp = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i)
        cp = (cp << 6) | (static_cast<unsigned char>(line[pos + i]) & 0x3F);
    return cp;
}

} // namespace

int CharLengthAt(std::string_view line, int pos)
{
    const int size = static_cast<int>(line.size());
    if (pos < 0 || pos >= size)
        return 0;
    const int want = sequenceLengthOfLead(static_cast<unsigned char>(line[pos]));
    if (want == 1 || pos + want > size)
        return 1;
    for (int i = 1; i < want; ++i)
        if (!IsContinuationByte(static_cast<unsigned char>(line[pos + i])))
            return 1;
    return want;
}

int CharLengthBefore(std::string_view line, int pos)
{
    const int size = static_cast<int>(line.size());
    if (pos <= 0)
        return 0;
    if (pos > size)
        pos = size;
    // Walk back over at most three continuation bytes to the lead byte and
    // accept it only when its sequence ends exactly at pos.
    int start = pos - 1;
    while (start > 0 && pos - start < 4 && IsContinuationByte(static_cast<unsigned char>(line[start])))
        --start;
    if (start < pos - 1 && CharLengthAt(line, start) == pos - start)
        return pos - start;
    return 1;
}

bool IsInsideChar(std::string_view line, int pos)
{
    const int size = static_cast<int>(line.size());
    if (pos <= 0 || pos >= size || !IsContinuationByte(static_cast<unsigned char>(line[pos])))
        return false;
    int start = pos - 1;
    while (start > 0 && pos - start < 4 && IsContinuationByte(static_cast<unsigned char>(line[start])))
        --start;
    return start + CharLengthAt(line, start) > pos;
}

int CodePointAt(std::string_view line, int pos)
{
    const int length = CharLengthAt(line, pos);
    if (length == 0)
        return -1;
    return codePointAt(line, pos, length);
}

bool IsMultiByteAt(std::string_view line, int pos)
{
    return CharLengthAt(line, pos) > 1 || CharLengthBefore(line, pos) > 1 || IsInsideChar(line, pos);
}

int CharColumns(std::string_view line, int pos)
{
    const int length = CharLengthAt(line, pos);
    if (length <= 1)
        return length;
    const int cp = codePointAt(line, pos, length);
    if (cp < 0)
        return 1;
    const int width = u_getIntPropertyValue(cp, UCHAR_EAST_ASIAN_WIDTH);
    return (width == U_EA_WIDE || width == U_EA_FULLWIDTH) ? 2 : 1;
}

int ColumnOfChar(std::string_view line, int pos, int tabSize)
{
    const int end = std::min(pos, static_cast<int>(line.size()));
    int column = 0;
    for (int i = 0; i < end;) {
        const auto c = static_cast<unsigned char>(line[i]);
        if (c == '\t') {
            column += tabSize - column % tabSize;
            ++i;
            continue;
        }
        if (c < 0x80) { // one byte, one column: the common case on long lines
            ++column;
            ++i;
            continue;
        }
        const int length = CharLengthAt(line, i);
        column += CharColumns(line, i);
        i += length;
    }
    return column;
}

int LineColumns(std::string_view line, int tabSize)
{
    return ColumnOfChar(line, static_cast<int>(line.size()), tabSize);
}

int CharOfColumn(std::string_view line, int column, int tabSize)
{
    const int size = static_cast<int>(line.size());
    int current = 0;
    for (int i = 0; i < size;) {
        const auto c = static_cast<unsigned char>(line[i]);
        const bool oneByte = c < 0x80;
        const int length = oneByte ? 1 : CharLengthAt(line, i);
        current += c == '\t' ? tabSize - current % tabSize : (oneByte ? 1 : CharColumns(line, i));
        if (current > column)
            return i;
        i += length;
    }
    return size;
}

} // namespace SourceChars
