#include "example_tables.h"
#include "hex.h"
#include "platform/jet/data_page.h"
#include "platform/jet/database.h"
#include "platform/jet/reader.h"
#include "platform/jet/system_tables.h"

#include <gtest/gtest.h>

namespace bastara::jet {
namespace {

    std::uint8_t pageType(const PageStore& store, std::uint32_t page)
    {
        return store.page(page)[0];
    }

    std::uint32_t u32At(std::span<const std::uint8_t> bytes, std::size_t at)
    {
        return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16
            | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
    }

    TEST(Database, AnEmptyDatabaseHasNineteenPagesInTheEnginesOrder)
    {
        DatabaseContents contents;
        contents.created = testing::exampleDate;
        auto store = buildDatabase(contents);
        ASSERT_TRUE(store);
        ASSERT_EQ(store->pageCount(), 19u);
        const std::uint8_t expectedTypes[19]
            = { 0, 1, 2, 2, 2, 2, 1, 4, 4, 1, 4, 1, 4, 1, 4, 4, 4, 1, 1 };
        for (std::uint32_t page = 0; page < 19; ++page) {
            EXPECT_EQ(pageType(*store, page), expectedTypes[page]) << page;
            if (page > 0) {
                EXPECT_EQ(store->page(page)[1], 0x01) << page;
            }
        }
        // Owners: page 1 → 1, usage maps → 0, rows of MSysObjects → 2, MSysACEs → 3.
        EXPECT_EQ(u32At(store->page(1), 4), 1u);
        EXPECT_EQ(u32At(store->page(6), 4), 0u);
        EXPECT_EQ(u32At(store->page(17), 4), 2u);
        EXPECT_EQ(u32At(store->page(18), 4), 3u);
        EXPECT_EQ(u32At(store->page(10), 4), 3u);
        EXPECT_TRUE(testing::bytesAt(store->page(1), 4096 - 69, "00 00 00 00 00 00 00 f8 ff"));
        // Rows: 18 maps of MSysObjects, 8 catalog rows, 16 access rows.
        EXPECT_EQ(store->page(6)[12], 18);
        EXPECT_EQ(store->page(9)[12], 3);
        EXPECT_EQ(store->page(11)[12], 5);
        EXPECT_EQ(store->page(13)[12], 5);
        EXPECT_EQ(store->page(17)[12], 8);
        EXPECT_EQ(store->page(18)[12], 16);
        // Empty leaves say 3616 bytes free.
        EXPECT_TRUE(testing::bytesAt(store->page(12), 0, "04 01 20 0e 04 00 00 00"));
    }

    TEST(Database, ATableAddsItsTdefAndUsageMapPageAndCatalogEntries)
    {
        auto store = buildDatabase(testing::exampleDatabase());
        ASSERT_TRUE(store);
        ASSERT_EQ(store->pageCount(), 21u);
        EXPECT_EQ(pageType(*store, 19), 0x02);
        EXPECT_EQ(pageType(*store, 20), 0x01);
        // Usage-map page: 2 rows for the table and 2 for its Memo column, all empty.
        EXPECT_EQ(store->page(20)[12], 4);
        EXPECT_EQ(u32At(store->page(20), 4), 0u);
        // Global map: pages from 21 on are free.
        EXPECT_TRUE(testing::bytesAt(store->page(1), 4096 - 69 + 5, "00 00 e0 ff"));
        // MSysObjects: 9 rows, its TDEF and both index counts say so; MSysACEs: 18.
        EXPECT_EQ(store->page(17)[12], 9);
        EXPECT_EQ(u32At(store->page(2), 16), 9u);
        EXPECT_EQ(u32At(store->page(2), 63 + 4), 9u);
        EXPECT_EQ(u32At(store->page(2), 63 + 12 + 4), 9u);
        EXPECT_EQ(store->page(18)[12], 18);
        EXPECT_EQ(u32At(store->page(3), 16), 18u);
        EXPECT_EQ(u32At(store->page(3), 63 + 4), 18u);
    }

