// The long work of a page runs below the window's priority.

#include "platform/BackgroundWork.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <future>

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

} // namespace
