#include "platform/gdi/dc.h"

#include <algorithm>

namespace bastara::gdi {

DeviceContext::DeviceContext(DcKind kind, BitmapRef surface)
    : m_kind(kind)
{
    m_state.bitmap = std::move(surface);
    m_state.pen = stockBlackPen();
    m_state.brush = stockWhiteBrush();
    m_state.font = stockSystemFont();
}

BitmapRef DeviceContext::selectObject(BitmapRef bitmap)
{
    if (!bitmap)
        return nullptr;
    // A display surface is always colour.
    if (m_kind == DcKind::Display && bitmap->isMonochrome())
        return nullptr;
    return std::exchange(m_state.bitmap, std::move(bitmap));
}

PenRef DeviceContext::selectObject(PenRef pen)
{
    if (!pen)
        return nullptr;
    return std::exchange(m_state.pen, std::move(pen));
}

BrushRef DeviceContext::selectObject(BrushRef brush)
{
    if (!brush)
        return nullptr;
    return std::exchange(m_state.brush, std::move(brush));
}

FontRef DeviceContext::selectObject(FontRef font)
{
    if (!font)
        return nullptr;
    return std::exchange(m_state.font, std::move(font));
}

int DeviceContext::setBkMode(int mode)
{
    if (mode <= 0)
        return 0;
    return std::exchange(m_state.bkMode, mode);
}

int DeviceContext::setStretchBltMode(int mode)
{
    if (mode < BLACKONWHITE || mode > HALFTONE)
        return 0;
    return std::exchange(m_state.stretchMode, mode);
}

RegionKind DeviceContext::selectClipRegion(const std::optional<Region>& region)
{
    m_state.clip = region;
    return region ? region->kind() : RegionKind::Simple;
}

RegionKind DeviceContext::selectClipRegion(const Region& region)
{
    return selectClipRegion(std::optional<Region>(region));
}

int DeviceContext::saveDC()
{
    m_saved.push_back(m_state);
    return int(m_saved.size());
}

bool DeviceContext::restoreDC(int savedDepth)
{
    const int depth = int(m_saved.size());
    const int target = savedDepth < 0 ? depth + savedDepth + 1 : savedDepth;
    if (target < 1 || target > depth)
        return false;
    m_state = std::move(m_saved[std::size_t(target - 1)]);
    m_saved.resize(std::size_t(target - 1));
    return true;
}

std::vector<Rect> DeviceContext::visibleRects(const Rect& area) const
{
    std::vector<Rect> result;
    forEachVisibleRect(area, [&result](const Rect& part) { result.push_back(part); });
    return result;
}

bool DeviceContext::isVisible(std::int32_t x, std::int32_t y) const
{
    if (!m_state.bitmap->bounds().contains(x, y))
        return false;
    return !m_state.clip || m_state.clip->contains(x, y);
}

bool DeviceContext::isWhollyVisible(const Rect& area) const
{
    if (area.isEmpty())
        return true;
    if (area.intersected(m_state.bitmap->bounds()) != area)
        return false;
    return !m_state.clip || m_state.clip->contains(area);
}

std::unique_ptr<DeviceContext> createCompatibleDC(const DeviceContext* /*reference*/)
{
    return std::make_unique<DeviceContext>(
        DcKind::Memory, Bitmap::create(1, 1, PixelFormat::Mono1));
}

std::unique_ptr<DeviceContext> createScreenDC()
{
    return std::make_unique<DeviceContext>(
        DcKind::Display, Bitmap::create(0, 0, PixelFormat::Rgb32));
}

std::unique_ptr<DeviceContext> createDisplayDC(BitmapRef surface)
{
    if (!surface || surface->isMonochrome())
        return nullptr;
    return std::make_unique<DeviceContext>(DcKind::Display, std::move(surface));
}

BitmapRef createCompatibleBitmap(const DeviceContext& dc, std::int32_t width, std::int32_t height)
{
    const bool colour = dc.kind() == DcKind::Display || !dc.bitmap().isMonochrome();
    return Bitmap::create(width, height, colour ? PixelFormat::Rgb32 : PixelFormat::Mono1);
}

} // namespace bastara::gdi
