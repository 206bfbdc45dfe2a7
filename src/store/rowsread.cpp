#include "store/rowsread.h"

namespace rowsread {
namespace {
std::uint64_t rows = 0;
} // namespace

std::uint64_t total()
{
    return rows;
}

void count(std::uint64_t read)
{
    rows += read;
}

} // namespace rowsread
