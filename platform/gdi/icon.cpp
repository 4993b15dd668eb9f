#include "platform/gdi/icon.h"

#include "platform/gdi/blit.h"
#include "platform/gdi/internal/paint.h"

namespace bastara::gdi {

Icon::Icon(
    BitmapRef mask, BitmapRef color, std::vector<std::uint8_t> alpha, bool isCursor, Point hotspot)
    : m_mask(std::move(mask))
    , m_color(std::move(color))
    , m_alpha(std::move(alpha))
    , m_isCursor(isCursor)
    , m_hotspot(hotspot)
{ }

std::shared_ptr<const Icon> Icon::create(
    BitmapRef mask, BitmapRef color, std::vector<std::uint8_t> alpha, bool isCursor, Point hotspot)
{
    if (!mask || !mask->isMonochrome())
        return nullptr;
    if (color) {
        if (color->isMonochrome() || color->size() != mask->size())
            return nullptr;
        if (!alpha.empty()
            && alpha.size() != std::size_t(color->width()) * std::size_t(color->height()))
            return nullptr;
    } else if (mask->height() % 2 != 0 || !alpha.empty()) {
        return nullptr;
    }
    return std::make_shared<const Icon>(
        std::move(mask), std::move(color), std::move(alpha), isCursor, hotspot);
}

IconInfo getIconInfo(const Icon& icon)
{
    IconInfo info;
    info.isIcon = !icon.isCursor();
    info.hotspot = icon.hotspot();
    info.mask = icon.mask()->clone();
    info.color = icon.color() ? icon.color()->clone() : nullptr;
    return info;
}

namespace {

    void blendAlpha(DeviceContext& dc, const Rect& area, const Icon& icon)
    {
        const Bitmap& image = *icon.color();
        Bitmap& target = dc.bitmap();
        for (const Rect& r : dc.visibleRects(area)) {
            for (std::int32_t y = r.top; y < r.bottom; ++y) {
                const auto sy
                    = std::int32_t(std::int64_t(y - area.top) * image.height() / area.height());
                for (std::int32_t x = r.left; x < r.right; ++x) {
                    const auto sx
                        = std::int32_t(std::int64_t(x - area.left) * image.width() / area.width());
                    const std::uint32_t a
                        = icon.alpha()[std::size_t(sy) * std::size_t(image.width())
                            + std::size_t(sx)];
                    const std::uint32_t s = image.colorRow(sy)[sx];
                    const std::uint32_t d = detail::readValue(target, x, y);
                    std::uint32_t out = 0;
                    for (int shift = 0; shift <= 16; shift += 8) {
                        const std::uint32_t sc = (s >> shift) & 0xFF;
                        const std::uint32_t dstChannel = (d >> shift) & 0xFF;
                        out |= ((sc * a + dstChannel * (255 - a) + 127) / 255) << shift;
                    }
                    detail::writeValue(target, x, y, out);
                }
            }
        }
    }

} // namespace

void drawIconEx(DeviceContext& dc, std::int32_t x, std::int32_t y, const Icon& icon,
    std::int32_t width, std::int32_t height, std::uint32_t flags)
{
    if (width == 0)
        width = icon.width();
    if (height == 0)
        height = icon.height();
    if (width <= 0 || height <= 0 || icon.width() == 0 || icon.height() == 0)
        return;
    const bool useMask = flags & DI_MASK;
    const bool useImage = flags & DI_IMAGE;
    if (useImage && !icon.alpha().empty() && !dc.bitmap().isMonochrome()) {
        blendAlpha(dc, { x, y, x + width, y + height }, icon);
        return;
    }
    ScopedSavedState saved(dc);
    dc.setTextColor(0);
    dc.setBkColor(0xFFFFFF);
    dc.setStretchBltMode(COLORONCOLOR);
    auto source = createCompatibleDC(nullptr);
    const std::int32_t w = icon.width();
    const std::int32_t h = icon.height();
    if (useMask) {
        source->selectObject(icon.mask());
        stretchBlt(dc, x, y, width, height, source.get(), 0, 0, w, h, SRCAND);
    }
    if (useImage) {
        const RasterOp rop = useMask ? SRCINVERT : SRCCOPY;
        if (icon.color()) {
            source->selectObject(icon.color());
            stretchBlt(dc, x, y, width, height, source.get(), 0, 0, w, h, rop);
        } else {
            source->selectObject(icon.mask());
            stretchBlt(dc, x, y, width, height, source.get(), 0, h, w, h, rop);
        }
    }
}

} // namespace bastara::gdi
