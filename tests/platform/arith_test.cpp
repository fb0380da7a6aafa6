#include "platform/arith.h"
#include "platform/error.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

struct RoundCase {
    extended value;
    std::int64_t expected;
};

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    const RoundCase cases[] = {
        {0.5L, 0},
        {1.5L, 2},
        {2.5L, 2},
        {3.5L, 4},
        {-0.5L, 0},
        {-1.5L, -2},
        {-2.5L, -2},
        {2.4999L, 2},
        {2.5001L, 3},
        {-2.5001L, -3},
        {1e15L + 0.5L, 1000000000000000},
        {-7.0L, -7},
        {0.0L, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(roundHalfEven(c.value), c.expected) << static_cast<double>(c.value);
    }
}

TEST(RoundHalfEven, RejectsWhatCannotBeAnInteger) {
    EXPECT_THROW(roundHalfEven(std::numeric_limits<extended>::quiet_NaN()), RangeError);
    EXPECT_THROW(roundHalfEven(std::numeric_limits<extended>::infinity()), RangeError);
    EXPECT_THROW(roundHalfEven(1e19L), RangeError);
}

TEST(RoundToInt32, ThrowsOutsideInt32) {
    EXPECT_EQ(roundToInt32(2147483647.4L), 2147483647);
    EXPECT_THROW(roundToInt32(2147483647.5L), RangeError); // rounds to 2^31
    EXPECT_EQ(roundToInt32(-2147483648.5L), -2147483648);  // even: stays in range
    EXPECT_THROW(roundToInt32(-2147483649.0L), RangeError);
}

TEST(DivTrunc, RoundsTowardZero) {
    EXPECT_EQ(divTrunc(7, 2), 3);
    EXPECT_EQ(divTrunc(-7, 2), -3);
    EXPECT_EQ(divTrunc(7, -2), -3);
    EXPECT_EQ(divTrunc(-7, -2), 3);
    EXPECT_THROW(divTrunc(1, 0), RangeError);
    EXPECT_THROW(divTrunc(std::numeric_limits<std::int32_t>::min(), -1), RangeError);
}

struct MulDivCase {
    std::int32_t a, b, c, expected;
};

TEST(MulDiv, RoundsHalfAwayFromZeroLikeThePlatform) {
    constexpr std::int32_t max = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t min = std::numeric_limits<std::int32_t>::min();
    const MulDivCase cases[] = {
        {-13, 72, 96, -10},                                     // 9.75 pt
        {10, 96, 72, 13},                                       // 13.33
        {12, 96, 72, 16},                                       // 16
        {14, 96, 72, 19},                                       // 18.67
        {3, 1, 2, 2},                                           // 1.5 away from zero
        {-3, 1, 2, -2},                                         // -1.5 away from zero
        {7, -1, -2, 4},                                         // negative divisor
        {1, 1, 3, 0},       {2, 1, 3, 1}, {max, max, max, max}, // 64-bit product
        {5, 1, 0, -1},                                          // no divisor
        {max, 2, 1, -1},                                        // does not fit
        {min, 1, 1, -1}, // -2^31 is outside the platform's range
    };
    for (const auto& c : cases) {
        EXPECT_EQ(mulDiv(c.a, c.b, c.c), c.expected) << c.a << " " << c.b << " " << c.c;
    }
}

} // namespace
