#include "gdi_test_support.h"
#include "platform/gdi/region.h"

#include <array>
#include <climits>
#include <gtest/gtest.h>
#include <random>

namespace bastara::gdi {
namespace {

    // The half-open spans of row y, as "[l,r)" joined by '+'; "" for none.
    std::string rowSpans(const Region& region, std::int32_t y)
    {
        std::string out;
        for (const Rect& r : region.rects()) {
            if (y < r.top || y >= r.bottom)
                continue;
            if (!out.empty())
                out += '+';
            out += '[' + std::to_string(r.left) + ',' + std::to_string(r.right) + ')';
        }
        return out;
    }

    TEST(RegionTest, RectRegionsAreHalfOpenNormalisedAndEmptyWhenFlat)
    {
        const Region r = createRectRegion(10, 8, 2, 3);
        EXPECT_EQ(r.boundingRect(), (Rect { 2, 3, 10, 8 }));
        EXPECT_TRUE(r.contains(2, 3));
        EXPECT_FALSE(r.contains(10, 3));
        EXPECT_FALSE(r.contains(2, 8));
        EXPECT_EQ(r.kind(), RegionKind::Simple);
        EXPECT_TRUE(createRectRegion(5, 0, 5, 10).isEmpty());
        EXPECT_TRUE(createRectRegion(0, 5, 10, 5).isEmpty());
    }

    TEST(RegionTest, EllipticRegionsMatchThePlatformRows)
    {
        // Rows of CreateEllipticRgn for a 20 x 10 button and its two inner
        // regions, as the platform builds them.
        const std::array<const char*, 10> outer = { "[5,14)", "[3,16)", "[1,18)", "[0,19)",
            "[0,19)", "[0,19)", "[1,18)", "[3,16)", "[5,14)", "" };
        const std::array<const char*, 10> outline
            = { "", "[5,14)", "[3,16)", "[1,18)", "[1,18)", "[1,18)", "[3,16)", "[5,14)", "", "" };
        const std::array<const char*, 10> inner
            = { "", "", "[5,14)", "[3,16)", "[2,17)", "[3,16)", "[5,14)", "", "", "" };
        const auto a = createEllipticRegion(0, 0, 20, 10);
        const auto b = createEllipticRegion(1, 1, 19, 9);
        const auto c = createEllipticRegion(2, 2, 18, 8);
        ASSERT_TRUE(a && b && c);
        for (std::int32_t y = 0; y < 10; ++y) {
            EXPECT_EQ(rowSpans(*a, y), outer[std::size_t(y)]) << "row " << y;
            EXPECT_EQ(rowSpans(*b, y), outline[std::size_t(y)]) << "row " << y;
            EXPECT_EQ(rowSpans(*c, y), inner[std::size_t(y)]) << "row " << y;
        }
        Rect box;
        EXPECT_EQ(getRegionBox(*a, box), RegionKind::Complex);
        EXPECT_EQ(box, (Rect { 0, 0, 19, 9 }));
        EXPECT_EQ(a->validate(), "");
    }

    TEST(RegionTest, TinyEllipsesBecomeRectangles)
    {
        const auto r = createEllipticRegion(0, 0, 3, 10);
        ASSERT_TRUE(r);
        EXPECT_EQ(*r, createRectRegion(0, 0, 2, 9));
    }

    TEST(RegionTest, PolygonCornerCutsRemoveThreePixelsEach)
    {
        const std::int32_t W = 29;
        const std::int32_t H = 19;
        struct Case {
            std::array<Point, 3> triangle;
            std::array<Point, 3> pixels;
        };
        const Case cases[] = {
            { { { { 0, 0 }, { 2, 0 }, { 0, 2 } } }, { { { 0, 0 }, { 1, 0 }, { 0, 1 } } } },
            { { { { 0, H }, { 3, H }, { 0, H - 3 } } },
                { { { 0, H - 2 }, { 0, H - 1 }, { 1, H - 1 } } } },
            { { { { W, 0 }, { W - 2, 0 }, { W, 2 } } },
                { { { W - 2, 0 }, { W - 1, 0 }, { W - 1, 1 } } } },
            { { { { W, H }, { W - 3, H }, { W, H - 3 } } },
                { { { W - 1, H - 2 }, { W - 2, H - 1 }, { W - 1, H - 1 } } } },
        };
        for (const Case& c : cases) {
            const auto region = createPolygonRegion(c.triangle, PolyFillMode::Winding);
            ASSERT_TRUE(region);
            std::vector<Rect> expected;
            for (const Point& p : c.pixels)
                expected.push_back({ p.x, p.y, p.x + 1, p.y + 1 });
            EXPECT_EQ(*region, Region::fromRects(expected)) << region->toString();
        }
    }

