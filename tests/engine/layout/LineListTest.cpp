// Lines kept in parts: edits and the moves of the lines after an edit give
// the lines a plain list would hold.
#include "engine/layout/LineList.h"

#include "engine/layout/InParts.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

using engine::LineList;
using engine::TextLine;

namespace {

struct PartsOf
{
    explicit PartsOf(size_t items) { engine::layoutengine_detail::leastPartOfEveryPass() = items; }
    ~PartsOf() { engine::layoutengine_detail::leastPartOfEveryPass() = 0; }
};

// Line `n`: every fifth empty (ended by a break), some in no block.
TextLine line(int n, std::mt19937& random)
{
    TextLine l;
    const bool empty = n % 5 == 0;
    l.first = empty ? -1 : n;
    l.last = empty ? -1 : n + static_cast<int>(random() % 3);
    l.block = n % 11 == 0 ? -1 : static_cast<int>(random() % 80);
    l.lineBreak = empty ? static_cast<int>(random() % 80) : -1;
    l.rect = QRect(3, n * 10, 40, 12);
    l.baseline = n * 10 + 9;
    l.firstTop = n * 10;
    return l;
}

// Where a line not moved with its block finds its first word.
int topOf(const TextLine& l)
{
    return 7 * (l.lineBreak >= 0 ? l.lineBreak : l.first) + l.block;
}

std::string differenceOf(const LineList& list, const std::vector<TextLine>& plain)
{
    if (list.size() != plain.size())
        return "size " + std::to_string(list.size()) + " for " + std::to_string(plain.size());
    for (size_t i = 0; i < plain.size(); ++i) {
        const TextLine& a = list[i];
        const TextLine& b = plain[i];
        if (a.first != b.first || a.last != b.last || a.block != b.block || a.lineBreak != b.lineBreak ||
            a.rect != b.rect || a.baseline != b.baseline || a.firstTop != b.firstTop)
            return "line " + std::to_string(i) + " (block " + std::to_string(a.block) + " for " +
                   std::to_string(b.block) + ", at " + std::to_string(a.rect.y()) + " for " +
                   std::to_string(b.rect.y()) + ")";
    }
    return {};
}

} // namespace

// Random replaces and moves after a place (the lines' words and boxes
// further along, those of boxes moved down the page lower, the others
// found where they stand), with parts of a few lines, boxes moved all or
// some in a part, and several moves noted before a part is read.
TEST(LineList, EditsAndMovesGiveWhatAPlainListHolds)
{
    for (const size_t partLines : {1, 3, 7}) {
        const PartsOf parts(partLines);
        std::mt19937 random(static_cast<unsigned>(partLines));
        std::vector<TextLine> plain;
        int made = 0;
        for (int i = 0; i < 50; ++i)
            plain.push_back(line(made++, random));
        LineList list{std::vector<TextLine>(plain)};
        for (int step = 0; step < 800; ++step) {
            const auto pick = [&random](size_t below) {
                return below == 0 ? 0 : static_cast<size_t>(random() % (below + 1));
            };
            const size_t from = pick(plain.size());
            const size_t to = from + pick(std::min<size_t>(plain.size() - from, 8));
            std::string what;
            if (random() % 3 == 0) {
                std::vector<TextLine> now;
                for (size_t n = pick(6); n > 0; --n)
                    now.push_back(line(made++, random));
                plain.erase(plain.begin() + static_cast<std::ptrdiff_t>(from),
                            plain.begin() + static_cast<std::ptrdiff_t>(to));
                plain.insert(plain.begin() + static_cast<std::ptrdiff_t>(from), now.begin(), now.end());
                list.replace(from, to, std::move(now));
                what = "replace";
            } else {
                LineList::Move move;
                move.entriesBy = static_cast<int>(random() % 7) - 3;
                // (Mostly below every box, so that whole parts move as one.)
                move.least = random() % 2 ? 0 : static_cast<int>(random() % 90);
                move.boxesBy = static_cast<int>(random() % 5) - 2;
                // (Boxes move back only past the boxes an edit takes away:
                // none comes before the first.)
                if (move.boxesBy < 0)
                    move.least = std::max(move.least, 10);
                move.shiftedFrom = random() % 4 ? -5 : static_cast<int>(random() % 60);
                move.shiftedTo = move.shiftedFrom + static_cast<int>(random() % 200);
                move.dy = static_cast<int>(random() % 41) - 20;
                for (size_t i = from; i < plain.size(); ++i) {
                    TextLine& l = plain[i];
                    if (l.block >= move.least)
                        l.block += move.boxesBy;
                    if (l.lineBreak >= 0 && l.lineBreak >= move.least)
                        l.lineBreak += move.boxesBy;
                    if (l.lineBreak < 0) {
                        l.first += move.entriesBy;
                        l.last += move.entriesBy;
                    }
                    const int placedBy = l.lineBreak >= 0 ? l.lineBreak : l.block;
                    const int top =
                        placedBy >= move.shiftedFrom && placedBy < move.shiftedTo ? l.firstTop + move.dy : topOf(l);
                    l.rect.translate(0, top - l.firstTop);
                    l.baseline += top - l.firstTop;
                    l.firstTop = top;
                }
                list.moveAfter(from, move, topOf);
                what = "move";
            }
            if (step % 4 != 3)
                continue; // (moves noted on parts pile up before they are read)
            ASSERT_EQ(differenceOf(list, plain), "") << "parts of " << partLines << ", step " << step << ": " << what;
            size_t empty = 0;
            list.forEachEmpty([&](size_t l, const TextLine& found) {
                EXPECT_GE(found.lineBreak, 0);
                EXPECT_EQ(found.lineBreak, plain[l].lineBreak);
                ++empty;
            });
            size_t expected = 0;
            for (const TextLine& l : plain)
                expected += l.lineBreak >= 0 ? 1 : 0;
            EXPECT_EQ(empty, expected);
            EXPECT_EQ(list.anyEmpty(), expected > 0);
        }
    }
}
