#pragma once

// Block transfers with any ternary raster operation, and image copies.
//
//     bitBlt(*window, 0, 0, w, h, bufferDc.get(), 0, 0, SRCCOPY);
//     stretchBlt(*work, 0, 0, w, h, maskDc.get(), 0, 0, sw, sh, SRCAND);
//     patBlt(*dc, x, y, w, h, PATINVERT);
//
// Format conversion follows the platform:
// - colour source into a monochrome destination: source pixels equal to the
//   SOURCE context's background colour become 1 (white), all others 0;
// - monochrome source into a colour destination: 0 bits take the DESTINATION
//   context's text colour, 1 bits its background colour;
// - monochrome into monochrome copies bits.
// A monochrome pattern brush follows the second rule with the destination's
// colours.
//
// Clipping: to the destination bitmap and its clip region; destination pixels
// whose source lies outside the source bitmap are left alone. A source that is
// the destination itself is read as it was before the call.
//
// These calls draw nothing (and report nothing) when an argument makes the
// operation meaningless: a non-positive size, a missing source for an
// operation that reads one, or the null brush for one that reads the pattern.

#include "platform/gdi/dc.h"
#include "platform/gdi/raster_ops.h"

namespace bastara::gdi {

void bitBlt(DeviceContext& dst, std::int32_t x, std::int32_t y, std::int32_t width,
    std::int32_t height, const DeviceContext* src, std::int32_t srcX, std::int32_t srcY,
    RasterOp rop);

// Enlarging repeats source pixels (nearest neighbour). Shrinking combines the
// source pixels that fall onto one destination pixel by the destination's
// stretch mode: BLACKONWHITE ANDs them, WHITEONBLACK ORs them, COLORONCOLOR and
// HALFTONE keep the first. Equal sizes are an exact bitBlt. Negative sizes
// (mirroring) are not supported and draw nothing.
void stretchBlt(DeviceContext& dst, std::int32_t x, std::int32_t y, std::int32_t width,
    std::int32_t height, const DeviceContext* src, std::int32_t srcX, std::int32_t srcY,
    std::int32_t srcWidth, std::int32_t srcHeight, RasterOp rop);

// An operation that reads a source draws nothing here. Negative sizes extend
// left or up from (x, y).
void patBlt(DeviceContext& dst, std::int32_t x, std::int32_t y, std::int32_t width,
    std::int32_t height, RasterOp rop);

// CopyImage(IMAGE_BITMAP, width, height, 0): a new bitmap of that size (0 keeps
// the source's), monochrome for a monochrome source and a device-compatible
// colour bitmap otherwise (not a DIB section). The copy is scaled by nearest
// neighbour, dropping (not combining) pixels when shrinking, so a picture and
// its mask shrink alike. nullptr for a null source, negative or too large sizes.
[[nodiscard]] BitmapRef copyImage(const BitmapRef& source, std::int32_t width, std::int32_t height);

} // namespace bastara::gdi
