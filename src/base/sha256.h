#pragma once

#include <string>
#include <string_view>

namespace rt {

// The SHA-256 digest of the bytes (FIPS 180-4) as 64 lower-case hex digits: what an issued
// document records of its stored bytes, so that anybody can check them with a stock tool.
std::string sha256Hex(std::string_view bytes);

} // namespace rt
