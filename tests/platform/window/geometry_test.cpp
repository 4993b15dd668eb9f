#include "platform/window/geometry.h"
#include "platform/window/widget_bridge.h"
#include "window_test_support.h"

#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

namespace bastara::window {
namespace {

    TEST(GeometryTest, ChildRectanglesAndPointConversion)
    {
        test::Form form;
        const WindowHandle h = handleOf(form.child.get());
        const QPoint origin = form.child->mapToGlobal(QPoint(0, 0));
        EXPECT_EQ(getWindowRect(h),
            (gdi::Rect { origin.x(), origin.y(), origin.x() + 30, origin.y() + 15 }));
        EXPECT_EQ(getClientRect(h), (gdi::Rect { 0, 0, 30, 15 }));

        gdi::Point p { origin.x() + 4, origin.y() + 5 };
        ASSERT_TRUE(screenToClient(h, p));
        EXPECT_EQ(p, (gdi::Point { 4, 5 }));
        ASSERT_TRUE(clientToScreen(h, p));
        EXPECT_EQ(p, (gdi::Point { origin.x() + 4, origin.y() + 5 }));

        // Client coordinates of the parent, as a control reads its position.
        gdi::Point topLeft { origin.x(), origin.y() };
        ASSERT_TRUE(screenToClient(handleOf(form.top.get()), topLeft));
        EXPECT_EQ(topLeft, (gdi::Point { 10, 20 }));
    }

    TEST(GeometryTest, MovingAndResizing)
    {
        test::Form form;
        const WindowHandle h = handleOf(form.child.get());
        ASSERT_TRUE(moveWindow(h, 11, 21, 40, 10, true));
        EXPECT_EQ(form.child->geometry(), QRect(11, 21, 40, 10));
        ASSERT_TRUE(setWindowPos(h, 0, 0, 5, 5, SWP_NOMOVE | SWP_NOZORDER));
        EXPECT_EQ(form.child->geometry(), QRect(11, 21, 5, 5));
        ASSERT_TRUE(setWindowPos(h, 3, 4, 0, 0, SWP_NOSIZE | SWP_HIDEWINDOW));
        EXPECT_EQ(form.child->geometry(), QRect(3, 4, 5, 5));
        EXPECT_FALSE(form.child->isVisible());
    }

    TEST(GeometryTest, TopLevelWindowRectanglesIncludeTheFrame)
    {
        test::Form form;
        const WindowHandle h = handleOf(form.top.get());
        const auto outer = getWindowRect(h);
        ASSERT_TRUE(outer);
        const QRect frame = form.top->frameGeometry();
        EXPECT_EQ(*outer,
            (gdi::Rect { frame.left(), frame.top(), frame.right() + 1, frame.bottom() + 1 }));
        EXPECT_EQ(getClientRect(h), (gdi::Rect { 0, 0, 200, 120 }));
    }

    TEST(GeometryTest, ScreenMetricsComeFromThePrimaryScreen)
    {
        const QSize size = QGuiApplication::primaryScreen()->size();
        EXPECT_EQ(getSystemMetrics(SM_CXSCREEN), size.width());
        EXPECT_EQ(getSystemMetrics(SM_CYSCREEN), size.height());
        EXPECT_GT(getSystemMetrics(SM_CXSCREEN), 0);
        EXPECT_EQ(getSystemMetrics(42), 0);
    }

    TEST(GeometryTest, InvalidWindowsFail)
    {
        gdi::Point p { 1, 2 };
        EXPECT_FALSE(getWindowRect(0));
        EXPECT_FALSE(getClientRect(0));
        EXPECT_FALSE(screenToClient(0, p));
        EXPECT_FALSE(clientToScreen(0, p));
        EXPECT_EQ(p, (gdi::Point { 1, 2 }));
        EXPECT_FALSE(moveWindow(0, 0, 0, 1, 1, false));
        EXPECT_FALSE(setWindowPos(0, 0, 0, 1, 1, 0));
    }

} // namespace
} // namespace bastara::window
