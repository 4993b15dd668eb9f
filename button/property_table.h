#pragma once

// The control's public properties: one row per property, in the order of the
// public surface. A row says everything a user of the control needs about the
// property: its name, the kind of value it takes and the names of its values,
// the key it is stored under, the value a new control starts with, the
// description a property browser shows, and how to read and set it.
//
//     for (const PublicProperty& p : publicProperties())
//         show(p.name, p.description, p.get(button));
//     findPublicProperty("Caption")->set(button, std::u16string(u"OK"));
//
// Setting goes through the control's own setter, so its validation, its
// interplay with other properties, its change notification and its
// design-mode messages all happen as they would anywhere else. The read-only
// handles (hdc, hwnd) are no properties a user sets and are not here.
//
// A row also says how its property persists: the key, the rule for its
// default, its place in the loading order and how it loads and saves
// (property_keys.h makes the stored set's view of them, in writing order).
// Reading, writing and defaults, a Qt widget's properties, a designer's
// browser and the reference in the README are all made from this table:
// adding a property is adding a row (and its key to PersistedKey).

#include "button/button.h"

#include <optional>
#include <span>
#include <string_view>
#include <variant>

namespace bastara::button {

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
using PublicValue
    = std::variant<std::int32_t, bool, std::u16string, OleColor, FontDescription, PictureRef>;

struct ValueName {
    std::int32_t value;
    std::u16string_view name; // "2 - Center": the number first, as stored
    std::string_view identifier; // "Center": a name a program can spell
};

// Where a new control's value comes from.
enum class NewValue {
    Listed, // newControlValue
    DisplayName, // the control's design name
    ParentFont, // the form's font
    FromFont, // follows the font it starts with
};

struct PublicProperty {
    std::string_view name; // as the control's public surface spells it
    ValueKind kind;
    std::string_view description;
    std::span<const ValueName> valueNames; // enumerations only
    // The key it persists under; FontStyle lives within "Font", and an action
    // persists nothing.
    std::optional<PersistedKey> storedUnder;
    // How it is stored under that key, for the property that owns the key.
    std::optional<StoredForm> storage;
    NewValue newValue;
    PublicValue newControlValue; // for NewValue::Listed
    PublicValue (*get)(Button& control);
    // A value of another type than the property's is ignored. The refusals
    // of the window (a font, a pointer, an icon) are this call's error.
    HostResult (*set)(Button& control, const PublicValue& value);
};

std::span<const PublicProperty> publicProperties();
// nullptr for a name that is no property here (names compare exactly).
const PublicProperty* findPublicProperty(std::string_view name);

// The name of an enumeration's value, or its number when it has no name (a
// hand-edited form can hold any number).
std::u16string valueNameOf(const PublicProperty& property, std::int32_t value);

// The system colours a colour property can name (0x80000000 + index).
std::span<const ValueName> systemColourNames();
// "Button Face" for 0x8000000F, "0x00FF8040" for a plain colour.
std::u16string colourName(OleColor colour);

} // namespace bastara::button
