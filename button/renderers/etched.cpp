// Look 3: an etched double line, dark grey with white beside it. A disabled
// command button shows a flat face-coloured inside and a dark grey frame. The
// caption never moves when pressed.

#include "button/renderers/look_parts.h"
#include "button/renderers/looks.h"

namespace bastara::button {

void RenderEtched(Painter& painter, RenderResult& result)
{
    using namespace looks;
    const ButtonState& s = painter.state();
    const bool enabled = painter.enabled();
    const bool checkOrOption = isCheckOrOption(s);

    // Colours: the face, the gradient's far end, the caption's disabled grey.
    Rgb face = s.faceColor;
    if (!checkOrOption && s.isPressed())
        face = s.pressedFaceColor;
    else if (checkOrOption && s.buttonValue.isTrue())
        face = s.checkedFaceColor;
    const Rgb gradientColour = TranslateColor(s.gradientColor);
    std::int32_t gradient = gradientColour.asSigned();
    std::int32_t hover = s.hoverFaceColor.asSigned();
    const std::int32_t textColour = enabled ? kGrey.asSigned() : shade(kGrey, -16).asSigned();

    // Face.
    painter.PaintBackground(face, result.faceState, result.redrawLevel, gradient, hover);
    if (result.redrawLevel == RedrawLevel::Nothing)
        return;

    // Caption and picture.
    painter.DrawCaption(face, textColour, kFalse, kTrue);

    // Edges: the dark line outside at the top left, inside at the bottom
    // right, with white beside it.
    std::int32_t focusColour = !enabled ? kGrey.asSigned() : gradientColour.asSigned();
    Bool16 solid = kFalse;
    if (hasEdgeLines(s.buttonShape)) {
        const Rgb dark = shade(kGrey, -26);
        Rgb light = kWhite;
        EdgeColors& colours = result.edgeColors;
        if (!enabled && !checkOrOption) {
            // Disabled command button: one dark frame round a flat inside.
            colours.fill(1, 8, face);
            light = dark;
        } else {
            colours.fill(1, 4, kNoLine);
            if (checkOrOption) {
                const bool raised = s.buttonValue.isFalse() && s.pressHeld.isFalse();
                result.faceState = raised ? FaceState::LookSpecific : FaceState::Pressed;
            }
            foldRestingStates(result.faceState);
            const bool sunken = result.faceState == FaceState::Pressed;
            setRing(colours, Ring::Middle, sunken ? face : light, dark);
        }
        setRing(colours, Ring::Outer, dark, light);
        painter.DrawBorder(result.edgePoints, colours, -1);
        focusColour = kNoColour;
        solid = Bool16(enabled);
    }
    applyShapeTail(s, result);

    // Focus, around the caption: on the oval shapes in the gradient colour.
    painter.DrawFocusRectangle(focusColour, solid, kTrue, result.edgePoints);
}

} // namespace bastara::button
