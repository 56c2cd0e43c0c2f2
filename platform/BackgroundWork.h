#pragma once

// The long work of a page done away from the window's thread (reading and
// parsing it, laying it out, taking apart what it leaves), on threads that
// run below the window's priority: on a busy machine the window still gets
// the processor when it needs it.

#include <functional>

class QThreadPool;

namespace platform {

// The threads of that work. Each runs its tasks below the priority of the
// thread that made the pool.
QThreadPool* backgroundPool();

// Runs `work` on one of those threads.
void runInBackground(std::function<void()> work);

// Runs `takeApart`, which lets go of what a page left, on one of those
// threads; once the last such work queued has ended, the memory it freed
// goes back to the system (it would stay with the process otherwise). Once
// the application is going, `takeApart` runs at once instead.
void disposeInBackground(std::function<void()> takeApart);

// Lowers the calling thread's priority below the window's (once: a thread
// lowered stays so). For threads of their own that do such work.
void lowerThisThread();

// How far below the window's priority such a thread runs: the niceness it
// has over the process's (0 where threads have none of their own).
int backgroundNicenessOfThisThread();

} // namespace platform
