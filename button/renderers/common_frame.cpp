#include "button/renderers/common_frame.h"

#include "button/renderers/look_parts.h"

namespace bastara::button::looks {

void renderCommonFrame(Painter& painter, RenderResult& result, const FrameLook& look)
{
    const ButtonState& s = painter.state();
    const bool checkOrOption = isCheckOrOption(s);

    // Colours: the face, the gradient's far end and the hover face.
    const Rgb face = checkOrOption && s.buttonValue.isTrue() ? s.checkedFaceColor : s.faceColor;
    std::int32_t gradient = TranslateColor(s.gradientColor).asSigned();
    std::int32_t hover = s.hoverFaceColor.asSigned();
    const std::int32_t textColour
        = !painter.enabled() && checkOrOption ? kGrey.asSigned() : kNoColour;

    // Face; a button that has just moved for CustomClick draws nothing else.
    painter.PaintBackground(face, result.faceState, result.redrawLevel, gradient, hover);
    if (result.redrawLevel == RedrawLevel::Nothing)
        return;

    // Caption and picture.
    painter.DrawCaption(face, textColour, Bool16(s.buttonValue.isTrue()), Bool16(checkOrOption));

    // Edges.
    EdgeStep step { painter, result, face, textColour };
    if (hasEdgeLines(s.buttonShape)) {
        look.edgeColours(step);
        painter.DrawBorder(result.edgePoints, result.edgeColors, step.outerStyle);
    } else if (look.otherShapes) {
        look.otherShapes(step);
    }
    applyShapeTail(s, result);

    // Focus. Value is copied, never handed over: the focus routine may
    // rewrite its aroundCaption argument.
    std::int32_t focusColour = look.focusColour ? look.focusColour(painter) : step.focusColour;
    const Bool16 aroundCaption
        = look.focus == FocusPlacement::AroundCheckedCaption ? s.buttonValue : kFalse;
    painter.DrawFocusRectangle(focusColour, s.buttonValue, aroundCaption, result.edgePoints);
}

} // namespace bastara::button::looks
