#include "platform/window/internal/device_pixels.h"

#include "platform/window/internal/registry.h"
#include "platform/window/widget_bridge.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace bastara::window {

namespace detail {

    std::int32_t toDevice(int logical, qreal ratio)
    {
        return std::int32_t(std::lround(logical * ratio));
    }

    int toLogical(std::int32_t device, qreal ratio)
    {
        return int(std::lround(device / ratio));
    }

    namespace {

        gdi::Rect scaled(const QRect& logical, qreal ratio)
        {
            const std::int32_t left = toDevice(logical.x(), ratio);
            const std::int32_t top = toDevice(logical.y(), ratio);
            return { left, top, left + toDevice(logical.width(), ratio),
                top + toDevice(logical.height(), ratio) };
        }

    } // namespace

    qreal pixelRatio(const QWidget& widget)
    {
        const qreal ratio = widget.devicePixelRatioF();
        return ratio > 0 ? ratio : 1.0;
    }

    qreal screenPixelRatio()
    {
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            return 1.0;
        const QScreen* screen = QGuiApplication::primaryScreen();
        return screen ? screen->devicePixelRatio() : 1.0;
    }

    gdi::Rect deviceGeometry(const QWidget& widget)
    {
        const qreal ratio = pixelRatio(widget);
        if (widget.isWindow())
            return scaled(widget.geometry(), ratio);
        if (const WindowEntry* entry = Registry::instance().entryOf(&widget)) {
            if (entry->placement && entry->placement->logical == widget.geometry())
                return entry->placement->device;
        }
        return scaled(widget.geometry(), ratio);
    }

    gdi::Point deviceOrigin(const QWidget& widget)
    {
        const gdi::Rect own = deviceGeometry(widget);
        if (widget.isWindow() || !widget.parentWidget())
            return { own.left, own.top };
        const gdi::Point parent = deviceOrigin(*widget.parentWidget());
        return { parent.x + own.left, parent.y + own.top };
    }

    void placeAtDevicePixels(QWidget& widget, const gdi::Rect& device, bool move, bool resize)
    {
        const qreal ratio = pixelRatio(widget);
        const gdi::Rect now = deviceGeometry(widget);
        const gdi::Rect wanted { move ? device.left : now.left, move ? device.top : now.top,
            (move ? device.left : now.left) + (resize ? device.width() : now.width()),
            (move ? device.top : now.top) + (resize ? device.height() : now.height()) };
        const QRect logical(QPoint(toLogical(wanted.left, ratio), toLogical(wanted.top, ratio)),
            QSize(std::max(0, toLogical(wanted.width(), ratio)),
                std::max(0, toLogical(wanted.height(), ratio))));
        // Remembered before Qt reports the new geometry, so that its resize
        // and move events already read the device rectangle asked for.
        if (WindowEntry* entry = Registry::instance().entry(handleOf(&widget)))
            entry->placement = WindowEntry::DevicePlacement { wanted, logical };
        widget.setGeometry(logical);
    }

} // namespace detail

QSize deviceSizeOf(const QWidget& widget)
{
    const gdi::Rect device = detail::deviceGeometry(widget);
    return { device.width(), device.height() };
}

} // namespace bastara::window
