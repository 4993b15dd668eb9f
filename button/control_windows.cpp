#include "button/control_windows.h"

#include <unordered_map>

namespace bastara::button {

namespace {

    // Everything runs on the user-interface thread, so a plain map will do.
    std::unordered_map<window::WindowHandle, Button*>& liveControls()
    {
        static std::unordered_map<window::WindowHandle, Button*> controls;
        return controls;
    }

} // namespace

std::optional<window::WindowHandle> containerFromTag(const std::u16string& tag)
{
    std::string digits;
    for (char16_t c : tag) {
        if (c > 0x7F)
            return std::nullopt;
        digits.push_back(char(c));
    }
    const std::optional<window::WindowHandle> handle = window::parseWindowHandle(digits);
    if (!handle || !window::isWindow(*handle))
        return std::nullopt;
    return handle;
}

Button* controlOfWindow(window::WindowHandle handle)
{
    const auto found = liveControls().find(handle);
    return found == liveControls().end() ? nullptr : found->second;
}

void registerControlWindow(window::WindowHandle handle, Button& control)
{
    if (handle != 0)
        liveControls()[handle] = &control;
}

void forgetControlWindows(const Button& control)
{
    std::erase_if(
        liveControls(), [&control](const auto& entry) { return entry.second == &control; });
}

} // namespace bastara::button
