#include "gdi_test_support.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/draw.h"

#include <array>
#include <climits>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <span>

namespace bastara::gdi {
namespace {

    using test::inkRows;
    using test::makeCanvas;
    using Rows = std::vector<std::string>;

    constexpr ColorRef kInk = 0x0000FF;
    constexpr ColorRef kPaper = 0xFFFFFF;

    TEST(DrawTest, RectangleKeepsItsOutlineInsideTheBounds)
    {
        auto c = makeCanvas(7, 5);
        c.dc->selectObject(createPen(PS_SOLID, 1, kInk));
        c.dc->selectObject(createSolidBrush(0x00FF00));
        rectangle(*c.dc, 1, 1, 6, 4);
        const auto rows = test::rowsOf(
            *c.bitmap, [](ColorRef v) { return v == kInk ? '#' : (v == 0x00FF00 ? 'o' : '.'); });
        EXPECT_EQ(rows, (Rows { ".......", ".#####.", ".#ooo#.", ".#####.", "......." }));

        // Inverted edges are swapped; flat rectangles draw nothing; a 1-pixel
        // high one is all pen.
        auto d = makeCanvas(5, 3);
        d.dc->selectObject(createPen(PS_SOLID, 1, kInk));
        rectangle(*d.dc, 4, 2, 1, 1);
        rectangle(*d.dc, 0, 0, 0, 3);
        EXPECT_EQ(inkRows(*d.bitmap, kInk), (Rows { ".....", ".###.", "....." }));
    }

    TEST(DrawTest, RectangleWithTheFillColourAsPenCoversExactlyTheHalfOpenArea)
    {
        auto c = makeCanvas(6, 4);
        c.dc->selectObject(createPen(PS_SOLID, 1, kInk));
        c.dc->selectObject(createSolidBrush(kInk));
        rectangle(*c.dc, 1, 1, 4, 3);
        EXPECT_EQ(inkRows(*c.bitmap, kInk), (Rows { "......", ".###..", ".###..", "......" }));
    }

    TEST(DrawTest, FillRectExcludesTheRightColumnAndBottomRow)
    {
        auto c = makeCanvas(5, 4);
        fillRect(*c.dc, { 1, 1, 4, 3 }, createSolidBrush(kInk));
        fillRect(*c.dc, { 4, 3, 1, 1 }, createSolidBrush(0)); // inverted: nothing
        fillRect(*c.dc, { 0, 0, 5, 4 }, nullptr); // failed brush: nothing
        EXPECT_EQ(inkRows(*c.bitmap, kInk), (Rows { ".....", ".###.", ".###.", "....." }));
    }

    TEST(DrawTest, PolylineExcludesItsLastPointAndLineToMovesThePosition)
    {
        auto c = makeCanvas(6, 4);
        c.dc->selectObject(createPen(PS_SOLID, 1, kInk));
        const std::array<Point, 3> points { { { 0, 0 }, { 4, 0 }, { 4, 3 } } };
        polyline(*c.dc, points);
        EXPECT_EQ(inkRows(*c.bitmap, kInk), (Rows { "#####.", "....#.", "....#.", "......" }));
        EXPECT_EQ(c.dc->currentPosition(), (Point { 0, 0 }));

        auto d = makeCanvas(4, 2);
        d.dc->selectObject(createPen(PS_SOLID, 1, kInk));
        d.dc->moveTo({ 3, 1 });
        lineTo(*d.dc, 0, 1);
        lineTo(*d.dc, 0, 1); // zero length: nothing
        EXPECT_EQ(d.dc->currentPosition(), (Point { 0, 1 }));
        EXPECT_EQ(inkRows(*d.bitmap, kInk), (Rows { "....", ".###" }));
    }

    std::vector<Point> paintedPixels(Point a, Point b)
    {
        auto c = makeCanvas(9, 9);
        c.dc->selectObject(createPen(PS_SOLID, 1, kInk));
        const std::array<Point, 2> line { { { a.x + 4, a.y + 4 }, { b.x + 4, b.y + 4 } } };
        polyline(*c.dc, line);
        std::vector<Point> pixels;
        for (std::int32_t y = 0; y < 9; ++y)
            for (std::int32_t x = 0; x < 9; ++x)
                if (c.bitmap->colorAt(x, y) == kInk)
                    pixels.push_back({ x - 4, y - 4 });
        return pixels;
    }

