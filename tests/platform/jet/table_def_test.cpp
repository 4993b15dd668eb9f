#include "example_tables.h"
#include "hex.h"
#include "platform/jet/database.h"
#include "platform/jet/system_tables.h"
#include "platform/jet/table_def.h"

#include <gtest/gtest.h>

namespace bastara::jet {
namespace {

    TableDefinition exampleDefinition(std::vector<UserColumn> columns)
    {
        TableDefinition table;
        for (UserColumn& column : columns) {
            const std::uint8_t flags = fixedLength(column.type) ? 0x03 : 0x02;
            table.columns.push_back({ std::move(column.name), column.type, column.length, flags });
        }
        table.ownedMap = format::pageRowPointer(20, 0);
        table.freeMap = format::pageRowPointer(20, 1);
        for (std::size_t c = 0; c < table.columns.size(); ++c) {
            if (isLongValue(table.columns[c].type))
                table.longValueMaps.push_back({ static_cast<std::uint16_t>(c),
                    format::pageRowPointer(20, 2), format::pageRowPointer(20, 3) });
        }
        return table;
    }

    TEST(TableDef, TheTwelveTypeTableMatchesTheWorkedExample)
    {
        const TableDefinition table = exampleDefinition(testing::twelveTypeColumns());
        ASSERT_EQ(tableDefLength(table), 0x291u);
        PageStore store(21);
        const std::uint32_t pages[] = { 19 };
        ASSERT_TRUE(writeTableDef(table, pages, store));
        const auto page = store.page(19);
        EXPECT_TRUE(testing::bytesAt(page, 0, R"(
            02 01 67 0d 00 00 00 00 91 02 00 00 59 06 00 00
            00 00 00 00 00 00 00 00 01 00 00 00 00 00 00 00
            00 00 00 00 00 00 00 00 4e 0c 00 03 00 0c 00 00
            00 00 00 00 00 00 00 00 14 00 00 01 14 00 00)"));
        EXPECT_TRUE(testing::bytesAt(
            page, 0x3F, "0a 59060000 0000 0000 0000 09040000 02 00 00000000 0000 6400"));
        EXPECT_TRUE(testing::bytesAt(
            page, 0x58, "01 59060000 0100 0100 0100 09040000 03 00 00000000 0000 0100"));
        // Names start after the twelve blocks: "متن Text" is 8 code units.
        EXPECT_TRUE(testing::bytesAt(page, 0x16B, "10 00 45 06 2a 06 46 06 20 00 54 00"));
        EXPECT_TRUE(testing::bytesAt(page, 0x291 - 12, "0a 00 02 14 00 00 03 14 00 00 ff ff"));
        for (std::size_t i = 0x291; i < page.size(); ++i)
            ASSERT_EQ(page[i], 0) << i;
    }

    TEST(TableDef, FixedColumnsGetConsecutiveOffsetsInColumnOrder)
    {
        const TableDefinition table = exampleDefinition(testing::twelveTypeColumns());
        PageStore store(20);
        const std::uint32_t pages[] = { 19 };
        ASSERT_TRUE(writeTableDef(table, pages, store));
        const auto page = store.page(19);
        auto fixedOffset = [&page](std::size_t column) {
            const std::size_t at = 63 + 25 * column + 21;
            return page[at] | (page[at + 1] << 8);
        };
        // Byte 0, Integer 1, Long 3, Single 7, Currency 11, Double 19, Date 27, Float 35.
        const int expected[] = { 0, 0, 0, 0, 1, 3, 7, 11, 19, 27, 0, 35 };
        for (std::size_t c = 0; c < 12; ++c)
            EXPECT_EQ(fixedOffset(c), expected[c]) << c;
    }

    TEST(TableDef, SystemTablesSortTheirBlocksByNameAndSpanOnePage)
    {
        const TableDefinition objects = msysObjectsDefinition(8);
        const auto order = columnBlockOrder(objects);
        ASSERT_EQ(order.size(), 17u);
        EXPECT_EQ(objects.columns[order[0]].name, u"Connect");
        EXPECT_EQ(objects.columns[order[1]].name, u"Database");
        EXPECT_EQ(objects.columns[order[16]].name, u"Type");
        EXPECT_EQ(tableDefPageCount(tableDefLength(objects)), 1u);
        PageStore store(3);
        const std::uint32_t pages[] = { 2 };
        ASSERT_TRUE(writeTableDef(objects, pages, store));
        const auto page = store.page(2);
        EXPECT_EQ(page[40], 0x53);
        // 17 columns, 11 variable; 2 logical and 2 real indexes; maps on page 6.
        EXPECT_TRUE(testing::bytesAt(
            page, 41, "11 00 0b 00 11 00 02 00 00 00 02 00 00 00 00 06 00 00 01 06 00 00"));
        // Real-index row counts follow the header.
        EXPECT_TRUE(testing::bytesAt(
            page, 63, "00 00 00 00 08 00 00 00 00 00 00 00 00 00 00 00 08 00 00 00"));
    }

    TEST(TableDef, AWideTableContinuesOnChainedPages)
    {
        // 255 columns with 64-character names: about ten pages.
        const TableDefinition table = exampleDefinition(testing::wideColumns(255, 64));
        const std::size_t length = tableDefLength(table);
        EXPECT_EQ(length, 63u + 255u * 25u + 255u * (2u + 128u) + 2u);
        const std::uint32_t count = tableDefPageCount(length);
        EXPECT_EQ(count, 10u);
        std::vector<std::uint32_t> pages;
        for (std::uint32_t i = 0; i < count; ++i)
            pages.push_back(19 + 2 * i); // chains need not be contiguous
        PageStore store(40);
        ASSERT_TRUE(writeTableDef(table, pages, store));

        std::vector<std::uint8_t> stream;
        for (std::uint32_t i = 0; i < count; ++i) {
            const auto page = store.page(pages[i]);
            EXPECT_EQ(page[0], 0x02);
            EXPECT_EQ(page[1], 0x01);
            const std::uint32_t next = page[4] | page[5] << 8 | page[6] << 16 | page[7] << 24;
            EXPECT_EQ(next, i + 1 < count ? pages[i + 1] : 0u);
            const std::uint16_t free = static_cast<std::uint16_t>(page[2] | page[3] << 8);
            if (i + 1 < count) {
                EXPECT_EQ(free, 0);
            }
            stream.insert(stream.end(), page.begin() + (i ? 8 : 0), page.end());
        }
        const std::size_t lastBytes = length - 4096 - (count - 2) * 4088;
        EXPECT_EQ(store.page(pages.back())[2] | store.page(pages.back())[3] << 8,
            4096 - 8 - lastBytes - 8);
        EXPECT_EQ(stream[length - 2], 0xFF);
        EXPECT_EQ(stream[length - 1], 0xFF);
        EXPECT_EQ(stream[length], 0x00);
    }

    TEST(TableDef, APlanOfTheWrongSizeAndBrokenLimitsAreRefused)
    {
        const TableDefinition table = exampleDefinition(testing::twelveTypeColumns());
        PageStore store(25);
        const std::uint32_t twoPages[] = { 19, 20 };
        EXPECT_FALSE(writeTableDef(table, twoPages, store));

        EXPECT_FALSE(checkTableDefinition(exampleDefinition(testing::wideColumns(256, 4))));
        EXPECT_FALSE(checkTableDefinition(exampleDefinition({})));
        EXPECT_FALSE(checkTableDefinition(
            exampleDefinition({ { std::u16string(65, u'a'), ColumnType::Long, 4 } })));
        EXPECT_FALSE(checkTableDefinition(exampleDefinition({ { u"t", ColumnType::Text, 512 } })));
        EXPECT_FALSE(checkTableDefinition(exampleDefinition({ { u"t", ColumnType::Text, 3 } })));
        EXPECT_FALSE(checkTableDefinition(exampleDefinition({ { u"b", ColumnType::Binary, 0 } })));
        EXPECT_FALSE(checkTableDefinition(exampleDefinition({ { u"l", ColumnType::Long, 8 } })));
        EXPECT_TRUE(checkTableDefinition(exampleDefinition({ { u"m", ColumnType::Memo, 0 } })));
    }

} // namespace
} // namespace bastara::jet
