#include "frames/FrameEnvironment.h"

namespace {
FrameEnvironment* g_frameEnvironment = nullptr;
}

FrameEnvironment* frameEnvironment()
{
    return g_frameEnvironment;
}

void setFrameEnvironment(FrameEnvironment* environment)
{
    g_frameEnvironment = environment;
}

FrameSetHost* frameSetHostOrActive(FrameSetHost* host)
{
    if (host)
        return host;
    return g_frameEnvironment ? g_frameEnvironment->activeFrameSetHost() : nullptr;
}