    TEST(DrawTest, DiagonalsRoundExactHalvesTowardsMinusInfinity)
    {
        using P = std::vector<Point>;
        EXPECT_EQ(
            paintedPixels({ 0, 0 }, { 4, 2 }), (P { { 0, 0 }, { 1, 0 }, { 2, 1 }, { 3, 1 } }));
        EXPECT_EQ(
            paintedPixels({ 4, 2 }, { 0, 0 }), (P { { 1, 0 }, { 2, 1 }, { 3, 1 }, { 4, 2 } }));
        EXPECT_EQ(
            paintedPixels({ 0, 0 }, { 4, -2 }), (P { { 3, -2 }, { 1, -1 }, { 2, -1 }, { 0, 0 } }));
        // |dx| = |dy|: a clean diagonal.
        EXPECT_EQ(paintedPixels({ 0, 0 }, { -3, 3 }), (P { { 0, 0 }, { -1, 1 }, { -2, 2 } }));
    }

    // The pixels one segment paints on a 60 x 20 canvas.
    std::vector<Point> segmentPixels(Point a, Point b)
    {
        auto c = makeCanvas(60, 20);
        c.dc->selectObject(createPen(PS_SOLID, 1, kInk));
        const std::array<Point, 2> line { { a, b } };
        polyline(*c.dc, line);
        std::vector<Point> pixels;
        for (std::int32_t y = 0; y < 20; ++y)
            for (std::int32_t x = 0; x < 60; ++x)
                if (c.bitmap->colorAt(x, y) == kInk)
                    pixels.push_back({ x, y });
        return pixels;
    }

    std::vector<Point> column(std::int32_t x, std::int32_t y0, std::int32_t y1)
    {
        std::vector<Point> points;
        for (std::int32_t y = y0; y <= y1; ++y)
            points.push_back({ x, y });
        return points;
    }

    std::vector<Point> row(std::int32_t y, std::int32_t x0, std::int32_t x1)
    {
        std::vector<Point> points;
        for (std::int32_t x = x0; x <= x1; ++x)
            points.push_back({ x, y });
        return points;
    }

    TEST(DrawTest, OuterBorderRingOfA60By20ButtonSegmentBySegment)
    {
        EXPECT_EQ(segmentPixels({ 0, 19 }, { 0, 0 }), column(0, 1, 19));
        EXPECT_EQ(segmentPixels({ 0, 0 }, { 59, 0 }), row(0, 0, 58));
        EXPECT_EQ(segmentPixels({ 59, 0 }, { 59, 19 }), column(59, 0, 18));
        EXPECT_EQ(segmentPixels({ 59, 19 }, { -1, 19 }), row(19, 0, 59));
        // The closing segment repaints the bottom line up to the corner.
        EXPECT_EQ(segmentPixels({ -1, 19 }, { 59, 19 }), row(19, 0, 58));
    }

    TEST(DrawTest, DottedPenIsThreeOnThreeOffRestartingPerCallContinuingInAPolyline)
    {
        auto c = makeCanvas(14, 3);
        c.dc->selectObject(createPen(PS_DOT, 1, kInk));
        c.dc->setBkMode(TRANSPARENT);
        const std::array<Point, 3> bent { { { 0, 0 }, { 4, 0 }, { 13, 0 } } };
        polyline(*c.dc, bent);
        c.dc->moveTo({ 0, 2 });
        lineTo(*c.dc, 4, 2);
        lineTo(*c.dc, 13, 2);
        EXPECT_EQ(inkRows(*c.bitmap, kInk),
            (Rows { "###...###...#.", "..............", "###.###...###." }));
    }

