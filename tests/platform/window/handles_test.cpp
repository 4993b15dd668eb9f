#include "platform/window/capture.h"
#include "platform/window/handles.h"
#include "platform/window/properties.h"
#include "platform/window/regions.h"
#include "platform/window/timers.h"
#include "platform/window/widget_bridge.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

namespace bastara::window {
namespace {

    TEST(HandlesTest, HandlesArePositiveStableAndMapBackToTheirWidget)
    {
        QWidget a;
        QWidget b;
        const WindowHandle ha = handleOf(&a);
        EXPECT_GT(ha, 0);
        EXPECT_EQ(handleOf(&a), ha);
        EXPECT_NE(handleOf(&b), ha);
        EXPECT_EQ(widgetOf(ha), &a);
        EXPECT_TRUE(isWindow(ha));
        EXPECT_EQ(handleOf(nullptr), 0);
        EXPECT_EQ(widgetOf(0), nullptr);
        EXPECT_FALSE(isWindow(987654));
    }

    TEST(HandlesTest, ADestroyedWidgetsHandleBecomesInvalidAndIsNeverReused)
    {
        auto widget = std::make_unique<QWidget>();
        const WindowHandle old = handleOf(widget.get());
        widget.reset();
        EXPECT_FALSE(isWindow(old));
        EXPECT_EQ(widgetOf(old), nullptr);
        // Even a widget at the same address gets a new number.
        for (int i = 0; i < 8; ++i) {
            auto next = std::make_unique<QWidget>();
            EXPECT_NE(handleOf(next.get()), old);
        }
    }

    TEST(HandlesTest, EverythingAttachedToAWindowGoesWithIt)
    {
        test::Form form;
        const WindowHandle h = handleOf(form.child.get());
        ASSERT_TRUE(setProp(h, "kz_TimerID", 237));
        int ticks = 0;
        ASSERT_TRUE(setTimer(h, 237, 10, [&](WindowHandle, TimerId) { ++ticks; }));
        ASSERT_TRUE(setWindowRegion(h, gdi::createRectRegion(0, 0, 5, 5), false));
        setCapture(h);
        form.child.reset();
        EXPECT_FALSE(getProp(h, "kz_TimerID"));
        EXPECT_FALSE(killTimer(h, 237));
        gdi::Region region;
        EXPECT_EQ(getWindowRegion(h, region), gdi::RegionKind::Error);
        EXPECT_EQ(getCapture(), 0);
        test::runEventsFor(60);
        EXPECT_EQ(ticks, 0);
    }

    TEST(HandlesTest, ParentsAndTagText)
    {
        test::Form form;
        EXPECT_EQ(getParent(handleOf(form.child.get())), handleOf(form.top.get()));
        EXPECT_EQ(getParent(handleOf(form.top.get())), 0);
        EXPECT_EQ(getParent(0), 0);

        const WindowHandle h = handleOf(form.child.get());
        EXPECT_EQ(parseWindowHandle(windowHandleText(h)), h);
        EXPECT_EQ(parseWindowHandle("42"), 42);
        for (const char* bad : { "", "0", "-3", "12x", " 12", "99999999999", "1.5" })
            EXPECT_FALSE(parseWindowHandle(bad)) << bad;
    }

} // namespace
} // namespace bastara::window
