#include "platform/gdi/blit.h"

#include "platform/gdi/internal/paint.h"

#include <algorithm>
#include <vector>

namespace bastara::gdi {

namespace {

    using detail::readValue;
    using detail::writeValue;

    // Source pixels [begin, end) that feed one destination column or row.
    struct SourceRange {
        std::int32_t begin;
        std::int32_t end;
    };

    std::int64_t ceilDiv(std::int64_t num, std::int64_t den)
    {
        return (num + den - 1) / den;
    }

    // For destination indices first .. first + count - 1 of an axis `total`
    // pixels long: the source indices each reads, clipped to [0, limit).
    std::vector<SourceRange> mapAxis(std::int32_t first, std::int32_t count, std::int32_t total,
        std::int32_t srcStart, std::int32_t srcCount, std::int32_t limit, bool combine)
    {
        std::vector<SourceRange> ranges(static_cast<std::size_t>(count));
        for (std::int32_t k = 0; k < count; ++k) {
            const std::int64_t i = first + k;
            std::int64_t begin;
            std::int64_t end;
            if (total >= srcCount) {
                begin = srcStart + i * srcCount / total;
                end = begin + 1;
            } else {
                begin = srcStart + ceilDiv(i * srcCount, total);
                end = srcStart + ceilDiv((i + 1) * srcCount, total);
                if (!combine)
                    end = begin + 1;
            }
            ranges[std::size_t(k)] = { std::int32_t(std::max<std::int64_t>(begin, 0)),
                std::int32_t(std::min<std::int64_t>(end, limit)) };
        }
        return ranges;
    }

    Rect boundsOf(const std::vector<Rect>& rects)
    {
        Rect box = rects.front();
        for (const Rect& r : rects)
            box = { std::min(box.left, r.left), std::min(box.top, r.top),
                std::max(box.right, r.right), std::max(box.bottom, r.bottom) };
        return box;
    }

    // Turns a source device value (in the source's format) into the
    // destination's format.
    class SourceConverter
    {
    public:
        SourceConverter(const DeviceContext& src, const DeviceContext& dst)
            : m_sourceMono(src.bitmap().isMonochrome())
            , m_destinationMono(dst.bitmap().isMonochrome())
            , m_sourceBackground(deviceRgb(src.bkColor()))
            , m_zeroBits(deviceRgb(dst.textColor()))
            , m_oneBits(deviceRgb(dst.bkColor()))
        { }

        std::uint32_t operator()(std::uint32_t value) const
        {
            if (m_sourceMono == m_destinationMono)
                return value;
            if (m_sourceMono)
                return value ? m_oneBits : m_zeroBits;
            return value == m_sourceBackground ? detail::kWhiteValue : 0;
        }

    private:
        bool m_sourceMono;
        bool m_destinationMono;
        std::uint32_t m_sourceBackground;
        std::uint32_t m_zeroBits;
        std::uint32_t m_oneBits;
    };

    // Equal sizes, colour to colour (the copy of the back buffer to the
    // window, and most picture work): whole rows, no mapping of coordinates.
    void transferRows(DeviceContext& dst, const Rect& area, const Bitmap& source,
        const Rect& srcArea, Rop3 op, const detail::BrushSampler& pattern)
    {
        const std::int32_t dx = srcArea.left - area.left;
        const std::int32_t dy = srcArea.top - area.top;
        // Destination pixels whose source lies outside the source bitmap stay.
        const Rect readable = source.bounds().translated(-dx, -dy).intersected(area);
        Bitmap& target = dst.bitmap();
        const bool fixedPattern = !op.usesPattern || dst.brush().style() == BrushStyle::Solid;
        const std::uint32_t fixedValue = op.usesPattern && fixedPattern ? pattern.valueAt(0, 0) : 0;
        dst.forEachVisibleRect(readable, [&](const Rect& r) {
            for (std::int32_t y = r.top; y < r.bottom; ++y) {
                const std::uint32_t* from = source.colorRow(y + dy);
                std::uint32_t* to = target.colorRow(y);
                if (op.index == 0xCC) { // SRCCOPY
                    detail::copyPixels(to + r.left, from + (r.left + dx), r.width());
                    continue;
                }
                for (std::int32_t x = r.left; x < r.right; ++x) {
                    const std::uint32_t p = fixedPattern ? fixedValue : pattern.valueAt(x, y);
                    to[x] = 0xFF000000 | op.apply(p, from[x + dx], to[x]);
                }
            }
        });
    }

