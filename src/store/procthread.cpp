#include "store/procthread.h"

#include <vector>

namespace {
// One OS thread runs every procedure, so plain variables are enough.
std::uint32_t currentThread = 1;
std::uint32_t lastThread = 1;
std::vector<ProcThread::EndHook> &endHooks()
{
    static std::vector<ProcThread::EndHook> hooks;
    return hooks;
}
} // namespace

std::uint32_t ProcThread::current()
{
    return currentThread;
}

void ProcThread::setCurrent(std::uint32_t thread)
{
    currentThread = thread;
}

std::uint32_t ProcThread::newThread()
{
    return ++lastThread;
}

void ProcThread::addEndHook(EndHook hook)
{
    endHooks().push_back(std::move(hook));
}

void ProcThread::endThread(std::uint32_t thread)
{
    for (const EndHook &hook : endHooks())
        hook(thread);
}
