#pragma once

// A plain look for tests whose subject is not a look: the face (through the
// shape pre-pass, so shapes and gradients show), the caption and picture, a
// raised two-ring edge on the shapes with edges and the focus indicator, drawn
// through the control's own primitives in the order a look draws them.

#include "button/button.h"
#include "button/renderers/renderer.h"

namespace bastara::button::test {

inline void renderSample(Painter& painter, RenderResult& result)
{
    ButtonState& s = painter.state();
    const Rgb face = s.buttonValue.isTrue() ? s.checkedFaceColor : s.faceColor;
    EdgeColors& edgeColors = result.edgeColors;

    // Face.
    std::int32_t gradient = TranslateColor(s.gradientColor).asSigned();
    std::int32_t hover = s.hoverFaceColor.asSigned();
    painter.PaintBackground(face, result.faceState, result.redrawLevel, gradient, hover);
    if (result.redrawLevel == RedrawLevel::Nothing)
        return;
    // Caption and picture.
    painter.DrawCaption(face, -1, s.buttonValue, kFalse);
    // Raised edges, sunken while pressed; the oval and picture shapes have none.
    if (static_cast<std::int32_t>(s.buttonShape)
        <= static_cast<std::int32_t>(Shape::Parallelogram)) {
        const bool sunken = result.faceState == FaceState::Pressed;
        edgeColors.fill(1, 4, kNoLine);
        edgeColors.fill(5, 6, sunken ? 0x808080 : 0xE9E9E9);
        edgeColors.fill(7, 8, sunken ? 0xE9E9E9 : 0x808080);
        edgeColors.fill(9, 10, sunken ? 0x000000 : 0xFFFFFF);
        edgeColors.fill(11, 12, sunken ? 0xFFFFFF : 0x000000);
        painter.DrawBorder(result.edgePoints, edgeColors, -1);
    }
    // Only the framed shapes have their window outline framed, in black.
    if (s.buttonShape == Shape::OvalFramed || s.buttonShape == Shape::PictureFramed
        || s.buttonShape == Shape::PictureRimmed)
        edgeColors[12] = 0;
    else
        result.redrawLevel = RedrawLevel::Copy;
    // Focus.
    std::int32_t focusColour = 0;
    painter.DrawFocusRectangle(focusColour, s.buttonValue, kFalse, result.edgePoints);
}

} // namespace bastara::button::test
