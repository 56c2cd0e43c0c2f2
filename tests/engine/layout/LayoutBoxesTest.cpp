// The boxes of a layout kept in parts: edits and moves give the boxes a
// plain list would hold, and what a move asks of them (how far they reach,
// which are absolute) is what the plain list tells.
#include "engine/layout/LayoutBoxes.h"

#include "engine/layout/InParts.h"

#include <climits>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

using engine::LayoutBox;
using engine::LayoutBoxes;

namespace {

// Parts of `boxes` boxes while it lives (as in tests that split passes).
struct PartsOf
{
    explicit PartsOf(size_t boxes) { engine::layoutengine_detail::leastPartOfEveryPass() = boxes; }
    ~PartsOf() { engine::layoutengine_detail::leastPartOfEveryPass() = 0; }
};

// Box `n`: every third inline (every other of those on no line), every
// fifth absolute.
LayoutBox box(int n, std::mt19937& random)
{
    LayoutBox b;
    b.nodeId = n;
    b.parent = static_cast<int>(random() % 60) - 1;
    for (int c = static_cast<int>(random() % 3); c > 0; --c)
        b.children.push_back(static_cast<int>(random() % 60));
    b.order = static_cast<int>(random() % 60);
    b.firstPiece = static_cast<int>(random() % 100);
    b.borderBox = QRect(n % 40, n, 10 + n % 30, 12 + n % 7);
    b.paddingBox = b.borderBox.adjusted(1, 1, -1, -1);
    b.contentBox = b.borderBox.adjusted(2, 2, -2, -2);
    b.inlineLevel = n % 3 == 0;
    if (!b.inlineLevel || n % 2 == 0)
        b.lineBoxes = {b.borderBox, b.borderBox.translated(0, 12)};
    b.absolute = n % 5 == 0;
    return b;
}

std::string differenceOf(const LayoutBoxes& list, const std::vector<LayoutBox>& plain)
{
    if (list.size() != plain.size())
        return "size " + std::to_string(list.size()) + " for " + std::to_string(plain.size());
    for (size_t i = 0; i < plain.size(); ++i) {
        const LayoutBox& a = list[i];
        const LayoutBox& b = plain[i];
        if (a.nodeId != b.nodeId || a.parent != b.parent || a.children != b.children || a.order != b.order ||
            a.firstPiece != b.firstPiece || a.borderBox != b.borderBox || a.paddingBox != b.paddingBox ||
            a.contentBox != b.contentBox || a.lineBoxes != b.lineBoxes)
            return "box " + std::to_string(i) + " (node " + std::to_string(a.nodeId) + " for " +
                   std::to_string(b.nodeId) + ", parent " + std::to_string(a.parent) + " for " +
                   std::to_string(b.parent) + ", at " + std::to_string(a.borderBox.y()) + " for " +
                   std::to_string(b.borderBox.y()) + ")";
    }
    return {};
}

} // namespace

