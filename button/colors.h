#pragma once

// Colour values of the control and the two routines that turn them into what
// the drawing code uses.
//
// A property colour is an OLE colour (OleColor): bit 31 clear is a plain
// 0x00BBGGRR value, bit 31 set a system colour whose index is the low byte
// (0x8000000F button face, 0x80000012 button text). Properties are stored and
// compared in this form. Drawing works on plain values (Rgb); TranslateColor
// is the only way from one to the other, so the compiler catches a property
// colour drawn without being resolved, or a resolved one compared with a
// property.
//
//     Rgb face = TranslateColor(OleColor { 0x8000000F });   // the face colour
//     Rgb lighter = ShadeColor(face, 48, ShadeFlag::ProportionalBlue);

#include "platform/gdi/types.h"
#include "platform/properties/ole_color.h"

#include <cstdint>

namespace bastara::button {

using properties::OleColor;

inline constexpr OleColor kSystemButtonFace { 0x8000000F };
inline constexpr OleColor kSystemButtonText { 0x80000012 };

struct Rgb {
    std::uint32_t value = 0;

    constexpr Rgb() = default;
    constexpr explicit Rgb(std::uint32_t v)
        : value(v)
    { }
    constexpr gdi::ColorRef colorRef() const { return value; }
    // The colour where the drawing routines take "a colour, or negative for
    // none".
    constexpr std::int32_t asSigned() const { return static_cast<std::int32_t>(value); }

    friend constexpr bool operator==(Rgb, Rgb) = default;
};

inline constexpr Rgb kBlack { 0x000000 };
inline constexpr Rgb kWhite { 0xFFFFFF };
inline constexpr Rgb kGrey { 0x808080 };

// A system colour resolves through the platform's GetSysColor; any other value
// is returned unchanged.
Rgb TranslateColor(OleColor colour);

enum class ShadeFlag : std::uint8_t {
    None = 0,
    // Blue moves in proportion to its own value instead of by the offset.
    ProportionalBlue = 1,
    // Black or white results retry with the opposite (or a default) offset.
    AvoidExtremes = 2,
    // Each channel becomes 255 minus itself.
    Invert = 4,
};
constexpr ShadeFlag operator|(ShadeFlag a, ShadeFlag b)
{
    return ShadeFlag(std::uint8_t(a) | std::uint8_t(b));
}
constexpr bool hasFlag(ShadeFlag set, ShadeFlag flag)
{
    return (std::uint8_t(set) & std::uint8_t(flag)) != 0;
}

// A lighter (positive shade) or darker variant of a plain colour, with the
// control's own channel arithmetic: green and blue are scaled by 256/255 before
// the offset. With AvoidExtremes a result of pure black or white is recomputed
// with the offset negated (64 when it was 0); `shade` then holds the offset
// finally used.
Rgb ShadeColor(Rgb colour, std::int16_t& shade, ShadeFlag flags = ShadeFlag::None);
// The same for a fixed offset (every caller but the AvoidExtremes ones).
Rgb ShadeColor(Rgb colour, int shade, ShadeFlag flags = ShadeFlag::None);

} // namespace bastara::button
