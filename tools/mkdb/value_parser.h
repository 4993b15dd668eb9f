#pragma once

// CSV text as the value of a field of a given type. An empty text is Null.
//
//   Boolean            true/false, yes/no, 1/0, -1 (any letter case)
//   Byte/Integer/Long  a whole number (the engine checks the range)
//   Currency           a decimal number with at most four places, exact
//   Single/Double      a decimal or exponent number, finite
//   Date/Time          YYYY-MM-DD or YYYY-MM-DD HH:MM:SS (T may stand for
//                      the space), years 100-9999
//   Text/Memo          any UTF-8
//   Binary/OLE/GUID    hexadecimal digits, two per byte

#include "platform/dao/dao.h"
#include "platform/support/result.h"

#include <string>
#include <string_view>

namespace bastara::mkdb {

// The error says why, in a phrase ("not a whole number").
[[nodiscard]] Result<dao::Variant, std::string> parseValue(std::string_view text, int32_t type);

// The OLE date of a calendar date and time; days before 1899-12-30 count
// down while the time of day still counts up, as the engine keeps them.
double oleDate(int year, int month, int day, int hour, int minute, int second);

} // namespace bastara::mkdb
