#include "gdi_test_support.h"
#include "platform/gdi/internal/text_layout.h"
#include "platform/gdi/text.h"

#include <QImage>
#include <QPainter>
#include <climits>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace bastara::gdi {
namespace {

    using test::makeCanvas;

    constexpr ColorRef kPaper = 0xFFFFFF;
    constexpr ColorRef kText = 0x000000;

    FontRef latinFont(std::int32_t height = -16)
    {
        LogFont f;
        f.height = height;
        f.faceName = u"Liberation Serif";
        return createFontIndirect(f);
    }

    FontRef persianFont()
    {
        LogFont f;
        f.height = -24;
        f.faceName = u"Noto Naskh Arabic";
        return createFontIndirect(f);
    }

    test::Canvas textCanvas(std::int32_t width, std::int32_t height, FontRef font = latinFont())
    {
        auto c = makeCanvas(width, height, kPaper);
        c.dc->selectObject(std::move(font));
        c.dc->setBkMode(TRANSPARENT);
        return c;
    }

    Rect measure(DeviceContext& dc, std::u16string_view text, std::int32_t width,
        std::uint32_t format = DT_WORDBREAK)
    {
        Rect r { 0, 0, width, 0 };
        drawText(dc, text, r, format | DT_CALCRECT);
        return r;
    }

    // Any pixel that is not paper counts as ink (text is antialiased).
    Rect inkBounds(const Bitmap& b)
    {
        Rect box { b.width(), b.height(), 0, 0 };
        for (std::int32_t y = 0; y < b.height(); ++y)
            for (std::int32_t x = 0; x < b.width(); ++x)
                if (b.colorAt(x, y) != kPaper)
                    box = { std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                        std::max(box.bottom, y + 1) };
        return box;
    }

    std::vector<std::string> pixels(const Bitmap& b)
    {
        return test::rowsOf(
            b, [](ColorRef c) { return c == kPaper ? '.' : (c == kText ? '#' : '+'); });
    }

    std::vector<std::string> draw(
        std::u16string_view text, std::uint32_t format, Rect rect = { 2, 2, 118, 40 })
    {
        auto c = textCanvas(120, 44);
        drawText(*c.dc, text, rect, format);
        return pixels(*c.bitmap);
    }

    TEST(TextTest, CalcRectMeasuresWithoutDrawingAndMatchesTheMetrics)
    {
        auto c = textCanvas(100, 40);
        const TextMetrics metrics = getTextMetrics(*c.dc);
        EXPECT_GT(metrics.height, 16);
        EXPECT_EQ(metrics.height, metrics.ascent + metrics.descent);
        Rect r { 5, 7, 100, 999 };
        const std::int32_t height = drawText(*c.dc, u"Hello", r, DT_CALCRECT);
        EXPECT_EQ(height, metrics.height);
        EXPECT_EQ(r.top, 7);
        EXPECT_EQ(r.bottom, 7 + metrics.height);
        EXPECT_EQ(r.width(), getTextExtent(*c.dc, u"Hello").width);
        EXPECT_GT(r.width(), 20);
        EXPECT_EQ(inkBounds(*c.bitmap).right, 0) << "DT_CALCRECT must not draw";

        Rect empty { 3, 4, 50, 60 };
        EXPECT_EQ(drawText(*c.dc, u"", empty, DT_CALCRECT), 0);
        EXPECT_EQ(empty, (Rect { 3, 4, 3, 4 }));
    }

    TEST(TextTest, DrawnInkStaysInsideTheMeasuredRectangle)
    {
        auto c = textCanvas(200, 80);
        Rect r = measure(*c.dc, u"Create the table now", 90);
        r = r.translated(20, 10);
        const Rect measured = r;
        drawText(*c.dc, u"Create the table now", r, DT_WORDBREAK | DT_NOCLIP);
        EXPECT_EQ(r, measured) << "drawing must not change the rectangle";
        const Rect ink = inkBounds(*c.bitmap);
        EXPECT_GE(ink.left, measured.left);
        EXPECT_LE(ink.right, measured.right);
        EXPECT_GE(ink.top, measured.top);
        EXPECT_LE(ink.bottom, measured.bottom);
        EXPECT_GT(measured.height(), getTextMetrics(*c.dc).height) << "expected wrapping";
    }

