// Rectangles, pixels, regions and the focus rectangle (draw.h).

#include "platform/gdi/draw.h"
#include "platform/gdi/internal/paint.h"
#include "platform/gdi/internal/pen_painter.h"

#include <array>

namespace bastara::gdi {

namespace {

    std::vector<Rect> visibleRegionRects(const DeviceContext& dc, const Region& region)
    {
        std::vector<Rect> rects;
        for (const Rect& r : region.rects()) {
            for (const Rect& part : dc.visibleRects(r))
                rects.push_back(part);
        }
        return rects;
    }

    // 8 x 8 monochrome checkerboard, rows 0x55, 0xAA, ...: bit set where x + y
    // is odd.
    const Brush& focusBrush()
    {
        static const BrushRef brush = [] {
            BitmapRef pattern = Bitmap::create(8, 8, PixelFormat::Mono1);
            for (std::int32_t y = 0; y < 8; ++y)
                for (std::int32_t x = 0; x < 8; ++x)
                    pattern->setBitAt(x, y, (x + y) % 2 == 1);
            return createPatternBrush(*pattern);
        }();
        return *brush;
    }

    // A one-pixel solid pen in the colour of a solid brush: the outline and
    // the interior of a rectangle are one fill.
    bool isOneSolidFill(const DeviceContext& dc, int penWidth)
    {
        const Pen& pen = dc.pen();
        const Brush& brush = dc.brush();
        if (penWidth != 1 || pen.isDashed() || brush.style() != BrushStyle::Solid)
            return false;
        const Bitmap& target = dc.bitmap();
        return detail::deviceValue(target, pen.color())
            == detail::deviceValue(target, brush.color());
    }

} // namespace

void rectangle(
    DeviceContext& dc, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom)
{
    Rect box = detail::clampRect(left, top, right, bottom).normalized();
    if (box.isEmpty())
        return;
    const Pen& pen = dc.pen();
    if (pen.style() == PS_NULL) {
        const Rect inner { box.left, box.top, box.right - 1, box.bottom - 1 };
        detail::patternFill(dc, inner, dc.brush(), decodeRop3(PATCOPY));
        return;
    }
    const int width = pen.isDashed() ? 1 : pen.width();
    // (A 1 x 1 box has an outline of zero-length lines: it paints nothing.)
    if (isOneSolidFill(dc, width) && box.width() * std::int64_t(box.height()) > 1) {
        // Outline and interior in one colour: exactly the box.
        detail::patternFill(dc, box, dc.brush(), decodeRop3(PATCOPY));
        return;
    }
    if (pen.style() == PS_INSIDEFRAME && width > 1) {
        box = { box.left + width / 2, box.top + width / 2, box.right - (width - 1) / 2,
            box.bottom - (width - 1) / 2 };
        if (box.isEmpty())
            return;
    }
    // The path runs through the outermost pixels; a wide pen is centred on it.
    const Rect path { box.left, box.top, box.right - 1, box.bottom - 1 };
    const Rect interior { path.left + (width + 1) / 2, path.top + (width + 1) / 2,
        path.right - width / 2, path.bottom - width / 2 };
    if (!interior.isEmpty())
        detail::patternFill(dc, interior, dc.brush(), decodeRop3(PATCOPY));
    // Counter-clockwise from the top-right corner, closed.
    const std::array<Point, 5> outline { Point { path.right, path.top },
        Point { path.left, path.top }, Point { path.left, path.bottom },
        Point { path.right, path.bottom }, Point { path.right, path.top } };
    detail::PenPainter(dc).path(outline);
}

void fillRect(DeviceContext& dc, const Rect& rect, const BrushRef& brush)
{
    if (!brush || rect.isEmpty())
        return;
    detail::patternFill(dc, rect, *brush, decodeRop3(PATCOPY));
}

void invertRect(DeviceContext& dc, const Rect& rect)
{
    if (rect.isEmpty())
        return;
    detail::patternFill(dc, rect, dc.brush(), decodeRop3(DSTINVERT));
}

void fillSolidRect(DeviceContext& dc, const Rect& rect, ColorRef color)
{
    Bitmap& target = dc.bitmap();
    const std::uint32_t value = detail::deviceValue(target, color);
    dc.forEachVisibleRect(
        rect, [&target, value](const Rect& part) { detail::fillValue(target, part, value); });
}

ColorRef setPixel(DeviceContext& dc, std::int32_t x, std::int32_t y, ColorRef color)
{
    if (!dc.isVisible(x, y))
        return CLR_INVALID;
    detail::writeValue(dc.bitmap(), x, y, detail::deviceValue(dc.bitmap(), color));
    return dc.bitmap().colorAt(x, y);
}

ColorRef getPixel(const DeviceContext& dc, std::int32_t x, std::int32_t y)
{
    if (!dc.isVisible(x, y))
        return CLR_INVALID;
    return dc.bitmap().colorAt(x, y);
}

void drawFocusRect(DeviceContext& dc, const Rect& area)
{
    const Rect rect = detail::clampRect(area);
    if (rect.isEmpty())
        return;
    const Rop3 invert = decodeRop3(PATINVERT);
    const Rect edges[] = {
        { rect.left, rect.top, rect.right, rect.top + 1 }, // top
        { rect.left, rect.bottom - 1, rect.right, rect.bottom }, // bottom
        { rect.left, rect.top + 1, rect.left + 1, rect.bottom - 1 }, // left
        { rect.right - 1, rect.top + 1, rect.right, rect.bottom - 1 }, // right
    };
    // Each edge separately: where two coincide (a 1-pixel-high rectangle)
    // the second XOR undoes the first, as on the platform.
    for (const Rect& edge : edges) {
        if (!edge.isEmpty())
            detail::patternFill(dc, edge, focusBrush(), invert);
    }
}

void fillRegion(DeviceContext& dc, const Region& region, const BrushRef& brush)
{
    if (!brush)
        return;
    detail::patternFill(dc, visibleRegionRects(dc, region), *brush, decodeRop3(PATCOPY));
}

void frameRegion(DeviceContext& dc, const Region& region, const BrushRef& brush, std::int32_t width,
    std::int32_t height)
{
    if (!brush || region.isEmpty() || width < 1 || height < 1)
        return;
    // A pixel is inside the frame when a diagonal neighbour at (+-width,
    // +-height) is outside the region.
    Region interior = region;
    const std::array<Point, 4> diagonals { Point { width, height }, Point { -width, height },
        Point { width, -height }, Point { -width, -height } };
    for (const Point& d : diagonals) {
        std::optional<Region> shifted = region.translated(d.x, d.y);
        interior = shifted ? interior.intersected(*shifted) : Region {};
    }
    const Region frame = region.subtracted(interior);
    detail::patternFill(dc, visibleRegionRects(dc, frame), *brush, decodeRop3(PATCOPY));
}

} // namespace bastara::gdi
