#pragma once

// Watching a window's event loop while a page opens: how long the loop was
// kept from running, the paints of a widget, and running the loop until
// something is done.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QObject>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <functional>

#include <time.h>

namespace bench_pages {

// The longest gap between ticks of a fast timer: how long the event loop
// was kept from running (the window could not repaint or take input); and
// the most processor time the window's thread spent in one such gap (on a
// busy machine a gap also holds the time the thread waited for a core).
class StallWatch
{
public:
    StallWatch()
    {
        m_clock.start();
        m_lastCpu = threadCpuNs();
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const qint64 now = m_clock.elapsed();
            const qint64 cpu = threadCpuNs();
            m_longest = std::max(m_longest, now - m_last);
            m_longestCpu = std::max(m_longestCpu, (cpu - m_lastCpu) / 1000000);
            m_last = now;
            m_lastCpu = cpu;
        });
        m_timer.start();
    }
    qint64 longest() const { return m_longest; }
    qint64 longestCpu() const { return m_longestCpu; }

private:
    static qint64 threadCpuNs()
    {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
    }
    QElapsedTimer m_clock;
    QTimer m_timer;
    qint64 m_last = 0;
    qint64 m_longest = 0;
    qint64 m_lastCpu = 0;
    qint64 m_longestCpu = 0;
};

// Notes the paints of a widget.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

inline void runEventsUntil(const std::function<bool()>& done)
{
    while (!done()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(200);
    }
}

} // namespace bench_pages
