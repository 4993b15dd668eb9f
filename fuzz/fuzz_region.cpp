// Fuzz target: region building and combining. The input is read as a small
// program of region operations; after every step each region must still be in
// canonical form (Region::validate) and agree with its bounding box.

#include "platform/gdi/region.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

class Input
{
public:
    Input(const std::uint8_t* data, std::size_t size)
        : m_data(data)
        , m_size(size)
    { }
    bool empty() const { return m_position >= m_size; }
    std::uint8_t byte() { return m_position < m_size ? m_data[m_position++] : 0; }
    std::int32_t coordinate()
    {
        // Mostly small values, sometimes extreme ones.
        const std::uint8_t kind = byte();
        if (kind == 0xFF)
            return std::int32_t((std::uint32_t(byte()) << 24) | (std::uint32_t(byte()) << 16)
                | (std::uint32_t(byte()) << 8) | byte());
        return std::int32_t(kind) - 64;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_position = 0;
};

// Canonical form, and every rectangle's corners inside while the pixel right
// of it is outside (spans of a band never touch).
void check(const bastara::gdi::Region& region)
{
    if (!region.validate().empty())
        std::abort();
    for (const bastara::gdi::Rect& r : region.rects()) {
        if (!region.contains(r.left, r.top) || !region.contains(r.right - 1, r.bottom - 1)
            || region.contains(r.right, r.top))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace bastara::gdi;
    Input in(data, size);
    std::array<Region, 4> slots;
    for (int step = 0; step < 64 && !in.empty(); ++step) {
        Region& target = slots[in.byte() % slots.size()];
        switch (in.byte() % 5) {
        case 0:
            target = createRectRegion(
                in.coordinate(), in.coordinate(), in.coordinate(), in.coordinate());
            break;
        case 1:
            if (auto r = createEllipticRegion(in.byte(), in.byte(), in.byte(), in.byte()))
                target = *r;
            break;
        case 2: {
            std::vector<Point> points(in.byte() % 8);
            for (Point& p : points)
                p = { in.coordinate(), in.coordinate() };
            if (auto r = createPolygonRegion(
                    points, in.byte() % 2 ? PolyFillMode::Winding : PolyFillMode::Alternate))
                target = *r;
            break;
        }
        case 3: {
            const Region& a = slots[in.byte() % slots.size()];
            const Region& b = slots[in.byte() % slots.size()];
            combineRegion(target, a, b, CombineMode(1 + in.byte() % 5));
            break;
        }
        default:
            offsetRegion(target, in.coordinate(), in.coordinate());
            break;
        }
        check(target);
    }
    return 0;
}
