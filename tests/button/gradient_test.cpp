// The face: gradient bands and directions, and when a look's face is flat.

#include "look_fixture.h"

#include <array>
#include <gtest/gtest.h>
#include <vector>

namespace bastara::button {
namespace {

    using test::bufferOf;
    using test::kUnpainted;

    struct BandCase {
        Rgb first;
        Rgb second;
        std::vector<std::uint32_t> bands;
    };

    TEST(GradientColorsTest, BandsStepFromTheFirstColourToTheSecond)
    {
        const BandCase cases[] = {
            // Green and blue reach 256 at the last band and are held at 255.
            { Rgb(0x000000), Rgb(0xFFFFFF), { 0x000000, 0x40403F, 0x80807F, 0xC0C0BF, 0xFFFFFF } },
            // One band: the first colour, with nothing to step by.
            { Rgb(0x123456), Rgb(0xFFFFFF), { 0x123456 } },
        };
        for (const BandCase& c : cases) {
            std::vector<Rgb> bands(c.bands.size());
            GradientColors(bands, c.first, c.second);
            std::vector<std::uint32_t> values;
            for (Rgb band : bands)
                values.push_back(band.value);
            EXPECT_EQ(values, c.bands);
        }
    }

    using FaceTest = test::LookTest;

    struct ReversalCase {
        GradientDirection forward;
        GradientDirection reverse;
        bool vertical;
    };

    TEST_F(FaceTest, TheSecondAndFourthDirectionsRunTheBandsBackwards)
    {
        const ReversalCase cases[] = {
            { GradientDirection::LeftToRight, GradientDirection::RightToLeft, false },
            { GradientDirection::TopToBottom, GradientDirection::BottomToTop, true },
        };
        const Rgb first(0x0000FF);
        const Rgb second(0xFF0000);
        for (const ReversalCase& c : cases) {
            SCOPED_TRACE(static_cast<int>(c.forward));
            const std::int32_t length = c.vertical ? 20 : 60;
            auto line = [&](GradientDirection direction) {
                m_button.painter().GradientFill(first, second, direction);
                std::vector<gdi::ColorRef> pixels;
                for (std::int32_t i = 0; i < length; ++i)
                    pixels.push_back(c.vertical ? at(30, i) : at(i, 10));
                return pixels;
            };
            const std::vector<gdi::ColorRef> forward = line(c.forward);
            std::vector<gdi::ColorRef> reverse = line(c.reverse);
            EXPECT_EQ(forward.front(), first.colorRef());
            std::reverse(reverse.begin(), reverse.end());
            EXPECT_EQ(reverse, forward);
        }
    }

    struct ThickBandCase {
        GradientDirection direction;
        std::int32_t width;
        std::int32_t height;
    };

    // Longer than a quarter of the (800-pixel) screen: bands two pixels thick.
    TEST(ThickGradientTest, TwoPixelBandsLeaveTheLastOddLineUnpainted)
    {
        const ThickBandCase cases[] = {
            { GradientDirection::TopToBottom, 10, 201 },
            { GradientDirection::LeftToRight, 201, 10 },
        };
        for (const ThickBandCase& c : cases) {
            SCOPED_TRACE(static_cast<int>(c.direction));
            test::FakeHost host(c.width, c.height);
            Button button(host);
            button.ManageBackBuffer(kTrue);
            gdi::Bitmap& buffer = bufferOf(button);
            buffer.fill(kUnpainted);
            button.painter().GradientFill(kBlack, kWhite, c.direction);

            const bool vertical = c.direction == GradientDirection::TopToBottom;
            auto at = [&](std::int32_t i) {
                return vertical ? buffer.colorAt(5, i) : buffer.colorAt(i, 5);
            };
            EXPECT_EQ(at(200), kUnpainted);
            EXPECT_NE(at(199), kUnpainted);
            EXPECT_EQ(at(199), at(198));
            EXPECT_NE(at(198), at(197));
        }
    }

    struct LastBandCase {
        const char* name;
        GradientDirection direction; // None: the rounded light look's shaded face
        gdi::Point lastBand;
    };

