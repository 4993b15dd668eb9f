#include "gdi_test_support.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/draw.h"
#include "platform/gdi/internal/paint.h"

#include <array>
#include <climits>
#include <gtest/gtest.h>
#include <optional>
#include <random>

namespace bastara::gdi {
namespace {

    using test::inkRows;
    using test::makeCanvas;
    using Rows = std::vector<std::string>;

    // COLORREF -> the 24-bit RGB the raster operations work on, and back.
    std::uint32_t bits(ColorRef c)
    {
        return deviceRgb(c);
    }

    TEST(BlitTest, EachRasterOperationCombinesPatternSourceAndDestinationPerBit)
    {
        const ColorRef pattern = 0x3C5AF0;
        const ColorRef source = 0x0FCC33;
        const ColorRef destination = 0xA5A50F;
        struct Case {
            RasterOp rop;
            std::uint32_t (*formula)(std::uint32_t p, std::uint32_t s, std::uint32_t d);
        };
        const Case cases[] = {
            { SRCCOPY, [](std::uint32_t, std::uint32_t s, std::uint32_t) { return s; } },
            { SRCPAINT, [](std::uint32_t, std::uint32_t s, std::uint32_t d) { return s | d; } },
            { SRCAND, [](std::uint32_t, std::uint32_t s, std::uint32_t d) { return s & d; } },
            { SRCINVERT, [](std::uint32_t, std::uint32_t s, std::uint32_t d) { return s ^ d; } },
            { SRCERASE, [](std::uint32_t, std::uint32_t s, std::uint32_t d) { return s & ~d; } },
            { NOTSRCCOPY, [](std::uint32_t, std::uint32_t s, std::uint32_t) { return ~s; } },
            { MERGEPAINT, [](std::uint32_t, std::uint32_t s, std::uint32_t d) { return ~s | d; } },
            { PATCOPY, [](std::uint32_t p, std::uint32_t, std::uint32_t) { return p; } },
            { PATINVERT, [](std::uint32_t p, std::uint32_t, std::uint32_t d) { return p ^ d; } },
            { DSTINVERT, [](std::uint32_t, std::uint32_t, std::uint32_t d) { return ~d; } },
            { BLACKNESS, [](std::uint32_t, std::uint32_t, std::uint32_t) { return 0u; } },
            { WHITENESS, [](std::uint32_t, std::uint32_t, std::uint32_t) { return ~0u; } },
            { 0x00220326, [](std::uint32_t, std::uint32_t s, std::uint32_t d) { return d & ~s; } },
            { 0x00B8074A,
                [](std::uint32_t p, std::uint32_t s, std::uint32_t d) {
                    return (p & ~s) | (d & s);
                } },
        };
        for (const Case& c : cases) {
            auto dst = makeCanvas(3, 2, destination);
            auto src = makeCanvas(3, 2, source);
            dst.dc->selectObject(createSolidBrush(pattern));
            bitBlt(*dst.dc, 0, 0, 3, 2, src.dc.get(), 0, 0, c.rop);
            const ColorRef expected = colorRefFromDevice(
                c.formula(bits(pattern), bits(source), bits(destination)) & 0xFFFFFF);
            for (std::int32_t y = 0; y < 2; ++y)
                for (std::int32_t x = 0; x < 3; ++x)
                    ASSERT_EQ(dst.bitmap->colorAt(x, y), expected)
                        << std::hex << "rop " << c.rop << " at " << x << "," << y;
        }
    }

    TEST(BlitTest, ColourToMonochromeMarksPixelsEqualToTheSourceBackground)
    {
        auto src = makeCanvas(4, 1, 0x102030);
        setPixel(*src.dc, 1, 0, 0xFF00FF);
        setPixel(*src.dc, 3, 0, 0xFF00FE); // one bit off the key: not transparent
        src.dc->setBkColor(0xFF00FF);
        src.dc->setTextColor(0xFF00FF); // plays no part
        auto mask = makeCanvas(4, 1, 0, PixelFormat::Mono1);
        bitBlt(*mask.dc, 0, 0, 4, 1, src.dc.get(), 0, 0, SRCCOPY);
        EXPECT_EQ(inkRows(*mask.bitmap, 0xFFFFFF), (Rows { ".#.." }));
    }