    TEST(RegionTest, SlantedShapePolygonsKeepTopAndLeftEdges)
    {
        // Left side slanted: row y runs from y to 30.
        const std::array<Point, 4> leftSlant { { { 0, 0 }, { 20, 20 }, { 30, 20 }, { 30, 0 } } };
        const auto shape1 = createPolygonRegion(leftSlant, PolyFillMode::Winding);
        ASSERT_TRUE(shape1);
        for (std::int32_t y = 0; y < 20; ++y)
            EXPECT_EQ(rowSpans(*shape1, y), "[" + std::to_string(y) + ",30)");
        EXPECT_EQ(rowSpans(*shape1, 20), "");

        // Right side slanted: row y runs from 0 to 10 + y.
        const std::array<Point, 4> rightSlant { { { 0, 0 }, { 0, 20 }, { 30, 20 }, { 10, 0 } } };
        const auto shape2 = createPolygonRegion(rightSlant, PolyFillMode::Winding);
        ASSERT_TRUE(shape2);
        for (std::int32_t y = 0; y < 20; ++y)
            EXPECT_EQ(rowSpans(*shape2, y), "[0," + std::to_string(10 + y) + ")");

        const std::array<Point, 4> axisAligned { { { 2, 3 }, { 9, 3 }, { 9, 7 }, { 2, 7 } } };
        EXPECT_EQ(*createPolygonRegion(axisAligned, PolyFillMode::Alternate),
            createRectRegion(2, 3, 9, 7));
    }

    TEST(RegionTest, WindingFillsTheCentreOfAStarAndAlternateLeavesItOut)
    {
        const std::array<Point, 5> star { { { 10, 0 }, { 16, 20 }, { 0, 7 }, { 20, 7 },
            { 4, 20 } } };
        const auto winding = createPolygonRegion(star, PolyFillMode::Winding);
        const auto alternate = createPolygonRegion(star, PolyFillMode::Alternate);
        ASSERT_TRUE(winding && alternate);
        EXPECT_TRUE(winding->contains(10, 10));
        EXPECT_FALSE(alternate->contains(10, 10));
        EXPECT_TRUE(alternate->contains(10, 3));
        EXPECT_EQ(winding->validate(), "");
        EXPECT_EQ(alternate->validate(), "");
    }

    TEST(RegionTest, DegeneratePolygonsAndHugeShapesFailOrStayEmpty)
    {
        EXPECT_FALSE(
            createPolygonRegion(std::array<Point, 1> { { { 1, 1 } } }, PolyFillMode::Winding));
        const std::array<Point, 3> flat { { { 0, 5 }, { 10, 5 }, { 20, 5 } } };
        EXPECT_TRUE(createPolygonRegion(flat, PolyFillMode::Winding)->isEmpty());
        const std::array<Point, 3> tall { { { 0, 0 }, { 10, INT_MAX }, { 0, INT_MAX } } };
        EXPECT_FALSE(createPolygonRegion(tall, PolyFillMode::Winding));
        EXPECT_FALSE(createEllipticRegion(0, 0, 100, 1 << 20));
    }

