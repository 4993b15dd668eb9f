#pragma once

// Regions: sets of pixels, with the GDI factories and operations.
//
//     Region r = createRectRegion(0, 0, 60, 20);
//     Region corner = createRectRegion(0, 0, 1, 1);
//     combineRegion(r, r, corner, CombineMode::Diff);   // RegionKind::Complex
//
// Region is a value type: copying copies the pixel set, and nothing else
// refers to it. That matches the two ownership rules the callers rely on:
// selectClipRegion keeps a copy, and a window region is handed over by value.
//
// Representation (y-x banded, like X11 and Skia regions): m_rects is a list of
// non-empty rectangles sorted by (top, left). Rectangles with the same top form
// a band; every rectangle of a band has the same top and bottom, bands do not
// overlap and are sorted by top. Inside a band the rectangles are sorted by
// left and neither overlap nor touch (touching spans are merged). Two vertically
// adjacent bands never have identical spans (they are merged into one band).
// This form is unique for a pixel set, so equality is a comparison of the
// lists. validate() checks every invariant; tests and fuzzers call it.
//
// Coordinates are limited to +-2^27 (the device coordinate space of the
// platform); factories clamp to it and offsetRegion refuses to leave it.

#include "platform/gdi/types.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace bastara::gdi {

inline constexpr std::int32_t kMaxCoordinate = 1 << 27;

// The results of the region calls: ERROR, NULLREGION, SIMPLEREGION, COMPLEXREGION.
enum class RegionKind {
    Error = 0,
    Null = 1,
    Simple = 2,
    Complex = 3,
};

// CombineRgn modes RGN_AND .. RGN_COPY.
enum class CombineMode {
    And = 1,
    Or = 2,
    Xor = 3,
    Diff = 4, // first minus second
    Copy = 5,
};

// Polygon fill modes ALTERNATE and WINDING.
enum class PolyFillMode {
    Alternate = 1,
    Winding = 2,
};

class Region
{
public:
    Region() = default; // the empty region

    static Region fromRect(const Rect& rect);
    // Union of arbitrary (possibly overlapping, possibly empty) rectangles.
    static Region fromRects(std::span<const Rect> rects);

    bool isEmpty() const { return m_rects.empty(); }
    // Tight bounding box; (0, 0, 0, 0) when empty.
    Rect boundingRect() const { return m_bounds; }
    RegionKind kind() const;
    bool contains(std::int32_t x, std::int32_t y) const;
    // Every pixel of `area` is in the region (true for an empty area).
    bool contains(const Rect& area) const;
    const std::vector<Rect>& rects() const { return m_rects; }

    Region united(const Region& other) const;
    Region intersected(const Region& other) const;
    Region subtracted(const Region& other) const;
    Region xored(const Region& other) const;
    // Translation; nullopt when a coordinate would leave +-kMaxCoordinate.
    std::optional<Region> translated(std::int32_t dx, std::int32_t dy) const;

    // Empty string when every invariant holds, else what is broken.
    std::string validate() const;
    // "{(l,t,r,b) (l,t,r,b) ...}" for test failure messages.
    std::string toString() const;

    friend bool operator==(const Region&, const Region&) = default;

private:
    friend class RegionBuilder;
    std::vector<Rect> m_rects;
    Rect m_bounds;
};

// CreateRectRgn: [l, r) x [t, b), edges normalised; r == l or b == t gives an
// empty region.
Region createRectRegion(
    std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
// CreateEllipticRgn: the ellipse of the box (l, t, r - 1, b - 1), so it covers
// x in [l, r - 2], y in [t, b - 2]. nullopt for boxes taller than
// kMaxBitmapSide (the row table would be unbounded).
[[nodiscard]] std::optional<Region> createEllipticRegion(
    std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
// CreatePolygonRgn: pixel (x, y) is inside when the point (x, y) is inside the
// polygon (top and left edges in, bottom and right edges out). nullopt for
// fewer than two points or a polygon taller than kMaxBitmapSide.
[[nodiscard]] std::optional<Region> createPolygonRegion(
    std::span<const Point> points, PolyFillMode mode);

// CombineRgn: dst = a (mode) b; dst may be a or b.
RegionKind combineRegion(Region& dst, const Region& a, const Region& b, CombineMode mode);
// OffsetRgn; leaves the region unchanged and returns Error when a coordinate
// would leave the coordinate space.
RegionKind offsetRegion(Region& region, std::int32_t dx, std::int32_t dy);
// GetRgnBox: tight box, (0, 0, 0, 0) and Null for an empty region.
RegionKind getRegionBox(const Region& region, Rect& box);
// PtInRegion.
bool ptInRegion(const Region& region, std::int32_t x, std::int32_t y);

} // namespace bastara::gdi
