// Look 1: a black frame around a two-pixel bevel, white and grey at rest, grey
// and white while pressed or checked. The default button looks like any
// other.

#include "button/renderers/common_frame.h"
#include "button/renderers/look_parts.h"
#include "button/renderers/looks.h"

namespace bastara::button {

namespace {

    using namespace looks;

    void framedBevelEdgeColours(EdgeStep& step)
    {
        const ButtonState& s = step.painter.state();
        RenderResult& r = step.result;
        if (checkedLook(s)) {
            step.focusColour = kBlack.asSigned();
            r.faceState = FaceState::Pressed;
        } else {
            if (isShaped(s.buttonShape))
                step.focusColour = shade(step.face, -48).asSigned();
            if (r.faceState == FaceState::Normal)
                r.faceState = FaceState::DefaultLook;
        }

        // The bevel, rings 2 and 1 alike; sunken while pressed or checked.
        const bool sunken = r.faceState == FaceState::Pressed;
        const Rgb leftTop = sunken ? kGrey : kWhite;
        const Rgb rightBottom = sunken ? kWhite : kGrey;
        setRing(r.edgeColors, Ring::Inner, leftTop, rightBottom);
        setRing(r.edgeColors, Ring::Middle, leftTop, rightBottom);
        // The black frame.
        setRing(r.edgeColors, Ring::Outer, kBlack, kBlack);
    }

} // namespace

void RenderFramedBevel(Painter& painter, RenderResult& result)
{
    renderCommonFrame(painter, result, { .edgeColours = framedBevelEdgeColours });
}

} // namespace bastara::button
