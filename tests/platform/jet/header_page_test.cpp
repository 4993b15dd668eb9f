#include "hex.h"
#include "platform/jet/header_page.h"
#include "platform/jet/ole_date.h"

#include <bit>
#include <gtest/gtest.h>

namespace bastara::jet {
namespace {

    // 2026-12-07 19:51, the date of the worked example.
    const double exampleDate = std::bit_cast<double>(std::uint64_t { 0x40E6A37A7B599CC6 });

    Page exampleHeader()
    {
        Page page;
        page.fill(0xCC);
        writeHeaderPage(PageSpan { page }, { 1252, 0, exampleDate });
        return page;
    }

    TEST(HeaderPage, PlainFormMatchesTheWorkedExample)
    {
        const Page page = exampleHeader();
        EXPECT_TRUE(testing::bytesAt(page, 0, R"(
            00 01 00 00 53 74 61 6e 64 61 72 64 20 4a 65 74
            20 44 42 00 01 00 00 00 00 01 00 00 01 01 00 00
            02 00 00 00 03 00 00 00 04 00 00 00 05 00 00 00
            00 00 00 00 00 00 00 00 00 00 00 00 e4 04 00 00
            00 00 1b b5 00 00 1b b5 00 00 1b b5 00 00 1b b5
            00 00 1b b5 00 00 1b b5 00 00 1b b5 00 00 1b b5
            00 00 1b b5 00 00 1b b5 00 00 a6 11 00 00 09 04
            00 00 c6 9c 59 7b 7a a3 e6 40 00 00 00 00 00 00
            00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00
            00 00 00 00 00 00 00 00 54 06 00 00 34 2e 30 00)"));
    }

    TEST(HeaderPage, TheRestIsZeroExceptTheTableAt0xE00)
    {
        const Page page = exampleHeader();
        for (std::size_t i = 0xA0; i < 0xE00; ++i)
            ASSERT_EQ(page[i], 0) << i;
        EXPECT_TRUE(testing::bytesAt(page, 0xE00, "01 01 00 01 00 01"));
        EXPECT_TRUE(testing::bytesAt(page, 0xFFC, "00 01 00 01"));
    }

    TEST(HeaderPage, MaskedBytesMatchTheWorkedExample)
    {
        Page page = exampleHeader();
        maskHeader(PageSpan { page });
        EXPECT_TRUE(testing::bytesAt(
            page, 0x18, "b5 6e 03 62 60 09 c2 55 e9 a9 67 72 40 3f 00 9c 7e 9f 90 ff 85 9a 31 c5"));
        EXPECT_TRUE(testing::bytesAt(page, 0, "00 01 00 00 53 74 61 6e"));
        EXPECT_TRUE(testing::bytesAt(page, 0x98, "54 06 00 00 34 2e 30 00"));
    }

    TEST(HeaderPage, ReadsBackWhatWasWritten)
    {
        Page page;
        writeHeaderPage(PageSpan { page }, { 1252, 0x6D3EE1F9, exampleDate });
        const auto fields = readHeaderPage(page);
        ASSERT_TRUE(fields);
        EXPECT_EQ(fields->databaseKey, 0x6D3EE1F9u);
        EXPECT_EQ(fields->codePage, 1252);
        EXPECT_EQ(fields->sortOrder, 0x0409);
        EXPECT_EQ(fields->creationDate, exampleDate);
        EXPECT_TRUE(testing::bytesAt(page, 0x3E, "f9 e1 3e 6d"));
    }

    TEST(HeaderPage, OtherHeadersAreRefused)
    {
        Page page = exampleHeader();
        page[0x14] = 0x02; // ACE 12
        EXPECT_FALSE(readHeaderPage(page));
        page = exampleHeader();
        page[0x0D] = 'A'; // "Standard ACE DB"
        EXPECT_FALSE(readHeaderPage(page));
    }

    TEST(OleDate, CountsDaysFrom1899InTheGivenZone)
    {
        EXPECT_EQ(oleDateFromUnix(0, 0, 0), 25569.0);
        EXPECT_EQ(oleDateFromUnix(0, 0, 12 * 3600), 25569.5);
        EXPECT_EQ(wholeDays(exampleDate), 46363);
        EXPECT_EQ(dateMask(exampleDate), (std::array<std::uint8_t, 4> { 0x1b, 0xb5, 0, 0 }));
        EXPECT_EQ(wholeDays(std::numeric_limits<double>::quiet_NaN()), INT32_MIN);
    }

} // namespace
} // namespace bastara::jet
