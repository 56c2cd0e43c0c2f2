#include "engine/layout/TextPieces.h"

#include "engine/layout/InParts.h"

#include <algorithm>

namespace engine {

size_t TextPieces::itemsAPart()
{
    // (Tests that split every pass into short parts keep the words in short
    // parts too, so that edits meet the parts' edges.)
    const size_t least = layoutengine_detail::leastPartOfEveryPass().load(std::memory_order_relaxed);
    return least ? least : 4096;
}

void TextPieces::settle(const Part& part)
{
    settleOnce(part, [](const Part& moved) {
        for (TextPiece& p : moved.items) {
            p.box.translate(0, moved.dy);
            p.baseline += moved.dy;
            p.owner += moved.ownersBy;
        }
        moved.dy = 0;
        moved.ownersBy = 0;
    });
}

void TextPieces::findOwners(Part& part)
{
    settle(part);
    part.leastOwner = INT_MAX;
    part.mostOwner = INT_MIN;
    for (const TextPiece& p : part.items) {
        part.leastOwner = std::min(part.leastOwner, p.owner);
        part.mostOwner = std::max(part.mostOwner, p.owner);
    }
    part.ownersKnown = true;
}

void TextPieces::push_back(TextPiece piece)
{
    Part& part = lastPartForOneMore();
    if (part.ownersKnown) {
        part.leastOwner = std::min(part.leastOwner, piece.owner);
        part.mostOwner = std::max(part.mostOwner, piece.owner);
    }
    part.items.push_back(std::move(piece));
}

void TextPieces::replace(size_t from, size_t to, std::vector<TextPiece>&& words)
{
    Q_ASSERT(from <= to && to <= m_size);
    if (from == m_size) {
        for (TextPiece& p : words)
            push_back(std::move(p));
        return;
    }
    replaceItems(from, to, std::move(words), [](Part& part) { findOwners(part); });
}

template <typename Move> void TextPieces::inEachPartKnown(size_t from, size_t to, const Move& move)
{
    inEachPart(from, to, [&move](Part& part, size_t begin, size_t end) {
        if (!part.ownersKnown)
            findOwners(part);
        move(part, begin, end);
    });
}

void TextPieces::moveOwners(size_t from, size_t to, int least, int by)
{
    if (by == 0)
        return;
    inEachPartKnown(from, to, [least, by](Part& part, size_t begin, size_t end) {
        if (part.mostOwner < least)
            return;
        if (begin == 0 && end == part.items.size() && part.leastOwner >= least) {
            // (Noted: made on its words when they are read.)
            part.ownersBy += by;
            part.leastOwner += by;
            part.mostOwner += by;
            part.unsettled.store(true, std::memory_order_release);
            return;
        }
        settle(part);
        for (size_t i = begin; i < end; ++i) {
            if (part.items[i].owner >= least)
                part.items[i].owner += by;
        }
        findOwners(part);
    });
}

void TextPieces::moveDown(size_t from, size_t to, int ownerFrom, int ownerTo, int dy,
                          const std::function<void(TextPiece&)>& other)
{
    inEachPartKnown(from, to, [&](Part& part, size_t begin, size_t end) {
        if (begin == 0 && end == part.items.size() && part.leastOwner >= ownerFrom && part.mostOwner < ownerTo) {
            if (dy != 0) {
                part.dy += dy;
                part.unsettled.store(true, std::memory_order_release);
            }
            return;
        }
        settle(part);
        for (size_t i = begin; i < end; ++i) {
            TextPiece& p = part.items[i];
            if (p.owner >= ownerFrom && p.owner < ownerTo) {
                p.box.translate(0, dy);
                p.baseline += dy;
            } else {
                other(p);
            }
        }
    });
}

} // namespace engine
