#include "platform/window/pointer.h"

#include "platform/window/internal/device_pixels.h"
#include "platform/window/widget_bridge.h"

#include <QApplication>
#include <QCursor>
#include <cmath>

namespace bastara::window {

namespace {

    class QtPointer : public PointerProvider
    {
    public:
        gdi::Point cursorPos() const override
        {
            const QPoint p = QCursor::pos();
            const qreal ratio = detail::screenPixelRatio();
            return { std::int32_t(std::lround(p.x() * ratio)),
                std::int32_t(std::lround(p.y() * ratio)) };
        }
        WindowHandle windowFromPoint(gdi::Point screenPoint) const override
        {
            if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
                return 0;
            const qreal ratio = detail::screenPixelRatio();
            const QPoint logical(
                int(std::floor(screenPoint.x / ratio)), int(std::floor(screenPoint.y / ratio)));
            return handleOf(QApplication::widgetAt(logical));
        }
    };

    const QtPointer g_qtPointer;
    const PointerProvider* g_provider = &g_qtPointer;

} // namespace

gdi::Point getCursorPos()
{
    return g_provider->cursorPos();
}

WindowHandle windowFromPoint(gdi::Point screenPoint)
{
    return g_provider->windowFromPoint(screenPoint);
}

ScopedPointerProvider::ScopedPointerProvider(const PointerProvider& provider)
    : m_previous(g_provider)
{
    g_provider = &provider;
}

ScopedPointerProvider::~ScopedPointerProvider()
{
    g_provider = m_previous;
}

} // namespace bastara::window
