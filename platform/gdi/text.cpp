#include "platform/gdi/text.h"

#include "platform/gdi/internal/font_engine.h"
#include "platform/gdi/internal/glyph_mask.h"
#include "platform/gdi/internal/paint.h"
#include "platform/gdi/internal/text_layout.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <cmath>
#include <limits>

namespace bastara::gdi {

namespace {

    QColor qtColor(ColorRef color)
    {
        const ColorRef c = effectiveColor(color);
        return QColor(redOf(c), greenOf(c), blueOf(c));
    }

    QRegion qtRegion(const std::vector<Rect>& rects)
    {
        std::vector<QRect> qrects;
        qrects.reserve(rects.size());
        for (const Rect& r : rects)
            qrects.emplace_back(r.left, r.top, r.width(), r.height());
        QRegion region;
        region.setRects(qrects.data(), int(qrects.size()));
        return region;
    }

    Rect boundsOf(const std::vector<Rect>& rects)
    {
        Rect bounds = rects.front();
        for (const Rect& r : rects) {
            bounds.left = std::min(bounds.left, r.left);
            bounds.top = std::min(bounds.top, r.top);
            bounds.right = std::max(bounds.right, r.right);
            bounds.bottom = std::max(bounds.bottom, r.bottom);
        }
        return bounds;
    }

    struct PlacedLine {
        const detail::LaidOutLine* line;
        std::int32_t x;
        std::int32_t top;
    };

    // The line's coverage mask, made the first time the line is drawn and kept
    // with the laid-out text; nullptr for a line too large for one.
    const detail::GlyphMask* glyphMaskOf(
        const detail::LaidOutLine& line, const detail::LaidOutText& layout)
    {
        if (!line.maskMade) {
            const QPointF origin(0, layout.ascent - line.baseline);
            line.mask = detail::rasteriseGlyphs(
                line.runs, origin, { 0, 0, line.width, layout.lineHeight });
            line.maskMade = true;
        }
        return line.mask.get();
    }

    // Glyphs go through QPainter onto the bitmap's own pixels (colour), or onto
    // a coverage image that is thresholded into the bits (monochrome).
    void drawGlyphs(DeviceContext& dc, const std::vector<PlacedLine>& lines,
        const std::vector<Rect>& clip, std::int32_t ascent)
    {
        Bitmap& target = dc.bitmap();
        const Rect bounds = boundsOf(clip);
        if (!target.isMonochrome()) {
            QImage image(target.scanline(0), target.width(), target.height(), target.pitch(),
                QImage::Format_RGB32);
            QPainter painter(&image);
            painter.setClipRegion(qtRegion(clip));
            painter.setPen(qtColor(dc.textColor()));
            for (const PlacedLine& placed : lines) {
                const QPointF origin(placed.x, placed.top + ascent - placed.line->baseline);
                for (const QGlyphRun& run : placed.line->runs)
                    painter.drawGlyphRun(origin, run);
            }
            return;
        }
        QImage coverage(bounds.width(), bounds.height(), QImage::Format_ARGB32_Premultiplied);
        coverage.fill(Qt::transparent);
        {
            QPainter painter(&coverage);
            painter.translate(-bounds.left, -bounds.top);
            painter.setClipRegion(qtRegion(clip));
            painter.setPen(Qt::black);
            for (const PlacedLine& placed : lines) {
                const QPointF origin(placed.x, placed.top + ascent - placed.line->baseline);
                for (const QGlyphRun& run : placed.line->runs)
                    painter.drawGlyphRun(origin, run);
            }
        }
        const std::uint32_t ink = detail::deviceValue(target, dc.textColor());
        for (std::int32_t y = 0; y < coverage.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(coverage.constScanLine(y));
            for (std::int32_t x = 0; x < coverage.width(); ++x) {
                if (qAlpha(row[x]) >= 128)
                    detail::writeValue(target, bounds.left + x, bounds.top + y, ink);
            }
        }
    }

} // namespace

std::int32_t drawText(DeviceContext& dc, std::u16string_view text, Rect& rect, std::uint32_t format)
{
    const Rect area = detail::clampRect(rect);
    if (text.empty()) {
        if (format & DT_CALCRECT) {
            rect.right = area.left;
            rect.bottom = area.top;
        }
        return 0;
    }
    const auto layout = detail::layoutText(dc.font().logFont(), text, area.width(), format);
    if (!layout)
        return 0;
    const auto total
        = detail::clampCoordinate(std::int64_t(layout->lines.size()) * layout->lineHeight);
    if (format & DT_CALCRECT) {
        rect.left = area.left;
        rect.top = area.top;
        rect.right = area.left + layout->widest;
        rect.bottom = detail::clampCoordinate(std::int64_t(area.top) + total);
        return total;
    }

    std::int32_t top = area.top;
    std::int32_t result = total;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            top = area.top + (area.height() - layout->lineHeight) / 2;
        else if (format & DT_BOTTOM)
            top = area.bottom - layout->lineHeight;
        if (format & (DT_VCENTER | DT_BOTTOM))
            result = top - area.top + layout->lineHeight;
    }

