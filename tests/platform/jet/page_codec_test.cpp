#include "hex.h"
#include "platform/jet/page_codec.h"
#include "platform/jet/rc4.h"

#include <array>
#include <gtest/gtest.h>

namespace bastara::jet {
namespace {

    TEST(Rc4, TheHeaderKeyGivesThePublishedKeystream)
    {
        std::array<std::uint8_t, 16> stream {};
        Rc4 cipher(format::header::maskKey);
        cipher.apply(stream);
        EXPECT_TRUE(testing::bytesAt(stream, 0, "b5 6f 03 62 61 08 c2 55 eb a9 67 72 43 3f 00 9c"));
    }

    TEST(Rc4, ApplyingTwiceRestoresTheBytes)
    {
        std::array<std::uint8_t, 100> bytes {};
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<std::uint8_t>(i * 7);
        const auto original = bytes;
        const std::uint8_t key[] = { 1, 2, 3, 4 };
        Rc4(key).apply(bytes);
        EXPECT_NE(bytes, original);
        Rc4(key).apply(bytes);
        EXPECT_EQ(bytes, original);
    }

    TEST(PageCodec, PageZeroIsOnlyMaskedBetween0x18And0x97)
    {
        std::array<std::uint8_t, format::pageSize> page {};
        PageCodec(0x6D3EE1F9).apply(0, PageSpan { page });
        for (std::size_t i = 0; i < page.size(); ++i) {
            const bool masked = i >= 0x18 && i < 0x98;
            if (!masked) {
                ASSERT_EQ(page[i], 0) << i;
            }
        }
        EXPECT_TRUE(testing::bytesAt(page, 0x18, "b5 6f 03 62 61 08 c2 55"));
    }

    TEST(PageCodec, OtherPagesAreEncodedWithTheKeyXorThePageNumber)
    {
        const std::uint32_t key = 0x6D3EE1F9;
        std::array<std::uint8_t, format::pageSize> page {};
        page[0] = 0x01;
        page[1] = 0x01;
        PageCodec(key).apply(5, PageSpan { page });

        std::array<std::uint8_t, format::pageSize> expected {};
        expected[0] = 0x01;
        expected[1] = 0x01;
        const std::uint32_t pageKey = key ^ 5u;
        const std::uint8_t keyBytes[] = { static_cast<std::uint8_t>(pageKey),
            static_cast<std::uint8_t>(pageKey >> 8), static_cast<std::uint8_t>(pageKey >> 16),
            static_cast<std::uint8_t>(pageKey >> 24) };
        Rc4(keyBytes).apply(expected);
        EXPECT_EQ(page, expected);

        PageCodec(key).apply(5, PageSpan { page });
        EXPECT_EQ(page[0], 0x01);
        EXPECT_EQ(page[2], 0x00);
    }

    TEST(PageCodec, KeyZeroLeavesPagesPlain)
    {
        std::array<std::uint8_t, format::pageSize> page {};
        page[100] = 0x42;
        const auto original = page;
        PageCodec(0).apply(3, PageSpan { page });
        EXPECT_EQ(page, original);
    }

} // namespace
} // namespace bastara::jet
