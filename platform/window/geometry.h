#pragma once

// Window placement: the window rectangle on screen, the client rectangle,
// screen <-> client conversion, moving and resizing (GetWindowRect,
// GetClientRect, ScreenToClient, ClientToScreen, MoveWindow, SetWindowPos).
//
// For a child window (every control) the window and the client area are the
// same rectangle and positions are in the parent's client coordinates. For a
// top-level window the window rectangle includes the frame the window system
// draws; MoveWindow places the frame.
//
// Every position and size is in device pixels: a widget's logical pixels
// times its device-pixel ratio (the same numbers at a ratio of 1).

#include "platform/gdi/types.h"
#include "platform/window/handles.h"

#include <cstdint>
#include <optional>

namespace bastara::window {

// Screen coordinates; nullopt for an invalid window.
std::optional<gdi::Rect> getWindowRect(WindowHandle handle);
// (0, 0, width, height); nullopt for an invalid window.
std::optional<gdi::Rect> getClientRect(WindowHandle handle);

// Convert in place; false (point unchanged) for an invalid window.
[[nodiscard]] bool screenToClient(WindowHandle handle, gdi::Point& point);
[[nodiscard]] bool clientToScreen(WindowHandle handle, gdi::Point& point);

// MoveWindow: position in the parent's client coordinates (screen for a
// top-level window), outer size. With repaint the window repaints.
[[nodiscard]] bool moveWindow(WindowHandle handle, std::int32_t x, std::int32_t y,
    std::int32_t width, std::int32_t height, bool repaint);

inline constexpr std::uint32_t SWP_NOSIZE = 0x0001;
inline constexpr std::uint32_t SWP_NOMOVE = 0x0002;
inline constexpr std::uint32_t SWP_NOZORDER = 0x0004; // z-order is never changed here
inline constexpr std::uint32_t SWP_NOACTIVATE = 0x0010;
inline constexpr std::uint32_t SWP_SHOWWINDOW = 0x0040;
inline constexpr std::uint32_t SWP_HIDEWINDOW = 0x0080;

// SetWindowPos without the z-order argument: moves and/or resizes as the flags
// allow, then shows or hides the window when asked to.
[[nodiscard]] bool setWindowPos(WindowHandle handle, std::int32_t x, std::int32_t y,
    std::int32_t width, std::int32_t height, std::uint32_t flags);

inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;

// GetSystemMetrics for the primary screen's width and height in device
// pixels (800 x 800 on the offscreen platform tests run on); 0 for other
// indices or without a screen.
std::int32_t getSystemMetrics(int index);

} // namespace bastara::window
