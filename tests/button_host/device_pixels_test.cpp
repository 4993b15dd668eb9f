// The control on a screen of 1.5 device pixels per logical pixel (this
// binary scales Qt's screens by 1.5): it lays out, draws, hears the mouse and is
// hit in device pixels, and draws again when the ratio changes.

#include "../platform/window/window_test_support.h"
#include "button_host/control_host.h"
#include "platform/window/geometry.h"
#include "platform/window/regions.h"
#include "platform/window/widget_bridge.h"
#include "support/fake_host.h"

#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace bastara::button_host {
namespace {

    using window::test::runEventsUntil;

    constexpr qreal kRatio = 1.5;

    // Before main() makes the application, which reads it once.
    const bool g_screensScaled = qputenv("QT_SCALE_FACTOR", "1.5");

    // A host whose screen ratio the test changes, as a move to another
    // screen does.
    class MovableHost : public ControlHost
    {
    public:
        using ControlHost::ControlHost;
        void moveToScreenOfRatio(qreal ratio) { m_ratio = ratio; }

    protected:
        int metric(PaintDeviceMetric metric) const override
        {
            if (m_ratio && metric == PdmDevicePixelRatio)
                return int(*m_ratio);
            if (m_ratio && metric == PdmDevicePixelRatioScaled)
                return int(*m_ratio * devicePixelRatioFScale());
            return ControlHost::metric(metric);
        }

    private:
        std::optional<qreal> m_ratio;
    };

    class DevicePixelsTest : public testing::Test
    {
    protected:
        DevicePixelsTest()
        {
            m_form.resize(300, 120);
            m_host = new MovableHost(&m_form);
            m_host->move(10, 20);
            m_host->setSizePixels(100, 30); // logical, as a layout places it
            m_host->control().onHostReadProperties(); // a new button's look
            m_form.show();
        }

        void SetUp() override
        {
            ASSERT_TRUE(g_screensScaled);
            ASSERT_EQ(m_host->devicePixelRatioF(), kRatio);
        }

        QWidget m_form;
        MovableHost* m_host = nullptr; // owned by the form
    };

    TEST_F(DevicePixelsTest, TheControlMeasuresAndDrawsInDevicePixels)
    {
        EXPECT_EQ(m_host->surface().size(), (gdi::Size { 150, 45 }));
        EXPECT_EQ(m_host->services().scaleWidth(), 150.0F);
        EXPECT_EQ(m_host->services().scaleHeight(), 45.0F);
        EXPECT_EQ(m_host->services().twipsPerPixel(), 10.0);
        EXPECT_EQ(window::getClientRect(window::handleOf(m_host)), (gdi::Rect { 0, 0, 150, 45 }));

        // The classic frame is as many pixels wide as at 96 dpi: the same
        // colours at the right edge, in from the last pixel.
        button::test::FakeHost reference(150, 45);
        button::Button control(reference);
        reference.control = &control;
        control.onHostReadProperties();
        for (int x = 140; x < 150; ++x)
            EXPECT_EQ(m_host->surface().colorAt(x, 22), reference.surface->colorAt(x, 22)) << x;
    }

    TEST_F(DevicePixelsTest, MousePositionsAndHitTestsAreDevicePixels)
    {
        float reportedX = -1;
        float reportedY = -1;
        m_host->control().events().MouseDown
            = [&](std::int16_t&, std::int16_t&, float& x, float& y) {
                  reportedX = x;
                  reportedY = y;
              };
        QTest::mousePress(m_host, Qt::LeftButton, {}, QPoint(50, 10));
        EXPECT_EQ(reportedX, 75.0F);
        EXPECT_EQ(reportedY, 15.0F);
        QTest::mouseRelease(m_host, Qt::LeftButton, {}, QPoint(50, 10));

        m_host->control().setButtonShape(button::Shape::Oval);
        gdi::Region region;
        ASSERT_NE(
            window::getWindowRegion(window::handleOf(m_host), region), gdi::RegionKind::Error);
        EXPECT_EQ(region.boundingRect(), (gdi::Rect { 0, 0, 149, 44 }));
        // The region's corners are cut; its widest row reaches the edges.
        struct Case {
            QPointF logical;
            bool hit;
        };
        for (const Case& c :
            { Case { { 0.5, 0.5 }, false }, Case { { 50, 15 }, true }, Case { { 0.2, 15 }, true },
                Case { { 99.5, 29.5 }, false }, Case { { 100, 15 }, false } }) {
            EXPECT_EQ(m_host->hitButton(c.logical), c.hit) << c.logical.x() << "," << c.logical.y();
        }
    }

    TEST_F(DevicePixelsTest, AMoveByOneDevicePixelAndBackReturnsExactly)
    {
        const window::WindowHandle self = window::handleOf(m_host);
        const gdi::Rect before = *window::getWindowRect(self);
        EXPECT_EQ(before.width(), 150);
        gdi::Point topLeft { before.left, before.top };
        ASSERT_TRUE(window::screenToClient(window::handleOf(&m_form), topLeft));
        EXPECT_EQ(topLeft, (gdi::Point { 15, 30 }));

        ASSERT_TRUE(window::moveWindow(self, topLeft.x + 1, topLeft.y + 1, 150, 45, true));
        const gdi::Rect moved = *window::getWindowRect(self);
        EXPECT_EQ(moved.left, before.left + 1);
        EXPECT_EQ(moved.top, before.top + 1);
        ASSERT_TRUE(window::moveWindow(self, topLeft.x, topLeft.y, 150, 45, true));
        EXPECT_EQ(*window::getWindowRect(self), before);
        EXPECT_EQ(m_host->geometry(), QRect(10, 20, 100, 30));
    }

    TEST_F(DevicePixelsTest, AChangeOfRatioDrawsAgainAtTheNewOne)
    {
        m_host->moveToScreenOfRatio(3.0);
        m_host->update();
        ASSERT_TRUE(runEventsUntil([&] { return m_host->surfacePixelRatio() == 3.0; }));
        EXPECT_EQ(m_host->surface().size(), (gdi::Size { 300, 90 }));
        EXPECT_EQ(m_host->services().twipsPerPixel(), 5.0);
        EXPECT_NE(m_host->surface().colorAt(299, 89), m_host->surface().colorAt(150, 45))
            << "the frame is drawn at the new size";
    }

} // namespace
} // namespace bastara::button_host
