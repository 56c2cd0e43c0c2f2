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

InheritedStyles::Level& InheritedStyles::levelAt(unsigned at)
{
    // (A deque: what outer levels keep stays where it is as it grows.)
    thread_local std::deque<Level> levels;
    while (levels.size() <= at)
        levels.emplace_back();
    return levels[at];
}

void InheritedStyles::begin()
{
    if (!m_begun)
        m_level = &levelAt(inheritedstyles_detail::level++);
    m_begun = true;
    m_level->answers.clear();
    m_level->ownRead = false;
    m_pass = currentPass();
}

void InheritedStyles::placeOwn()
{
    Level& level = *m_level;
    level.ownRead = true;
    std::memset(level.places, 0, sizeof(level.places));
    if (level.own.size() > kMostPlaced)
        return;
    for (size_t i = 0; i < level.own.size(); ++i) {
        unsigned slot = slotOf(level.own[i].hash);
        while (level.places[slot] != 0)
            slot = (slot + 1) % kSlots;
        level.places[slot] = static_cast<std::uint8_t>(i + 1);
    }
}

void InheritedStyles::end()
{
    if (m_begun && inheritedstyles_detail::level > 0)
        --inheritedstyles_detail::level;
    m_begun = false;
    m_pass = 0;
}

} // namespace engine
