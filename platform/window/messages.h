#pragma once

// Posting a key to a window (PostMessage with WM_KEYDOWN / WM_KEYUP): queued,
// delivered later by the event loop, never synchronously.
//
//     // the right-arrow key, repeat count 1, scan code 0x4D
//     postMessage(container, WM_KEYDOWN, 0x27, 0x004D0001);
//
// The window receives a QKeyEvent whose key is the Qt key for the virtual-key
// code, nativeVirtualKey() the virtual-key code itself, nativeScanCode() bits
// 16-23 of lParam and count() its bits 0-15, so the receiver can read the
// platform's numbers back.

#include "platform/window/handles.h"

#include <cstdint>

namespace bastara::window {

inline constexpr std::uint32_t WM_KEYDOWN = 0x0100;
inline constexpr std::uint32_t WM_KEYUP = 0x0101;

// False for an invalid window or a message other than the two above.
[[nodiscard]] bool postMessage(
    WindowHandle handle, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

// The Qt key for a virtual-key code (Qt::Key_unknown when there is none).
int qtKeyForVirtualKey(std::uint32_t virtualKey);
// The virtual-key code of a Qt key (0 when there is none); both Enter keys
// are 0x0D.
std::uint32_t virtualKeyForQtKey(int qtKey);

} // namespace bastara::window
