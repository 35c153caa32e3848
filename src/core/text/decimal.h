#pragma once

#include <cstdint>
#include <string_view>

namespace norvane::text {

// Decimal text to integer as the C library's atoi reads it: leading white space, an optional sign, then
// digits; anything after the digits is ignored and text without digits gives 0. The value wraps modulo 2^64,
// so a caller that keeps it in a narrower field keeps its low-order bits (300 in one byte is 44), never
// undefined behaviour.
std::int64_t parseDecimal(std::string_view text);

}  // namespace norvane::text
