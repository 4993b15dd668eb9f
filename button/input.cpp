#include "button/input.h"

#include "button/button.h"
#include "button/control_windows.h"
#include "button/hover.h"
#include "button/option_group.h"
#include "platform/support/ascii.h"
#include "platform/window/capture.h"
#include "platform/window/geometry.h"
#include "platform/window/messages.h"
#include "platform/window/pointer.h"

namespace bastara::button {

// Every routine here takes a watch of the control before it can run
// application code (a raised event, or a setter whose change notification
// reaches the form) and returns at once when the watch reports it gone. They
// are free functions so that nothing reads the ButtonInput either: it may
// belong to what a handler destroyed.
namespace {

    bool isArrow(std::int16_t key)
    {
        return key >= kKeyLeft && key <= kKeyDown;
    }

    // WM_KEYDOWN's lParam for an arrow key: repeat count 1 in bits 0-15, the
    // key's scan code in bits 16-23.
    std::intptr_t arrowKeyParam(std::int16_t key)
    {
        std::intptr_t scanCode = 0;
        switch (key) {
        case kKeyLeft:
            scanCode = 0x4B;
            break;
        case kKeyUp:
            scanCode = 0x48;
            break;
        case kKeyRight:
            scanCode = 0x4D;
            break;
        case kKeyDown:
            scanCode = 0x50;
            break;
        default:
            break;
        }
        return (scanCode << 16) | 1;
    }

    // The press handling, also run for the second press of a double-click.
    // False when the control did not survive MouseDown.
    bool pressButton(Button& button, MouseData& mouse)
    {
        ButtonState& s = button.state();
        s.lastMouseButton = mouse.button;
        if (mouse.button == kMouseLeft) {
            s.stateFlags |= kFlagLeftDown;
            s.pressHeld = kTrue;
            s.delayDrawing = kFalse;
            button.RedrawButton();
            window::setCapture(button.hwnd());
        }
        return raiseEvent(button.lifeWatch(), button.events().MouseDown, mouse.button, mouse.shift,
            mouse.x, mouse.y);
    }

    // PerformClick. False when the control did not survive.
    bool performClick(Button& button)
    {
        ButtonState& s = button.state();
        if (s.lastMouseButton != kMouseLeft)
            return true;
        if (s.buttonMode != ButtonMode::Command) {
            // A selected option button stays selected and raises nothing.
            if (s.buttonMode == ButtonMode::Option && s.buttonValue.isTrue())
                return true;
            const LifeToken::Watch watch = button.lifeWatch();
            // The setter redraws, clears the rest of an option group and
            // tells the form, whose code may run.
            button.setValue(!s.buttonValue);
            if (!watch.alive())
                return false;
        }
        const LifeToken::Watch watch = button.lifeWatch();
        if (!raiseEvent(watch, button.events().Click))
            return false;
        button.host().clickRaised();
        return watch.alive();
    }

    void keyDown(Button& button, std::int16_t& keyCode, std::int16_t& shift)
    {
        ButtonState& s = button.state();
        if (isArrow(keyCode)) {
            // The container moves between its controls; the application
            // sees no KeyDown for arrows.
            const std::int16_t key = keyCode;
            keyCode = 0;
            if (const std::optional<window::WindowHandle> container
                = containerFromTag(button.host().tag()))
                (void)window::postMessage(
                    *container, window::WM_KEYDOWN, std::uintptr_t(key), arrowKeyParam(key));
            return;
        }
        // Held down, the space bar repeats; only its first key-down presses.
        if (keyCode == kKeySpace && (s.stateFlags & kFlagLeftDown) == 0) {
            // Drawn pressed even when the pointer is elsewhere.
            s.stateFlags |= kFlagsPressed;
            s.pressHeld = kTrue;
            button.RedrawButton();
            if (s.hoverTracking.isFalse())
                s.stateFlags &= std::uint16_t(~kFlagMouseInside);
        }
        if (keyCode != 0)
            (void)raiseEvent(button.lifeWatch(), button.events().KeyDown, keyCode, shift);
    }

