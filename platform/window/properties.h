#pragma once

// Named window properties (SetProp / GetProp / RemoveProp): integers or
// pointer-sized values attached to a window under a name. Names compare
// without regard to ASCII case, like the platform's atoms. Properties end with
// their window. Values are plain numbers: a property never keeps anything alive.

#include "platform/window/handles.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace bastara::window {

using PropertyValue = std::intptr_t;

// False for an invalid window or an empty name.
[[nodiscard]] bool setProp(WindowHandle handle, std::string_view name, PropertyValue value);
// nullopt when the window or the property does not exist.
std::optional<PropertyValue> getProp(WindowHandle handle, std::string_view name);
// Removes the property and returns its value; nullopt when there was none.
std::optional<PropertyValue> removeProp(WindowHandle handle, std::string_view name);

} // namespace bastara::window
