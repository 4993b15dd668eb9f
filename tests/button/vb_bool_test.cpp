#include "button/vb_bool.h"

#include <gtest/gtest.h>

namespace bastara::button {
namespace {

    TEST(VbBoolTest, TrueIsMinusOne)
    {
        EXPECT_EQ(VbBool(true).value(), -1);
        EXPECT_EQ(VbBool(false).value(), 0);
        EXPECT_EQ(kTrue.value(), -1);
    }

    TEST(VbBoolTest, AStrayOneIsSetButNotTrue)
    {
        const VbBool one = VbBool::raw(1);
        EXPECT_TRUE(one.isSet());
        EXPECT_FALSE(one.isTrue());
        EXPECT_FALSE(one.isFalse());
    }

    TEST(VbBoolTest, NegationIsLogical)
    {
        // A bitwise negation of 1 would give -2, set but not True.
        EXPECT_EQ(!VbBool::raw(1), kFalse);
        EXPECT_EQ(!kFalse, kTrue);
        EXPECT_EQ(!kTrue, kFalse);
    }

} // namespace
} // namespace bastara::button
