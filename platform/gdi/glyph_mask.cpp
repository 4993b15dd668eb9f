#include "platform/gdi/internal/glyph_mask.h"

#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace bastara::gdi::detail {

namespace {

    // Far beyond any caption, small enough to keep: 4 M pixels.
    constexpr std::int64_t kMaxMaskPixels = std::int64_t(1) << 22;

    // Where ink can be: the outline boxes of the glyphs, the runs' own boxes
    // and the line's cell (underline and strike-out lie in it), with room for
    // antialiasing, hinting and decorations below the cell.
    QRectF inkArea(const QList<QGlyphRun>& runs, QPointF origin, const Rect& cell)
    {
        QRectF area(cell.left, cell.top, cell.width(), cell.height());
        for (const QGlyphRun& run : runs) {
            area |= run.boundingRect().translated(origin);
            const QRawFont font = run.rawFont();
            const QList<quint32> glyphs = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i)
                area |= font.boundingRect(glyphs[i]).translated(origin + positions[i]);
        }
        const qreal margin = 2 + cell.height() / 4;
        return area.adjusted(-margin, -margin, margin, margin);
    }

    // x * a / 255 for the four channels of a pixel at once, rounded as Qt's
    // raster engine rounds it: t = x * a, (t + t / 256 + 128) / 256. The
    // channels sit in 16-bit lanes of a 64-bit word, so none spills into the
    // next.
    inline std::uint32_t multiply(std::uint32_t x, std::uint32_t a)
    {
        constexpr std::uint64_t kLanes = 0x00FF00FF00FF00FF;
        std::uint64_t t = ((std::uint64_t(x) | (std::uint64_t(x) << 24)) & kLanes) * a;
        t = ((t + ((t >> 8) & kLanes) + 0x0080008000800080) >> 8) & kLanes;
        return std::uint32_t(t) | std::uint32_t(t >> 24);
    }

#if defined(__SSE2__)
    // (t + t / 256 + 128) / 256 in each 16-bit lane; t <= 255 * 255 leaves
    // room for the sum.
    inline __m128i divide255(__m128i t)
    {
        const __m128i half = _mm_set1_epi16(0x80);
        return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), half), 8);
    }

    // Four pixels with the coverage values `four` (one per byte).
    inline void blendFour(std::uint32_t* pixels, std::int32_t four, __m128i colour)
    {
        const __m128i zero = _mm_setzero_si128();
        const __m128i full = _mm_set1_epi16(255);
        __m128i a = _mm_cvtsi32_si128(four);
        a = _mm_unpacklo_epi8(a, a);
        a = _mm_unpacklo_epi8(a, a); // a0 x4, a1 x4, a2 x4, a3 x4 (bytes)
        const __m128i aLow = _mm_unpacklo_epi8(a, zero);
        const __m128i aHigh = _mm_unpackhi_epi8(a, zero);
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels));
        const __m128i dLow = _mm_unpacklo_epi8(d, zero);
        const __m128i dHigh = _mm_unpackhi_epi8(d, zero);
        const __m128i low = _mm_add_epi16(divide255(_mm_mullo_epi16(colour, aLow)),
            divide255(_mm_mullo_epi16(dLow, _mm_sub_epi16(full, aLow))));
        const __m128i high = _mm_add_epi16(divide255(_mm_mullo_epi16(colour, aHigh)),
            divide255(_mm_mullo_epi16(dHigh, _mm_sub_epi16(full, aHigh))));
        const __m128i result
            = _mm_or_si128(_mm_packus_epi16(low, high), _mm_set1_epi32(std::int32_t(0xFF000000)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels), result);
    }
#endif

} // namespace

void blendRunPerPixel(
    std::uint32_t* pixels, const std::uint8_t* coverage, std::int32_t count, std::uint32_t rgb)
{
    const std::uint32_t solid = 0xFF000000 | rgb;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::uint32_t a = coverage[i];
        if (a != 0)
            pixels[i] = 0xFF000000 | (multiply(solid, a) + multiply(pixels[i], 255 - a));
    }
}

