#include "platform/window/geometry.h"

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

    // The frame around a top-level window's client area.
    QSize frameExtra(const QWidget& widget)
    {
        if (!widget.isWindow())
            return QSize(0, 0); // QSize() would be (-1, -1)
        return widget.frameGeometry().size() - widget.size();
    }

    void place(QWidget& widget, std::int32_t x, std::int32_t y, bool doMove, std::int32_t width,
        std::int32_t height, bool doResize)
    {
        if (doMove)
            widget.move(x, y);
        if (doResize) {
            const QSize extra = frameExtra(widget);
            widget.resize(std::max(0, width - extra.width()), std::max(0, height - extra.height()));
        }
    }

} // namespace

std::optional<gdi::Rect> getWindowRect(WindowHandle handle)
{
    QWidget* widget = widgetOf(handle);
    if (!widget)
        return std::nullopt;
    if (widget->isWindow())
        return toRect(widget->frameGeometry());
    return toRect(QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()));
}

std::optional<gdi::Rect> getClientRect(WindowHandle handle)
{
    QWidget* widget = widgetOf(handle);
    if (!widget)
        return std::nullopt;
    return gdi::Rect { 0, 0, widget->width(), widget->height() };
}

bool screenToClient(WindowHandle handle, gdi::Point& point)
{
    QWidget* widget = widgetOf(handle);
    if (!widget)
        return false;
    const QPoint p = widget->mapFromGlobal(QPoint(point.x, point.y));
    point = { p.x(), p.y() };
    return true;
}

bool clientToScreen(WindowHandle handle, gdi::Point& point)
{
    QWidget* widget = widgetOf(handle);
    if (!widget)
        return false;
    const QPoint p = widget->mapToGlobal(QPoint(point.x, point.y));
    point = { p.x(), p.y() };
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
    const QSize size = screen->size();
    return index == SM_CXSCREEN ? size.width() : size.height();
}

} // namespace bastara::window
