#include "platform/properties/picture_value.h"

#include <gtest/gtest.h>

namespace bastara::properties {
namespace {

    // A 3 x 2 picture in memory: a colour image with distinct pixels, and a
    // mask with its top-left pixel see-through.
    gdi::BitmapRef colourImage()
    {
        gdi::BitmapRef bitmap = gdi::createDibSection(3, 2);
        const gdi::ColorRef pixels[] = { 0x0000FF, 0x00FF00, 0xFF0000, 0x123456, 0xFFFFFF, 0 };
        for (int i = 0; i < 6; ++i)
            bitmap->setColorAt(i % 3, i / 3, pixels[i]);
        return bitmap;
    }
    gdi::BitmapRef maskImage(std::int32_t height = 2)
    {
        gdi::BitmapRef mask = gdi::Bitmap::create(3, height, gdi::PixelFormat::Mono1);
        mask->setBitAt(0, 0, true);
        mask->setBitAt(2, height - 1, true);
        return mask;
    }
    PictureRef iconOf(
        gdi::BitmapRef colour, gdi::BitmapRef mask, std::vector<std::uint8_t> alpha, bool cursor)
    {
        const gdi::Point hotspot = cursor ? gdi::Point { 2, 1 } : gdi::Point {};
        auto icon = gdi::Icon::create(
            std::move(mask), std::move(colour), std::move(alpha), cursor, hotspot);
        return std::make_shared<const gdi::Picture>(gdi::Picture::fromIcon(
            std::move(icon), cursor ? gdi::PictureFormat::Cur : gdi::PictureFormat::Ico));
    }

    void expectSameBitmap(const gdi::Bitmap* a, const gdi::Bitmap* b)
    {
        ASSERT_EQ(a == nullptr, b == nullptr);
        if (!a)
            return;
        ASSERT_EQ(a->size(), b->size());
        for (std::int32_t y = 0; y < a->height(); ++y)
            for (std::int32_t x = 0; x < a->width(); ++x)
                EXPECT_EQ(a->colorAt(x, y), b->colorAt(x, y)) << x << "," << y;
    }

    struct MadeInMemory {
        const char* name;
        PictureRef picture;
    };

    // Pictures that never had a file are stored as one that decodes to the
    // same picture: nothing assigned at run time is lost when it is saved.
    TEST(PictureValue, APictureMadeInMemoryIsStoredAsAFileThatDecodesToIt)
    {
        const MadeInMemory cases[] = {
            { "bitmap",
                std::make_shared<const gdi::Picture>(
                    gdi::Picture::fromBitmap(colourImage(), gdi::PictureFormat::Bmp)) },
            { "icon with a mask", iconOf(colourImage(), maskImage(), {}, false) },
            { "cursor with alpha",
                iconOf(colourImage(), maskImage(), { 0, 9, 255, 1, 2, 3 }, true) },
            { "monochrome icon", iconOf(nullptr, maskImage(4), {}, false) },
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            const PictureValue stored = PictureValue::fromPicture(c.picture);
            const PictureValue reread = PictureValue::fromFileBytes(
                { stored.fileBytes().begin(), stored.fileBytes().end() });
            ASSERT_TRUE(reread.picture());
            const gdi::Picture& a = *c.picture;
            const gdi::Picture& b = *reread.picture();
            EXPECT_EQ(a.kind(), b.kind());
            EXPECT_EQ(a.format(), b.format());
            expectSameBitmap(a.bitmap().get(), b.bitmap().get());
            if (a.icon()) {
                expectSameBitmap(a.icon()->color().get(), b.icon()->color().get());
                expectSameBitmap(a.icon()->mask().get(), b.icon()->mask().get());
                EXPECT_EQ(a.icon()->alpha(), b.icon()->alpha());
                EXPECT_EQ(a.icon()->hotspot(), b.icon()->hotspot());
            }
            EXPECT_EQ(stored, reread);
        }
    }

    TEST(PictureValue, ADecodedPictureIsStoredAsTheBytesItCameFrom)
    {
        const PictureValue first = PictureValue::fromPicture(std::make_shared<const gdi::Picture>(
            gdi::Picture::fromBitmap(colourImage(), gdi::PictureFormat::Bmp)));
        const std::vector<std::uint8_t> bytes(first.fileBytes().begin(), first.fileBytes().end());
        const PictureValue loaded = PictureValue::fromFileBytes(bytes);
        EXPECT_TRUE(std::ranges::equal(loaded.picture()->fileBytes(), bytes));
        EXPECT_TRUE(
            std::ranges::equal(PictureValue::fromPicture(loaded.picture()).fileBytes(), bytes));
    }

    TEST(PictureValue, DamagedBytesStayAValueWithoutAPicture)
    {
        const PictureValue damaged = PictureValue::fromFileBytes({ 'B', 'M', 1, 2, 3 });
        EXPECT_FALSE(damaged.isNone());
        EXPECT_FALSE(damaged.picture());
        EXPECT_NE(damaged, PictureValue());
        EXPECT_EQ(PictureValue::fromPicture(nullptr), PictureValue());
        EXPECT_TRUE(PictureValue::fromFileBytes({}).isNone());
    }

} // namespace
} // namespace bastara::properties