void blendRun(
    std::uint32_t* pixels, const std::uint8_t* coverage, std::int32_t count, std::uint32_t rgb)
{
    std::int32_t i = 0;
#if defined(__SSE2__)
    const __m128i solid = _mm_set1_epi32(std::int32_t(0xFF000000 | rgb));
    // The colour's channels as 16-bit lanes, twice (two pixels per half).
    const __m128i colour = _mm_unpacklo_epi8(solid, _mm_setzero_si128());
    for (; i + 4 <= count; i += 4) {
        std::int32_t four;
        std::memcpy(&four, coverage + i, sizeof four);
        // Gaps between letters, and the insides of thick strokes, are common.
        if (four == 0)
            continue;
        if (four == -1)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + i), solid);
        else
            blendFour(pixels + i, four, colour);
    }
#endif
    blendRunPerPixel(pixels + i, coverage + i, count - i, rgb);
}

namespace {

    // Gaps between inked pixels of a row up to this long stay inside one span:
    // blending them changes nothing, and a few long spans blend faster (four
    // pixels at a time) than many short ones.
    constexpr int kBridgedGap = 8;

    // The spans of non-zero alpha of `image`, relative to its top-left corner
    // moved by (dx, dy).
    void collectSpans(const QImage& image, std::int32_t dx, std::int32_t dy, GlyphMask& mask)
    {
        const int width = image.width();
        for (int y = 0; y < image.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            int x = 0;
            while (x < width) {
                if (qAlpha(row[x]) == 0) {
                    ++x;
                    continue;
                }
                // From this inked pixel to the last one before a longer gap.
                int end = x + 1;
                for (int gap = 0, k = end; k < width && gap <= kBridgedGap; ++k) {
                    if (qAlpha(row[k]) == 0) {
                        ++gap;
                    } else {
                        gap = 0;
                        end = k + 1;
                    }
                }
                // Whole blocks of four where the row has room: the blend of
                // coverage 0 leaves a pixel as it is.
                const int padded = std::min(x + (end - x + 3) / 4 * 4, width);
                mask.spans.push_back(
                    { y + dy, x + dx, padded + dx, std::uint32_t(mask.coverage.size()) });
                for (; x < padded; ++x)
                    mask.coverage.push_back(std::uint8_t(qAlpha(row[x])));
            }
        }
    }

} // namespace

std::shared_ptr<const GlyphMask> rasteriseGlyphs(
    const QList<QGlyphRun>& runs, QPointF origin, const Rect& cell)
{
    const QRectF area = inkArea(runs, origin, cell);
    const auto left = std::int64_t(std::floor(area.left()));
    const auto top = std::int64_t(std::floor(area.top()));
    const auto width = std::int64_t(std::ceil(area.right())) - left;
    const auto height = std::int64_t(std::ceil(area.bottom())) - top;
    if (width > kMaxBitmapSide || height > kMaxBitmapSide || width * height > kMaxMaskPixels)
        return nullptr;

    // Opaque ink on a transparent image: its alpha is the coverage, blended
    // glyph over glyph where joined letters overlap.
    QImage image(int(width), int(height), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setPen(Qt::black);
        const QPointF at = origin - QPointF(qreal(left), qreal(top));
        for (const QGlyphRun& run : runs)
            painter.drawGlyphRun(at, run);
    }

    auto mask = std::make_shared<GlyphMask>();
    collectSpans(image, std::int32_t(left), std::int32_t(top), *mask);
    return mask;
}

void compositeGlyphs(
    Bitmap& target, const GlyphMask& mask, Point at, const Rect& clip, std::uint32_t rgb)
{
    for (const GlyphMask::Span& span : mask.spans) {
        const std::int32_t y = at.y + span.y;
        if (y < clip.top)
            continue;
        if (y >= clip.bottom)
            break;
        const std::int32_t left = std::max(at.x + span.left, clip.left);
        const std::int32_t right = std::min(at.x + span.right, clip.right);
        if (left >= right)
            continue;
        blendRun(target.colorRow(y) + left,
            mask.coverage.data() + span.offset + (left - (at.x + span.left)), right - left, rgb);
    }
}

} // namespace bastara::gdi::detail
