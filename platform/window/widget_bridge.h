#pragma once

// The Qt side of window handles, for the window host (platform/toolkit) and
// tests. Code that must stay free of Qt (button/) uses handles only.

#include "platform/window/handles.h"

class QWidget;

namespace bastara::window {

// The widget's handle, handed out on first request; 0 for nullptr.
WindowHandle handleOf(QWidget* widget);
// The live widget behind a handle, or nullptr.
QWidget* widgetOf(WindowHandle handle);

} // namespace bastara::window