    TEST(BlitTest, MonochromeToColourUsesTheDestinationTextAndBackgroundColours)
    {
        auto mask = makeCanvas(4, 1, 0, PixelFormat::Mono1);
        mask.bitmap->setBitAt(1, 0, true);
        mask.bitmap->setBitAt(2, 0, true);
        mask.dc->setTextColor(0x00FF00); // the source's colours play no part
        mask.dc->setBkColor(0x00FF00);
        auto dst = makeCanvas(4, 1, 0x777777);
        dst.dc->setTextColor(0x0000FF);
        dst.dc->setBkColor(0xFF0000);
        bitBlt(*dst.dc, 0, 0, 4, 1, mask.dc.get(), 0, 0, SRCCOPY);
        EXPECT_EQ(dst.bitmap->colorAt(0, 0), 0x0000FFu);
        EXPECT_EQ(dst.bitmap->colorAt(1, 0), 0xFF0000u);
        EXPECT_EQ(dst.bitmap->colorAt(2, 0), 0xFF0000u);
        EXPECT_EQ(dst.bitmap->colorAt(3, 0), 0x0000FFu);
    }

    TEST(BlitTest, MonochromeToMonochromeCopiesBits)
    {
        auto a = makeCanvas(9, 1, 0, PixelFormat::Mono1);
        a.bitmap->setBitAt(0, 0, true);
        a.bitmap->setBitAt(8, 0, true);
        a.dc->setBkColor(0); // would flip a conversion; bits are copied
        auto b = makeCanvas(9, 1, 0xFFFFFF, PixelFormat::Mono1);
        bitBlt(*b.dc, 0, 0, 9, 1, a.dc.get(), 0, 0, SRCCOPY);
        EXPECT_EQ(inkRows(*b.bitmap, 0xFFFFFF), (Rows { "#.......#" }));
    }

    TEST(BlitTest, MonochromePatternBrushTakesTheDestinationColours)
    {
        auto pattern = Bitmap::create(2, 1, PixelFormat::Mono1);
        pattern->setBitAt(1, 0, true);
        auto dst = makeCanvas(4, 1, 0);
        dst.dc->setTextColor(0x000011);
        dst.dc->setBkColor(0x220000);
        dst.dc->selectObject(createPatternBrush(*pattern));
        patBlt(*dst.dc, 0, 0, 4, 1, PATCOPY);
        EXPECT_EQ(dst.bitmap->colorAt(0, 0), 0x000011u);
        EXPECT_EQ(dst.bitmap->colorAt(1, 0), 0x220000u);
        EXPECT_EQ(dst.bitmap->colorAt(2, 0), 0x000011u);
    }

    TEST(BlitTest, TransparentCompositionThroughAMask)
    {
        // The mask sequence of a transparent blit: key pixels keep the
        // background, the others show the image.
        const ColorRef key = 0xFF00FF;
        auto image = makeCanvas(3, 2, key);
        setPixel(*image.dc, 1, 0, 0x0000FF);
        setPixel(*image.dc, 2, 1, 0x00FF00);
        auto background = makeCanvas(3, 2, 0x808080);
        setPixel(*background.dc, 0, 0, 0x123456);

        auto mask = makeCanvas(3, 2, 0, PixelFormat::Mono1);
        image.dc->setBkColor(key);
        image.dc->setTextColor(0xFFFFFF);
        bitBlt(*mask.dc, 0, 0, 3, 2, image.dc.get(), 0, 0, SRCCOPY);
        image.dc->setTextColor(0);
        image.dc->setBkColor(0xFFFFFF);
        bitBlt(*image.dc, 0, 0, 3, 2, mask.dc.get(), 0, 0, 0x00220326);
        EXPECT_EQ(image.bitmap->colorAt(0, 0), 0u); // key pixels went black
        EXPECT_EQ(image.bitmap->colorAt(1, 0), 0x0000FFu);

        bitBlt(*background.dc, 0, 0, 3, 2, mask.dc.get(), 0, 0, SRCAND);
        bitBlt(*background.dc, 0, 0, 3, 2, image.dc.get(), 0, 0, SRCPAINT);
        EXPECT_EQ(background.bitmap->colorAt(0, 0), 0x123456u);
        EXPECT_EQ(background.bitmap->colorAt(1, 0), 0x0000FFu);
        EXPECT_EQ(background.bitmap->colorAt(2, 1), 0x00FF00u);
        EXPECT_EQ(background.bitmap->colorAt(0, 1), 0x808080u);
    }