    void keyUp(Button& button, std::int16_t& keyCode, std::int16_t& shift)
    {
        ButtonState& s = button.state();
        const LifeToken::Watch watch = button.lifeWatch();
        s.pressHeld = kFalse;
        if (keyCode == kKeySpace && (s.stateFlags & kFlagLeftDown) != 0) {
            s.lastMouseButton = kMouseLeft;
            s.stateFlags &= std::uint16_t(~kFlagLeftDown);
            if (s.buttonMode == ButtonMode::Command) {
                button.RedrawButton();
            } else {
                // Check boxes and option buttons report the key before the
                // change it makes.
                if (!raiseEvent(watch, button.events().KeyUp, keyCode, shift))
                    return;
                keyCode = 0;
            }
            if (!performClick(button))
                return;
        }
        if (isArrow(keyCode)) {
            keyCode = 0;
            if (s.buttonMode == ButtonMode::Option && s.buttonValue.isFalse()) {
                s.lastMouseButton = kMouseLeft;
                if (!performClick(button))
                    return;
            }
        }
        if (keyCode == kKeyShift)
            keyCode = 0;
        if (keyCode != 0)
            (void)raiseEvent(watch, button.events().KeyUp, keyCode, shift);
    }

    void accessKey(Button& button, std::int16_t character)
    {
        ButtonState& s = button.state();
        const bool enterOrEscape = character == kKeyEnter || character == kKeyEscape;
        // Only command buttons act as the default or the cancel button.
        if (enterOrEscape && s.buttonMode != ButtonMode::Command)
            return;
        if (!enterOrEscape && !s.isDefaultLook())
            button.RedrawButton();
        s.lastMouseButton = kMouseLeft;
        (void)performClick(button);
    }

    void doubleClick(Button& button)
    {
        ButtonState& s = button.state();
        gdi::Point position = window::getCursorPos();
        if (!window::screenToClient(button.hwnd(), position))
            return;
        std::int16_t reported = s.lastMouseButton;
        if (!raiseEvent(button.lifeWatch(), button.events().DoubleClick, reported))
            return;
        MouseData mouse { s.lastMouseButton, 0, float(position.x), float(position.y) };
        if (s.lastMouseButton == kMouseLeft) {
            // The second press of a double-click looks and reports like one.
            if (pressButton(button, mouse))
                s.lastMouseButton = -1;
            return;
        }
        (void)raiseEvent(button.lifeWatch(), button.events().MouseDown, mouse.button, mouse.shift,
            mouse.x, mouse.y);
    }

