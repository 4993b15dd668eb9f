#include "platform/dao/field_rules.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace bastara::dao {
namespace {

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();

    std::uint16_t lengthFor(std::int32_t type, double size)
    {
        const auto column = columnForField(u"f", type, size);
        EXPECT_TRUE(column) << type << " size " << size;
        return column ? column->length : 0xFFFF;
    }

    bool refused(std::int32_t type, double size)
    {
        const auto column = columnForField(u"f", type, size);
        return !column && column.error().number == 3001;
    }

    TEST(FieldRules, TextSizesAreCharactersStoredAsTwoBytesEach)
    {
        EXPECT_EQ(lengthFor(dbText, 50.0), 100); // a size text of "50"
        EXPECT_EQ(lengthFor(dbText, 1.0), 2);
        EXPECT_EQ(lengthFor(dbText, 255.0), 510);
        EXPECT_EQ(lengthFor(dbText, 0.0), 510); // not set: as large as allowed
        EXPECT_EQ(lengthFor(dbText, -0.0), 510);
        EXPECT_TRUE(refused(dbText, 256.0));
        EXPECT_TRUE(refused(dbText, -1.0));
        EXPECT_TRUE(refused(dbText, 1e300));
        EXPECT_TRUE(refused(dbText, nan));
        EXPECT_TRUE(refused(dbText, inf));
        EXPECT_TRUE(refused(dbText, -inf));
    }

    TEST(FieldRules, FractionalSizesRoundHalfToEvenLikeALongConversion)
    {
        EXPECT_EQ(lengthFor(dbText, 2.5), 4);
        EXPECT_EQ(lengthFor(dbText, 3.5), 8);
        EXPECT_EQ(lengthFor(dbText, 10.4), 20);
        EXPECT_EQ(lengthFor(dbText, 10.6), 22);
        EXPECT_EQ(lengthFor(dbText, 254.5), 508);
        EXPECT_TRUE(refused(dbText, 255.5)); // rounds to 256
        EXPECT_EQ(lengthFor(dbText, 0.5), 510); // rounds to 0: not set
        EXPECT_EQ(lengthFor(dbText, -0.5), 510);
        EXPECT_TRUE(refused(dbText, -0.6));
    }

    TEST(FieldRules, BinarySizesAreBytes)
    {
        EXPECT_EQ(lengthFor(dbBinary, 16.0), 16);
        EXPECT_EQ(lengthFor(dbBinary, 255.0), 255);
        EXPECT_EQ(lengthFor(dbBinary, 0.0), 255);
        EXPECT_TRUE(refused(dbBinary, 256.0));
        EXPECT_TRUE(refused(dbBinary, -3.0));
        EXPECT_TRUE(refused(dbBinary, nan));
    }

    TEST(FieldRules, FixedWidthTypesIgnoreTheSize)
    {
        struct Fixed {
            std::int32_t type;
            jet::ColumnType column;
            std::uint16_t length;
        };
        const Fixed fixed[] = {
            { dbBoolean, jet::ColumnType::Boolean, 1 },
            { dbByte, jet::ColumnType::Byte, 1 },
            { dbInteger, jet::ColumnType::Integer, 2 },
            { dbLong, jet::ColumnType::Long, 4 },
            { dbCurrency, jet::ColumnType::Currency, 8 },
            { dbSingle, jet::ColumnType::Single, 4 },
            { dbDouble, jet::ColumnType::Double, 8 },
            { dbDate, jet::ColumnType::DateTime, 8 },
            { dbFloat, jet::ColumnType::Double, 8 },
            { dbGUID, jet::ColumnType::Guid, 16 },
            { dbMemo, jet::ColumnType::Memo, 0 },
            { dbLongBinary, jet::ColumnType::Ole, 0 },
        };
        for (const Fixed& f : fixed) {
            for (double size : { 0.0, 50.0, 255.0, 256.0, -7.0, 1e12, nan, inf }) {
                const auto column = columnForField(u"f", f.type, size);
                ASSERT_TRUE(column) << f.type << " size " << size;
                EXPECT_EQ(column->type, f.column) << f.type;
                EXPECT_EQ(column->length, f.length) << f.type;
            }
        }
    }

    TEST(FieldRules, UnknownTypesAreRefusedWhateverTheSize)
    {
        for (std::int32_t type : { 0, 13, 20, 22, -1 }) {
            const auto column = columnForField(u"f", type, 10.0);
            ASSERT_FALSE(column);
            EXPECT_EQ(column.error().number, 3259);
        }
    }

} // namespace
} // namespace bastara::dao
