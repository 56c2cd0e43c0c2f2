#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace engine {

// The values an element passes on to what it holds, looked up once while the
// styles of a page are computed. litehtml finds an inherited property by
// asking each ancestor in turn, for every element and every word, so a page
// computes its styles in a time that grows with its depth. While a
// computation runs (from its outermost element down, see Pass), each element
// keeps what it answered for inherited properties; an element's own style is
// complete when its computation begins (its style attribute is read first)
// and ancestors begin before what they hold, so an answer kept stands until
// the computation ends. The answers of an element are let go when its own
// computation (and with it that of everything it holds) is done.
// litehtml asks an element for its own declarations of about a hundred
// properties while computing its style: those are read once per
// computation too, and found by name without building strings.
class InheritedStyles
{
public:
    // The styles computed from one element down, on this thread.
    class Pass
    {
    public:
        Pass();
        ~Pass();
        Pass(const Pass&) = delete;
        Pass& operator=(const Pass&) = delete;
    };

    // At the beginning and at the end of the element's own computation:
    // answers are kept between the two.
    void begin();
    void end();

    // The inherited value of `name`, from `lookup` (the element's own and
    // its ancestors' styles; null when none is set) the first time it is
    // asked for during a computation.
    template <class Lookup> const char* find(const char* name, Lookup&& lookup)
    {
        if (m_pass == 0 || m_pass != currentPass())
            return lookup();
        const size_t length = std::strlen(name);
        if (length > sizeof(Answer::name))
            return lookup();
        const std::uint32_t hash = hashOf(name, length);
        for (const Answer& kept : m_level->answers) {
            // (The name asked is read where it stands: copied, it would be
            // read back before the copy is done.)
            if (kept.hash == hash && kept.length == length && std::memcmp(kept.name, name, length) == 0)
                return kept.value;
        }
        const char* value = lookup();
        // (The lookup asks ancestors only, whose answers stand at other
        // levels. The answer is written where it is kept, for the same
        // reason as above.)
        Answer& a = m_level->answers.emplace_back();
        a.hash = hash;
        a.length = static_cast<std::uint32_t>(length);
        std::memcpy(a.name, name, length);
        a.value = value;
        return value;
    }

    // The element's own declaration of `name` (null when it declares none),
    // when it can be told from the declarations kept for this computation:
    // `read(keep)` hands each declaration to keep(name, length, value) the
    // first time one is asked for during the computation (after its first
    // question the element's own declarations must not change until it
    // ends; their names and values must stay where they are). False when
    // no computation of the element runs: the caller looks it up itself.
    template <class Read> bool findOwn(const char* name, Read&& read, const char*& value)
    {
        if (m_pass == 0 || m_pass != currentPass())
            return false;
        if (!m_level->ownRead) {
            m_level->own.clear();
            read([this](const char* ownName, size_t ownLength, const char* ownValue) {
                m_level->own.push_back(Own{ownName, ownLength, hashOf(ownName, ownLength), ownValue});
            });
            placeOwn();
        }
        const size_t length = std::strlen(name);
        const std::uint32_t hash = hashOf(name, length);
        const auto same = [&](const Own& o) {
            return o.hash == hash && o.length == length && std::memcmp(o.name, name, length) == 0;
        };
        value = nullptr;
        const std::vector<Own>& own = m_level->own;
        if (own.size() > kMostPlaced) {
            for (const Own& o : own) {
                if (same(o)) {
                    value = o.value;
                    break;
                }
            }
            return true;
        }
        for (unsigned slot = slotOf(hash); m_level->places[slot] != 0; slot = (slot + 1) % kSlots) {
            const Own& o = own[m_level->places[slot] - 1];
            if (same(o)) {
                value = o.value;
                break;
            }
        }
        return true;
    }

    // The computation running on this thread (0: none).
    static unsigned currentPass();

private:
    // An answer, under a copy of the property's name (see hashOf).
    struct Answer
    {
        std::uint32_t hash = 0;
        std::uint32_t length = 0;
        char name[24] = {};
        const char* value = nullptr;
    };
    struct Own
    {
        const char* name = nullptr;
        size_t length = 0;
        std::uint32_t hash = 0;
        const char* value = nullptr;
    };
    // An element's own declarations are found through a table of slots
    // (the place of a declaration in `own`, plus one; 0: free), the first
    // one tried given by the name, the next ones after it. Elements that
    // declare more than kMostPlaced properties are searched from end to end.
    static constexpr unsigned kSlots = 128;
    static constexpr size_t kMostPlaced = 96;
    // What is kept for the element being computed at a level of the tree
    // (elements at one level are computed one after the other): kept per
    // thread, so that computing an element's style allocates nothing.
    struct Level
    {
        std::vector<Answer> answers;
        std::vector<Own> own;
        std::uint8_t places[kSlots] = {};
        bool ownRead = false;
    };
    static Level& levelAt(unsigned level);
    // A name's hash is taken from its length and four of its letters, each
    // on its own (a hash of every letter, one after the other, took longer
    // than the rest of a lookup): names alike differ in one of them.
    static std::uint32_t hashOf(const char* name, size_t length)
    {
        if (length == 0)
            return 0;
        const auto at = [name](size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(name[i])); };
        return static_cast<std::uint32_t>(length) * 0x9E3779B1u + at(0) * 0x85EBCA77u + at(length - 1) * 0xC2B2AE3Du +
               at(length / 2) * 0x27D4EB2Fu + at(length * 3 / 4) * 0x165667B1u;
    }
    static unsigned slotOf(std::uint32_t hash) { return (hash ^ (hash >> 15)) * 0x2C1B3C6Du >> 25; }
    void placeOwn();

    unsigned m_pass = 0;
    Level* m_level = nullptr; // that of the element
    bool m_begun = false;
};

} // namespace engine