    TEST(TextTest, AmpersandPrefixUnderlinesOneCharacterAndDoubleAmpersandShowsOne)
    {
        auto c = textCanvas(10, 10);
        const std::int32_t ascent = getTextMetrics(*c.dc).ascent;
        EXPECT_EQ(measure(*c.dc, u"&x", 100).width(), measure(*c.dc, u"x", 100).width());
        EXPECT_EQ(
            measure(*c.dc, u"&&", 100).width(), measure(*c.dc, u"&", 100, DT_NOPREFIX).width());

        // "&&" draws exactly what an unprocessed "&" draws.
        EXPECT_EQ(draw(u"A&&B", 0), draw(u"A&B", DT_NOPREFIX));
        // "&x" draws x plus a 1-pixel line at top + ascent + 1 under it.
        const auto plain = draw(u"x", 0);
        const auto prefixed = draw(u"&x", 0);
        const auto underlineRow = std::size_t(2 + ascent + 1);
        for (std::size_t y = 0; y < plain.size(); ++y) {
            if (y != underlineRow) {
                EXPECT_EQ(prefixed[y], plain[y]) << "row " << y;
            }
        }
        const std::string& line = prefixed[underlineRow];
        const auto first = line.find('#');
        const auto last = line.rfind('#');
        ASSERT_NE(first, std::string::npos);
        EXPECT_EQ(line.substr(first, last - first + 1), std::string(last - first + 1, '#'));
        const std::int32_t cell = measure(*c.dc, u"x", 100).width();
        EXPECT_EQ(std::int32_t(last - first + 1), cell - 1);
        EXPECT_EQ(first, 2u);

        EXPECT_EQ(draw(u"&x", DT_HIDEPREFIX), plain);
        EXPECT_GT(measure(*c.dc, u"&x", 100, DT_NOPREFIX).width(), cell);
    }

    TEST(TextTest, OnlyTheLastPrefixOfALineIsUnderlinedAndLoneAmpersandsFollowTheRules)
    {
        EXPECT_EQ(draw(u"&a&b", 0), draw(u"a&b", 0));
        // A single "&" at the very end is drawn; before a line break it is dropped.
        EXPECT_EQ(draw(u"ab&", 0), draw(u"ab&", DT_NOPREFIX));
        EXPECT_EQ(draw(u"ab&\r\ncd", 0), draw(u"ab\r\ncd", 0));
    }

    TEST(TextTest, LineBreaksFollowCrLfRules)
    {
        auto c = textCanvas(10, 10);
        const std::int32_t h = getTextMetrics(*c.dc).height;
        EXPECT_EQ(measure(*c.dc, u"one\r\ntwo", 200).height(), 2 * h);
        EXPECT_EQ(measure(*c.dc, u"one\n\rtwo", 200).height(), 2 * h);
        EXPECT_EQ(measure(*c.dc, u"one\rtwo\nthree", 200).height(), 3 * h);
        EXPECT_EQ(measure(*c.dc, u"one\r\rtwo", 200).height(), 3 * h);
        EXPECT_EQ(measure(*c.dc, u"one\r\n", 200).height(), h);
        EXPECT_EQ(measure(*c.dc, u"one\r\ntwo", 200, DT_SINGLELINE).height(), h);
        // The widest line sets the width.
        EXPECT_EQ(measure(*c.dc, u"a\r\nwide line", 200).width(),
            measure(*c.dc, u"wide line", 200).width());
    }

