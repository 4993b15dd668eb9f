#include "button/hover.h"

#include "button/button.h"
#include "button/control_windows.h"
#include "platform/window/pointer.h"
#include "platform/window/properties.h"

namespace bastara::button {

namespace {

    bool pointerIsOver(window::WindowHandle handle)
    {
        return handle != 0 && window::windowFromPoint(window::getCursorPos()) == handle;
    }

} // namespace

bool StartHoverTracking(Button& button, std::int16_t mouseButton)
{
    const window::WindowHandle self = button.hwnd();
    // While the mouse is captured after a press, moves arrive from outside.
    if (!pointerIsOver(self))
        return true;

    ButtonState& s = button.state();
    s.stateFlags |= kFlagMouseInside;
    Bool16 onButton = kTrue;
    if (!raiseEvent(button.lifeWatch(), button.events().MouseOnButton, onButton))
        return false;

    if (!window::setProp(self, kHoverOwnerProperty, self)
        || !window::setProp(self, kHoverTimerProperty, window::PropertyValue(kHoverTimerId))
        || !window::setTimer(self, kHoverTimerId, kHoverPeriodMs, HoverTimerProc))
        return true;
    s.hoverTracking = kTrue;
    s.delayDrawing = kFalse;
    if (mouseButton == 1)
        s.pressHeld = kTrue;
    button.RedrawButton();
    return true;
}

void HoverTimerProc(window::WindowHandle handle, window::TimerId timerId)
{
    const std::optional<window::PropertyValue> owner = window::getProp(handle, kHoverOwnerProperty);
    const std::optional<window::PropertyValue> id = window::getProp(handle, kHoverTimerProperty);
    Button* button = owner ? controlOfWindow(window::WindowHandle(*owner)) : nullptr;
    // A control that has ended stopped its timer; this covers a window whose
    // properties were changed under it.
    if (!button || !id) {
        window::killTimer(handle, timerId);
        return;
    }
    CheckHoverExit(*button, window::TimerId(*id));
}

void CheckHoverExit(Button& button, window::TimerId timerId)
{
    const window::WindowHandle self = button.hwnd();
    if (pointerIsOver(self))
        return;

    window::killTimer(self, timerId);
    ButtonState& s = button.state();
    s.stateFlags &= std::uint16_t(~kFlagMouseInside);
    s.hoverTracking = kFalse;
    s.delayDrawing = kFalse;
    Bool16 onButton = kFalse;
    if (!raiseEvent(button.lifeWatch(), button.events().MouseOnButton, onButton))
        return;
    s.pressHeld = kFalse;
    button.RedrawButton();
}

} // namespace bastara::button
