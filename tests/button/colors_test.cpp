#include "button/colors.h"
#include "platform/gdi/sys_colors.h"

#include <gtest/gtest.h>

namespace bastara::button {
namespace {

    TEST(TranslateColorTest, SystemColoursResolvePlainOnesPass)
    {
        gdi::SystemColorTable table = gdi::referenceSystemColors();
        gdi::ScopedSystemColors pinned(table);
        EXPECT_EQ(TranslateColor(OleColor(0x8000000F)), Rgb(0xF0F0F0));
        EXPECT_EQ(TranslateColor(OleColor(0x80000012)), Rgb(0x000000));
        // Only the low byte names the index.
        EXPECT_EQ(TranslateColor(OleColor(0x8000FF10)), Rgb(0xA0A0A0));
        EXPECT_EQ(TranslateColor(OleColor(0x00123456)), Rgb(0x00123456));

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
        // Channels clamp at both ends.
        EXPECT_EQ(ShadeColor(Rgb(0x10F0F0), 40), Rgb(0x38FFFF));
    }

    TEST(ShadeColorTest, ProportionalBlueAndInvert)
    {
        // Blue 256 - 42 = 214: the share truncates toward zero.
        EXPECT_EQ(ShadeColor(Rgb(0xFFFFFF), -32, ShadeFlag::ProportionalBlue), Rgb(0xD6E0DF));
        EXPECT_EQ(ShadeColor(Rgb(0x808080), 16, ShadeFlag::ProportionalBlue), Rgb(0x8B9190));
        EXPECT_EQ(ShadeColor(Rgb(0x123456), 0, ShadeFlag::Invert), Rgb(0xEDCBA9));
    }

    TEST(ShadeColorTest, AvoidingExtremesRetriesWithTheOppositeOffset)
    {
        std::int16_t shade = -20;
        EXPECT_EQ(ShadeColor(Rgb(0x000000), shade, ShadeFlag::AvoidExtremes), Rgb(0x141414));
        EXPECT_EQ(shade, 20);
        shade = 20;
        EXPECT_EQ(ShadeColor(Rgb(0xFFFFFF), shade, ShadeFlag::AvoidExtremes), Rgb(0xECECEB));
        EXPECT_EQ(shade, -20);
        // Without the flag the offset is left alone.
        shade = -20;
        EXPECT_EQ(ShadeColor(Rgb(0x000000), shade), Rgb(0x000000));
        EXPECT_EQ(shade, -20);
    }

    TEST(ShadeColorTest, RetriesEnd)
    {
        // 0 gives white, 64 white again, -64 settles.
        std::int16_t shade = 0;
        EXPECT_EQ(ShadeColor(Rgb(0xFFFFFF), shade, ShadeFlag::AvoidExtremes), Rgb(0xC0C0BF));
        EXPECT_EQ(shade, -64);
        // -300 keeps black black and 300 makes it white: no answer exists, and
        // the third attempt is final.
        shade = -300;
        EXPECT_EQ(ShadeColor(Rgb(0x000000), shade, ShadeFlag::AvoidExtremes), Rgb(0x000000));
        EXPECT_EQ(shade, -300);
    }

} // namespace
} // namespace bastara::button