// Random replaces, moves along the list and down the page, with parts of a
// few boxes (so that each meets the parts' edges and spans several), and
// several moves noted on a part before it is read: after each step the list
// holds what a plain list changed the same way holds, and tells the same
// reach and absolute boxes of a random range.
TEST(LayoutBoxes, EditsAndMovesGiveWhatAPlainListHolds)
{
    for (const size_t partBoxes : {1, 3, 7}) {
        const PartsOf parts(partBoxes);
        std::mt19937 random(static_cast<unsigned>(partBoxes));
        LayoutBoxes list;
        std::vector<LayoutBox> plain;
        int made = 0;
        for (int i = 0; i < 40; ++i) {
            plain.push_back(box(made++, random));
            list.push_back(plain.back());
        }
        const auto stays = [](const LayoutBox& b) { return b.nodeId % 4 == 0; };
        for (int step = 0; step < 600; ++step) {
            const auto pick = [&random](size_t below) {
                return below == 0 ? 0 : static_cast<size_t>(random() % (below + 1));
            };
            const size_t from = pick(plain.size());
            const size_t to = from + pick(std::min<size_t>(plain.size() - from, 12));
            const int by = static_cast<int>(random() % 7) - 3;
            std::string what;
            switch (random() % 3) {
            case 0: {
                std::vector<LayoutBox> boxes;
                for (size_t n = pick(10); n > 0; --n)
                    boxes.push_back(box(made++, random));
                plain.erase(plain.begin() + static_cast<std::ptrdiff_t>(from),
                            plain.begin() + static_cast<std::ptrdiff_t>(to));
                plain.insert(plain.begin() + static_cast<std::ptrdiff_t>(from), boxes.begin(), boxes.end());
                list.replace(from, to, std::move(boxes));
                what = "replace";
            } break;
            case 1: {
                const int least = static_cast<int>(random() % 60);
                const int piecesBy = static_cast<int>(random() % 5) - 2;
                const auto moved = [least, by](int& i) { i += i >= least ? by : 0; };
                for (size_t i = from; i < plain.size(); ++i) {
                    moved(plain[i].parent);
                    for (int& c : plain[i].children)
                        moved(c);
                    moved(plain[i].order);
                    plain[i].firstPiece += piecesBy;
                }
                list.moveAlong(from, least, by, piecesBy);
                what = "along";
            } break;
            default:
                for (size_t i = from; i < to; ++i) {
                    LayoutBox& b = plain[i];
                    if (b.inlineLevel && b.lineBoxes.empty() && stays(b))
                        continue;
                    for (QRect* r : {&b.borderBox, &b.paddingBox, &b.contentBox})
                        r->translate(0, by);
                    for (QRect& r : b.lineBoxes)
                        r.translate(0, by);
                }
                list.moveDown(from, to, by, stays);
                what = "down";
                break;
            }
            if (step % 3 != 2)
                continue; // (moves noted on parts pile up before they are read)
            ASSERT_EQ(differenceOf(list, plain), "") << "parts of " << partBoxes << ", step " << step << ": " << what;
            const size_t first = pick(plain.size());
            const size_t end = first + pick(plain.size() - first);
            int right = INT_MIN;
            int bottom = INT_MIN;
            std::vector<size_t> absolute;
            for (size_t i = first; i < end; ++i) {
                right = std::max(right, plain[i].borderBox.x() + plain[i].borderBox.width());
                bottom = std::max(bottom, plain[i].borderBox.y() + plain[i].borderBox.height());
                if (plain[i].absolute)
                    absolute.push_back(i);
            }
            EXPECT_EQ(list.reach(first, end), std::make_pair(right, bottom)) << "step " << step;
            EXPECT_EQ(list.absoluteIn(first, end), absolute) << "step " << step;
        }
        EXPECT_GT(list.parts(), 1u);
        const LayoutBoxes copy = list;
        EXPECT_EQ(differenceOf(copy, plain), "");
    }
}

// Moves along the list noted on the same parts in turn, as a run of boxes
// grows and shrinks (an Enter and the Backspace that joins the paragraphs
// again), also where a later one starts where an earlier one took the
// indexes: the boxes hold the indexes the moves made one by one give.
TEST(LayoutBoxes, MovesAlongInTurnGiveTheIndexesOfEachMadeInTurn)
{
    const std::vector<std::vector<std::pair<int, int>>> cases = {
        {{20, 1}, {21, -1}},                     // grows, then shrinks back
        {{20, 2}, {22, -2}, {20, 1}, {21, -1}},  // twice
        {{20, 1}, {21, 2}, {23, -3}},            // grows twice, then back
        {{20, 3}, {23, -1}},                     // shrinks in part
        {{20, -1}, {19, 1}},                     // shrinks, then grows: not one move
        {{20, 2}, {21, -2}},                     // starts inside what moved: not one move
        {{20, 1}, {21, -1}, {25, 4}, {29, -5}}}; // one undone, then two more
    std::mt19937 random(7);
    for (size_t k = 0; k < cases.size(); ++k) {
        const PartsOf parts(8);
        LayoutBoxes list;
        std::vector<LayoutBox> plain;
        for (int n = 0; n < 48; ++n) {
            LayoutBox b = box(n, random);
            // (Indexes on either side of the moves' starts.)
            b.parent = n % 40;
            b.children = {n % 40 + 1, (n * 7) % 45};
            b.order = n;
            plain.push_back(b);
            list.push_back(b);
        }
        for (const auto& [least, by] : cases[k]) {
            for (size_t i = 16; i < plain.size(); ++i) {
                const auto moved = [least = least, by = by](int& at) { at += at >= least ? by : 0; };
                moved(plain[i].parent);
                for (int& c : plain[i].children)
                    moved(c);
                moved(plain[i].order);
            }
            list.moveAlong(16, least, by, 0);
        }
        EXPECT_EQ(differenceOf(list, plain), "") << "case " << k;
    }
}
