#include "engine/layout/InheritedStyles.h"

#include <atomic>

namespace engine {

namespace inheritedstyles_detail {

std::atomic<unsigned> lastPass{0};
thread_local unsigned pass = 0;
thread_local int depth = 0;

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
    if (--depth == 0)
        pass = 0;
}

unsigned InheritedStyles::currentPass()
{
    return inheritedstyles_detail::pass;
}

void InheritedStyles::begin()
{
    m_answers.clear();
    m_pass = currentPass();
}

void InheritedStyles::end()
{
    std::vector<Answer>().swap(m_answers);
    m_pass = 0;
}

} // namespace engine
