#pragma once

#include <QPoint>

#include <cstdint>
#include <string_view>

class VornaSourceTextBuffer;

// Text search over the source buffer. Bytes are compared (ASCII letters
// without regard to case unless asked); a match never starts inside a
// multi-byte character.
enum SourceFindFlags : uint32_t {
    FIND_MATCH_CASE = 0x0001,
    FIND_WHOLE_WORD = 0x0002,
    FIND_DIRECTION_UP = 0x0010,
};

// The first occurrence of what in where, or -1. With wholeWord an occurrence
// with a word byte (ASCII letter, digit or "_") right before it inside where,
// or right after it, is skipped.
int FindInLine(std::string_view where, std::string_view what, bool wholeWord);

// Searches from start within the block (block start to block end) in the
// direction of the flags; with wrap, one more pass from the block's start (or,
// upwards, from the last line). An empty search text or an empty block finds
// nothing.
bool FindSourceText(const VornaSourceTextBuffer& buffer, std::string_view what, QPoint start, QPoint blockStart,
                    QPoint blockEnd, uint32_t flags, bool wrap, QPoint& found);

// The same over the whole text.
bool FindSourceTextInText(const VornaSourceTextBuffer& buffer, std::string_view what, QPoint start, uint32_t flags,
                          bool wrap, QPoint& found);
