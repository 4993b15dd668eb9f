// The eight looks, through what they hand back to the redraw (edge colour
// slots, face state, redraw level) and a few pixels of the back buffer. Whole
// images are compared by the golden-image tests.

#include "look_fixture.h"
#include "platform/window/widget_bridge.h"

#include <QWidget>
#include <array>
#include <gtest/gtest.h>
#include <optional>

namespace bastara::button {
namespace {

    using test::kUnpainted;
    using test::kUntouched;

    using Slots = std::array<std::int32_t, 12>; // slots 1..12
    constexpr std::int32_t kNone = -1;

    Slots slotsOf(const RenderResult& result)
    {
        Slots colours;
        for (int k = 1; k <= 12; ++k)
            colours[std::size_t(k - 1)] = result.edgeColors[k];
        return colours;
    }

    // Every pixel of `inner` lies in `outer` grown by `margin`.
    bool encloses(const gdi::Rect& outer, const gdi::Rect& inner, std::int32_t margin = 0)
    {
        const gdi::Rect grown { outer.left - margin, outer.top - margin, outer.right + margin,
            outer.bottom + margin };
        return !inner.isEmpty() && grown.intersected(inner) == inner;
    }

    using LooksTest = test::LookTest;

    // Each drawn line where it crosses the middle of its side.
    void expectLinesInBuffer(const gdi::Bitmap& buffer, const Slots& colours)
    {
        for (int ring = 0; ring < 3; ++ring) {
            const int first = (2 - ring) * 4; // left, top, right, bottom
            const std::array<gdi::Point, 4> middles { gdi::Point { ring, 10 }, { 30, ring },
                { 59 - ring, 10 }, { 30, 19 - ring } };
            for (std::size_t side = 0; side < 4; ++side) {
                const std::int32_t colour = colours[std::size_t(first) + side];
                if (colour < 0)
                    continue;
                EXPECT_EQ(buffer.colorAt(middles[side].x, middles[side].y), gdi::ColorRef(colour))
                    << "ring " << ring << " side " << side;
            }
        }
    }

    // --- Every look ----------------------------------------------------------

    // A command button whose window moves for CustomClick, in its container.
    class MovingButtonTest : public LooksTest
    {
    protected:
        void SetUp() override
        {
            LooksTest::SetUp();
            m_container.resize(200, 100);
            m_window.setParent(&m_container);
            m_window.setGeometry(10, 20, 60, 20);
            m_host.handle = window::handleOf(&m_window);
            m_host.tagText = test::handleTag(window::handleOf(&m_container));
            m_button.state().customClick = ClickMovement::DownRight;
            setCaption(u"OK");
        }

        QWidget m_container;
        QWidget m_window;
    };

    TEST_F(MovingButtonTest, ALookDrawsNothingWhileTheWindowMoves)
    {
        ButtonState& s = m_button.state();
        for (int look = 0; look < kLookCount; ++look) {
            SCOPED_TRACE(look);
            s.stateFlags = kFlagsPressed | kFlagDefaultLook;
            m_window.move(10, 20);
            const RenderResult result = render(Look(look));
            ASSERT_EQ(m_window.pos(), QPoint(11, 21));
            EXPECT_EQ(result.redrawLevel, RedrawLevel::Nothing);
            EXPECT_EQ(result.faceState, FaceState::Normal);
            Slots untouched;
            untouched.fill(kUntouched);
            EXPECT_EQ(slotsOf(result), untouched);
            EXPECT_TRUE(test::boxOfChanges(buffer(), kUnpainted).isEmpty());
        }
    }

    // --- Look 0 -------------------------------------------------------------

    struct ClassicCase {
        const char* name;
        std::uint16_t flags;
        bool checkBoxChecked;
        Slots colours;
        FaceState faceState;
    };

