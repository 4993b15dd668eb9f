// BuildShapeRegions: the window region of each shape (with the corner cuts
// of some looks), the two clip regions of the oval and picture shapes, and the
// rims those shapes keep in the back buffer.

#include "button/arithmetic.h"
#include "button/button.h"
#include "platform/gdi/draw.h"
#include "platform/window/regions.h"

#include <array>

namespace bastara::button {

namespace {

    enum class Side : std::uint8_t {
        Left = 1,
        Right = 2,
        Both = Left | Right,
    };
    constexpr bool hasSide(Side set, Side side)
    {
        return (std::uint8_t(set) & std::uint8_t(side)) != 0;
    }

    // How a look rounds the corners of its upright sides.
    enum class CornerCut : std::uint8_t {
        None,
        Pixels, // one pixel at each corner
        EtchedPixels, // only where the etched edge changes colour
        Triangles, // small triangles
    };

    CornerCut cornerCutOf(Look look, bool enabled)
    {
        switch (look) {
        case Look::FramedBevel:
            return CornerCut::Pixels;
        case Look::Etched:
            // Disabled, the etched edge is one colour all round: square corners.
            return enabled ? CornerCut::EtchedPixels : CornerCut::None;
        case Look::RoundedLight:
        case Look::RoundedDark:
            return CornerCut::Triangles;
        default:
            return CornerCut::None;
        }
    }

    void subtract(gdi::Region& from, const gdi::Region& cut)
    {
        gdi::combineRegion(from, from, cut, gdi::CombineMode::Diff);
    }

    void subtractPixel(gdi::Region& from, std::int32_t x, std::int32_t y)
    {
        subtract(from, gdi::createRectRegion(x, y, x + 1, y + 1));
    }

    void subtractTriangle(gdi::Region& from, gdi::Point a, gdi::Point b, gdi::Point c)
    {
        const std::array<gdi::Point, 3> corners { a, b, c };
        if (const auto triangle = gdi::createPolygonRegion(corners, gdi::PolyFillMode::Winding))
            subtract(from, *triangle);
    }

