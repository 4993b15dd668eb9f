#pragma once

// Pixel access shared by the drawing, blitting and text units.
//
// Every call works on "device values": for a colour bitmap the 24-bit RGB
// value 0x00RRGGBB of a pixel, for a monochrome bitmap 0 (black) or 0xFFFFFF
// (white). Raster operations apply bitwise to device values, which makes the
// monochrome case fall out of the colour one.

#include "platform/gdi/dc.h"
#include "platform/gdi/raster_ops.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace bastara::gdi::detail {

inline constexpr std::uint32_t kWhiteValue = 0xFFFFFF;

// Coordinates are kept inside the platform's coordinate space (+-2^27), so
// that no arithmetic on them can overflow.
inline std::int32_t clampCoordinate(std::int64_t v)
{
    return std::int32_t(std::clamp<std::int64_t>(v, -kMaxCoordinate, kMaxCoordinate));
}
inline Point clampPoint(Point p)
{
    return { clampCoordinate(p.x), clampCoordinate(p.y) };
}
inline Rect clampRect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom)
{
    return { clampCoordinate(left), clampCoordinate(top), clampCoordinate(right),
        clampCoordinate(bottom) };
}
inline Rect clampRect(const Rect& r)
{
    return clampRect(r.left, r.top, r.right, r.bottom);
}

// The device value a colour takes on `target`.
std::uint32_t deviceValue(const Bitmap& target, ColorRef color);

inline std::uint32_t readValue(const Bitmap& bitmap, std::int32_t x, std::int32_t y)
{
    if (bitmap.isMonochrome())
        return bitmap.bitAt(x, y) ? kWhiteValue : 0;
    return bitmap.colorRow(y)[x] & 0xFFFFFF;
}

inline void writeValue(Bitmap& bitmap, std::int32_t x, std::int32_t y, std::uint32_t value)
{
    if (bitmap.isMonochrome())
        bitmap.setBitAt(x, y, value & 1);
    else
        bitmap.colorRow(y)[x] = 0xFF000000 | (value & 0xFFFFFF);
}

// The brush's pattern value at a destination pixel, for a context's target: a
// solid colour, or a tiled pattern aligned to the origin (0, 0) whose
// monochrome bits take the context's text colour (0) and background colour (1).
class BrushSampler
{
public:
    BrushSampler(const DeviceContext& dc, const Brush& brush);

    // False for the null brush: operations that need a pattern draw nothing.
    bool paints() const { return m_brush.style() != BrushStyle::Null; }
    std::uint32_t valueAt(std::int32_t x, std::int32_t y) const;

private:
    const Brush& m_brush;
    std::uint32_t m_solid = 0;
    std::uint32_t m_zeroBits = 0; // monochrome pattern on a colour target
    std::uint32_t m_oneBits = kWhiteValue;
    bool m_targetMono = false;
};

// Row primitives of colour bitmaps, four pixels per step: `count` pixels set
// to `pixel`, and `count` pixels copied (opaque) between rows that do not
// overlap.
void fillPixels(std::uint32_t* row, std::int32_t count, std::uint32_t pixel);
void copyPixels(std::uint32_t* to, const std::uint32_t* from, std::int32_t count);

// Writes the device value to every pixel of `r`, which lies inside the bitmap:
// whole rows at a time.
void fillValue(Bitmap& target, const Rect& r, std::uint32_t value);

// Applies `op` with the brush, reading and writing the context's bitmap, over
// the visible part of `area`, or over rectangles already clipped. The
// operation must not use a source.
void patternFill(DeviceContext& dc, const Rect& area, const Brush& brush, Rop3 op);
void patternFill(DeviceContext& dc, const std::vector<Rect>& rects, const Brush& brush, Rop3 op);

} // namespace bastara::gdi::detail
