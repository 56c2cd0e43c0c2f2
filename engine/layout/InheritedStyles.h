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
        for (const Answer& kept : *m_answers) {
            // (Word by word here: a comparison of its own would be a call
            // in builds that inline little.)
            if (kept.name.words[0] == a.name.words[0] && kept.name.words[1] == a.name.words[1] &&
                kept.name.words[2] == a.name.words[2])
                return kept.value;
        }
        a.value = lookup();
        // (The lookup asks ancestors only, whose answers stand at other levels.)
        m_answers->push_back(a);
        return a.value;
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
    // The answers of the element being computed at a level of the tree
    // (elements at one level are computed one after the other): kept per
    // thread, so that computing an element's style allocates nothing.
    static std::vector<Answer>& answersAt(unsigned level);

    unsigned m_pass = 0;
    std::vector<Answer>* m_answers = nullptr; // those of the element's level
    bool m_begun = false;
};

} // namespace engine
