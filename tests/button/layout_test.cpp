#include "button/layout.h"
#include "button_test_support.h"

#include <gtest/gtest.h>
#include <string>

namespace bastara::button {
namespace {

    // Text of a fixed measured size, recording what it was asked to measure.
    struct FixedText {
        FixedText(std::int32_t w, std::int32_t h)
            : width(w)
            , height(h)
        { }

        std::int32_t width;
        std::int32_t height;
        std::u16string measured;
        gdi::Rect box;

        TextMeasure measure()
        {
            return [this](std::u16string_view text, gdi::Rect& r) {
                measured = std::u16string(text);
                box = r;
                r.right = r.left + width;
                r.bottom = r.top + height;
            };
        }
    };

    LayoutInput rectangular(float width, float height)
    {
        LayoutInput in;
        in.scaleWidth = width;
        in.scaleHeight = height;
        in.shapeRight = std::int32_t(width);
        in.caption = u"OK";
        in.captionAlign = CaptionAlignment::Center;
        in.pictureSizePx = 16;
        return in;
    }

    LayoutInput withPicture(LayoutInput in, std::int16_t size, PicturePlacement where)
    {
        in.pictureWidth = 16;
        in.pictureHeight = 16;
        in.pictureSizePx = size;
        in.pictureAlign = where;
        return in;
    }

    TEST(LayoutTest, PictureAtTheLeftEdgeWithACentredCaption)
    {
        FixedText text { 15, 13 };
        const LayoutResult r
            = computeLayout(withPicture(rectangular(100, 30), 16, PicturePlacement::LeftEdge),
                false, text.measure());
        EXPECT_EQ(text.box, (gdi::Rect { 0, 0, 76, 22 }));
        EXPECT_EQ(r.captionRect, (gdi::Rect { 50, 8, 65, 21 }));
        EXPECT_EQ(r.pictureRect, (gdi::Rect { 4, 7, 20, 23 }));
        EXPECT_FALSE(r.preparePicture);
    }

    TEST(LayoutTest, PictureLeftOfACentredCaption)
    {
        FixedText text { 15, 13 };
        const LayoutResult r
            = computeLayout(withPicture(rectangular(100, 30), 16, PicturePlacement::LeftOfCaption),
                false, text.measure());
        EXPECT_EQ(r.captionRect, (gdi::Rect { 52, 8, 67, 21 }));
        EXPECT_EQ(r.pictureRect, (gdi::Rect { 32, 7, 48, 23 }));
    }

    TEST(LayoutTest, PictureAboveTheCaption)
    {
        FixedText text { 20, 13 };
        const LayoutResult r
            = computeLayout(withPicture(rectangular(80, 60), 32, PicturePlacement::TopCenter),
                false, text.measure());
        EXPECT_EQ(text.box, (gdi::Rect { 0, 0, 72, 20 }));
        EXPECT_EQ(r.captionRect, (gdi::Rect { 30, 41, 50, 54 }));
        EXPECT_EQ(r.pictureRect, (gdi::Rect { 24, 7, 56, 39 }));
    }

    TEST(LayoutTest, PictureBelowTheCaption)
    {
        FixedText text { 20, 13 };
        const LayoutResult r
            = computeLayout(withPicture(rectangular(80, 60), 32, PicturePlacement::BottomCenter),
                false, text.measure());
        // h = round(60 - 45) div 2 = 7: caption down by 9, picture at 7 + 13 + 4,
        // its bottom kept above round(SH - 5).
        EXPECT_EQ(r.captionRect, (gdi::Rect { 30, 9, 50, 22 }));
        EXPECT_EQ(r.pictureRect, (gdi::Rect { 24, 24, 56, 55 }));
    }

    TEST(LayoutTest, PictureAtTheRightEdgeWithARightAlignedCaption)
    {
        FixedText text { 15, 13 };
        LayoutInput in = withPicture(rectangular(100, 30), 16, PicturePlacement::RightEdge);
        in.captionAlign = CaptionAlignment::Right;
        const LayoutResult r = computeLayout(in, false, text.measure());
        // dx = 100 - 16 - 4 - 15 - 4; picture left = 100 - 4 - 16.
        EXPECT_EQ(r.captionRect, (gdi::Rect { 61, 8, 76, 21 }));
        EXPECT_EQ(r.pictureRect, (gdi::Rect { 80, 7, 96, 23 }));
    }

    TEST(LayoutTest, DoublePipesAreLineBreaks)
    {
        FixedText text { 10, 10 };
        LayoutInput in = rectangular(100, 30);
        in.caption = u"one||two||three";
        computeLayout(in, false, text.measure());
        EXPECT_EQ(text.measured, u"one\r\ntwo\r\nthree");

        in.caption = u"a|||b";
        computeLayout(in, false, text.measure());
        EXPECT_EQ(text.measured, u"a\r\n|b");
    }

    TEST(LayoutTest, ReliefMakesTheBlockTwoPixelsLarger)
    {
        FixedText text { 15, 13 };
        LayoutInput in = rectangular(100, 40);
        const gdi::Rect flat = computeLayout(in, false, text.measure()).captionRect;
        in.captionStyle = CaptionEffect::Engraved;
        const gdi::Rect engraved = computeLayout(in, false, text.measure()).captionRect;
        EXPECT_EQ(flat.width() + 2, engraved.width());
        EXPECT_EQ(flat.height() + 2, engraved.height());
    }

    TEST(LayoutTest, WithoutAPictureTheCaptionIsCentredVertically)
    {
        FixedText text { 20, 13 };
        EXPECT_EQ(computeLayout(rectangular(80, 31), false, text.measure()).captionRect,
            (gdi::Rect { 30, 9, 50, 22 }));
        // Never above 4, never below round(SH - 5).
        FixedText tall { 20, 40 };
        EXPECT_EQ(computeLayout(rectangular(80, 31), false, tall.measure()).captionRect,
            (gdi::Rect { 30, 4, 50, 26 }));
    }

