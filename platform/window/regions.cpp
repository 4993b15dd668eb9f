#include "platform/window/regions.h"

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
        std::vector<QRect> rects;
        rects.reserve(region->rects().size());
        for (const gdi::Rect& r : region->rects())
            rects.emplace_back(r.left, r.top, r.width(), r.height());
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