    TEST(DrawTest, DottedPenGapsTakeTheBackgroundOnlyWhenOpaque)
    {
        for (int mode : { OPAQUE, TRANSPARENT, 3 }) {
            auto c = makeCanvas(8, 1);
            c.dc->selectObject(createPen(PS_DOT, 1, kInk));
            c.dc->setBkColor(0x00FF00);
            c.dc->setBkMode(mode);
            const std::array<Point, 2> line { { { 0, 0 }, { 8, 0 } } };
            polyline(*c.dc, line);
            EXPECT_EQ(c.dc->bkMode(), mode);
            const auto rows = test::rowsOf(*c.bitmap,
                [](ColorRef v) { return v == kInk ? '#' : (v == 0x00FF00 ? 'o' : '.'); });
            EXPECT_EQ(rows, (Rows { mode == OPAQUE ? "###ooo##" : "###...##" })) << mode;
        }
    }

    TEST(DrawTest, ClippedPixelsStillAdvanceTheDashPattern)
    {
        auto c = makeCanvas(10, 1);
        c.dc->selectObject(createPen(PS_DOT, 1, kInk));
        c.dc->setBkMode(TRANSPARENT);
        c.dc->selectClipRegion(createRectRegion(2, 0, 10, 1));
        const std::array<Point, 2> line { { { 0, 0 }, { 10, 0 } } };
        polyline(*c.dc, line);
        EXPECT_EQ(inkRows(*c.bitmap, kInk), (Rows { "..#...###." }));
    }

    TEST(DrawTest, DottedArcTracesTheEllipseCounterClockwiseFromTheStartRay)
    {
        auto c = makeCanvas(20, 10);
        c.dc->selectObject(createPen(PS_DOT, 1, kInk));
        c.dc->setBkColor(0x00FF00);
        c.dc->setBkMode(OPAQUE);
        arc(*c.dc, 0, 0, 19, 9, 0, 0, 0, 0);
        const auto rows = test::rowsOf(
            *c.bitmap, [](ColorRef v) { return v == kInk ? '#' : (v == 0x00FF00 ? '-' : '.'); });
        EXPECT_EQ(rows,
            (Rows {
                ".....##---###-......",
                "....#.........--....",
                ".##.............##..",
                "#.................#.",
                "-.................-.",
                "-.................-.",
                ".-#.............#-..",
                "...##.........##....",
                ".....---###---......",
                "....................",
            }));
    }

    TEST(DrawTest, ArcTracesTheRimOfTheEllipticRegionOfTheNextLargerBox)
    {
        auto c = makeCanvas(21, 11);
        c.dc->selectObject(createPen(PS_SOLID, 1, kInk));
        arc(*c.dc, 0, 0, 19, 9, 0, 0, 0, 0);
        const auto region = createEllipticRegion(0, 0, 20, 10);
        ASSERT_TRUE(region);
        for (std::int32_t y = 0; y < 11; ++y) {
            for (std::int32_t x = 0; x < 21; ++x) {
                bool rim = region->contains(x, y)
                    && (!region->contains(x - 1, y) || !region->contains(x + 1, y)
                        || !region->contains(x, y - 1) || !region->contains(x, y + 1));
                // The one pixel before the start (3, 1) is the polyline's last point.
                if (x == 3 && y == 1)
                    rim = false;
                EXPECT_EQ(c.bitmap->colorAt(x, y) == kInk, rim) << x << "," << y;
            }
        }
    }

    TEST(DrawTest, SetAndGetPixelRespectTheClipRegion)
    {
        auto c = makeCanvas(4, 4);
        c.dc->selectClipRegion(createRectRegion(0, 0, 2, 2));
        EXPECT_EQ(setPixel(*c.dc, 1, 1, 0x123456), 0x123456u);
        EXPECT_EQ(setPixel(*c.dc, 3, 3, 0x123456), CLR_INVALID);
        EXPECT_EQ(setPixel(*c.dc, -1, 0, 0x123456), CLR_INVALID);
        EXPECT_EQ(getPixel(*c.dc, 1, 1), 0x123456u);
        EXPECT_EQ(getPixel(*c.dc, 3, 3), CLR_INVALID);
        c.dc->selectClipRegion(std::nullopt);
        EXPECT_EQ(getPixel(*c.dc, 3, 3), kPaper);
        EXPECT_EQ(getPixel(*c.dc, 4, 0), CLR_INVALID);
        // Untranslated system colours and other top-byte values draw black.
        EXPECT_EQ(setPixel(*c.dc, 0, 0, 0x80000012), 0u);
        auto mono = makeCanvas(2, 1, 0, PixelFormat::Mono1);
        EXPECT_EQ(setPixel(*mono.dc, 0, 0, 0xC0C0C0), 0xFFFFFFu);
    }

