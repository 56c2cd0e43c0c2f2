#pragma once

#include "engine/layout/PartedList.h"

#include <QRect>
#include <QString>

#include <atomic>
#include <climits>
#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace engine {

// The boxes of one element after a layout, in page coordinates (the canvas
// origin at the top left of the page, before scrolling and zoom).
struct LayoutBox
{
    int nodeId = -1; // our node, -1 for elements the serializer did not write
    QString tag;     // upper case: "TABLE", "TD"
    QString htmlId;  // the id attribute, as written
    int parent = -1; // index in LayoutTree::boxes
    std::vector<int> children;
    QRect borderBox;
    QRect paddingBox;
    QRect contentBox;
    std::vector<QRect> lineBoxes; // inline elements: one border box per line fragment
    bool inlineLevel = false;     // laid out inside line boxes (its box is the union of lineBoxes)
    bool positioned = false;      // position other than static
    bool absolute = false;        // absolute or fixed
    bool clipsContent = false;    // overflow other than visible
    bool hidden = false;          // visibility other than visible: paints nothing of its own (what it
                                  // holds may be visible again)
    int zIndex = 0;
    int order = 0;      // document order
    int firstPiece = 0; // how many words come before it in document order
};

namespace layoutboxes_detail {

// A part of a LayoutBoxes.
struct Part
{
    mutable std::vector<LayoutBox> items;                // less the moves noted below, while unsettled
    size_t start = 0;                                    // where its boxes start in the list
    mutable int dy = 0;                                  // to add to its boxes' y
    mutable int piecesBy = 0;                            // to add to its boxes' first words
    mutable std::vector<std::pair<int, int>> indexMoves; // (least, by) in turn, as moveAlong
    mutable std::atomic<bool> unsettled{false};
    // What the moves ask of its boxes (moves noted included), when known:
    // how far they reach, whether one is absolute, whether one is inline
    // on no line.
    mutable bool known = false;
    mutable int right = INT_MIN;
    mutable int bottom = INT_MIN;
    mutable bool absolute = false;
    mutable bool offLines = false;
};

// Notes on `moves` (moves of indexes, (least, by) in turn) that the
// indexes of at least `least` are `by` further along, after the moves
// noted; a move that undoes the last one takes it off.
void noteIndexMove(std::vector<std::pair<int, int>>& moves, int least, int by);

} // namespace layoutboxes_detail

// The boxes of a layout in document order, kept in parts of a few thousand.
// An edit that adds or removes boxes rewrites the part they stand in; the
// boxes after it, which move along the list (the indexes in them too) and
// down the page, are moved a part at a time: the move is noted on the part
// and made on its boxes when they are next read. So an edit on a page of
// very many boxes does not pass over every box after it.
// Reading is safe from several threads at once (as long as nothing
// changes the list meanwhile); reach() and absoluteIn() are asked on the
// thread that changes it.
class LayoutBoxes : public PartedList<LayoutBox, layoutboxes_detail::Part, LayoutBoxes>
{
public:
    using PartedList::back;
    using PartedList::front;
    LayoutBox& front() { return (*this)[0]; }
    LayoutBox& back() { return (*this)[m_size - 1]; }
    void push_back(LayoutBox box) { emplace_back() = std::move(box); }
    LayoutBox& emplace_back()
    {
        Part& part = lastPartForOneMore();
        part.known = false;
        return part.items.emplace_back();
    }
    // The boxes [from, to) give way to `boxes`.
    void replace(size_t from, size_t to, std::vector<LayoutBox>&& boxes);

    // The boxes from `from` on moved along the list: each index in them
    // (parent, children, order) of at least `least` is `by` further along,
    // and each one's first word `piecesBy`.
    void moveAlong(size_t from, int least, int by, int piecesBy);
    // The boxes [from, to) stand `dy` lower, but for those `stays` holds
    // for (asked only of inline boxes on no line).
    void moveDown(size_t from, size_t to, int dy, const std::function<bool(const LayoutBox&)>& stays);
    // How far right and down the border boxes of [from, to) reach
    // (INT_MIN where there are none).
    std::pair<int, int> reach(size_t from, size_t to) const;
    // The indexes of the absolute boxes of [from, to), in order.
    std::vector<size_t> absoluteIn(size_t from, size_t to) const;

private:
    friend class PartedList<LayoutBox, layoutboxes_detail::Part, LayoutBoxes>;
    using Part = layoutboxes_detail::Part;

    static void mayChange(Part& part) { part.known = false; }
    // Makes the moves noted on the part on its boxes.
    static void settle(const Part& part);
    static void copied(Part&, const Part&) {}
    // What the moves ask of the part's boxes, found again when not known.
    static const Part& known(const Part& part);
    // The boxes of a part are at most this many, at least half as many
    // unless the list is short or where an edit left them.
    static size_t itemsAPart();
};

} // namespace engine