    // Pixel corners use round(W), round(H), round(W - 1) and round(H - 1);
    // triangles the corners of the window itself.
    void cutCorners(gdi::Region& region, CornerCut cut, Side sides, float w, float h)
    {
        const std::int32_t right = roundEven(w - 1.0f);
        const std::int32_t bottom = roundEven(h - 1.0f);
        const std::int32_t width = roundEven(w);
        const std::int32_t height = roundEven(h);
        const bool left = hasSide(sides, Side::Left);
        const bool rightSide = hasSide(sides, Side::Right);
        switch (cut) {
        case CornerCut::None:
            break;
        case CornerCut::Pixels:
            if (left) {
                subtractPixel(region, 0, 0);
                subtractPixel(region, 0, bottom);
            }
            if (rightSide) {
                subtractPixel(region, right, bottom);
                subtractPixel(region, right, 0);
            }
            break;
        case CornerCut::EtchedPixels:
            if (left)
                subtractPixel(region, 0, bottom);
            if (rightSide)
                subtractPixel(region, right, 0);
            break;
        case CornerCut::Triangles:
            if (left) {
                subtractTriangle(region, { 0, 0 }, { 2, 0 }, { 0, 2 });
                subtractTriangle(region, { 0, height }, { 3, height }, { 0, height - 3 });
            }
            if (rightSide) {
                subtractTriangle(region, { width, 0 }, { width - 2, 0 }, { width, 2 });
                subtractTriangle(
                    region, { width, height }, { width - 3, height }, { width, height - 3 });
            }
            break;
        }
    }

} // namespace

void Button::BuildShapeRegions()
{
    ButtonState& s = m_state;
    gdi::DeviceContext* buffer = s.bufferDC.get();
    float w = scaleWidth();
    float h = scaleHeight();

    s.shapeLeft = 0;
    s.shapeRight = roundEven(w);
    if (buffer)
        buffer->selectClipRegion(std::nullopt);
    s.innerRegion.reset();
    s.outlineRegion.reset();

    const CornerCut corners = cornerCutOf(s.buttonStyle, m_host.enabled());
    std::optional<gdi::Region> region;
    switch (s.buttonShape) {
    case Shape::Rectangle:
        region = gdi::createRectRegion(0, 0, roundEven(w + 1.0f), roundEven(h + 1.0f));
        cutCorners(*region, corners, Side::Both, w, h);
        break;

    case Shape::SlantedLeft:
    case Shape::SlantedRight:
    case Shape::Parallelogram: {
        // The horizontal run of a slanted side: one pixel per row, plus one.
        const float q = (h + 1.0f) / 4.0f;
        const std::int32_t run = roundEven(4.0f * q);
        // Too narrow for its slants: widen it, in steps of five pixels.
        std::int32_t needed = roundEven(w);
        while (needed - run <= 4)
            needed += 5;
        if (w != float(needed)) {
            // The resize draws nothing; a caller's own delay outlasts it.
            const Bool16 callersDelay = s.delayDrawing;
            DelayDrawing(kTrue);
            m_host.setSizePixels(needed, roundEven(h));
            w = scaleWidth();
            h = scaleHeight();
            s.shapeRight = roundEven(w);
            s.delayDrawing = callersDelay;
        }
        const std::int32_t upperRight = roundEven(w - float(run));
        std::array<gdi::Point, 4> outline { gdi::Point { 0, 0 }, { 0, roundEven(h + 1.0f) },
            { roundEven(w + 1.0f), roundEven(h + 1.0f) }, { roundEven(w + 1.0f), 0 } };
        if (s.buttonShape != Shape::SlantedRight) {
            outline[1].x = run;
            s.shapeLeft = run;
        }
        if (s.buttonShape != Shape::SlantedLeft) {
            outline[3].x = upperRight + 1;
            s.shapeRight = upperRight;
        }
        region = gdi::createPolygonRegion(outline, gdi::PolyFillMode::Winding);
        // Only the upright side of a one-sided slant is rounded.
        if (region && s.buttonShape == Shape::SlantedRight)
            cutCorners(*region, corners, Side::Left, w, h);
        if (region && s.buttonShape == Shape::SlantedLeft)
            cutCorners(*region, corners, Side::Right, w, h);
        break;
    }

    case Shape::Oval:
    case Shape::OvalPlain:
    case Shape::OvalFramed:
        region = gdi::createEllipticRegion(0, 0, roundEven(w), roundEven(h));
        if (s.buttonStyle != Look::FlatHover) {
            if (s.buttonShape == Shape::OvalFramed) {
                if (buffer && region)
                    gdi::frameRegion(*buffer, *region, gdi::createSolidBrush(0), 1, 1);
            } else {
                // The shaded rim, light at the top.
                m_painter.GradientFill(kWhite, kGrey, GradientDirection::TopToBottom);
            }
        }
        s.outlineRegion = gdi::createEllipticRegion(1, 1, roundEven(w - 1.0f), roundEven(h - 1.0f));
        s.innerRegion = gdi::createEllipticRegion(2, 2, roundEven(w - 2.0f), roundEven(h - 2.0f));
        break;

    case Shape::PictureFramed:
    case Shape::PictureRimmed: {
        // Without a picture size the window keeps its previous outline.
        if (s.pictureWidth == 0 || s.pictureHeight == 0)
            return;
        const Bool16 callersDelay = s.delayDrawing;
        DelayDrawing(kTrue);
        const gdi::Size fit = m_painter.FitPictureSize(roundEven(w), roundEven(h));
        m_host.setSizePixels(fit.width, fit.height);
        w = scaleWidth();
        h = scaleHeight();
        s.shapeRight = roundEven(w);
        s.delayDrawing = callersDelay;

        region = gdi::createRectRegion(0, 0, roundEven(w), roundEven(h));
        m_painter.PreparePicture(roundEven(w), roundEven(h), &*region);
        // The outlines start one and two pixels inside the window's outline.
        const gdi::Rect box = region->boundingRect();
        if (s.outlineRegion) {
            const gdi::Rect outlineBox = s.outlineRegion->boundingRect();
            gdi::offsetRegion(
                *s.outlineRegion, box.left - outlineBox.left + 1, box.top - outlineBox.top + 1);
        }
        if (s.innerRegion) {
            const gdi::Rect innerBox = s.innerRegion->boundingRect();
            gdi::offsetRegion(
                *s.innerRegion, box.left - innerBox.left + 2, box.top - innerBox.top + 2);
        }
        if (s.buttonShape == Shape::PictureRimmed) {
            m_painter.GradientFill(kWhite, kGrey, GradientDirection::TopToBottom);
        } else if (buffer) {
            gdi::frameRegion(*buffer, *region,
                gdi::createSolidBrush(TranslateColor(s.backColor).colorRef()), 1, 1);
        }
        if (buffer)
            buffer->selectClipRegion(s.outlineRegion);
        break;
    }
    }

    // A shape outside the named ones has no outline of its own: the whole
    // window.
    (void)window::setWindowRegion(m_host.windowHandle(), std::move(region), true);
    if (s.shapeRight == 0)
        s.shapeRight = roundEven(w);
}

} // namespace bastara::button
