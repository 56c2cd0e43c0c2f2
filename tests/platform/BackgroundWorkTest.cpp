// The long work of a page runs below the window's priority.

#include "platform/BackgroundWork.h"

#include <QThreadPool>

#include <gtest/gtest.h>

#include <QFile>

#include <cerrno>
#include <future>
#include <memory>
#include <vector>

#include <sys/resource.h>

namespace {

int nicenessInBackground()
{
    std::promise<int> niceness;
    platform::runInBackground([&niceness] { niceness.set_value(platform::backgroundNicenessOfThisThread()); });
    return niceness.get_future().get();
}

TEST(BackgroundWork, RunsBelowTheWindowsPriorityAndStaysThere)
{
    errno = 0;
    const int own = getpriority(PRIO_PROCESS, 0);
    if (errno != 0 || own >= 19)
        GTEST_SKIP() << "this process runs at the lowest priority already";
    EXPECT_EQ(platform::backgroundNicenessOfThisThread(), 0);
    const int first = nicenessInBackground();
    EXPECT_GT(first, 0);
    // A thread that runs such work again is not lowered further each time.
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(nicenessInBackground(), first);
    // The window's thread is left as it was.
    EXPECT_EQ(getpriority(PRIO_PROCESS, 0), own);
}

double residentMb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? double(fields[1].toLongLong()) * 4096 / (1024 * 1024) : -1;
}

TEST(BackgroundWork, WhatAPageLeftGoesBackToTheSystemOnceTakenApart)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer keeps freed memory for itself";
#endif
    // A page's worth of blocks made on such a thread; every other one is let
    // go of there, in holes that the allocator keeps unless told.
    using Blocks = std::vector<std::unique_ptr<char[]>>;
    auto kept = std::make_shared<Blocks>();
    auto dropped = std::make_shared<Blocks>();
    std::promise<void> made;
    platform::runInBackground([&] {
        for (int i = 0; i < 8000; ++i) {
            for (Blocks* blocks : {kept.get(), dropped.get()}) {
                blocks->emplace_back(new char[16 * 1024]);
                std::fill_n(blocks->back().get(), 16 * 1024, char(i));
            }
        }
        made.set_value();
    });
    made.get_future().wait();
    const double before = residentMb();
    if (before < 0)
        GTEST_SKIP() << "no /proc";
    std::promise<void> done;
    platform::disposeInBackground([&dropped] { dropped.reset(); });
    platform::runInBackground([&done] { done.set_value(); });
    done.get_future().wait();
    platform::backgroundPool()->waitForDone();
    EXPECT_LT(residentMb(), before - 80) << before;
    kept.reset();
}

} // namespace
