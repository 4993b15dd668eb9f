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
    {
        if (m_pen.isDashed()) {
            const DashPattern pattern = dashPatternFor(m_pen.style());
            m_dashLengths = pattern.lengths;
            m_dashCount = pattern.count;
        }
    }

    void PenPainter::restartPattern()
    {
        m_dashIndex = 0;
        m_dashStep = 0;
    }

    void PenPainter::segment(Point a, Point b)
    {
        if (m_pen.style() == PS_NULL)
            return;
        const std::int64_t dx = std::int64_t(b.x) - a.x;
        const std::int64_t dy = std::int64_t(b.y) - a.y;
        const std::int64_t steps = std::max(std::llabs(dx), std::llabs(dy));
        const bool xMajor = std::llabs(dx) > std::llabs(dy);
        for (std::int64_t i = 0; i < steps; ++i) {
            std::int64_t x;
            std::int64_t y;
            if (xMajor) {
                x = a.x + (dx > 0 ? i : -i);
                y = a.y + roundHalfDown(dy * i, steps);
            } else {
                y = a.y + (dy > 0 ? i : -i);
                x = a.x + roundHalfDown(dx * i, steps);
            }
            plot(std::int32_t(x), std::int32_t(y));
        }
    }

    void PenPainter::plot(std::int32_t x, std::int32_t y)
    {
        bool on = true;
        if (m_dashLengths) {
            on = m_dashIndex % 2 == 0;
            if (++m_dashStep == m_dashLengths[m_dashIndex]) {
                m_dashStep = 0;
                m_dashIndex = (m_dashIndex + 1) % m_dashCount;
            }
        }
        if (!on && !m_paintGaps)
            return;
        const std::uint32_t value = on ? m_penValue : m_gapValue;
        const int width = m_dashLengths ? 1 : m_pen.width();
        if (width == 1) {
            if (m_dc.isVisible(x, y))
                writeValue(m_dc.bitmap(), x, y, value);
            return;
        }
        const Rect square { x - width / 2, y - width / 2, x - width / 2 + width,
            y - width / 2 + width };
        for (const Rect& r : m_dc.visibleRects(square)) {
            for (std::int32_t py = r.top; py < r.bottom; ++py)
                for (std::int32_t px = r.left; px < r.right; ++px)
                    writeValue(m_dc.bitmap(), px, py, value);
        }
    }

    void PenPainter::path(std::span<const Point> points)
    {
        restartPattern();
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
    const Rect box = Rect { left, top, right, bottom }.normalized();
    if (box.isEmpty() || box.height() > kMaxBitmapSide || box.width() > kMaxBitmapSide)
        return;
    const std::vector<Point> points
        = detail::ellipseArcPoints(box, { xStart, yStart }, { xEnd, yEnd });
    detail::PenPainter(dc).path(points);
}

} // namespace bastara::gdi