    TEST(DrawTest, FocusRectangleInvertsOddPixelsAndTwiceRestores)
    {
        auto c = makeCanvas(6, 5, 0x808080);
        const Rect r { 0, 0, 6, 5 };
        drawFocusRect(*c.dc, r);
        const Rows expected { ".#.#.#", "#.....", ".....#", "#.....", ".#.#.#" };
        EXPECT_EQ(inkRows(*c.bitmap, 0x7F7F7F), expected);
        drawFocusRect(*c.dc, r);
        EXPECT_EQ(inkRows(*c.bitmap, 0x808080), Rows(5, "######"));
    }

    TEST(DrawTest, FocusRectangleXorsTheTextColourIntoItsGaps)
    {
        auto c = makeCanvas(4, 1, 0);
        c.dc->setTextColor(0x808080);
        drawFocusRect(*c.dc, { 0, 0, 4, 3 });
        EXPECT_EQ(c.bitmap->colorAt(0, 0), 0x808080u); // (x + y) even: text colour
        EXPECT_EQ(c.bitmap->colorAt(1, 0), 0xFFFFFFu); // odd: background colour
        // A rectangle one pixel high XORs its row twice.
        auto d = makeCanvas(4, 1, 0);
        drawFocusRect(*d.dc, { 0, 0, 4, 1 });
        EXPECT_EQ(inkRows(*d.bitmap, 0), Rows { "####" });
    }

    TEST(DrawTest, FrameRegionPaintsInsideWithTheDiagonalNeighbourTest)
    {
        const auto ellipse = createEllipticRegion(0, 0, 20, 10);
        ASSERT_TRUE(ellipse);
        auto c = makeCanvas(20, 10);
        frameRegion(*c.dc, *ellipse, createSolidBrush(kInk), 1, 1);
        EXPECT_EQ(inkRows(*c.bitmap, kInk),
            (Rows {
                ".....#########......",
                "...###.......###....",
                ".###...........###..",
                "##...............##.",
                "#.................#.",
                "##...............##.",
                ".###...........###..",
                "...###.......###....",
                ".....#########......",
                "....................",
            }));
        auto d = makeCanvas(5, 4);
        frameRegion(*d.dc, createRectRegion(1, 0, 5, 4), createSolidBrush(kInk), 1, 1);
        EXPECT_EQ(inkRows(*d.bitmap, kInk), (Rows { ".####", ".#..#", ".#..#", ".####" }));
    }

    TEST(DrawTest, WidePensDrawSolidSquaresCentredOnThePath)
    {
        auto c = makeCanvas(6, 5);
        c.dc->selectObject(createPen(PS_DOT, 2, kInk));
        const std::array<Point, 2> line { { { 1, 2 }, { 5, 2 } } };
        polyline(*c.dc, line);
        EXPECT_EQ(
            inkRows(*c.bitmap, kInk), (Rows { "......", "#####.", "#####.", "......", "......" }));
    }

    // The pen rules one pixel at a time, written from the platform's
    // description rather than from our raster: a segment paints its start and
    // not its end, the minor coordinate is the exact value rounded with halves
    // towards minus infinity (|dx| = |dy| counts as y-major), a dotted pen is
    // 3 on and 3 off from the start of the call, a wider pen a square centred
    // on each pixel; nothing outside the bitmap or the clip.
    class ReferencePen
    {
    public:
        ReferencePen(Bitmap& bitmap, const std::optional<Region>& clip, int style, int width,
            ColorRef colour)
            : m_bitmap(bitmap)
            , m_clip(clip)
            , m_dotted(style == PS_DOT && width <= 1)
            , m_width(std::max(width, 1))
            , m_colour(colour)
        { }

