// The words of a layout kept in parts: edits and moves give the words a
// plain list would hold.
#include "engine/layout/TextPieces.h"

#include "engine/layout/InParts.h"

#include <random>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

using engine::TextPiece;
using engine::TextPieces;

namespace {

// Parts of `words` words while it lives (as in tests that split passes).
struct PartsOf
{
    explicit PartsOf(size_t words) { engine::layoutengine_detail::leastPartOfEveryPass() = words; }
    ~PartsOf() { engine::layoutengine_detail::leastPartOfEveryPass() = 0; }
};

TextPiece word(int n, int owner)
{
    TextPiece p;
    p.textNodeId = n;
    p.text = QString::number(n);
    p.box = QRect(n % 50, n, 10, 12);
    p.baseline = n + 10;
    p.owner = owner;
    return p;
}

std::string differenceOf(const TextPieces& list, const std::vector<TextPiece>& plain)
{
    if (list.size() != plain.size())
        return "size " + std::to_string(list.size()) + " for " + std::to_string(plain.size());
    for (size_t i = 0; i < plain.size(); ++i) {
        const TextPiece& a = list[i];
        const TextPiece& b = plain[i];
        if (a.text != b.text || a.box != b.box || a.baseline != b.baseline || a.owner != b.owner)
            return "word " + std::to_string(i) + ": " + a.text.toStdString() + " of " + std::to_string(a.owner) +
                   " at " + std::to_string(a.box.y()) + " for " + b.text.toStdString() + " of " +
                   std::to_string(b.owner) + " at " + std::to_string(b.box.y());
    }
    return {};
}

} // namespace

// Random replaces, moves of owners and moves down the page, with parts of a
// few words (so that each meets the parts' edges and spans several), read
// after each step: the list holds what a plain list edited the same way
// holds. The words `moveDown` does not move are handed over, each once.
TEST(TextPieces, EditsAndMovesGiveWhatAPlainListHolds)
{
    for (const size_t partWords : {1, 3, 7}) {
        const PartsOf parts(partWords);
        std::mt19937 random(static_cast<unsigned>(partWords));
        TextPieces list;
        std::vector<TextPiece> plain;
        int made = 0;
        for (int i = 0; i < 40; ++i) {
            list.push_back(word(made, i / 4));
            plain.push_back(word(made++, i / 4));
        }
        for (int step = 0; step < 400; ++step) {
            const auto pick = [&random](size_t below) {
                return below == 0 ? 0 : static_cast<size_t>(random() % (below + 1));
            };
            const size_t from = pick(plain.size());
            const size_t to = from + pick(std::min<size_t>(plain.size() - from, 12));
            const int owner = static_cast<int>(random() % 12);
            const int by = static_cast<int>(random() % 7) - 3;
            std::string what;
            switch (random() % 3) {
            case 0: {
                std::vector<TextPiece> words;
                for (size_t n = pick(10); n > 0; --n)
                    words.push_back(word(made++, owner));
                plain.erase(plain.begin() + static_cast<std::ptrdiff_t>(from),
                            plain.begin() + static_cast<std::ptrdiff_t>(to));
                plain.insert(plain.begin() + static_cast<std::ptrdiff_t>(from), words.begin(), words.end());
                list.replace(from, to, std::move(words));
                what = "replace";
            } break;
            case 1:
                for (size_t i = from; i < plain.size(); ++i)
                    plain[i].owner += plain[i].owner >= owner ? by : 0;
                list.moveOwners(from, list.size(), owner, by);
                what = "owners";
                break;
            default: {
                const int ownerTo = owner + 1 + static_cast<int>(random() % 6);
                std::vector<int> others;
                for (size_t i = from; i < to; ++i) {
                    if (plain[i].owner >= owner && plain[i].owner < ownerTo) {
                        plain[i].box.translate(0, by);
                        plain[i].baseline += by;
                    } else {
                        others.push_back(plain[i].textNodeId);
                    }
                }
                std::vector<int> handed;
                list.moveDown(from, to, owner, ownerTo, by,
                              [&handed](TextPiece& p) { handed.push_back(p.textNodeId); });
                EXPECT_EQ(handed, others) << "step " << step;
                what = "down";
            } break;
            }
            ASSERT_EQ(differenceOf(list, plain), "") << "parts of " << partWords << ", step " << step << ": " << what;
        }
        EXPECT_GT(list.parts(), 1u);
    }
}

// Moves noted on whole parts, read first by several threads at once, and
// by a copy: each word moved once.
TEST(TextPieces, MovesNotedOnPartsAreMadeOnceForReadersAndCopies)
{
    const PartsOf parts(64);
    TextPieces list;
    std::vector<TextPiece> plain;
    for (int i = 0; i < 20000; ++i) {
        list.push_back(word(i, 1 + i / 10));
        plain.push_back(word(i, 1 + i / 10));
    }
    list.moveOwners(100, list.size(), 11, 5);
    list.moveDown(100, list.size(), 16, 1 << 20, 7, [](TextPiece&) {});
    for (size_t i = 100; i < plain.size(); ++i) {
        plain[i].owner += 5;
        plain[i].box.translate(0, 7);
        plain[i].baseline += 7;
    }
    const TextPieces copy = list;
    std::vector<std::thread> readers;
    std::vector<std::string> found(4);
    for (size_t r = 0; r < found.size(); ++r)
        readers.emplace_back([&, r] { found[r] = differenceOf(list, plain); });
    for (std::thread& t : readers)
        t.join();
    for (const std::string& f : found)
        EXPECT_EQ(f, "");
    EXPECT_EQ(differenceOf(copy, plain), "");
    EXPECT_EQ(differenceOf(list, plain), "");
}
