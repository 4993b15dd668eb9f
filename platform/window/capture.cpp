#include "platform/window/capture.h"

#include "platform/window/internal/registry.h"

namespace bastara::window {

WindowHandle setCapture(WindowHandle handle)
{
    detail::Registry& registry = detail::Registry::instance();
    QWidget* widget = registry.widget(handle);
    if (!widget)
        return 0;
    const WindowHandle previous = getCapture();
    if (QWidget* old = registry.widget(previous); old && old != widget)
        old->releaseMouse();
    // Grabbing needs a visible window; hidden ones keep the logical capture.
    if (widget->isVisible())
        widget->grabMouse();
    registry.capture = handle;
    return previous;
}

bool releaseCapture()
{
    detail::Registry& registry = detail::Registry::instance();
    const WindowHandle holder = getCapture();
    registry.capture = 0;
    if (QWidget* widget = registry.widget(holder)) {
        widget->releaseMouse();
        return true;
    }
    return false;
}

WindowHandle getCapture()
{
    detail::Registry& registry = detail::Registry::instance();
    // A destroyed holder no longer has the capture.
    if (!registry.widget(registry.capture))
        registry.capture = 0;
    return registry.capture;
}

} // namespace bastara::window
