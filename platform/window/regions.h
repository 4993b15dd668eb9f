#pragma once

// Window regions (SetWindowRgn / GetWindowRgn): the window shows and is hit
// only inside its region. Coordinates are relative to the window's top-left
// corner (for a frameless child, the same as client coordinates), in device
// pixels; the widget's mask is the region in its logical pixels.

#include "platform/gdi/region.h"
#include "platform/window/handles.h"

#include <optional>

namespace bastara::window {

// Takes the region (a window keeps its own copy; the caller's object is no
// longer needed); nullopt removes the window's region. With redraw the window
// repaints. False for an invalid window.
[[nodiscard]] bool setWindowRegion(
    WindowHandle handle, std::optional<gdi::Region> region, bool redraw);
// Copies the window's region into `region`; Error (region unchanged) when the
// window has none or does not exist.
gdi::RegionKind getWindowRegion(WindowHandle handle, gdi::Region& region);

} // namespace bastara::window
