#include "button/arithmetic.h"

#include <gtest/gtest.h>
#include <limits>

namespace bastara::button {
namespace {

    TEST(RoundEvenTest, TiesGoToTheEvenNeighbour)
    {
        EXPECT_EQ(roundEven(2.5), 2);
        EXPECT_EQ(roundEven(3.5), 4);
        EXPECT_EQ(roundEven(-12.5), -12);
        // -(25 / 10) * 3 in single precision is exactly -7.5.
        EXPECT_EQ(roundEven16(-(25.0f / 10.0f) * 3.0f), -8);
    }

    TEST(RoundEvenTest, SaturatesInsteadOfOverflowing)
    {
        EXPECT_EQ(roundEven(1e12), std::numeric_limits<std::int32_t>::max());
        EXPECT_EQ(roundEven(std::numeric_limits<double>::quiet_NaN()), 0);
        EXPECT_EQ(roundEven16(1e6f), std::numeric_limits<std::int16_t>::max());
    }

} // namespace
} // namespace bastara::button
