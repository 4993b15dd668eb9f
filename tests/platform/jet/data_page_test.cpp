#include "hex.h"
#include "platform/jet/data_page.h"
#include "platform/jet/page_store.h"

#include <gtest/gtest.h>

namespace bastara::jet {
namespace {

    // Long, Text(10 chars), Boolean, Integer, Binary(4): two fixed, two variable.
    TableLayout mixedLayout()
    {
        const std::vector<ColumnDefinition> columns {
            { u"a", ColumnType::Long, 4, 0x03 },
            { u"b", ColumnType::Text, 20, 0x02 },
            { u"c", ColumnType::Boolean, 1, 0x03 },
            { u"d", ColumnType::Integer, 2, 0x03 },
            { u"e", ColumnType::Binary, 4, 0x02 },
        };
        return layoutColumns(columns);
    }

    TEST(TableLayout, FixedColumnsFollowEachOtherAndBooleansTakeNoBytes)
    {
        const TableLayout layout = mixedLayout();
        EXPECT_EQ(layout.fixedSize, 6);
        EXPECT_EQ(layout.varCount, 2);
        EXPECT_EQ(layout.columns[0].fixedOffset, 0);
        EXPECT_EQ(layout.columns[1].varIndex, 0);
        EXPECT_EQ(layout.columns[2].fixedOffset, 0);
        EXPECT_EQ(layout.columns[2].varBefore, 1);
        EXPECT_EQ(layout.columns[3].fixedOffset, 4);
        EXPECT_EQ(layout.columns[4].varIndex, 1);
    }

    TEST(DataRow, EncodesFixedVariableAndNullColumnsInTheJet4Layout)
    {
        const std::vector<CellValue> values { longCell(7), textCell(u"ab"), true, std::monostate {},
            std::monostate {} };
        const auto row = encodeRow(mixedLayout(), values);
        ASSERT_TRUE(row);
        EXPECT_TRUE(testing::bytesAt(*row, 0, R"(
            05 00                 # 5 columns
            07 00 00 00 00 00     # a = 7, d null
            61 00 62 00           # b = "ab"
            0c 00                 # end of data
            0c 00 08 00           # offsets of e (empty), b
            02 00                 # 2 variable columns
            07                    # a, b, c(true) present)"));
        EXPECT_EQ(row->size(), 21u);
    }

    TEST(DataRow, DecodingGivesBackTheValues)
    {
        const std::vector<CellValue> values { longCell(-1), std::monostate {}, false,
            integerCell(300), binaryCell(std::vector<std::uint8_t> { 1, 2, 3 }) };
        const auto row = encodeRow(mixedLayout(), values);
        ASSERT_TRUE(row);
        const auto decoded = decodeRow(mixedLayout(), *row);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(*decoded, values);
    }

    TEST(DataRow, RefusesValuesThatDoNotSuitTheirColumn)
    {
        const TableLayout layout = mixedLayout();
        auto values = std::vector<CellValue>(5);
        values[0] = integerCell(1); // 2 bytes for a Long
        EXPECT_FALSE(encodeRow(layout, values));
        values[0] = std::monostate {};
        values[1] = textCell(u"this is eleven"); // 28 bytes for 20
        EXPECT_FALSE(encodeRow(layout, values));
        values[1] = std::monostate {};
        values[3] = true; // a Boolean for an Integer
        EXPECT_FALSE(encodeRow(layout, values));
        EXPECT_FALSE(encodeRow(layout, std::vector<CellValue>(4)));
    }

    TEST(DataRow, DecodingRefusesDamagedRows)
    {
        const auto row = encodeRow(mixedLayout(), { longCell(7), textCell(u"ab"), true, {}, {} });
        ASSERT_TRUE(row);
        auto damaged = *row;
        damaged[12] = 0xFF; // end of data beyond the row
        EXPECT_FALSE(decodeRow(mixedLayout(), damaged));
        damaged = *row;
        damaged[0] = 9; // column count
        EXPECT_FALSE(decodeRow(mixedLayout(), damaged));
        EXPECT_FALSE(decodeRow(mixedLayout(), std::span(*row).first(5)));
    }

    TEST(DataPage, RowsArePackedDownFromTheEndInOrder)
    {
        Page page {};
        const std::vector<std::vector<std::uint8_t>> rows { { 1, 2, 3 }, { 4, 5 } };
        ASSERT_TRUE(writeDataPage(PageSpan { page }, 17, rows));
        // Free = 4096 - 14 - 2×2 - 5 = 4073; owner 17; rows at 4093 and 4091.
        EXPECT_TRUE(
            testing::bytesAt(page, 0, "01 01 e9 0f 11 00 00 00 00 00 00 00 02 00 fd 0f fb 0f"));
        EXPECT_TRUE(testing::bytesAt(page, 4091, "04 05 01 02 03"));
        const auto read = readDataPageRows(page);
        ASSERT_TRUE(read);
        ASSERT_EQ(read->size(), 2u);
        EXPECT_EQ((*read)[1].size(), 2u);
    }

    TEST(DataPage, RowsThatDoNotFitAreRefused)
    {
        Page page {};
        const std::vector<std::vector<std::uint8_t>> rows(2, std::vector<std::uint8_t>(2040));
        EXPECT_EQ(dataPageFreeSpace(rows), -2);
        const auto written = writeDataPage(PageSpan { page }, 2, rows);
        ASSERT_FALSE(written);
        EXPECT_EQ(written.error().kind, FormatError::Kind::CatalogFull);
    }

    TEST(DataPage, ReadingRefusesOffsetsOutOfOrder)
    {
        Page page {};
        ASSERT_TRUE(writeDataPage(PageSpan { page }, 2, { { 1, 2 }, { 3 } }));
        page[16] = 0xFF; // row 1 now starts after row 0
        page[17] = 0x0F;
        EXPECT_FALSE(readDataPageRows(page));
        page[12] = 0xFF; // a row table larger than the page
        page[13] = 0x7F;
        EXPECT_FALSE(readDataPageRows(page));
    }

} // namespace
} // namespace bastara::jet
