#include "button/property_keys.h"

#include "button/property_table.h"

#include <algorithm>
#include <array>
#include <cassert>

namespace bastara::button {

namespace {

    // The stored forms of the public properties, by key: each key is stored
    // by exactly one property.
    struct Keys {
        std::array<PersistedProperty, kPersistedKeyCount> rows {};
        std::array<PersistedKey, kPersistedKeyCount> loadingOrder {};
    };

    Keys assemble()
    {
        Keys keys;
        std::array<bool, kPersistedKeyCount> seen {};
        for (const PublicProperty& property : publicProperties()) {
            if (!property.storage)
                continue;
            assert(property.storedUnder);
            const auto index = std::size_t(*property.storedUnder);
            assert(!seen[index]);
            seen[index] = true;
            PersistedProperty& row = keys.rows[index];
            static_cast<StoredForm&>(row) = *property.storage;
            row.id = *property.storedUnder;
            row.property = property.name;
        }
        assert(std::all_of(seen.begin(), seen.end(), [](bool s) { return s; }));
        for (std::size_t i = 0; i < kPersistedKeyCount; ++i)
            keys.loadingOrder[i] = PersistedKey(i);
        std::sort(keys.loadingOrder.begin(), keys.loadingOrder.end(),
            [&](PersistedKey a, PersistedKey b) {
                return keys.rows[std::size_t(a)].loadingStep
                    < keys.rows[std::size_t(b)].loadingStep;
            });
        return keys;
    }

    const Keys& keys()
    {
        static const Keys instance = assemble();
        return instance;
    }

} // namespace

std::span<const PersistedProperty> persistedProperties()
{
    return keys().rows;
}

const PersistedProperty& persisted(PersistedKey id)
{
    const PersistedProperty& row = keys().rows[std::size_t(id)];
    assert(row.id == id);
    return row;
}

std::u16string_view keyOf(PersistedKey id)
{
    return persisted(id).key;
}

std::span<const PersistedKey> readingOrder()
{
    return keys().loadingOrder;
}

} // namespace bastara::button
