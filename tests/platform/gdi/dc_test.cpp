#include "gdi_test_support.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/draw.h"

#include <gtest/gtest.h>

namespace bastara::gdi {
namespace {

    TEST(DcTest, NewMemoryContextHasThePlatformDefaults)
    {
        auto dc = createCompatibleDC(nullptr);
        EXPECT_EQ(dc->kind(), DcKind::Memory);
        EXPECT_TRUE(dc->bitmap().isMonochrome());
        EXPECT_EQ(dc->bitmap().size(), (Size { 1, 1 }));
        EXPECT_EQ(dc->textColor(), 0u);
        EXPECT_EQ(dc->bkColor(), 0xFFFFFFu);
        EXPECT_EQ(dc->bkMode(), OPAQUE);
        EXPECT_EQ(dc->stretchBltMode(), BLACKONWHITE);
        EXPECT_EQ(dc->pen().style(), PS_SOLID);
        EXPECT_EQ(dc->pen().color(), 0u);
        EXPECT_EQ(dc->brush().style(), BrushStyle::Solid);
        EXPECT_EQ(dc->brush().color(), 0xFFFFFFu);
        EXPECT_FALSE(dc->clipRegion());
        EXPECT_EQ(dc->currentPosition(), (Point { 0, 0 }));
        EXPECT_EQ(dc->mapMode(), MM_TEXT);
        EXPECT_EQ(dc->setMapMode(MM_TEXT), MM_TEXT);
    }

    TEST(DcTest, CompatibleBitmapsFollowTheSelectedBitmapOrTheDisplay)
    {
        auto memory = createCompatibleDC(nullptr);
        EXPECT_TRUE(createCompatibleBitmap(*memory, 8, 8)->isMonochrome());
        memory->selectObject(createBitmap(2, 2, 1, 32));
        EXPECT_FALSE(createCompatibleBitmap(*memory, 8, 8)->isMonochrome());
        auto screen = createScreenDC();
        EXPECT_EQ(screen->kind(), DcKind::Display);
        EXPECT_FALSE(createCompatibleBitmap(*screen, 8, 8)->isMonochrome());
        EXPECT_FALSE(createCompatibleBitmap(*screen, -1, 8));
        EXPECT_EQ(createCompatibleBitmap(*screen, 0, 0)->size(), (Size { 0, 0 }));
        EXPECT_FALSE(createDisplayDC(Bitmap::create(4, 4, PixelFormat::Mono1)));
        // Drawing into the surface-less screen context touches nothing.
        EXPECT_EQ(setPixel(*screen, 0, 0, 0), CLR_INVALID);
    }

    TEST(DcTest, SelectObjectReturnsThePreviousObjectAndRefusesNull)
    {
        auto dc = createCompatibleDC(nullptr);
        const PenRef red = createPen(PS_SOLID, 1, 0x0000FF);
        const PenRef original = dc->selectObject(red);
        ASSERT_TRUE(original);
        EXPECT_EQ(dc->selectObject(PenRef()), nullptr);
        EXPECT_EQ(&dc->pen(), red.get());
        EXPECT_EQ(dc->selectObject(original), red);

        // An object dropped while selected lives until it is deselected.
        std::weak_ptr<const Brush> watch;
        {
            BrushRef brush = createSolidBrush(0x123456);
            watch = brush;
            dc->selectObject(brush);
        }
        EXPECT_FALSE(watch.expired());
        dc->selectObject(stockBlackBrush());
        EXPECT_TRUE(watch.expired());

        EXPECT_EQ(dc->selectObject(BitmapRef()), nullptr);
        EXPECT_EQ(dc->selectObject(FontRef()), nullptr);
        EXPECT_FALSE(createPen(9, 1, 0));
        EXPECT_FALSE(createBitmap(4, 4, 1, 8));
        EXPECT_FALSE(createBitmap(4, 4, 2, 1));
    }

    TEST(DcTest, ScopedSelectionPutsThePreviousObjectBack)
    {
        auto dc = createCompatibleDC(nullptr);
        const Brush* before = &dc->brush();
        {
            ScopedSelection brush(*dc, createSolidBrush(0x808080));
            EXPECT_TRUE(brush.selected());
            EXPECT_EQ(dc->brush().color(), 0x808080u);
        }
        EXPECT_EQ(&dc->brush(), before);
        {
            ScopedSelection failed(*dc, BrushRef());
            EXPECT_FALSE(failed.selected());
        }
        EXPECT_EQ(&dc->brush(), before);
    }

    TEST(DcTest, SaveAndRestoreCoverColoursObjectsAndClip)
    {
        auto dc = createCompatibleDC(nullptr);
        const int first = dc->saveDC();
        EXPECT_EQ(first, 1);
        dc->setTextColor(0x111111);
        dc->selectClipRegion(createRectRegion(0, 0, 1, 1));
        const int second = dc->saveDC();
        dc->setTextColor(0x222222);
        dc->selectObject(createPen(PS_DOT, 1, 0));
        dc->selectClipRegion(std::nullopt);
        EXPECT_TRUE(dc->restoreDC(-1));
        EXPECT_EQ(dc->textColor(), 0x111111u);
        EXPECT_EQ(dc->pen().style(), PS_SOLID);
        EXPECT_TRUE(dc->clipRegion());
        EXPECT_FALSE(dc->restoreDC(second));
        EXPECT_TRUE(dc->restoreDC(first));
        EXPECT_EQ(dc->textColor(), 0u);
        EXPECT_FALSE(dc->clipRegion());
        EXPECT_FALSE(dc->restoreDC(-1));
        {
            ScopedSavedState saved(*dc);
            dc->setBkMode(TRANSPARENT);
        }
        EXPECT_EQ(dc->bkMode(), OPAQUE);
    }

    TEST(DcTest, ClipRegionIsACopyAndModeThreeIsKept)
    {
        auto c = test::makeCanvas(4, 1);
        Region clip = createRectRegion(0, 0, 2, 1);
        EXPECT_EQ(c.dc->selectClipRegion(clip), RegionKind::Simple);
        combineRegion(clip, clip, createRectRegion(0, 0, 4, 1), CombineMode::Or);
        fillRect(*c.dc, { 0, 0, 4, 1 }, createSolidBrush(0));
        EXPECT_EQ(test::inkRows(*c.bitmap, 0), std::vector<std::string> { "##.." });
        EXPECT_EQ(c.dc->setBkMode(3), OPAQUE);
        EXPECT_EQ(c.dc->bkMode(), 3);
        EXPECT_FALSE(c.dc->fillsBackground());
        EXPECT_EQ(c.dc->setBkMode(0), 0);
        EXPECT_EQ(c.dc->bkMode(), 3);
        EXPECT_EQ(c.dc->setStretchBltMode(7), 0);
    }

} // namespace
} // namespace bastara::gdi