    TEST(BlitTest, DisabledPictureOperationGreysBlackAndKeepsTheFaceWhereWhite)
    {
        const ColorRef face = 0xF0F0F0;
        auto picture = makeCanvas(2, 1, 0xFFFFFF);
        setPixel(*picture.dc, 0, 0, 0);
        auto buffer = makeCanvas(2, 1, face);
        buffer.dc->setBkColor(0xFFFFFF);
        buffer.dc->selectObject(createSolidBrush(0x808080));
        bitBlt(*buffer.dc, 0, 0, 2, 1, picture.dc.get(), 0, 0, 0x00B8074A);
        EXPECT_EQ(buffer.bitmap->colorAt(0, 0), 0x808080u);
        EXPECT_EQ(buffer.bitmap->colorAt(1, 0), face);
    }

    TEST(BlitTest, ClippedToTheDestinationRegionAndTheSourceBitmap)
    {
        auto src = makeCanvas(4, 4, 0x0000FF);
        auto dst = makeCanvas(6, 6, 0xFFFFFF);
        dst.dc->selectClipRegion(createRectRegion(0, 0, 6, 3));
        // Source rows 2.. of the blit would come from outside the 4 x 4 source.
        bitBlt(*dst.dc, 1, 1, 5, 5, src.dc.get(), 1, 1, SRCCOPY);
        EXPECT_EQ(inkRows(*dst.bitmap, 0x0000FF),
            (Rows { "......", ".###..", ".###..", "......", "......", "......" }));
    }

    TEST(BlitTest, OverlappingBlitWithinOneBitmapReadsTheOriginalPixels)
    {
        auto canvas = makeCanvas(5, 1, 0);
        for (std::int32_t x = 0; x < 5; ++x)
            setPixel(*canvas.dc, x, 0, ColorRef(x + 1));
        bitBlt(*canvas.dc, 1, 0, 4, 1, canvas.dc.get(), 0, 0, SRCCOPY);
        for (std::int32_t x = 1; x < 5; ++x)
            EXPECT_EQ(canvas.bitmap->colorAt(x, 0), ColorRef(x));
    }

    TEST(BlitTest, StretchingEnlargesByRepetitionAndShrinksByTheStretchMode)
    {
        auto src = makeCanvas(2, 2, 0);
        setPixel(*src.dc, 0, 0, 0xFF0000);
        setPixel(*src.dc, 1, 0, 0x00FF00);
        setPixel(*src.dc, 0, 1, 0x0000FF);
        setPixel(*src.dc, 1, 1, 0xFFFFFF);
        auto big = makeCanvas(4, 4, 0x777777);
        stretchBlt(*big.dc, 0, 0, 4, 4, src.dc.get(), 0, 0, 2, 2, SRCCOPY);
        for (std::int32_t y = 0; y < 4; ++y)
            for (std::int32_t x = 0; x < 4; ++x)
                EXPECT_EQ(big.bitmap->colorAt(x, y), src.bitmap->colorAt(x / 2, y / 2));

        struct Mode {
            int mode;
            ColorRef expected;
        };
        const Mode modes[] = {
            { BLACKONWHITE, 0xFF0000 & 0x00FF00 & 0x0000FF & 0xFFFFFF },
            { WHITEONBLACK, 0xFF0000 | 0x00FF00 | 0x0000FF | 0xFFFFFF },
            { COLORONCOLOR, 0xFF0000 },
        };
        for (const Mode& m : modes) {
            auto one = makeCanvas(1, 1, 0x777777);
            one.dc->setStretchBltMode(m.mode);
            stretchBlt(*one.dc, 0, 0, 1, 1, src.dc.get(), 0, 0, 2, 2, SRCCOPY);
            EXPECT_EQ(one.bitmap->colorAt(0, 0), m.expected) << "mode " << m.mode;
        }
    }

