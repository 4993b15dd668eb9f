#pragma once

// A line of laid-out text as glyph coverage: drawn once by Qt's rasteriser,
// exactly as it draws the glyphs straight into a bitmap (the same glyph
// images at the same sub-pixel positions, greyscale antialiasing), then put
// down as often as needed, in any colour, at any whole-pixel position. An
// engraved caption is one line drawn three times in three colours: one
// rasterisation when it is laid out, then three blends per redraw.
//
// Whole-pixel moves keep the coverage: the rasteriser sees the same
// fractional glyph positions wherever the line is placed.

#include "platform/gdi/bitmap.h"

#include <QGlyphRun>
#include <QList>
#include <QPointF>
#include <cstdint>
#include <memory>
#include <vector>

namespace bastara::gdi::detail {

struct GlyphMask {
    // A run of inked pixels on one row, relative to the point the line is
    // placed at; its coverage values start at `offset` in `coverage`.
    struct Span {
        std::int32_t y;
        std::int32_t left;
        std::int32_t right;
        std::uint32_t offset;
    };
    // Top to bottom, left to right. A span starts with ink; short gaps
    // inside it, and the few pixels that make its length a multiple of four,
    // have coverage 0.
    std::vector<Span> spans;
    // 0 (none) .. 255 (full).
    std::vector<std::uint8_t> coverage;
};

// The coverage of `runs` drawn at `origin` (the baseline origin relative to
// the placement point), for a line whose cell is `cell`. nullptr when the mask
// would be larger than any caption (huge fonts): the caller then draws the
// glyphs directly.
std::shared_ptr<const GlyphMask> rasteriseGlyphs(
    const QList<QGlyphRun>& runs, QPointF origin, const Rect& cell);

// Blends the colour rgb (0x00RRGGBB) into a colour bitmap with the mask's
// coverage, the mask placed at `at`, only inside `clip` (which lies inside
// the bitmap).
void compositeGlyphs(
    Bitmap& target, const GlyphMask& mask, Point at, const Rect& clip, std::uint32_t rgb);

// The blend of one run of pixels: each pixel becomes rgb at coverage a over
// what it was, per channel rgb * a / 255 + pixel * (255 - a) / 255, each
// term rounded as Qt's raster engine rounds it for antialiased text on an
// opaque image (so coverage 255 gives rgb, 0 the pixel unchanged). Four
// pixels at a time where the processor has 128-bit vectors.
void blendRun(
    std::uint32_t* pixels, const std::uint8_t* coverage, std::int32_t count, std::uint32_t rgb);
// The same one pixel at a time: the reference the vector form must match.
void blendRunPerPixel(
    std::uint32_t* pixels, const std::uint8_t* coverage, std::int32_t count, std::uint32_t rgb);

} // namespace bastara::gdi::detail
