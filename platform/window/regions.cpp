#include "platform/window/regions.h"

#include "platform/window/internal/device_pixels.h"
#include "platform/window/internal/registry.h"

#include <QRegion>
#include <vector>

namespace bastara::window {

bool setWindowRegion(WindowHandle handle, std::optional<gdi::Region> region, bool redraw)
{
    detail::WindowEntry* entry = detail::Registry::instance().entry(handle);
    if (!entry)
        return false;
    QWidget* widget = entry->widget;
    if (region) {
        // The region is in device pixels; Qt's mask in logical ones.
        const qreal ratio = detail::pixelRatio(*widget);
        const auto logical
            = [ratio](std::int32_t device) { return detail::toLogical(device, ratio); };
        std::vector<QRect> rects;
        rects.reserve(region->rects().size());
        for (const gdi::Rect& r : region->rects()) {
            const QRect rect(QPoint(logical(r.left), logical(r.top)),
                QPoint(logical(r.right) - 1, logical(r.bottom) - 1));
            if (!rect.isEmpty())
                rects.push_back(rect);
        }
        QRegion mask;
        mask.setRects(rects.data(), int(rects.size()));
        widget->setMask(mask);
    } else {
        widget->clearMask();
    }
    entry->region = std::move(region);
    if (redraw)
        widget->update();
    return true;
}

gdi::RegionKind getWindowRegion(WindowHandle handle, gdi::Region& region)
{
    detail::WindowEntry* entry = detail::Registry::instance().entry(handle);
    if (!entry || !entry->region)
        return gdi::RegionKind::Error;
    region = *entry->region;
    return region.kind();
}

} // namespace bastara::window
