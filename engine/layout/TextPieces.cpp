#include "engine/layout/TextPieces.h"

#include "engine/layout/InParts.h"

#include <algorithm>
#include <iterator>
#include <mutex>

namespace engine {

namespace {

// (Moves are rarely settled by readers at once: one lock for every list.)
std::mutex& settling()
{
    static std::mutex lock;
    return lock;
}

} // namespace

TextPieces::TextPieces(const TextPieces& other)
{
    *this = other;
}

TextPieces& TextPieces::operator=(const TextPieces& other)
{
    if (this == &other)
        return *this;
    m_parts.clear();
    m_parts.reserve(other.m_parts.size());
    for (const auto& theirs : other.m_parts) {
        settle(*theirs);
        auto part = std::make_unique<Part>();
        part->words = theirs->words;
        part->start = theirs->start;
        part->leastOwner = theirs->leastOwner;
        part->mostOwner = theirs->mostOwner;
        part->ownersKnown = theirs->ownersKnown;
        m_parts.push_back(std::move(part));
    }
    m_size = other.m_size;
    return *this;
}

TextPieces::TextPieces(TextPieces&&) noexcept = default;
TextPieces& TextPieces::operator=(TextPieces&&) noexcept = default;
TextPieces::~TextPieces() = default;

size_t TextPieces::wordsAPart()
{
    // (Tests that split every pass into short parts keep the words in short
    // parts too, so that edits meet the parts' edges.)
    const size_t least = layoutengine_detail::leastPartOfEveryPass().load(std::memory_order_relaxed);
    return least ? least : 4096;
}

size_t TextPieces::searchPart(size_t at) const
{
    const auto after = std::upper_bound(m_parts.begin(), m_parts.end(), at,
                                        [](size_t word, const std::unique_ptr<Part>& p) { return word < p->start; });
    return static_cast<size_t>(after - m_parts.begin()) - 1;
}

void TextPieces::settle(const Part& part)
{
    if (!part.unsettled.load(std::memory_order_acquire))
        return;
    const std::lock_guard<std::mutex> lock(settling());
    if (!part.unsettled.load(std::memory_order_relaxed))
        return;
    for (TextPiece& p : part.words) {
        p.box.translate(0, part.dy);
        p.baseline += part.dy;
        p.owner += part.ownersBy;
    }
    part.dy = 0;
    part.ownersBy = 0;
    part.unsettled.store(false, std::memory_order_release);
}

void TextPieces::findOwners(Part& part)
{
    settle(part);
    part.leastOwner = INT_MAX;
    part.mostOwner = INT_MIN;
    for (const TextPiece& p : part.words) {
        part.leastOwner = std::min(part.leastOwner, p.owner);
        part.mostOwner = std::max(part.mostOwner, p.owner);
    }
    part.ownersKnown = true;
}

void TextPieces::placeParts(size_t from)
{
    size_t start = from == 0 ? 0 : m_parts[from - 1]->start + m_parts[from - 1]->words.size();
    for (size_t k = from; k < m_parts.size(); ++k) {
        m_parts[k]->start = start;
        start += m_parts[k]->words.size();
    }
    m_size = start;
}

void TextPieces::push_back(TextPiece piece)
{
    if (m_parts.empty() || m_parts.back()->words.size() >= wordsAPart()) {
        auto part = std::make_unique<Part>();
        part->start = m_size;
        m_parts.push_back(std::move(part));
    }
    Part& part = *m_parts.back();
    settle(part);
    if (part.ownersKnown) {
        part.leastOwner = std::min(part.leastOwner, piece.owner);
        part.mostOwner = std::max(part.mostOwner, piece.owner);
    }
    part.words.push_back(std::move(piece));
    ++m_size;
}

void TextPieces::reserve(size_t words)
{
    m_parts.reserve(words / wordsAPart() + 1);
}

void TextPieces::clear()
{
    m_parts.clear();
    m_size = 0;
}

void TextPieces::replace(size_t from, size_t to, std::vector<TextPiece>&& words)
{
    Q_ASSERT(from <= to && to <= m_size);
    if (from == m_size) {
        for (TextPiece& p : words)
            push_back(std::move(p));
        return;
    }
    // 1. The parts the words replaced stand in (where the new ones go when
    //    none is replaced).
    const size_t first = partOf(from);
    const size_t last = to > from ? partOf(to - 1) : first;
    // 2. Their words, those replaced giving way to the new ones.
    std::vector<TextPiece> joined;
    Part& head = *m_parts[first];
    Part& tail = *m_parts[last];
    settle(head);
    settle(tail);
    const size_t tailFrom = to - tail.start;
    joined.reserve(from - head.start + words.size() + tail.words.size() - tailFrom);
    std::move(head.words.begin(), head.words.begin() + static_cast<std::ptrdiff_t>(from - head.start),
              std::back_inserter(joined));
    std::move(words.begin(), words.end(), std::back_inserter(joined));
    std::move(tail.words.begin() + static_cast<std::ptrdiff_t>(tailFrom), tail.words.end(), std::back_inserter(joined));
    // 3. Kept in parts again: one while they fit in two, else parts of the
    //    usual length.
    const size_t most = wordsAPart();
    std::vector<std::unique_ptr<Part>> parts;
    if (!joined.empty() && joined.size() <= 2 * most) {
        parts.push_back(std::make_unique<Part>());
        parts.back()->words = std::move(joined);
        findOwners(*parts.back());
    } else {
        for (size_t at = 0; at < joined.size();) {
            const size_t count = joined.size() - at <= 2 * most ? joined.size() - at : most;
            auto part = std::make_unique<Part>();
            part->words.reserve(count);
            std::move(joined.begin() + static_cast<std::ptrdiff_t>(at),
                      joined.begin() + static_cast<std::ptrdiff_t>(at + count), std::back_inserter(part->words));
            findOwners(*part);
            parts.push_back(std::move(part));
            at += count;
        }
    }
    // 4. In place of the old parts; those after them start further along.
    const auto begin = m_parts.begin() + static_cast<std::ptrdiff_t>(first);
    m_parts.erase(begin, begin + static_cast<std::ptrdiff_t>(last - first + 1));
    m_parts.insert(m_parts.begin() + static_cast<std::ptrdiff_t>(first), std::make_move_iterator(parts.begin()),
                   std::make_move_iterator(parts.end()));
    placeParts(first);
}

std::vector<TextPiece> TextPieces::takeAll()
{
    std::vector<TextPiece> all;
    all.reserve(m_size);
    for (const auto& part : m_parts) {
        settle(*part);
        std::move(part->words.begin(), part->words.end(), std::back_inserter(all));
    }
    clear();
    return all;
}

template <typename Move> void TextPieces::inEachPart(size_t from, size_t to, const Move& move)
{
    if (from >= to)
        return;
    for (size_t k = partOf(from); k < m_parts.size() && m_parts[k]->start < to; ++k) {
        Part& part = *m_parts[k];
        if (!part.ownersKnown)
            findOwners(part);
        move(part, std::max(from, part.start) - part.start, std::min(to, part.start + part.words.size()) - part.start);
    }
}

void TextPieces::moveOwners(size_t from, size_t to, int least, int by)
{
    if (by == 0)
        return;
    inEachPart(from, to, [least, by](Part& part, size_t begin, size_t end) {
        if (part.mostOwner < least)
            return;
        if (begin == 0 && end == part.words.size() && part.leastOwner >= least) {
            // (Noted: made on its words when they are read.)
            part.ownersBy += by;
            part.leastOwner += by;
            part.mostOwner += by;
            part.unsettled.store(true, std::memory_order_release);
            return;
        }
        settle(part);
        for (size_t i = begin; i < end; ++i) {
            if (part.words[i].owner >= least)
                part.words[i].owner += by;
        }
        findOwners(part);
    });
}

void TextPieces::moveDown(size_t from, size_t to, int ownerFrom, int ownerTo, int dy,
                          const std::function<void(TextPiece&)>& other)
{
    inEachPart(from, to, [&](Part& part, size_t begin, size_t end) {
        if (begin == 0 && end == part.words.size() && part.leastOwner >= ownerFrom && part.mostOwner < ownerTo) {
            if (dy != 0) {
                part.dy += dy;
                part.unsettled.store(true, std::memory_order_release);
            }
            return;
        }
        settle(part);
        for (size_t i = begin; i < end; ++i) {
            TextPiece& p = part.words[i];
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
