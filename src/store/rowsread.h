#pragma once

#include <cstdint>

// Records brought from storage into cursors by the engines of this process so far (the blocks
// of passes, fetches, re-reads): what a walk over the files costs, whatever the machine's
// speed. Every engine counts every record it reads; a caller compares two readings. All
// procedures run on one OS thread, so the count needs no lock.
namespace rowsread {

std::uint64_t total();
void count(std::uint64_t rows);

} // namespace rowsread
