#pragma once

// The control's input: what it does when its window reports the mouse, the
// keyboard, the focus or a change of its container's settings. There is one
// entry point per notification. The interaction state lives in the control's
// state record (stateFlags, lastMouseButton, pressHeld), so a ButtonInput is
// only a view of the button and costs nothing to make:
//
//     MouseData mouse { .button = 1, .x = 12, .y = 8 };
//     ButtonInput(button).press(mouse);
//
// What the application sees, in order ("draw" is a redraw; "pressed" is the
// look with both the left-down and the mouse-inside flag; the host sends
// click after a press and release over the button):
//
//   notifications                         mode       events and redraws
//   ------------------------------------  ---------  ------------------------------------------
//   first move over the button            any        MouseOnButton(True), draw, MouseMove
//   left press, release, click            command    draw pressed, MouseDown(1), draw,
//                                                    MouseUp(1), Click
//   left press, release, click            check box  MouseDown(1), MouseUp(1), Value toggles
//                                                    (draw), Click
//   left press, release, click            option     on a False button as check box, and the
//                                                    rest of its group turns False; on a True
//                                                    one MouseDown(1), MouseUp(1) only
//   right press, release, click           any        MouseDown(2), MouseUp(2); no flag, no
//                                                    capture, no Click
//   left press, drag out, back in         any        pressed look off within one hover tick
//                                                    of leaving, on again at the first move in
//   double-click after a click            any        DoubleClick(1), draw pressed, MouseDown(1);
//                                                    the release after it is no click
//   space down (held: repeats), up        command    draw pressed once, KeyDown(32) per
//                                                    repeat; on release draw, Click, KeyUp(32)
//   space down, up                        check box  KeyDown(32); KeyUp(32), Value toggles,
//                                                    Click
//   arrow down, up                        any        no KeyDown, no KeyUp: WM_KEYDOWN goes to
//                                                    the container; the release selects an
//                                                    unselected option button (Click)
//   Shift down, up                        any        KeyDown(16) only
//   access key                            any        Click (after the toggle of a check box or
//                                                    option button)
//   activate (a reader's press)           any        as the access key, without its redraw
//   Enter (default) or Escape (cancel)    command    Click
//   Enter or Escape                       other      nothing
//   focus                                 option     in a group with no selection: Value True,
//                                                    Click
//   ambient "DisplayAsDefault"            any        default look on or off, draw
//   ambient "BackColor"                   any        container colour taken; draw only for
//                                                    shapes above 3 and for look 5
//
// Every event argument is passed by reference: what a handler changes reaches
// the host through the same variables (a KeyAscii set to 0 swallows the key).
// A handler may end or destroy the control; the entry point then returns at
// once without touching it again.

#include "button/bool16.h"
#include "button/events.h"

#include <cstdint>
#include <string_view>

namespace bastara::button {

class Button;

// Key codes the control acts on.
inline constexpr std::int16_t kKeyEnter = 13;
inline constexpr std::int16_t kKeyShift = 16;
inline constexpr std::int16_t kKeyEscape = 27;
inline constexpr std::int16_t kKeySpace = 32;
inline constexpr std::int16_t kKeyLeft = 37;
inline constexpr std::int16_t kKeyUp = 38;
inline constexpr std::int16_t kKeyRight = 39;
inline constexpr std::int16_t kKeyDown = 40;

// Mouse buttons (a move reports the mask of the buttons held) and the shift
// state (1 Shift, 2 Ctrl, 4 Alt).
inline constexpr std::int16_t kMouseLeft = 1;
inline constexpr std::int16_t kMouseRight = 2;
inline constexpr std::int16_t kMouseMiddle = 4;

// What the host reports with a mouse notification; positions in pixels of the
// control's window.
struct MouseData {
    std::int16_t button = 0;
    std::int16_t shift = 0;
    float x = 0;
    float y = 0;
};

class ButtonInput
{
public:
    explicit ButtonInput(Button& button)
        : m_button(button)
    { }

    void press(MouseData& mouse);
    // Starts hover tracking when the pointer has come onto the button.
    void move(MouseData& mouse);
    void release(MouseData& mouse);
    // PerformClick: toggles a check box or an unselected option button, then
    // raises Click; only after the left button (or a key acting as it).
    void click();
    // Reads the pointer position itself.
    void doubleClick();

    void keyDown(std::int16_t& keyCode, std::int16_t& shift);
    void keyPress(std::int16_t& keyAscii);
    void keyUp(std::int16_t& keyCode, std::int16_t& shift);
    // The control's access key, Enter when it is the default button, or
    // Escape when it is the cancel button.
    void accessKey(std::int16_t character);
    // A press asked for by an assistive technology (a screen reader's press
    // or toggle action): the click that ends a left press and release, so
    // Click is raised once, after the toggle of a check box or an unselected
    // option button. The window refuses it while disabled.
    void activate();

    void gotFocus();
    // "DisplayAsDefault" or "BackColor" (any case); other names do nothing.
    void ambientChanged(std::u16string_view name);

    // Drag and drop: each raises the event of the same name, nothing more.
    void oleCompleteDrag(std::int32_t& effect);
    void oleDragDrop(DataObject& data, std::int32_t& effect, MouseData& mouse);
    void oleDragOver(DataObject& data, std::int32_t& effect, MouseData& mouse, std::int16_t& state);
    void oleGiveFeedback(std::int32_t& effect, Bool16& defaultCursors);
    void oleSetData(DataObject& data, std::int16_t& dataFormat);
    void oleStartDrag(DataObject& data, std::int32_t& allowedEffects);

private:
    Button& m_button;
};

} // namespace bastara::button
