// Look 5: flat until the pointer is over it. At run time a button at rest
// shows only its face and caption; with the pointer over it (or checked) it
// gets a single-pixel raised edge, sunken while pressed. The rim of the oval
// and picture shapes is painted by the shape pre-pass. In a designer a button
// at rest is outlined with a dotted line in a shade of its container's back
// colour, so that it can be found on the form.

#include "button/arithmetic.h"
#include "button/renderers/common_frame.h"
#include "button/renderers/look_parts.h"
#include "button/renderers/looks.h"
#include "platform/gdi/draw.h"
#include "platform/gdi/objects.h"

namespace bastara::button {

namespace {

    using namespace looks;

    // Black, except on a shaped button that is not a checked check box or
    // option button: a shade of the container's back colour.
    std::int32_t flatHoverFocusColour(const Painter& painter)
    {
        const ButtonState& s = painter.state();
        if (isShaped(s.buttonShape) && !(isCheckOrOption(s) && s.buttonValue.isTrue()))
            return shade(s.parentBackColor, -32).asSigned();
        return kBlack.asSigned();
    }

    void flatHoverEdgeColours(EdgeStep& step)
    {
        const ButtonState& s = step.painter.state();
        RenderResult& r = step.result;
        const bool designMode = step.painter.designMode();

        // Ring 0 alone.
        r.edgeColors.fill(1, 8, kNoLine);
        if ((s.stateFlags & kFlagMouseInside) != 0 || s.buttonValue.isTrue()) {
            // Raised under the pointer, sunken while pressed or checked.
            if (checkedLook(s))
                r.faceState = FaceState::Pressed;
            foldRestingStates(r.faceState);
            if (r.faceState == FaceState::Pressed)
                setRing(r.edgeColors, Ring::Outer, kGrey, kWhite);
            else
                setRing(r.edgeColors, Ring::Outer, kWhite, kGrey);
        } else if (designMode) {
            // The designer's outline; white where the shade would be black.
            Rgb outline = shade(s.parentBackColor, -64);
            if (outline == kBlack)
                outline = kWhite;
            r.edgeColors.fill(9, 12, outline);
        } else {
            r.edgeColors.fill(9, 12, kNoLine);
        }
        step.outerStyle = designMode ? gdi::PS_DOT : gdi::PS_SOLID;
    }

    // The designer's dotted ellipse round the oval shapes, drawn over the rim
    // outside the face clip.
    void flatHoverDesignOutline(EdgeStep& step)
    {
        Painter& painter = step.painter;
        const ButtonState& s = painter.state();
        const auto shape = static_cast<std::int32_t>(s.buttonShape);
        gdi::DeviceContext* buffer = painter.buffer();
        if (shape < 4 || shape > 6 || !painter.designMode() || !buffer)
            return;
        buffer->selectClipRegion(std::nullopt);
        painter.SetDrawingTool(kTrue, buffer, DrawingTool::Pen,
            shade(s.parentBackColor, -32).asSigned(), kFalse, 1, gdi::PS_DOT);
        gdi::arc(*buffer, 0, 0, roundEven(painter.scaleWidth() - 1.0f),
            roundEven(painter.scaleHeight() - 1.0f), 0, 0, 0, 0);
        buffer->selectClipRegion(s.outlineRegion);
    }

} // namespace

void RenderFlatHover(Painter& painter, RenderResult& result)
{
    renderCommonFrame(painter, result,
        { .edgeColours = flatHoverEdgeColours,
            .otherShapes = flatHoverDesignOutline,
            .focusColour = flatHoverFocusColour });
}

} // namespace bastara::button
