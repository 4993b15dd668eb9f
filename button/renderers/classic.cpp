// Look 0: the classic raised button. Three rings at rest: a white and black
// outer ring, a light and grey one inside it; the default button adds a black
// frame outside both, which it keeps while pressed. A checked button is sunken.

#include "button/renderers/common_frame.h"
#include "button/renderers/look_parts.h"
#include "button/renderers/looks.h"

#include <array>

namespace bastara::button {

namespace {

    using namespace looks;

    // Rings 2 and 1 by face state.
    struct InnerRings {
        std::int32_t ring2LeftTop;
        std::int32_t ring2RightBottom;
        std::int32_t ring1LeftTop;
        std::int32_t ring1RightBottom;
    };

    constexpr std::int32_t kWhiteLine = 0xFFFFFF;
    constexpr std::int32_t kBlackLine = 0x000000;
    constexpr std::int32_t kGreyLine = 0x808080;
    constexpr std::int32_t kLightLine = 0xE9E9E9;

    constexpr std::array<InnerRings, 4> kInnerRings { {
        { kNoLine, kNoLine, kLightLine, kGreyLine }, // normal
        { kLightLine, kGreyLine, kWhiteLine, kBlackLine }, // default look
        { kNoLine, kNoLine, kNoLine, kGreyLine }, // pressed
        { kNoLine, kNoLine, kNoLine, kLightLine }, // checked
    } };

    void classicEdgeColours(EdgeStep& step)
    {
        const ButtonState& s = step.painter.state();
        RenderResult& r = step.result;
        const bool checked = checkedLook(s);
        if (checked) {
            r.faceState = FaceState::LookSpecific;
            step.focusColour = kBlackLine;
        } else if (isShaped(s.buttonShape)) {
            step.focusColour = shade(step.face, -48).asSigned();
        }

        // Rings 2 and 1.
        const InnerRings& inner = kInnerRings[std::size_t(r.faceState)];
        setRing(r.edgeColors, Ring::Inner, inner.ring2LeftTop, inner.ring2RightBottom);
        setRing(r.edgeColors, Ring::Middle, inner.ring1LeftTop, inner.ring1RightBottom);

        // Ring 0: sunken when checked; black all round on the default button.
        if (checked)
            setRing(r.edgeColors, Ring::Outer, kBlackLine, kWhiteLine);
        else
            setRing(
                r.edgeColors, Ring::Outer, s.isDefaultLook() ? kBlackLine : kWhiteLine, kBlackLine);
    }

} // namespace

void RenderClassic(Painter& painter, RenderResult& result)
{
    renderCommonFrame(painter, result, { .edgeColours = classicEdgeColours });
}

} // namespace bastara::button