    TEST(TextTest, WordBreakKeepsTheBreakSpaceOnlyForLeftAlignment)
    {
        auto c = textCanvas(10, 10);
        const std::int32_t h = getTextMetrics(*c.dc).height;
        const std::int32_t withSpace = measure(*c.dc, u"aaa ", 1000).width();
        const std::int32_t word = measure(*c.dc, u"aaa", 1000).width();
        ASSERT_GT(withSpace, word);

        Rect left = measure(*c.dc, u"aaa bbb", withSpace);
        EXPECT_EQ(left.height(), 2 * h);
        EXPECT_EQ(left.width(), withSpace);
        Rect centre = measure(*c.dc, u"aaa bbb", withSpace, DT_WORDBREAK | DT_CENTER);
        EXPECT_EQ(centre.height(), 2 * h);
        EXPECT_EQ(centre.width(), std::max(word, measure(*c.dc, u"bbb", 1000).width()));
        // When the space itself does not fit, it is dropped for every alignment.
        const Rect tight = measure(*c.dc, u"aaa bbb", word);
        EXPECT_EQ(tight.height(), 2 * h);
        EXPECT_EQ(tight.width(), std::max(word, measure(*c.dc, u"bbb", 1000).width()));
    }

    TEST(TextTest, LongWordsAreNeverSplitAndNonPositiveWidthsBreakAtEverySpace)
    {
        auto c = textCanvas(10, 10);
        const std::int32_t h = getTextMetrics(*c.dc).height;
        const Rect r = measure(*c.dc, u"extraordinarily xy", 10);
        EXPECT_EQ(r.height(), 2 * h);
        EXPECT_EQ(r.width(), measure(*c.dc, u"extraordinarily", 1000).width());
        EXPECT_EQ(measure(*c.dc, u"a b c", 0).height(), 3 * h);
        EXPECT_EQ(measure(*c.dc, u"a b c", -5).height(), 3 * h);
        EXPECT_EQ(measure(*c.dc, u"a b c", 1000, 0).height(), h) << "no DT_WORDBREAK, no wrapping";
    }

    TEST(TextTest, AlignmentPlacesEachLineByItsOwnWidth)
    {
        auto c = textCanvas(10, 10);
        const std::int32_t w = measure(*c.dc, u"Save", 1000).width();
        const std::int32_t x = (0 + 117 - w) / 2;
        EXPECT_EQ(draw(u"Save", DT_CENTER, { 0, 2, 117, 40 }),
            draw(u"Save", DT_LEFT, { x, 2, x + w, 40 }));
        EXPECT_EQ(draw(u"Save", DT_RIGHT, { 0, 2, 117, 40 }),
            draw(u"Save", DT_LEFT, { 117 - w, 2, 117, 40 }));
    }

    TEST(TextTest, TextIsClippedToItsRectangleUnlessNoClip)
    {
        auto c = textCanvas(120, 40);
        Rect r { 10, 5, 30, 12 };
        drawText(*c.dc, u"Clipped text", r, 0);
        const Rect ink = inkBounds(*c.bitmap);
        EXPECT_GE(ink.left, 10);
        EXPECT_LE(ink.right, 30);
        EXPECT_LE(ink.bottom, 12);
        auto d = textCanvas(120, 40);
        drawText(*d.dc, u"Clipped text", r, DT_NOCLIP);
        EXPECT_GT(inkBounds(*d.bitmap).right, 30);
    }

    TEST(TextTest, OpaqueModeFillsOnlyTheLineCellsAndModeThreeIsTransparent)
    {
        auto c = textCanvas(100, 30);
        c.dc->setBkMode(OPAQUE);
        c.dc->setBkColor(0x00FF00);
        Rect r { 0, 0, 100, 30 };
        drawText(*c.dc, u"Hi", r, 0);
        const Rect cell = measure(*c.dc, u"Hi", 100);
        EXPECT_EQ(c.bitmap->colorAt(cell.right - 1, cell.bottom - 1), 0x00FF00u);
        EXPECT_EQ(c.bitmap->colorAt(cell.right, 0), kPaper);
        EXPECT_EQ(c.bitmap->colorAt(0, cell.bottom), kPaper);

        auto d = textCanvas(100, 30);
        d.dc->setBkMode(3);
        d.dc->setBkColor(0x00FF00);
        drawText(*d.dc, u"Hi", r, 0);
        EXPECT_EQ(d.bitmap->colorAt(cell.right - 1, cell.bottom - 1), kPaper);
    }

