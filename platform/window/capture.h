#pragma once

// Mouse capture (SetCapture / ReleaseCapture / GetCapture): while a window has
// the capture, mouse input goes to it even outside its area. Capture ends when
// released, when another window takes it, or when its window is destroyed.

#include "platform/window/handles.h"

namespace bastara::window {

// Returns the window that had the capture before (0 for none); an invalid
// window changes nothing and returns 0.
WindowHandle setCapture(WindowHandle handle);
// False when no window had the capture.
bool releaseCapture();
// The window holding the capture, 0 for none.
WindowHandle getCapture();

} // namespace bastara::window
