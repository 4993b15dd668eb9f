#pragma once

// The control's persisted properties: one row per key of its stored property
// set. The keys are spelt, with their defaults and how they load and save, in
// the rows of the public properties they persist (property_table.cpp);
// reading, writing and the change notifications go through this view of them.
//
//     for (const PersistedProperty& p : persistedProperties())   // writing order
//         ... p.key, p.property, p.defaultValue ...
//     for (PersistedKey k : readingOrder()) ...                    // loading order
//
// Keys compare without regard to case (stored forms hold them in lower case):
// the hover face is one key, "cBHover", whichever way a set spells it.
// Besides these the host keeps the control's size under "_extentx" and
// "_extenty"; the control never reads or writes them.

#include "button/host.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace bastara::button {

// Every persisted key, in writing order.
enum class PersistedKey : std::uint8_t {
    Caption,
    CapAlign,
    BackStyle,
    Shape,
    Font,
    ForeColor, // "cFore"
    HoverForeColor, // "cFHover"
    HoverBackColor, // "cBHover"
    Focus,
    LockHover,
    GradientColor, // "cGradient"
    Gradient,
    CapStyle,
    Mode,
    Value,
    CustomClick,
    ImgAlign,
    Image,
    ImgSize,
    Enabled,
    BackColor, // "cBack"
    MousePointer, // "mPointer"
    MouseIcon, // "mIcon"
};
inline constexpr std::size_t kPersistedKeyCount = 23;

// Where a key's default comes from. A value equal to its default is not
// written (absent means default); a key that is always written still has
// the default it is read with.
enum class DefaultRule : std::uint8_t {
    Fixed, // defaultValue, for reading and writing
    AlwaysWritten, // read with defaultValue; written whatever the value
    ControlBackColor, // the control's BackColor (when reading: the one just read)
    ParentBackColor, // read with the form's back colour; always written
};

class Button;

// How one key is stored: one part of a public property's row
// (property_table.h), which is where each is written down.
struct StoredForm {
    std::u16string_view key;
    DefaultRule rule;
    // Of the key's value type in every row: for the other rules, that type's
    // plain value. "No font" is a font without a name, "no picture" a picture
    // value without bytes.
    PropertyValue defaultValue;
    int loadingStep; // the key's place in the loading order
    // Reads the key from the host's set into the control; false when the
    // stored value failed (the property then keeps what it had).
    bool (*load)(Button& control, const StoredForm& form);
    // What the control stores under the key.
    PropertyValue (*save)(const Button& control);
};

struct PersistedProperty : StoredForm {
    PersistedKey id;
    // The public property it persists. FontStyle is stored within "Font".
    std::string_view property;
};

// In writing order: the order of PersistedKey.
std::span<const PersistedProperty> persistedProperties();
const PersistedProperty& persisted(PersistedKey id);
std::u16string_view keyOf(PersistedKey id);

// In loading order: each key once. The hover face comes after the back colour
// it defaults to, and the mouse icon before the pointer it would set to 99.
std::span<const PersistedKey> readingOrder();

} // namespace bastara::button
