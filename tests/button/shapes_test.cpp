// Shapes: the widening of slanted buttons, the corner cuts of the looks, and
// the one-pixel CustomClick move of a pressed command button.

#include "button_test_support.h"
#include "platform/gdi/sys_colors.h"
#include "platform/window/regions.h"
#include "platform/window/widget_bridge.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace bastara::button {
namespace {

    struct WideningCase {
        std::int32_t width;
        std::int32_t widened;
    };

    // A slant of a 19-pixel button runs 20 pixels; at least five more are left
    // upright, added five at a time.
    TEST(SlantedShapeTest, ATooNarrowButtonIsWidenedInStepsOfFive)
    {
        const WideningCase cases[] = { { 24, 29 }, { 22, 27 }, { 25, 25 } };
        for (const WideningCase& c : cases) {
            SCOPED_TRACE(c.width);
            test::FakeHost host(c.width, 19);
            Button button(host);
            host.control = &button;
            button.state().buttonShape = Shape::SlantedLeft;
            button.onHostResize();
            EXPECT_EQ(host.width, c.widened);
            EXPECT_EQ(host.height, 19);
            EXPECT_EQ(button.state().shapeLeft, 20);
            EXPECT_EQ(button.state().shapeRight, c.widened);
            EXPECT_EQ(button.state().bufferDC->bitmap().size(), (gdi::Size { c.widened, 19 }));
        }
    }

    struct CornerCutCase {
        const char* name;
        Look look;
        bool enabled;
        bool topLeft; // cut away
        bool bottomLeft;
        bool bottomRight;
        bool topRight;
    };

    TEST(CornerCutTest, FramedAndEtchedLooksCutTheirCornerPixels)
    {
        const CornerCutCase cases[] = {
            { "framed bevel", Look::FramedBevel, true, true, true, true, true },
            // Only where the etched lines change colour, and only while enabled.
            { "etched", Look::Etched, true, false, true, false, true },
            { "disabled etched", Look::Etched, false, false, false, false, false },
            { "classic", Look::Classic, true, false, false, false, false },
        };
        gdi::ScopedSystemColors pinned(gdi::referenceSystemColors());
        QWidget widget;
        widget.resize(60, 20);
        for (const CornerCutCase& c : cases) {
            SCOPED_TRACE(c.name);
            test::FakeHost host(60, 20);
            host.handle = window::handleOf(&widget);
            host.isEnabled = c.enabled;
            Button button(host);
            host.control = &button;
            button.state().buttonStyle = c.look;
            button.onHostResize();

            gdi::Region region;
            ASSERT_NE(window::getWindowRegion(host.handle, region), gdi::RegionKind::Error);
            EXPECT_EQ(!region.contains(0, 0), c.topLeft);
            EXPECT_EQ(!region.contains(0, 19), c.bottomLeft);
            EXPECT_EQ(!region.contains(59, 19), c.bottomRight);
            EXPECT_EQ(!region.contains(59, 0), c.topRight);
            // Single pixels: their neighbours stay.
            EXPECT_TRUE(region.contains(1, 0));
            EXPECT_TRUE(region.contains(0, 1));
            EXPECT_TRUE(region.contains(58, 19));
            EXPECT_TRUE(region.contains(59, 18));
        }
    }

    // The button's window inside a container whose handle its Tag holds.
    class CustomClickTest : public testing::Test
    {
    protected:
        void SetUp() override
        {
            test::useFormFonts();
            m_container.resize(200, 100);
            m_window.setParent(&m_container);
            m_window.setGeometry(10, 20, 60, 20);
            m_host.handle = window::handleOf(&m_window);
            m_host.tagText = test::handleTag(window::handleOf(&m_container));
            m_host.control = &m_button;
            m_button.state().customClick = ClickMovement::DownRight;
            m_button.onHostResize();
        }

        gdi::ScopedSystemColors m_pinned { gdi::referenceSystemColors() };
        QWidget m_container;
        QWidget m_window;
        test::FakeHost m_host { 60, 20 };
        Button m_button { m_host };
    };

    struct MoveCase {
        ButtonMode mode;
        QPoint whilePressed;
    };

    TEST_F(CustomClickTest, APressedCommandButtonMovesDownRightAndBack)
    {
        const MoveCase cases[] = {
            { ButtonMode::Command, QPoint(11, 21) },
            { ButtonMode::CheckBox, QPoint(10, 20) },
            { ButtonMode::Option, QPoint(10, 20) },
        };
        for (const MoveCase& c : cases) {
            SCOPED_TRACE(static_cast<int>(c.mode));
            m_button.state().buttonMode = c.mode;
            m_button.state().stateFlags |= kFlagsPressed;
            m_button.RedrawButton();
            EXPECT_EQ(m_window.pos(), c.whilePressed);
            EXPECT_EQ(m_window.size(), QSize(60, 20));
            // Still pressed: it stays where it went.
            m_button.RedrawButton();
            EXPECT_EQ(m_window.pos(), c.whilePressed);

            // Released: the pressed bits go, the moved bit stays for the move back.
            m_button.state().stateFlags &= std::uint16_t(~kFlagsPressed);
            m_button.RedrawButton();
            EXPECT_EQ(m_window.pos(), QPoint(10, 20));
            EXPECT_EQ(m_button.state().stateFlags & kFlagMoved, 0);
        }
    }

} // namespace
} // namespace bastara::button
