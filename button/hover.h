#pragma once

// Hover tracking: when the pointer is over the control's window, so that the
// hover colours and the pressed look show only then, and MouseOnButton tells
// the application.
//
// Entering is noticed by a move over the button (StartHoverTracking, from the
// input's move handling); leaving by polling: while tracking runs, timer 237
// of the control's own window asks every 50 ms which window lies under the
// pointer. The topmost window there counts, so anything covering the button
// (a tooltip, another window) counts as outside.
//
//     idle  --move over the own window-->  tracking (timer 237 runs)
//     tracking  --tick, pointer elsewhere-->  idle (timer stopped)
//     tracking  --the control ends-->  idle (timer stopped)
//
// Two window properties of the control's window lead the tick back to the
// control: "kz_ClassID" names it by its window's handle (never a pointer) and
// "kz_TimerID" holds 237. They are written at every start and left in place;
// a tick whose control is gone stops its timer.

#include "platform/window/handles.h"
#include "platform/window/timers.h"

#include <cstdint>
#include <string_view>

namespace bastara::button {

class Button;

inline constexpr std::string_view kHoverOwnerProperty = "kz_ClassID";
inline constexpr std::string_view kHoverTimerProperty = "kz_TimerID";
inline constexpr std::uint32_t kHoverPeriodMs = 50;

// From a move while tracking is off; mouseButton is the move's button mask
// (1: the left button alone, which shows the pressed look again). Does
// nothing when the pointer is not over the control's own window. False when
// the control did not survive its MouseOnButton handler.
[[nodiscard]] bool StartHoverTracking(Button& button, std::int16_t mouseButton);

// The timer's callback: finds the control through the window's properties
// and lets it check.
void HoverTimerProc(window::WindowHandle window, window::TimerId timerId);

// Ends tracking when the pointer is no longer over the control's window.
void CheckHoverExit(Button& button, window::TimerId timerId);

} // namespace bastara::button