    TEST_F(LooksTest, ClassicRingColours)
    {
        const ClassicCase cases[] = {
            { "normal at rest", 0, false,
                { kNone, kNone, kNone, kNone, 0xE9E9E9, 0xE9E9E9, 0x808080, 0x808080, 0xFFFFFF,
                    0xFFFFFF, 0, 0 },
                FaceState::Normal },
            // Black all round, white and black inside it, light and grey inside that.
            { "default at rest", kFlagDefaultLook, false,
                { 0xE9E9E9, 0xE9E9E9, 0x808080, 0x808080, 0xFFFFFF, 0xFFFFFF, 0, 0, 0, 0, 0, 0 },
                FaceState::DefaultLook },
            { "pressed default keeps its frame", kFlagsPressed | kFlagDefaultLook, false,
                { kNone, kNone, kNone, kNone, kNone, kNone, 0x808080, 0x808080, 0, 0, 0, 0 },
                FaceState::Pressed },
            // Only rings 0 and 1, sunken.
            { "checked check box", kFlagDefaultLook, true,
                { kNone, kNone, kNone, kNone, kNone, kNone, 0xE9E9E9, 0xE9E9E9, 0, 0, 0xFFFFFF,
                    0xFFFFFF },
                FaceState::LookSpecific },
        };
        for (const ClassicCase& c : cases) {
            SCOPED_TRACE(c.name);
            m_button.state().stateFlags = c.flags;
            setChecked(c.checkBoxChecked);
            const RenderResult result = render(Look::Classic);
            EXPECT_EQ(slotsOf(result), c.colours);
            EXPECT_EQ(result.faceState, c.faceState);
            expectLinesInBuffer(buffer(), c.colours);
        }
        // The checked default button's focus frame is solid black, four pixels in.
        EXPECT_EQ(at(4, 10), 0x000000u);
        EXPECT_EQ(at(30, 4), 0x000000u);
    }

    // --- Looks 1, 4 and 6: the default button is not told apart --------------

    TEST_F(LooksTest, TheDefaultButtonLooksLikeANormalOne)
    {
        for (Look look : { Look::FramedBevel, Look::ThinEdge, Look::SoftBevel }) {
            SCOPED_TRACE(static_cast<int>(look));
            m_button.state().stateFlags = 0;
            const RenderResult normal = render(look);
            m_button.state().stateFlags = kFlagDefaultLook;
            const RenderResult asDefault = render(look);
            EXPECT_EQ(slotsOf(asDefault), slotsOf(normal));
            EXPECT_EQ(asDefault.faceState, normal.faceState);
        }
    }

    // --- Looks 4 and 6: pressed and checked are one sunken edge -------------

    struct SunkenCase {
        Look look;
        std::int32_t leftTop; // of ring 0, sunken
        std::int32_t rightBottom;
    };

    TEST_F(LooksTest, PressedAndCheckedShowTheSameSunkenEdge)
    {
        const SunkenCase cases[] = {
            { Look::ThinEdge, 0x808080, 0xFFFFFF },
            { Look::SoftBevel, 0x808080, 0xE8E8E7 },
        };
        for (const SunkenCase& c : cases) {
            SCOPED_TRACE(static_cast<int>(c.look));
            setChecked(false);
            m_button.state().stateFlags = kFlagsPressed;
            const RenderResult pressed = render(c.look);
            m_button.state().stateFlags = 0;
            setChecked(true);
            const RenderResult checked = render(c.look);

            EXPECT_EQ(slotsOf(checked), slotsOf(pressed));
            EXPECT_EQ(checked.edgeColors[9], c.leftTop);
            EXPECT_EQ(checked.edgeColors[10], c.leftTop);
            EXPECT_EQ(checked.edgeColors[11], c.rightBottom);
            EXPECT_EQ(checked.edgeColors[12], c.rightBottom);
        }
    }

    // --- Look 2 --------------------------------------------------------------

    constexpr std::array<std::int32_t, 8> kBlue { 0xF0D1B5, 0xF7D7BD, 0xF0D1B5, 0xE7AE8C, 0xE7AE8C,
        0xFFDFBF, 0xE7AE8C, 0xEF826B };
    constexpr std::array<std::int32_t, 8> kOrange { 0x6BCBFF, 0x8CDBFF, 0x6BCBFF, 0x31B2FF,
        0x31B2FF, 0xA6E9FF, 0x31B2FF, 0x0096E7 };

    struct RoundedLightCase {
        const char* name;
        std::uint16_t flags;
        Bool16 showFocusRect;
        std::optional<std::array<std::int32_t, 8>> rings; // nullopt: as at rest
        FaceState faceState;
    };

    TEST_F(LooksTest, RoundedLightStateColours)
    {
        ButtonState& s = m_button.state();
        s.stateFlags = 0;
        const RenderResult rest = render(Look::RoundedLight);
        const RoundedLightCase cases[] = {
            { "default", kFlagDefaultLook, kTrue, kBlue, FaceState::DefaultLook },
            { "default without a focus frame", kFlagDefaultLook, kFalse, std::nullopt,
                FaceState::Normal },
            { "hot over the default", kFlagDefaultLook | kFlagMouseInside, kTrue, kOrange,
                FaceState::LookSpecific },
        };
        for (const RoundedLightCase& c : cases) {
            SCOPED_TRACE(c.name);
            s.stateFlags = c.flags;
            s.showFocusRect = c.showFocusRect;
            const RenderResult result = render(Look::RoundedLight);
            const Slots colours = slotsOf(result);
            const Slots expected = slotsOf(rest);
            for (std::size_t i = 0; i < 8; ++i)
                EXPECT_EQ(colours[i], c.rings ? (*c.rings)[i] : expected[i]) << "slot " << i + 1;
            EXPECT_EQ(result.faceState, c.faceState);
            // Ring 0 in the face colour, whatever the state.
            for (std::size_t i = 8; i < 12; ++i)
                EXPECT_EQ(colours[i], s.faceColor.asSigned());
        }
    }

