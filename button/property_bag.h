#pragma once

// A plain stored property set, for hosts that keep one per control.
//
//     PropertyBag bag;
//     bag.write(u"Caption", std::u16string(u"OK"), std::u16string());
//     bag.read(u"CAPTION", std::u16string());   // u"OK": keys ignore case
//
// Keys compare without regard to ASCII case and keep the spelling they were
// first stored with; entries stay in the order they were first written.

#include "button/host.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace bastara::button {

class PropertyBag
{
public:
    // The stored value, or defaultValue when the key is absent.
    PropertyValue read(std::u16string_view key, const PropertyValue& defaultValue) const;
    // Stores the value, or removes the key when the value equals defaultValue.
    void write(
        std::u16string_view key, const PropertyValue& value, const PropertyValue& defaultValue);
    bool contains(std::u16string_view key) const;
    const std::vector<std::pair<std::u16string, PropertyValue>>& entries() const
    {
        return m_entries;
    }

    static bool keysEqual(std::u16string_view a, std::u16string_view b);

private:
    std::vector<std::pair<std::u16string, PropertyValue>> m_entries;
};

} // namespace bastara::button