    TEST(LayoutTest, FillSizeCoversTheFaceLessAMargin)
    {
        FixedText text { 15, 13 };
        LayoutInput in = withPicture(rectangular(100, 30), 40, PicturePlacement::LeftEdge);
        LayoutResult r = computeLayout(in, false, text.measure());
        EXPECT_EQ(r.pictureRect, (gdi::Rect { 3, 3, 97, 27 }));
        EXPECT_TRUE(r.preparePicture);
        // No reservation: the caption measures the whole width.
        EXPECT_EQ(text.box.right, 92);

        in.shape = Shape::OvalFramed;
        r = computeLayout(in, false, text.measure());
        EXPECT_EQ(r.pictureRect, (gdi::Rect { 1, 1, 99, 29 }));
    }

    TEST(LayoutTest, FitSizeCentresThePictureWithItsAspectRatio)
    {
        FixedText text { 15, 13 };
        LayoutInput in = withPicture(rectangular(100, 40), 48, PicturePlacement::LeftEdge);
        in.pictureWidth = 40;
        in.pictureHeight = 20;
        const LayoutResult r = computeLayout(in, false, text.measure());
        // Into 88 x 28: scale 1.4 -> 56 x 28.
        EXPECT_EQ(r.pictureRect, (gdi::Rect { 22, 6, 78, 34 }));
        EXPECT_TRUE(r.preparePicture);
    }

    TEST(LayoutTest, ATopPictureWithoutReservationStillMovesTheCaptionTwoDown)
    {
        FixedText text { 20, 14 };
        LayoutInput in = withPicture(rectangular(80, 40), 40, PicturePlacement::TopCenter);
        const LayoutResult r = computeLayout(in, false, text.measure());
        // t = round(40 - 14) div 2 = 13; the caption moves by t + 2.
        EXPECT_EQ(r.captionRect.top, 15);
    }

    TEST(LayoutTest, ValuesOutsideTheEnumerationsDoNotReachAnyTable)
    {
        FixedText text { 10, 13 };
        LayoutInput in = withPicture(rectangular(60, 20), 16, PicturePlacement(9));
        in.shape = Shape(42);
        in.captionAlign = CaptionAlignment(7);
        const LayoutResult r = computeLayout(in, false, text.measure());
        EXPECT_EQ(r.captionRect.left, 4);
    }

    TEST(FitPictureSizeTest, ScalesBothWaysAndRoundsTiesToEven)
    {
        EXPECT_EQ(FitPictureSize(16, 8, 64, 64), (gdi::Size { 64, 32 }));
        EXPECT_EQ(FitPictureSize(64, 32, 16, 16), (gdi::Size { 16, 8 }));
        EXPECT_EQ(FitPictureSize(3, 2, 1000, 1), (gdi::Size { 2, 1 })); // 1.5 -> 2
        EXPECT_EQ(FitPictureSize(201, 2, 1000, 1), (gdi::Size { 100, 1 })); // 100.5 -> 100
        // A zero side has no ratio.
        EXPECT_EQ(FitPictureSize(0, 16, 64, 64), (gdi::Size { 0, 0 }));
    }

    // With the real text engine and the caption font.
    class MeasuredLayoutTest : public testing::Test
    {
    protected:
        void SetUp() override
        {
            test::useFormFonts();
            m_host.control = &m_button;
            m_button.state().captionAlign = CaptionAlignment::Center;
            m_button.state().shapeRight = 100;
        }

        std::int32_t lineHeight() { return gdi::getTextMetrics(*m_button.state().bufferDC).height; }

        test::FakeHost m_host { 100, 90 };
        Button m_button { m_host };
    };

    TEST_F(MeasuredLayoutTest, PipesGiveOneLinePerPart)
    {
        m_button.state().captionText = u"one||two";
        m_button.onHostResize();
        EXPECT_EQ(m_button.state().captionRect.height(), 2 * lineHeight());

        m_button.state().captionText = u"one||two||six";
        m_button.CalculateLayout(kFalse);
        EXPECT_EQ(m_button.state().captionRect.height(), 3 * lineHeight());
    }

    TEST_F(MeasuredLayoutTest, ALongCaptionWrapsAtWordsAndIsClipped)
    {
        m_host.resizeSurface(60, 30);
        m_button.state().shapeRight = 60;
        m_button.state().captionText = u"Create the new database now";
        m_button.onHostResize();
        const gdi::Rect r = m_button.state().captionRect;
        EXPECT_LE(r.right, 60 - 4);
        EXPECT_LE(r.bottom, 25);
        EXPECT_GE(r.left, 4);
        // More than one line was laid out: the block reaches the bottom margin.
        EXPECT_EQ(r.bottom, 25);
    }

    TEST(SpokenCaptionTest, ReadsWhatIsDrawnOnOneLine)
    {
        struct Row {
            std::u16string caption;
            std::u16string spoken;
        };
        const Row rows[] = {
            { u"ساخت بانک اطلاعاتي", u"ساخت بانک اطلاعاتي" },
            { u"E&xit", u"Exit" },
            { u"Save && E&xit", u"Save & Exit" },
            { u"First||Second||Third", u"First Second Third" },
            { u"|||", u" |" },
            { u"50&", u"50&" }, // drawn as it is at the very end
            { u"Half&||Way", u"Half Way" }, // dropped before a line break
            { u"Line\r\nbreak", u"Line break" },
            { u"", u"" },
        };
        for (const Row& row : rows)
            EXPECT_EQ(spokenCaption(row.caption), row.spoken);
    }

} // namespace
} // namespace bastara::button