    TEST(TextTest, TextColourAndMonochromeTargets)
    {
        auto c = textCanvas(60, 30);
        c.dc->setTextColor(0x0000FF);
        Rect r { 0, 0, 60, 30 };
        drawText(*c.dc, u"Hi", r, 0);
        bool sawRed = false;
        for (std::int32_t y = 0; y < 30; ++y)
            for (std::int32_t x = 0; x < 60; ++x)
                sawRed = sawRed || c.bitmap->colorAt(x, y) == 0x0000FFu;
        EXPECT_TRUE(sawRed);

        auto mono = makeCanvas(60, 30, kPaper, PixelFormat::Mono1);
        mono.dc->selectObject(latinFont());
        drawText(*mono.dc, u"Hi", r, 0);
        EXPECT_LT(inkBounds(*mono.bitmap).left, 30);
    }

    // Glyphs are rasterised once per laid-out line and blended in per draw;
    // the blend is Qt's own for antialiased text, so the pixels are those of
    // Qt drawing the same glyphs, except where two glyphs of a joined word
    // overlap (Qt rounds after each glyph, the coverage once): one level there.
    TEST(TextTest, GlyphsBlendAsQtDrawsThemToWithinOneLevel)
    {
        const std::u16string caption = u"\u0633\u0627\u062E\u062A \u0628\u0627\u0646\u06A9 AB";
        constexpr ColorRef kFace = 0x4080C0;
        constexpr ColorRef kInkColour = 0xA06020;
        auto c = textCanvas(200, 50, persianFont());
        c.bitmap->fill(kFace);
        c.dc->setTextColor(kInkColour);
        const Rect r { 3, 4, 197, 46 };
        Rect drawn = r;
        drawText(*c.dc, caption, drawn, DT_LEFT);

        const auto layout = detail::layoutText(c.dc->font().logFont(), caption, r.width(), DT_LEFT);
        ASSERT_TRUE(layout);
        QImage qt(200, 50, QImage::Format_RGB32);
        qt.fill(QColor(redOf(kFace), greenOf(kFace), blueOf(kFace)));
        {
            QPainter painter(&qt);
            painter.setPen(QColor(redOf(kInkColour), greenOf(kInkColour), blueOf(kInkColour)));
            const detail::LaidOutLine& line = layout->lines.front();
            for (const QGlyphRun& run : line.runs)
                painter.drawGlyphRun(QPointF(r.left, r.top + layout->ascent - line.baseline), run);
        }
        int inked = 0;
        int differing = 0;
        for (std::int32_t y = 0; y < 50; ++y)
            for (std::int32_t x = 0; x < 200; ++x) {
                const QRgb expected = qt.pixel(x, y);
                const ColorRef actual = c.bitmap->colorAt(x, y);
                inked += actual != kFace;
                differing += rgb(qRed(expected), qGreen(expected), qBlue(expected)) != actual;
                ASSERT_LE(std::abs(qRed(expected) - redOf(actual)), 1) << x << "," << y;
                ASSERT_LE(std::abs(qGreen(expected) - greenOf(actual)), 1) << x << "," << y;
                ASSERT_LE(std::abs(qBlue(expected) - blueOf(actual)), 1) << x << "," << y;
            }
        EXPECT_GT(inked, 300);
        EXPECT_LT(differing * 20, inked) << "joins only";
    }

