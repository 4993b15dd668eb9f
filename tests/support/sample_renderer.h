#pragma once

// A plain look for tests whose subject is not a look: a flat face, the caption
// and picture, a raised two-ring edge and the focus indicator, drawn through
// the control's own primitives in the order a look draws them.

#include "button/button.h"
#include "button/renderers/renderer.h"

namespace bastara::button::test {

inline void renderSample(Painter& painter, RenderResult& result)
{
    ButtonState& s = painter.state();
    const std::int32_t w = std::int32_t(painter.scaleWidth());
    const std::int32_t h = std::int32_t(painter.scaleHeight());
    const Rgb face = s.buttonValue.isTrue() ? s.checkedFaceColor : s.faceColor;
    result.faceState = s.isPressed()
        ? FaceState::Pressed
        : (s.isDefaultLook() ? FaceState::DefaultLook : FaceState::Normal);
    result.redrawLevel = RedrawLevel::Copy;
    EdgeColors& edgeColors = result.edgeColors;

    // Face.
    painter.DrawRectangle(s.bufferDC.get(), 0, 0, w, h, face.asSigned());
    // Caption and picture.
    painter.DrawCaption(face, -1, s.buttonValue, kFalse);
    // Raised edges, sunken while pressed.
    const bool sunken = result.faceState == FaceState::Pressed;
    edgeColors.fill(1, 4, kNoLine);
    edgeColors.fill(5, 6, sunken ? 0x808080 : 0xE9E9E9);
    edgeColors.fill(7, 8, sunken ? 0xE9E9E9 : 0x808080);
    edgeColors.fill(9, 10, sunken ? 0x000000 : 0xFFFFFF);
    edgeColors.fill(11, 12, sunken ? 0xFFFFFF : 0x000000);
    painter.DrawBorder(result.edgePoints, edgeColors, -1);
    // Focus.
    std::int32_t focusColour = 0;
    painter.DrawFocusRectangle(focusColour, s.buttonValue, kFalse, result.edgePoints);
}

} // namespace bastara::button::test