    TEST(Database, EncodedPagesDecodeToThePlainOnes)
    {
        auto plain = buildDatabase(testing::exampleDatabase(0));
        auto encoded = buildDatabase(testing::exampleDatabase(0x6D3EE1F9));
        ASSERT_TRUE(plain && encoded);
        const auto image = encodedImage(*encoded, PageCodec(0x6D3EE1F9));
        ASSERT_EQ(image.size(), 21u * 4096u);
        for (std::uint32_t page = 1; page < 21; ++page) {
            const auto raw = std::span(image).subspan(page * 4096, 4096);
            EXPECT_FALSE(raw[1] == 0x01 && (raw[0] == 0x01 || raw[0] == 0x02 || raw[0] == 0x04))
                << page;
            Page decoded;
            std::copy(raw.begin(), raw.end(), decoded.begin());
            PageCodec(0x6D3EE1F9).apply(page, PageSpan { decoded });
            const auto expected = plain->page(page);
            EXPECT_TRUE(std::equal(decoded.begin(), decoded.end(), expected.begin())) << page;
        }
        // Page 0 differs only in the key.
        EXPECT_EQ(u32At(encoded->page(0), 0x3E), 0x6D3EE1F9u);
    }

    TEST(Database, ManyLongValueColumnsSpreadTheirMapsOverMorePages)
    {
        DatabaseContents contents;
        contents.created = 1.0;
        std::vector<UserColumn> columns;
        for (int i = 0; i < 60; ++i)
            columns.push_back({ u"m" + std::u16string(1, static_cast<char16_t>(u'A' + i / 26))
                    + std::u16string(1, static_cast<char16_t>(u'a' + i % 26)),
                ColumnType::Memo, 0 });
        contents.tables.push_back({ u"notes", 1.0, columns });
        auto plan = planDatabase(contents);
        ASSERT_TRUE(plan);
        // 2 + 120 map rows at 56 per page.
        EXPECT_EQ(plan->tables[0].usageMaps, (std::vector<std::uint32_t> { 20, 21, 22 }));
        auto store = buildDatabase(contents);
        ASSERT_TRUE(store);
        EXPECT_EQ(store->page(20)[12], 56);
        EXPECT_EQ(store->page(21)[12], 56);
        EXPECT_EQ(store->page(22)[12], 10);
        const auto image = encodedImage(*store, PageCodec(0));
        const auto reader = DatabaseReader::open(image);
        ASSERT_TRUE(reader);
        const auto table = reader->tableDefinition(19);
        ASSERT_TRUE(table);
        ASSERT_EQ(table->longValueMaps.size(), 60u);
        // Column 27 is the 28th long value: pair 28, the first row pair of page 21.
        EXPECT_EQ(table->longValueMaps[27].ownedMap, format::pageRowPointer(21, 0));
        EXPECT_EQ(table->longValueMaps[27].freeMap, format::pageRowPointer(21, 1));
        EXPECT_EQ(table->longValueMaps[59].freeMap, format::pageRowPointer(22, 9));
    }

    TEST(Database, TableNamesMustHaveKeysAndBeUniqueUnderTheGeneralSort)
    {
        DatabaseContents contents = testing::exampleDatabase();
        contents.tables.push_back({ u"msysobjects", 1.0, { { u"a", ColumnType::Long, 4 } } });
        auto clash = buildDatabase(contents);
        ASSERT_FALSE(clash);
        EXPECT_EQ(clash.error().kind, FormatError::Kind::InvalidDefinition);

        contents.tables.back().name
            = u"\u062C\u0640\u062F\u0648\u0644"; // the example name plus a tatweel
        EXPECT_FALSE(buildDatabase(contents));

        contents.tables.back().name = u"\u4E2D\u6587";
        auto noKey = buildDatabase(contents);
        ASSERT_FALSE(noKey);
        EXPECT_EQ(noKey.error().kind, FormatError::Kind::NameWithoutSortKey);
    }

    TEST(Database, TheCatalogFillsUpWithAClearError)
    {
        DatabaseContents contents;
        contents.created = 1.0;
        for (int i = 0; i < 40; ++i) {
            std::u16string name = u"t" + std::u16string(1, static_cast<char16_t>(u'a' + i / 26))
                + std::u16string(1, static_cast<char16_t>(u'a' + i % 26));
            name.resize(64, u'\u0628');
            contents.tables.push_back({ name, 1.0, { { u"a", ColumnType::Long, 4 } } });
        }
        auto full = buildDatabase(contents);
        ASSERT_FALSE(full);
        EXPECT_EQ(full.error().kind, FormatError::Kind::CatalogFull);
    }

} // namespace
} // namespace bastara::jet
