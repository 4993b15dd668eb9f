#include "button_test_support.h"
#include "platform/gdi/sys_colors.h"

#include <gtest/gtest.h>

namespace bastara::button {
namespace {

    using test::FakeHost;

    class ResourcesTest : public testing::Test
    {
    protected:
        void SetUp() override { test::useFormFonts(); }

        const gdi::LogFont& captionFont() { return m_button.state().bufferDC->font().logFont(); }

        gdi::ScopedSystemColors m_pinned { gdi::referenceSystemColors() };
        FakeHost m_host;
        Button m_button { m_host };
    };

    TEST_F(ResourcesTest, PointsBecomePixelsAtFifteenTwipsPerPixel)
    {
        m_button.ManageBackBuffer(kTrue);
        EXPECT_EQ(captionFont().height, -16); // 12 points

        m_host.windowFont = test::formFont(9.75, 400);
        m_button.UpdateResources("Font");
        EXPECT_EQ(captionFont().height, -13);

        // -12.5 rounds to the even neighbour.
        m_host.windowFont = test::formFont(9.375, 400);
        m_button.UpdateResources("Font");
        EXPECT_EQ(captionFont().height, -12);
    }

    TEST_F(ResourcesTest, FontFieldsFollowTheHostFont)
    {
        FontDescription font = test::formFont(12, 700);
        font.italic = true;
        font.underline = true;
        font.strikethrough = true;
        font.name = u"An unusually long face name that does not fit the field";
        m_host.windowFont = font;
        m_button.ManageBackBuffer(kTrue);
        const gdi::LogFont& lf = captionFont();
        EXPECT_EQ(lf.weight, 700);
        EXPECT_EQ(lf.italic, 1);
        EXPECT_EQ(lf.underline, 1);
        EXPECT_EQ(lf.strikeOut, 1);
        EXPECT_EQ(lf.charSet, 1);
        EXPECT_EQ(lf.faceName, font.name.substr(0, 31));
    }

    TEST_F(ResourcesTest, TopicsIgnoreCaseAndUnknownTopicsDoNothing)
    {
        m_button.ManageBackBuffer(kTrue);
        m_host.windowFont = test::formFont(9.75, 400);
        m_button.UpdateResources("fOnT");
        EXPECT_EQ(captionFont().height, -13);

        m_host.windowFont = test::formFont(24, 400);
        m_button.UpdateResources("Fonts");
        EXPECT_EQ(captionFont().height, -13);
    }

    TEST_F(ResourcesTest, WithoutABufferTheFontWaitsForIt)
    {
        m_button.UpdateResources("Font");
        EXPECT_FALSE(m_button.state().bufferOldFont);
        EXPECT_FALSE(m_button.state().bufferDC);

        // Making the buffer asks for the font again.
        m_button.ManageBackBuffer(kTrue);
        EXPECT_EQ(captionFont().height, -16);
    }

    // The font selected in a context, without keeping it alive.
    std::weak_ptr<const gdi::Font> selectedFont(gdi::DeviceContext& dc)
    {
        gdi::FontRef font = dc.selectObject(gdi::stockSystemFont());
        dc.selectObject(font);
        return font;
    }

    TEST_F(ResourcesTest, TheFirstFontIsKeptAndLaterCaptionFontsAreReleased)
    {
        m_button.ManageBackBuffer(kTrue);
        EXPECT_EQ(m_button.state().bufferOldFont, gdi::stockSystemFont());
        const std::weak_ptr<const gdi::Font> firstCaption
            = selectedFont(*m_button.state().bufferDC);
        ASSERT_FALSE(firstCaption.expired());

        m_button.UpdateResources("Font");
        EXPECT_TRUE(firstCaption.expired());
        EXPECT_EQ(m_button.state().bufferOldFont, gdi::stockSystemFont());
    }

    TEST_F(ResourcesTest, AnUnreadableHostFontKeepsTheCaptionFont)
    {
        m_button.ManageBackBuffer(kTrue);
        m_host.windowFont.reset();
        m_button.UpdateResources("Font");
        EXPECT_EQ(captionFont().height, -16);
    }

    TEST_F(ResourcesTest, BitmapPicturesReportTheirSize)
    {
        m_button.state().picture = test::solidPicture(7, 5, 0xFF);
        m_button.state().pictureIsIcon = 1;
        m_button.UpdateResources("Picture");
        EXPECT_EQ(m_button.state().pictureIsIcon, 0);
        EXPECT_EQ(m_button.state().pictureWidth, 7);
        EXPECT_EQ(m_button.state().pictureHeight, 5);
    }

