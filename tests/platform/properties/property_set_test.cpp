#include "platform/properties/property_set.h"

#include <gtest/gtest.h>

namespace bastara::properties {
namespace {

    TEST(PropertySet, AbsentKeysReadAsTheirDefault)
    {
        const PropertySet set;
        EXPECT_EQ(*set.readAs<int32_t>(u"CapAlign", 2), 2);
        EXPECT_EQ(*set.readAs<std::u16string>(u"Caption", u""), u"");
        EXPECT_EQ(*set.readAs<Bool16>(u"Focus", kTrue), kTrue);
        EXPECT_EQ(
            set.read(u"Caption", std::u16string(u"none")), PropertyValue(std::u16string(u"none")));
    }

    TEST(PropertySet, KeysIgnoreCaseAndKeepTheirFirstSpelling)
    {
        PropertySet set;
        set.write(u"cBhover", OleColor { 0xFF });
        set.write(u"CBHOVER", OleColor { 0x80000012 });
        ASSERT_EQ(set.size(), 1u);
        EXPECT_EQ(set.entries().front().key, u"cBhover");
        EXPECT_EQ(set.readAs<OleColor>(u"cBHover", {})->value, 0x80000012u);
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
        // Writing the default forgets a value stored under another spelling.
        set.write(u"cBhover", OleColor(0xFF), OleColor(0x8000000F));
        set.write(u"CBHOVER", OleColor(0x8000000F), OleColor(0x8000000F));
        EXPECT_FALSE(set.contains(u"cbhover"));
    }

    TEST(PropertySet, IntegersAndColoursConvertWhenTheValueFits)
    {
        PropertySet set;
        set.write(u"ImgSize", int16_t { 40 });
        set.write(u"cBack", int32_t { -2147483633 }); // 0x8000000F as a signed integer
        set.write(u"Wide", int32_t { 70000 });
        EXPECT_EQ(*set.readAs<int32_t>(u"ImgSize", 16), 40);
        EXPECT_EQ(set.readAs<OleColor>(u"cBack", {})->value, 0x8000000Fu);
        const auto narrowed = set.readAs<int16_t>(u"Wide", 0);
        ASSERT_FALSE(narrowed.ok());
        EXPECT_EQ(narrowed.error(), PropertyReadError::OutOfRange);
        // Values keep their type: a colour is not a 32-bit integer.
        set.write(u"Mode", std::int32_t(2));
        EXPECT_NE(set.read(u"mode", std::int32_t(0)), PropertyValue(OleColor(2)));
    }

    TEST(PropertySet, ABooleanMayBeStoredAsAnyIntegerAndReadsAsMinusOne)
    {
        PropertySet set;
        set.write(u"Focus", int16_t { 1 });
        set.write(u"Value", int32_t { 0 });
        set.write(u"Enabled", OleColor { 1 });
        EXPECT_EQ(set.readAs<Bool16>(u"Focus", kFalse)->value(), -1);
        EXPECT_EQ(*set.readAs<Bool16>(u"Value", kTrue), kFalse);
        EXPECT_FALSE(set.readAs<Bool16>(u"Enabled", kTrue).ok());
    }

    TEST(PropertySet, AValueOfAnotherKindIsRefusedNotGuessed)
    {
        PropertySet set;
        set.write(u"Caption", std::u16string(u"12"));
        set.write(u"Value", kFalse);
        const auto number = set.readAs<int32_t>(u"Caption", 0);
        ASSERT_FALSE(number.ok());
        EXPECT_EQ(number.error(), PropertyReadError::WrongType);
        EXPECT_FALSE(set.readAs<int32_t>(u"Value", 0).ok());
        EXPECT_FALSE(set.readAs<FontDescription>(u"Caption", {}).ok());
        EXPECT_FALSE(set.readAs<PictureValue>(u"Caption", {}).ok());
    }

    TEST(PropertySet, SetsAreEqualWhateverTheOrderAndCaseOfTheirKeys)
    {
        PropertySet a;
        a.write(u"Caption", std::u16string(u"OK"));
        a.write(u"cBHover", OleColor { 0xFF });
        PropertySet b;
        b.write(u"cbhover", OleColor { 0xFF });
        b.write(u"caption", std::u16string(u"OK"));
        EXPECT_EQ(a, b);
        b.write(u"caption", std::u16string(u"ok"));
        EXPECT_NE(a, b);
        b.write(u"caption", std::u16string(u"OK"));
        b.write(u"Mode", std::int32_t(0));
        EXPECT_NE(a, b);
    }

} // namespace
} // namespace bastara::properties