        void polyline(std::span<const Point> points)
        {
            std::int64_t step = 0;
            for (std::size_t k = 0; k + 1 < points.size(); ++k) {
                const Point a = points[k];
                const Point b = points[k + 1];
                const std::int64_t dx = b.x - a.x;
                const std::int64_t dy = b.y - a.y;
                const std::int64_t n = std::max(std::llabs(dx), std::llabs(dy));
                const bool xMajor = std::llabs(dx) > std::llabs(dy);
                for (std::int64_t i = 0; i < n; ++i, ++step) {
                    const std::int64_t x
                        = xMajor ? a.x + (dx > 0 ? i : -i) : a.x + roundHalfDown(dx * i, n);
                    const std::int64_t y
                        = xMajor ? a.y + roundHalfDown(dy * i, n) : a.y + (dy > 0 ? i : -i);
                    if (!m_dotted || step % 6 < 3)
                        paintSquare(std::int32_t(x), std::int32_t(y));
                }
            }
        }

        static bool visible(
            const Bitmap& bitmap, const std::optional<Region>& clip, std::int32_t x, std::int32_t y)
        {
            return bitmap.bounds().contains(x, y) && (!clip || clip->contains(x, y));
        }

    private:
        // round(num / den), den > 0, exact halves down: ceil(num / den - 1/2).
        static std::int64_t roundHalfDown(std::int64_t num, std::int64_t den)
        {
            const std::int64_t a = 2 * num + den - 1;
            const std::int64_t b = 2 * den;
            return a >= 0 ? a / b : -((-a + b - 1) / b);
        }

        void paintSquare(std::int32_t x, std::int32_t y)
        {
            const std::int32_t left = x - m_width / 2;
            const std::int32_t top = y - m_width / 2;
            for (std::int32_t py = top; py < top + m_width; ++py)
                for (std::int32_t px = left; px < left + m_width; ++px)
                    if (visible(m_bitmap, m_clip, px, py))
                        m_bitmap.setColorAt(px, py, m_colour);
        }

        Bitmap& m_bitmap;
        const std::optional<Region>& m_clip;
        bool m_dotted;
        int m_width;
        ColorRef m_colour;
    };

