#pragma once

// Paints pen paths pixel by pixel: the line rule, dash patterns and wide pens
// of draw.h in one place.

#include "platform/gdi/internal/paint.h"

#include <span>

namespace bastara::gdi::detail {

class PenPainter
{
public:
    explicit PenPainter(DeviceContext& dc);

    // The segments between consecutive points; the dash pattern restarts at
    // the first point and continues through the path.
    void path(std::span<const Point> points);

private:
    // Paints a up to, but not including, b. Only the steps that can reach the
    // bitmap are walked; the others just move the dash pattern on.
    void segment(Point a, Point b);
    // A solid horizontal or vertical segment of `steps` pixels: one span.
    void straight(Point a, Point b, std::int64_t steps);
    // What the pen covers when it paints the pixels of `pixels`.
    Rect penCover(const Rect& pixels) const;
    void plot(std::int32_t x, std::int32_t y);
    // Moves the dash pattern on by `steps` pixels; returns whether the pixel
    // at the current position is "on".
    bool dashOn() const;
    void advanceDash(std::int64_t steps);

    DeviceContext& m_dc;
    const Pen& m_pen;
    std::uint32_t m_penValue;
    std::uint32_t m_gapValue;
    bool m_paintGaps;
    int m_width;
    const int* m_dashLengths = nullptr;
    int m_dashCount = 0;
    int m_dashCycle = 0; // sum of the lengths
    int m_dashPosition = 0; // 0 .. m_dashCycle - 1
    bool m_unclipped = false; // the current segment needs no clip test
};

} // namespace bastara::gdi::detail
