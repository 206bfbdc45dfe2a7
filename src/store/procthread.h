#pragma once

#include <cstdint>

// The procedure thread that runs now. Every procedure runs on a thread of its own (a
// coroutine on the GUI thread); the record store keeps its per-thread state (record buffers,
// positions, procedure names) under this number. The start-up thread is 1.
namespace ProcThread {
std::uint32_t current();
void setCurrent(std::uint32_t thread);
} // namespace ProcThread
