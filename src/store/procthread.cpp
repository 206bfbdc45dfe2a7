#include "store/procthread.h"

namespace {
// One OS thread runs every procedure, so a plain variable is enough.
std::uint32_t currentThread = 1;
} // namespace

std::uint32_t ProcThread::current()
{
    return currentThread;
}

void ProcThread::setCurrent(std::uint32_t thread)
{
    currentThread = thread;
}
