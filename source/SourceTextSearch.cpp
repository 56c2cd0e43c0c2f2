#include "source/SourceTextSearch.h"

#include "source/SourceChars.h"
#include "source/VornaSourceTextBuffer.h"

#include <algorithm>
#include <string>

namespace {

bool isSearchWordByte(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

void upperAscii(std::string& text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
}

bool lessPoint(QPoint a, QPoint b)
{
    return a.y() < b.y() || (a.y() == b.y() && a.x() < b.x());
}

// The first hit in the line from pos on that does not start inside a
// multi-byte character, as an index into the line, or -1.
int findInLinePiece(std::string_view line, int pos, std::string_view what, bool matchCase, bool wholeWord)
{
    std::string piece(line.substr(static_cast<size_t>(pos)));
    if (!matchCase)
        upperAscii(piece);
    int from = 0;
    for (;;) {
        const int hit = FindInLine(std::string_view(piece).substr(static_cast<size_t>(from)), what, wholeWord);
        if (hit < 0)
            return -1;
        const int at = pos + from + hit;
        if (!SourceChars::IsInsideChar(line, at))
            return at;
        from += hit + 1;
    }
}

} // namespace

int FindInLine(std::string_view where, std::string_view what, bool wholeWord)
{
    size_t from = 0;
    for (;;) {
        const size_t hit = where.find(what, from);
        if (hit == std::string_view::npos)
            return -1;
        if (!wholeWord)
            return static_cast<int>(hit);
        const bool wordBefore = hit > 0 && isSearchWordByte(static_cast<unsigned char>(where[hit - 1]));
        const size_t after = hit + what.size();
        const bool wordAfter = after < where.size() && isSearchWordByte(static_cast<unsigned char>(where[after]));
        if (!wordBefore && !wordAfter)
            return static_cast<int>(hit);
        from = hit + 1;
    }
}

bool FindSourceText(const VornaSourceTextBuffer& buffer, std::string_view what, QPoint start, QPoint blockStart,
                    QPoint blockEnd, uint32_t flags, bool wrap, QPoint& found)
{
    const int lineCount = buffer.GetLineCount();
    if (what.empty() || lineCount == 0 || blockStart == blockEnd)
        return false;
    const bool matchCase = (flags & FIND_MATCH_CASE) != 0;
    const bool wholeWord = (flags & FIND_WHOLE_WORD) != 0;
    std::string needle(what);
    if (!matchCase)
        upperAscii(needle);

    QPoint current = lessPoint(start, blockStart) ? blockStart : start;
    const int lastLine = std::min(blockEnd.y(), lineCount - 1);
    for (bool wrapped = false;;) {
        if (!(flags & FIND_DIRECTION_UP)) {
            for (int line = std::max(current.y(), 0); line <= lastLine; ++line) {
                const std::string_view text = buffer.GetLine(line);
                const int pos = line == current.y() ? current.x() : 0;
                if (static_cast<int>(text.size()) - pos <= 0)
                    continue;
                const int hit = findInLinePiece(text, std::max(pos, 0), needle, matchCase, wholeWord);
                if (hit < 0)
                    continue;
                if (line == blockEnd.y() && hit >= blockEnd.x())
                    break;
                found = QPoint(hit, line);
                return true;
            }
        } else {
            for (int line = std::min(current.y(), lineCount - 1); line >= 0; --line) {
                const std::string_view text = buffer.GetLine(line);
                const int pos = line == current.y() ? current.x() : 0;
                if (static_cast<int>(text.size()) - pos <= 0)
                    continue;
                const int hit = findInLinePiece(text, std::max(pos, 0), needle, matchCase, wholeWord);
                if (hit >= 0) {
                    found = QPoint(hit, line);
                    return true;
                }
            }
        }
        if (!wrap || wrapped)
            return false;
        wrapped = true;
        current = (flags & FIND_DIRECTION_UP) ? QPoint(0, lineCount - 1) : blockStart;
    }
}

bool FindSourceTextInText(const VornaSourceTextBuffer& buffer, std::string_view what, QPoint start, uint32_t flags,
                          bool wrap, QPoint& found)
{
    const int last = buffer.GetLineCount() - 1;
    if (last < 0)
        return false;
    return FindSourceText(buffer, what, start, QPoint(0, 0), QPoint(buffer.GetLineLength(last), last), flags, wrap,
                          found);
}
