#include "button/property_bag.h"

#include <gtest/gtest.h>

namespace bastara::button {
namespace {

    TEST(PropertyBagTest, KeysIgnoreCaseAndAbsentMeansDefault)
    {
        PropertyBag bag;
        bag.write(u"cBhover", OleColor(0xFF), OleColor(0x8000000F));
        EXPECT_EQ(bag.read(u"cBHover", OleColor(0)), PropertyValue(OleColor(0xFF)));
        EXPECT_EQ(
            bag.read(u"Caption", std::u16string(u"none")), PropertyValue(std::u16string(u"none")));

        // Writing the default forgets the stored value.
        bag.write(u"CBHOVER", OleColor(0x8000000F), OleColor(0x8000000F));
        EXPECT_FALSE(bag.contains(u"cbhover"));
        // Values keep their type: a colour is not a 32-bit integer.
        bag.write(u"Mode", std::int32_t(2), std::int32_t(0));
        EXPECT_EQ(bag.read(u"mode", std::int32_t(0)), PropertyValue(std::int32_t(2)));
        EXPECT_NE(bag.read(u"mode", std::int32_t(0)), PropertyValue(OleColor(2)));
    }

} // namespace
} // namespace bastara::button
