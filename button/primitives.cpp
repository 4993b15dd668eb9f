// The drawing primitives every look is built from: tools, filled rectangles,
// the three rings of edge lines and the focus indicator. All of it goes into
// the back buffer.

#include "button/arithmetic.h"
#include "button/painter.h"
#include "platform/gdi/draw.h"
#include "platform/gdi/objects.h"

#include <algorithm>
#include <array>

namespace bastara::button {

void Painter::SetDrawingTool(Bool16 create, gdi::DeviceContext* dc, DrawingTool kind,
    std::int32_t colour, Bool16 alsoPen, std::int32_t width, std::int32_t style)
{
    gdi::DeviceContext* buffer = m_state.bufferDC.get();
    if (create.isFalse()) {
        // The first pen and brush go back; the control's own are released as
        // they are deselected.
        if (buffer) {
            if (m_state.bufferOldBrush)
                buffer->selectObject(m_state.bufferOldBrush);
            if (m_state.bufferOldPen)
                buffer->selectObject(m_state.bufferOldPen);
        }
        return;
    }
    switch (kind) {
    case DrawingTool::Brush:
        if (buffer)
            buffer->selectObject(gdi::createSolidBrush(gdi::ColorRef(colour)));
        if (alsoPen.isFalse())
            break;
        [[fallthrough]];
    case DrawingTool::Pen:
        if (buffer)
            buffer->selectObject(gdi::createPen(style, width, gdi::ColorRef(colour)));
        break;
    case DrawingTool::TextColour:
        if (dc)
            dc->setTextColor(TranslateColor(OleColor(std::uint32_t(colour))).colorRef());
        break;
    }
}

void Painter::DrawRectangle(gdi::DeviceContext* dc, std::int32_t left, std::int32_t top,
    std::int32_t right, std::int32_t bottom, std::int32_t fill, std::int32_t outline,
    std::int32_t width, std::int32_t style)
{
    const bool noOutline = outline == -1;
    if (!noOutline)
        SetDrawingTool(kTrue, dc, DrawingTool::Pen, outline, kFalse, width, style);
    // Without an outline the pen takes the fill colour, so the whole
    // rectangle is the fill.
    SetDrawingTool(kTrue, dc, DrawingTool::Brush, fill, Bool16(noOutline), 1, gdi::PS_SOLID);
    if (dc)
        gdi::rectangle(*dc, left, top, right, bottom);
}

namespace {

