#include "button/vb_bool.h"

#include <gtest/gtest.h>

namespace bastara::button {
namespace {

    TEST(VbBoolTest, TrueIsMinusOneAndAStrayOneIsSetButNotTrue)
    {
        EXPECT_EQ(VbBool(true).value(), -1);
        const VbBool one = VbBool::raw(1);
        EXPECT_TRUE(one.isSet());
        EXPECT_FALSE(one.isTrue());
        // Negation is logical: ~1 would be -2, set but not True.
        EXPECT_EQ(!one, kFalse);
        EXPECT_EQ(!kFalse, kTrue);
    }

} // namespace
} // namespace bastara::button
