#include "platform/window/pointer.h"
#include "platform/window/regions.h"
#include "platform/window/widget_bridge.h"
#include "window_test_support.h"

#include <QCursor>
#include <gtest/gtest.h>

namespace bastara::window {
namespace {

    TEST(PointerTest, AFakeProviderReplacesBothQueriesAndNests)
    {
        FakePointer outer;
        outer.setPosition({ 5, 6 });
        outer.setWindowUnderPointer(77);
        FakePointer inner;
        inner.setPosition({ 100, 40 });
        inner.setWindowAt([](gdi::Point p) { return p.x > 50 ? 2 : 1; });
        {
            ScopedPointerProvider useOuter(outer);
            EXPECT_EQ(getCursorPos(), (gdi::Point { 5, 6 }));
            EXPECT_EQ(windowFromPoint({ 0, 0 }), 77);
            {
                ScopedPointerProvider useInner(inner);
                EXPECT_EQ(getCursorPos(), (gdi::Point { 100, 40 }));
                EXPECT_EQ(windowFromPoint(getCursorPos()), 2);
                EXPECT_EQ(windowFromPoint({ 3, 3 }), 1);
            }
            EXPECT_EQ(windowFromPoint({ 0, 0 }), 77);
        }
    }

    TEST(PointerTest, TheRealProviderFindsTheDeepestWindowAndHonoursRegions)
    {
        test::Form form;
        const QPoint inside = form.child->mapToGlobal(QPoint(15, 7));
        QCursor::setPos(inside);
        EXPECT_EQ(getCursorPos(), (gdi::Point { inside.x(), inside.y() }));
        EXPECT_EQ(windowFromPoint(getCursorPos()), handleOf(form.child.get()));

        // Cut the point away from the child: the parent is under it now.
        const WindowHandle child = handleOf(form.child.get());
        ASSERT_TRUE(setWindowRegion(child, gdi::createRectRegion(0, 0, 5, 5), true));
        EXPECT_EQ(windowFromPoint({ inside.x(), inside.y() }), handleOf(form.top.get()));
        const QPoint corner = form.child->mapToGlobal(QPoint(2, 2));
        EXPECT_EQ(windowFromPoint({ corner.x(), corner.y() }), child);

        EXPECT_EQ(windowFromPoint({ -5000, -5000 }), 0);
    }

} // namespace
} // namespace bastara::window