    struct RoundedLightShapeCase {
        Shape shape;
        std::uint16_t flags;
        Bool16 hovering;
        std::optional<std::int32_t> frameColour; // nullopt: copied without a frame
    };

    TEST_F(LooksTest, RoundedLightOnOvalAndPictureShapesOnlyChoosesTheFrameColour)
    {
        const RoundedLightShapeCase cases[] = {
            { Shape::Oval, kFlagDefaultLook, kFalse, 0xEF826B },
            { Shape::OvalFramed, 0, kTrue, 0x0096E7 },
            { Shape::PictureRimmed, kFlagDefaultLook, kTrue, 0x0096E7 },
            { Shape::PictureFramed, kFlagDefaultLook, kFalse, 0xEF826B },
            { Shape::OvalPlain, 0, kFalse, std::nullopt },
        };
        ButtonState& s = m_button.state();
        for (const RoundedLightShapeCase& c : cases) {
            SCOPED_TRACE(static_cast<int>(c.shape));
            s.buttonShape = c.shape;
            s.stateFlags = c.flags;
            s.hoverTracking = c.hovering;
            const RenderResult result = render(Look::RoundedLight);
            for (int k = 1; k <= 11; ++k)
                EXPECT_EQ(result.edgeColors[k], kUntouched) << "slot " << k;
            if (c.frameColour) {
                EXPECT_EQ(result.frameColour(), *c.frameColour);
                EXPECT_TRUE(framesOutline(result.redrawLevel));
            } else {
                EXPECT_EQ(result.frameColour(), kUntouched);
                EXPECT_EQ(result.redrawLevel, RedrawLevel::Copy);
            }
            // A row of the shaded face runs edge to edge.
            EXPECT_EQ(at(0, 10), at(30, 10));
            EXPECT_EQ(at(59, 10), at(30, 10));
        }
    }

    struct CornerCase {
        Shape shape;
        bool left; // corner pixels on the left side
        bool right;
    };

    TEST_F(LooksTest, RoundedLightCornerPixelsOnlyOnUprightSides)
    {
        const CornerCase cases[] = {
            { Shape::Rectangle, true, true },
            { Shape::SlantedLeft, false, true },
            { Shape::SlantedRight, true, false },
            { Shape::Parallelogram, false, false },
        };
        ButtonState& s = m_button.state();
        s.backColor = OleColor(0x808080);
        for (const CornerCase& c : cases) {
            SCOPED_TRACE(static_cast<int>(c.shape));
            s.buttonShape = c.shape;
            m_button.BuildShapeRegions();
            render(Look::RoundedLight);
            const gdi::ColorRef face = s.faceColor.colorRef();
            EXPECT_EQ(at(1, 18) == face, c.left);
            EXPECT_EQ(at(58, 18) == face, c.right);
        }
    }

    // --- Look 3 --------------------------------------------------------------

    constexpr std::int32_t kEtchedDark = 0x676766; // 0x808080 shaded by -26

    struct EtchedCase {
        const char* name;
        bool enabled;
        ButtonMode mode;
        Bool16 value;
        Slots colours; // kUntouched stands for the face colour
        FaceState faceState;
    };

