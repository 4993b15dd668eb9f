#include "platform/gdi/raster_ops.h"

#include <array>

namespace bastara::gdi {

namespace {

    // Truth-table bits: P is worth 4, S 2, D 1 in the minterm number.
    constexpr std::uint8_t kPattern = 0xF0;
    constexpr std::uint8_t kSource = 0xCC;
    constexpr std::uint8_t kDestination = 0xAA;

    // An operand matters when flipping it changes some output bit of the table.
    constexpr bool dependsOn(std::uint8_t index, int operandBit)
    {
        for (int minterm = 0; minterm < 8; ++minterm) {
            const int flipped = minterm ^ operandBit;
            if (((index >> minterm) & 1) != ((index >> flipped) & 1))
                return true;
        }
        return false;
    }

    constexpr std::array<Rop3, 256> buildDecodeTable()
    {
        std::array<Rop3, 256> table {};
        for (int i = 0; i < 256; ++i) {
            const auto index = std::uint8_t(i);
            table[std::size_t(i)]
                = { index, dependsOn(index, 4), dependsOn(index, 2), dependsOn(index, 1) };
        }
        return table;
    }

    constexpr std::array<Rop3, 256> kDecodeTable = buildDecodeTable();

    struct NamedRop {
        RasterOp code;
        std::string_view name;
    };

    constexpr NamedRop kNamedRops[] = {
        { SRCCOPY, "SRCCOPY" },
        { SRCPAINT, "SRCPAINT" },
        { SRCAND, "SRCAND" },
        { SRCINVERT, "SRCINVERT" },
        { SRCERASE, "SRCERASE" },
        { NOTSRCCOPY, "NOTSRCCOPY" },
        { NOTSRCERASE, "NOTSRCERASE" },
        { MERGECOPY, "MERGECOPY" },
        { MERGEPAINT, "MERGEPAINT" },
        { PATCOPY, "PATCOPY" },
        { PATPAINT, "PATPAINT" },
        { PATINVERT, "PATINVERT" },
        { DSTINVERT, "DSTINVERT" },
        { BLACKNESS, "BLACKNESS" },
        { WHITENESS, "WHITENESS" },
        { DSna, "DSna" },
        { PSDPxax, "PSDPxax" },
    };

    // The documented codes evaluate to their own index byte: a guard against a
    // typo in the constants above.
    constexpr bool namedCodesConsistent()
    {
        const auto p = std::uint32_t(kPattern);
        const auto s = std::uint32_t(kSource);
        const auto d = std::uint32_t(kDestination);
        const std::pair<RasterOp, std::uint32_t> formulas[] = {
            { SRCCOPY, s },
            { SRCPAINT, s | d },
            { SRCAND, s & d },
            { SRCINVERT, s ^ d },
            { SRCERASE, s & ~d },
            { NOTSRCCOPY, ~s },
            { NOTSRCERASE, ~(s | d) },
            { MERGECOPY, p & s },
            { MERGEPAINT, ~s | d },
            { PATCOPY, p },
            { PATPAINT, p | ~s | d },
            { PATINVERT, p ^ d },
            { DSTINVERT, ~d },
            { BLACKNESS, 0 },
            { WHITENESS, 0xFF },
            { DSna, d & ~s },
            { PSDPxax, p ^ (s & (d ^ p)) },
        };
        for (const auto& [code, value] : formulas) {
            if (((code >> 16) & 0xFF) != (value & 0xFF))
                return false;
        }
        return true;
    }
    static_assert(namedCodesConsistent());

} // namespace

std::uint32_t Rop3::apply(
    std::uint32_t pattern, std::uint32_t source, std::uint32_t destination) const
{
    // The operations blits use most, without the minterm loop; the result is
    // the same function of every bit.
    switch (index) {
    case 0x00:
        return 0;
    case 0xCC: // SRCCOPY
        return source;
    case 0x88: // SRCAND
        return source & destination;
    case 0xEE: // SRCPAINT
        return source | destination;
    case 0x66: // SRCINVERT
        return source ^ destination;
    case 0x22: // DSna
        return destination & ~source;
    case 0xB8: // PSDPxax
        return (source & destination) | (~source & pattern);
    case 0xF0: // PATCOPY
        return pattern;
    case 0x5A: // PATINVERT
        return pattern ^ destination;
    case 0x55: // DSTINVERT
        return ~destination;
    case 0xFF:
        return ~std::uint32_t(0);
    default:
        break;
    }
    // Sum of the minterms the truth table selects.
    std::uint32_t result = 0;
    for (int minterm = 0; minterm < 8; ++minterm) {
        if (!((index >> minterm) & 1))
            continue;
        const std::uint32_t p = (minterm & 4) ? pattern : ~pattern;
        const std::uint32_t s = (minterm & 2) ? source : ~source;
        const std::uint32_t d = (minterm & 1) ? destination : ~destination;
        result |= p & s & d;
    }
    return result;
}

Rop3 decodeRop3(RasterOp rop)
{
    return kDecodeTable[(rop >> 16) & 0xFF];
}

std::string_view rop3Name(RasterOp rop)
{
    for (const NamedRop& named : kNamedRops) {
        if (((named.code >> 16) & 0xFF) == ((rop >> 16) & 0xFF))
            return named.name;
    }
    return {};
}

} // namespace bastara::gdi
