#include "platform/gdi/region.h"

#include "platform/gdi/bitmap.h"
#include "platform/gdi/internal/ellipse.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <sstream>

namespace bastara::gdi {

namespace {

    struct Span {
        std::int32_t left;
        std::int32_t right;
    };

    // One band of a region: rectangles [begin, end) of its list.
    struct Band {
        std::int32_t top;
        std::int32_t bottom;
        const Rect* begin;
        const Rect* end;
    };

    std::vector<Band> bandsOf(const std::vector<Rect>& rects)
    {
        std::vector<Band> bands;
        for (std::size_t i = 0; i < rects.size();) {
            std::size_t j = i + 1;
            while (j < rects.size() && rects[j].top == rects[i].top)
                ++j;
            bands.push_back({ rects[i].top, rects[i].bottom, rects.data() + i, rects.data() + j });
            i = j;
        }
        return bands;
    }

    std::int32_t clampCoordinate(std::int64_t v)
    {
        return std::int32_t(std::clamp<std::int64_t>(v, -kMaxCoordinate, kMaxCoordinate));
    }

    std::int64_t floorDiv(std::int64_t num, std::int64_t den)
    {
        std::int64_t q = num / den;
        if ((num % den != 0) && ((num < 0) != (den < 0)))
            --q;
        return q;
    }

    // Tallest polygon or ellipse a region is built for, row by row.
    constexpr std::int64_t kMaxScanRows = 2 * std::int64_t(kMaxBitmapSide);

} // namespace

// Appends bands from top to bottom and keeps the canonical form: spans merged,
// empty bands dropped, equal adjacent bands joined.
class RegionBuilder
{
public:
    void addBand(std::int32_t top, std::int32_t bottom, std::vector<Span>& spans)
    {
        if (bottom <= top)
            return;
        std::sort(spans.begin(), spans.end(), [](Span a, Span b) { return a.left < b.left; });
        m_merged.clear();
        for (const Span& s : spans) {
            if (s.right <= s.left)
                continue;
            if (!m_merged.empty() && s.left <= m_merged.back().right)
                m_merged.back().right = std::max(m_merged.back().right, s.right);
            else
                m_merged.push_back(s);
        }
        if (m_merged.empty())
            return;
        auto& rects = m_region.m_rects;
        if (m_hasLastBand && rects.back().bottom == top && sameAsLastBand()) {
            for (std::size_t i = m_lastBandStart; i < rects.size(); ++i)
                rects[i].bottom = bottom;
            return;
        }
        m_lastBandStart = rects.size();
        m_hasLastBand = true;
        for (const Span& s : m_merged)
            rects.push_back({ s.left, top, s.right, bottom });
    }

    Region finish()
    {
        auto& rects = m_region.m_rects;
        if (!rects.empty()) {
            Rect bounds { rects.front().left, rects.front().top, rects.front().right,
                rects.back().bottom };
            for (const Rect& r : rects) {
                bounds.left = std::min(bounds.left, r.left);
                bounds.right = std::max(bounds.right, r.right);
            }
            m_region.m_bounds = bounds;
        }
        return std::move(m_region);
    }

private:
    bool sameAsLastBand() const
    {
        const auto& rects = m_region.m_rects;
        if (rects.size() - m_lastBandStart != m_merged.size())
            return false;
        for (std::size_t i = 0; i < m_merged.size(); ++i) {
            const Rect& r = rects[m_lastBandStart + i];
            if (r.left != m_merged[i].left || r.right != m_merged[i].right)
                return false;
        }
        return true;
    }

    Region m_region;
    std::vector<Span> m_merged;
    std::size_t m_lastBandStart = 0;
    bool m_hasLastBand = false;
};

namespace {

    // Sweeps the x edges of two span lists of one band and keeps the parts
    // where keep(insideA, insideB) holds.
    template <typename Keep>
    void combineSpans(const Rect* a, const Rect* aEnd, const Rect* b, const Rect* bEnd, Keep keep,
        std::vector<Span>& out)
    {
        constexpr std::int64_t kNone = std::numeric_limits<std::int64_t>::max();
        bool inA = false;
        bool inB = false;
        bool inside = false;
        std::int32_t start = 0;
        while (a != aEnd || b != bEnd) {
            const std::int64_t xa = a != aEnd ? (inA ? a->right : a->left) : kNone;
            const std::int64_t xb = b != bEnd ? (inB ? b->right : b->left) : kNone;
            const auto x = std::int32_t(std::min(xa, xb));
            if (xa == x) {
                if (inA)
                    ++a;
                inA = !inA;
            }
            if (xb == x) {
                if (inB)
                    ++b;
                inB = !inB;
            }
            const bool now = keep(inA, inB);
            if (now != inside) {
                if (now)
                    start = x;
                else
                    out.push_back({ start, x });
                inside = now;
            }
        }
    }

