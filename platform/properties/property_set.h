#pragma once

// The stored settings of one control: named, typed values. The form file
// reads and writes them, the form runtime hands them to the control, and the
// custom button reads and writes its persisted properties through them.
//
//     PropertySet set;
//     set.write(u"Caption", std::u16string(u"OK"));
//     set.readAs<std::int32_t>(u"capalign", 2);           // 2: the key is absent
//     set.readAs<std::u16string>(u"CAPTION", u"");        // "OK": keys ignore case
//     set.write(u"Shape", std::int32_t(0), std::int32_t(0)); // the default: not stored
//
// Keys compare without regard to ASCII case and keep the spelling they were
// first written with; entries stay in the order they were first written. A
// value keeps its type: 16- and 32-bit integers, Booleans (-1/0), colours,
// fonts and pictures are different values even when their numbers agree.
// Absent means default.

#include "platform/properties/bool16.h"
#include "platform/properties/font_description.h"
#include "platform/properties/ole_color.h"
#include "platform/properties/picture_value.h"
#include "platform/support/result.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace bastara::properties {

using PropertyValue = std::variant<std::u16string, std::int16_t, std::int32_t, Bool16, OleColor,
    FontDescription, PictureValue>;

enum class PropertyReadError {
    WrongType, // the stored value is of a type that does not convert
    OutOfRange, // an integer that does not fit the type asked for
};

// A stored value as T. Besides the exact type, integers and colours convert
// among themselves when the number fits (a colour is its 32 bits), and a
// Boolean may be stored as any integer (non-zero is True, read as -1).
template <typename T> Result<T, PropertyReadError> valueAs(const PropertyValue& stored);

class PropertySet
{
public:
    struct Entry {
        std::u16string key;
        PropertyValue value;
    };

    // The stored value, or nullptr when the key is absent.
    const PropertyValue* find(std::u16string_view key) const;
    bool contains(std::u16string_view key) const { return find(key) != nullptr; }

    // The stored value as it is, or defaultValue when the key is absent.
    PropertyValue read(std::u16string_view key, const PropertyValue& defaultValue) const;
    // The stored value converted to T, or defaultValue when the key is absent.
    template <typename T>
    [[nodiscard]] Result<T, PropertyReadError> readAs(std::u16string_view key, T defaultValue) const
    {
        const PropertyValue* stored = find(key);
        if (!stored)
            return defaultValue;
        return valueAs<T>(*stored);
    }

    // Stores the value under key, replacing a value stored under any casing of
    // it; but stores nothing (and drops what was stored) when the value equals
    // defaultValue.
    void write(std::u16string_view key, PropertyValue value,
        const std::optional<PropertyValue>& defaultValue = std::nullopt);
    void remove(std::u16string_view key);

    // In the order the keys were first written.
    const std::vector<Entry>& entries() const { return m_entries; }
    std::size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }

    static bool keysEqual(std::u16string_view a, std::u16string_view b);

    // The same keys (ignoring case) with equal values, in any order.
    friend bool operator==(const PropertySet& a, const PropertySet& b);

private:
    std::vector<Entry> m_entries;
};

namespace detail {
    std::optional<std::int64_t> integerOf(const PropertyValue& stored);
}

template <typename T> Result<T, PropertyReadError> valueAs(const PropertyValue& stored)
{
    if (const T* exact = std::get_if<T>(&stored))
        return *exact;
    if constexpr (
        std::is_same_v<T,
            std::
                int16_t> || std::is_same_v<T, std::int32_t> || std::is_same_v<T, OleColor> || std::is_same_v<T, Bool16>) {
        const std::optional<std::int64_t> number = detail::integerOf(stored);
        if (!number)
            return Unexpected { PropertyReadError::WrongType };
        if constexpr (std::is_same_v<T, Bool16>) {
            // Only integers stand for Booleans; a colour does not.
            if (std::holds_alternative<OleColor>(stored))
                return Unexpected { PropertyReadError::WrongType };
            return Bool16(*number != 0);
        } else if constexpr (std::is_same_v<T, OleColor>) {
            // A colour stored as a signed 32-bit integer keeps its bits.
            if (*number < std::numeric_limits<std::int32_t>::min()
                || *number > std::numeric_limits<std::uint32_t>::max())
                return Unexpected { PropertyReadError::OutOfRange };
            return OleColor(static_cast<std::uint32_t>(*number));
        } else {
            if (*number < std::numeric_limits<T>::min() || *number > std::numeric_limits<T>::max())
                return Unexpected { PropertyReadError::OutOfRange };
            return static_cast<T>(*number);
        }
    } else {
        return Unexpected { PropertyReadError::WrongType };
    }
}

} // namespace bastara::properties
