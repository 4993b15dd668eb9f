#include "platform/gdi/text.h"

#include "platform/gdi/internal/font_engine.h"
#include "platform/gdi/internal/paint.h"
#include "platform/gdi/internal/text_layout.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <cmath>

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

    void fillClipped(
        Bitmap& target, const std::vector<Rect>& clip, const Rect& area, std::uint32_t value)
    {
        for (const Rect& c : clip) {
            const Rect part = c.intersected(area);
            for (std::int32_t y = part.top; y < part.bottom; ++y)
                for (std::int32_t x = part.left; x < part.right; ++x)
                    detail::writeValue(target, x, y, value);
        }
    }

    struct PlacedLine {
        const detail::LaidOutLine* line;
        std::int32_t x;
        std::int32_t top;
    };

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
    const std::vector<Rect> clip = dc.visibleRects(clipToRect ? area : dc.bitmap().bounds());
    if (clip.empty())
        return result;
    const std::int32_t visibleBottom = boundsOf(clip).bottom;

    std::vector<PlacedLine> placed;
    for (std::size_t k = 0; k < layout->lines.size(); ++k) {
        const detail::LaidOutLine& line = layout->lines[k];
        const std::int64_t lineTop = top + std::int64_t(k) * layout->lineHeight;
        if (lineTop >= visibleBottom)
            break;
        std::int32_t x = area.left;
        if (format & DT_CENTER)
            x = (area.left + area.right - line.width) / 2;
        else if (format & DT_RIGHT)
            x = area.right - line.width;
        placed.push_back({ &line, x, std::int32_t(lineTop) });
        // The line that reaches past the bottom is the last one drawn.
        if (clipToRect && lineTop + layout->lineHeight > area.bottom)
            break;
    }
    if (placed.empty())
        return result;

    Bitmap& target = dc.bitmap();
    if (dc.fillsBackground()) {
        const std::uint32_t background = detail::deviceValue(target, dc.bkColor());
        for (const PlacedLine& p : placed)
            fillClipped(target, clip,
                { p.x, p.top, p.x + p.line->width, p.top + layout->lineHeight }, background);
    }
    drawGlyphs(dc, placed, clip, layout->ascent);
    const std::uint32_t ink = detail::deviceValue(target, dc.textColor());
    for (const PlacedLine& p : placed) {
        if (!p.line->underline)
            continue;
        const std::int32_t y = p.top + layout->ascent + 1;
        fillClipped(target, clip,
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
