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
    void restartPattern();
    // Paints a up to, but not including, b.
    void segment(Point a, Point b);
    void plot(std::int32_t x, std::int32_t y);

    DeviceContext& m_dc;
    const Pen& m_pen;
    std::uint32_t m_penValue;
    std::uint32_t m_gapValue;
    bool m_paintGaps;
    const int* m_dashLengths = nullptr;
    int m_dashCount = 0;
    int m_dashIndex = 0;
    int m_dashStep = 0;
};

} // namespace bastara::gdi::detail
