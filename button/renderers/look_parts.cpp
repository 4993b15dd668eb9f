#include "button/renderers/look_parts.h"

#include "platform/gdi/draw.h"

namespace bastara::button::looks {

void applyShapeTail(const ButtonState& s, RenderResult& result)
{
    const auto shape = static_cast<std::int32_t>(s.buttonShape);
    if (shape < 6) {
        result.redrawLevel = RedrawLevel::Copy;
    } else if (s.buttonShape == Shape::OvalFramed) {
        if (s.hoverTracking.isTrue() || s.isPressed())
            result.edgeColors[12] = kBlack.asSigned();
        else
            result.redrawLevel = RedrawLevel::Copy;
    } else if (s.buttonShape == Shape::PictureFramed || s.buttonShape == Shape::PictureRimmed) {
        result.edgeColors[12] = kBlack.asSigned();
    }
}

void setCornerPixel(Painter& painter, std::int32_t x, std::int32_t y, Rgb colour)
{
    if (gdi::DeviceContext* buffer = painter.buffer())
        (void)gdi::setPixel(*buffer, x, y, colour.colorRef());
}

} // namespace bastara::button::looks
