#pragma once

// The stored settings of one custom control on a form: named, typed values.
//
//     PropertySet set;
//     set.write(u"Caption", std::u16string(u"OK"));
//     set.read<int32_t>(u"capalign", 2);   // 2: the key is absent
//     set.read<std::u16string>(u"CAPTION", u"");  // "OK": keys ignore case
//
// Keys compare without regard to ASCII case and keep the spelling they were
// first written with. A value keeps its type; reading it as another type
// fails rather than guessing, except that integers and colours convert among
// themselves when the value fits. Absent means default: write() with a
// default removes the key when the value equals it.
//
// No Qt types here: the button control reads its settings through this.

#include "platform/support/result.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace bastara::toolkit {

// A font as forms store it. Sizes are points; weight 400 is normal, 700 bold.
// The character set is kept as stored (178 is Arabic); text shaping does not
// depend on it.
struct FontValue {
    std::u16string face;
    double points = 0;
    int32_t weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    int32_t charset = 0;

    bool operator==(const FontValue&) const = default;
};

// A picture, named by the resource that holds its image data.
struct PictureValue {
    std::u16string resource;

    bool operator==(const PictureValue&) const = default;
};

// A 32-bit colour: 0x00BBGGRR, or a system colour when bit 31 is set.
struct ColourValue {
    uint32_t value = 0;

    bool operator==(const ColourValue&) const = default;
};

using PropertyValue
    = std::variant<std::u16string, int16_t, int32_t, bool, ColourValue, FontValue, PictureValue>;

enum class PropertyReadError {
    WrongType, // the stored value is of a type that does not convert
    OutOfRange, // an integer that does not fit the type asked for
};

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

    // The stored value converted to T, or defaultValue when the key is absent.
    template <typename T>
    [[nodiscard]] Result<T, PropertyReadError> read(std::u16string_view key, T defaultValue) const
    {
        const PropertyValue* stored = find(key);
        if (!stored)
            return defaultValue;
        return convert<T>(*stored);
    }

    // Stores the value under key, replacing a value stored under any casing of it.
    void write(std::u16string_view key, PropertyValue value);
    // As above, but stores nothing (and drops what was stored) when the value
    // equals defaultValue.
    void write(std::u16string_view key, PropertyValue value, const PropertyValue& defaultValue);
    void remove(std::u16string_view key);

    // In the order the keys were first written.
    const std::vector<Entry>& entries() const { return m_entries; }
    std::size_t size() const { return m_entries.size(); }

    static bool keysEqual(std::u16string_view a, std::u16string_view b);

private:
    template <typename T> static Result<T, PropertyReadError> convert(const PropertyValue& stored);
    static std::optional<int64_t> asInteger(const PropertyValue& stored);

    std::vector<Entry> m_entries;
};

template <typename T> Result<T, PropertyReadError> PropertySet::convert(const PropertyValue& stored)
{
    if (const T* exact = std::get_if<T>(&stored))
        return *exact;
    if constexpr (std::is_same_v<T,
                      int16_t> || std::is_same_v<T, int32_t> || std::is_same_v<T, ColourValue>) {
        const std::optional<int64_t> number = asInteger(stored);
        if (!number)
            return Unexpected { PropertyReadError::WrongType };
        if constexpr (std::is_same_v<T, ColourValue>) {
            // A colour stored as a signed 32-bit integer keeps its bits.
            if (*number < std::numeric_limits<int32_t>::min()
                || *number > std::numeric_limits<uint32_t>::max())
                return Unexpected { PropertyReadError::OutOfRange };
            return ColourValue { static_cast<uint32_t>(*number) };
        } else {
            if (*number < std::numeric_limits<T>::min() || *number > std::numeric_limits<T>::max())
                return Unexpected { PropertyReadError::OutOfRange };
            return static_cast<T>(*number);
        }
    } else {
        return Unexpected { PropertyReadError::WrongType };
    }
}

} // namespace bastara::toolkit
