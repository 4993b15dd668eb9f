#include "button/hover.h"
#include "hosted_buttons.h"
#include "platform/window/properties.h"

#include <QPointer>

namespace bastara::button_host::test {
namespace {

    class HoverTest : public HostedButtonsTest
    {
    public:
        static bool tracking(ControlHost& host)
        {
            return host.control().state().hoverTracking.isTrue();
        }
    };

    TEST_F(HoverTest, EntersOnceAndLeavesWithinATick)
    {
        ControlHost& host = addButton({ 10, 10, 60, 20 });
        show();
        takeLog();
        const QPoint centre = centreOf(host);
        for (int dx : { 0, 5, 10 })
            moveTo(centre + QPoint(dx, 0));
        EXPECT_EQ(takeLog(), "MouseOnButton(-1) draw MouseMove(0) MouseMove(0) MouseMove(0)");
        const window::WindowHandle self = host.control().hwnd();
        EXPECT_EQ(window::getProp(self, button::kHoverOwnerProperty), self);
        EXPECT_EQ(window::getProp(self, button::kHoverTimerProperty), 237);

        moveTo(kRestingPoint);
        m_clock.advance(49);
        EXPECT_EQ(takeLog(), "");
        m_clock.advance(1);
        EXPECT_EQ(takeLog(), "MouseOnButton(0) draw");
        EXPECT_FALSE(tracking(host));
        // The timer has stopped.
        m_clock.advance(500);
        EXPECT_EQ(takeLog(), "");
        EXPECT_FALSE(window::killTimer(self, 237));
    }

    // While the pointer rests on the button the ticks only look: the hover
    // look is drawn once, on entering, and a second of ticks draws nothing.
    TEST_F(HoverTest, APointerRestingOnTheButtonForASecondRedrawsNothingAfterEntering)
    {
        ControlHost& host = addButton({ 10, 10, 60, 20 });
        show();
        takeLog();
        moveTo(centreOf(host));
        EXPECT_EQ(takeLog(), "MouseOnButton(-1) draw MouseMove(0)");
        const int paintsAfterEntering = host.paintsRaised();

        // Tick by tick, letting what a tick posts run before the next.
        for (std::uint32_t elapsed = 0; elapsed < 1000; elapsed += button::kHoverPeriodMs) {
            m_clock.advance(button::kHoverPeriodMs);
            QCoreApplication::processEvents();
        }
        EXPECT_EQ(takeLog(), "");
        EXPECT_EQ(host.paintsRaised(), paintsAfterEntering);
        // The ticks were running all along: leaving is noticed by the next one.
        ASSERT_TRUE(tracking(host));
        moveTo(kRestingPoint);
        m_clock.advance(button::kHoverPeriodMs);
        EXPECT_EQ(takeLog(), "MouseOnButton(0) draw");
    }

    TEST_F(HoverTest, DraggedOutAndBackTheButtonLetsGoOfThePressedLookAndTakesItBack)
    {
        ControlHost& host = addButton({ 10, 10, 60, 20 });
        show();
        const QPoint centre = centreOf(host);
        moveTo(centre);
        takeLog();

        press(centre);
        EXPECT_EQ(takeLog(), "draw:pressed MouseDown(1)");
        moveTo({ 150, 20 });
        m_clock.advance(50);
        EXPECT_EQ(takeLog(), "MouseMove(1) MouseOnButton(0) draw");
        EXPECT_EQ(host.control().state().pressHeld, kFalse);
        moveTo(centre);
        EXPECT_EQ(takeLog(), "MouseOnButton(-1) draw:pressed MouseMove(1)");
        EXPECT_EQ(host.control().state().pressHeld, kTrue);
        release(centre);
        EXPECT_EQ(takeLog(), "draw MouseUp(1) Click");
    }

    TEST_F(HoverTest, AWindowCoveringTheButtonCountsAsOutside)
    {
        ControlHost& host = addButton({ 10, 10, 60, 20 });
        show();
        moveTo(centreOf(host));
        takeLog();
        auto* cover = new QWidget(&m_form);
        cover->setGeometry(host.geometry().adjusted(10, 0, 0, 0));
        cover->show();
        m_clock.advance(50);
        EXPECT_EQ(takeLog(), "MouseOnButton(0) draw");
    }

    TEST_F(HoverTest, AdjacentButtonsTrackWithATimerEach)
    {
        ControlHost& left = addButton({ 10, 10, 60, 20 });
        ControlHost& right = addButton({ 70, 10, 60, 20 });
        show();
        moveTo(centreOf(left));
        m_clock.advance(20);
        moveTo(centreOf(right));
        EXPECT_TRUE(tracking(left));
        EXPECT_TRUE(tracking(right));
        for (ControlHost* h : { &left, &right })
            EXPECT_EQ(window::getProp(h->control().hwnd(), button::kHoverTimerProperty), 237);
        takeLog();

        // Left's tick at 50 ends its tracking; right's ticks (70, 120) find
        // the pointer still there.
        m_clock.advance(100);
        EXPECT_EQ(takeLog(), "MouseOnButton(0) draw");
        EXPECT_FALSE(tracking(left));
        EXPECT_TRUE(tracking(right));
    }

    // The end of a button stops its hover timer: no tick reaches it later.
    TEST_F(HoverTest, AButtonThatEndsWhileTrackingStopsItsTimer)
    {
        struct Row {
            const char* name;
            void (*end)(ControlHost&);
        };
        const Row rows[] = {
            { "its form unloads", [](ControlHost& h) { h.terminate(); } },
            { "its window closes", [](ControlHost& h) { delete &h; } },
        };
        show();
        for (const Row& row : rows) {
            ControlHost& host = addButton({ 10, 10, 60, 20 });
            moveTo(centreOf(host));
            const window::WindowHandle self = host.control().hwnd();
            ASSERT_TRUE(tracking(host));
            takeLog();
            row.end(host);
            m_clock.advance(200);
            EXPECT_EQ(takeLog(), "") << row.name;
            EXPECT_FALSE(window::killTimer(self, 237)) << row.name;
            moveTo(kRestingPoint);
        }
    }

    TEST_F(HoverTest, AHandlerMayDestroyTheButtonDuringATick)
    {
        QPointer<ControlHost> host = &addButton({ 10, 10, 60, 20 });
        show();
        host->control().events().MouseOnButton = [&host, this](Bool16& on) {
            if (on.isFalse()) {
                delete host.data();
                m_log.push_back("destroyed");
            }
        };
        moveTo(centreOf(*host));
        moveTo(kRestingPoint);
        takeLog();
        m_clock.advance(200);
        EXPECT_TRUE(host.isNull());
        EXPECT_EQ(takeLog(), "destroyed");
    }

} // namespace
} // namespace bastara::button_host::test