    void ambientChanged(Button& button, std::u16string_view name)
    {
        ButtonState& s = button.state();
        const Host& host = button.host();
        if (equalIgnoringAsciiCase(name, u"DisplayAsDefault")) {
            const bool show
                = host.displayAsDefault() && (s.showFocusRect.isTrue() || !host.userMode());
            if (show)
                s.stateFlags |= kFlagDefaultLook;
            else
                s.stateFlags &= std::uint16_t(~kFlagDefaultLook);
            // In a designer a custom-shaped default button shows its hover
            // look, for this one redraw.
            const bool designedCustomShape = s.buttonShape > Shape::OvalFramed && !host.userMode();
            if (designedCustomShape)
                s.hoverTracking = Bool16(show);
            button.RedrawButton();
            if (designedCustomShape)
                s.hoverTracking = kFalse;
        } else if (equalIgnoringAsciiCase(name, u"BackColor")) {
            s.parentBackColor = TranslateColor(host.ambientBackColor());
            if (s.buttonShape > Shape::Parallelogram || s.buttonStyle == Look::FlatHover)
                button.RedrawButton();
        }
    }

} // namespace

void ButtonInput::press(MouseData& mouse)
{
    (void)pressButton(m_button, mouse);
}

void ButtonInput::move(MouseData& mouse)
{
    Button& button = m_button;
    const LifeToken::Watch watch = button.lifeWatch();
    if (button.state().hoverTracking.isFalse() && !StartHoverTracking(button, mouse.button))
        return;
    (void)raiseEvent(watch, button.events().MouseMove, mouse.button, mouse.shift, mouse.x, mouse.y);
}

void ButtonInput::release(MouseData& mouse)
{
    Button& button = m_button;
    ButtonState& s = button.state();
    s.pressHeld = kFalse;
    if (mouse.button == kMouseLeft) {
        window::releaseCapture();
        s.stateFlags &= std::uint16_t(~kFlagLeftDown);
        s.delayDrawing = kFalse;
        // Check boxes and option buttons are redrawn by the Value change of
        // the click that follows.
        if (s.buttonMode == ButtonMode::Command)
            button.RedrawButton();
    }
    if (!raiseEvent(button.lifeWatch(), button.events().MouseUp, mouse.button, mouse.shift, mouse.x,
            mouse.y))
        return;
    s.lastMouseButton = mouse.button;
}

void ButtonInput::click()
{
    (void)performClick(m_button);
}

void ButtonInput::activate()
{
    // As the release of a left press leaves it, so that PerformClick runs.
    m_button.state().lastMouseButton = kMouseLeft;
    (void)performClick(m_button);
}

void ButtonInput::doubleClick()
{
    bastara::button::doubleClick(m_button);
}

void ButtonInput::keyDown(std::int16_t& keyCode, std::int16_t& shift)
{
    bastara::button::keyDown(m_button, keyCode, shift);
}

void ButtonInput::keyPress(std::int16_t& keyAscii)
{
    (void)raiseEvent(m_button.lifeWatch(), m_button.events().KeyPress, keyAscii);
}

void ButtonInput::keyUp(std::int16_t& keyCode, std::int16_t& shift)
{
    bastara::button::keyUp(m_button, keyCode, shift);
}

void ButtonInput::accessKey(std::int16_t character)
{
    bastara::button::accessKey(m_button, character);
}

void ButtonInput::gotFocus()
{
    Button& button = m_button;
    const ButtonState& s = button.state();
    if (s.buttonMode != ButtonMode::Option || s.buttonValue.isSet())
        return;
    // An option button that gets the focus in a group without a selection
    // selects itself.
    if (OptionToggle(button, OptionAction::AnySelected).isFalse()) {
        button.state().lastMouseButton = kMouseLeft;
        (void)performClick(button);
    }
}

void ButtonInput::ambientChanged(std::u16string_view name)
{
    bastara::button::ambientChanged(m_button, name);
}

void ButtonInput::oleCompleteDrag(std::int32_t& effect)
{
    (void)raiseEvent(m_button.lifeWatch(), m_button.events().OLECompleteDrag, effect);
}

void ButtonInput::oleDragDrop(DataObject& data, std::int32_t& effect, MouseData& mouse)
{
    (void)raiseEvent(m_button.lifeWatch(), m_button.events().OLEDragDrop, data, effect,
        mouse.button, mouse.shift, mouse.x, mouse.y);
}

void ButtonInput::oleDragOver(
    DataObject& data, std::int32_t& effect, MouseData& mouse, std::int16_t& state)
{
    (void)raiseEvent(m_button.lifeWatch(), m_button.events().OLEDragOver, data, effect,
        mouse.button, mouse.shift, mouse.x, mouse.y, state);
}

void ButtonInput::oleGiveFeedback(std::int32_t& effect, Bool16& defaultCursors)
{
    (void)raiseEvent(
        m_button.lifeWatch(), m_button.events().OLEGiveFeedback, effect, defaultCursors);
}

void ButtonInput::oleSetData(DataObject& data, std::int16_t& dataFormat)
{
    (void)raiseEvent(m_button.lifeWatch(), m_button.events().OLESetData, data, dataFormat);
}

void ButtonInput::oleStartDrag(DataObject& data, std::int32_t& allowedEffects)
{
    (void)raiseEvent(m_button.lifeWatch(), m_button.events().OLEStartDrag, data, allowedEffects);
}

} // namespace bastara::button
