#include "platform/gdi/raster_ops.h"

#include <gtest/gtest.h>
#include <random>

namespace bastara::gdi {
namespace {

    struct NamedFormula {
        RasterOp code;
        const char* name;
        std::uint32_t (*formula)(std::uint32_t p, std::uint32_t s, std::uint32_t d);
    };

    const NamedFormula kFormulas[] = {
        { SRCCOPY, "SRCCOPY", [](std::uint32_t, std::uint32_t s, std::uint32_t) { return s; } },
        { SRCPAINT, "SRCPAINT",
            [](std::uint32_t, std::uint32_t s, std::uint32_t d) { return s | d; } },
        { SRCAND, "SRCAND", [](std::uint32_t, std::uint32_t s, std::uint32_t d) { return s & d; } },
        { SRCINVERT, "SRCINVERT",
            [](std::uint32_t, std::uint32_t s, std::uint32_t d) { return s ^ d; } },
        { SRCERASE, "SRCERASE",
            [](std::uint32_t, std::uint32_t s, std::uint32_t d) { return s & ~d; } },
        { NOTSRCCOPY, "NOTSRCCOPY",
            [](std::uint32_t, std::uint32_t s, std::uint32_t) { return ~s; } },
        { MERGEPAINT, "MERGEPAINT",
            [](std::uint32_t, std::uint32_t s, std::uint32_t d) { return ~s | d; } },
        { PATCOPY, "PATCOPY", [](std::uint32_t p, std::uint32_t, std::uint32_t) { return p; } },
        { PATINVERT, "PATINVERT",
            [](std::uint32_t p, std::uint32_t, std::uint32_t d) { return p ^ d; } },
        { DSTINVERT, "DSTINVERT",
            [](std::uint32_t, std::uint32_t, std::uint32_t d) { return ~d; } },
        { BLACKNESS, "BLACKNESS", [](std::uint32_t, std::uint32_t, std::uint32_t) { return 0u; } },
        { WHITENESS, "WHITENESS", [](std::uint32_t, std::uint32_t, std::uint32_t) { return ~0u; } },
        { DSna, "DSna", [](std::uint32_t, std::uint32_t s, std::uint32_t d) { return d & ~s; } },
        { PSDPxax, "PSDPxax",
            [](std::uint32_t p, std::uint32_t s, std::uint32_t d) { return (p & ~s) | (d & s); } },
    };

    TEST(RasterOpsTest, NamedCodesEvaluateTheirBooleanFormulaOnEveryBit)
    {
        std::mt19937 random(7);
        for (const NamedFormula& f : kFormulas) {
            const Rop3 op = decodeRop3(f.code);
            EXPECT_EQ(rop3Name(f.code), f.name);
            for (int i = 0; i < 200; ++i) {
                const std::uint32_t p = random(), s = random(), d = random();
                ASSERT_EQ(op.apply(p, s, d), f.formula(p, s, d)) << f.name;
            }
        }
    }

    TEST(RasterOpsTest, EveryIndexIsItsOwnTruthTable)
    {
        for (std::uint32_t index = 0; index < 256; ++index) {
            // The low word is a driver hint and must not matter.
            const Rop3 op = decodeRop3((index << 16) | 0xBEEF);
            for (std::uint32_t minterm = 0; minterm < 8; ++minterm) {
                const std::uint32_t p = (minterm & 4) ? 1 : 0;
                const std::uint32_t s = (minterm & 2) ? 1 : 0;
                const std::uint32_t d = (minterm & 1) ? 1 : 0;
                ASSERT_EQ(op.apply(p, s, d) & 1, (index >> minterm) & 1)
                    << "index " << index << " minterm " << minterm;
            }
            EXPECT_EQ(op.apply(0xF0, 0xCC, 0xAA) & 0xFF, index);
        }
    }

    TEST(RasterOpsTest, DecodingTellsWhichOperandsMatter)
    {
        const Rop3 copy = decodeRop3(SRCCOPY);
        EXPECT_TRUE(copy.usesSource);
        EXPECT_FALSE(copy.usesPattern);
        EXPECT_FALSE(copy.usesDestination);
        const Rop3 focus = decodeRop3(PATINVERT);
        EXPECT_TRUE(focus.usesPattern && focus.usesDestination && !focus.usesSource);
        const Rop3 black = decodeRop3(BLACKNESS);
        EXPECT_FALSE(black.usesPattern || black.usesSource || black.usesDestination);
        const Rop3 disabled = decodeRop3(PSDPxax);
        EXPECT_TRUE(disabled.usesPattern && disabled.usesSource && disabled.usesDestination);
        EXPECT_EQ(rop3Name(0x00A50065), "");
    }

} // namespace
} // namespace bastara::gdi
