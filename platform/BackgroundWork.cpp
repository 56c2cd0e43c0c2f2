#include "platform/BackgroundWork.h"

#include <QCoreApplication>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <cerrno>

#ifdef __GLIBC__
#include <malloc.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace platform {

namespace backgroundwork_detail {
// Above the window's niceness: the scheduler gives such a thread about a
// tenth of a core the window wants as well.
constexpr int kNicenessAbove = 10;

thread_local bool lowered = false;

// Work letting go of pages queued and not ended.
std::atomic<int> disposing{0};
} // namespace backgroundwork_detail

QThreadPool* backgroundPool()
{
    static QThreadPool* const pool = [] {
        auto* made = new QThreadPool();
        made->setObjectName(QStringLiteral("background work"));
        // (Where the system's threads have priorities of their own; on
        // Linux each task lowers its thread's niceness as well.)
        made->setThreadPriority(QThread::LowPriority);
        made->setMaxThreadCount(std::max(2, QThread::idealThreadCount()));
        // Work queued ends before the application goes, as that of Qt's
        // global pool does: a layout still running would find no fonts.
        qAddPostRoutine([] { backgroundPool()->waitForDone(); });
        return made;
    }();
    return pool;
}

void runInBackground(std::function<void()> work)
{
    backgroundPool()->start([work = std::move(work)] {
        lowerThisThread();
        work();
    });
}

void disposeInBackground(std::function<void()> takeApart)
{
    // Once the application goes, its threads are done with: at once then.
    if (QCoreApplication::closingDown()) {
        takeApart();
        return;
    }
    ++backgroundwork_detail::disposing;
    runInBackground([takeApart = std::move(takeApart)] {
        takeApart();
        if (--backgroundwork_detail::disposing == 0) {
#ifdef __GLIBC__
            // What was freed stays in the allocator's free lists, spread
            // over its arenas, until it is trimmed.
            malloc_trim(0);
#endif
        }
    });
}

void lowerThisThread()
{
    using namespace backgroundwork_detail;
    if (lowered)
        return;
    lowered = true;
#ifdef Q_OS_LINUX
    // Linux keeps a niceness per thread: this one's, not the process's.
    const auto thread = static_cast<id_t>(syscall(SYS_gettid));
    errno = 0;
    const int now = getpriority(PRIO_PROCESS, thread);
    if (errno == 0)
        setpriority(PRIO_PROCESS, thread, std::min(19, now + kNicenessAbove));
#endif
}

int backgroundNicenessOfThisThread()
{
#ifdef Q_OS_LINUX
    errno = 0;
    const int thread = getpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)));
    errno = 0;
    const int process = getpriority(PRIO_PROCESS, static_cast<id_t>(getpid()));
    return thread - process;
#else
    return 0;
#endif
}

} // namespace platform
