#include "platform/window/geometry.h"

#include "platform/window/internal/device_pixels.h"
#include "platform/window/widget_bridge.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace bastara::window {

namespace {

    gdi::Rect toRect(const QRect& r)
    {
        return { r.left(), r.top(), r.left() + r.width(), r.top() + r.height() };
    }

    using detail::toDevice;
    using detail::toLogical;

    // The frame around a top-level window's client area.
    QSize frameExtra(const QWidget& widget)
    {
        if (!widget.isWindow())
            return QSize(0, 0); // QSize() would be (-1, -1)
        return widget.frameGeometry().size() - widget.size();
    }

    // A top-level window: its frame placed in logical screen coordinates.
    void placeWindow(QWidget& widget, const gdi::Rect& device, bool doMove, bool doResize)
    {
        const qreal ratio = detail::pixelRatio(widget);
        if (doMove)
            widget.move(toLogical(device.left, ratio), toLogical(device.top, ratio));
        if (doResize) {
            const QSize extra = frameExtra(widget);
            widget.resize(std::max(0, toLogical(device.width(), ratio) - extra.width()),
                std::max(0, toLogical(device.height(), ratio) - extra.height()));
        }
    }

    void place(QWidget& widget, std::int32_t x, std::int32_t y, bool doMove, std::int32_t width,
        std::int32_t height, bool doResize)
    {
        const gdi::Rect device { x, y, x + width, y + height };
        if (widget.isWindow())
            placeWindow(widget, device, doMove, doResize);
        else
            detail::placeAtDevicePixels(widget, device, doMove, doResize);
    }

} // namespace

std::optional<gdi::Rect> getWindowRect(WindowHandle handle)
{
    QWidget* widget = widgetOf(handle);
    if (!widget)
        return std::nullopt;
    if (widget->isWindow()) {
        const qreal ratio = detail::pixelRatio(*widget);
        const gdi::Rect frame = toRect(widget->frameGeometry());
        return gdi::Rect { toDevice(frame.left, ratio), toDevice(frame.top, ratio),
            toDevice(frame.right, ratio), toDevice(frame.bottom, ratio) };
    }
    const gdi::Point origin = detail::deviceOrigin(*widget);
    const QSize size = deviceSizeOf(*widget);
    return gdi::Rect { origin.x, origin.y, origin.x + size.width(), origin.y + size.height() };
}

std::optional<gdi::Rect> getClientRect(WindowHandle handle)
{
    QWidget* widget = widgetOf(handle);
    if (!widget)
        return std::nullopt;
    const QSize size = deviceSizeOf(*widget);
    return gdi::Rect { 0, 0, size.width(), size.height() };
}

bool screenToClient(WindowHandle handle, gdi::Point& point)
{
    QWidget* widget = widgetOf(handle);
    if (!widget)
        return false;
    const gdi::Point origin = detail::deviceOrigin(*widget);
    point = { point.x - origin.x, point.y - origin.y };
    return true;
}

bool clientToScreen(WindowHandle handle, gdi::Point& point)
{
    QWidget* widget = widgetOf(handle);
    if (!widget)
        return false;
    const gdi::Point origin = detail::deviceOrigin(*widget);
    point = { point.x + origin.x, point.y + origin.y };
    return true;
}

bool moveWindow(WindowHandle handle, std::int32_t x, std::int32_t y, std::int32_t width,
    std::int32_t height, bool repaint)
{
    QWidget* widget = widgetOf(handle);
    if (!widget)
        return false;
    place(*widget, x, y, true, width, height, true);
    if (repaint)
        widget->update();
    return true;
}

bool setWindowPos(WindowHandle handle, std::int32_t x, std::int32_t y, std::int32_t width,
    std::int32_t height, std::uint32_t flags)
{
    QWidget* widget = widgetOf(handle);
    if (!widget)
        return false;
    place(*widget, x, y, !(flags & SWP_NOMOVE), width, height, !(flags & SWP_NOSIZE));
    if (flags & SWP_SHOWWINDOW)
        widget->show();
    else if (flags & SWP_HIDEWINDOW)
        widget->hide();
    return true;
}

std::int32_t getSystemMetrics(int index)
{
    if (index != SM_CXSCREEN && index != SM_CYSCREEN)
        return 0;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return 0;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 0;
    const QSize size = screen->size() * screen->devicePixelRatio();
    return index == SM_CXSCREEN ? size.width() : size.height();
}

} // namespace bastara::window
