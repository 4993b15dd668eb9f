#include "platform/gdi/internal/paint.h"

#include <algorithm>

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

void patternFill(DeviceContext& dc, const std::vector<Rect>& rects, const Brush& brush, Rop3 op)
{
    const BrushSampler sampler(dc, brush);
    if (op.usesPattern && !sampler.paints())
        return;
    Bitmap& target = dc.bitmap();
    const bool fixedPattern = !op.usesPattern || brush.style() == BrushStyle::Solid;
    const std::uint32_t fixedValue = op.usesPattern && fixedPattern ? sampler.valueAt(0, 0) : 0;
    for (const Rect& r : rects) {
        for (std::int32_t y = r.top; y < r.bottom; ++y) {
            if (target.isMonochrome()) {
                for (std::int32_t x = r.left; x < r.right; ++x) {
                    const std::uint32_t p = fixedPattern ? fixedValue : sampler.valueAt(x, y);
                    const std::uint32_t d = op.usesDestination ? readValue(target, x, y) : 0;
                    writeValue(target, x, y, op.apply(p, 0, d));
                }
                continue;
            }
            std::uint32_t* row = target.colorRow(y);
            if (fixedPattern && !op.usesDestination) {
                std::fill(row + r.left, row + r.right, 0xFF000000 | op.apply(fixedValue, 0, 0));
                continue;
            }
            for (std::int32_t x = r.left; x < r.right; ++x) {
                const std::uint32_t p = fixedPattern ? fixedValue : sampler.valueAt(x, y);
                row[x] = 0xFF000000 | op.apply(p, 0, row[x]);
            }
        }
    }
}

} // namespace bastara::gdi::detail
