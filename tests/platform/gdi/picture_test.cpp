#include "gdi_test_support.h"
#include "ico_fixtures.h"
#include "platform/gdi/picture.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

namespace bastara::gdi {
namespace {

    std::vector<std::uint8_t> encode(const QImage& image, const char* format)
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        EXPECT_TRUE(image.save(&buffer, format));
        return { bytes.begin(), bytes.end() };
    }

    QImage sample()
    {
        QImage image(3, 2, QImage::Format_RGB32);
        image.fill(QColor(250, 0, 250));
        image.setPixelColor(1, 0, QColor(0, 0, 255));
        image.setPixelColor(2, 1, QColor(0, 128, 0));
        return image;
    }

    TEST(PictureTest, BmpAndPngDecodeToExactDibSections)
    {
        for (const char* format : { "BMP", "PNG" }) {
            auto picture = decodePicture(encode(sample(), format));
            ASSERT_TRUE(picture) << format << ": " << describe(picture.error());
            EXPECT_EQ(picture->kind(), PictureKind::Bitmap);
            EXPECT_EQ(
                picture->format(), format[0] == 'B' ? PictureFormat::Bmp : PictureFormat::Png);
            EXPECT_EQ(picture->width(), 3);
            EXPECT_EQ(picture->height(), 2);
            const Bitmap& b = *picture->bitmap();
            EXPECT_TRUE(b.isDibSection());
            EXPECT_EQ(b.colorAt(0, 0), rgb(250, 0, 250));
            EXPECT_EQ(b.colorAt(1, 0), rgb(0, 0, 255));
            EXPECT_EQ(b.colorAt(2, 1), rgb(0, 128, 0));
            EXPECT_FALSE(picture->icon());
        }
    }

    TEST(PictureTest, JpegDecodesApproximately)
    {
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(QColor(200, 40, 40));
        auto picture = decodePicture(encode(image, "JPEG"));
        ASSERT_TRUE(picture) << describe(picture.error());
        EXPECT_EQ(picture->format(), PictureFormat::Jpeg);
        EXPECT_EQ(picture->kind(), PictureKind::Bitmap);
        const ColorRef c = picture->bitmap()->colorAt(8, 8);
        EXPECT_NEAR(redOf(c), 200, 8);
        EXPECT_NEAR(greenOf(c), 40, 8);
    }

    TEST(PictureTest, PngTransparencyIsFlattenedOntoWhite)
    {
        QImage image(2, 1, QImage::Format_ARGB32);
        image.setPixelColor(0, 0, QColor(0, 0, 0, 0));
        image.setPixelColor(1, 0, QColor(0, 0, 0, 255));
        auto picture = decodePicture(encode(image, "PNG"));
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->bitmap()->colorAt(0, 0), 0xFFFFFFu);
        EXPECT_EQ(picture->bitmap()->colorAt(1, 0), 0u);
    }

    TEST(PictureTest, IconsKeepTheirMaskAndKind)
    {
        auto picture = decodePicture(test::icoFile24(false));
        ASSERT_TRUE(picture) << describe(picture.error());
        EXPECT_EQ(picture->kind(), PictureKind::Icon);
        EXPECT_EQ(picture->format(), PictureFormat::Ico);
        EXPECT_EQ(picture->width(), 2);
        EXPECT_EQ(picture->height(), 2);
        const Icon& icon = *picture->icon();
        EXPECT_FALSE(icon.isCursor());
        // Top row of the image is the last row in the file.
        EXPECT_EQ(icon.color()->colorAt(0, 0), rgb(0, 0, 255));
        EXPECT_EQ(icon.color()->colorAt(1, 1), rgb(255, 0, 0));
        EXPECT_TRUE(icon.mask()->bitAt(1, 0));
        EXPECT_FALSE(icon.mask()->bitAt(0, 0));
        EXPECT_TRUE(icon.alpha().empty());
        EXPECT_FALSE(picture->bitmap());

        auto cursor = decodePicture(test::icoFile24(true));
        ASSERT_TRUE(cursor);
        EXPECT_EQ(cursor->format(), PictureFormat::Cur);
        EXPECT_TRUE(cursor->icon()->isCursor());
        EXPECT_EQ(cursor->icon()->hotspot(), (Point { 1, 0 }));
    }

    TEST(PictureTest, MonochromeAlphaAndPngIcons)
    {
        auto mono = decodePicture(test::icoFileMono());
        ASSERT_TRUE(mono) << describe(mono.error());
        EXPECT_FALSE(mono->icon()->color());
        EXPECT_EQ(mono->icon()->mask()->height(), 4);
        EXPECT_EQ(mono->height(), 2);

        auto alpha = decodePicture(test::icoFile32Alpha());
        ASSERT_TRUE(alpha) << describe(alpha.error());
        ASSERT_EQ(alpha->icon()->alpha().size(), 4u);
        EXPECT_EQ(alpha->icon()->alpha()[0], 0x80);

        QImage image(4, 3, QImage::Format_ARGB32);
        image.fill(QColor(10, 20, 30, 255));
        image.setPixelColor(0, 0, QColor(0, 0, 0, 0));
        auto png = decodePicture(test::icoWithPng(encode(image, "PNG")));
        ASSERT_TRUE(png) << describe(png.error());
        EXPECT_EQ(png->width(), 4);
        EXPECT_EQ(png->height(), 3);
        EXPECT_TRUE(png->icon()->mask()->bitAt(0, 0));
        EXPECT_FALSE(png->icon()->mask()->bitAt(1, 0));
        EXPECT_EQ(png->icon()->color()->colorAt(1, 0), rgb(10, 20, 30));
    }

    TEST(PictureTest, BadDataGivesAClearError)
    {
        EXPECT_EQ(decodePicture({}).error(), PictureError::Empty);
        const std::vector<std::uint8_t> text { 'h', 'e', 'l', 'l', 'o' };
        EXPECT_EQ(decodePicture(text).error(), PictureError::UnknownFormat);

        auto truncated = test::icoFile24(false);
        truncated.resize(truncated.size() - 3);
        EXPECT_EQ(decodePicture(truncated).error(), PictureError::Corrupt);

        auto zeroWidth = test::icoFile24(false);
        zeroWidth[22 + 4] = 0; // biWidth
        EXPECT_EQ(decodePicture(zeroWidth).error(), PictureError::ZeroSize);

        auto noEntries = test::icoFile24(false);
        noEntries[4] = 0;
        EXPECT_EQ(decodePicture(noEntries).error(), PictureError::Corrupt);

        auto bmp = encode(sample(), "BMP");
        bmp.resize(40);
        EXPECT_FALSE(decodePicture(bmp));
        EXPECT_FALSE(describe(PictureError::Corrupt).empty());
    }

} // namespace
} // namespace bastara::gdi
