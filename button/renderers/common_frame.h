#pragma once

// The frame the classic, framed bevel, thin edge, flat hover and soft bevel
// looks share; each of them supplies only its edge step.
//
//  1. Face colour F: the checked face while a check box or option button is
//     checked, else the face colour.
//  2. Gradient colour: the translated GradientColor.
//  3. PaintBackground; nothing more when the shape pre-pass says so.
//  4. DrawCaption; a disabled check box or option button writes its caption
//     in grey (T = 0x808080), other buttons in white and grey (T = -1).
//  5. The look's edge step, on the rectangular and slanted shapes only, then
//     DrawBorder. From here T is the focus colour, which the step may change.
//  6. The shape tail (look_parts.h).
//  7. DrawFocusRectangle in T, solid while Value is True.
//
//     void RenderThinEdge(Painter& p, RenderResult& r)
//     {
//         renderCommonFrame(p, r, { .edgeColours = thinEdgeColours,
//                                   .focus = FocusPlacement::AroundCheckedCaption });
//     }

#include "button/painter.h"

#include <cstdint>

namespace bastara::button::looks {

// What a look's edge step works on.
struct EdgeStep {
    Painter& painter;
    RenderResult& result;
    Rgb face; // F
    std::int32_t focusColour; // T: the disabled caption colour so far
    std::int32_t outerStyle = -1; // ring 0's pen style; -1 keeps it solid
};

enum class FocusPlacement : std::uint8_t {
    InsideTheEdge, // a frame four pixels inside the edge
    AroundCheckedCaption, // around the caption while Value is True
};

struct FrameLook {
    // Step 5 on shapes 0..3: every edge colour slot, and where the look says
    // so the face state, the focus colour and ring 0's pen style.
    void (*edgeColours)(EdgeStep& step) = nullptr;
    // Step 5 on the other shapes, where a look draws anything there at all.
    void (*otherShapes)(EdgeStep& step) = nullptr;
    // A focus colour of the look's own, in place of T.
    std::int32_t (*focusColour)(const Painter& painter) = nullptr;
    FocusPlacement focus = FocusPlacement::InsideTheEdge;
};

void renderCommonFrame(Painter& painter, RenderResult& result, const FrameLook& look);

} // namespace bastara::button::looks
