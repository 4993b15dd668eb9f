#pragma once

// The per-redraw arrays a renderer fills and the edge routines read.
//
// EdgePoints: 16 corner points, indices 0..15: 0..4 the inner ring, 5..9 the
// middle ring, 10..15 the outer ring. DrawBorder computes them; the focus
// rectangle reuses 0..4 as scratch.
//
// EdgeColors: 12 line colours, indices 1..12 (1..4 inner ring, 5..8 middle,
// 9..12 outer; in each ring left, top, right, bottom). A negative entry means
// the line is not drawn; zero-filled means black. Entry 12 as the renderer
// leaves it is also the colour a shaped window's outline is framed with.

#include "button/colors.h"
#include "platform/gdi/types.h"

#include <array>
#include <cassert>
#include <cstdint>

namespace bastara::button {

struct EdgePoints {
    std::array<gdi::Point, 16> points {};

    gdi::Point& operator[](int index)
    {
        assert(index >= 0 && index < 16);
        return points[std::size_t(index)];
    }
    const gdi::Point& operator[](int index) const
    {
        assert(index >= 0 && index < 16);
        return points[std::size_t(index)];
    }
};

class EdgeColors
{
public:
    // Index 1..12.
    std::int32_t& operator[](int index)
    {
        assert(index >= 1 && index <= 12);
        return m_colors[std::size_t(index - 1)];
    }
    std::int32_t operator[](int index) const
    {
        assert(index >= 1 && index <= 12);
        return m_colors[std::size_t(index - 1)];
    }
    // Entries first..last get the colour (a plain colour, or -1 for "not drawn").
    void fill(int first, int last, std::int32_t colour)
    {
        for (int k = first; k <= last; ++k)
            (*this)[k] = colour;
    }
    void fill(int first, int last, Rgb colour) { fill(first, last, colour.asSigned()); }

private:
    std::array<std::int32_t, 12> m_colors {};
};

inline constexpr std::int32_t kNoLine = -1;

} // namespace bastara::button
