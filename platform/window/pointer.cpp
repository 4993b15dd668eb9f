#include "platform/window/pointer.h"

#include "platform/window/widget_bridge.h"

#include <QApplication>
#include <QCursor>

namespace bastara::window {

namespace {

    class QtPointer : public PointerProvider
    {
    public:
        gdi::Point cursorPos() const override
        {
            const QPoint p = QCursor::pos();
            return { p.x(), p.y() };
        }
        WindowHandle windowFromPoint(gdi::Point screenPoint) const override
        {
            if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
                return 0;
            return handleOf(QApplication::widgetAt(QPoint(screenPoint.x, screenPoint.y)));
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