    TEST(TextTest, TextDrawnElsewhereIsTheSamePixelsMoved)
    {
        auto first = textCanvas(120, 44, persianFont());
        auto moved = textCanvas(120, 44, persianFont());
        Rect r { 2, 2, 100, 36 };
        Rect elsewhere = r.translated(7, 3);
        drawText(*first.dc, u"\u0628\u0627\u0646\u06A9 Ab", r, 0);
        drawText(*moved.dc, u"\u0628\u0627\u0646\u06A9 Ab", elsewhere, 0);
        ASSERT_GT(inkBounds(*first.bitmap).right, 0);
        for (std::int32_t y = 0; y + 3 < 44; ++y)
            for (std::int32_t x = 0; x + 7 < 120; ++x)
                ASSERT_EQ(first.bitmap->colorAt(x, y), moved.bitmap->colorAt(x + 7, y + 3))
                    << x << "," << y;
    }

    // A line far larger than any caption is drawn straight by Qt instead of
    // through a coverage mask: still drawn.
    TEST(TextTest, GlyphsTooLargeForAMaskAreStillDrawn)
    {
        auto probe = textCanvas(60, 60, latinFont(-1500));
        const std::int32_t advance = measure(*probe.dc, u"I", 100000).width();
        const TextMetrics metrics = getTextMetrics(*probe.dc);
        // The canvas shows the middle of the first letter's stem.
        Rect r { 30 - advance / 2, -metrics.ascent / 2, 100000, 100000 };
        drawText(*probe.dc, u"IIIIIIIIII", r, DT_NOCLIP);
        EXPECT_EQ(probe.bitmap->colorAt(30, 30), kText);
    }

    TEST(TextTest, ExtremeRectanglesAreClampedNotOverflowed)
    {
        auto c = textCanvas(40, 20);
        Rect huge { INT_MIN, INT_MIN, INT_MAX, INT_MAX };
        drawText(*c.dc, u"Wide", huge, DT_CENTER | DT_WORDBREAK);
        Rect measured = huge;
        drawText(*c.dc, u"Wide", measured, DT_CALCRECT);
        EXPECT_EQ(measured.left, -kMaxCoordinate);
        EXPECT_GT(measured.right, measured.left);
        Rect zero { 0, 0, 0, 0 };
        EXPECT_GT(drawText(*c.dc, u"one two", zero, DT_CALCRECT | DT_WORDBREAK), 0);
    }

    TEST(TextTest, FontUnderlineAttributeDrawsALine)
    {
        LogFont f;
        f.height = -16;
        f.faceName = u"Liberation Serif";
        f.underline = 1;
        auto c = textCanvas(120, 44, createFontIndirect(f));
        Rect r { 2, 2, 118, 40 };
        drawText(*c.dc, u"xx", r, 0);
        EXPECT_NE(pixels(*c.bitmap), draw(u"xx", 0));
    }

    // Which side of the drawn word holds the ink of the tall alef.
    std::int32_t alefSide(std::u16string_view word, std::int32_t dalTop)
    {
        auto c = textCanvas(120, 44, persianFont());
        Rect r { 2, 2, 118, 40 };
        drawText(*c.dc, word, r, 0);
        const Rect ink = inkBounds(*c.bitmap);
        std::int64_t sum = 0;
        std::int64_t count = 0;
        for (std::int32_t y = 0; y < dalTop; ++y)
            for (std::int32_t x = 0; x < 120; ++x)
                if (c.bitmap->colorAt(x, y) != kPaper) {
                    sum += x;
                    ++count;
                }
        if (count == 0)
            return 0;
        return sum / count > (ink.left + ink.right) / 2 ? 1 : -1;
    }