    TEST_F(LooksTest, EtchedEdgeColours)
    {
        constexpr std::int32_t F = kUntouched;
        constexpr std::int32_t D = kEtchedDark;
        constexpr std::int32_t L = 0xFFFFFF;
        const EtchedCase cases[] = {
            // Rings 1 and 2 in the face colour, ring 0 all dark grey.
            { "disabled command button", false, ButtonMode::Command, kFalse,
                { F, F, F, F, F, F, F, F, D, D, D, D }, FaceState::Normal },
            { "command button", true, ButtonMode::Command, kFalse,
                { kNone, kNone, kNone, kNone, L, L, D, D, D, D, L, L }, FaceState::DefaultLook },
            { "check box", true, ButtonMode::CheckBox, kFalse,
                { kNone, kNone, kNone, kNone, L, L, D, D, D, D, L, L }, FaceState::LookSpecific },
            { "checked check box", true, ButtonMode::CheckBox, kTrue,
                { kNone, kNone, kNone, kNone, F, F, D, D, D, D, L, L }, FaceState::Pressed },
            { "disabled check box", false, ButtonMode::CheckBox, kFalse,
                { kNone, kNone, kNone, kNone, L, L, D, D, D, D, L, L }, FaceState::LookSpecific },
        };
        ButtonState& s = m_button.state();
        for (const EtchedCase& c : cases) {
            SCOPED_TRACE(c.name);
            m_host.isEnabled = c.enabled;
            s.buttonMode = c.mode;
            s.buttonValue = c.value;
            const RenderResult result = render(Look::Etched);
            const Rgb face = c.value.isTrue() ? s.checkedFaceColor : s.faceColor;
            Slots expected = c.colours;
            for (std::int32_t& slot : expected)
                if (slot == F)
                    slot = face.asSigned();
            EXPECT_EQ(slotsOf(result), expected);
            EXPECT_EQ(result.faceState, c.faceState);
        }
    }

    // --- Picture shapes in looks 0, 1 and 3 ----------------------------------

    TEST_F(LooksTest, PictureShapesDrawNoEdgesAndAreFramedInBlack)
    {
        ButtonState& s = m_button.state();
        for (Look look : { Look::Classic, Look::FramedBevel, Look::Etched })
            for (Shape shape : { Shape::PictureFramed, Shape::PictureRimmed }) {
                SCOPED_TRACE(testing::Message()
                    << "look " << static_cast<int>(look) << " shape " << static_cast<int>(shape));
                s.buttonShape = shape;
                const RenderResult result = render(look);
                for (int k = 1; k <= 11; ++k)
                    EXPECT_EQ(result.edgeColors[k], kUntouched) << "slot " << k;
                EXPECT_EQ(result.frameColour(), 0);
                // As the shape pre-pass left it.
                EXPECT_EQ(result.redrawLevel, RedrawLevel::Frame);
                EXPECT_EQ(at(0, 10), at(30, 10));
            }
    }

    // --- Look 5 --------------------------------------------------------------

    struct FlatHoverCase {
        const char* name;
        std::uint16_t flags;
        Bool16 hovering;
        bool checked;
        std::int32_t leftTop; // ring 0
        std::int32_t rightBottom;
    };

    TEST_F(LooksTest, FlatHoverShowsAnEdgeOnlyUnderThePointerAtRunTime)
    {
        const FlatHoverCase cases[] = {
            { "at rest", 0, kFalse, false, kNone, kNone },
            { "pointer over it", kFlagMouseInside, kTrue, false, 0xFFFFFF, 0x808080 },
            { "pressed", kFlagsPressed, kTrue, false, 0x808080, 0xFFFFFF },
            { "checked", 0, kFalse, true, 0x808080, 0xFFFFFF },
        };
        ButtonState& s = m_button.state();
        for (const FlatHoverCase& c : cases) {
            SCOPED_TRACE(c.name);
            s.stateFlags = c.flags;
            s.hoverTracking = c.hovering;
            setChecked(c.checked);
            const RenderResult result = render(Look::FlatHover);
            EXPECT_EQ(slotsOf(result),
                (Slots { kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, c.leftTop,
                    c.leftTop, c.rightBottom, c.rightBottom }));
            if (c.leftTop == kNone)
                EXPECT_EQ(at(0, 10), at(30, 10));
            else
                EXPECT_EQ(at(0, 10), gdi::ColorRef(c.leftTop));
        }
    }

    struct DesignOutlineCase {
        Rgb parentBack;
        std::int32_t outline;
    };

    TEST_F(LooksTest, FlatHoverInADesignerIsOutlinedWithADottedLine)
    {
        const DesignOutlineCase cases[] = {
            { Rgb(0xC0C0C0), 0x818180 }, // the container's colour shaded by -64
            { Rgb(0x404040), 0xFFFFFF }, // which would be black: white instead
        };
        m_host.runMode = false;
        ButtonState& s = m_button.state();
        for (const DesignOutlineCase& c : cases) {
            SCOPED_TRACE(c.outline);
            s.parentBackColor = c.parentBack;
            const RenderResult result = render(Look::FlatHover);
            for (int k = 9; k <= 12; ++k)
                EXPECT_EQ(result.edgeColors[k], c.outline);
            // Dotted: the top line has gaps.
            int dots = 0;
            for (std::int32_t x = 0; x < 60; ++x)
                dots += at(x, 0) == gdi::ColorRef(c.outline) ? 1 : 0;
            EXPECT_GT(dots, 10);
            EXPECT_LT(dots, 50);
        }
    }