    TEST(BlitTest, BlackOnWhiteShrinkKeepsThinBlackLines)
    {
        auto src = makeCanvas(6, 1, 0xFFFFFF);
        setPixel(*src.dc, 4, 0, 0);
        auto dst = makeCanvas(3, 1, 0x777777);
        stretchBlt(*dst.dc, 0, 0, 3, 1, src.dc.get(), 0, 0, 6, 1, SRCCOPY);
        EXPECT_EQ(inkRows(*dst.bitmap, 0), (Rows { "..#" }));
    }

    TEST(BlitTest, MeaninglessArgumentsDrawNothing)
    {
        auto dst = makeCanvas(2, 2, 0x123456);
        bitBlt(*dst.dc, 0, 0, 2, 2, nullptr, 0, 0, SRCCOPY);
        stretchBlt(*dst.dc, 0, 0, -2, 2, dst.dc.get(), 0, 0, 2, 2, SRCCOPY);
        patBlt(*dst.dc, 0, 0, 2, 2, SRCCOPY);
        dst.dc->selectObject(stockNullBrush());
        patBlt(*dst.dc, 0, 0, 2, 2, PATCOPY);
        EXPECT_EQ(inkRows(*dst.bitmap, 0x123456), (Rows { "##", "##" }));
        // Operations without a source need none.
        bitBlt(*dst.dc, 0, 0, 1, 1, nullptr, 0, 0, DSTINVERT);
        EXPECT_EQ(dst.bitmap->colorAt(0, 0), 0xEDCBA9u);
        patBlt(*dst.dc, 2, 2, -1, -1, WHITENESS);
        EXPECT_EQ(dst.bitmap->colorAt(1, 1), 0xFFFFFFu);
    }

    TEST(BlitTest, CopyImageMakesAScaledDeviceBitmapOfTheSameDepth)
    {
        auto src = createDibSection(2, 1);
        src->setColorAt(0, 0, 0x0000FF);
        src->setColorAt(1, 0, 0x00FF00);
        BitmapRef copy = copyImage(src, 4, 2);
        ASSERT_TRUE(copy);
        EXPECT_FALSE(copy->isDibSection());
        EXPECT_FALSE(copy->isMonochrome());
        EXPECT_EQ(copy->size(), (Size { 4, 2 }));
        EXPECT_EQ(copy->colorAt(1, 1), 0x0000FFu);
        EXPECT_EQ(copy->colorAt(2, 0), 0x00FF00u);
        EXPECT_EQ(src->colorAt(1, 0), 0x00FF00u);

        // Shrinking keeps pixels instead of ANDing them together.
        BitmapRef half = copyImage(src, 1, 1);
        EXPECT_EQ(half->colorAt(0, 0), 0x0000FFu);

        auto mono = Bitmap::create(3, 3, PixelFormat::Mono1);
        BitmapRef same = copyImage(mono, 0, 0);
        ASSERT_TRUE(same);
        EXPECT_TRUE(same->isMonochrome());
        EXPECT_EQ(same->size(), (Size { 3, 3 }));
        EXPECT_FALSE(copyImage(nullptr, 1, 1));
        EXPECT_FALSE(copyImage(src, -1, 1));
    }

