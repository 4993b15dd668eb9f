// Look 4: a single-pixel edge, raised at rest (the default button alike) and
// sunken while pressed or checked.

#include "button/renderers/common_frame.h"
#include "button/renderers/look_parts.h"
#include "button/renderers/looks.h"

namespace bastara::button {

namespace {

    using namespace looks;

    constexpr FaceState kSunken = FaceState::Pressed;

    void thinEdgeColours(EdgeStep& step)
    {
        const ButtonState& s = step.painter.state();
        RenderResult& r = step.result;
        if (checkedLook(s)) {
            step.focusColour = kBlack.asSigned();
            r.faceState = kSunken;
        } else {
            if (isShaped(s.buttonShape))
                step.focusColour = shade(step.face, -48).asSigned();
            foldRestingStates(r.faceState);
        }

        // Ring 0 alone.
        r.edgeColors.fill(1, 8, kNoLine);
        if (r.faceState == kSunken)
            setRing(r.edgeColors, Ring::Outer, kGrey, kWhite);
        else
            setRing(r.edgeColors, Ring::Outer, kWhite, kGrey);
    }

} // namespace

void RenderThinEdge(Painter& painter, RenderResult& result)
{
    renderCommonFrame(painter, result,
        { .edgeColours = thinEdgeColours, .focus = FocusPlacement::AroundCheckedCaption });
}

} // namespace bastara::button
