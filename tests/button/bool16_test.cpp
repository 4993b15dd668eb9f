#include "button/bool16.h"

#include <gtest/gtest.h>

namespace bastara::button {
namespace {

    TEST(Bool16Test, TrueIsMinusOneAndAStrayOneIsSetButNotTrue)
    {
        EXPECT_EQ(Bool16(true).value(), -1);
        const Bool16 one = Bool16::raw(1);
        EXPECT_TRUE(one.isSet());
        EXPECT_FALSE(one.isTrue());
        // Negation is logical: ~1 would be -2, set but not True.
        EXPECT_EQ(!one, kFalse);
        EXPECT_EQ(!kFalse, kTrue);
    }

} // namespace
} // namespace bastara::button