    TEST(TextTest, PersianIsShapedRightToLeft)
    {
        // Alef and dal never join to the next letter, so each keeps its own
        // shape; alef is the taller one.
        auto probe = textCanvas(120, 44, persianFont());
        Rect r { 2, 2, 118, 40 };
        drawText(*probe.dc, u"\u062F", r, 0);
        const std::int32_t dalTop = inkBounds(*probe.bitmap).top;
        auto alef = textCanvas(120, 44, persianFont());
        drawText(*alef.dc, u"\u0627", r, 0);
        ASSERT_LT(inkBounds(*alef.bitmap).top, dalTop - 2);

        // The first logical letter ends up on the right.
        EXPECT_EQ(alefSide(u"\u0627\u062F", dalTop), 1);
        EXPECT_EQ(alefSide(u"\u062F\u0627", dalTop), -1);
    }

    TEST(TextTest, MixedLinesRunLeftToRight)
    {
        // The paragraph is left to right whatever its first strong character:
        // Latin text written first stays on the left of a Persian word.
        auto mixed = textCanvas(120, 44, persianFont());
        auto latin = textCanvas(120, 44, persianFont());
        Rect r { 2, 2, 118, 40 };
        drawText(*mixed.dc, u"AB \u0627\u062F", r, 0);
        drawText(*latin.dc, u"AB", r, 0);
        const std::int32_t abWidth = measure(*latin.dc, u"AB", 1000).width();
        for (std::int32_t y = 0; y < 44; ++y)
            for (std::int32_t x = 0; x < 2 + abWidth; ++x)
                ASSERT_EQ(mixed.bitmap->colorAt(x, y), latin.bitmap->colorAt(x, y))
                    << x << "," << y;
        EXPECT_GT(inkBounds(*mixed.bitmap).right, 2 + abWidth + 4);

        auto rtl = textCanvas(120, 44, persianFont());
        drawText(*rtl.dc, u"AB \u0627\u062F", r, DT_RTLREADING);
        EXPECT_NE(test::rowsOf(*rtl.bitmap, [](ColorRef c) { return c == kPaper ? '.' : '#'; }),
            test::rowsOf(*mixed.bitmap, [](ColorRef c) { return c == kPaper ? '.' : '#'; }));
    }

    TEST(TextTest, RedrawingTheSameTextShapesNothing)
    {
        auto c = textCanvas(120, 44);
        clearTextCache();
        Rect r = measure(*c.dc, u"Cached caption", 300);
        EXPECT_EQ(textCacheStats().misses, 1u);
        // Into the measured box: it fits there as it did at 300, unbroken.
        drawText(*c.dc, u"Cached caption", r, DT_WORDBREAK);
        drawText(*c.dc, u"Cached caption", r, DT_WORDBREAK);
        Rect moved = r.translated(1, 1);
        drawText(*c.dc, u"Cached caption", moved, DT_WORDBREAK);
        const TextCacheStats stats = textCacheStats();
        EXPECT_EQ(stats.misses, 1u) << "one layout for every width the caption fits in";
        EXPECT_EQ(stats.hits, 3u);
        drawText(*c.dc, u"Other caption", r, DT_WORDBREAK);
        EXPECT_EQ(textCacheStats().misses, 2u);
        // A recreated font with the same LOGFONT shares the cached layouts.
        c.dc->selectObject(latinFont());
        drawText(*c.dc, u"Other caption", r, DT_WORDBREAK);
        EXPECT_EQ(textCacheStats().misses, 2u);
    }

    // Narrower than its widest line, the text breaks: a layout of its own,
    // and the unbroken one stays right for the wide box.
    TEST(TextTest, AWidthTooNarrowForTheUnbrokenTextLaysItOutAgain)
    {
        auto c = textCanvas(200, 60);
        clearTextCache();
        const Rect wide = measure(*c.dc, u"Cached caption", 300);
        const Rect narrow = measure(*c.dc, u"Cached caption", wide.width() - 1);
        EXPECT_EQ(textCacheStats().misses, 2u);
        EXPECT_EQ(narrow.height(), 2 * wide.height());
        EXPECT_EQ(measure(*c.dc, u"Cached caption", wide.width()).height(), wide.height());
        EXPECT_EQ(textCacheStats().misses, 2u);
    }

} // namespace
} // namespace bastara::gdi
