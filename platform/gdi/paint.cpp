#include "platform/gdi/internal/paint.h"

#include <algorithm>
#include <cstring>

namespace bastara::gdi::detail {

std::uint32_t deviceValue(const Bitmap& target, ColorRef color)
{
    if (target.isMonochrome())
        return nearestMonoBit(color) ? kWhiteValue : 0;
    return deviceRgb(color);
}

BrushSampler::BrushSampler(const DeviceContext& dc, const Brush& brush)
    : m_brush(brush)
    , m_targetMono(dc.bitmap().isMonochrome())
{
    if (brush.style() == BrushStyle::Solid)
        m_solid = deviceValue(dc.bitmap(), brush.color());
    m_zeroBits = deviceValue(dc.bitmap(), dc.textColor());
    m_oneBits = deviceValue(dc.bitmap(), dc.bkColor());
}

std::uint32_t BrushSampler::valueAt(std::int32_t x, std::int32_t y) const
{
    if (m_brush.style() != BrushStyle::Pattern)
        return m_solid;
    const Bitmap& pattern = *m_brush.patternBitmap();
    const std::int32_t px = ((x % pattern.width()) + pattern.width()) % pattern.width();
    const std::int32_t py = ((y % pattern.height()) + pattern.height()) % pattern.height();
    if (pattern.isMonochrome()) {
        const bool bit = pattern.bitAt(px, py);
        // Monochrome into monochrome copies the bits.
        if (m_targetMono)
            return bit ? kWhiteValue : 0;
        return bit ? m_oneBits : m_zeroBits;
    }
    const std::uint32_t rgb = pattern.colorRow(py)[px] & 0xFFFFFF;
    if (m_targetMono)
        return nearestMonoBit(colorRefFromDevice(rgb)) ? kWhiteValue : 0;
    return rgb;
}

// Four pixels go through a 16-byte block, which the compiler turns into one
// vector load or store on the targets that have them: -O2 does not vectorise
// these loops by itself.
void fillPixels(std::uint32_t* row, std::int32_t count, std::uint32_t pixel)
{
    const std::uint32_t four[4] = { pixel, pixel, pixel, pixel };
    std::int32_t i = 0;
    for (; i + 4 <= count; i += 4)
        std::memcpy(row + i, four, sizeof four);
    for (; i < count; ++i)
        row[i] = pixel;
}

void copyPixels(std::uint32_t* to, const std::uint32_t* from, std::int32_t count)
{
    std::int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        std::uint32_t four[4];
        std::memcpy(four, from + i, sizeof four);
        for (std::uint32_t& p : four)
            p |= 0xFF000000;
        std::memcpy(to + i, four, sizeof four);
    }
    for (; i < count; ++i)
        to[i] = 0xFF000000 | from[i];
}

void fillValue(Bitmap& target, const Rect& r, std::uint32_t value)
{
    if (target.isMonochrome()) {
        const bool white = value & 1;
        for (std::int32_t y = r.top; y < r.bottom; ++y)
            for (std::int32_t x = r.left; x < r.right; ++x)
                target.setBitAt(x, y, white);
        return;
    }
    const std::uint32_t pixel = 0xFF000000 | (value & 0xFFFFFF);
    for (std::int32_t y = r.top; y < r.bottom; ++y)
        fillPixels(target.colorRow(y) + r.left, r.width(), pixel);
}

namespace {

    // One pattern operation over rectangles already clipped.
    class PatternFiller
    {
    public:
        PatternFiller(DeviceContext& dc, const Brush& brush, Rop3 op)
            : m_target(dc.bitmap())
            , m_sampler(dc, brush)
            , m_op(op)
            , m_fixedPattern(!op.usesPattern || brush.style() == BrushStyle::Solid)
            , m_fixedValue(op.usesPattern && m_fixedPattern ? m_sampler.valueAt(0, 0) : 0)
        { }

        // False when the operation needs a pattern the brush does not paint.
        bool paints() const { return !m_op.usesPattern || m_sampler.paints(); }

        void fill(const Rect& r)
        {
            // The same value everywhere: whole rows.
            if (m_fixedPattern && !m_op.usesDestination) {
                fillValue(m_target, r, m_op.apply(m_fixedValue, 0, 0));
                return;
            }
            for (std::int32_t y = r.top; y < r.bottom; ++y) {
                if (m_target.isMonochrome()) {
                    for (std::int32_t x = r.left; x < r.right; ++x)
                        writeValue(m_target, x, y,
                            m_op.apply(patternAt(x, y), 0, readValue(m_target, x, y)));
                    continue;
                }
                std::uint32_t* row = m_target.colorRow(y);
                for (std::int32_t x = r.left; x < r.right; ++x)
                    row[x] = 0xFF000000 | m_op.apply(patternAt(x, y), 0, row[x]);
            }
        }

    private:
        std::uint32_t patternAt(std::int32_t x, std::int32_t y) const
        {
            return m_fixedPattern ? m_fixedValue : m_sampler.valueAt(x, y);
        }

        Bitmap& m_target;
        BrushSampler m_sampler;
        Rop3 m_op;
        bool m_fixedPattern;
        std::uint32_t m_fixedValue;
    };

} // namespace

void patternFill(DeviceContext& dc, const Rect& area, const Brush& brush, Rop3 op)
{
    PatternFiller filler(dc, brush, op);
    if (filler.paints())
        dc.forEachVisibleRect(area, [&filler](const Rect& r) { filler.fill(r); });
}

void patternFill(DeviceContext& dc, const std::vector<Rect>& rects, const Brush& brush, Rop3 op)
{
    PatternFiller filler(dc, brush, op);
    if (!filler.paints())
        return;
    for (const Rect& r : rects)
        filler.fill(r);
}

} // namespace bastara::gdi::detail
