#include "app/model/field_types.h"
#include "platform/dao/dao.h"

#include <gtest/gtest.h>

namespace bastara::app {
namespace {

    TEST(FieldTypes, EveryOfferedNameHasItsEngineCode)
    {
        const std::pair<std::u16string_view, int32_t> expected[] = {
            { u"Text", dao::dbText },
            { u"Boolean", dao::dbBoolean },
            { u"Byte", dao::dbByte },
            { u"Binary", dao::dbBinary },
            { u"Integer", dao::dbInteger },
            { u"Long", dao::dbLong },
            { u"Single", dao::dbSingle },
            { u"Currency", dao::dbCurrency },
            { u"Double", dao::dbDouble },
            { u"Date", dao::dbDate },
            { u"Time", dao::dbDate },
            { u"Memo", dao::dbMemo },
            { u"Float", dao::dbFloat },
        };
        for (const auto& [name, code] : expected)
            EXPECT_EQ(typeCodeForName(name), code) << std::string(name.begin(), name.end());
        for (std::u16string_view offered : offeredTypeNames)
            EXPECT_TRUE(typeCodeForName(offered).has_value());
    }

    TEST(FieldTypes, ComparisonIsExactAndCaseSensitive)
    {
        EXPECT_FALSE(typeCodeForName(u"text").has_value());
        EXPECT_FALSE(typeCodeForName(u"Text ").has_value());
        EXPECT_FALSE(typeCodeForName(u" Text").has_value());
        EXPECT_FALSE(typeCodeForName(u"TEXT").has_value());
        EXPECT_FALSE(typeCodeForName(u"").has_value());
    }

} // namespace
} // namespace bastara::app
