#include "button/colors.h"

#include "button/arithmetic.h"
#include "platform/gdi/sys_colors.h"

#include <algorithm>

namespace bastara::button {

Rgb TranslateColor(OleColor colour)
{
    if (colour.isSystemColor())
        return Rgb(gdi::getSysColor(static_cast<int>(colour.value & 0xFF)));
    return Rgb(colour.value);
}

namespace {

    std::int32_t finishChannel(std::int32_t channel, bool invert)
    {
        channel = std::clamp(channel, 0, 255);
        return invert ? 255 - channel : channel;
    }

    Rgb shadeOnce(Rgb colour, std::int32_t shade, ShadeFlag flags)
    {
        const std::uint32_t c = colour.value;
        const std::int32_t red = std::int32_t(c & 0xFF) + shade;
        // (colour AND 0xFF00) / 255 is green scaled by 256/255, kept fractional.
        const std::int32_t green = roundEven(double(c & 0xFF00) / 255.0 + shade);
        std::int32_t blue;
        if (hasFlag(flags, ShadeFlag::ProportionalBlue)) {
            const std::int32_t scaled = roundEven(double(c & 0xFF0000) / 65280.0);
            blue = scaled + (shade * scaled) / 192;
        } else {
            blue = roundEven(double(c & 0xFF0000) / 65280.0 + shade);
        }
        const bool invert = hasFlag(flags, ShadeFlag::Invert);
        return Rgb(std::uint32_t(finishChannel(red, invert))
            + std::uint32_t(finishChannel(green, invert)) * 256u
            + std::uint32_t(finishChannel(blue, invert)) * 65536u);
    }

} // namespace

Rgb ShadeColor(Rgb colour, std::int16_t& shade, ShadeFlag flags)
{
    // Three attempts settle every offset up to 127 in magnitude: an offset of
    // 0 on white goes 0 -> 64 -> -64, and no colour is white with +s and black
    // with -s. Larger offsets keep the last result instead of looping.
    constexpr int kAttempts = 3;
    for (int attempt = 1;; ++attempt) {
        const Rgb result = shadeOnce(colour, shade, flags);
        const bool extreme = result.value == 0x000000 || result.value == 0xFFFFFF;
        if (!hasFlag(flags, ShadeFlag::AvoidExtremes) || !extreme || attempt == kAttempts)
            return result;
        shade = std::int16_t(-shade);
        if (shade == 0)
            shade = 64;
    }
}

Rgb ShadeColor(Rgb colour, int shade, ShadeFlag flags)
{
    std::int16_t offset = std::int16_t(std::clamp(shade, -32768, 32767));
    return ShadeColor(colour, offset, flags);
}

} // namespace bastara::button
