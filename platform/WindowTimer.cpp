#include "platform/WindowTimer.h"

#include "platform/WindowMessage.h"

#include <QBasicTimer>
#include <QObject>
#include <QTimerEvent>

#include <map>

namespace platform::detail {

// Child object of a timer target that owns its timers and turns their ticks
// into WM_TIMER messages.
class TimerRelay : public QObject
{
public:
    explicit TimerRelay(QObject* target) : QObject(target) { setObjectName(QStringLiteral("platform_timer_relay")); }

    void start(int id, int intervalMs) { m_timers[id].start(intervalMs < 0 ? 0 : intervalMs, this); }

    bool stop(int id)
    {
        auto it = m_timers.find(id);
        if (it == m_timers.end())
            return false;
        m_timers.erase(it);
        return true;
    }

    bool isActive(int id) const { return m_timers.count(id) != 0; }

    static TimerRelay* of(const QObject* target)
    {
        return target->findChild<TimerRelay*>(QStringLiteral("platform_timer_relay"), Qt::FindDirectChildrenOnly);
    }

protected:
    void timerEvent(QTimerEvent* event) override
    {
        for (const auto& [id, timer] : m_timers) {
            if (timer.timerId() == event->timerId()) {
                const int programId = id;
                sendMessage(parent(), WM_TIMER, quintptr(programId));
                return;
            }
        }
        QObject::timerEvent(event);
    }

private:
    std::map<int, QBasicTimer> m_timers;
};

} // namespace platform::detail

namespace platform {

void setTimer(QObject* target, int id, int intervalMs)
{
    if (!target)
        return;
    auto* relay = detail::TimerRelay::of(target);
    if (!relay)
        relay = new detail::TimerRelay(target); // owned by target
    relay->start(id, intervalMs);
}

bool killTimer(QObject* target, int id)
{
    if (!target)
        return false;
    auto* relay = detail::TimerRelay::of(target);
    return relay && relay->stop(id);
}

bool isTimerActive(const QObject* target, int id)
{
    if (!target)
        return false;
    auto* relay = detail::TimerRelay::of(target);
    return relay && relay->isActive(id);
}

} // namespace platform
