#include "platform/window/messages.h"

#include "platform/window/widget_bridge.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>
#include <memory>

namespace bastara::window {

int qtKeyForVirtualKey(std::uint32_t vk)
{
    if (vk >= '0' && vk <= '9')
        return Qt::Key_0 + int(vk - '0');
    if (vk >= 'A' && vk <= 'Z')
        return Qt::Key_A + int(vk - 'A');
    if (vk >= 0x70 && vk <= 0x7B) // F1 .. F12
        return Qt::Key_F1 + int(vk - 0x70);
    switch (vk) {
    case 0x08:
        return Qt::Key_Backspace;
    case 0x09:
        return Qt::Key_Tab;
    case 0x0D:
        return Qt::Key_Return;
    case 0x10:
        return Qt::Key_Shift;
    case 0x11:
        return Qt::Key_Control;
    case 0x12:
        return Qt::Key_Alt;
    case 0x1B:
        return Qt::Key_Escape;
    case 0x20:
        return Qt::Key_Space;
    case 0x21:
        return Qt::Key_PageUp;
    case 0x22:
        return Qt::Key_PageDown;
    case 0x23:
        return Qt::Key_End;
    case 0x24:
        return Qt::Key_Home;
    case 0x25:
        return Qt::Key_Left;
    case 0x26:
        return Qt::Key_Up;
    case 0x27:
        return Qt::Key_Right;
    case 0x28:
        return Qt::Key_Down;
    case 0x2D:
        return Qt::Key_Insert;
    case 0x2E:
        return Qt::Key_Delete;
    default:
        return Qt::Key_unknown;
    }
}

std::uint32_t virtualKeyForQtKey(int qtKey)
{
    if (qtKey == Qt::Key_Enter)
        return 0x0D;
    if (qtKey == Qt::Key_unknown)
        return 0;
    // The one table above serves both directions.
    for (std::uint32_t vk = 1; vk <= 0xFF; ++vk)
        if (qtKeyForVirtualKey(vk) == qtKey)
            return vk;
    return 0;
}

bool postMessage(
    WindowHandle handle, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)
{
    QWidget* widget = widgetOf(handle);
    if (!widget || (message != WM_KEYDOWN && message != WM_KEYUP))
        return false;
    const auto virtualKey = std::uint32_t(wParam);
    const auto repeat = quint16(lParam & 0xFFFF);
    const auto scanCode = quint32((lParam >> 16) & 0xFF);
    auto event
        = std::make_unique<QKeyEvent>(message == WM_KEYDOWN ? QEvent::KeyPress : QEvent::KeyRelease,
            qtKeyForVirtualKey(virtualKey), Qt::NoModifier, scanCode, virtualKey, 0u, QString(),
            false, repeat);
    // The event loop takes ownership of a posted event.
    QCoreApplication::postEvent(widget, event.release());
    return true;
}

} // namespace bastara::window
