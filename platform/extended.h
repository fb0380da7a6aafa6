#pragma once

#include <array>
#include <cstdint>
#include <limits>

// The 10-byte x87 extended-precision float of the map files and of the zoom and
// print geometry. On x86-64 with GCC and Clang, long double is exactly that format.
using extended = long double;

static_assert(std::numeric_limits<extended>::digits == 64,
              "extended must be the x87 80-bit format (64-bit mantissa)");
static_assert(std::numeric_limits<extended>::max_exponent == 16384,
              "extended must have the x87 15-bit exponent");

using ExtendedBytes = std::array<std::uint8_t, 10>;

// The only two places that know the memory layout of extended.
ExtendedBytes extendedToBytes(extended value);
extended extendedFromBytes(const ExtendedBytes& bytes);
