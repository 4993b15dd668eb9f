#include "platform/dao/object_names.h"

#include "platform/jet/sort_key.h"
#include "platform/jet/table_layout.h"
#include "platform/jet/text.h"

namespace bastara::dao {

bool isValidObjectName(std::u16string_view name)
{
    if (name.empty() || name.size() > jet::maxNameLength || name.front() == u' ')
        return false;
    for (char16_t unit : name) {
        if (unit < 0x20 || unit == u'.' || unit == u'!' || unit == u'`' || unit == u'['
            || unit == u']')
            return false;
    }
    return jet::isWellFormedUtf16(name);
}

std::optional<std::vector<std::uint8_t>> tableNameKey(std::u16string_view name)
{
    return jet::generalSortKey(name);
}

std::vector<std::uint8_t> fieldNameMatchKey(std::u16string_view name)
{
    // The leading byte keeps the two kinds of key apart.
    if (auto key = jet::generalSortKey(name)) {
        key->insert(key->begin(), 'K');
        return *key;
    }
    while (!name.empty() && name.back() == u' ')
        name.remove_suffix(1);
    std::vector<std::uint8_t> key { 'T' };
    for (char16_t unit : name) {
        if (unit >= u'A' && unit <= u'Z')
            unit = static_cast<char16_t>(unit - u'A' + u'a');
        key.push_back(static_cast<std::uint8_t>(unit >> 8));
        key.push_back(static_cast<std::uint8_t>(unit));
    }
    return key;
}

} // namespace bastara::dao
