#pragma once

// The state record of one control: every field the control's units share, in
// the order they are declared. No behaviour lives here.
//
// Handles of the drawing layer are shared references, so "deleting" an object
// is dropping the reference, and an object still selected into a context lives
// until it is deselected. The fields that remember what was first selected
// into bufferDC double as flags, as their names say:
// - bufferOldBitmap empty: no buffer bitmap exists at present;
// - bufferOldFont empty: no caption font has been selected yet.
//
// A new record is all zero (False, empty, 0): the defaults a newly placed
// control shows are set by its initialisation, not here.

#include "button/bool16.h"
#include "button/colors.h"
#include "button/host.h"
#include "button/properties.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/region.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace bastara::button {

// stateFlags bits.
inline constexpr std::uint16_t kFlagDefaultLook = 0x0001; // the default-button look is shown
inline constexpr std::uint16_t kFlagLeftDown = 0x0002; // left button (or space) went down here
inline constexpr std::uint16_t kFlagMouseInside = 0x0004; // the pointer is over the button
inline constexpr std::uint16_t kFlagMoved = 0x0400; // the window is moved by CustomClick
inline constexpr std::uint16_t kFlagsPressed = kFlagLeftDown | kFlagMouseInside;

// The identifier of the hover timer on the control's window.
inline constexpr std::uintptr_t kHoverTimerId = 237;

struct ButtonState {
    std::unique_ptr<gdi::DeviceContext> bufferDC; // the back buffer's memory context
    gdi::BitmapRef bufferOldBitmap; // first bitmap of bufferDC; empty = no buffer bitmap
    gdi::PenRef bufferOldPen; // first pen of bufferDC
    gdi::BrushRef bufferOldBrush; // first brush of bufferDC
    std::optional<gdi::Region> innerRegion; // shape outline shrunk by two pixels
    std::optional<gdi::Region> outlineRegion; // shape outline shrunk by one pixel
    gdi::FontRef bufferOldFont; // first font of bufferDC; empty until a caption font
    std::u16string captionText;
    CaptionAlignment captionAlign {};
    CaptionEffect captionStyle {};
    Look buttonStyle {};
    std::uint16_t stateFlags = 0;
    Shape buttonShape {};
    std::int32_t shapeLeft = 0; // x where a slanted left side meets the bottom
    std::int32_t shapeRight = 0; // x where a slanted right side meets the top
    gdi::Rect captionRect;
    Bool16 showFocusRect;
    OleColor hoverBackColor;
    OleColor hoverForeColor;
    HoverLock hoverLocks {};
    GradientDirection gradientMode {};
    OleColor gradientColor;
    ButtonMode buttonMode {};
    Bool16 buttonValue;
    ClickMovement customClick {};
    PictureRef picture;
    gdi::BitmapRef preparedImage; // the picture copied at the size it is drawn
    std::int32_t preparedWidth = 0;
    std::int32_t preparedHeight = 0;
    PicturePlacement pictureAlign {};
    std::int16_t pictureSizePx = 0; // 16, 24, 32, 40 or 48
    gdi::Rect pictureRect;
    std::int32_t pictureWidth = 0; // of the source picture; both 0 = no picture
    std::int32_t pictureHeight = 0;
    std::int32_t pictureIsIcon = 0; // 1 for an icon or cursor, 0 for a bitmap
    Bool16 delayDrawing; // exactly True suppresses every redraw
    OleColor backColor;
    Rgb faceColor;
    Rgb pressedFaceColor;
    Rgb hoverFaceColor;
    std::int16_t lastMouseButton = 0;
    Bool16 hoverTracking;
    Rgb parentBackColor;
    Rgb checkedFaceColor;
    Bool16 pressHeld;

    // Both left-down and mouse-inside: the pressed look.
    bool isPressed() const { return (stateFlags & kFlagsPressed) == kFlagsPressed; }
    bool isDefaultLook() const { return (stateFlags & kFlagDefaultLook) != 0; }
    // Mouse inside without the left button down.
    bool isHot() const
    {
        return (stateFlags & kFlagMouseInside) != 0 && (stateFlags & kFlagLeftDown) == 0;
    }
    bool hasPicture() const { return std::int64_t(pictureWidth) + pictureHeight > 0; }
};

} // namespace bastara::button