    TEST_F(ResourcesTest, IconsReportTheSizeOfTheirColourImage)
    {
        m_button.state().picture
            = test::iconPicture(gdi::createBitmap(12, 10, 1, 32), gdi::createBitmap(12, 10, 1, 1));
        m_button.UpdateResources("Picture");
        EXPECT_EQ(m_button.state().pictureIsIcon, 1);
        EXPECT_EQ(m_button.state().pictureWidth, 12);
        EXPECT_EQ(m_button.state().pictureHeight, 10);
    }

    TEST_F(ResourcesTest, AnIconWithoutAColourImageCountsAsNoPicture)
    {
        m_button.state().picture = test::iconPicture(nullptr, gdi::createBitmap(16, 32, 1, 1));
        m_button.UpdateResources("Picture");
        EXPECT_EQ(m_button.state().pictureIsIcon, 1);
        EXPECT_FALSE(m_button.state().hasPicture());
    }

    TEST_F(ResourcesTest, NoPictureClearsTheSizeAndTheSizedCopy)
    {
        ButtonState& s = m_button.state();
        s.picture = test::solidPicture(7, 5, 0xFF);
        m_button.UpdateResources("Picture");
        m_button.PreparePicture(7, 5, nullptr);
        ASSERT_TRUE(s.preparedImage);

        s.picture.reset();
        m_button.UpdateResources("Picture");
        EXPECT_FALSE(s.preparedImage);
        EXPECT_EQ(s.pictureWidth, 0);
        EXPECT_EQ(s.pictureHeight, 0);
    }

    struct FaceRow {
        Look look;
        Rgb face;
        Rgb pressed;
        Rgb hover;
        Rgb checked;
    };

    class FaceColoursTest : public ResourcesTest, public testing::WithParamInterface<FaceRow>
    { };

    TEST_P(FaceColoursTest, FollowTheLook)
    {
        const FaceRow& row = GetParam();
        ButtonState& s = m_button.state();
        s.buttonStyle = row.look;
        s.backColor = OleColor(0x404040);
        s.hoverBackColor = OleColor(0xC08040);
        m_button.UpdateResources("BackColor");
        EXPECT_EQ(s.faceColor, row.face);
        EXPECT_EQ(s.pressedFaceColor, row.pressed);
        EXPECT_EQ(s.hoverFaceColor, row.hover);
        EXPECT_EQ(s.checkedFaceColor, row.checked);
    }

    INSTANTIATE_TEST_SUITE_P(Looks, FaceColoursTest,
        testing::Values(
            // Looks 0, 1, 4, 5, 6: the colours as they are, checked a light grey.
            FaceRow { Look::Classic, Rgb(0x404040), Rgb(0x404040), Rgb(0xC08040), Rgb(0xE0E0DF) },
            FaceRow {
                Look::FramedBevel, Rgb(0x404040), Rgb(0x404040), Rgb(0xC08040), Rgb(0xE0E0DF) },
            FaceRow { Look::ThinEdge, Rgb(0x404040), Rgb(0x404040), Rgb(0xC08040), Rgb(0xE0E0DF) },
            FaceRow { Look::FlatHover, Rgb(0x404040), Rgb(0x404040), Rgb(0xC08040), Rgb(0xE0E0DF) },
            FaceRow { Look::SoftBevel, Rgb(0x404040), Rgb(0x404040), Rgb(0xC08040), Rgb(0xE0E0DF) },
            // Look 2: lighter faces, pressed from the new face.
            FaceRow {
                Look::RoundedLight, Rgb(0x507070), Rgb(0x435050), Rgb(0xF1B170), Rgb(0xD6E0DF) },
            // Look 3: pressed and checked from grey, checked from the new pressed.
            FaceRow { Look::Etched, Rgb(0x404040), Rgb(0x8D8D8C), Rgb(0xC08040), Rgb(0xADADAB) },
            // Look 7.
            FaceRow {
                Look::RoundedDark, Rgb(0x5F5F5F), Rgb(0x717170), Rgb(0xE0A05F), Rgb(0x8B9190) }));

    TEST_F(ResourcesTest, LookZeroChecksInTheSameGreyWhateverTheBackColour)
    {
        ButtonState& s = m_button.state();
        s.backColor = kSystemButtonFace;
        s.hoverBackColor = kSystemButtonFace;
        m_button.UpdateResources("BackColor");
        EXPECT_EQ(s.faceColor, Rgb(0xF0F0F0));
        EXPECT_EQ(s.checkedFaceColor, Rgb(0xE0E0DF));
    }

    TEST_F(ResourcesTest, ALookOutsideTheEightKeepsTheCheckedColour)
    {
        ButtonState& s = m_button.state();
        s.checkedFaceColor = Rgb(0x010203);
        s.buttonStyle = Look(42);
        s.backColor = OleColor(0x404040);
        m_button.UpdateResources("BackColor");
        EXPECT_EQ(s.faceColor, Rgb(0x404040));
        EXPECT_EQ(s.checkedFaceColor, Rgb(0x010203));
    }

} // namespace
} // namespace bastara::button