    template <typename Keep> Region combine(const Region& first, const Region& second, Keep keep)
    {
        const std::vector<Band> bandsA = bandsOf(first.rects());
        const std::vector<Band> bandsB = bandsOf(second.rects());
        std::vector<std::int32_t> edges;
        edges.reserve(2 * (bandsA.size() + bandsB.size()));
        for (const Band& band : bandsA) {
            edges.push_back(band.top);
            edges.push_back(band.bottom);
        }
        for (const Band& band : bandsB) {
            edges.push_back(band.top);
            edges.push_back(band.bottom);
        }
        std::sort(edges.begin(), edges.end());
        edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

        RegionBuilder builder;
        std::vector<Span> spans;
        std::size_t ia = 0;
        std::size_t ib = 0;
        for (std::size_t e = 0; e + 1 < edges.size(); ++e) {
            const std::int32_t y0 = edges[e];
            const std::int32_t y1 = edges[e + 1];
            while (ia < bandsA.size() && bandsA[ia].bottom <= y0)
                ++ia;
            while (ib < bandsB.size() && bandsB[ib].bottom <= y0)
                ++ib;
            const bool coveredA = ia < bandsA.size() && bandsA[ia].top <= y0;
            const bool coveredB = ib < bandsB.size() && bandsB[ib].top <= y0;
            if (!coveredA && !coveredB)
                continue;
            spans.clear();
            const Rect* aBegin = coveredA ? bandsA[ia].begin : nullptr;
            const Rect* aEnd = coveredA ? bandsA[ia].end : nullptr;
            const Rect* bBegin = coveredB ? bandsB[ib].begin : nullptr;
            const Rect* bEnd = coveredB ? bandsB[ib].end : nullptr;
            combineSpans(aBegin, aEnd, bBegin, bEnd, keep, spans);
            builder.addBand(y0, y1, spans);
        }
        return builder.finish();
    }

    // An intersection of a polygon edge with a scanline: x = num / den exactly.
    struct Crossing {
        std::int64_t whole; // floor(x)
        std::int64_t remainder; // x - whole = remainder / den, 0 <= remainder < den
        std::int64_t den;
        int direction; // +1 edge runs down, -1 up

