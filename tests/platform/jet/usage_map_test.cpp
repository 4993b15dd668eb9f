#include "hex.h"
#include "platform/jet/data_page.h"
#include "platform/jet/page_store.h"
#include "platform/jet/usage_map.h"

#include <gtest/gtest.h>

namespace bastara::jet {
namespace {

    TEST(UsageMap, AnInlineRowHasTheTypeAStartOfZeroAndOneBitPerPage)
    {
        const auto row = inlineMapRow(PageSet { 0, 9, 17, 511 });
        ASSERT_EQ(row.size(), 69u);
        EXPECT_TRUE(testing::bytesAt(row, 0, "00 00 00 00 00 01 02 02"));
        EXPECT_EQ(row[68], 0x80);
        const auto read = readInlineMapRow(row);
        ASSERT_TRUE(read);
        EXPECT_EQ(read->pages(), (std::vector<std::uint32_t> { 0, 9, 17, 511 }));
    }

    TEST(UsageMap, PagesBeyondTheInlineRangeAreRefused)
    {
        PageSet set;
        EXPECT_TRUE(set.add(511));
        EXPECT_FALSE(set.add(512));
        EXPECT_EQ(set.pages(), std::vector<std::uint32_t> { 511 });
    }

    TEST(UsageMap, ReadingRefusesOtherMapTypesShortRowsAndOutOfRangeStarts)
    {
        auto row = inlineMapRow(PageSet { 3 });
        row[0] = 0x01;
        EXPECT_FALSE(readInlineMapRow(row));
        row = inlineMapRow(PageSet { 3 });
        EXPECT_FALSE(readInlineMapRow(std::span(row).first(40)));
        row[1] = 0xF0; // start page 240: page 243 is still fine
        EXPECT_TRUE(readInlineMapRow(row));
        row[2] = 0x10; // start page 0x10F0
        EXPECT_FALSE(readInlineMapRow(row));
    }

    TEST(UsageMap, TheGlobalMapMarksEveryPageFromTheEndOfTheFileAsFree)
    {
        Page page {};
        writeGlobalMapPage(PageSpan { page }, 19);
        // Data page, free space 3940, owner 1, two rows.
        EXPECT_TRUE(
            testing::bytesAt(page, 0, "01 01 64 0f 01 00 00 00 00 00 00 00 02 00 bb 0f 76 0f"));
        EXPECT_TRUE(testing::bytesAt(page, 4096 - 69, "00 00 00 00 00 00 00 f8 ff ff"));
        EXPECT_EQ(page[4095], 0xFF);
        for (std::size_t i = 4096 - 138; i < 4096 - 69; ++i)
            ASSERT_EQ(page[i], 0) << i;
        const auto rows = readDataPageRows(page);
        ASSERT_TRUE(rows);
        const auto free = readInlineMapRow((*rows)[0]);
        ASSERT_TRUE(free);
        EXPECT_EQ(free->pages().front(), 19u);
        EXPECT_EQ(free->pages().size(), 512u - 19u);
    }

} // namespace
} // namespace bastara::jet