    void transfer(DeviceContext& dst, const Rect& area, const DeviceContext* src,
        const Rect& srcArea, Rop3 op)
    {
        const detail::BrushSampler pattern(dst, dst.brush());
        if (op.usesPattern && !pattern.paints())
            return;

        if (!op.usesSource) {
            detail::patternFill(dst, area, dst.brush(), op);
            return;
        }

        // Read the source as it was when it is also the destination.
        BitmapRef snapshot;
        const Bitmap* source = &src->bitmap();
        if (source == &dst.bitmap()) {
            snapshot = source->clone();
            source = snapshot.get();
        }
        if (area.width() == srcArea.width() && area.height() == srcArea.height()
            && !dst.bitmap().isMonochrome() && !source->isMonochrome()) {
            transferRows(dst, area, *source, srcArea, op, pattern);
            return;
        }

        const std::vector<Rect> rects = dst.visibleRects(area);
        if (rects.empty())
            return;
        const int mode = dst.stretchBltMode();
        const bool combine = mode == BLACKONWHITE || mode == WHITEONBLACK;
        // Only the visible part of the destination is mapped.
        const Rect visible = boundsOf(rects);
        const std::vector<SourceRange> columns = mapAxis(visible.left - area.left, visible.width(),
            area.width(), srcArea.left, srcArea.width(), source->width(), combine);
        const std::vector<SourceRange> rows = mapAxis(visible.top - area.top, visible.height(),
            area.height(), srcArea.top, srcArea.height(), source->height(), combine);
        const SourceConverter convert(*src, dst);
        Bitmap& target = dst.bitmap();

        // Colour to colour needs no conversion: read and write whole rows.
        const bool colourToColour = !target.isMonochrome() && !source->isMonochrome();
        // SRCCOPY, by far the most frequent: no call per pixel.
        const bool plainCopy = op.index == 0xCC;
        for (const Rect& r : rects) {
            for (std::int32_t y = r.top; y < r.bottom; ++y) {
                const SourceRange rowRange = rows[std::size_t(y - visible.top)];
                if (rowRange.begin >= rowRange.end)
                    continue;
                const bool singleRow = rowRange.end - rowRange.begin == 1;
                // Row pointers once per row, not per pixel.
                std::uint32_t* targetRow
                    = colourToColour && singleRow ? target.colorRow(y) : nullptr;
                const std::uint32_t* sourceRow
                    = targetRow ? source->colorRow(rowRange.begin) : nullptr;
                for (std::int32_t x = r.left; x < r.right; ++x) {
                    const SourceRange columnRange = columns[std::size_t(x - visible.left)];
                    if (columnRange.begin >= columnRange.end)
                        continue;
                    const std::uint32_t p = op.usesPattern ? pattern.valueAt(x, y) : 0;
                    if (targetRow && columnRange.end - columnRange.begin == 1) {
                        std::uint32_t& d = targetRow[x];
                        const std::uint32_t s = sourceRow[columnRange.begin];
                        d = 0xFF000000 | (plainCopy ? s : op.apply(p, s, d));
                        continue;
                    }
                    std::uint32_t s = readValue(*source, columnRange.begin, rowRange.begin);
                    for (std::int32_t sy = rowRange.begin; sy < rowRange.end; ++sy) {
                        for (std::int32_t sx = columnRange.begin; sx < columnRange.end; ++sx) {
                            const std::uint32_t v = readValue(*source, sx, sy);
                            s = mode == WHITEONBLACK ? (s | v) : (s & v);
                        }
                    }
                    const std::uint32_t d = op.usesDestination ? readValue(target, x, y) : 0;
                    writeValue(target, x, y, op.apply(p, convert(s), d));
                }
            }
        }
    }

} // namespace

void bitBlt(DeviceContext& dst, std::int32_t x, std::int32_t y, std::int32_t width,
    std::int32_t height, const DeviceContext* src, std::int32_t srcX, std::int32_t srcY,
    RasterOp rop)
{
    stretchBlt(dst, x, y, width, height, src, srcX, srcY, width, height, rop);
}

void stretchBlt(DeviceContext& dst, std::int32_t x, std::int32_t y, std::int32_t width,
    std::int32_t height, const DeviceContext* src, std::int32_t srcX, std::int32_t srcY,
    std::int32_t srcWidth, std::int32_t srcHeight, RasterOp rop)
{
    const Rop3 op = decodeRop3(rop);
    if (width <= 0 || height <= 0)
        return;
    if (op.usesSource && (!src || srcWidth <= 0 || srcHeight <= 0))
        return;
    const Rect area = detail::clampRect(x, y, std::int64_t(x) + width, std::int64_t(y) + height);
    const Rect srcArea = detail::clampRect(
        srcX, srcY, std::int64_t(srcX) + srcWidth, std::int64_t(srcY) + srcHeight);
    if (area.isEmpty() || srcArea.isEmpty())
        return;
    transfer(dst, area, op.usesSource ? src : nullptr, srcArea, op);
}

void patBlt(DeviceContext& dst, std::int32_t x, std::int32_t y, std::int32_t width,
    std::int32_t height, RasterOp rop)
{
    const Rop3 op = decodeRop3(rop);
    if (op.usesSource)
        return;
    const Rect area
        = detail::clampRect(x, y, std::int64_t(x) + width, std::int64_t(y) + height).normalized();
    if (area.isEmpty())
        return;
    transfer(dst, area, nullptr, {}, op);
}

BitmapRef copyImage(const BitmapRef& source, std::int32_t width, std::int32_t height)
{
    if (!source || width < 0 || height < 0)
        return nullptr;
    if (width == 0)
        width = source->width();
    if (height == 0)
        height = source->height();
    BitmapRef copy = Bitmap::create(width, height, source->format());
    if (!copy || width == 0 || height == 0 || source->width() == 0 || source->height() == 0)
        return copy;
    auto from = createCompatibleDC(nullptr);
    auto to = createCompatibleDC(nullptr);
    (void)from->selectObject(source);
    (void)to->selectObject(copy);
    to->setStretchBltMode(COLORONCOLOR);
    stretchBlt(
        *to, 0, 0, width, height, from.get(), 0, 0, source->width(), source->height(), SRCCOPY);
    return copy;
}

} // namespace bastara::gdi