    // The bands are painted as DrawRectangle without an outline paints them,
    // and bufferDC is left as the last of those calls leaves it: a solid brush
    // and a solid one-pixel pen in the last band's colour.
    TEST_F(FaceTest, TheLastBandsBrushAndPenAreLeftSelected)
    {
        const LastBandCase cases[] = {
            { "left to right", GradientDirection::LeftToRight, { 59, 10 } },
            { "bottom to top, painted top down", GradientDirection::BottomToTop, { 30, 19 } },
            { "shaded rows", GradientDirection::None, { 30, 19 } },
        };
        for (const LastBandCase& c : cases) {
            SCOPED_TRACE(c.name);
            buffer().fill(kUnpainted);
            if (c.direction == GradientDirection::None) {
                m_button.state().buttonStyle = Look::RoundedLight;
                FaceState state;
                RedrawLevel level;
                std::int32_t gradient = -1;
                std::int32_t hover = -1;
                m_button.painter().PaintBackground(Rgb(0xC0A080), state, level, gradient, hover);
            } else {
                m_button.painter().GradientFill(Rgb(0x0000FF), Rgb(0xFF0000), c.direction);
            }
            const gdi::DeviceContext& dc = *m_button.painter().buffer();
            const gdi::ColorRef last = at(c.lastBand.x, c.lastBand.y);
            EXPECT_NE(last, kUnpainted);
            EXPECT_EQ(dc.brush().style(), gdi::BrushStyle::Solid);
            EXPECT_EQ(dc.brush().color(), last);
            EXPECT_EQ(dc.pen().style(), gdi::PS_SOLID);
            EXPECT_EQ(dc.pen().width(), 1);
            EXPECT_EQ(dc.pen().color(), last);
        }
    }

    // The shaded rows are kept between redraws; another face colour or
    // height makes new ones.
    TEST_F(FaceTest, TheShadedFaceFollowsItsColourAndHeight)
    {
        auto faceRows = [this](std::uint32_t backColour) {
            m_button.state().backColor = OleColor(backColour);
            render(Look::RoundedLight);
            std::vector<gdi::ColorRef> rows;
            for (std::int32_t y = 3; y < 17; ++y)
                rows.push_back(at(30, y));
            return rows;
        };
        const std::vector<gdi::ColorRef> blue = faceRows(0xE0C080);
        const std::vector<gdi::ColorRef> brown = faceRows(0x204080);
        EXPECT_NE(brown, blue);
        EXPECT_EQ(faceRows(0xE0C080), blue);

        m_host.setSizePixels(60, 30);
        render(Look::RoundedLight);
        EXPECT_NE(at(30, 25), kUnpainted);
        EXPECT_NE(at(30, 25), at(30, 16));
    }

    struct FlatFaceCase {
        const char* name;
        Shape shape;
        bool checked;
        bool flat;
    };

    TEST_F(FaceTest, CheckedAndPictureShapedButtonsNeverShowTheGradient)
    {
        const FlatFaceCase cases[] = {
            { "command button", Shape::Rectangle, false, false },
            { "checked check box", Shape::Rectangle, true, true },
            { "picture framed", Shape::PictureFramed, false, true },
            { "picture rimmed", Shape::PictureRimmed, false, true },
        };
        ButtonState& s = m_button.state();
        s.gradientMode = GradientDirection::LeftToRight;
        s.gradientColor = OleColor(0x000000);
        for (const FlatFaceCase& c : cases) {
            SCOPED_TRACE(c.name);
            s.buttonShape = c.shape;
            s.buttonMode = c.checked ? ButtonMode::CheckBox : ButtonMode::Command;
            s.buttonValue = Bool16(c.checked);
            render(Look::Classic);
            EXPECT_EQ(at(4, 10) == at(55, 10), c.flat);
        }
    }

    struct ShadedFaceCase {
        const char* name;
        bool enabled;
        ButtonMode mode;
        bool shaded;
    };

    TEST_F(FaceTest, TheRoundedLightFaceIsFlatOnlyOnADisabledCommandButton)
    {
        const ShadedFaceCase cases[] = {
            { "command button", true, ButtonMode::Command, true },
            { "disabled command button", false, ButtonMode::Command, false },
            { "disabled check box", false, ButtonMode::CheckBox, true },
        };
        for (const ShadedFaceCase& c : cases) {
            SCOPED_TRACE(c.name);
            m_host.isEnabled = c.enabled;
            m_button.state().buttonMode = c.mode;
            render(Look::RoundedLight);
            EXPECT_EQ(at(30, 4) != at(30, 15), c.shaded);
        }
    }

} // namespace
} // namespace bastara::button
