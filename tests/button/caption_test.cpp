#include "button_test_support.h"
#include "platform/gdi/sys_colors.h"
#include "support/sample_renderer.h"

#include <gtest/gtest.h>

namespace bastara::button {
namespace {

    using test::bufferOf;

    constexpr gdi::ColorRef kFace = 0xC0C0C0;

    class CaptionTest : public testing::Test
    {
    protected:
        void SetUp() override
        {
            test::useFormFonts();
            m_host.windowFont = test::formFont(24, 700);
            m_host.textColour = OleColor(0x00FF0000); // blue text
            ButtonState& s = m_button.state();
            s.shapeRight = 160;
            s.captionText = u"HIH";
            s.captionAlign = CaptionAlignment::Center;
            m_button.ManageBackBuffer(kTrue);
            m_button.CalculateLayout(kFalse);
        }

        // The caption alone, on a plain face.
        gdi::Bitmap& draw(
            std::int32_t textColour = -1, Bool16 down = kFalse, Bool16 noGreyPass = kFalse)
        {
            gdi::Bitmap& buffer = bufferOf(m_button);
            buffer.fill(kFace);
            m_button.painter().DrawCaption(Rgb(kFace), textColour, down, noGreyPass);
            return buffer;
        }

        gdi::ScopedSystemColors m_pinned { gdi::referenceSystemColors() };
        test::FakeHost m_host { 160, 60 };
        Button m_button { m_host };
    };

    TEST_F(CaptionTest, FlatTextIsDrawnInTheForeColourInsideItsRectangle)
    {
        const gdi::Rect ink = test::boxOfChanges(draw(), kFace);
        const gdi::Rect caption = m_button.state().captionRect;
        EXPECT_FALSE(test::boxOf(bufferOf(m_button), 0xFF0000).isEmpty());
        EXPECT_GE(ink.left, caption.left);
        EXPECT_GE(ink.top, caption.top);
        EXPECT_LE(ink.right, caption.right);
        EXPECT_LE(ink.bottom, caption.bottom);
    }

    TEST_F(CaptionTest, EmbossedHasADarkCopyUpLeftAndALightOneDownRight)
    {
        const gdi::Rect flat = test::boxOf(draw(), 0xFF0000);
        m_button.state().captionStyle = CaptionEffect::Embossed;
        m_button.CalculateLayout(kFalse);
        gdi::Bitmap& buffer = draw();
        const gdi::Rect text = test::boxOf(buffer, 0xFF0000);
        const gdi::Rect dark = test::boxOf(buffer, ShadeColor(Rgb(kFace), -40).colorRef());
        const gdi::Rect light = test::boxOf(buffer, ShadeColor(Rgb(kFace), 40).colorRef());
        ASSERT_FALSE(dark.isEmpty());
        ASSERT_FALSE(light.isEmpty());
        EXPECT_EQ(dark.left, text.left - 1);
        EXPECT_EQ(dark.top, text.top - 1);
        EXPECT_EQ(light.right, text.right + 1);
        EXPECT_EQ(light.bottom, text.bottom + 1);
        // The block grew by two and the text is drawn one pixel into it, so
        // the text stays where the flat caption has it.
        EXPECT_EQ(text, flat);
    }

    TEST_F(CaptionTest, EngravedSwapsTheTwoCopies)
    {
        m_button.state().captionStyle = CaptionEffect::Engraved;
        m_button.CalculateLayout(kFalse);
        gdi::Bitmap& buffer = draw();
        const gdi::Rect text = test::boxOf(buffer, 0xFF0000);
        const gdi::Rect light = test::boxOf(buffer, ShadeColor(Rgb(kFace), 40).colorRef());
        const gdi::Rect dark = test::boxOf(buffer, ShadeColor(Rgb(kFace), -40).colorRef());
        EXPECT_EQ(light.left, text.left - 1);
        EXPECT_EQ(light.top, text.top - 1);
        EXPECT_EQ(dark.right, text.right + 1);
        EXPECT_EQ(dark.bottom, text.bottom + 1);
    }

