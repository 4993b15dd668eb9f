#include "platform/toolkit/display.h"

#include <cstdlib>

#if BASTARA_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace bastara::toolkit {

namespace {

    bool isSet(const char* name)
    {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    }

} // namespace

std::string displayProblem()
{
    if (isSet("QT_QPA_PLATFORM") || isSet("WAYLAND_DISPLAY"))
        return {};
    if (!isSet("DISPLAY"))
        return "no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)";
#if BASTARA_HAVE_XCB
    const std::string name = std::getenv("DISPLAY");
    xcb_connection_t* connection = xcb_connect(name.c_str(), nullptr);
    const bool failed = xcb_connection_has_error(connection) != 0;
    xcb_disconnect(connection);
    if (failed)
        return "cannot open the display " + name + " (no X server answers there)";
#endif
    return {};
}

} // namespace bastara::toolkit
