#include "engine/layout/InParts.h"

#include "platform/BackgroundWork.h"

#include <QRunnable>
#include <QThreadPool>

#include <condition_variable>
#include <memory>
#include <mutex>

namespace engine::layoutengine_detail {

namespace {

// How many parts of a pass are still under way on other threads.
class PartsLeft
{
public:
    explicit PartsLeft(size_t count) : m_left(count) {}
    void done()
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (--m_left == 0)
            m_allDone.notify_all();
    }
    void wait()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_allDone.wait(lock, [this] { return m_left == 0; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_allDone;
    size_t m_left;
};

class PartTask final : public QRunnable
{
public:
    PartTask(const std::function<void(size_t)>& work, size_t part, PartsLeft& left, bool lowered)
        : m_work(work), m_part(part), m_left(left), m_lowered(lowered)
    {
        setAutoDelete(false);
    }
    void run() override
    {
        if (m_lowered)
            platform::lowerThisThread();
        runHere();
    }
    // On the thread of the pass.
    void runHere()
    {
        m_work(m_part);
        m_left.done();
    }

private:
    const std::function<void(size_t)>& m_work;
    size_t m_part;
    PartsLeft& m_left;
    bool m_lowered;
};

QThreadPool* makePool()
{
    auto* pool = new QThreadPool();
    pool->setObjectName(QStringLiteral("parts of a pass"));
    pool->setMaxThreadCount(static_cast<int>(kMostParts) - 1);
    return pool;
}

// The threads the parts run on, kept from one pass to the next: one set
// for the window's passes, one (below the window's priority) for passes of
// the work done away from it.
QThreadPool& poolFor(bool lowered)
{
    // (Never taken apart: its threads wait for work until the process ends.)
    static QThreadPool* const window = makePool();
    static QThreadPool* const background = makePool();
    return lowered ? *background : *window;
}

} // namespace

void runParts(size_t parts, const std::function<void(size_t)>& work)
{
    const bool lowered = platform::backgroundNicenessOfThisThread() > 0;
    QThreadPool& pool = poolFor(lowered);
    PartsLeft left(parts - 1);
    std::vector<std::unique_ptr<PartTask>> tasks;
    tasks.reserve(parts - 1);
    for (size_t k = 1; k < parts; ++k) {
        tasks.push_back(std::make_unique<PartTask>(work, k, left, lowered));
        pool.start(tasks.back().get());
    }
    work(0);
    // Parts no thread took yet (all busy, with a pass of another thread or
    // one this pass is part of) are done here.
    for (const auto& task : tasks) {
        if (pool.tryTake(task.get()))
            task->runHere();
    }
    left.wait();
}

} // namespace engine::layoutengine_detail