    TEST_F(CaptionTest, ADisabledCaptionIsWhiteUnderAGreyCopy)
    {
        m_host.isEnabled = false;
        gdi::Bitmap& buffer = draw(-1);
        const gdi::Rect white = test::boxOf(buffer, 0xFFFFFF);
        const gdi::Rect grey = test::boxOf(buffer, 0x808080);
        ASSERT_FALSE(white.isEmpty());
        ASSERT_FALSE(grey.isEmpty());
        EXPECT_EQ(white.right, grey.right + 1);
        EXPECT_EQ(white.bottom, grey.bottom + 1);
        EXPECT_TRUE(test::boxOf(buffer, 0xFF0000).isEmpty());
    }

    TEST_F(CaptionTest, ADisabledCaptionWithItsOwnColourNeedsNoGreyPass)
    {
        m_host.isEnabled = false;
        gdi::Bitmap& buffer = draw(0x0000FF, kFalse, kTrue);
        EXPECT_FALSE(test::boxOf(buffer, 0x0000FF).isEmpty());
        EXPECT_TRUE(test::boxOf(buffer, 0x808080).isEmpty());
        EXPECT_TRUE(test::boxOf(buffer, 0xFFFFFF).isEmpty());
    }

    TEST_F(CaptionTest, HoveringUsesTheHoverTextColour)
    {
        ButtonState& s = m_button.state();
        s.hoverTracking = kTrue;
        s.hoverForeColor = OleColor(0x0000FF);
        EXPECT_FALSE(test::boxOf(draw(), 0x0000FF).isEmpty());
        // Pressed, the normal colour is back.
        s.stateFlags = kFlagsPressed;
        EXPECT_TRUE(test::boxOf(draw(), 0x0000FF).isEmpty());
    }

    TEST_F(CaptionTest, APressedCaptionMovesByOnePixel)
    {
        const gdi::Rect rest = test::boxOfChanges(draw(), kFace);
        EXPECT_EQ(test::boxOfChanges(draw(-1, kTrue), kFace), rest.translated(1, 1));

        m_button.state().buttonStyle = Look::Etched;
        EXPECT_EQ(test::boxOfChanges(draw(-1, kTrue), kFace), rest);

        m_button.state().buttonStyle = Look::Classic;
        m_button.state().buttonShape = Shape::Oval;
        EXPECT_EQ(test::boxOfChanges(draw(-1, kTrue), kFace), rest.translated(0, 1));
    }

    TEST_F(CaptionTest, ShapesAfterTheFirstOvalShowTheCaptionOnlyWhenChecked)
    {
        m_button.state().buttonShape = Shape::OvalPlain;
        EXPECT_TRUE(test::boxOfChanges(draw(), kFace).isEmpty());
        m_button.state().buttonValue = kTrue;
        EXPECT_FALSE(test::boxOfChanges(draw(), kFace).isEmpty());
    }

    TEST_F(CaptionTest, ARedrawThatChangesNoTextShapesNothing)
    {
        m_button.renderers().install(Look::Classic, test::renderSample);
        m_button.state().captionStyle = CaptionEffect::Engraved;
        m_button.CalculateLayout(kFalse);
        m_button.RedrawButton();

        const gdi::TextCacheStats before = gdi::textCacheStats();
        m_button.RedrawButton();
        m_button.state().stateFlags = kFlagsPressed; // moves the caption, same text
        m_button.RedrawButton();
        const gdi::TextCacheStats after = gdi::textCacheStats();
        EXPECT_EQ(after.misses, before.misses);
        // Three passes (two relief copies and the text) per redraw.
        EXPECT_EQ(after.hits, before.hits + 6);

        // A new caption is laid out once, then reused.
        m_button.state().captionText = u"HIHI";
        m_button.CalculateLayout(kFalse);
        m_button.RedrawButton();
        EXPECT_GT(gdi::textCacheStats().misses, after.misses);
    }

} // namespace
} // namespace bastara::button
