#pragma once

// Bitmaps: 32-bit colour and 1-bit monochrome pixel buffers.
//
//     auto buffer = createBitmap(60, 20, 1, 32);      // colour, contents black
//     auto mask = createBitmap(60, 20, 1, 1);         // monochrome, contents 0
//     if (!buffer) ...                                // factories fail with nullptr
//
// Colour pixels are stored as 32-bit words 0xFFRRGGBB (the layout of
// QImage::Format_RGB32, so the window layer can show a bitmap without
// converting it). Monochrome rows hold one bit per pixel, most significant bit
// first, 0 = black and 1 = white, each row padded to a multiple of 2 bytes like
// a device-dependent bitmap. All pixel addressing goes through scanline(y) and
// pitch().
//
// Ownership: bitmaps are shared (BitmapRef). A device context keeps its
// selected bitmap alive, so dropping the last reference outside a context
// deletes the bitmap only once nothing can draw into it any more.

#include "platform/gdi/types.h"

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace bastara::gdi {

enum class PixelFormat {
    Mono1, // 1 bit per pixel
    Rgb32, // 0xFFRRGGBB words
};

// Largest bitmap the layer makes (per side, and in total), so that corrupt
// picture files and runaway sizes fail instead of exhausting memory.
inline constexpr std::int32_t kMaxBitmapSide = 32767;
inline constexpr std::int64_t kMaxBitmapPixels = std::int64_t(1) << 26;

class Bitmap
{
public:
    // Fails (nullptr) for negative sizes or sizes over the limits. A 0 x 0
    // bitmap is a valid, empty object. Contents start zeroed (black).
    [[nodiscard]] static std::shared_ptr<Bitmap> create(
        std::int32_t width, std::int32_t height, PixelFormat format);

    std::int32_t width() const { return m_width; }
    std::int32_t height() const { return m_height; }
    Size size() const { return { m_width, m_height }; }
    Rect bounds() const { return { 0, 0, m_width, m_height }; }
    PixelFormat format() const { return m_format; }
    bool isMonochrome() const { return m_format == PixelFormat::Mono1; }
    int bitsPerPixel() const { return isMonochrome() ? 1 : 32; }

    // True for bitmaps that expose their bits to the program (pictures loaded
    // from files); false for device-compatible bitmaps. GetObject reports a
    // pixel pointer only for the former.
    bool isDibSection() const { return m_dibSection; }
    void setDibSection(bool dibSection) { m_dibSection = dibSection; }

    // Bytes per row.
    std::int32_t pitch() const { return m_pitch; }
    std::uint8_t* scanline(std::int32_t y)
    {
        assert(y >= 0 && y < m_height);
        return reinterpret_cast<std::uint8_t*>(m_words.data())
            + std::size_t(y) * std::size_t(m_pitch);
    }
    const std::uint8_t* scanline(std::int32_t y) const
    {
        assert(y >= 0 && y < m_height);
        return reinterpret_cast<const std::uint8_t*>(m_words.data())
            + std::size_t(y) * std::size_t(m_pitch);
    }
    // Colour bitmaps only: row y as 0xFFRRGGBB words. Inline: the raster
    // asks for a row per span it paints.
    std::uint32_t* colorRow(std::int32_t y)
    {
        assert(m_format == PixelFormat::Rgb32 && y >= 0 && y < m_height);
        return m_words.data() + std::size_t(y) * std::size_t(m_width);
    }
    const std::uint32_t* colorRow(std::int32_t y) const
    {
        assert(m_format == PixelFormat::Rgb32 && y >= 0 && y < m_height);
        return m_words.data() + std::size_t(y) * std::size_t(m_width);
    }

    // Pixel as a COLORREF (monochrome: 0 black, 0xFFFFFF white); CLR_INVALID
    // outside the bitmap.
    ColorRef colorAt(std::int32_t x, std::int32_t y) const;
    // Writes the pixel (monochrome: the nearer of black and white); ignored
    // outside the bitmap.
    void setColorAt(std::int32_t x, std::int32_t y, ColorRef color);
    // Monochrome bitmaps only.
    bool bitAt(std::int32_t x, std::int32_t y) const;
    void setBitAt(std::int32_t x, std::int32_t y, bool white);

    void fill(ColorRef color);
    [[nodiscard]] std::shared_ptr<Bitmap> clone() const;

    // Use create().
    Bitmap(std::int32_t width, std::int32_t height, PixelFormat format);

private:
    std::int32_t m_width;
    std::int32_t m_height;
    PixelFormat m_format;
    std::int32_t m_pitch;
    bool m_dibSection = false;
    std::vector<std::uint32_t> m_words; // 32-bit aligned, so a QImage can wrap it
};

using BitmapRef = std::shared_ptr<Bitmap>;

// CreateBitmap(width, height, planes, bitsPerPixel, NULL): planes must be 1 and
// bitsPerPixel 1 (monochrome) or 32 (colour); anything else fails.
[[nodiscard]] BitmapRef createBitmap(
    std::int32_t width, std::int32_t height, int planes, int bitsPerPixel);
// A 32-bit colour bitmap whose bits the program may read (GetObject reports a
// pixel pointer for it).
[[nodiscard]] BitmapRef createDibSection(std::int32_t width, std::int32_t height);

// The BITMAP record of GetObject.
struct BitmapInfo {
    std::int32_t type = 0; // bmType, always 0
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t widthBytes = 0; // rows padded to 2 bytes
    std::int32_t planes = 1;
    std::int32_t bitsPerPixel = 0;
    bool hasBits = false; // bmBits != NULL: only for DIB sections
};
BitmapInfo getObject(const Bitmap& bitmap);

// Conversions between COLORREF and the 24-bit RGB value the raster works on
// (0x00RRGGBB, the low three bytes of a stored colour pixel).
constexpr std::uint32_t deviceRgb(ColorRef c)
{
    const ColorRef e = effectiveColor(c);
    return ((e & 0xFF) << 16) | (e & 0xFF00) | ((e >> 16) & 0xFF);
}
constexpr ColorRef colorRefFromDevice(std::uint32_t rgbValue)
{
    return ((rgbValue & 0xFF) << 16) | (rgbValue & 0xFF00) | ((rgbValue >> 16) & 0xFF);
}
// The monochrome bit a colour maps to when drawn on a 1-bit bitmap: the nearer
// of black and white (ties go to black).
bool nearestMonoBit(ColorRef c);

} // namespace bastara::gdi
