#include "platform/toolkit/property_set.h"

#include "platform/support/ascii.h"

#include <algorithm>

namespace bastara::toolkit {

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

void PropertySet::write(std::u16string_view key, PropertyValue value)
{
    for (Entry& entry : m_entries) {
        if (keysEqual(entry.key, key)) {
            entry.value = std::move(value);
            return;
        }
    }
    m_entries.push_back(Entry { std::u16string(key), std::move(value) });
}

void PropertySet::write(
    std::u16string_view key, PropertyValue value, const PropertyValue& defaultValue)
{
    if (value == defaultValue)
        remove(key);
    else
        write(key, std::move(value));
}

void PropertySet::remove(std::u16string_view key)
{
    std::erase_if(m_entries, [key](const Entry& entry) { return keysEqual(entry.key, key); });
}

std::optional<int64_t> PropertySet::asInteger(const PropertyValue& stored)
{
    if (const auto* small = std::get_if<int16_t>(&stored))
        return *small;
    if (const auto* large = std::get_if<int32_t>(&stored))
        return *large;
    if (const auto* colour = std::get_if<ColourValue>(&stored))
        return static_cast<int32_t>(colour->value);
    return std::nullopt;
}

} // namespace bastara::toolkit