    // Every drawing call with a fast path (solid spans, one-fill rectangles,
    // solid fills, unclipped diagonals) against the rules above, on seeded
    // random shapes under random clip regions.
    TEST(DrawTest, FastPathsPaintWhatThePixelRulesSayUnderAnyClip)
    {
        std::mt19937 random(20261208);
        std::uniform_int_distribution<std::int32_t> x(-4, 28);
        std::uniform_int_distribution<std::int32_t> y(-4, 20);
        std::uniform_int_distribution<int> pick(0, 99);
        const std::pair<int, int> pens[]
            = { { PS_SOLID, 1 }, { PS_DOT, 1 }, { PS_SOLID, 2 }, { PS_SOLID, 3 }, { PS_DOT, 2 } };
        constexpr ColorRef kFill = 0x00FF00;
        for (int iteration = 0; iteration < 1500; ++iteration) {
            auto canvas = makeCanvas(24, 16, kPaper);
            auto expected = makeCanvas(24, 16, kPaper);
            std::optional<Region> clip;
            if (pick(random) < 75) {
                std::vector<Rect> parts(std::size_t(1 + pick(random) % 4));
                for (Rect& r : parts)
                    r = Rect { x(random), y(random), x(random), y(random) }.normalized();
                clip = Region::fromRects(parts);
                canvas.dc->selectClipRegion(*clip);
            }
            canvas.dc->setBkMode(TRANSPARENT);
            const int kind = pick(random) % 3;
            // Rectangles with the one-pixel pens, whose outline rule is the line rule.
            const auto [style, width]
                = pens[std::size_t(pick(random)) % (kind == 1 ? 2 : std::size(pens))];
            canvas.dc->selectObject(createPen(style, width, kInk));
            // The same colour as the pen half the time: the one-fill rectangle.
            const ColorRef brush = pick(random) < 50 ? kInk : kFill;
            canvas.dc->selectObject(createSolidBrush(brush));

            std::string call;
            if (kind == 0) {
                // Segments of every direction, straight ones more often.
                std::vector<Point> points { { x(random), y(random) } };
                for (int k = 0; k < 1 + pick(random) % 3; ++k) {
                    Point next { x(random), y(random) };
                    if (pick(random) < 40)
                        next.y = points.back().y;
                    else if (pick(random) < 60)
                        next.x = points.back().x;
                    points.push_back(next);
                }
                polyline(*canvas.dc, points);
                ReferencePen(*expected.bitmap, clip, style, width, kInk).polyline(points);
                call = "polyline of " + std::to_string(points.size()) + " points";
            } else if (kind == 1) {
                // Small boxes often: 1 x 1, one row, one column.
                const std::int32_t left = x(random);
                const std::int32_t top = y(random);
                const std::int32_t w = pick(random) < 30 ? 1 : 2 + pick(random) % 8;
                const std::int32_t h = pick(random) < 30 ? 1 : 2 + pick(random) % 6;
                const Rect r { left, top, left + w, top + h };
                rectangle(*canvas.dc, r.left, r.top, r.right, r.bottom);
                for (std::int32_t py = r.top + 1; py < r.bottom - 1; ++py)
                    for (std::int32_t px = r.left + 1; px < r.right - 1; ++px)
                        if (ReferencePen::visible(*expected.bitmap, clip, px, py))
                            expected.bitmap->setColorAt(px, py, brush);
                const std::array<Point, 5> outline { Point { r.right - 1, r.top },
                    { r.left, r.top }, { r.left, r.bottom - 1 }, { r.right - 1, r.bottom - 1 },
                    { r.right - 1, r.top } };
                ReferencePen(*expected.bitmap, clip, style, width, kInk).polyline(outline);
                call = "rectangle";
            } else {
                const Rect r { x(random), y(random), x(random), y(random) };
                fillSolidRect(*canvas.dc, r, kInk);
                for (std::int32_t py = r.top; py < r.bottom; ++py)
                    for (std::int32_t px = r.left; px < r.right; ++px)
                        if (ReferencePen::visible(*expected.bitmap, clip, px, py))
                            expected.bitmap->setColorAt(px, py, kInk);
                call = "fillSolidRect";
            }
            auto symbols = [](ColorRef c) { return c == kInk ? '#' : (c == kFill ? 'o' : '.'); };
            ASSERT_EQ(
                test::rowsOf(*canvas.bitmap, symbols), test::rowsOf(*expected.bitmap, symbols))
                << call << ", pen style " << style << " width " << width << ", clip "
                << (clip ? clip->toString() : "none") << ", iteration " << iteration;
        }
    }

    TEST(DrawTest, ExtremeCoordinatesAreClippedWithoutWalkingTheWholeLine)
    {
        auto c = makeCanvas(10, 3);
        c.dc->selectObject(createPen(PS_SOLID, 1, kInk));
        const std::array<Point, 2> huge { { { INT_MIN, 1 }, { INT_MAX, 1 } } };
        polyline(*c.dc, huge);
        EXPECT_EQ(inkRows(*c.bitmap, kInk)[1], "##########");

        // The dash phase still counts the pixels far outside the bitmap.
        auto d = makeCanvas(10, 1);
        d.dc->selectObject(createPen(PS_DOT, 1, kInk));
        d.dc->setBkMode(TRANSPARENT);
        const std::array<Point, 2> far { { { -6000003, 0 }, { 10, 0 } } };
        polyline(*d.dc, far);
        EXPECT_EQ(inkRows(*d.bitmap, kInk), Rows { "...###...#" });

        auto e = makeCanvas(6, 4);
        e.dc->selectObject(createPen(PS_SOLID, 1, kInk));
        e.dc->selectObject(stockNullBrush());
        rectangle(*e.dc, INT_MIN, 1, INT_MAX, INT_MAX);
        EXPECT_EQ(inkRows(*e.bitmap, kInk), (Rows { "......", "######", "......", "......" }));
        drawFocusRect(*e.dc, { INT_MIN, INT_MIN, INT_MAX, INT_MAX });
        arc(*e.dc, INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0, 0, 0);
    }

} // namespace
} // namespace bastara::gdi
