// Pen drawing: lines, polylines and arcs (draw.h).

#include "platform/gdi/draw.h"
#include "platform/gdi/internal/ellipse.h"
#include "platform/gdi/internal/pen_painter.h"

#include <cstdlib>

namespace bastara::gdi {

namespace detail {

    namespace {

        struct DashPattern {
            const int* lengths;
            int count;
        };

        constexpr int kDash[] = { 18, 6 };
        constexpr int kDot[] = { 3, 3 };
        constexpr int kDashDot[] = { 9, 6, 3, 6 };
        constexpr int kDashDotDot[] = { 9, 3, 3, 3, 3, 3 };

        DashPattern dashPatternFor(int style)
        {
            switch (style) {
            case PS_DASH:
                return { kDash, 2 };
            case PS_DOT:
                return { kDot, 2 };
            case PS_DASHDOT:
                return { kDashDot, 4 };
            case PS_DASHDOTDOT:
                return { kDashDotDot, 6 };
            default:
                return { nullptr, 0 };
            }
        }

        // round(num / den) with exact halves towards minus infinity; den > 0.
        std::int64_t roundHalfDown(std::int64_t num, std::int64_t den)
        {
            // ceil((2 num - den) / (2 den))
            const std::int64_t n = 2 * num - den;
            const std::int64_t d = 2 * den;
            std::int64_t q = n / d;
            if (n % d != 0 && n > 0)
                ++q;
            return q;
        }

    } // namespace

    PenPainter::PenPainter(DeviceContext& dc)
        : m_dc(dc)
        , m_pen(dc.pen())
        , m_penValue(deviceValue(dc.bitmap(), dc.pen().color()))
        , m_gapValue(deviceValue(dc.bitmap(), dc.bkColor()))
        , m_paintGaps(dc.fillsBackground())
        , m_width(dc.pen().isDashed() ? 1 : dc.pen().width())
    {
        if (m_pen.isDashed()) {
            const DashPattern pattern = dashPatternFor(m_pen.style());
            m_dashLengths = pattern.lengths;
            m_dashCount = pattern.count;
            for (int i = 0; i < m_dashCount; ++i)
                m_dashCycle += m_dashLengths[i];
        }
    }

    bool PenPainter::dashOn() const
    {
        if (!m_dashLengths)
            return true;
        int position = m_dashPosition;
        for (int i = 0; i < m_dashCount; ++i) {
            if (position < m_dashLengths[i])
                return i % 2 == 0;
            position -= m_dashLengths[i];
        }
        return true;
    }

    void PenPainter::advanceDash(std::int64_t steps)
    {
        if (m_dashLengths)
            m_dashPosition = int((m_dashPosition + steps) % m_dashCycle);
    }

    void PenPainter::segment(Point from, Point to)
    {
        if (m_pen.style() == PS_NULL)
            return;
        const Point a = clampPoint(from);
        const Point b = clampPoint(to);
        const std::int64_t dx = std::int64_t(b.x) - a.x;
        const std::int64_t dy = std::int64_t(b.y) - a.y;
        const std::int64_t steps = std::max(std::llabs(dx), std::llabs(dy));
        const bool xMajor = std::llabs(dx) > std::llabs(dy);
        if (!m_dashLengths && (dx == 0 || dy == 0)) {
            straight(a, b, steps);
            return;
        }
        // Steps whose major coordinate lies within reach of the bitmap.
        const std::int64_t start = xMajor ? a.x : a.y;
        const std::int64_t direction = (xMajor ? dx : dy) > 0 ? 1 : -1;
        const std::int64_t low = -m_width;
        const std::int64_t high
            = std::int64_t(xMajor ? m_dc.bitmap().width() : m_dc.bitmap().height()) + m_width;
        std::int64_t first = direction > 0 ? low - start : start - high;
        std::int64_t last = direction > 0 ? high - start : start - low;
        first = std::clamp<std::int64_t>(first, 0, steps);
        last = std::clamp<std::int64_t>(last + 1, 0, steps);
        if (first >= last) {
            advanceDash(steps);
            return;
        }
        // Inside a wholly visible box no pixel needs the clip test.
        m_unclipped = m_dc.isWhollyVisible(penCover(Rect { std::min(a.x, b.x), std::min(a.y, b.y),
            std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1 }));
        advanceDash(first);
        for (std::int64_t i = first; i < last; ++i) {
            std::int64_t x;
            std::int64_t y;
            if (xMajor) {
                x = a.x + direction * i;
                y = a.y + roundHalfDown(dy * i, steps);
            } else {
                y = a.y + direction * i;
                x = a.x + roundHalfDown(dx * i, steps);
            }
            plot(std::int32_t(x), std::int32_t(y));
        }
        advanceDash(steps - last);
    }

