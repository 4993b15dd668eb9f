#pragma once

// Keeps a top-level window off the desktop's task bar and pager, for a
// window that should have no task-bar button of its own. On X11 that is the
// window's skip-task-bar and skip-pager states, which window managers
// honour; elsewhere nothing is done yet.

class QWidget;

namespace bastara::toolkit {

// Call while the window is created but not yet shown, e.g. in its show
// event; a window shown again after hiding needs it again.
void keepOffTaskbar(QWidget& window);

} // namespace bastara::toolkit
