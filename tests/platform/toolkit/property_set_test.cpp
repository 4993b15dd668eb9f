#include "platform/toolkit/property_set.h"

#include <gtest/gtest.h>

namespace bastara::toolkit {
namespace {

    TEST(PropertySet, AbsentKeysReadAsTheirDefault)
    {
        const PropertySet set;
        EXPECT_EQ(*set.read<int32_t>(u"CapAlign", 2), 2);
        EXPECT_EQ(*set.read<std::u16string>(u"Caption", u""), u"");
        EXPECT_TRUE(*set.read<bool>(u"Focus", true));
    }

    TEST(PropertySet, KeysIgnoreCaseAndKeepTheirFirstSpelling)
    {
        PropertySet set;
        set.write(u"cBhover", ColourValue { 0xFF });
        set.write(u"CBHOVER", ColourValue { 0x80000012 });
        ASSERT_EQ(set.size(), 1u);
        EXPECT_EQ(set.entries().front().key, u"cBhover");
        EXPECT_EQ(set.read<ColourValue>(u"cBHover", {})->value, 0x80000012u);
        set.remove(u"cbhover");
        EXPECT_FALSE(set.contains(u"cBHover"));
    }

    TEST(PropertySet, AValueEqualToItsDefaultIsNotStored)
    {
        PropertySet set;
        set.write(u"Shape", int32_t { 3 }, int32_t { 0 });
        EXPECT_TRUE(set.contains(u"Shape"));
        set.write(u"Shape", int32_t { 0 }, int32_t { 0 });
        EXPECT_FALSE(set.contains(u"Shape"));
        // Always-written keys are written without a default.
        set.write(u"Mode", int32_t { 0 });
        EXPECT_TRUE(set.contains(u"Mode"));
    }

    TEST(PropertySet, IntegersAndColoursConvertWhenTheValueFits)
    {
        PropertySet set;
        set.write(u"ImgSize", int16_t { 40 });
        set.write(u"cBack", int32_t { -2147483633 }); // 0x8000000F as a signed integer
        set.write(u"Wide", int32_t { 70000 });
        EXPECT_EQ(*set.read<int32_t>(u"ImgSize", 16), 40);
        EXPECT_EQ(set.read<ColourValue>(u"cBack", {})->value, 0x8000000Fu);
        const auto narrowed = set.read<int16_t>(u"Wide", 0);
        ASSERT_FALSE(narrowed.ok());
        EXPECT_EQ(narrowed.error(), PropertyReadError::OutOfRange);
    }

    TEST(PropertySet, AValueOfAnotherKindIsRefusedNotGuessed)
    {
        PropertySet set;
        set.write(u"Caption", std::u16string(u"12"));
        set.write(u"Value", false);
        const auto number = set.read<int32_t>(u"Caption", 0);
        ASSERT_FALSE(number.ok());
        EXPECT_EQ(number.error(), PropertyReadError::WrongType);
        EXPECT_FALSE(set.read<int32_t>(u"Value", 0).ok());
        EXPECT_FALSE(set.read<FontValue>(u"Caption", {}).ok());
    }

} // namespace
} // namespace bastara::toolkit
