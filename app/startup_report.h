#pragma once

// The start-up measurement: with BASTARA_REPORT_STARTUP set in the
// environment, the program prints when its main window has first been painted
// and ends there.
//
//     main window painted at 1712345678901234 us
//
// The time is the wall clock in microseconds since the epoch: the launcher
// takes its own launch time from it (scripts/bench-ratios.sh), so that loading
// the program counts too.

class QWidget;

namespace bastara::app {

// Does nothing unless the variable is set.
void reportStartupWhenPainted(QWidget& mainWindow);

} // namespace bastara::app
