#pragma once

// Helpers for pixel tests of the drawing layer: a colour context of a given
// size, and pictures of a bitmap as text rows so a failure shows the pixels.

#include "platform/gdi/dc.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace bastara::gdi {

// Readable values in failure messages.
inline void PrintTo(const Point& p, std::ostream* os)
{
    *os << '(' << p.x << ',' << p.y << ')';
}
inline void PrintTo(const Size& s, std::ostream* os)
{
    *os << s.width << 'x' << s.height;
}
inline void PrintTo(const Rect& r, std::ostream* os)
{
    *os << '(' << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom << ')';
}

} // namespace bastara::gdi

namespace bastara::gdi::test {

struct Canvas {
    std::unique_ptr<DeviceContext> dc;
    BitmapRef bitmap;
};

inline Canvas makeCanvas(std::int32_t width, std::int32_t height, ColorRef background = 0xFFFFFF,
    PixelFormat format = PixelFormat::Rgb32)
{
    Canvas canvas;
    canvas.dc = createCompatibleDC(nullptr);
    canvas.bitmap = Bitmap::create(width, height, format);
    canvas.bitmap->fill(background);
    canvas.dc->selectObject(canvas.bitmap);
    return canvas;
}

// One string per row; `symbol` picks the character for each pixel colour.
inline std::vector<std::string> rowsOf(
    const Bitmap& bitmap, const std::function<char(ColorRef)>& symbol)
{
    std::vector<std::string> rows;
    for (std::int32_t y = 0; y < bitmap.height(); ++y) {
        std::string row;
        for (std::int32_t x = 0; x < bitmap.width(); ++x)
            row += symbol(bitmap.colorAt(x, y));
        rows.push_back(row);
    }
    return rows;
}

// '#' where the pixel has `ink`, '.' elsewhere.
inline std::vector<std::string> inkRows(const Bitmap& bitmap, ColorRef ink)
{
    return rowsOf(bitmap, [ink](ColorRef c) { return c == ink ? '#' : '.'; });
}

} // namespace bastara::gdi::test
