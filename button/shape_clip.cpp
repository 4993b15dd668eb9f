// The shape pre-pass of every face paint, and the one-pixel move of a pressed
// custom-click button.

#include "button/arithmetic.h"
#include "button/control_windows.h"
#include "button/painter.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/draw.h"
#include "platform/window/geometry.h"
#include "platform/window/regions.h"

namespace bastara::button {

namespace {

    // The direction a pressed button moves in; an unknown CustomClick value
    // "moves" by (0, 0).
    gdi::Point pressedOffset(ClickMovement movement)
    {
        switch (movement) {
        case ClickMovement::Up:
            return { 0, -1 };
        case ClickMovement::UpRight:
            return { 1, -1 };
        case ClickMovement::UpLeft:
            return { -1, -1 };
        case ClickMovement::DownRight:
            return { 1, 1 };
        case ClickMovement::DownLeft:
            return { -1, 1 };
        case ClickMovement::Right:
            return { 1, 0 };
        case ClickMovement::Down:
            return { 0, 1 };
        case ClickMovement::Left:
            return { -1, 0 };
        case ClickMovement::None:
            break;
        }
        return { 0, 0 };
    }

    bool isOvalFramedOrPictureFramed(Shape shape)
    {
        return shape == Shape::OvalFramed || shape == Shape::PictureFramed;
    }

} // namespace

void Painter::CopyBufferToWindow()
{
    gdi::DeviceContext* surface = m_host.windowDC();
    if (!surface || !m_state.bufferDC)
        return;
    gdi::bitBlt(*surface, 0, 0, roundEven(scaleWidth()), roundEven(scaleHeight()),
        m_state.bufferDC.get(), 0, 0, gdi::SRCCOPY);
}

void Painter::ApplyCustomClick(Bool16& moved)
{
    ButtonState& s = m_state;
    moved = kFalse;
    if (s.customClick == ClickMovement::None || s.buttonMode != ButtonMode::Command)
        return;
    const bool pressed = s.isPressed();
    const bool isMoved = (s.stateFlags & kFlagMoved) != 0;
    if (!(pressed && !isMoved) && !(isMoved && !pressed))
        return;

    // Where the window stands in its container. Without a container that
    // can be named (a Tag that is not a live window's handle) nothing moves.
    const window::WindowHandle self = m_host.windowHandle();
    const std::optional<window::WindowHandle> container = containerFromTag(m_host.tag());
    const std::optional<gdi::Rect> placed = window::getWindowRect(self);
    if (!container || !placed)
        return;
    gdi::Point topLeft { placed->left, placed->top };
    if (!window::screenToClient(*container, topLeft))
        return;

    const gdi::Point offset = pressedOffset(s.customClick);
    if (pressed) {
        (void)window::moveWindow(self, topLeft.x + offset.x, topLeft.y + offset.y, placed->width(),
            placed->height(), true);
        s.stateFlags |= kFlagMoved;
        CopyBufferToWindow();
        m_host.refreshWindow();
        moved = kTrue;
    } else {
        (void)window::moveWindow(self, topLeft.x - offset.x, topLeft.y - offset.y, placed->width(),
            placed->height(), true);
        s.stateFlags &= std::uint16_t(~kFlagMoved);
    }
}

void Painter::PrepareShapeClip(RedrawLevel& level)
{
    ButtonState& s = m_state;
    Bool16 moved;
    ApplyCustomClick(moved);
    if (moved.isTrue()) {
        level = RedrawLevel::Nothing;
        return;
    }
    level = RedrawLevel::Copy;
    gdi::DeviceContext* dc = buffer();
    if (!dc)
        return;

    const bool pressed = s.isPressed();
    const bool flatHover = s.buttonStyle == Look::FlatHover;
    if (flatHover && s.hoverTracking.isFalse() && !pressed && s.buttonValue.isFalse()) {
        dc->selectClipRegion(std::nullopt);
        return;
    }
    dc->selectClipRegion(std::nullopt);

    const bool framedShape = isOvalFramedOrPictureFramed(s.buttonShape);
    if (flatHover && (s.buttonValue.isTrue() || !framedShape)) {
        // The raised rim of the flat look while the pointer is over it.
        GradientFill(kWhite, kGrey, GradientDirection::TopToBottom);
        dc->selectClipRegion(s.innerRegion);
        level = RedrawLevel::FrameRim;
    }

    if ((pressed || s.buttonValue.isTrue()) && !framedShape) {
        // The sunken rim.
        dc->selectClipRegion(s.outlineRegion);
        GradientFill(kGrey, kWhite, GradientDirection::TopToBottom);
        dc->selectClipRegion(s.innerRegion);
        level = RedrawLevel::FrameRim;
    } else if (!framedShape) {
        dc->selectClipRegion(s.outlineRegion);
        level = RedrawLevel::Frame;
    } else {
        if (s.buttonShape == Shape::OvalFramed && s.hoverTracking.isFalse())
            return;
        gdi::Region outline;
        (void)window::getWindowRegion(m_host.windowHandle(), outline);
        const Rgb frame = s.buttonShape == Shape::OvalFramed ? kBlack : TranslateColor(s.backColor);
        gdi::frameRegion(*dc, outline, gdi::createSolidBrush(frame.colorRef()), 1, 1);
        dc->selectClipRegion(s.outlineRegion);
        level = RedrawLevel::Frame;
    }
}

} // namespace bastara::button
