// Look 7: a black frame round a bevel shaded from the face, with rounded
// corner pixels. Pressed or checked, the bevel is shaded from grey (from the
// face colour over a gradient) and the caption takes the face colour, also
// while the pointer is over the button.

#include "button/arithmetic.h"
#include "button/renderers/look_parts.h"
#include "button/renderers/looks.h"

namespace bastara::button {

namespace {

    using namespace looks;

    // The caption colour the look hands to DrawCaption (which uses it for
    // this look when the button is checked or has no gradient).
    std::int32_t captionColour(const Painter& painter, Rgb face, bool commandPressed)
    {
        const ButtonState& s = painter.state();
        const bool enabled = painter.enabled();
        if (commandPressed || s.buttonValue.isTrue()) {
            if (!enabled && s.buttonValue.isTrue())
                return shadeBlue(face, -32).asSigned();
            return s.faceColor.asSigned();
        }
        if (!enabled && s.buttonValue.isFalse() && isCheckOrOption(s))
            return kGrey.asSigned();
        if (enabled)
            return TranslateColor(painter.host().foreColor()).asSigned();
        return kNoColour;
    }

} // namespace

void RenderRoundedDark(Painter& painter, RenderResult& result)
{
    ButtonState& s = painter.state();
    const bool pressed = s.isPressed();
    const bool checkOrOption = isCheckOrOption(s);
    const bool commandPressed = pressed && !checkOrOption;

    // Colours: the face, the gradient's far end (over a gradient a pressed
    // face keeps the normal colour), the caption colour.
    Rgb face = s.faceColor;
    if (commandPressed)
        face = s.pressedFaceColor;
    else if (checkOrOption && s.buttonValue.isTrue())
        face = s.checkedFaceColor;
    std::int32_t gradient = face.asSigned();
    if (s.gradientMode != GradientDirection::None && s.buttonValue.isFalse()) {
        gradient = shade(TranslateColor(s.gradientColor), 31).asSigned();
        if (pressed)
            face = s.faceColor;
    }
    std::int32_t hover = s.hoverFaceColor.asSigned();
    const std::int32_t caption = captionColour(painter, face, commandPressed);

    // Face.
    painter.PaintBackground(face, result.faceState, result.redrawLevel, gradient, hover);
    if (result.redrawLevel == RedrawLevel::Nothing)
        return;

    // Caption and picture. While the hover text colour is the normal one, or
    // the button is checked, the caption colour stands in for it for this
    // one call, so that a hovered caption keeps the caption colour too. The
    // hover text colour lent here is also the focus colour.
    std::int32_t focusColour = kNoColour;
    const Bool16 down = Bool16(s.buttonValue.isTrue());
    const Bool16 noGreyPass = Bool16(checkOrOption);
    if (painter.host().foreColor() == s.hoverForeColor || s.buttonValue.isTrue()) {
        focusColour = s.hoverForeColor.asSigned();
        const TemporaryValue lent(s.hoverForeColor, OleColor(std::uint32_t(caption)));
        painter.DrawCaption(face, caption, down, noGreyPass);
    } else {
        painter.DrawCaption(face, caption, down, noGreyPass);
    }

    if (hasEdgeLines(s.buttonShape)) {
        if (checkedLook(s))
            result.faceState = s.buttonValue.isTrue() ? FaceState::Pressed : FaceState::Normal;

        // Bevel colours: A and L the light lines, B the shadow; pressed or
        // checked they are shades of grey (of the face over a gradient).
        Rgb light = kWhite;
        Rgb a = shadeBlue(face, 31);
        Rgb b = shadeBlue(face, -64);
        if (result.faceState == FaceState::Pressed) {
            const Rgb base = s.gradientMode != GradientDirection::None ? s.faceColor : kGrey;
            face = base;
            light = shade(base, -32);
            a = shade(base, -64);
            b = shade(base, -16);
        }

        // Edges: the bevel in rings 2 and 1, the black frame in ring 0.
        setRing(result.edgeColors, Ring::Inner, light, face);
        setRing(result.edgeColors, Ring::Middle, a, b);
        setRing(result.edgeColors, Ring::Outer, kBlack, kBlack);
        painter.DrawBorder(result.edgePoints, result.edgeColors, -1);

        // Corner pixels rounding the upright sides.
        const float w = painter.scaleWidth();
        const float h = painter.scaleHeight();
        if (s.shapeLeft == 0) {
            setCornerPixel(painter, 3, 3, light);
            setCornerPixel(painter, 1, roundEven(h - 3.0f), face);
            setCornerPixel(painter, 2, 2, a);
            setCornerPixel(painter, 1, roundEven(h - 2.0f), kBlack);
            setCornerPixel(painter, 1, 1, kBlack);
        }
        if (w == float(s.shapeRight)) {
            setCornerPixel(painter, roundEven(w - 4.0f), roundEven(h - 4.0f), face);
            setCornerPixel(painter, roundEven(w - 3.0f), 1, face);
            setCornerPixel(painter, roundEven(w - 3.0f), roundEven(h - 3.0f), b);
            setCornerPixel(painter, roundEven(w - 2.0f), roundEven(h - 2.0f), kBlack);
            setCornerPixel(painter, roundEven(w - 2.0f), 1, kBlack);
        }
    }
    applyShapeTail(s, result);

    // Focus, around the caption.
    painter.DrawFocusRectangle(focusColour, s.buttonValue, kTrue, result.edgePoints);
}

} // namespace bastara::button
