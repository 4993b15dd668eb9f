#pragma once

// Window timers: an identifier and a callback per window (SetTimer/KillTimer).
//
//     setTimer(hwnd, 237, 50, [](WindowHandle w, TimerId id) { ... });
//
// Setting an identifier the window already has replaces that timer (new period
// and callback, counted from now). Killing an identifier the window does not
// have does nothing. A window's timers end with it. Callbacks run on the
// user-interface thread from the event loop; a callback may set or kill
// timers, including its own, and may destroy the window.
//
// Tests replace real time with a ManualTimerClock, so timer-driven behaviour
// (hover tracking) runs deterministically:
//
//     ManualTimerClock clock;        // from here on timers wait for advance()
//     setTimer(hwnd, 237, 50, tick);
//     clock.advance(120);            // tick runs at 50 and at 100

#include "platform/window/handles.h"

#include <cstdint>
#include <functional>

namespace bastara::window {

using TimerId = std::uintptr_t;
using TimerCallback = std::function<void(WindowHandle, TimerId)>;

// Periods below this many milliseconds are raised to it, as on the platform.
inline constexpr std::uint32_t kMinimumTimerPeriodMs = 10;

// False (nothing changes) for an invalid window or an empty callback.
[[nodiscard]] bool setTimer(
    WindowHandle handle, TimerId id, std::uint32_t periodMs, TimerCallback callback);
// False when the window has no timer with that identifier.
bool killTimer(WindowHandle handle, TimerId id);

// While one exists, timers run on its clock instead of real time. Timers that
// exist when it is made move onto it; when it goes, the remaining timers
// return to real time. One at a time.
class ManualTimerClock
{
public:
    ManualTimerClock();
    ~ManualTimerClock();
    ManualTimerClock(const ManualTimerClock&) = delete;
    ManualTimerClock& operator=(const ManualTimerClock&) = delete;

    // Moves time forward, running every timer that falls due on the way, in
    // order of their due times.
    void advance(std::uint32_t milliseconds);
    std::uint64_t now() const { return m_now; }

private:
    std::uint64_t m_now = 0;
};

} // namespace bastara::window