    // Equal-size colour blits go row by row; against the definition pixel by
    // pixel: where the destination is visible (and, for an operation that
    // reads a source, its source pixel lies in the source bitmap), the
    // operation of pattern, source and destination.
    // Seeded random operations (all 256), brushes, offsets and clips, and
    // blits within one bitmap.
    TEST(BlitTest, EqualSizeColourBlitsMatchThePerPixelDefinition)
    {
        std::mt19937 random(20261208);
        std::uniform_int_distribution<std::int32_t> coordinate(-6, 20);
        std::uniform_int_distribution<std::uint32_t> colour(0, 0xFFFFFF);
        std::uniform_int_distribution<int> pick(0, 255);
        auto pattern = Bitmap::create(3, 2, PixelFormat::Mono1);
        pattern->setBitAt(1, 0, true);
        pattern->setBitAt(2, 1, true);
        for (int iteration = 0; iteration < 800; ++iteration) {
            auto dst = makeCanvas(16, 12);
            auto src = makeCanvas(10, 9);
            for (std::int32_t y = 0; y < 12; ++y)
                for (std::int32_t x = 0; x < 16; ++x) {
                    dst.bitmap->setColorAt(x, y, colour(random));
                    if (x < 10 && y < 9)
                        src.bitmap->setColorAt(x, y, colour(random));
                }
            const bool withinOne = pick(random) < 40;
            const test::Canvas& from = withinOne ? dst : src;
            dst.dc->selectObject(pick(random) < 128 ? createSolidBrush(colour(random))
                                                    : createPatternBrush(*pattern));
            dst.dc->setTextColor(colour(random));
            dst.dc->setBkColor(colour(random));
            std::optional<Region> clip;
            if (pick(random) < 128) {
                clip = Region::fromRects(std::array { Rect { coordinate(random), coordinate(random),
                                                          coordinate(random), coordinate(random) }
                                                          .normalized(),
                    Rect { coordinate(random), coordinate(random), coordinate(random),
                        coordinate(random) }
                        .normalized() });
                dst.dc->selectClipRegion(*clip);
            }
            // SRCCOPY, the copy to the window, often; the other 255 too.
            const RasterOp rop = pick(random) < 64 ? SRCCOPY : RasterOp(pick(random)) << 16;
            const Rop3 op = decodeRop3(rop);
            const Rect area { coordinate(random), coordinate(random), 0, 0 };
            const std::int32_t width = 1 + pick(random) % 14;
            const std::int32_t height = 1 + pick(random) % 10;
            // Within one bitmap, mostly overlapping: the source a pixel or two away.
            std::uniform_int_distribution<std::int32_t> near(-2, 2);
            const Point source = withinOne
                ? Point { area.left + near(random), area.top + near(random) }
                : Point { coordinate(random), coordinate(random) };

            // The expected pixels, from the bitmaps as they were.
            const BitmapRef before = dst.bitmap->clone();
            const Bitmap& sourceBefore = withinOne ? *before : *src.bitmap;
            const detail::BrushSampler brush(*dst.dc, dst.dc->brush());
            auto expected = dst.bitmap->clone();
            for (std::int32_t y = area.top; y < area.top + height; ++y)
                for (std::int32_t x = area.left; x < area.left + width; ++x) {
                    const Point s { source.x + x - area.left, source.y + y - area.top };
                    if (!dst.bitmap->bounds().contains(x, y) || (clip && !clip->contains(x, y))
                        || (op.usesSource && !sourceBefore.bounds().contains(s.x, s.y)))
                        continue;
                    const std::uint32_t result
                        = op.apply(brush.valueAt(x, y), deviceRgb(sourceBefore.colorAt(s.x, s.y)),
                            deviceRgb(before->colorAt(x, y)));
                    expected->setColorAt(x, y, colorRefFromDevice(result & 0xFFFFFF));
                }

            bitBlt(*dst.dc, area.left, area.top, width, height, from.dc.get(), source.x, source.y,
                rop);
            for (std::int32_t y = 0; y < 12; ++y)
                for (std::int32_t x = 0; x < 16; ++x)
                    ASSERT_EQ(dst.bitmap->colorAt(x, y), expected->colorAt(x, y))
                        << "at " << x << "," << y << ": rop " << std::hex << rop << std::dec
                        << (withinOne ? " within one bitmap" : "") << ", iteration " << iteration;
        }
    }

    TEST(BlitTest, HugeSizesOnlyTouchTheVisiblePart)
    {
        auto src = makeCanvas(2, 2, 0x0000FF);
        auto dst = makeCanvas(4, 2, 0xFFFFFF);
        stretchBlt(*dst.dc, 0, 0, INT_MAX, INT_MAX, src.dc.get(), 0, 0, 2, 2, SRCCOPY);
        EXPECT_EQ(inkRows(*dst.bitmap, 0x0000FF), (Rows { "####", "####" }));
        patBlt(*dst.dc, INT_MIN, INT_MIN, INT_MAX, INT_MAX, BLACKNESS);
        patBlt(*dst.dc, INT_MAX, 0, INT_MIN, 1, WHITENESS);
        EXPECT_EQ(inkRows(*dst.bitmap, 0xFFFFFF), (Rows { "####", "...." }));
        bitBlt(*dst.dc, INT_MIN, 0, INT_MAX, 2, src.dc.get(), INT_MAX, 0, SRCCOPY);
    }

} // namespace
} // namespace bastara::gdi
