#pragma once

// The Qt side of window handles, for the window host (platform/toolkit) and
// tests. Code that must stay free of Qt (button/) uses handles only.

#include "platform/window/handles.h"

#include <QSize>

class QWidget;

namespace bastara::window {

// The widget's handle, handed out on first request; 0 for nullptr.
WindowHandle handleOf(QWidget* widget);
// The live widget behind a handle, or nullptr.
QWidget* widgetOf(WindowHandle handle);

// The widget's size in device pixels, as the window functions report it
// (its logical size times its device-pixel ratio, or what a move in device
// pixels asked for).
QSize deviceSizeOf(const QWidget& widget);

} // namespace bastara::window
