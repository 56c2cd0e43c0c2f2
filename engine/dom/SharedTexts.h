#pragma once

#include <QString>

#include <cstring>
#include <memory>

namespace engine {

// Short texts that pages repeat thousands of times (attribute names, small
// values, white space between tags, style names and values), shared instead
// of made again. A table of the texts met last, looked up by their
// characters, one in each slot of their hash. A text is kept for sharing
// when it is met a second time (most texts met once, such as numbers and
// addresses, are never held), and a text found again keeps its slot against
// texts met once, which take a slot only once it has gone unused. Bounded;
// one table per thread.
template <class Char, qsizetype Longest, quint32 Slots> class SharedTexts
{
    static_assert((Slots & (Slots - 1)) == 0, "a power of two");

public:
    // The text of the `n` characters at `s`: the shared one, else what
    // `make` gives (which may then be shared).
    template <class Make> QString get(const Char* s, qsizetype n, Make make)
    {
        if (n > Longest || n == 0)
            return make();
        quint32 hash = 2166136261u;
        for (qsizetype k = 0; k < n; ++k)
            hash = (hash ^ quint32(s[k])) * 16777619u;
        Slot& slot = m_slots[hash & (Slots - 1)];
        if (slot.length == n && slot.hash == hash && std::memcmp(slot.chars, s, size_t(n) * sizeof(Char)) == 0) {
            if (slot.text.isNull())
                slot.text = make(); // met a second time
            else if (slot.uses < kMostUses)
                ++slot.uses;
            return slot.text;
        }
        if (slot.uses > 0) {
            --slot.uses;
            return make();
        }
        slot.hash = hash;
        slot.length = n;
        std::memcpy(slot.chars, s, size_t(n) * sizeof(Char));
        if (!slot.text.isNull())
            slot.text = QString();
        return make();
    }

private:
    static constexpr quint32 kMostUses = 3;
    struct Slot
    {
        quint32 hash = 0;
        quint32 uses = 0;
        qsizetype length = 0;
        Char chars[Longest];
        QString text;
    };
    std::unique_ptr<Slot[]> m_slots{new Slot[Slots]};
};

} // namespace engine
