// Look 2: a soft face shaded darker towards the bottom, three rings shaded
// from the face, a blue frame around the default button and an orange one
// while the pointer is over it, and rounded corner pixels. On the oval and
// picture shapes only the face and caption are drawn; the region frame then
// shows the default (blue) or hover (orange) colour.

#include "button/arithmetic.h"
#include "button/renderers/look_parts.h"
#include "button/renderers/looks.h"

#include <array>

namespace bastara::button {

namespace {

    using namespace looks;

    // The default button's blue and the hover orange, slots 1..8.
    constexpr std::array<Rgb, 8> kDefaultBlue { Rgb(0xF0D1B5), Rgb(0xF7D7BD), Rgb(0xF0D1B5),
        Rgb(0xE7AE8C), Rgb(0xE7AE8C), Rgb(0xFFDFBF), Rgb(0xE7AE8C), Rgb(0xEF826B) };
    constexpr std::array<Rgb, 8> kHotOrange { Rgb(0x6BCBFF), Rgb(0x8CDBFF), Rgb(0x6BCBFF),
        Rgb(0x31B2FF), Rgb(0x31B2FF), Rgb(0xA6E9FF), Rgb(0x31B2FF), Rgb(0x0096E7) };

    // Slots 1..8 by face state: normal, default, pressed or checked, hot.
    std::array<Rgb, 8> ringColours(FaceState state, Rgb f)
    {
        switch (state) {
        case FaceState::Normal:
            return { shadeBlue(f, -10), shadeBlue(f, 10), shadeBlue(f, -24), shadeBlue(f, -32),
                shadeBlue(f, -5), shadeBlue(f, 16), shadeBlue(f, -36), shadeBlue(f, -48) };
        case FaceState::DefaultLook:
            return kDefaultBlue;
        case FaceState::Pressed:
            return { shadeBlue(f, -22), shadeBlue(f, -24), f, shadeBlue(f, 10), shadeBlue(f, -32),
                shadeBlue(f, -32), shadeBlue(f, 5), shadeBlue(f, 16) };
        case FaceState::LookSpecific:
            break;
        }
        return kHotOrange;
    }

    bool isOvalOrPictureShape(Shape shape)
    {
        const auto value = static_cast<std::int32_t>(shape);
        return value >= 4 && value <= 8;
    }

} // namespace

void RenderRoundedLight(Painter& painter, RenderResult& result)
{
    const ButtonState& s = painter.state();
    const bool enabled = painter.enabled();
    const bool pressed = s.isPressed();

    // Colours: F the face the rings are shaded from, P the face painted.
    Rgb f = s.faceColor;
    Rgb paint = f;
    if (isCheckOrOption(s)) {
        if (s.buttonValue.isTrue())
            f = s.checkedFaceColor;
        paint = f;
    } else if (pressed && s.gradientMode == GradientDirection::None) {
        paint = s.pressedFaceColor;
    } else if (!enabled) {
        paint = shadeBlue(f, -24);
    }
    const std::int32_t textColour = enabled ? kBlack.asSigned() : shadeBlue(paint, -104).asSigned();
    // The picture shapes never show a gradient, so they need no gradient colour.
    std::int32_t gradient = kNoColour;
    if (static_cast<std::int32_t>(s.buttonShape) < 7)
        gradient = s.gradientMode != GradientDirection::None
            ? shadeBlue(TranslateColor(s.gradientColor), 48).asSigned()
            : paint.asSigned();
    std::int32_t hover = s.hoverFaceColor.asSigned();

    // Face.
    painter.PaintBackground(paint, result.faceState, result.redrawLevel, gradient, hover);
    if (result.redrawLevel == RedrawLevel::Nothing)
        return;

    // Caption and picture.
    painter.DrawCaption(paint, textColour, Bool16(s.buttonValue.isTrue()), kTrue);

    // Oval and picture shapes: the window region's frame colour, blue for the
    // default button, orange while hovered; at rest no frame at all.
    if (isOvalOrPictureShape(s.buttonShape)) {
        if (s.isDefaultLook() && s.hoverTracking.isFalse())
            result.edgeColors[12] = kDefaultBlue[7].asSigned();
        else if (s.hoverTracking.isTrue())
            result.edgeColors[12] = kHotOrange[7].asSigned();
        else
            result.redrawLevel = RedrawLevel::Copy;
        return;
    }

    // Edges: a darker face in ring 0 only while disabled; otherwise the
    // state picks the ring colours, hot before default.
    if (!enabled) {
        f = shadeBlue(f, -84);
        result.edgeColors.fill(1, 8, kNoLine);
    } else {
        if (checkedLook(s))
            result.faceState = s.isDefaultLook() ? FaceState::DefaultLook : FaceState::Pressed;
        if (s.isHot())
            result.faceState = FaceState::LookSpecific;
        else if (result.faceState == FaceState::DefaultLook && s.showFocusRect.isFalse())
            result.faceState = FaceState::Normal;
        const std::array<Rgb, 8> rings = ringColours(result.faceState, f);
        for (int slot = 1; slot <= 8; ++slot)
            result.edgeColors[slot] = rings[std::size_t(slot - 1)].asSigned();
    }
    result.edgeColors.fill(9, 12, f);
    painter.DrawBorder(result.edgePoints, result.edgeColors, -1);

    // Corner pixels rounding the upright sides.
    const std::int32_t right = roundEven(painter.scaleWidth() - 2.0f);
    const std::int32_t bottom = roundEven(painter.scaleHeight() - 2.0f);
    if (s.shapeLeft == 0) {
        setCornerPixel(painter, 1, bottom, f);
        setCornerPixel(painter, 1, 1, f);
    }
    if (painter.scaleWidth() == float(s.shapeRight)) {
        setCornerPixel(painter, right, bottom, f);
        setCornerPixel(painter, right, 1, f);
    }
    // No focus indicator; the level stays as the pre-pass left it, since
    // these shapes are never framed.
}

} // namespace bastara::button
