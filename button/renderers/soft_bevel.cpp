// Look 6: a two-pixel bevel in light grey and grey, without black. The default
// button looks like any other; pressed and checked both look sunken.

#include "button/renderers/common_frame.h"
#include "button/renderers/look_parts.h"
#include "button/renderers/looks.h"

namespace bastara::button {

namespace {

    using namespace looks;

    constexpr FaceState kRaised = FaceState::Normal;
    constexpr FaceState kSunken = FaceState::DefaultLook;

    void softBevelEdgeColours(EdgeStep& step)
    {
        const ButtonState& s = step.painter.state();
        RenderResult& r = step.result;
        const Rgb grey = kGrey;
        const Rgb light = shade(Rgb(0xDFDFDF), 8);
        if (checkedLook(s)) {
            step.focusColour = kBlack.asSigned();
            r.faceState = kSunken;
        } else {
            r.faceState = s.isPressed() ? kSunken : kRaised;
            if (isShaped(s.buttonShape))
                step.focusColour = shade(step.face, -48).asSigned();
        }

        // Rings 1 and 0 as one two-pixel bevel.
        r.edgeColors.fill(1, 4, kNoLine);
        const bool sunken = r.faceState == kSunken;
        const Rgb leftTop = sunken ? grey : light;
        const Rgb rightBottom = sunken ? light : grey;
        setRing(r.edgeColors, Ring::Middle, leftTop, rightBottom);
        setRing(r.edgeColors, Ring::Outer, leftTop, rightBottom);
    }

} // namespace

void RenderSoftBevel(Painter& painter, RenderResult& result)
{
    renderCommonFrame(painter, result,
        { .edgeColours = softBevelEdgeColours, .focus = FocusPlacement::AroundCheckedCaption });
}

} // namespace bastara::button
