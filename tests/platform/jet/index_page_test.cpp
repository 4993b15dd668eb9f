#include "example_tables.h"
#include "hex.h"
#include "platform/jet/catalog.h"
#include "platform/jet/index_page.h"
#include "platform/jet/system_tables.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace bastara::jet {
namespace {

    std::vector<CatalogObject> catalogWithExampleTable()
    {
        auto objects = baseCatalogObjects(testing::exampleDate);
        objects.push_back(userTableObject(19, testing::exampleTableName, testing::exampleDate));
        return objects;
    }

    TEST(IndexLeaf, LongKeysFlipTheSignBit)
    {
        EXPECT_EQ(longKey(2), testing::hexBytes("7f 80 00 00 02"));
        EXPECT_EQ(longKey(0x0F000001), testing::hexBytes("7f 8f 00 00 01"));
        EXPECT_EQ(longKey(-1), testing::hexBytes("7f 7f ff ff ff"));
    }

    TEST(IndexLeaf, TheIdIndexAfterAddingATableMatchesTheWorkedExample)
    {
        Page page {};
        ASSERT_TRUE(writeIndexLeaf(PageSpan { page }, pages::objectsTable,
            idEntries(catalogWithExampleTable(), pages::objectsData)));
        EXPECT_TRUE(testing::bytesAt(page, 0, "04 01"));
        EXPECT_EQ(page[2] | page[3] << 8, 4096 - 0x1E0 - 81);
        EXPECT_TRUE(testing::bytesAt(page, 4, "02 00 00 00"));
        EXPECT_TRUE(testing::bytesAt(page, 0x1E0, R"(
            7f 80 00 00 02 00 00 11 04
            7f 80 00 00 03 00 00 11 05
            7f 80 00 00 04 00 00 11 06
            7f 80 00 00 05 00 00 11 07
            7f 80 00 00 13 00 00 11 08
            7f 8f 00 00 01 00 00 11 00
            7f 8f 00 00 02 00 00 11 01
            7f 8f 00 00 03 00 00 11 02
            7f 90 00 00 00 00 00 11 03)"));
        // Entry ends at 9, 18, ... 81.
        for (std::size_t bit = 0; bit < 453 * 8; ++bit) {
            const bool set = page[0x1B + bit / 8] >> (bit % 8) & 1;
            ASSERT_EQ(set, bit > 0 && bit <= 81 && bit % 9 == 0) << bit;
        }
    }

    TEST(IndexLeaf, ANewTableSortsAfterTheSystemTablesInParentIdName)
    {
        const auto entries = parentIdNameEntries(catalogWithExampleTable(), pages::objectsData);
        ASSERT_TRUE(entries);
        Page page {};
        ASSERT_TRUE(writeIndexLeaf(PageSpan { page }, pages::objectsTable, *entries));
        const auto entry = testing::hexBytes(
            "7f 8f 00 00 01 7f 79 b0 79 b4 79 c9 79 c5 01 08 08 08 08 00 00 00 11 08");
        const auto found
            = std::search(page.begin() + 0x1E0, page.end(), entry.begin(), entry.end());
        ASSERT_NE(found, page.end());
        const auto at = static_cast<std::size_t>(found - page.begin());
        // After MSysRelationships (row 7), before MSysDb under the Databases container.
        EXPECT_TRUE(testing::bytesAt(page, at - 4, "00 00 11 07"));
        EXPECT_TRUE(testing::bytesAt(page, at + entry.size(), "7f 8f 00 00 02 7f"));
        EXPECT_TRUE(testing::bytesAt(
            page, at + entry.size(), "7f 8f 00 00 02 7f 60 6b 76 6b 4f 4c 01 00 00 00 11 03"));
        EXPECT_EQ(at + entry.size() + 18, 0x1E0 + indexEntriesLength(*entries));
        // The first entries are the containers, under parent 0x0F000000.
        EXPECT_TRUE(testing::bytesAt(page, 0x1E0, "7f 8f 00 00 00 7f"));
    }

    TEST(IndexLeaf, EqualKeysAreOrderedByRowPointer)
    {
        Page page {};
        const std::vector<IndexEntry> entries { { longKey(5), 18, 9 }, { longKey(5), 18, 2 },
            { longKey(4), 18, 12 } };
        ASSERT_TRUE(writeIndexLeaf(PageSpan { page }, pages::acesTable, entries));
        EXPECT_TRUE(testing::bytesAt(page, 0x1E0,
            "7f 80 00 00 04 00 00 12 0c 7f 80 00 00 05 00 00 12 02 7f 80 00 00 05 00 00 12 09"));
    }

    TEST(IndexLeaf, EntriesBeyondOneLeafAreRefused)
    {
        Page page {};
        std::vector<IndexEntry> entries;
        for (std::int32_t i = 0; i < 402; ++i) // 402 × 9 = 3618 > 3616
            entries.push_back({ longKey(i), 17, 0 });
        const auto written = writeIndexLeaf(PageSpan { page }, 2, entries);
        ASSERT_FALSE(written);
        EXPECT_EQ(written.error().kind, FormatError::Kind::CatalogFull);
        entries.pop_back();
        EXPECT_TRUE(writeIndexLeaf(PageSpan { page }, 2, entries));
        EXPECT_EQ(page[2] | page[3] << 8, 3616 - 401 * 9);
    }

} // namespace
} // namespace bastara::jet
