#pragma once

// Lines, rectangles, arcs, single pixels, region painting and the focus
// rectangle, with the platform's pixel rules:
//
// - A line from A to B paints A and every pixel up to but not including B; on
//   a diagonal the minor coordinate is the exact line value rounded to the
//   nearest integer, exact halves towards minus infinity. A polyline of n
//   points paints its n - 1 segments and never its last point.
// - Dashed pens (width 1) restart their pattern at every call and continue it
//   across the segments of one polyline; one step per painted pixel; pixels
//   clipped away still take their step. The gaps are painted in the background
//   colour only when the background mode is OPAQUE. Wider pens draw solid,
//   as squares of the pen width centred on the one-pixel path.
// - rectangle(l, t, r, b) keeps the outline inside the bounds: with a 1-pixel
//   pen it covers exactly [l, r) x [t, b), outline in the pen colour, the rest
//   in the brush.
// - Everything is clipped to the bitmap and the context's clip region.
//
//     polyline(dc, std::array<Point, 5> { ... });
//     rectangle(dc, 0, 0, 60, 20);
//     drawFocusRect(dc, { 4, 4, 56, 16 });     // twice restores the pixels

#include "platform/gdi/dc.h"

#include <span>

namespace bastara::gdi {

// LineTo: from the current position to (x, y), which becomes the current
// position. Move with DeviceContext::moveTo.
void lineTo(DeviceContext& dc, std::int32_t x, std::int32_t y);
// Polyline: neither uses nor changes the current position.
void polyline(DeviceContext& dc, std::span<const Point> points);

// Rectangle: edges normalised; r == l or b == t draws nothing. With the null
// pen the brush fills [l, r - 1) x [t, b - 1).
void rectangle(DeviceContext& dc, std::int32_t left, std::int32_t top, std::int32_t right,
    std::int32_t bottom);
// FillRect: [l, r) x [t, b) with the brush; inverted rectangles draw nothing.
void fillRect(DeviceContext& dc, const Rect& rect, const BrushRef& brush);
// InvertRect: every bit of [l, r) x [t, b) inverted.
void invertRect(DeviceContext& dc, const Rect& rect);
// [l, r) x [t, b) in one colour, without selecting or making any object: the
// pixels a solid brush of that colour paints, for callers that fill many
// rectangles of changing colours (gradient bands, shaded rows).
void fillSolidRect(DeviceContext& dc, const Rect& rect, ColorRef color);

// SetPixel: returns the colour written (as the bitmap stores it), or
// CLR_INVALID outside the bitmap or the clip region.
ColorRef setPixel(DeviceContext& dc, std::int32_t x, std::int32_t y, ColorRef color);
// GetPixel: CLR_INVALID outside the bitmap or the clip region.
ColorRef getPixel(const DeviceContext& dc, std::int32_t x, std::int32_t y);

// Arc: the ellipse of the box (l, t, r, b) traced counter-clockwise from the
// ray towards (xStart, yStart) to the ray towards (xEnd, yEnd); equal rays give
// the full ellipse. The curve stays inside x in [l, r - 1], y in [t, b - 1],
// so arc(0, 0, W - 1, H - 1, ...) traces the rim of
// createEllipticRegion(0, 0, W, H). Drawn as one polyline: its last pixel (the
// one before the start) is not painted.
void arc(DeviceContext& dc, std::int32_t left, std::int32_t top, std::int32_t right,
    std::int32_t bottom, std::int32_t xStart, std::int32_t yStart, std::int32_t xEnd,
    std::int32_t yEnd);

// DrawFocusRect: the border of `rect` XORed with an 8 x 8 checkerboard
// monochrome brush, so pixels with (x + y) odd are XORed with the background
// colour and the others with the text colour (with the default black text on
// white, only the odd pixels change). Drawing it twice restores the pixels.
void drawFocusRect(DeviceContext& dc, const Rect& rect);

// FillRgn: the region with the brush.
void fillRegion(DeviceContext& dc, const Region& region, const BrushRef& brush);
// FrameRgn: the pixels of the region that have a diagonal neighbour at
// (+-width, +-height) outside it, painted with the brush. Never paints outside
// the region.
void frameRegion(DeviceContext& dc, const Region& region, const BrushRef& brush, std::int32_t width,
    std::int32_t height);

} // namespace bastara::gdi
