#pragma once

#include <QRect>
#include <QString>

#include <atomic>
#include <climits>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <iterator>
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

// The words of a layout in document order, kept in parts of a few thousand.
// An edit that gives a block other words rewrites the part they stand in
// and moves the parts after it along; the words after the block that move
// down the page, or whose owners move along the boxes, are moved a part at
// a time: the move is noted on the part and made on its words when they
// are next read. So an edit on a page of very many words does not pass
// over every word after it.
// Reading is safe from several threads at once (as long as nothing
// changes the list meanwhile).
class TextPieces
{
public:
    template <bool Const> class Iterator
    {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = TextPiece;
        using difference_type = std::ptrdiff_t;
        using List = std::conditional_t<Const, const TextPieces, TextPieces>;
        using reference = std::conditional_t<Const, const TextPiece&, TextPiece&>;
        using pointer = std::conditional_t<Const, const TextPiece*, TextPiece*>;

        Iterator() = default;
        Iterator(List* list, size_t at) : m_list(list), m_at(at) {}
        reference operator*() const { return (*m_list)[m_at]; }
        pointer operator->() const { return &(*m_list)[m_at]; }
        reference operator[](difference_type n) const { return (*m_list)[m_at + static_cast<size_t>(n)]; }
        Iterator& operator++()
        {
            ++m_at;
            return *this;
        }
        Iterator operator++(int)
        {
            Iterator was = *this;
            ++m_at;
            return was;
        }
        Iterator& operator--()
        {
            --m_at;
            return *this;
        }
        Iterator operator--(int)
        {
            Iterator was = *this;
            --m_at;
            return was;
        }
        Iterator& operator+=(difference_type n)
        {
            m_at = static_cast<size_t>(static_cast<difference_type>(m_at) + n);
            return *this;
        }
        Iterator& operator-=(difference_type n) { return *this += -n; }
        friend Iterator operator+(Iterator it, difference_type n) { return it += n; }
        friend Iterator operator+(difference_type n, Iterator it) { return it += n; }
        friend Iterator operator-(Iterator it, difference_type n) { return it -= n; }
        friend difference_type operator-(const Iterator& a, const Iterator& b)
        {
            return static_cast<difference_type>(a.m_at) - static_cast<difference_type>(b.m_at);
        }
        friend bool operator==(const Iterator& a, const Iterator& b) { return a.m_at == b.m_at; }
        friend auto operator<=>(const Iterator& a, const Iterator& b) { return a.m_at <=> b.m_at; }

    private:
        List* m_list = nullptr;
        size_t m_at = 0;
    };
    using iterator = Iterator<false>;
    using const_iterator = Iterator<true>;

    TextPieces() = default;
    TextPieces(std::initializer_list<TextPiece> words)
    {
        for (const TextPiece& p : words)
            push_back(p);
    }
    TextPieces(const TextPieces& other);
    TextPieces& operator=(const TextPieces& other);
    TextPieces(TextPieces&&) noexcept;
    TextPieces& operator=(TextPieces&&) noexcept;
    ~TextPieces();

    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    const TextPiece& operator[](size_t at) const
    {
        const Part& part = *m_parts[partOf(at)];
        if (part.unsettled.load(std::memory_order_acquire))
            settle(part);
        return part.words[at - part.start];
    }
    // (Its owner may be changed through it.)
    TextPiece& operator[](size_t at)
    {
        Part& part = *m_parts[partOf(at)];
        if (part.unsettled.load(std::memory_order_acquire))
            settle(part);
        part.ownersKnown = false;
        return part.words[at - part.start];
    }
    const TextPiece& front() const { return (*this)[0]; }
    const TextPiece& back() const { return (*this)[m_size - 1]; }
    iterator begin() { return {this, 0}; }
    iterator end() { return {this, m_size}; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, m_size}; }

    void push_back(TextPiece piece);
    void reserve(size_t words);
    void clear();
    // The words [from, to) give way to `words`.
    void replace(size_t from, size_t to, std::vector<TextPiece>&& words);
    // Every word, in order; the list is left empty.
    std::vector<TextPiece> takeAll();

    // The words of [from, to) whose owner is at least `least`: their owners
    // are `by` further along.
    void moveOwners(size_t from, size_t to, int least, int by);
    // The words of [from, to) whose owner is in [ownerFrom, ownerTo) stand
    // `dy` lower; every other word of [from, to) is handed to `other`
    // (which changes no owner).
    void moveDown(size_t from, size_t to, int ownerFrom, int ownerTo, int dy,
                  const std::function<void(TextPiece&)>& other);

    // How many parts the words are kept in.
    size_t parts() const { return m_parts.size(); }

private:
    struct Part
    {
        mutable std::vector<TextPiece> words; // less the moves noted below, while unsettled
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
    // The part word `at` stands in (at < size()).
    size_t partOf(size_t at) const
    {
        // (Words are mostly read in order: the part last read on this
        // thread, or the next, before a search.)
        thread_local size_t last = 0;
        const size_t count = m_parts.size();
        if (last < count && m_parts[last]->start <= at) {
            if (at < m_parts[last]->start + m_parts[last]->words.size())
                return last;
            if (last + 1 < count && at < m_parts[last + 1]->start + m_parts[last + 1]->words.size())
                return ++last;
        }
        last = searchPart(at);
        return last;
    }
    size_t searchPart(size_t at) const;
    // Makes the moves noted on the part on its words.
    static void settle(const Part& part);
    // The lowest and highest owner of the part's words, found again.
    static void findOwners(Part& part);
    // The words of a part are at most this many, at least half as many
    // unless the list is short or where an edit left them.
    static size_t wordsAPart();

    // move(part, begin, end) for each part that holds words of [from, to),
    // with the part's [begin, end) of them, its owners known.
    template <typename Move> void inEachPart(size_t from, size_t to, const Move& move);
    // Made again from `from` on: where each part starts.
    void placeParts(size_t from);

    std::vector<std::unique_ptr<Part>> m_parts; // none empty
    size_t m_size = 0;
};

} // namespace engine
