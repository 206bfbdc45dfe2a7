#pragma once

#include <cstdint>
#include <functional>

// The procedure thread that runs now. Every procedure runs on a thread of its own (a
// coroutine on the GUI thread); the record store keeps its per-thread state (record buffers,
// positions, procedure names) under this number. The start-up thread is 1.
namespace ProcThread {

std::uint32_t current();
void setCurrent(std::uint32_t thread);

// A number for a new procedure thread; never 1 and never handed out twice.
std::uint32_t newThread();

// Called when a procedure thread has ended, so that per-thread state can be let go.
using EndHook = std::function<void(std::uint32_t thread)>;
void addEndHook(EndHook hook);
void endThread(std::uint32_t thread);

} // namespace ProcThread
