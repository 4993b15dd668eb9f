#pragma once

// Where the caption and the picture go: the arithmetic of CalculateLayout,
// apart from the control so that it can be checked with any text size.
//
//     LayoutResult r = computeLayout(input, false, [&](std::u16string_view text, gdi::Rect& box) {
//         drawText(dc, text, box, DT_CALCRECT | DT_WORDBREAK);
//     });
//
// Rectangles are in pixels, right and bottom exclusive. "a div b" is integer
// division truncating toward zero and round() rounds ties to even, as
// everywhere in the control. Enumerations outside their named values leave the
// working values at 0 instead of indexing anything.

#include "button/properties.h"
#include "platform/gdi/types.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace bastara::button {

struct LayoutInput {
    float scaleWidth = 0; // SW
    float scaleHeight = 0; // SH
    Shape shape {};
    std::int32_t shapeLeft = 0;
    std::int32_t shapeRight = 0;
    std::u16string_view caption; // as stored: "||" is a line break
    CaptionAlignment captionAlign {};
    CaptionEffect captionStyle {};
    PicturePlacement pictureAlign {};
    std::int16_t pictureSizePx = 0;
    std::int32_t pictureWidth = 0; // both 0: no picture
    std::int32_t pictureHeight = 0;
};

struct LayoutResult {
    gdi::Rect captionRect;
    gdi::Rect pictureRect;
    // The picture must be prepared again at pictureRect's size.
    bool preparePicture = false;
};

// Measures wrapped text the way it will be drawn: `box` comes in as
// (0, 0, wrapping width, available height) and goes out with right and bottom
// set to the text's width and height. A measure that cannot run leaves it.
using TextMeasure = std::function<void(std::u16string_view text, gdi::Rect& box)>;

LayoutResult computeLayout(
    const LayoutInput& input, bool preparePicture, const TextMeasure& measure);

// The smallest face on which computeLayout keeps the caption on its own
// lines and the picture whole, inside the margins it keeps (4 pixels at the
// top and sides, 5 at the bottom) and apart from each other. The size, the
// slant positions and the wrapping width of `input` play no part: the caption
// is measured unwrapped. Slanted shapes add their slants, ovals the room
// their curve takes from a rectangle's corners, picture shapes are the
// picture's size.
gdi::Size preferredFaceSize(const LayoutInput& input, const TextMeasure& measure);

// The picture scaled into maxWidth x maxHeight with its aspect ratio kept
// (enlarged too). A picture with a zero side has no ratio: (0, 0).
gdi::Size FitPictureSize(std::int32_t pictureWidth, std::int32_t pictureHeight,
    std::int32_t maxWidth, std::int32_t maxHeight);

// The caption with every "||" (taken left to right) replaced by CR LF.
std::u16string captionLines(std::u16string_view caption);

// The caption as a reader speaks it: the text drawn, on one line. Access-key
// marks go as the drawing resolves them ("&&" is "&", a lone "&" at the very
// end stays) and each line break is one space.
std::u16string spokenCaption(std::u16string_view caption);

} // namespace bastara::button
