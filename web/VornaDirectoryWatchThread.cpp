#include "web/VornaDirectoryWatchThread.h"

VornaDirectoryWatchThread::VornaDirectoryWatchThread() = default;

VornaDirectoryWatchThread::~VornaDirectoryWatchThread()
{
    RequestStop();
}

void VornaDirectoryWatchThread::Start() {}
