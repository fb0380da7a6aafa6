#pragma once

#include "extended.h"

#include <cstdint>

// Rounds to the nearest integer, halves to the even neighbour (the x87 default
// that every "round" of the map model uses). Throws RangeError for NaN, infinity
// or a value outside int64.
std::int64_t roundHalfEven(extended value);

// roundHalfEven for results that must fit a map coordinate; RangeError otherwise.
std::int32_t roundToInt32(extended value);

// Integer division toward zero ("div"). RangeError on division by zero and on
// the one quotient that overflows (INT32_MIN div -1).
std::int32_t divTrunc(std::int32_t a, std::int32_t b);

// a * b / c with a 64-bit product, rounded half away from zero; -1 when c is 0
// or the result does not fit, as the platform function of that name does.
std::int32_t mulDiv(std::int32_t a, std::int32_t b, std::int32_t c);

// Checked narrowing for sizes and positions that must fit int32.
std::int32_t checkedInt32(std::int64_t value);
