#include "platform/dao/object_names.h"

#include <gtest/gtest.h>

namespace bastara::dao {
namespace {

    TEST(ObjectNames, TheLengthLimitIs64CodeUnits)
    {
        EXPECT_TRUE(isValidObjectName(std::u16string(64, u'\u0628')));
        EXPECT_FALSE(isValidObjectName(std::u16string(65, u'\u0628')));
        EXPECT_FALSE(isValidObjectName(u""));
    }

    TEST(ObjectNames, ControlCharactersAndTheFiveMarksAreRefusedAnywhere)
    {
        for (char16_t bad : { u'.', u'!', u'`', u'[', u']', u'\0', u'\x1F', u'\r' }) {
            EXPECT_FALSE(isValidObjectName(std::u16string(u"ab") + bad)) << int(bad);
            EXPECT_FALSE(isValidObjectName(bad + std::u16string(u"ab"))) << int(bad);
        }
        EXPECT_TRUE(isValidObjectName(u"a\u007Fb")); // DEL is not a C0 control
    }

    TEST(ObjectNames, OnlyAPlainSpaceMayNotLead)
    {
        EXPECT_FALSE(isValidObjectName(u" a"));
        EXPECT_TRUE(isValidObjectName(u"a "));
        EXPECT_TRUE(isValidObjectName(u"\u00A0a"));
        EXPECT_TRUE(isValidObjectName(u"\u200Ca"));
    }

    TEST(ObjectNames, UnpairedSurrogatesAreRefusedPairsAreNot)
    {
        EXPECT_FALSE(isValidObjectName(u"a\xD83D"));
        EXPECT_FALSE(isValidObjectName(u"\xDE00"
                                       u"a"));
        EXPECT_TRUE(isValidObjectName(u"a\U0001F600"));
    }

    TEST(ObjectNames, TableKeysExistOnlyInsideTheSortRanges)
    {
        EXPECT_TRUE(tableNameKey(u"\u062C\u062F\u0648\u0644").has_value());
        EXPECT_FALSE(tableNameKey(u"a\U0001F600").has_value());
        EXPECT_EQ(tableNameKey(u"Orders"), tableNameKey(u"ORDERS "));
    }

    TEST(ObjectNames, FieldKeysOutsideTheRangesFoldOnlyAsciiAndTrailingSpaces)
    {
        EXPECT_EQ(fieldNameMatchKey(u"Name"), fieldNameMatchKey(u"nAME"));
        EXPECT_EQ(fieldNameMatchKey(u"\u0391BC"), fieldNameMatchKey(u"\u0391bc  "));
        EXPECT_NE(fieldNameMatchKey(u"\u0391bc"), fieldNameMatchKey(u"\u03B1bc"));
        // Two kinds of key never meet, even when the bytes would.
        EXPECT_NE(fieldNameMatchKey(u"a"), fieldNameMatchKey(u"a\U0001F600"));
    }

} // namespace
} // namespace bastara::dao
