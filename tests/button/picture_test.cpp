#include "button_test_support.h"
#include "platform/gdi/sys_colors.h"

#include <gtest/gtest.h>

namespace bastara::button {
namespace {

    using test::bufferOf;

    using gdi::rgb;

    constexpr gdi::ColorRef kFace = 0x40A0C0;
    constexpr gdi::ColorRef kRed = 0x0000FF;
    constexpr gdi::ColorRef kBlack = 0x000000;
    constexpr gdi::ColorRef kWhite = 0xFFFFFF;

    class PictureTest : public testing::Test
    {
    protected:
        void SetUp() override
        {
            m_button.ManageBackBuffer(kTrue);
            bufferOf(m_button).fill(kFace);
        }

        void assign(PictureRef picture)
        {
            m_button.state().picture = std::move(picture);
            m_button.UpdateResources("Picture");
        }

        // Draws the picture into (x, y) and the size of the picture.
        void drawAt(std::int32_t x, std::int32_t y)
        {
            const ButtonState& s = m_button.state();
            gdi::Rect rect { x, y, x + s.pictureWidth, y + s.pictureHeight };
            m_button.painter().DrawPicture(rect);
        }

        gdi::ColorRef at(std::int32_t x, std::int32_t y)
        {
            return bufferOf(m_button).colorAt(x, y);
        }

        gdi::ScopedSystemColors m_pinned { gdi::referenceSystemColors() };
        test::FakeHost m_host { 40, 20 };
        Button m_button { m_host };
    };

    TEST_F(PictureTest, ColoursWithinThreeOfTheTopLeftOneAreTransparent)
    {
        const gdi::ColorRef key = rgb(250, 0, 250);
        assign(test::bitmapPicture({ { key, rgb(247, 0, 247), rgb(253, 3, 253), rgb(246, 0, 250),
            rgb(250, 4, 250), rgb(250, 0, 246), rgb(253, 0, 247), key } }));
        m_button.painter().PreparePicture(8, 1, nullptr);

        // The sized copy holds exactly the key wherever it matched.
        const gdi::Bitmap& copy = *m_button.state().preparedImage;
        EXPECT_EQ(copy.colorAt(1, 0), key);
        EXPECT_EQ(copy.colorAt(2, 0), key);
        EXPECT_EQ(copy.colorAt(3, 0), rgb(246, 0, 250));
        EXPECT_EQ(copy.colorAt(4, 0), rgb(250, 4, 250));
        EXPECT_EQ(copy.colorAt(5, 0), rgb(250, 0, 246));
        EXPECT_EQ(copy.colorAt(6, 0), key);

        drawAt(2, 3);
        EXPECT_EQ(at(2, 3), kFace);
        EXPECT_EQ(at(3, 3), kFace);
        EXPECT_EQ(at(4, 3), kFace);
        EXPECT_EQ(at(5, 3), rgb(246, 0, 250));
        EXPECT_EQ(at(6, 3), rgb(250, 4, 250));
        EXPECT_EQ(at(7, 3), rgb(250, 0, 246));
        EXPECT_EQ(at(8, 3), kFace);
        EXPECT_EQ(at(9, 3), kFace);
    }

    TEST_F(PictureTest, APictureOfOneColourIsEntirelyTransparent)
    {
        assign(test::solidPicture(8, 8, kRed));
        drawAt(4, 4);
        EXPECT_EQ(test::boxOfChanges(bufferOf(m_button), kFace), gdi::Rect {});
    }

    TEST_F(PictureTest, TransparentRunsAreCutFromTheRegions)
    {
        m_host.resizeSurface(8, 2);
        const gdi::ColorRef k = rgb(0, 255, 0);
        assign(test::bitmapPicture({ { k, kRed, kRed, kRed, kRed, k, k, k },
            { kRed, kRed, kRed, kRed, kRed, kRed, kRed, kRed } }));
        gdi::Region region = gdi::createRectRegion(0, 0, 8, 2);
        m_button.painter().PreparePicture(8, 2, &region);

        // The run reaching the right edge is cut up to the picture's width.
        const std::array<gdi::Rect, 2> kept { gdi::Rect { 1, 0, 5, 1 }, gdi::Rect { 0, 1, 8, 2 } };
        EXPECT_EQ(region, gdi::Region::fromRects(kept)) << region.toString();
        // One pixel wider around each run for the outline, two for the inner one.
        EXPECT_EQ(*m_button.state().outlineRegion, gdi::createRectRegion(2, 0, 4, 2))
            << m_button.state().outlineRegion->toString();
        EXPECT_TRUE(m_button.state().innerRegion->isEmpty());
    }

