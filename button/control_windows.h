#pragma once

// The windows a control knows by handle: its container (whose handle the
// control keeps as decimal text in its Tag) and, for the window properties
// that name controls (option-group entries, the hover owner), the live
// control behind a window handle.
//
// Window properties hold numbers, never pointers: a control is named by its
// own window's handle, which is never reused in a process, and resolved here.
// A control is registered while it lives, so a handle whose control has ended
// resolves to nothing instead of to freed memory.

#include "button/host.h"
#include "platform/window/handles.h"

#include <optional>
#include <string>

namespace bastara::button {

class Button;

// The container named by the Tag: the whole text must be a handle, and the
// window must still exist.
std::optional<window::WindowHandle> containerFromTag(const std::u16string& tag);

// The live control whose own window this is, or nullptr.
Button* controlOfWindow(window::WindowHandle handle);

// Registration, for Button itself: registering again under the same handle is
// harmless, and forgetting removes every handle that names the control.
void registerControlWindow(window::WindowHandle handle, Button& control);
void forgetControlWindows(const Button& control);

} // namespace bastara::button
