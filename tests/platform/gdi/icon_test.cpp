#include "gdi_test_support.h"
#include "ico_fixtures.h"
#include "platform/gdi/icon.h"
#include "platform/gdi/picture.h"

#include <gtest/gtest.h>

namespace bastara::gdi {
namespace {

    using test::makeCanvas;

    std::shared_ptr<const Icon> iconFrom(const std::vector<std::uint8_t>& bytes)
    {
        auto picture = decodePicture(bytes);
        EXPECT_TRUE(picture);
        return picture ? picture->icon() : nullptr;
    }

    TEST(IconTest, NormalDrawingAndsTheMaskThenXorsTheImage)
    {
        auto icon = iconFrom(test::icoFile24(false));
        ASSERT_TRUE(icon);
        auto c = makeCanvas(4, 4, 0x00FF00);
        // The call forces black/white itself and puts these back.
        c.dc->setTextColor(0x0000FF);
        c.dc->setBkColor(0xFF0000);
        drawIconEx(*c.dc, 1, 1, *icon, 0, 0, DI_NORMAL);
        EXPECT_EQ(c.bitmap->colorAt(1, 1), rgb(0, 0, 255)); // mask 0: image
        EXPECT_EQ(c.bitmap->colorAt(2, 1), 0x00FF00u); // mask 1: background ^ black
        EXPECT_EQ(c.bitmap->colorAt(2, 2), rgb(255, 0, 0));
        EXPECT_EQ(c.bitmap->colorAt(0, 0), 0x00FF00u);
        EXPECT_EQ(c.dc->textColor(), 0x0000FFu);
        EXPECT_EQ(c.dc->bkColor(), 0xFF0000u);
        EXPECT_EQ(c.dc->stretchBltMode(), BLACKONWHITE);
    }

    TEST(IconTest, IconsScaleToTheRequestedSize)
    {
        auto icon = iconFrom(test::icoFile24(false));
        ASSERT_TRUE(icon);
        auto c = makeCanvas(4, 4, 0x00FF00);
        drawIconEx(*c.dc, 0, 0, *icon, 4, 4, DI_NORMAL);
        EXPECT_EQ(c.bitmap->colorAt(1, 1), rgb(0, 0, 255));
        EXPECT_EQ(c.bitmap->colorAt(3, 0), 0x00FF00u);
        EXPECT_EQ(c.bitmap->colorAt(3, 3), rgb(255, 0, 0));
    }

    TEST(IconTest, MonochromeIconsUseTheLowerHalfOfTheMaskAsImage)
    {
        auto icon = iconFrom(test::icoFileMono());
        ASSERT_TRUE(icon);
        auto c = makeCanvas(2, 2, 0x808080);
        drawIconEx(*c.dc, 0, 0, *icon, 0, 0, DI_NORMAL);
        // Mask is 0 everywhere: the XOR bits are drawn, white where set.
        EXPECT_EQ(c.bitmap->colorAt(0, 0), 0u);
        EXPECT_EQ(c.bitmap->colorAt(1, 0), 0xFFFFFFu);
        EXPECT_EQ(c.bitmap->colorAt(0, 1), 0xFFFFFFu);
    }

    TEST(IconTest, AlphaIconsAreBlendedIntoColourTargets)
    {
        auto icon = iconFrom(test::icoFile32Alpha());
        ASSERT_TRUE(icon);
        auto c = makeCanvas(2, 2, 0xFFFFFF);
        drawIconEx(*c.dc, 0, 0, *icon, 0, 0, DI_NORMAL);
        // 0x405060 at alpha 0x80 over white.
        const ColorRef blended = c.bitmap->colorAt(0, 0);
        EXPECT_NEAR(redOf(blended), (0x40 * 128 + 255 * 127) / 255, 1);
        EXPECT_NEAR(blueOf(blended), (0x60 * 128 + 255 * 127) / 255, 1);
        EXPECT_EQ(c.bitmap->colorAt(1, 0), 0xFFFFFFu);
        EXPECT_EQ(c.bitmap->colorAt(0, 1), rgb(0x10, 0x20, 0x30));
    }

    TEST(IconTest, IconInfoHandsOutCopies)
    {
        auto icon = iconFrom(test::icoFile24(false));
        ASSERT_TRUE(icon);
        IconInfo info = getIconInfo(*icon);
        ASSERT_TRUE(info.color && info.mask);
        EXPECT_TRUE(info.isIcon);
        EXPECT_NE(info.color, icon->color());
        info.color->setColorAt(0, 0, 0);
        EXPECT_EQ(icon->color()->colorAt(0, 0), rgb(0, 0, 255));
        EXPECT_FALSE(getIconInfo(*iconFrom(test::icoFileMono())).color);
    }

    TEST(IconTest, MismatchedPartsAreRefused)
    {
        auto mask = Bitmap::create(2, 2, PixelFormat::Mono1);
        auto colour = Bitmap::create(3, 2, PixelFormat::Rgb32);
        EXPECT_FALSE(Icon::create(mask, colour, {}, false, {}));
        EXPECT_FALSE(Icon::create(colour, nullptr, {}, false, {}));
        EXPECT_FALSE(
            Icon::create(Bitmap::create(2, 3, PixelFormat::Mono1), nullptr, {}, false, {}));
        EXPECT_FALSE(
            Icon::create(mask, Bitmap::create(2, 2, PixelFormat::Rgb32), { 1, 2 }, false, {}));
    }

} // namespace
} // namespace bastara::gdi
