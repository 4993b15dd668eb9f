// Rows and long values as the table row writer puts them on pages.

#include "platform/jet/data_page.h"
#include "platform/jet/table_rows.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace bastara::jet {
namespace {

    using bastara::testing::TempDir;

    Page readPage(const PageSpool& spool, std::uint32_t number)
    {
        Page page {};
        EXPECT_TRUE(spool.read(number, page));
        return page;
    }

    std::uint32_t u32At(std::span<const std::uint8_t> bytes, std::size_t at)
    {
        return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16
            | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
    }

    // A long value read back through its field, following the chain.
    std::vector<std::uint8_t> readLongValue(const PageSpool& spool, const LongValueField& field)
    {
        const std::size_t length = field[0] | field[1] << 8 | field[2] << 16;
        std::uint32_t pointer = u32At(field, 4);
        std::vector<std::uint8_t> value;
        while (value.size() < length) {
            const Page page = readPage(spool, pointer >> 8);
            auto rows = readDataPageRows(page);
            EXPECT_TRUE(rows);
            EXPECT_EQ(u32At(page, 4), longValueOwner);
            const auto row = (*rows).at(pointer & 0xFF);
            if (field[3] == 0x40)
                return { row.begin(), row.end() };
            pointer = u32At(row, 0);
            value.insert(value.end(), row.begin() + 4, row.end());
        }
        return value;
    }

    TEST(LongValues, KindAndPlacementFollowTheValueSize)
    {
        struct Case {
            std::size_t size;
            std::uint8_t kind;
            std::size_t pages; // LVAL pages the value takes
        };
        const Case cases[] = {
            { 65, 0x40, 1 },
            { 4076, 0x40, 1 },
            { 4077, 0x00, 2 },
            { 200000, 0x00, 50 },
        };
        for (const Case& c : cases) {
            TempDir dir;
            auto spool = PageSpool::create(dir.path(), 30);
            ASSERT_TRUE(spool);
            LongValueWriter writer(*spool);
            std::vector<std::uint8_t> value(c.size);
            for (std::size_t i = 0; i < value.size(); ++i)
                value[i] = static_cast<std::uint8_t>(7 * i + c.size);
            auto field = writer.place(value);
            ASSERT_TRUE(field) << c.size;
            ASSERT_TRUE(writer.finish());
            EXPECT_EQ((*field)[3], c.kind) << c.size;
            EXPECT_EQ(spool->endPage() - 30, c.pages) << c.size;
            EXPECT_EQ(readLongValue(*spool, *field), value) << c.size;
        }
    }

    std::vector<ColumnDefinition> columns(
        std::initializer_list<std::pair<ColumnType, std::uint16_t>> types)
    {
        std::vector<ColumnDefinition> result;
        for (const auto& [type, length] : types)
            result.push_back(
                { u"c" + std::u16string(1, static_cast<char16_t>(u'a' + result.size())), type,
                    length, 0x02 });
        return result;
    }

    TEST(TableRows, APageTakesAtMost255Rows)
    {
        TempDir dir;
        auto spool = PageSpool::create(dir.path(), 20);
        ASSERT_TRUE(spool);
        const auto definition = columns({ { ColumnType::Byte, 1 } });
        TableRowWriter writer(19, definition, *spool, {});
        const std::uint8_t byte[1] = { 9 };
        FieldCell cell { FieldCell::Kind::Bytes, false, byte, {} };
        for (int i = 0; i < 600; ++i)
            ASSERT_TRUE(writer.add(std::span(&cell, 1)));
        auto rows = writer.finish();
        ASSERT_TRUE(rows);
        EXPECT_EQ(rows->rowCount, 600u);
        std::vector<std::size_t> perPage;
        for (std::uint32_t page = 20; page < spool->endPage(); ++page)
            perPage.push_back(readDataPageRows(readPage(*spool, page))->size());
        EXPECT_EQ(perPage, (std::vector<std::size_t> { 255, 255, 90 }));
        EXPECT_EQ(rows->dataPageWithRoom, 22u);
    }

    TEST(TableRows, RefusedRowsNameTheirColumnAndAddNothing)
    {
        TempDir dir;
        auto spool = PageSpool::create(dir.path(), 20);
        ASSERT_TRUE(spool);
        const auto definition = columns({ { ColumnType::Text, 10 }, { ColumnType::Text, 510 },
            { ColumnType::Binary, 255 }, { ColumnType::Memo, 0 } });
        TableRowWriter writer(19, definition, *spool, {});
        const std::u16string full(255, u'x');
        const std::vector<std::uint8_t> bytes(255, 1);
        auto row = [&](std::u16string_view first, std::u16string_view second) {
            return std::vector<FieldCell> { { FieldCell::Kind::Text, false, {}, first },
                { FieldCell::Kind::Text, false, {}, second },
                { FieldCell::Kind::Bytes, false, bytes, {} }, {} };
        };
        struct Case {
            std::u16string first;
            std::u16string second;
            std::optional<RowError::Kind> refused;
            std::size_t column;
        };
        std::vector<Case> cases {
            { u"12345", full, std::nullopt, 0 },
            { u"123456", u"", RowError::Kind::TooLong, 0 },
            { u"\uFEFFab", u"", RowError::Kind::ByteOrderMark, 0 },
        };
        for (const Case& c : cases) {
            auto added = writer.add(row(c.first, c.second));
            EXPECT_EQ(static_cast<bool>(added), !c.refused);
            if (!added && c.refused) {
                EXPECT_EQ(added.error().kind, *c.refused);
                EXPECT_EQ(added.error().column, c.column);
            }
        }
        EXPECT_EQ(writer.rowCount(), 1u);
    }

    TEST(TableRows, MaximumSizeRowsFillOnePageEach)
    {
        TempDir dir;
        auto spool = PageSpool::create(dir.path(), 20);
        ASSERT_TRUE(spool);
        std::vector<ColumnDefinition> definition;
        for (int i = 0; i < 8; ++i)
            definition.push_back({ u"t" + std::u16string(1, static_cast<char16_t>(u'0' + i)),
                ColumnType::Text, 510, 0x02 });
        const auto layout = layoutColumns(definition);
        TableRowWriter writer(19, definition, *spool, {});
        const std::u16string full(255, u'\x0628');
        std::vector<FieldCell> cells(8, FieldCell { FieldCell::Kind::Text, false, {}, full });
        // Eight full columns make a row of 4100 bytes: too large for a page.
        EXPECT_EQ(writer.add(cells).error().kind, RowError::Kind::RowTooLarge);
        // 2 + 7 × 510 + 466 + 2 + 16 + 2 + 1: the largest row UCS-2 text reaches.
        cells[7].text = std::u16string_view(full).substr(0, 233);
        for (int i = 0; i < 300; ++i)
            ASSERT_TRUE(writer.add(cells));
        ASSERT_TRUE(writer.finish());
        EXPECT_EQ(spool->endPage() - 20, 300u);
        const Page page = readPage(*spool, 320 - 1);
        const auto rows = readDataPageRows(page);
        ASSERT_EQ(rows->size(), 1u);
        EXPECT_EQ((*rows)[0].size(), maxRowSize - 1);
        const auto values = decodeRow(layout, (*rows)[0]);
        ASSERT_TRUE(values);
        EXPECT_EQ(std::get<std::vector<std::uint8_t>>((*values)[0]),
            std::get<std::vector<std::uint8_t>>(textCell(full)));
    }

} // namespace
} // namespace bastara::jet