    TEST_F(PictureTest, APictureOfOneColourCutsWholeRowsFromTheRegions)
    {
        m_host.resizeSurface(8, 8);
        assign(test::solidPicture(8, 8, kRed));
        gdi::Region region = gdi::createRectRegion(0, 0, 8, 8);
        m_button.painter().PreparePicture(8, 8, &region);
        EXPECT_TRUE(region.isEmpty());
        EXPECT_TRUE(m_button.state().outlineRegion->isEmpty());
    }

    TEST_F(PictureTest, ADisabledPictureIsGreyWhereBlackAndFaceWhereWhite)
    {
        m_host.isEnabled = false;
        m_button.state().bufferDC->setBkColor(0x123456);
        assign(test::bitmapPicture({ { kWhite, kBlack, kWhite }, { kBlack, kBlack, kWhite },
            { kWhite, kWhite, kWhite } }));
        drawAt(10, 5);
        EXPECT_EQ(at(10, 5), kFace);
        EXPECT_EQ(at(11, 5), 0x808080u);
        EXPECT_EQ(at(10, 6), 0x808080u);
        EXPECT_EQ(at(11, 6), 0x808080u);
        EXPECT_EQ(at(12, 6), kFace);
        EXPECT_EQ(at(12, 7), kFace);
        // The buffer's colours and brush are as they were.
        EXPECT_EQ(m_button.state().bufferDC->bkColor(), 0x123456u);
        EXPECT_EQ(m_button.state().bufferDC->brush().color(), 0u);
    }

    TEST_F(PictureTest, IconsKeepTheirOwnMask)
    {
        gdi::BitmapRef colour = gdi::createBitmap(4, 4, 1, 32);
        gdi::BitmapRef mask = gdi::createBitmap(4, 4, 1, 1);
        for (std::int32_t y = 0; y < 4; ++y)
            for (std::int32_t x = 0; x < 4; ++x) {
                // Left half see-through (black image under a set mask bit).
                mask->setBitAt(x, y, x < 2);
                colour->setColorAt(x, y, x < 2 ? kBlack : kRed);
            }
        // An opaque pixel in the top-left pixel's colour stays.
        colour->setColorAt(3, 3, kBlack);
        assign(test::iconPicture(colour, mask));
        ASSERT_EQ(m_button.state().pictureIsIcon, 1);

        drawAt(10, 5);
        EXPECT_EQ(at(10, 5), kFace);
        EXPECT_EQ(at(11, 8), kFace);
        EXPECT_EQ(at(12, 5), kRed);
        EXPECT_EQ(at(13, 8), kBlack);
        EXPECT_FALSE(m_button.state().preparedImage);
    }

    TEST_F(PictureTest, ALargerPictureShrinksToTheDestination)
    {
        gdi::BitmapRef source = gdi::createBitmap(20, 10, 1, 32);
        source->fill(kRed);
        source->setColorAt(0, 0, kWhite);
        ButtonState& s = m_button.state();
        s.preparedWidth = 20;
        s.preparedHeight = 10;
        std::int32_t width = 20;
        std::int32_t height = 10;
        m_button.painter().TransparentBlit(
            *s.bufferDC, { 0, 0, 10, 10 }, source, {}, width, height);
        EXPECT_EQ(width, 10);
        EXPECT_EQ(height, 5);
        EXPECT_EQ(at(5, 2), kRed);
        EXPECT_EQ(at(5, 7), kFace);
    }

    TEST_F(PictureTest, SizesWithoutPixelsMakeNoCopy)
    {
        assign(test::solidPicture(8, 8, kRed));
        m_button.painter().PreparePicture(0, 8, nullptr);
        EXPECT_FALSE(m_button.state().preparedImage);
        m_button.painter().PreparePicture(8, -3, nullptr);
        EXPECT_FALSE(m_button.state().preparedImage);

        gdi::Rect empty { 5, 5, 5, 9 };
        m_button.painter().DrawPicture(empty);
        EXPECT_EQ(test::boxOfChanges(bufferOf(m_button), kFace), gdi::Rect {});
    }

    TEST_F(PictureTest, PictureShapesCoverTheControlLessOnePixelWhilePressed)
    {
        assign(test::solidPicture(8, 8, kRed));
        ButtonState& s = m_button.state();
        s.buttonShape = Shape::PictureFramed;
        gdi::Rect rect { 3, 3, 11, 11 };
        m_button.painter().DrawPicture(rect);
        EXPECT_EQ(rect, (gdi::Rect { 0, 0, 40, 20 }));

        s.stateFlags = kFlagsPressed;
        s.preparedImage.reset();
        m_button.painter().DrawPicture(rect);
        EXPECT_EQ(rect, (gdi::Rect { 1, 1, 39, 19 }));
    }

} // namespace
} // namespace bastara::button
