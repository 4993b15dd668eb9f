#pragma once

// Small value types of the drawing layer: points, rectangles and colours.
//
// Coordinates follow the GDI convention: pixel (x, y) is the unit square whose
// top-left corner is the integer point (x, y), and a rectangle (l, t, r, b)
// covers x in [l, r), y in [t, b). Colours are COLORREF values 0x00BBGGRR (red
// in the low byte).

#include <algorithm>
#include <cstdint>

namespace bastara::gdi {

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;

    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    std::int32_t width = 0;
    std::int32_t height = 0;

    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    constexpr std::int32_t width() const { return right - left; }
    constexpr std::int32_t height() const { return bottom - top; }
    // Empty when it covers no pixel; inverted rectangles are empty.
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    constexpr bool contains(std::int32_t x, std::int32_t y) const
    {
        return x >= left && x < right && y >= top && y < bottom;
    }
    constexpr Rect translated(std::int32_t dx, std::int32_t dy) const
    {
        return { left + dx, top + dy, right + dx, bottom + dy };
    }
    // Swaps inverted edges, as Rectangle and the region factories do.
    constexpr Rect normalized() const
    {
        return { std::min(left, right), std::min(top, bottom), std::max(left, right),
            std::max(top, bottom) };
    }
    constexpr Rect intersected(const Rect& other) const
    {
        Rect r { std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
            std::min(bottom, other.bottom) };
        return r.isEmpty() ? Rect {} : r;
    }

    friend bool operator==(const Rect&, const Rect&) = default;
};

// COLORREF: 0x00BBGGRR.
using ColorRef = std::uint32_t;

// Returned by getPixel outside the bitmap or the clip region, and by setPixel
// when nothing was written.
inline constexpr ColorRef CLR_INVALID = 0xFFFFFFFF;

constexpr ColorRef rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return ColorRef(red) | (ColorRef(green) << 8) | (ColorRef(blue) << 16);
}
constexpr std::uint8_t redOf(ColorRef c)
{
    return std::uint8_t(c & 0xFF);
}
constexpr std::uint8_t greenOf(ColorRef c)
{
    return std::uint8_t((c >> 8) & 0xFF);
}
constexpr std::uint8_t blueOf(ColorRef c)
{
    return std::uint8_t((c >> 16) & 0xFF);
}

// The colour a pen, brush, pixel or text call actually uses. A value with any
// bit of the top byte set (a palette index, or an untranslated system colour
// such as -1 or 0x80000012) is read as palette entry 0, which is black: the
// behaviour of the reference engine for invalid palette indices.
constexpr ColorRef effectiveColor(ColorRef c)
{
    return (c & 0xFF000000) ? 0 : c;
}

} // namespace bastara::gdi
