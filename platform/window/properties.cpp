#include "platform/window/properties.h"

#include "platform/window/internal/registry.h"

namespace bastara::window {

namespace {

    std::string folded(std::string_view name)
    {
        std::string key(name);
        for (char& c : key)
            if (c >= 'A' && c <= 'Z')
                c = char(c - 'A' + 'a');
        return key;
    }

} // namespace

bool setProp(WindowHandle handle, std::string_view name, PropertyValue value)
{
    detail::WindowEntry* entry = detail::Registry::instance().entry(handle);
    if (!entry || name.empty())
        return false;
    entry->properties[folded(name)] = value;
    return true;
}

std::optional<PropertyValue> getProp(WindowHandle handle, std::string_view name)
{
    detail::WindowEntry* entry = detail::Registry::instance().entry(handle);
    if (!entry)
        return std::nullopt;
    auto it = entry->properties.find(folded(name));
    if (it == entry->properties.end())
        return std::nullopt;
    return it->second;
}

std::optional<PropertyValue> removeProp(WindowHandle handle, std::string_view name)
{
    detail::WindowEntry* entry = detail::Registry::instance().entry(handle);
    if (!entry)
        return std::nullopt;
    auto it = entry->properties.find(folded(name));
    if (it == entry->properties.end())
        return std::nullopt;
    const PropertyValue value = it->second;
    entry->properties.erase(it);
    return value;
}

} // namespace bastara::window
