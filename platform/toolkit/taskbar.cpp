#include "platform/toolkit/taskbar.h"

#include <QGuiApplication>
#include <QWidget>

#if BASTARA_HAVE_XCB
#include <array>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>
#endif

namespace bastara::toolkit {

#if BASTARA_HAVE_XCB

namespace {

    xcb_atom_t atom(xcb_connection_t* connection, const char* name)
    {
        const xcb_intern_atom_cookie_t cookie
            = xcb_intern_atom(connection, 0, static_cast<uint16_t>(strlen(name)), name);
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
        const xcb_atom_t found = reply ? reply->atom : xcb_atom_t { XCB_ATOM_NONE };
        free(reply);
        return found;
    }

} // namespace

void keepOffTaskbar(QWidget& window)
{
    if (!window.isWindow() || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return;
    const auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_atom_t state = atom(connection, "_NET_WM_STATE");
    const std::array<xcb_atom_t, 2> skip { atom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
        atom(connection, "_NET_WM_STATE_SKIP_PAGER") };
    if (state == XCB_ATOM_NONE || skip[0] == XCB_ATOM_NONE || skip[1] == XCB_ATOM_NONE)
        return;
    // Before the window is mapped its state is a plain property, which the
    // window manager clears when the window is withdrawn; Qt adds its own
    // states to it when it maps the window.
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32,
        static_cast<uint32_t>(skip.size()), skip.data());
    xcb_flush(connection);
}

#else

void keepOffTaskbar(QWidget&)
{ }

#endif

} // namespace bastara::toolkit