    TEST_F(LooksTest, FlatHoverOvalsInADesignerGetADottedEllipse)
    {
        constexpr gdi::ColorRef kEllipse = 0xA1A1A0; // 0xC0C0C0 shaded by -32
        ButtonState& s = m_button.state();
        for (Shape shape : { Shape::Oval, Shape::OvalPlain, Shape::OvalFramed })
            for (bool designMode : { true, false }) {
                SCOPED_TRACE(testing::Message() << "shape " << static_cast<int>(shape)
                                                << (designMode ? " designer" : " run time"));
                m_host.runMode = !designMode;
                s.buttonShape = shape;
                render(Look::FlatHover);
                const gdi::Rect outline = test::boxOf(buffer(), kEllipse);
                if (designMode) {
                    // The rim of the ellipse of (0, 0, W - 1, H - 1), top to bottom.
                    EXPECT_TRUE(encloses({ 0, 0, 59, 19 }, outline));
                    EXPECT_EQ(outline.top, 0);
                    EXPECT_EQ(outline.bottom, 19);
                    EXPECT_NE(at(0, 0), kEllipse);
                    // Dotted: gaps along the flat top, between its first and last dot.
                    std::int32_t first = 60;
                    std::int32_t last = -1;
                    for (std::int32_t x = 0; x < 60; ++x)
                        if (at(x, 0) == kEllipse) {
                            first = std::min(first, x);
                            last = x;
                        }
                    int gaps = 0;
                    for (std::int32_t x = first; x < last; ++x)
                        gaps += at(x, 0) != kEllipse ? 1 : 0;
                    EXPECT_GT(gaps, 0);
                } else {
                    EXPECT_TRUE(outline.isEmpty());
                }
            }
    }

    // --- Look 7 --------------------------------------------------------------

    TEST_F(LooksTest, RoundedDarkPressedWithoutGradientIsShadedFromGrey)
    {
        ButtonState& s = m_button.state();
        setCaption(u"OK");
        s.stateFlags = kFlagsPressed;
        const RenderResult result = render(Look::RoundedDark);
        EXPECT_EQ(slotsOf(result),
            (Slots { 0x616160, 0x616160, 0x808080, 0x808080, 0x414140, 0x414140, 0x717170, 0x717170,
                0, 0, 0, 0 }));
        // The caption in the face colour, on the pressed face.
        const gdi::Rect caption = test::boxOf(buffer(), s.faceColor.colorRef());
        EXPECT_TRUE(encloses(s.captionRect.translated(1, 1), caption));
        EXPECT_EQ(at(5, 10), s.pressedFaceColor.colorRef());
    }

    struct HoverForeCase {
        const char* name;
        OleColor foreColor;
        OleColor hoverForeColor;
        bool checked;
        std::optional<gdi::ColorRef> caption; // a colour only the caption shows
        std::optional<gdi::ColorRef> focus; // the solid focus frame's colour
    };

    TEST_F(LooksTest, RoundedDarkLeavesTheHoverTextColourAsItWas)
    {
        constexpr gdi::ColorRef kRed = 0x0000FF;
        ButtonState& s = m_button.state();
        setCaption(u"OK");
        s.stateFlags = kFlagMouseInside | kFlagDefaultLook;
        s.hoverTracking = kTrue;
        const HoverForeCase cases[] = {
            // Hovering shows the hover text colour itself.
            { "different colours", OleColor(0), OleColor(kRed), false, kRed, std::nullopt },
            // The raw system colour comes back, not its translation.
            { "same colours", kSystemButtonText, kSystemButtonText, false, std::nullopt,
                std::nullopt },
            // Checked: the caption keeps the face colour under the pointer; the
            // lent hover text colour frames the focus.
            { "checked", OleColor(0), OleColor(kRed), true, 0xFFFFFF, kRed },
        };
        for (const HoverForeCase& c : cases) {
            SCOPED_TRACE(c.name);
            m_host.textColour = c.foreColor;
            s.hoverForeColor = c.hoverForeColor;
            setChecked(c.checked);
            render(Look::RoundedDark);
            EXPECT_EQ(s.hoverForeColor, c.hoverForeColor);
            if (c.caption) {
                EXPECT_TRUE(encloses(s.captionRect, test::boxOf(buffer(), *c.caption), 1));
            }
            if (c.focus) {
                EXPECT_TRUE(encloses(test::boxOf(buffer(), *c.focus), s.captionRect));
            }
        }
    }

} // namespace
} // namespace bastara::button
