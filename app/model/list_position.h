#pragma once

// The position typed into the field edit dialog, as a row of the list.

#include "platform/support/result.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace bastara::app {

enum class PositionProblem {
    NotSixteenBit, // the rounded number is outside -32768 to 32767
    OutsideList, // a 16-bit number, but no row of the list has it
};

// The text read by the numeric-prefix rule and rounded to the nearest whole
// number, a half to the even neighbour ("0.5" is 0, "1.5" and "2.5" are 2),
// as a 16-bit integer; then it must name a row of a list of `rowCount` rows.
[[nodiscard]] Result<std::size_t, PositionProblem> listPosition(
    std::u16string_view text, std::size_t rowCount);

} // namespace bastara::app
