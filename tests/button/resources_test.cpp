#include "button_test_support.h"
#include "platform/gdi/sys_colors.h"

#include <gtest/gtest.h>

namespace bastara::button {
namespace {

    class ResourcesTest : public testing::Test
    {
    protected:
        void SetUp() override { test::useFormFonts(); }

        const gdi::LogFont& captionFont() { return m_button.state().bufferDC->font().logFont(); }

        void assign(PictureRef picture)
        {
            m_button.state().picture = std::move(picture);
            m_button.UpdateResources("Picture");
        }

        gdi::ScopedSystemColors m_pinned { gdi::referenceSystemColors() };
        test::FakeHost m_host;
        Button m_button { m_host };
    };

    TEST_F(ResourcesTest, PointsBecomePixelsAtFifteenTwipsPerPixel)
    {
        m_button.ManageBackBuffer(kTrue);
        EXPECT_EQ(captionFont().height, -16); // 12 points
        m_host.windowFont = test::formFont(9.75, 400);
        m_button.UpdateResources("fOnT"); // topics ignore case
        EXPECT_EQ(captionFont().height, -13);
        // -12.5 goes to the even neighbour.
        m_host.windowFont = test::formFont(9.375, 400);
        m_button.UpdateResources("Font");
        EXPECT_EQ(captionFont().height, -12);
        m_button.UpdateResources("Fonts");
        EXPECT_EQ(captionFont().height, -12);
    }

    TEST_F(ResourcesTest, FontFlagsAreOneNotMinusOneAndTheNameIsCut)
    {
        FontDescription font = test::formFont(12, 700);
        font.italic = font.underline = font.strikethrough = true;
        font.name = u"An unusually long face name that does not fit the field";
        m_host.windowFont = font;
        m_button.ManageBackBuffer(kTrue);
        const gdi::LogFont& lf = captionFont();
        EXPECT_EQ(lf.weight, 700);
        EXPECT_EQ(lf.italic + lf.underline + lf.strikeOut, 3);
        EXPECT_EQ(lf.charSet, 1);
        EXPECT_EQ(lf.faceName, font.name.substr(0, 31));
    }

    // The font selected in a context, without keeping it alive.
    std::weak_ptr<const gdi::Font> selectedFont(gdi::DeviceContext& dc)
    {
        gdi::FontRef font = dc.selectObject(gdi::stockSystemFont());
        dc.selectObject(font);
        return font;
    }

    TEST_F(ResourcesTest, TheFirstFontIsKeptAndEachCaptionFontReleasedWhenReplaced)
    {
        // Without a buffer the font waits; making the buffer asks again.
        m_button.UpdateResources("Font");
        EXPECT_FALSE(m_button.state().bufferOldFont);
        m_button.ManageBackBuffer(kTrue);
        EXPECT_EQ(m_button.state().bufferOldFont, gdi::stockSystemFont());

        const std::weak_ptr<const gdi::Font> first = selectedFont(*m_button.state().bufferDC);
        ASSERT_FALSE(first.expired());
        m_button.UpdateResources("Font");
        EXPECT_TRUE(first.expired());
        EXPECT_EQ(m_button.state().bufferOldFont, gdi::stockSystemFont());

        // A font the host cannot read leaves the caption font in place.
        m_host.windowFont.reset();
        m_button.UpdateResources("Font");
        EXPECT_EQ(captionFont().height, -16);
    }

    TEST_F(ResourcesTest, PictureKindAndSize)
    {
        ButtonState& s = m_button.state();
        s.pictureIsIcon = 1;
        assign(test::solidPicture(7, 5, 0xFF));
        EXPECT_EQ(s.pictureIsIcon, 0);
        EXPECT_EQ(s.pictureWidth, 7);
        EXPECT_EQ(s.pictureHeight, 5);

        assign(
            test::iconPicture(gdi::createBitmap(12, 10, 1, 32), gdi::createBitmap(12, 10, 1, 1)));
        EXPECT_EQ(s.pictureIsIcon, 1);
        EXPECT_EQ(s.pictureWidth, 12);
        EXPECT_EQ(s.pictureHeight, 10);

        // An icon without a colour image counts as no picture.
        assign(test::iconPicture(nullptr, gdi::createBitmap(16, 32, 1, 1)));
        EXPECT_FALSE(s.hasPicture());
    }

    TEST_F(ResourcesTest, NoPictureClearsTheSizeAndTheSizedCopy)
    {
        ButtonState& s = m_button.state();
        assign(test::solidPicture(7, 5, 0xFF));
        m_button.painter().PreparePicture(7, 5, nullptr);
        ASSERT_TRUE(s.preparedImage);
        assign(nullptr);
        EXPECT_FALSE(s.preparedImage);
        EXPECT_FALSE(s.hasPicture());
    }

    TEST_F(ResourcesTest, FaceColoursFollowTheLook)
    {
        struct Row {
            Look look;
            Rgb face, pressed, hover, checked;
        };
        const Rgb back(0x404040);
        const Rgb hover(0xC08040);
        const Row rows[] = {
            { Look::Classic, back, back, hover, Rgb(0xE0E0DF) },
            { Look::FramedBevel, back, back, hover, Rgb(0xE0E0DF) },
            { Look::ThinEdge, back, back, hover, Rgb(0xE0E0DF) },
            { Look::FlatHover, back, back, hover, Rgb(0xE0E0DF) },
            { Look::SoftBevel, back, back, hover, Rgb(0xE0E0DF) },
            // Lighter faces; pressed from the new face.
            { Look::RoundedLight, Rgb(0x507070), Rgb(0x435050), Rgb(0xF1B170), Rgb(0xD6E0DF) },
            // Pressed from grey, checked from the new pressed colour.
            { Look::Etched, back, Rgb(0x8D8D8C), hover, Rgb(0xADADAB) },
            { Look::RoundedDark, Rgb(0x5F5F5F), Rgb(0x717170), Rgb(0xE0A05F), Rgb(0x8B9190) },
        };
        ButtonState& s = m_button.state();
        s.backColor = OleColor(back.value);
        s.hoverBackColor = OleColor(hover.value);
        for (const Row& row : rows) {
            SCOPED_TRACE(int(row.look));
            s.buttonStyle = row.look;
            m_button.UpdateResources("BackColor");
            EXPECT_EQ(s.faceColor, row.face);
            EXPECT_EQ(s.pressedFaceColor, row.pressed);
            EXPECT_EQ(s.hoverFaceColor, row.hover);
            EXPECT_EQ(s.checkedFaceColor, row.checked);
        }

        // Outside the eight, the checked colour stays as it was.
        s.checkedFaceColor = Rgb(0x010203);
        s.buttonStyle = Look(42);
        m_button.UpdateResources("BackColor");
        EXPECT_EQ(s.faceColor, back);
        EXPECT_EQ(s.checkedFaceColor, Rgb(0x010203));
    }

    TEST_F(ResourcesTest, LookZeroChecksInTheSameGreyOnTheSystemFace)
    {
        ButtonState& s = m_button.state();
        s.backColor = s.hoverBackColor = kSystemButtonFace;
        m_button.UpdateResources("BackColor");
        EXPECT_EQ(s.faceColor, Rgb(0xF0F0F0));
        EXPECT_EQ(s.checkedFaceColor, Rgb(0xE0E0DF));
    }

} // namespace
} // namespace bastara::button
