#include "gdi_test_support.h"
#include "platform/gdi/bitmap.h"

#include <gtest/gtest.h>

namespace bastara::gdi {
namespace {

    TEST(BitmapTest, FactoriesRefuseNegativeAndOversizedBitmaps)
    {
        EXPECT_FALSE(Bitmap::create(-1, 4, PixelFormat::Rgb32));
        EXPECT_FALSE(Bitmap::create(kMaxBitmapSide + 1, 1, PixelFormat::Mono1));
        EXPECT_FALSE(Bitmap::create(20000, 20000, PixelFormat::Rgb32));
        const BitmapRef empty = Bitmap::create(0, 0, PixelFormat::Rgb32);
        ASSERT_TRUE(empty);
        EXPECT_EQ(empty->colorAt(0, 0), CLR_INVALID);
    }

    TEST(BitmapTest, MonochromeRowsAreMostSignificantBitFirstAndWordPadded)
    {
        const BitmapRef mono = createBitmap(17, 2, 1, 1);
        ASSERT_TRUE(mono);
        EXPECT_EQ(mono->pitch(), 4);
        mono->setBitAt(0, 1, true);
        mono->setBitAt(9, 1, true);
        EXPECT_EQ(mono->scanline(1)[0], 0x80);
        EXPECT_EQ(mono->scanline(1)[1], 0x40);
        EXPECT_EQ(mono->colorAt(9, 1), 0xFFFFFFu);
        EXPECT_EQ(mono->colorAt(9, 0), 0u);
        const BitmapInfo info = getObject(*mono);
        EXPECT_EQ(info.bitsPerPixel, 1);
        EXPECT_EQ(info.widthBytes, 4);
        EXPECT_FALSE(info.hasBits);
    }

    TEST(BitmapTest, ColourPixelsAreStoredAsOpaqueRgbWords)
    {
        const BitmapRef colour = createDibSection(2, 1);
        ASSERT_TRUE(colour);
        colour->setColorAt(1, 0, rgb(0x12, 0x34, 0x56));
        EXPECT_EQ(colour->colorRow(0)[1], 0xFF123456u);
        EXPECT_EQ(colour->colorRow(0)[0], 0xFF000000u); // starts black
        EXPECT_EQ(colour->colorAt(1, 0), 0x563412u);
        EXPECT_TRUE(getObject(*colour).hasBits);
        const BitmapRef copy = colour->clone();
        copy->setColorAt(1, 0, 0);
        EXPECT_EQ(colour->colorAt(1, 0), 0x563412u);
    }

    TEST(BitmapTest, ColoursOnMonochromeBitmapsTakeTheNearerOfBlackAndWhite)
    {
        EXPECT_TRUE(nearestMonoBit(0xFFFFFF));
        EXPECT_TRUE(nearestMonoBit(0x808080));
        EXPECT_FALSE(nearestMonoBit(0x7F7F7F));
        EXPECT_FALSE(nearestMonoBit(0xFFFFFFFF)); // not a plain colour: black
    }

} // namespace
} // namespace bastara::gdi
