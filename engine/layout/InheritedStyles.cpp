#include "engine/layout/InheritedStyles.h"

#include <atomic>
#include <deque>

namespace engine {

namespace inheritedstyles_detail {

std::atomic<unsigned> lastPass{0};
thread_local unsigned pass = 0;
thread_local int depth = 0;
// Elements whose computation has begun and not ended, outermost first.
thread_local unsigned level = 0;

} // namespace inheritedstyles_detail

InheritedStyles::Pass::Pass()
{
    using namespace inheritedstyles_detail;
    if (depth++ == 0) {
        // (0 stands for no computation.)
        unsigned next = ++lastPass;
        if (next == 0)
            next = ++lastPass;
        pass = next;
    }
}

InheritedStyles::Pass::~Pass()
{
    using namespace inheritedstyles_detail;
    if (--depth == 0) {
        pass = 0;
        level = 0;
    }
}

unsigned InheritedStyles::currentPass()
{
    return inheritedstyles_detail::pass;
}

std::vector<InheritedStyles::Answer>& InheritedStyles::answersAt(unsigned at)
{
    // (A deque: the answers of outer levels stay where they are as it grows.)
    thread_local std::deque<std::vector<Answer>> levels;
    while (levels.size() <= at)
        levels.emplace_back();
    return levels[at];
}

void InheritedStyles::begin()
{
    if (!m_begun)
        m_answers = &answersAt(inheritedstyles_detail::level++);
    m_begun = true;
    m_answers->clear();
    m_pass = currentPass();
}

void InheritedStyles::end()
{
    if (m_begun && inheritedstyles_detail::level > 0)
        --inheritedstyles_detail::level;
    m_begun = false;
    m_pass = 0;
}

} // namespace engine
