#pragma once

// Window handles: small positive integers standing for live widgets.
//
// A handle is handed out the first time a widget is asked for (by the host,
// through widget_bridge.h, or by windowFromPoint) and is never reused within a
// process. When the widget is destroyed its handle becomes invalid: every call
// with it fails (false, nullopt or 0) and nothing attached to it survives
// (timers, properties, region, capture). Handles are not native window ids, so
// no widget is forced to become a native window.
//
// The decimal text of a handle is what a control keeps in its Tag; parse it
// back with parseWindowHandle.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bastara::window {

using WindowHandle = std::int32_t; // 0 = no window

// True while the widget behind the handle lives.
bool isWindow(WindowHandle handle);

// The parent widget's handle; 0 for top-level windows and invalid handles.
WindowHandle getParent(WindowHandle handle);

// Decimal text of a handle, as kept in a Tag.
std::string windowHandleText(WindowHandle handle);
// The whole text must be a positive decimal number in range; nullopt otherwise
// (the handle may still name no live window: check with isWindow).
std::optional<WindowHandle> parseWindowHandle(std::string_view text);

} // namespace bastara::window
