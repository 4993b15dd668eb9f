#include "platform/gdi/internal/ellipse.h"

#include <cstddef>

namespace bastara::gdi::detail {

namespace {

    // Error terms of the midpoint recurrence for semi-axes derived from the box.
    // Stepping x changes the error by the x-term, stepping y by the y-term; each
    // term grows by a constant second difference.
    struct MidpointState {
        std::int64_t xTerm;
        std::int64_t yTerm;
        std::int64_t xSecond;
        std::int64_t ySecond;
        std::int64_t error;
    };

    MidpointState startState(std::int32_t width, std::int32_t height)
    {
        const std::int64_t a = width - 1;
        const std::int64_t b = height - 1;
        MidpointState s {};
        s.xSecond = 8 * b * b;
        s.ySecond = 8 * a * a;
        s.xTerm = 4 * b * b * (1 - a);
        s.yTerm = 4 * a * a * (1 + b % 2);
        s.error = s.xTerm + s.yTerm + a * a * (b % 2);
        return s;
    }

    // One step: which axes move. Both may move at once (a diagonal step).
    struct Step {
        bool moveX;
        bool moveY;
    };

    Step advance(MidpointState& s)
    {
        const std::int64_t doubled = 2 * s.error;
        const Step step { doubled >= s.xTerm, doubled <= s.yTerm };
        if (step.moveX) {
            s.xTerm += s.xSecond;
            s.error += s.xTerm;
        }
        if (step.moveY) {
            s.yTerm += s.ySecond;
            s.error += s.yTerm;
        }
        return step;
    }

    // The first quadrant relative to the box centre, from the rightmost point
    // upwards (y counted upwards), as in the reference engine.
    std::vector<Point> firstQuadrant(std::int32_t width, std::int32_t height)
    {
        std::vector<Point> points;
        MidpointState s = startState(width, height);
        Point p { width - 1, height / 2 };
        while (p.x >= width / 2) {
            points.push_back({ p.x - width / 2, p.y - height / 2 });
            const Step step = advance(s);
            if (step.moveX)
                --p.x;
            if (step.moveY)
                ++p.y;
        }
        return points;
    }

    // Index (0 .. 4n) on the closed curve where the ray from the centre towards
    // (x, y) (y counted upwards) meets it.
    std::int64_t curveIndexForRay(const std::vector<Point>& q, std::int64_t x, std::int64_t y)
    {
        const auto n = static_cast<std::int64_t>(q.size());
        auto firstWhere = [&](auto predicate) {
            std::int64_t i = 0;
            while (i < n && !predicate(q[std::size_t(i)]))
                ++i;
            return i;
        };
        if (y >= 0) {
            if (x >= 0)
                return firstWhere([&](Point p) { return p.x * y <= p.y * x; });
            return 2 * n - firstWhere([&](Point p) { return p.x * y < p.y * -x; });
        }
        if (x >= 0)
            return 4 * n - firstWhere([&](Point p) { return p.x * -y <= p.y * x; });
        return 2 * n + firstWhere([&](Point p) { return p.x * -y < p.y * -x; });
    }

} // namespace

std::vector<std::int32_t> ellipseRowInsets(std::int32_t width, std::int32_t height)
{
    std::vector<std::int32_t> insets(std::size_t(height), 0);
    MidpointState s = startState(width, height);
    std::int32_t x = 0;
    std::int32_t y = height / 2;
    while (x <= width / 2) {
        const Step step = advance(s);
        if (step.moveX)
            ++x;
        if (step.moveY) {
            ++y;
            if (y < height)
                insets[std::size_t(y)] = x;
        }
    }
    // The upper half mirrors the lower half.
    for (std::int32_t i = 0; i < height / 2; ++i)
        insets[std::size_t(i)] = insets[std::size_t(height - 1 - i)];
    return insets;
}

std::vector<Point> ellipseArcPoints(const Rect& box, Point start, Point end)
{
    const std::int32_t width = box.width();
    const std::int32_t height = box.height();
    const std::vector<Point> q = firstQuadrant(width, height);
    if (q.empty())
        return {};
    const std::int32_t cx = box.left + width / 2;
    const std::int32_t cy = box.top + height / 2;
    // Counter-clockwise on screen is counter-clockwise with y pointing up.
    const std::int64_t from
        = curveIndexForRay(q, std::int64_t(start.x) - cx, std::int64_t(cy) - start.y);
    std::int64_t to = curveIndexForRay(q, std::int64_t(end.x) - cx, std::int64_t(cy) - end.y);
    const auto n = static_cast<std::int64_t>(q.size());
    if (to <= from)
        to += 4 * n;

    std::vector<Point> points;
    points.reserve(std::size_t(to - from));
    for (std::int64_t i = from; i < to; ++i) {
        const auto k = std::size_t(i % n);
        const auto mirrored = std::size_t(n - 1) - k;
        switch ((i / n) % 4) {
        case 0: // right to top
            points.push_back({ cx + q[k].x, cy - q[k].y });
            break;
        case 1: // top to left
            points.push_back({ cx - q[mirrored].x, cy - q[mirrored].y });
            break;
        case 2: // left to bottom
            points.push_back({ cx - q[k].x, cy + q[k].y });
            break;
        default: // bottom to right
            points.push_back({ cx + q[mirrored].x, cy + q[mirrored].y });
            break;
        }
    }
    return points;
}

} // namespace bastara::gdi::detail