    void PenPainter::straight(Point a, Point b, std::int64_t steps)
    {
        if (steps == 0)
            return;
        // The pixels from a up to, but not including, b: one row or column.
        const std::int64_t left = a.x < b.x ? a.x : b.x + std::int64_t(a.x != b.x);
        const std::int64_t top = a.y < b.y ? a.y : b.y + std::int64_t(a.y != b.y);
        const Rect pixels
            = clampRect(left, top, left + (a.y == b.y ? steps : 1), top + (a.x == b.x ? steps : 1));
        m_dc.forEachVisibleRect(penCover(pixels),
            [this](const Rect& part) { fillValue(m_dc.bitmap(), part, m_penValue); });
    }

    Rect PenPainter::penCover(const Rect& pixels) const
    {
        // Squares of the pen width centred on each pixel.
        const std::int64_t before = m_width / 2;
        const std::int64_t after = m_width - 1 - before;
        return clampRect(std::int64_t(pixels.left) - before, std::int64_t(pixels.top) - before,
            std::int64_t(pixels.right) + after, std::int64_t(pixels.bottom) + after);
    }

    void PenPainter::plot(std::int32_t x, std::int32_t y)
    {
        const bool on = dashOn();
        advanceDash(1);
        if (!on && !m_paintGaps)
            return;
        const std::uint32_t value = on ? m_penValue : m_gapValue;
        if (m_width == 1) {
            if (m_unclipped || m_dc.isVisible(x, y))
                writeValue(m_dc.bitmap(), x, y, value);
            return;
        }
        m_dc.forEachVisibleRect(penCover(Rect { x, y, x + 1, y + 1 }),
            [this, value](const Rect& part) { fillValue(m_dc.bitmap(), part, value); });
    }

    void PenPainter::path(std::span<const Point> points)
    {
        m_dashPosition = 0;
        for (std::size_t i = 0; i + 1 < points.size(); ++i)
            segment(points[i], points[i + 1]);
    }

} // namespace detail

void lineTo(DeviceContext& dc, std::int32_t x, std::int32_t y)
{
    const Point from = dc.moveTo({ x, y });
    const Point points[] = { from, { x, y } };
    detail::PenPainter(dc).path(points);
}

void polyline(DeviceContext& dc, std::span<const Point> points)
{
    detail::PenPainter(dc).path(points);
}

void arc(DeviceContext& dc, std::int32_t left, std::int32_t top, std::int32_t right,
    std::int32_t bottom, std::int32_t xStart, std::int32_t yStart, std::int32_t xEnd,
    std::int32_t yEnd)
{
    const Rect box = detail::clampRect(left, top, right, bottom).normalized();
    if (box.isEmpty() || box.height() > kMaxBitmapSide || box.width() > kMaxBitmapSide)
        return;
    const std::vector<Point> points
        = detail::ellipseArcPoints(box, { xStart, yStart }, { xEnd, yEnd });
    detail::PenPainter(dc).path(points);
}

} // namespace bastara::gdi