    const bool clipToRect = !(format & DT_NOCLIP);
    const Rect clipArea = clipToRect ? area : dc.bitmap().bounds();
    std::int32_t visibleBottom = std::numeric_limits<std::int32_t>::min();
    dc.forEachVisibleRect(clipArea, [&visibleBottom](const Rect& part) {
        visibleBottom = std::max(visibleBottom, part.bottom);
    });
    if (visibleBottom == std::numeric_limits<std::int32_t>::min())
        return result;

    // The lines drawn: from the first, down to the first one that reaches past
    // the bottom (or past what can be seen).
    std::size_t count = 0;
    for (std::size_t k = 0; k < layout->lines.size(); ++k) {
        const std::int64_t lineTop = top + std::int64_t(k) * layout->lineHeight;
        if (lineTop >= visibleBottom)
            break;
        ++count;
        if (clipToRect && lineTop + layout->lineHeight > area.bottom)
            break;
    }
    auto placedAt = [&](std::size_t k) {
        const detail::LaidOutLine& line = layout->lines[k];
        std::int32_t x = area.left;
        if (format & DT_CENTER)
            x = (area.left + area.right - line.width) / 2;
        else if (format & DT_RIGHT)
            x = area.right - line.width;
        return PlacedLine { &line, x, std::int32_t(top + std::int64_t(k) * layout->lineHeight) };
    };

    Bitmap& target = dc.bitmap();
    // Fills the visible part of `r` within the clip area.
    auto fillVisible = [&](const Rect& r, std::uint32_t value) {
        dc.forEachVisibleRect(r.intersected(clipArea),
            [&target, value](const Rect& part) { detail::fillValue(target, part, value); });
    };
    if (dc.fillsBackground()) {
        const std::uint32_t background = detail::deviceValue(target, dc.bkColor());
        for (std::size_t k = 0; k < count; ++k) {
            const PlacedLine p = placedAt(k);
            fillVisible(
                { p.x, p.top, p.x + p.line->width, p.top + layout->lineHeight }, background);
        }
    }

    // Glyphs: colour bitmaps take each line's coverage mask; monochrome ones
    // (and lines too large for a mask) are drawn by Qt directly.
    std::vector<PlacedLine> direct;
    const std::uint32_t ink = detail::deviceValue(target, dc.textColor());
    for (std::size_t k = 0; k < count; ++k) {
        const PlacedLine p = placedAt(k);
        const detail::GlyphMask* mask
            = target.isMonochrome() ? nullptr : glyphMaskOf(*p.line, *layout);
        if (!mask) {
            direct.push_back(p);
            continue;
        }
        dc.forEachVisibleRect(clipArea, [&](const Rect& part) {
            detail::compositeGlyphs(target, *mask, { p.x, p.top }, part, ink);
        });
    }
    if (!direct.empty())
        drawGlyphs(dc, direct, dc.visibleRects(clipArea), layout->ascent);

    for (std::size_t k = 0; k < count; ++k) {
        const PlacedLine p = placedAt(k);
        if (!p.line->underline)
            continue;
        const std::int32_t y = p.top + layout->ascent + 1;
        fillVisible(
            { p.x + p.line->underline->first, y, p.x + p.line->underline->second, y + 1 }, ink);
    }
    return result;
}

TextMetrics getTextMetrics(const DeviceContext& dc)
{
    const detail::FontEngine* engine = detail::fontEngineFor(dc.font().logFont());
    if (!engine)
        return {};
    return { engine->height, engine->ascent, engine->descent, engine->averageCharWidth,
        engine->maxCharWidth, engine->externalLeading };
}

Size getTextExtent(const DeviceContext& dc, std::u16string_view text)
{
    const detail::FontEngine* engine = detail::fontEngineFor(dc.font().logFont());
    if (!engine)
        return {};
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    const qreal width
        = QFontMetricsF(engine->font)
              .horizontalAdvance(QString::fromStdU16String(std::u16string(text)), option);
    return { std::int32_t(std::ceil(width - 1e-3)), engine->height };
}

TextCacheStats textCacheStats()
{
    const detail::TextLayoutStats stats = detail::textLayoutStats();
    return { stats.hits, stats.misses, stats.entries };
}

void clearTextCache(TextCacheClear what)
{
    if (what == TextCacheClear::Layouts)
        detail::clearTextLayouts();
    else
        detail::clearTextCaches();
}

} // namespace bastara::gdi
