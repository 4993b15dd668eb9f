#include "button/property_bag.h"

#include "platform/support/ascii.h"

#include <algorithm>

namespace bastara::button {

bool PropertyBag::keysEqual(std::u16string_view a, std::u16string_view b)
{
    return equalIgnoringAsciiCase(a, b);
}

PropertyValue PropertyBag::read(std::u16string_view key, const PropertyValue& defaultValue) const
{
    for (const auto& [stored, value] : m_entries)
        if (keysEqual(stored, key))
            return value;
    return defaultValue;
}

void PropertyBag::write(
    std::u16string_view key, const PropertyValue& value, const PropertyValue& defaultValue)
{
    const auto found = std::find_if(m_entries.begin(), m_entries.end(),
        [key](const auto& entry) { return keysEqual(entry.first, key); });
    if (value == defaultValue) {
        if (found != m_entries.end())
            m_entries.erase(found);
        return;
    }
    if (found != m_entries.end())
        found->second = value;
    else
        m_entries.emplace_back(std::u16string(key), value);
}

bool PropertyBag::contains(std::u16string_view key) const
{
    return std::any_of(m_entries.begin(), m_entries.end(),
        [key](const auto& entry) { return keysEqual(entry.first, key); });
}

} // namespace bastara::button
