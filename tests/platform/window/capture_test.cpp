#include "platform/window/capture.h"
#include "platform/window/widget_bridge.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

namespace bastara::window {
namespace {

    TEST(CaptureTest, SetReturnsThePreviousHolderAndReleaseEndsIt)
    {
        test::Form form;
        const WindowHandle button = handleOf(form.child.get());
        const WindowHandle top = handleOf(form.top.get());
        EXPECT_EQ(getCapture(), 0);
        EXPECT_EQ(setCapture(button), 0);
        EXPECT_EQ(getCapture(), button);
        EXPECT_EQ(QWidget::mouseGrabber(), form.child.get());
        EXPECT_EQ(setCapture(top), button);
        EXPECT_EQ(getCapture(), top);
        EXPECT_TRUE(releaseCapture());
        EXPECT_EQ(getCapture(), 0);
        EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
        EXPECT_FALSE(releaseCapture());
    }

    TEST(CaptureTest, InvalidWindowsChangeNothingAndDestroyedHoldersLoseIt)
    {
        test::Form form;
        const WindowHandle button = handleOf(form.child.get());
        setCapture(button);
        EXPECT_EQ(setCapture(0), 0);
        EXPECT_EQ(getCapture(), button);
        form.child.reset();
        EXPECT_EQ(getCapture(), 0);

        QWidget hidden;
        EXPECT_EQ(setCapture(handleOf(&hidden)), 0);
        EXPECT_EQ(getCapture(), handleOf(&hidden)) << "a hidden window keeps the capture logically";
        EXPECT_TRUE(releaseCapture());
    }

} // namespace
} // namespace bastara::window