        bool operator<(const Crossing& other) const
        {
            if (whole != other.whole)
                return whole < other.whole;
            return remainder * other.den < other.remainder * den;
        }
        std::int64_t ceiling() const { return remainder == 0 ? whole : whole + 1; }
    };

} // namespace

Region Region::fromRect(const Rect& rect)
{
    Region region;
    const Rect r { clampCoordinate(rect.left), clampCoordinate(rect.top),
        clampCoordinate(rect.right), clampCoordinate(rect.bottom) };
    if (!r.isEmpty()) {
        region.m_rects.push_back(r);
        region.m_bounds = r;
    }
    return region;
}

Region Region::fromRects(std::span<const Rect> rects)
{
    Region result;
    for (const Rect& r : rects)
        result = result.united(fromRect(r));
    return result;
}

RegionKind Region::kind() const
{
    if (m_rects.empty())
        return RegionKind::Null;
    return m_rects.size() == 1 ? RegionKind::Simple : RegionKind::Complex;
}

bool Region::contains(std::int32_t x, std::int32_t y) const
{
    if (!m_bounds.contains(x, y))
        return false;
    auto it = std::partition_point(
        m_rects.begin(), m_rects.end(), [y](const Rect& r) { return r.bottom <= y; });
    for (; it != m_rects.end() && it->top <= y; ++it) {
        if (x < it->left)
            return false;
        if (x < it->right)
            return true;
    }
    return false;
}

bool Region::contains(const Rect& area) const
{
    if (area.isEmpty())
        return true;
    if (area.intersected(m_bounds) != area)
        return false;
    // Each band the area crosses must hold one span around it, and the bands
    // must follow each other without a gap.
    std::int32_t y = area.top;
    auto it = std::partition_point(
        m_rects.begin(), m_rects.end(), [y](const Rect& r) { return r.bottom <= y; });
    while (y < area.bottom) {
        if (it == m_rects.end() || it->top > y)
            return false;
        const std::int32_t bandTop = it->top;
        const std::int32_t bandBottom = it->bottom;
        bool covered = false;
        for (; it != m_rects.end() && it->top == bandTop; ++it)
            covered = covered || (it->left <= area.left && area.right <= it->right);
        if (!covered)
            return false;
        y = bandBottom;
    }
    return true;
}

Region Region::united(const Region& other) const
{
    if (other.isEmpty())
        return *this;
    if (isEmpty())
        return other;
    return combine(*this, other, [](bool a, bool b) { return a || b; });
}

Region Region::intersected(const Region& other) const
{
    if (m_bounds.intersected(other.m_bounds).isEmpty())
        return {};
    return combine(*this, other, [](bool a, bool b) { return a && b; });
}

Region Region::subtracted(const Region& other) const
{
    if (m_bounds.intersected(other.m_bounds).isEmpty())
        return *this;
    return combine(*this, other, [](bool a, bool b) { return a && !b; });
}

Region Region::xored(const Region& other) const
{
    return combine(*this, other, [](bool a, bool b) { return a != b; });
}

std::optional<Region> Region::translated(std::int32_t dx, std::int32_t dy) const
{
    if (isEmpty())
        return *this;
    auto inRange = [](std::int64_t v) { return v >= -kMaxCoordinate && v <= kMaxCoordinate; };
    if (!inRange(std::int64_t(m_bounds.left) + dx) || !inRange(std::int64_t(m_bounds.right) + dx)
        || !inRange(std::int64_t(m_bounds.top) + dy)
        || !inRange(std::int64_t(m_bounds.bottom) + dy))
        return std::nullopt;
    Region moved = *this;
    for (Rect& r : moved.m_rects)
        r = r.translated(dx, dy);
    moved.m_bounds = m_bounds.translated(dx, dy);
    return moved;
}

std::string Region::validate() const
{
    if (m_rects.empty())
        return m_bounds == Rect {} ? std::string() : "empty region with non-zero bounds";
    Rect bounds = m_rects.front();
    for (std::size_t i = 0; i < m_rects.size(); ++i) {
        const Rect& r = m_rects[i];
        if (r.isEmpty())
            return "empty rectangle at " + std::to_string(i);
        if (r.left < -kMaxCoordinate || r.right > kMaxCoordinate || r.top < -kMaxCoordinate
            || r.bottom > kMaxCoordinate)
            return "rectangle outside the coordinate space at " + std::to_string(i);
        bounds = { std::min(bounds.left, r.left), std::min(bounds.top, r.top),
            std::max(bounds.right, r.right), std::max(bounds.bottom, r.bottom) };
        if (i == 0)
            continue;
        const Rect& p = m_rects[i - 1];
        if (r.top == p.top) {
            if (r.bottom != p.bottom)
                return "band with unequal bottoms at " + std::to_string(i);
            if (r.left <= p.right)
                return "overlapping or touching spans at " + std::to_string(i);
        } else if (r.top < p.bottom) {
            return "overlapping bands at " + std::to_string(i);
        }
    }
    if (bounds != m_bounds)
        return "stale bounds";
    const std::vector<Band> bands = bandsOf(m_rects);
    for (std::size_t i = 1; i < bands.size(); ++i) {
        const Band& a = bands[i - 1];
        const Band& b = bands[i];
        if (a.bottom != b.top || (a.end - a.begin) != (b.end - b.begin))
            continue;
        if (std::equal(a.begin, a.end, b.begin, [](const Rect& x, const Rect& y) {
                return x.left == y.left && x.right == y.right;
            }))
            return "uncoalesced bands at y " + std::to_string(b.top);
    }
    return {};
}

std::string Region::toString() const
{
    std::ostringstream out;
    out << '{';
    for (std::size_t i = 0; i < m_rects.size(); ++i) {
        const Rect& r = m_rects[i];
        out << (i ? " (" : "(") << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom
            << ')';
    }
    out << '}';
    return out.str();
}

Region createRectRegion(
    std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom)
{
    return Region::fromRect(Rect { left, top, right, bottom }.normalized());
}

std::optional<Region> createEllipticRegion(
    std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom)
{
    const Rect box = Rect { clampCoordinate(left), clampCoordinate(top), clampCoordinate(right),
        clampCoordinate(bottom) }
                         .normalized();
    // The region is made for the box without its right column and bottom row.
    const Rect inner { box.left, box.top, box.right - 1, box.bottom - 1 };
    if (inner.width() < 2 || inner.height() < 2)
        return createRectRegion(inner.left, inner.top, inner.right, inner.bottom);
    if (inner.height() > kMaxScanRows)
        return std::nullopt;

    const std::vector<std::int32_t> insets
        = detail::ellipseRowInsets(inner.width(), inner.height());
    RegionBuilder builder;
    std::vector<Span> spans;
    for (std::int32_t row = 0; row < inner.height(); ++row) {
        const std::int32_t inset = insets[std::size_t(row)];
        spans.assign(1, Span { inner.left + inset, inner.right - inset });
        builder.addBand(inner.top + row, inner.top + row + 1, spans);
    }
    return builder.finish();
}

std::optional<Region> createPolygonRegion(std::span<const Point> points, PolyFillMode mode)
{
    if (points.size() < 2)
        return std::nullopt;
    std::vector<Point> p;
    p.reserve(points.size());
    std::int64_t top = kMaxCoordinate;
    std::int64_t bottom = -kMaxCoordinate;
    for (const Point& q : points) {
        p.push_back({ clampCoordinate(q.x), clampCoordinate(q.y) });
        top = std::min<std::int64_t>(top, p.back().y);
        bottom = std::max<std::int64_t>(bottom, p.back().y);
    }
    if (bottom - top > kMaxScanRows)
        return std::nullopt;

    RegionBuilder builder;
    std::vector<Crossing> crossings;
    std::vector<Span> spans;
    for (std::int64_t y = top; y < bottom; ++y) {
        crossings.clear();
        for (std::size_t i = 0; i < p.size(); ++i) {
            const Point a = p[i];
            const Point b = p[(i + 1) % p.size()];
            if (a.y == b.y)
                continue;
            const Point upper = a.y < b.y ? a : b;
            const Point lower = a.y < b.y ? b : a;
            // Each edge covers the scanlines from its top (in) to its bottom (out).
            if (y < upper.y || y >= lower.y)
                continue;
            const std::int64_t den = std::int64_t(lower.y) - upper.y;
            const std::int64_t num
                = std::int64_t(upper.x) * den + (y - upper.y) * (std::int64_t(lower.x) - upper.x);
            const std::int64_t whole = floorDiv(num, den);
            crossings.push_back({ whole, num - whole * den, den, a.y < b.y ? 1 : -1 });
        }
        std::sort(crossings.begin(), crossings.end());
        spans.clear();
        int winding = 0;
        std::int64_t spanStart = 0;
        for (const Crossing& c : crossings) {
            const bool wasInside = winding != 0;
            winding = mode == PolyFillMode::Winding ? winding + c.direction : (winding ? 0 : 1);
            const bool isInside = winding != 0;
            if (!wasInside && isInside)
                spanStart = c.ceiling();
            else if (wasInside && !isInside)
                spans.push_back({ std::int32_t(spanStart), std::int32_t(c.ceiling()) });
        }
        builder.addBand(std::int32_t(y), std::int32_t(y + 1), spans);
    }
    return builder.finish();
}

RegionKind combineRegion(Region& dst, const Region& a, const Region& b, CombineMode mode)
{
    switch (mode) {
    case CombineMode::And:
        dst = a.intersected(b);
        break;
    case CombineMode::Or:
        dst = a.united(b);
        break;
    case CombineMode::Xor:
        dst = a.xored(b);
        break;
    case CombineMode::Diff:
        dst = a.subtracted(b);
        break;
    case CombineMode::Copy:
        dst = a;
        break;
    default:
        return RegionKind::Error;
    }
    return dst.kind();
}

RegionKind offsetRegion(Region& region, std::int32_t dx, std::int32_t dy)
{
    std::optional<Region> moved = region.translated(dx, dy);
    if (!moved)
        return RegionKind::Error;
    region = std::move(*moved);
    return region.kind();
}

RegionKind getRegionBox(const Region& region, Rect& box)
{
    box = region.boundingRect();
    return region.isEmpty() ? RegionKind::Null : region.kind();
}

bool ptInRegion(const Region& region, std::int32_t x, std::int32_t y)
{
    return region.contains(x, y);
}

} // namespace bastara::gdi
