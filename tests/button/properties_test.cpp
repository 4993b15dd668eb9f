#include "button_test_support.h"

#include <gtest/gtest.h>

namespace bastara::button {
namespace {

    TEST(PropertiesTest, PictureSizeReadsTheHeldPixelSize)
    {
        test::FakeHost host;
        Button button(host);
        // A held 0 reads as the smallest size and becomes it.
        EXPECT_EQ(button.PictureSize(), PictureSizing::Px16);
        EXPECT_EQ(button.state().pictureSizePx, 16);
        button.state().pictureSizePx = 40;
        EXPECT_EQ(button.PictureSize(), PictureSizing::FillButton);
        button.state().pictureSizePx = 48;
        EXPECT_EQ(button.PictureSize(), PictureSizing::FitButton);
    }

    TEST(PropertiesTest, FontStyleCountsEachFlagAsItsBit)
    {
        test::FakeHost host;
        Button button(host);
        FontDescription font = test::formFont(12, 700);
        font.underline = true;
        host.windowFont = font;
        EXPECT_EQ(button.FontStyle(), 10);
        font.weight = 400;
        font.underline = false;
        font.italic = true;
        host.windowFont = font;
        EXPECT_EQ(button.FontStyle(), 4);
    }

} // namespace
} // namespace bastara::button
