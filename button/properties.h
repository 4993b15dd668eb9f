#pragma once

// The enumerations of the control's public properties, with the values they
// are stored and persisted as, and the value each property has on a newly
// placed control.
//
// The state record keeps these enumerations exactly as they were stored, so a
// hand-edited property set can leave a value outside the named ones (each
// enumeration's underlying type holds any 32-bit value). Code that picks by
// one of them uses a switch whose default is "none of the named cases".

#include "button/bool16.h"
#include "button/colors.h"

#include <cstdint>

namespace bastara::button {

// ButtonStyle: the eight looks, each drawn by its own renderer.
enum class Look : std::int32_t {
    Classic = 0, // raised, black frame for the default button
    FramedBevel = 1, // two-pixel bevel in a black frame
    RoundedLight = 2, // soft shaded face, rounded corners
    Etched = 3, // etched double line
    ThinEdge = 4, // single-pixel edge
    FlatHover = 5, // flat until the pointer is over it
    SoftBevel = 6, // two-pixel bevel without black
    RoundedDark = 7, // black frame, rounded corners
};
inline constexpr int kLookCount = 8;

// Mode.
enum class ButtonMode : std::int32_t {
    Command = 0,
    CheckBox = 1, // Value toggles
    Option = 2, // Value is exclusive within the container
};

// CaptionAlign.
enum class CaptionAlignment : std::int32_t {
    Left = 0,
    Right = 1,
    Center = 2,
};

// CaptionStyle: the relief of the caption text.
enum class CaptionEffect : std::int32_t {
    Flat = 0,
    Embossed = 1,
    Engraved = 2,
};

// CustomClick: a pressed command button of a custom shape moves its window by
// one pixel in this direction instead of drawing a pressed face.
enum class ClickMovement : std::int32_t {
    None = 0,
    Up = 1,
    UpRight = 2,
    UpLeft = 3,
    DownRight = 4,
    DownLeft = 5,
    Right = 6,
    Down = 7,
    Left = 8,
};

// ButtonShape: the outline the window is cut to.
enum class Shape : std::int32_t {
    Rectangle = 0,
    SlantedLeft = 1, // bottom-left corner moved right
    SlantedRight = 2, // top-right corner moved left
    Parallelogram = 3, // both sides slanted
    Oval = 4, // ellipse with a shaded rim
    // As Oval. From here on the caption shows only while Value is True.
    OvalPlain = 5,
    OvalFramed = 6, // ellipse with a black outline
    PictureFramed = 7, // cut from the picture, outlined in the back colour
    PictureRimmed = 8, // cut from the picture, with a shaded rim
};

// PictureAlign.
enum class PicturePlacement : std::int32_t {
    LeftEdge = 0,
    LeftOfCaption = 1,
    RightEdge = 2,
    RightOfCaption = 3,
    TopCenter = 4,
    BottomCenter = 5,
};

// PictureSize. Held as pictureSizePx = (value + 2) * 8: 16, 24, 32, 40, 48.
enum class PictureSizing : std::int32_t {
    Px16 = 0,
    Px24 = 1,
    Px32 = 2,
    FillButton = 3, // the whole face less a small margin
    FitButton = 4, // centred, scaled with its aspect ratio kept
};

// GradientMode: the first colour sits at the start side.
enum class GradientDirection : std::int32_t {
    None = 0, // solid face
    LeftToRight = 1,
    RightToLeft = 2,
    TopToBottom = 3,
    BottomToTop = 4,
};

// HoverColorLocks: which hover colours follow the normal ones. Stored
// unchecked; values other than 0..2 behave like Neither.
enum class HoverLock : std::int32_t {
    Both = 0, // hover text follows ForeColor, hover face follows BackColor
    ForeOnly = 1,
    BackOnly = 2,
    Neither = 3,
};

// An enumeration as the 32-bit integer it is stored and persisted as, for the
// comparisons the control makes by number ("a shape below 4").
template <typename Enum> constexpr std::int32_t storedNumber(Enum value)
{
    return static_cast<std::int32_t>(value);
}

// FontStyle bits; bit 0 and the higher bits are ignored.
inline constexpr std::int32_t kFontStyleBold = 2;
inline constexpr std::int32_t kFontStyleItalic = 4;
inline constexpr std::int32_t kFontStyleUnderline = 8;

// MousePointer codes with a meaning of their own here.
inline constexpr std::int16_t kPointerDefault = 0;
inline constexpr std::int16_t kPointerCustomIcon = 99;

// A newly placed control. Caption defaults to the host's display name and Font
// to the parent form's font; FontStyle follows the font.
struct PropertyDefaults {
    static constexpr Look buttonStyle = Look::Classic;
    static constexpr ButtonMode mode = ButtonMode::Command;
    static constexpr CaptionAlignment captionAlign = CaptionAlignment::Center;
    static constexpr CaptionEffect captionStyle = CaptionEffect::Flat;
    static constexpr ClickMovement customClick = ClickMovement::None;
    static constexpr Shape buttonShape = Shape::Rectangle;
    static constexpr PicturePlacement pictureAlign = PicturePlacement::LeftEdge;
    static constexpr Bool16 enabled = kTrue;
    static constexpr Bool16 showFocusRect = kTrue;
    static constexpr Bool16 value = kFalse;
    static constexpr PictureSizing pictureSize = PictureSizing::Px16;
    static constexpr std::int16_t mousePointer = kPointerDefault;
    static constexpr OleColor foreColor = kSystemButtonText;
    static constexpr OleColor backColor = kSystemButtonFace;
    // A new control starts with black; loading without the key gives the face.
    static constexpr OleColor gradientColor = OleColor(0);
    static constexpr GradientDirection gradientMode = GradientDirection::None;
    static constexpr HoverLock hoverColorLocks = HoverLock::Both;
    static constexpr OleColor hoverForeColor = kSystemButtonText;
    static constexpr OleColor hoverBackColor = kSystemButtonFace;
};

} // namespace bastara::button
