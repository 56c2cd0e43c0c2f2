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
        if (length >= sizeof(Name))
            return lookup();
        Answer a;
        std::memcpy(a.name.words, name, length);
        for (const Answer& kept : m_level->answers) {
            // (Word by word here: a comparison of its own would be a call
            // in builds that inline little.)
            if (kept.name.words[0] == a.name.words[0] && kept.name.words[1] == a.name.words[1] &&
                kept.name.words[2] == a.name.words[2])
                return kept.value;
        }
        a.value = lookup();
        // (The lookup asks ancestors only, whose answers stand at other levels.)
        m_level->answers.push_back(a);
        return a.value;
    }

    // The element's own declaration of `name` (null when it declares none),
    // when it can be told from the declarations kept for this computation:
    // `read(keep)` hands each declaration to keep(name, length, value) the
    // first time one is asked for during the computation (after its first
    // question the element's own declarations must not change until it
    // ends; their values must stay where they are). False when no
    // computation of the element runs or the name is too long to keep:
    // the caller looks it up itself.
    template <class Read> bool findOwn(const char* name, Read&& read, const char*& value)
    {
        if (m_pass == 0 || m_pass != currentPass())
            return false;
        const size_t length = std::strlen(name);
        if (length >= sizeof(OwnName))
            return false;
        if (!m_level->ownRead) {
            m_level->own.clear();
            read([this](const char* ownName, size_t ownLength, const char* ownValue) {
                if (ownLength >= sizeof(OwnName))
                    return;
                Own o;
                std::memcpy(o.name.words, ownName, ownLength);
                o.value = ownValue;
                m_level->own.push_back(o);
            });
            placeOwn();
        }
        OwnName wanted;
        std::memcpy(wanted.words, name, length);
        value = nullptr;
        const std::vector<Own>& own = m_level->own;
        if (own.size() > kMostPlaced) {
            for (const Own& o : own) {
                if (o.name == wanted) {
                    value = o.value;
                    break;
                }
            }
            return true;
        }
        for (unsigned slot = slotOf(wanted); m_level->places[slot] != 0; slot = (slot + 1) % kSlots) {
            const Own& o = own[m_level->places[slot] - 1];
            if (o.name == wanted) {
                value = o.value;
                break;
            }
        }
        return true;
    }

    // The computation running on this thread (0: none).
    static unsigned currentPass();

private:
    // A property's name, zero-filled: names compare as three words.
    struct Name
    {
        std::uint64_t words[3] = {};
    };
    struct Answer
    {
        Name name;
        const char* value = nullptr;
    };
    // Names of own declarations are kept up to four words: litehtml asks
    // for some of 24 to 28 letters (the corners' radii) of every element.
    struct OwnName
    {
        std::uint64_t words[4] = {};
        bool operator==(const OwnName& o) const
        {
            return words[0] == o.words[0] && words[1] == o.words[1] && words[2] == o.words[2] && words[3] == o.words[3];
        }
    };
    struct Own
    {
        OwnName name;
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
    static unsigned slotOf(const OwnName& name)
    {
        const std::uint64_t mixed =
            (name.words[0] ^ (name.words[1] * 31) ^ (name.words[2] * 131) ^ (name.words[3] * 1031)) *
            0x9E3779B97F4A7C15ull;
        return static_cast<unsigned>(mixed >> 57);
    }
    void placeOwn();

    unsigned m_pass = 0;
    Level* m_level = nullptr; // that of the element
    bool m_begun = false;
};

} // namespace engine