    TEST(RegionTest, ExtremeCoordinatesAreClampedToTheCoordinateSpace)
    {
        const Region all = createRectRegion(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
        EXPECT_EQ(all.validate(), "");
        EXPECT_TRUE(all.contains(0, 0));
        EXPECT_EQ(all.boundingRect(),
            (Rect { -kMaxCoordinate, -kMaxCoordinate, kMaxCoordinate, kMaxCoordinate }));
        Region moved = all;
        EXPECT_EQ(offsetRegion(moved, 1, 0), RegionKind::Error);
        EXPECT_EQ(moved, all);
    }

    TEST(RegionTest, OffsetBoxAndEmptyRegion)
    {
        Region r = createRectRegion(0, 0, 4, 4);
        combineRegion(r, r, createRectRegion(10, 10, 12, 12), CombineMode::Or);
        EXPECT_EQ(offsetRegion(r, -3, 5), RegionKind::Complex);
        Rect box;
        EXPECT_EQ(getRegionBox(r, box), RegionKind::Complex);
        EXPECT_EQ(box, (Rect { -3, 5, 9, 17 }));
        EXPECT_TRUE(ptInRegion(r, -3, 5));
        EXPECT_FALSE(ptInRegion(r, 1, 9));

        Region empty;
        box = { 1, 2, 3, 4 };
        EXPECT_EQ(getRegionBox(empty, box), RegionKind::Null);
        EXPECT_EQ(box, Rect {});
        EXPECT_EQ(offsetRegion(empty, 5, 5), RegionKind::Null);
    }

    TEST(RegionTest, CombineAllowsTheDestinationToBeAnOperand)
    {
        Region a = createRectRegion(0, 0, 10, 10);
        const Region b = createRectRegion(5, 5, 15, 15);
        EXPECT_EQ(combineRegion(a, a, b, CombineMode::Diff), RegionKind::Complex);
        EXPECT_FALSE(a.contains(5, 5));
        EXPECT_TRUE(a.contains(4, 9));
        Region c = createRectRegion(0, 0, 1, 1);
        EXPECT_EQ(combineRegion(c, b, c, CombineMode::Copy), RegionKind::Simple);
        EXPECT_EQ(c, b);
        EXPECT_EQ(combineRegion(c, b, b, CombineMode::Xor), RegionKind::Null);
    }

    // Seeded random regions checked pixel by pixel against a boolean grid, for
    // every combine mode; each result must also be in canonical form.
    class RegionOracle
    {
    public:
        static constexpr std::int32_t kMin = -4;
        static constexpr std::int32_t kSize = 40;

        explicit RegionOracle(std::mt19937& random)
        {
            std::uniform_int_distribution<std::int32_t> coordinate(kMin, kMin + kSize);
            std::uniform_int_distribution<int> count(0, 6);
            const int n = count(random);
            for (int i = 0; i < n; ++i) {
                const Rect r = Rect { coordinate(random), coordinate(random), coordinate(random),
                    coordinate(random) }
                                   .normalized();
                rects.push_back(r);
                for (std::int32_t y = r.top; y < r.bottom; ++y)
                    for (std::int32_t x = r.left; x < r.right; ++x)
                        set(x, y, true);
            }
            region = Region::fromRects(rects);
        }

        bool at(std::int32_t x, std::int32_t y) const
        {
            return m_grid[std::size_t((y - kMin) * kSize + (x - kMin))];
        }
        void set(std::int32_t x, std::int32_t y, bool v)
        {
            m_grid[std::size_t((y - kMin) * kSize + (x - kMin))] = v;
        }

        std::vector<Rect> rects;
        Region region;

    private:
        std::vector<bool> m_grid = std::vector<bool>(std::size_t(kSize * kSize), false);
    };

    std::string describe(const std::vector<Rect>& rects)
    {
        std::string out;
        for (const Rect& r : rects)
            out += "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ","
                + std::to_string(r.right) + "," + std::to_string(r.bottom) + ") ";
        return out;
    }

    TEST(RegionTest, CombineMatchesAPixelOracleForSeededRandomRegions)
    {
        std::mt19937 random(20240611);
        const std::pair<CombineMode, bool (*)(bool, bool)> modes[] = {
            { CombineMode::And, [](bool a, bool b) { return a && b; } },
            { CombineMode::Or, [](bool a, bool b) { return a || b; } },
            { CombineMode::Xor, [](bool a, bool b) { return a != b; } },
            { CombineMode::Diff, [](bool a, bool b) { return a && !b; } },
        };
        for (int iteration = 0; iteration < 1500; ++iteration) {
            const RegionOracle a(random);
            const RegionOracle b(random);
            ASSERT_EQ(a.region.validate(), "") << describe(a.rects);
            for (const auto& [mode, truth] : modes) {
                Region result;
                const RegionKind kind = combineRegion(result, a.region, b.region, mode);
                ASSERT_EQ(result.validate(), "") << describe(a.rects) << "| " << describe(b.rects);
                Rect box {};
                bool any = false;
                for (std::int32_t y = RegionOracle::kMin;
                     y < RegionOracle::kMin + RegionOracle::kSize; ++y) {
                    for (std::int32_t x = RegionOracle::kMin;
                         x < RegionOracle::kMin + RegionOracle::kSize; ++x) {
                        const bool expected = truth(a.at(x, y), b.at(x, y));
                        ASSERT_EQ(result.contains(x, y), expected)
                            << "mode " << int(mode) << " at " << x << "," << y
                            << " a: " << describe(a.rects) << "b: " << describe(b.rects);
                        if (expected) {
                            box = any ? Rect { std::min(box.left, x), std::min(box.top, y),
                                std::max(box.right, x + 1), std::max(box.bottom, y + 1) }
                                      : Rect { x, y, x + 1, y + 1 };
                            any = true;
                        }
                    }
                }
                EXPECT_EQ(result.boundingRect(), box);
                EXPECT_EQ(kind,
                    !any ? RegionKind::Null
                         : (result.rects().size() == 1 ? RegionKind::Simple : RegionKind::Complex));
            }
            // Canonical form: the same pixel set built two ways compares equal.
            EXPECT_EQ(a.region.united(b.region), b.region.united(a.region));
            EXPECT_EQ(
                a.region.subtracted(b.region).united(a.region.intersected(b.region)), a.region);
        }
    }

    TEST(RegionTest, ContainsARectangleExactlyWhenItHoldsEveryPixelOfIt)
    {
        std::mt19937 random(20261208);
        std::uniform_int_distribution<std::int32_t> coordinate(
            RegionOracle::kMin, RegionOracle::kMin + RegionOracle::kSize);
        for (int iteration = 0; iteration < 3000; ++iteration) {
            const RegionOracle region(random);
            // Random rectangles (inverted and empty ones included), and ones
            // near the region: inside one of its parts, or one pixel past it.
            Rect area { coordinate(random), coordinate(random), coordinate(random),
                coordinate(random) };
            if (!region.rects.empty() && iteration % 2 == 0) {
                const Rect part = region.rects[std::size_t(iteration / 2) % region.rects.size()];
                std::uniform_int_distribution<std::int32_t> nudge(-1, 1);
                area = { part.left + nudge(random), part.top + nudge(random),
                    part.right + nudge(random), part.bottom + nudge(random) };
            }
            constexpr std::int32_t kEnd = RegionOracle::kMin + RegionOracle::kSize;
            bool every = true;
            for (std::int32_t y = area.top; y < area.bottom; ++y)
                for (std::int32_t x = area.left; x < area.right; ++x)
                    every = every && x >= RegionOracle::kMin && x < kEnd && y >= RegionOracle::kMin
                        && y < kEnd && region.at(x, y);
            ASSERT_EQ(region.region.contains(area), every)
                << "area (" << area.left << "," << area.top << "," << area.right << ","
                << area.bottom << ") in " << describe(region.rects);
        }
    }

    TEST(RegionTest, EveryRectangleIsContainedAndGrowingItLeavesTheRegion)
    {
        const auto ellipse = createEllipticRegion(0, 0, 33, 21);
        ASSERT_TRUE(ellipse);
        for (const Rect& r : ellipse->rects()) {
            EXPECT_TRUE(ellipse->contains(r.left, r.top));
            EXPECT_TRUE(ellipse->contains(r.right - 1, r.bottom - 1));
            EXPECT_FALSE(ellipse->contains(r.left - 1, r.top));
            EXPECT_FALSE(ellipse->contains(r.right, r.top));
        }
    }

} // namespace
} // namespace bastara::gdi
