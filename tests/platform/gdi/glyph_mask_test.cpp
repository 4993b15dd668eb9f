// The blend that puts glyph coverage down in a colour.

#include "platform/gdi/internal/glyph_mask.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace bastara::gdi::detail {
namespace {

    // Four pixels at a time where the processor allows, one at a time
    // otherwise: the same pixels for every run length and coverage.
    TEST(GlyphMaskTest, TheVectorBlendIsThePerPixelBlend)
    {
        std::mt19937 random(20261208);
        std::uniform_int_distribution<std::uint32_t> colour(0, 0xFFFFFF);
        std::uniform_int_distribution<int> byte(0, 255);
        for (std::int32_t length = 0; length <= 19; ++length) {
            for (int iteration = 0; iteration < 200; ++iteration) {
                std::vector<std::uint32_t> pixels(std::size_t(length + 1));
                std::vector<std::uint8_t> coverage(std::size_t(length + 1));
                for (std::size_t i = 0; i < pixels.size(); ++i) {
                    pixels[i] = 0xFF000000 | colour(random);
                    // Whole blocks of none and of full coverage, as glyphs have.
                    const int kind = byte(random) % 4;
                    coverage[i] = std::uint8_t(kind == 0 ? 0 : kind == 1 ? 255 : byte(random));
                }
                const std::uint32_t rgb = colour(random);
                std::vector<std::uint32_t> vector = pixels;
                std::vector<std::uint32_t> perPixel = pixels;
                // From the second pixel: runs that start unaligned.
                blendRun(vector.data() + 1, coverage.data() + 1, length, rgb);
                blendRunPerPixel(perPixel.data() + 1, coverage.data() + 1, length, rgb);
                ASSERT_EQ(vector, perPixel) << "length " << length << ", iteration " << iteration;
            }
        }
    }

    struct BlendCase {
        std::uint32_t pixel;
        std::uint8_t coverage;
        std::uint32_t rgb;
        std::uint32_t result;
    };

    // rgb * a / 255 + pixel * (255 - a) / 255 per channel, each term rounded
    // as Qt rounds it: (t + t / 256 + 128) / 256 with t the product.
    TEST(GlyphMaskTest, EachTermIsRoundedAsQtRoundsIt)
    {
        const BlendCase cases[] = {
            { 0xFF123456, 255, 0xABCDEF, 0xFFABCDEF }, // full coverage: the colour
            { 0xFF123456, 0, 0xABCDEF, 0xFF123456 }, // none: the pixel
            { 0xFF000000, 128, 0xFFFFFF, 0xFF808080 }, // 255 * 128 -> 128
            { 0xFFFFFFFF, 128, 0x000000, 0xFF7F7F7F }, // 255 * 127 -> 127
            { 0xFF0A0A0A, 100, 0xC8C8C8, 0xFF545454 }, // 78 + 6; one rounding of the sum: 85
        };
        for (const BlendCase& c : cases) {
            std::uint32_t pixel = c.pixel;
            blendRunPerPixel(&pixel, &c.coverage, 1, c.rgb);
            EXPECT_EQ(pixel, c.result) << std::hex << c.pixel << " at " << int(c.coverage);
        }
    }

} // namespace
} // namespace bastara::gdi::detail
