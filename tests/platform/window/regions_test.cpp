#include "platform/window/regions.h"
#include "platform/window/widget_bridge.h"

#include <QRegion>
#include <QWidget>
#include <gtest/gtest.h>

namespace bastara::window {
namespace {

    TEST(RegionsTest, TheWindowKeepsItsOwnRegionAndShapesTheWidget)
    {
        QWidget widget;
        widget.resize(20, 10);
        const WindowHandle h = handleOf(&widget);
        gdi::Region probe;
        EXPECT_EQ(getWindowRegion(h, probe), gdi::RegionKind::Error) << "no region yet";

        auto ellipse = gdi::createEllipticRegion(0, 0, 20, 10);
        ASSERT_TRUE(ellipse);
        const gdi::Region expected = *ellipse;
        ASSERT_TRUE(setWindowRegion(h, std::move(ellipse), true));
        gdi::Region copy;
        EXPECT_EQ(getWindowRegion(h, copy), gdi::RegionKind::Complex);
        EXPECT_EQ(copy, expected);
        // The widget mask holds exactly the region's pixels.
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 20; ++x)
                EXPECT_EQ(widget.mask().contains(QPoint(x, y)), expected.contains(x, y))
                    << x << "," << y;

        // Changing the copy does not change the window's region.
        gdi::offsetRegion(copy, 3, 3);
        gdi::Region again;
        getWindowRegion(h, again);
        EXPECT_EQ(again, expected);

        ASSERT_TRUE(setWindowRegion(h, std::nullopt, false));
        EXPECT_EQ(getWindowRegion(h, again), gdi::RegionKind::Error);
        EXPECT_TRUE(widget.mask().isEmpty());
    }

    TEST(RegionsTest, InvalidWindowsFail)
    {
        EXPECT_FALSE(setWindowRegion(0, gdi::createRectRegion(0, 0, 1, 1), false));
        gdi::Region r = gdi::createRectRegion(0, 0, 1, 1);
        EXPECT_EQ(getWindowRegion(0, r), gdi::RegionKind::Error);
        EXPECT_EQ(r, gdi::createRectRegion(0, 0, 1, 1));
    }

} // namespace
} // namespace bastara::window
