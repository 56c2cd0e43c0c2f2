#include "source/SourceCaretMotion.h"

#include "source/SourceChars.h"
#include "source/VornaSourceTextBuffer.h"

#include <algorithm>

int SourceLines::Count() const
{
    return m_buffer ? m_buffer->GetLineCount() : 1;
}

std::string_view SourceLines::Line(int line) const
{
    return m_buffer ? m_buffer->GetLine(line) : std::string_view();
}

SourceCharClass SourceCharClassAt(std::string_view line, int pos)
{
    const auto c = static_cast<unsigned char>(line[static_cast<size_t>(pos)]);
    if (c < 0x80) {
        if (SourceChars::IsWhiteSpaceByte(c))
            return SourceCharClass::Space;
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_')
            return SourceCharClass::Word;
        return SourceCharClass::Punct;
    }
    return SourceChars::CharColumns(line, pos) == 2 ? SourceCharClass::Word : SourceCharClass::HighSingle;
}

bool SourcePointBefore(QPoint a, QPoint b)
{
    return a.y() < b.y() || (a.y() == b.y() && a.x() < b.x());
}

QPoint SourceCharLeft(const SourceLines& lines, QPoint pos)
{
    if (pos.x() == 0)
        return pos.y() > 0 ? QPoint(lines.Length(pos.y() - 1), pos.y() - 1) : pos;
    return QPoint(pos.x() - std::max(1, SourceChars::CharLengthBefore(lines.Line(pos.y()), pos.x())), pos.y());
}

QPoint SourceCharRight(const SourceLines& lines, QPoint pos)
{
    if (pos.x() >= lines.Length(pos.y()))
        return pos.y() < lines.Count() - 1 ? QPoint(0, pos.y() + 1) : pos;
    return QPoint(pos.x() + std::max(1, SourceChars::CharLengthAt(lines.Line(pos.y()), pos.x())), pos.y());
}

std::optional<QPoint> SourceWordLeft(const SourceLines& lines, QPoint pos)
{
    if (pos.x() == 0) {
        if (pos.y() == 0)
            return std::nullopt;
        pos = QPoint(lines.Length(pos.y() - 1), pos.y() - 1);
    }
    const std::string_view text = lines.Line(pos.y());
    int at = std::min(pos.x(), static_cast<int>(text.size()));
    auto before = [&](int i) { return i - std::max(1, SourceChars::CharLengthBefore(text, i)); };
    auto classBefore = [&](int i) { return SourceCharClassAt(text, before(i)); };
    // 1. White space before the caret.
    while (at > 0 && classBefore(at) == SourceCharClass::Space)
        at = before(at);
    if (at == 0)
        return QPoint(at, pos.y());
    // 2. The word (any characters beyond ASCII with it), or the run of punctuation.
    if (const SourceCharClass kind = classBefore(at);
        kind == SourceCharClass::Word || kind == SourceCharClass::HighSingle) {
        while (at > 0) {
            const SourceCharClass c = classBefore(at);
            if (c != SourceCharClass::Word && c != SourceCharClass::HighSingle)
                break;
            at = before(at);
        }
    } else {
        while (at > 0) {
            const SourceCharClass c = classBefore(at);
            if (c == SourceCharClass::Word || c == SourceCharClass::Space)
                break;
            at = before(at);
        }
    }
    return QPoint(at, pos.y());
}

std::optional<QPoint> SourceWordRight(const SourceLines& lines, QPoint pos)
{
    if (pos.x() >= lines.Length(pos.y())) {
        if (pos.y() >= lines.Count() - 1)
            return std::nullopt;
        pos = QPoint(0, pos.y() + 1);
        if (lines.Length(pos.y()) == 0)
            return SourceCharRight(lines, pos);
    }
    const std::string_view text = lines.Line(pos.y());
    const int size = static_cast<int>(text.size());
    int at = pos.x();
    auto step = [&](int i) { return i + std::max(1, SourceChars::CharLengthAt(text, i)); };
    // 1. The word at the caret (with characters beyond ASCII after it), or the
    //    run of punctuation.
    if (at < size && SourceCharClassAt(text, at) == SourceCharClass::Word) {
        while (at < size) {
            const SourceCharClass c = SourceCharClassAt(text, at);
            if (c != SourceCharClass::Word && c != SourceCharClass::HighSingle)
                break;
            at = step(at);
        }
    } else {
        while (at < size) {
            const SourceCharClass c = SourceCharClassAt(text, at);
            if (c == SourceCharClass::Word || c == SourceCharClass::Space)
                break;
            at = step(at);
        }
    }
    // 2. The white space after it.
    while (at < size && SourceCharClassAt(text, at) == SourceCharClass::Space)
        at = step(at);
    return QPoint(at, pos.y());
}

int SourceSmartHome(std::string_view line, int pos)
{
    int first = 0;
    while (first < static_cast<int>(line.size()) &&
           SourceChars::IsWhiteSpaceByte(static_cast<unsigned char>(line[static_cast<size_t>(first)])))
        ++first;
    const bool allWhite = first == static_cast<int>(line.size());
    return allWhite || pos == first ? 0 : first;
}

int SourceCharBoundaryAtOrBefore(std::string_view line, int pos)
{
    pos = std::min(pos, static_cast<int>(line.size()));
    while (pos > 0 && SourceChars::IsInsideChar(line, pos))
        --pos;
    return pos;
}

int SourceCharOfColumn(std::string_view line, int column, int tabSize)
{
    if (column <= 0)
        return 0;
    const int size = static_cast<int>(line.size());
    int current = 0;
    for (int i = 0; i < size;) {
        const bool tab = line[static_cast<size_t>(i)] == '\t';
        const int length = tab ? 1 : SourceChars::CharLengthAt(line, i);
        current += tab ? tabSize - current % tabSize : SourceChars::CharColumns(line, i);
        if (current >= column) {
            // A tab is entered from its nearer side; a wide character that the
            // column falls inside is not entered at all.
            const bool after = tab ? column > current - tabSize / 2 : column >= current;
            return after ? i + length : i;
        }
        i += length;
    }
    return size;
}

int SourceCharAtPixel(std::string_view line, int x, int charWidth, int tabSize)
{
    const int size = static_cast<int>(line.size());
    int column = 0;
    for (int i = 0; i < size;) {
        const bool tab = line[static_cast<size_t>(i)] == '\t';
        const int length = tab ? 1 : std::max(1, SourceChars::CharLengthAt(line, i));
        const int width = tab ? tabSize - column % tabSize : SourceChars::CharColumns(line, i);
        // A character is passed once the click is right of its middle; a tab
        // once the click is in its last half cell.
        const int threshold =
            tab ? (column + width) * charWidth - charWidth / 2 : column * charWidth + width * charWidth / 2;
        if (x < threshold)
            return i;
        column += width;
        i += length;
    }
    return size;
}

int SourceWordStart(std::string_view line, int pos)
{
    int at = std::min(pos, static_cast<int>(line.size()));
    while (at > 0) {
        const int before = at - std::max(1, SourceChars::CharLengthBefore(line, at));
        if (SourceCharClassAt(line, before) != SourceCharClass::Word)
            break;
        at = before;
    }
    return at;
}

int SourceWordEnd(std::string_view line, int pos)
{
    const int size = static_cast<int>(line.size());
    int at = std::min(pos, size);
    while (at < size && SourceCharClassAt(line, at) == SourceCharClass::Word)
        at += std::max(1, SourceChars::CharLengthAt(line, at));
    return at;
}
