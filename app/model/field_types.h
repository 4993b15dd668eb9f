#pragma once

// The type names a field row may carry and the engine type code of each.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace bastara::app {

// The engine type code of a type name: the first of the thirteen known names
// that equals it exactly (case-sensitive, no trimming). "Time" gives the date
// code, as "Date" does.
std::optional<int32_t> typeCodeForName(std::u16string_view typeName);

// The thirteen names the field entry dialog offers, in the order it shows them.
inline constexpr std::array<std::u16string_view, 13> offeredTypeNames {
    u"Text",
    u"Integer",
    u"Long",
    u"Binary",
    u"Byte",
    u"Currency",
    u"Boolean",
    u"Time",
    u"Date",
    u"Double",
    u"Single",
    u"Float",
    u"Memo",
};

} // namespace bastara::app
