#pragma once

#include "engine/layout/PartedList.h"

#include <QRect>
#include <QString>

#include <atomic>
#include <climits>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

namespace engine {

// One word or white-space run of a text node as laid out.
struct TextPiece
{
    int textNodeId = -1; // our text node, -1 when unknown
    int offset = 0;      // UTF-16 offset of the piece in its text node
    QString text;
    bool space = false;
    QRect box;        // page coordinates; the line's height
    int baseline = 0; // page y of the baseline
    int font = 0;     // handle in the layout's FontCatalog
    int owner = -1;   // index of the box of the element that holds it
};

namespace textpieces_detail {

// A part of a TextPieces.
struct Part
{
    mutable std::vector<TextPiece> items; // less the moves noted below, while unsettled
    size_t start = 0;                     // where its words start in the list
    mutable int dy = 0;                   // to add to its words' y
    mutable int ownersBy = 0;             // to add to its words' owners
    mutable std::atomic<bool> unsettled{false};
    // Its words' lowest and highest owner (moves noted included), when
    // known.
    int leastOwner = INT_MAX;
    int mostOwner = INT_MIN;
    bool ownersKnown = true;
};

} // namespace textpieces_detail

// The words of a layout in document order, kept in parts of a few thousand.
// An edit that gives a block other words rewrites the part they stand in
// and moves the parts after it along; the words after the block that move
// down the page, or whose owners move along the boxes, are moved a part at
// a time: the move is noted on the part and made on its words when they
// are next read. So an edit on a page of very many words does not pass
// over every word after it.
// Reading is safe from several threads at once (as long as nothing
// changes the list meanwhile).
class TextPieces : public PartedList<TextPiece, textpieces_detail::Part, TextPieces>
{
public:
    TextPieces() = default;
    TextPieces(std::initializer_list<TextPiece> words)
    {
        for (const TextPiece& p : words)
            push_back(p);
    }

    void push_back(TextPiece piece);
    // The words [from, to) give way to `words`.
    void replace(size_t from, size_t to, std::vector<TextPiece>&& words);

    // The words of [from, to) whose owner is at least `least`: their owners
    // are `by` further along.
    void moveOwners(size_t from, size_t to, int least, int by);
    // The words of [from, to) whose owner is in [ownerFrom, ownerTo) stand
    // `dy` lower; every other word of [from, to) is handed to `other`
    // (which changes no owner).
    void moveDown(size_t from, size_t to, int ownerFrom, int ownerTo, int dy,
                  const std::function<void(TextPiece&)>& other);

private:
    friend class PartedList<TextPiece, textpieces_detail::Part, TextPieces>;
    using Part = textpieces_detail::Part;

    static void mayChange(Part& part) { part.ownersKnown = false; }
    // Makes the moves noted on the part on its words.
    static void settle(const Part& part);
    // (A copy finds its words' owners again when it needs them.)
    static void copied(Part& part, const Part&) { part.ownersKnown = false; }
    // The lowest and highest owner of the part's words, found again.
    static void findOwners(Part& part);
    // The words of a part are at most this many, at least half as many
    // unless the list is short or where an edit left them.
    static size_t itemsAPart();

    // PartedList::inEachPart, each part's owners known.
    template <typename Move> void inEachPartKnown(size_t from, size_t to, const Move& move);
};

} // namespace engine
