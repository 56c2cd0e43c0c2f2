// Indexes kept in parts: edits and moves along give the indexes a plain
// list would hold, and the places of a range of them are those the plain
// list tells.
#include "engine/layout/IndexList.h"

#include "engine/layout/InParts.h"

#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

using engine::IndexList;

namespace {

// Parts of `items` items while it lives (as in tests that split passes).
struct PartsOf
{
    explicit PartsOf(size_t items) { engine::layoutengine_detail::leastPartOfEveryPass() = items; }
    ~PartsOf() { engine::layoutengine_detail::leastPartOfEveryPass() = 0; }
};

std::string differenceOf(const IndexList& list, const std::vector<int>& plain)
{
    if (list.size() != plain.size())
        return "size " + std::to_string(list.size()) + " for " + std::to_string(plain.size());
    for (size_t i = 0; i < plain.size(); ++i) {
        if (list[i] != plain[i])
            return "index " + std::to_string(i) + ": " + std::to_string(list[i]) + " for " + std::to_string(plain[i]);
    }
    return {};
}

} // namespace

// Random replaces, moves of every index from a place on and of those of at
// least a value, on lists in order (as words and lines are, where every
// move of a part is one of all its indexes) and out of order (as the
// entries of each text node), with parts of a few indexes and many moves
// noted on a part before it is read.
TEST(IndexList, EditsAndMovesGiveWhatAPlainListHolds)
{
    for (const bool inOrder : {true, false}) {
        for (const size_t partItems : {1, 3, 7}) {
            const PartsOf parts(partItems);
            std::mt19937 random(static_cast<unsigned>(partItems) + (inOrder ? 100 : 0));
            std::vector<int> plain;
            for (int i = 0; i < 60; ++i)
                plain.push_back(inOrder ? 2 * i : static_cast<int>(random() % 120));
            IndexList list(plain);
            for (int step = 0; step < 800; ++step) {
                const auto pick = [&random](size_t below) {
                    return below == 0 ? 0 : static_cast<size_t>(random() % (below + 1));
                };
                const size_t from = pick(plain.size());
                const size_t to = from + pick(std::min<size_t>(plain.size() - from, 12));
                const int by = static_cast<int>(random() % 9) - 4;
                std::string what;
                switch (random() % 3) {
                case 0: {
                    std::vector<int> now;
                    const int low = from > 0 ? plain[from - 1] : 0;
                    for (size_t n = pick(10); n > 0; --n)
                        now.push_back(inOrder ? low : static_cast<int>(random() % 120));
                    plain.erase(plain.begin() + static_cast<std::ptrdiff_t>(from),
                                plain.begin() + static_cast<std::ptrdiff_t>(to));
                    plain.insert(plain.begin() + static_cast<std::ptrdiff_t>(from), now.begin(), now.end());
                    list.replace(from, to, std::move(now));
                    what = "replace";
                } break;
                case 1:
                    for (size_t i = from; i < plain.size(); ++i)
                        plain[i] += by;
                    list.addFrom(from, by);
                    what = "add";
                    break;
                default: {
                    const int least = static_cast<int>(random() % 130);
                    for (int& i : plain)
                        i += i >= least ? by : 0;
                    list.moveAlong(least, by);
                    what = "along";
                } break;
                }
                if (step % 5 != 4)
                    continue; // (moves noted on parts pile up before they are read)
                const int least = static_cast<int>(random() % 130) - 5;
                const int end = least + static_cast<int>(random() % 40);
                std::vector<size_t> places;
                for (size_t i = 0; i < plain.size(); ++i) {
                    if (plain[i] >= least && plain[i] < end)
                        places.push_back(i);
                }
                ASSERT_EQ(list.placesOf(least, end), places)
                    << "parts of " << partItems << ", step " << step << ": " << what;
                ASSERT_EQ(differenceOf(list, plain), "")
                    << "parts of " << partItems << ", step " << step << ": " << what;
            }
        }
    }
}
