#include "platform/properties/property_set.h"

#include "platform/support/ascii.h"

#include <algorithm>

namespace bastara::properties {

bool PropertySet::keysEqual(std::u16string_view a, std::u16string_view b)
{
    return equalIgnoringAsciiCase(a, b);
}

const PropertyValue* PropertySet::find(std::u16string_view key) const
{
    for (const Entry& entry : m_entries) {
        if (keysEqual(entry.key, key))
            return &entry.value;
    }
    return nullptr;
}

PropertyValue PropertySet::read(std::u16string_view key, const PropertyValue& defaultValue) const
{
    const PropertyValue* stored = find(key);
    return stored ? *stored : defaultValue;
}

void PropertySet::write(
    std::u16string_view key, PropertyValue value, const std::optional<PropertyValue>& defaultValue)
{
    if (defaultValue && value == *defaultValue) {
        remove(key);
        return;
    }
    for (Entry& entry : m_entries) {
        if (keysEqual(entry.key, key)) {
            entry.value = std::move(value);
            return;
        }
    }
    m_entries.push_back(Entry { std::u16string(key), std::move(value) });
}

void PropertySet::remove(std::u16string_view key)
{
    std::erase_if(m_entries, [key](const Entry& entry) { return keysEqual(entry.key, key); });
}

bool operator==(const PropertySet& a, const PropertySet& b)
{
    return a.size() == b.size() && std::ranges::all_of(a.entries(), [&b](const auto& entry) {
        const PropertyValue* other = b.find(entry.key);
        return other && *other == entry.value;
    });
}

namespace detail {

    std::optional<std::int64_t> integerOf(const PropertyValue& stored)
    {
        if (const auto* small = std::get_if<std::int16_t>(&stored))
            return *small;
        if (const auto* large = std::get_if<std::int32_t>(&stored))
            return *large;
        if (const auto* colour = std::get_if<OleColor>(&stored))
            return colour->asSigned();
        return std::nullopt;
    }

} // namespace detail

} // namespace bastara::properties
