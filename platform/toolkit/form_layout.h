#pragma once

// A window and its controls as a form file describes them. Plain data: the
// form file reader fills it, Form builds widgets from it.
//
// Geometry is in twips (1/1440 inch), 15 twips to the pixel.

#include "platform/properties/property_set.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace bastara::toolkit {

inline constexpr int twipsPerPixel = 15;

// Rounds to the nearest pixel.
constexpr int pixelsFromTwips(int32_t twips)
{
    return static_cast<int>(
        (twips >= 0 ? twips + twipsPerPixel / 2 : twips - twipsPerPixel / 2) / twipsPerPixel);
}

enum class FrameKind {
    FixedDialog, // title bar and close button; not resizable, no minimise or maximise
    FixedToolWindow, // the same with a small title bar, no icon and no task-bar button
};

enum class TextAlignment { Left, Right, Centre };

struct TwipsRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;

    bool operator==(const TwipsRect&) const = default;
};

struct ControlLayout {
    // Which factory builds it: "label", "textBox", "comboBox", "listBox",
    // "image", "commandButton", "customButton", or a kind registered later.
    QString kind;
    QString name;
    // Set for the members of a control array, such as List1(0) to List1(2).
    std::optional<int> index;
    TwipsRect geometry;
    QString text; // caption or initial text
    std::optional<properties::FontDescription> font; // absent: the default font
    QString picture; // resource path, or empty
    QString toolTip;
    std::optional<int> tabIndex; // absent: not in the keyboard focus order
    TextAlignment alignment = TextAlignment::Left;
    bool rightToLeft = false; // reading order of the text
    std::optional<properties::OleColor> backColour; // absent: transparent or the default
    properties::PropertySet properties; // custom controls only

    // "List1(2)" for array members, else the name.
    QString displayName() const;

    bool operator==(const ControlLayout&) const = default;
};

struct FormLayout {
    QString name;
    QString caption;
    int32_t clientWidth = 0;
    int32_t clientHeight = 0;
    std::optional<properties::OleColor> backColour; // absent: the default window colour
    FrameKind frame = FrameKind::FixedDialog;
    QString icon; // resource path, or empty for none
    bool showInTaskbar = true; // false: no task-bar button
    // The name of the custom button that Enter clicks, or empty for none.
    QString defaultButton;
    std::vector<ControlLayout> controls; // in creation order

    bool operator==(const FormLayout&) const = default;
};

} // namespace bastara::toolkit
