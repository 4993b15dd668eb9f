#pragma once

// Ternary raster operations (ROP3): how a blit combines the brush pattern P,
// the source S and the destination D, bit by bit.
//
// Only the index byte (rop >> 16) & 0xFF of a ROP3 code matters; the low word
// is a hint for display drivers and is ignored. For each bit position,
// result = (index >> (4P + 2S + D)) & 1, so the index is the function's truth
// table: evaluating it on P = 0xF0, S = 0xCC, D = 0xAA gives the index back.
// Every one of the 256 functions is supported, through one evaluator.
//
//     const Rop3 op = decodeRop3(0x00B8074A);   // PSDPxax: S ? D : P
//     op.apply(p, s, d);                        // on 24-bit RGB values

#include <cstdint>
#include <string_view>

namespace bastara::gdi {

using RasterOp = std::uint32_t;

inline constexpr RasterOp SRCCOPY = 0x00CC0020; // S
inline constexpr RasterOp SRCPAINT = 0x00EE0086; // S | D
inline constexpr RasterOp SRCAND = 0x008800C6; // S & D
inline constexpr RasterOp SRCINVERT = 0x00660046; // S ^ D
inline constexpr RasterOp SRCERASE = 0x00440328; // S & ~D
inline constexpr RasterOp NOTSRCCOPY = 0x00330008; // ~S
inline constexpr RasterOp NOTSRCERASE = 0x001100A6; // ~(S | D)
inline constexpr RasterOp MERGECOPY = 0x00C000CA; // P & S
inline constexpr RasterOp MERGEPAINT = 0x00BB0226; // ~S | D
inline constexpr RasterOp PATCOPY = 0x00F00021; // P
inline constexpr RasterOp PATPAINT = 0x00FB0A09; // P | ~S | D
inline constexpr RasterOp PATINVERT = 0x005A0049; // P ^ D
inline constexpr RasterOp DSTINVERT = 0x00550009; // ~D
inline constexpr RasterOp BLACKNESS = 0x00000042; // 0
inline constexpr RasterOp WHITENESS = 0x00FF0062; // 1
inline constexpr RasterOp DSna = 0x00220326; // D & ~S
inline constexpr RasterOp PSDPxax = 0x00B8074A; // P ^ (S & (D ^ P)), i.e. S ? D : P

struct Rop3 {
    std::uint8_t index = 0;
    bool usesPattern = false;
    bool usesSource = false;
    bool usesDestination = false;

    // Applies the operation to every bit of the three values.
    std::uint32_t apply(
        std::uint32_t pattern, std::uint32_t source, std::uint32_t destination) const;
};

Rop3 decodeRop3(RasterOp rop);

// The name of a ROP3 code whose index byte is one of the named operations
// above ("SRCCOPY"); empty for the others.
std::string_view rop3Name(RasterOp rop);

} // namespace bastara::gdi
