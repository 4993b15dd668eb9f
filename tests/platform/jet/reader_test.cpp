#include "example_tables.h"
#include "platform/jet/catalog.h"
#include "platform/jet/database.h"
#include "platform/jet/reader.h"
#include "platform/jet/system_tables.h"

#include <gtest/gtest.h>
#include <random>

namespace bastara::jet {
namespace {

    std::vector<std::uint8_t> imageOf(const DatabaseContents& contents)
    {
        auto store = buildDatabase(contents);
        EXPECT_TRUE(store);
        return store ? encodedImage(*store, PageCodec(contents.databaseKey))
                     : std::vector<std::uint8_t> {};
    }

    void expectExampleTable(const DatabaseInfo& info)
    {
        ASSERT_EQ(info.tables.size(), 1u);
        const TableInfo& table = info.tables[0];
        EXPECT_EQ(table.name, testing::exampleTableName);
        EXPECT_EQ(table.firstPage, 19u);
        EXPECT_EQ(table.tableType, 0x4E);
        EXPECT_EQ(table.rowCount, 0u);
        const auto columns = testing::twelveTypeColumns();
        ASSERT_EQ(table.columns.size(), columns.size());
        for (std::size_t c = 0; c < columns.size(); ++c) {
            EXPECT_EQ(table.columns[c].name, columns[c].name) << c;
            EXPECT_EQ(table.columns[c].type, static_cast<std::uint8_t>(columns[c].type)) << c;
            EXPECT_EQ(table.columns[c].length, columns[c].length) << c;
            EXPECT_EQ(table.columns[c].number, c);
        }
        ASSERT_EQ(table.longValueMaps.size(), 1u);
        EXPECT_EQ(table.longValueMaps[0].column, 10);
    }

    TEST(Reader, RoundTripsTheExampleDatabasePlainAndEncoded)
    {
        for (std::uint32_t key : { 0u, 0x6D3EE1F9u }) {
            const auto info = readDatabase(imageOf(testing::exampleDatabase(key)));
            ASSERT_TRUE(info) << info.error().detail;
            EXPECT_EQ(info->header.databaseKey, key);
            EXPECT_EQ(info->header.creationDate, testing::exampleDate);
            EXPECT_EQ(info->pageCount, 21u);
            ASSERT_EQ(info->catalog.size(), 9u);
            EXPECT_EQ(info->catalog[4].name, u"MSysObjects");
            EXPECT_EQ(info->catalog[8].flags, 0u);
            expectExampleTable(*info);
        }
    }

    TEST(Reader, ReadsTheSystemTablesAndTheAccessRows)
    {
        const auto image = imageOf(testing::exampleDatabase());
        auto reader = DatabaseReader::open(image);
        ASSERT_TRUE(reader);
        const std::pair<std::uint32_t, std::size_t> systemTables[]
            = { { 2, 17 }, { 3, 4 }, { 4, 8 }, { 5, 8 } };
        for (const auto& [page, columns] : systemTables) {
            const auto table = reader->tableDefinition(page);
            ASSERT_TRUE(table) << page;
            EXPECT_EQ(table->tableType, 0x53);
            EXPECT_EQ(table->columns.size(), columns);
        }
        const auto objects = reader->tableDefinition(2);
        EXPECT_EQ(
            objects->logicalIndexNames, (std::vector<std::u16string> { u"Id", u"ParentIdName" }));
        EXPECT_EQ(objects->longValueMaps.size(), 7u);

        const auto aces = reader->tableDefinition(3);
        const auto rows = reader->rows(*aces);
        ASSERT_TRUE(rows);
        ASSERT_EQ(rows->size(), 18u);
        // The last two are the new table's: users, then admin; not inheritable.
        EXPECT_EQ((*rows)[16][1], CellValue(binaryCell(sids::users)));
        EXPECT_EQ((*rows)[17][1], CellValue(binaryCell(sids::admin)));
        EXPECT_EQ((*rows)[17][0], longCell(19));
        EXPECT_EQ((*rows)[17][3], CellValue(false));
        EXPECT_EQ((*rows)[4][3], CellValue(true));
    }

    TEST(Reader, ReadsWideTablesAcrossTheirContinuationPages)
    {
        DatabaseContents contents;
        contents.created = 1.0;
        contents.tables.push_back({ u"wide", 1.0, testing::wideColumns(255, 64) });
        const auto info = readDatabase(imageOf(contents));
        ASSERT_TRUE(info) << info.error().detail;
        ASSERT_EQ(info->tables.size(), 1u);
        EXPECT_EQ(info->tables[0].pages.size(), 10u);
        ASSERT_EQ(info->tables[0].columns.size(), 255u);
        EXPECT_EQ(info->tables[0].columns[254].name, testing::wideColumns(255, 64)[254].name);
    }

    TEST(Reader, RefusesFilesThatAreNotDatabases)
    {
        auto image = imageOf(testing::exampleDatabase());
        EXPECT_FALSE(readDatabase(std::span(image).first(image.size() - 1)));
        EXPECT_FALSE(readDatabase(std::span(image).first(4096 * 18)));
        EXPECT_FALSE(readDatabase({}));
        image[0x14] = 0x03;
        EXPECT_FALSE(readDatabase(image));
    }

    TEST(Reader, ALoopingTdefChainIsAnErrorNotAHang)
    {
        DatabaseContents contents;
        contents.created = 1.0;
        contents.tables.push_back({ u"wide", 1.0, testing::wideColumns(255, 64) });
        auto image = imageOf(contents);
        // Point the second TDEF page back at the first.
        image[20 * 4096 + 4] = 19;
        const auto info = readDatabase(image);
        ASSERT_FALSE(info);
        EXPECT_EQ(info.error().kind, FormatError::Kind::Malformed);
    }

    TEST(Reader, SurvivesDamagedFiles)
    {
        // Seeded mutations of valid files: the reader may refuse them but
        // must neither crash nor read out of bounds (the sanitizer build
        // checks the latter).
        DatabaseContents wide;
        wide.created = 1.0;
        wide.tables.push_back({ u"wide", 1.0, testing::wideColumns(40, 20) });
        const std::vector<std::vector<std::uint8_t>> seeds { imageOf(testing::exampleDatabase()),
            imageOf(testing::exampleDatabase(0x12345678)), imageOf(wide) };
        std::mt19937 random(20261207);
        int accepted = 0;
        for (int round = 0; round < 1500; ++round) {
            auto image = seeds[static_cast<std::size_t>(round) % seeds.size()];
            const int flips = 1 + static_cast<int>(random() % 8);
            for (int f = 0; f < flips; ++f) {
                // Mostly inside the structures that steer the reader.
                const std::size_t page
                    = random() % 2 ? 2 + random() % 3 : random() % (image.size() / 4096);
                const std::size_t at
                    = page * 4096 + (random() % 3 ? random() % 700 : random() % 4096);
                image[at] = static_cast<std::uint8_t>(random());
            }
            accepted += readDatabase(image).ok();
        }
        // Many mutations hit bytes the reader never looks at.
        EXPECT_GT(accepted, 0);
        EXPECT_LT(accepted, 1500);
    }

} // namespace
} // namespace bastara::jet
