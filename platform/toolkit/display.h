#pragma once

// Whether a window can be opened at all. Without a display Qt's platform
// plugin gives up by aborting the process; programs ask this first and say
// what is missing in one line instead.

#include <string>

namespace bastara::toolkit {

// Empty when a window can be shown: QT_QPA_PLATFORM names a platform (Qt
// reports its own errors then), WAYLAND_DISPLAY is set, or DISPLAY names an X
// server that accepts a connection. Otherwise the reason, in one line without
// a full stop ("no display to open the window on (DISPLAY is not set)").
[[nodiscard]] std::string displayProblem();

} // namespace bastara::toolkit
