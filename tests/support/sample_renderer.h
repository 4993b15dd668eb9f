#pragma once

// A stand-in look for tests, benchmarks and screenshots until the real looks
// exist: a flat face, the caption and picture, a raised two-ring edge and the
// focus indicator, drawn through the control's own primitives in the order a
// look draws them.

#include "button/button.h"
#include "button/renderers/renderer.h"

namespace bastara::button::test {

inline void renderSample(Button& button, EdgePoints& edgePoints, EdgeColors& edgeColors,
    std::int16_t& faceState, std::int16_t& redrawLevel)
{
    ButtonState& s = button.state();
    const std::int32_t w = std::int32_t(button.scaleWidth());
    const std::int32_t h = std::int32_t(button.scaleHeight());
    const Rgb face = s.buttonValue.isTrue() ? s.checkedFaceColor : s.faceColor;
    faceState = s.isPressed() ? 2 : (s.isDefaultLook() ? 1 : 0);
    redrawLevel = 1;

    // Face.
    button.DrawRectangle(s.bufferDC.get(), 0, 0, w, h, face.asSigned());
    // Caption and picture.
    button.DrawCaption(face, -1, s.buttonValue, kFalse);
    // Raised edges, sunken while pressed.
    const bool sunken = faceState == 2;
    edgeColors.fill(1, 4, kNoLine);
    edgeColors.fill(5, 6, sunken ? 0x808080 : 0xE9E9E9);
    edgeColors.fill(7, 8, sunken ? 0xE9E9E9 : 0x808080);
    edgeColors.fill(9, 10, sunken ? 0x000000 : 0xFFFFFF);
    edgeColors.fill(11, 12, sunken ? 0xFFFFFF : 0x000000);
    button.DrawBorder(edgePoints, edgeColors, -1);
    // Focus.
    std::int32_t focusColour = 0;
    button.DrawFocusRectangle(focusColour, s.buttonValue, kFalse, edgePoints);
}

} // namespace bastara::button::test
