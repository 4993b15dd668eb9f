#include "button_test_support.h"

#include <gtest/gtest.h>

namespace bastara::button {
namespace {

    class PropertiesTest : public testing::Test
    {
    protected:
        test::FakeHost m_host;
        Button m_button { m_host };
    };

    TEST_F(PropertiesTest, PictureSizeReadsTheHeldPixelSize)
    {
        m_button.state().pictureSizePx = 40;
        EXPECT_EQ(m_button.PictureSize(), PictureSizing::FillButton);
        m_button.state().pictureSizePx = 24;
        EXPECT_EQ(m_button.PictureSize(), PictureSizing::Px24);
        m_button.state().pictureSizePx = 48;
        EXPECT_EQ(m_button.PictureSize(), PictureSizing::FitButton);
    }

    TEST_F(PropertiesTest, AHeldZeroReadsAsTheSmallestSizeAndBecomesIt)
    {
        EXPECT_EQ(m_button.PictureSize(), PictureSizing::Px16);
        EXPECT_EQ(m_button.state().pictureSizePx, 16);
    }

    TEST_F(PropertiesTest, FontStyleCountsEachFlagOnce)
    {
        FontDescription font = test::formFont(12, 700);
        font.underline = true;
        m_host.windowFont = font;
        EXPECT_EQ(m_button.FontStyle(), 10);

        font.weight = 400;
        font.underline = false;
        font.italic = true;
        m_host.windowFont = font;
        EXPECT_EQ(m_button.FontStyle(), 4);
    }

    TEST_F(PropertiesTest, HostHeldPropertiesComeFromTheHost)
    {
        m_host.isEnabled = false;
        EXPECT_EQ(m_button.Enabled(), kFalse);
        m_host.isEnabled = true;
        EXPECT_EQ(m_button.Enabled().value(), -1);
        m_host.textColour = OleColor(0x00ABCDEF);
        EXPECT_EQ(m_button.ForeColor(), OleColor(0x00ABCDEF));
        EXPECT_EQ(m_button.hdc(), m_host.surfaceDC.get());
    }

    TEST_F(PropertiesTest, ResetDefaultColorsAlwaysReadsFalse)
    {
        EXPECT_EQ(m_button.ResetDefaultColors(), kFalse);
    }
} // namespace
} // namespace bastara::button
