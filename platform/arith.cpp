#include "arith.h"

#include "error.h"

#include <cmath>
#include <limits>

std::int64_t roundHalfEven(extended value) {
    if (!std::isfinite(value)) {
        throw RangeError(QStringLiteral("Ongeldige waarde bij afronden"));
    }
    const extended lower = std::floor(value);
    const extended fraction = value - lower; // exact for long double
    extended result = lower;
    if (fraction > 0.5L) {
        result = lower + 1.0L;
    } else if (fraction == 0.5L) {
        result = std::fmod(lower, 2.0L) == 0.0L ? lower : lower + 1.0L;
    }
    // 2^63 is exactly representable; anything at or above it does not fit.
    constexpr extended limit = 9223372036854775808.0L;
    if (result >= limit || result < -limit) {
        throw RangeError(QStringLiteral("Waarde buiten bereik bij afronden"));
    }
    return static_cast<std::int64_t>(result);
}

std::int32_t checkedInt32(std::int64_t value) {
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        throw RangeError(QStringLiteral("Waarde buiten bereik: %1").arg(value));
    }
    return static_cast<std::int32_t>(value);
}

std::int32_t roundToInt32(extended value) {
    return checkedInt32(roundHalfEven(value));
}

std::int32_t divTrunc(std::int32_t a, std::int32_t b) {
    if (b == 0) {
        throw RangeError(QStringLiteral("Deling door nul"));
    }
    if (a == std::numeric_limits<std::int32_t>::min() && b == -1) {
        throw RangeError(QStringLiteral("Overloop bij deling"));
    }
    return a / b; // C++ division truncates toward zero
}

std::int32_t mulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (c == 0) {
        return -1;
    }
    std::int64_t multiplicand = a;
    std::int64_t divisor = c;
    if (divisor < 0) {
        multiplicand = -multiplicand;
        divisor = -divisor;
    }
    const std::int64_t product = multiplicand * b;
    const std::int64_t half = divisor / 2;
    const std::int64_t result =
        product >= 0 ? (product + half) / divisor : (product - half) / divisor;
    if (result > std::numeric_limits<std::int32_t>::max() ||
        result < -std::numeric_limits<std::int32_t>::max()) {
        return -1;
    }
    return static_cast<std::int32_t>(result);
}
