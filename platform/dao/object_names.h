#pragma once

// Names of tables and fields: what the engine accepts, and when two names
// count as the same.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace bastara::dao {

// 1 to 64 UTF-16 code units, no control character (U+0000..U+001F), none of
// . ! ` [ ], not starting with a space, and no unpaired surrogate (the file
// stores UCS-2 that readers turn into UTF-8).
bool isValidObjectName(std::u16string_view name);

// A table name's key in the catalog (General sort order); two tables clash
// when their keys are equal, which ignores case, trailing spaces and the
// characters the sort order ignores. Nothing for a name with a character
// outside the known sort ranges: such a table cannot be cataloged.
std::optional<std::vector<std::uint8_t>> tableNameKey(std::u16string_view name);

// What a field name is compared by within its table. Names whose characters
// all have General-sort codes compare by that key, exactly as table names do.
// Any other name compares by its text with trailing spaces dropped and
// A-Z folded to a-z, so "Ωmega" and "ωmega" are different fields but "Name"
// and "NAME " are the same.
std::vector<std::uint8_t> fieldNameMatchKey(std::u16string_view name);

} // namespace bastara::dao
