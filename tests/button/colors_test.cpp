#include "button/colors.h"
#include "platform/gdi/sys_colors.h"

#include <gtest/gtest.h>

namespace bastara::button {
namespace {

    class ColorsTest : public testing::Test
    {
    protected:
        gdi::ScopedSystemColors m_pinned { gdi::referenceSystemColors() };
    };

    TEST_F(ColorsTest, SystemColoursResolveThroughTheSystemTable)
    {
        EXPECT_EQ(TranslateColor(OleColor(0x8000000F)), Rgb(0xF0F0F0));
        EXPECT_EQ(TranslateColor(OleColor(0x80000012)), Rgb(0x000000));
        EXPECT_EQ(TranslateColor(OleColor(0x80000010)), Rgb(0xA0A0A0));
        // Only the low byte names the index.
        EXPECT_EQ(TranslateColor(OleColor(0x8000FF0F)), Rgb(0xF0F0F0));
    }

    TEST_F(ColorsTest, PlainColoursPassUnchanged)
    {
        EXPECT_EQ(TranslateColor(OleColor(0x00123456)), Rgb(0x00123456));
        EXPECT_EQ(TranslateColor(OleColor(0)), Rgb(0));
    }

    TEST_F(ColorsTest, FollowsAPinnedTable)
    {
        gdi::SystemColorTable table = gdi::referenceSystemColors();
        table[gdi::COLOR_BTNFACE] = 0x00ABCDEF;
        gdi::ScopedSystemColors other(table);
        EXPECT_EQ(TranslateColor(kSystemButtonFace), Rgb(0x00ABCDEF));
    }

    TEST(ShadeColorTest, GreenAndBlueAreScaledBeforeTheOffset)
    {
        // Red 223, green and blue 224.
        EXPECT_EQ(ShadeColor(Rgb(0xFFFFFF), -32), Rgb(0xE0E0DF));
        EXPECT_EQ(ShadeColor(Rgb(0x808080), 12), Rgb(0x8D8D8C));
        EXPECT_EQ(ShadeColor(Rgb(0x808080), -16), Rgb(0x717170));
    }

    TEST(ShadeColorTest, ProportionalBlueMovesBlueByItsOwnShare)
    {
        // Blue 256 - 42 = 214: the share truncates toward zero.
        EXPECT_EQ(ShadeColor(Rgb(0xFFFFFF), -32, ShadeFlag::ProportionalBlue), Rgb(0xD6E0DF));
        EXPECT_EQ(ShadeColor(Rgb(0x808080), 16, ShadeFlag::ProportionalBlue), Rgb(0x8B9190));
    }

    TEST(ShadeColorTest, InvertFlipsEachChannel)
    {
        EXPECT_EQ(ShadeColor(Rgb(0x123456), 0, ShadeFlag::Invert), Rgb(0xEDCBA9));
    }

    TEST(ShadeColorTest, ChannelsClampAtBothEnds)
    {
        EXPECT_EQ(ShadeColor(Rgb(0x10F0F0), 40), Rgb(0x38FFFF));
        EXPECT_EQ(ShadeColor(Rgb(0x000000), -20), Rgb(0x000000));
    }

    TEST(ShadeColorTest, AvoidingExtremesRetriesWithTheOppositeOffset)
    {
        std::int16_t shade = -20;
        EXPECT_EQ(ShadeColor(Rgb(0x000000), shade, ShadeFlag::AvoidExtremes), Rgb(0x141414));
        EXPECT_EQ(shade, 20);

        shade = 20;
        EXPECT_EQ(ShadeColor(Rgb(0xFFFFFF), shade, ShadeFlag::AvoidExtremes), Rgb(0xECECEB));
        EXPECT_EQ(shade, -20);
    }

    TEST(ShadeColorTest, AZeroOffsetOnWhiteEndsAfterTwoRetries)
    {
        // 0 gives white, 64 gives white again, -64 settles.
        std::int16_t shade = 0;
        EXPECT_EQ(ShadeColor(Rgb(0xFFFFFF), shade, ShadeFlag::AvoidExtremes), Rgb(0xC0C0BF));
        EXPECT_EQ(shade, -64);
    }

    TEST(ShadeColorTest, OffsetsTooLargeToSettleStillReturn)
    {
        // -300 keeps black black and 300 makes it white: no answer exists. The
        // third attempt is final.
        std::int16_t shade = -300;
        EXPECT_EQ(ShadeColor(Rgb(0x000000), shade, ShadeFlag::AvoidExtremes), Rgb(0x000000));
        EXPECT_EQ(shade, -300);
    }

    TEST(ShadeColorTest, WithoutAvoidingExtremesTheOffsetIsLeftAlone)
    {
        std::int16_t shade = -20;
        EXPECT_EQ(ShadeColor(Rgb(0x000000), shade), Rgb(0x000000));
        EXPECT_EQ(shade, -20);
    }

} // namespace
} // namespace bastara::button