    // Edge line j (0..13) is drawn in colour k of edgeColors; 4 and 9 join the
    // rings and are never drawn.
    int colourIndexOfLine(int j)
    {
        if (j <= 3)
            return j + 1;
        if (j <= 8)
            return j;
        return j - 1;
    }

} // namespace

void Painter::DrawBorder(EdgePoints& p, const EdgeColors& edgeColors, std::int32_t outerStyle)
{
    const ButtonState& s = m_state;
    const float sw = scaleWidth();
    const float sh = scaleHeight();
    const std::int32_t sl = s.shapeLeft;
    const std::int32_t sr = s.shapeRight;
    const bool slantLeft
        = s.buttonShape == Shape::SlantedLeft || s.buttonShape == Shape::Parallelogram;
    const bool slantRight
        = s.buttonShape == Shape::SlantedRight || s.buttonShape == Shape::Parallelogram;
    const std::int32_t dL = slantLeft ? 1 : 0;
    const std::int32_t dR = slantRight ? 1 : 0;

    // Inner ring.
    p[0] = { sl + 2 - 4 * dL, roundEven(sh - 3.0f) };
    p[1] = { 2 + 2 * dL, 2 };
    p[2] = { sr - 3 + 3 * dR, 2 };
    p[3] = { roundEven(sw - 3.0f - 3.0f * float(dR)), roundEven(sh - 3.0f) };
    p[4] = { sl + 1 - 4 * dL, roundEven(sh - 3.0f) };
    // Middle ring, one pixel further out.
    p[5] = { p[0].x + dL - 1, p[0].y + 1 };
    p[6] = { p[1].x - 1 - dL, p[1].y - 1 };
    p[7] = { p[2].x + 1 - dR, p[2].y - 1 };
    p[8] = { p[3].x + 1 + dR, p[3].y + 1 };
    p[9] = { p[4].x - 1, p[4].y + 1 };
    // Outer ring.
    p[10] = { sl - dL, roundEven(sh - 1.0f + float(dL)) };
    p[11] = { 0, 0 };
    p[12] = { sr - 1 + dR, 0 };
    p[13] = { roundEven(sw - 1.0f), roundEven(sh - 1.0f + float(dR)) };
    p[14] = { sl - 1 - 2 * dL, roundEven(sh - 1.0f) };

    gdi::DeviceContext* buffer = s.bufferDC.get();
    std::int32_t lastColour = -1;
    std::int32_t penStyle = gdi::PS_SOLID;
    for (int j = 0; j <= 13; ++j) {
        const int k = colourIndexOfLine(j);
        if (j >= 9 && outerStyle >= 0)
            penStyle = outerStyle;
        if (j == 4 || j == 9 || edgeColors[k] < 0)
            continue;
        // One pen per run of equal colours.
        if (edgeColors[k] != lastColour)
            SetDrawingTool(kTrue, buffer, DrawingTool::Pen, edgeColors[k], kTrue, 1, penStyle);
        if (buffer)
            gdi::polyline(*buffer, std::array { p[j], p[j + 1] });
        lastColour = edgeColors[k];
    }

    // The closing segment repeats the outer bottom line to the corner and
    // fills the pixel at point 14, with whatever pen is selected.
    if (sw != float(dR)) {
        p[15] = { roundEven(sw - 1.0f), roundEven(sh - 1.0f) };
        if (buffer)
            gdi::polyline(*buffer, std::array { p[14], p[15] });
    }
}

void Painter::DrawFocusRectangle(
    std::int32_t& colour, Bool16 solid, Bool16 aroundCaption, EdgePoints& p)
{
    const ButtonState& s = m_state;
    if (!s.isDefaultLook())
        return;
    switch (s.buttonShape) {
    case Shape::PictureFramed:
    case Shape::PictureRimmed:
        return;
    case Shape::Oval:
    case Shape::OvalPlain:
    case Shape::OvalFramed:
        if (s.buttonStyle == Look::RoundedLight)
            return;
        aroundCaption = kTrue;
        break;
    default:
        break;
    }

    const float sw = scaleWidth();
    const float sh = scaleHeight();
    const std::int32_t sl = s.shapeLeft;
    const std::int32_t sr = s.shapeRight;
    gdi::DeviceContext* buffer = s.bufferDC.get();

    const bool slanted = s.buttonShape == Shape::SlantedLeft || s.buttonShape == Shape::SlantedRight
        || s.buttonShape == Shape::Parallelogram;
    if (slanted) {
        // A negative colour (none, or an unresolved system colour) draws
        // black here too, but the caller's variable keeps it: the rounded
        // dark look hands in its remembered hover text colour.
        SetDrawingTool(
            kTrue, buffer, DrawingTool::Pen, std::max(colour, 0), kFalse, 1, gdi::PS_SOLID);
        const std::int32_t e = sl != 0 ? 1 : 0;
        const std::int32_t f = sw > float(sr) ? 1 : 0;
        const std::int32_t bottom = roundEven(sh - 5.0f);
        p[0] = { sl + 4 - 6 * e, bottom };
        p[1] = { 4 + 4 * e, 4 };
        p[2] = { sr + 4 * f - 5, 4 };
        p[3] = { roundEven(sw - 5.0f - 6.0f * float(f)), bottom };
        p[4] = { sl + 3 - 4 * e, bottom };
        if (buffer)
            gdi::polyline(*buffer, std::span(p.points.data(), 5));
        return;
    }

    if (colour < 0)
        colour = 0;
    SetDrawingTool(kTrue, buffer, DrawingTool::Pen, colour, kFalse, 1, gdi::PS_SOLID);

    gdi::Rect r;
    if (aroundCaption.isTrue()) {
        if (!s.captionText.empty()) {
            r = s.captionRect;
        } else {
            r = s.pictureRect;
            if (sh - 4.0f < float(r.bottom))
                r.bottom = roundEven(sh - 4.0f);
            if (sw - 4.0f < float(r.right))
                r.right = roundEven(sw - 4.0f);
        }
        // Two pixels of margin when the caption leaves room for them.
        const std::int32_t m
            = (s.captionRect.right < sr - 4 && s.captionRect.left > sl + 4) ? 2 : 1;
        const std::int32_t d
            = ((s.buttonValue.isTrue() || s.isPressed()) && s.buttonStyle != Look::Etched) ? 1 : 0;
        const std::int32_t g = static_cast<std::int32_t>(s.buttonShape) < 4 ? 1 : 0;
        r.left += g * d - m;
        r.top += d - m;
        r.right += m + 2 * g * d;
        r.bottom += m + 2 * d;
        if (!buffer)
            return;
        if (solid.isFalse()) {
            gdi::drawFocusRect(*buffer, r);
        } else {
            const std::array<gdi::Point, 5> outline { gdi::Point { r.left, r.top },
                { r.right - 1, r.top }, { r.right - 1, r.bottom - 1 }, { r.left, r.bottom - 1 },
                { r.left, r.top } };
            gdi::polyline(*buffer, outline);
        }
        return;
    }

    r = { sl + 4, 4, sr - 4, roundEven(sh - 8.0f) + 4 };
    if (!buffer)
        return;
    if (solid.isFalse()) {
        gdi::drawFocusRect(*buffer, r);
    } else {
        const std::array<gdi::Point, 5> outline { gdi::Point { r.left, r.bottom },
            { r.left, r.top }, { r.right, r.top }, { r.right, r.bottom }, { r.left, r.bottom } };
        gdi::polyline(*buffer, outline);
    }
}

} // namespace bastara::button
