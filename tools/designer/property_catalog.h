#pragma once

// The control's public properties as a designer's property browser shows and
// edits them: one row per property, in the order of the public surface, with
// the description the browser shows for it, the kind of editor it takes, the
// names of its values (enumerations) and how to read and set it on a control.
//
//     for (const DesignProperty& p : designProperties())
//         show(p.name, p.description, p.get(button));
//     findDesignProperty("Caption")->set(button, std::u16string(u"OK"));
//
// Setting goes through the control's own setter, so its validation, its
// interplay with other properties, its change notification and its
// design-mode messages all happen as they would anywhere else. The read-only
// handles (hdc, hwnd) have no place in a property browser and are not here.
//
// Plain C++ over button/: the browser widgets are property_browser.h's.

#include "button/button.h"

#include <span>
#include <string_view>
#include <variant>

namespace bastara::designer {

enum class ValueKind {
    Enumeration, // a 32-bit number chosen by name
    Boolean,
    Text,
    Colour,
    Font,
    Picture, // a bitmap, JPEG or icon file, or none
    Action, // write-only: setting it True acts, it always reads False
};

// Enumerations and numbers are int32, Booleans and actions bool, colours
// OleColor; a property with no font reads as a font without a name.
using DesignValue = std::variant<std::int32_t, bool, std::u16string, button::OleColor,
    button::FontDescription, button::PictureRef>;

struct ValueName {
    std::int32_t value;
    std::u16string_view name; // "2 - Center": the number first, as stored
};

struct DesignProperty {
    std::string_view name; // as the control's public surface spells it
    ValueKind kind;
    std::string_view description;
    std::span<const ValueName> valueNames; // enumerations only
    DesignValue (*get)(button::Button& control);
    // A value of another type than the property's is ignored. The refusals
    // of the window (a font, a pointer, an icon) are this call's error.
    button::HostResult (*set)(button::Button& control, const DesignValue& value);
};

std::span<const DesignProperty> designProperties();
// nullptr for a name that is no property here.
const DesignProperty* findDesignProperty(std::string_view name);

// The name of an enumeration's value, or its number when it has no name (a
// hand-edited form can hold any number).
std::u16string valueNameOf(const DesignProperty& property, std::int32_t value);

// The system colours a colour property can name (0x80000000 + index).
std::span<const ValueName> systemColourNames();
// "Button Face" for 0x8000000F, "0x00FF8040" for a plain colour.
std::u16string colourName(button::OleColor colour);

} // namespace bastara::designer
