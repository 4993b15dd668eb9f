#include "app/model/list_position.h"

#include "app/model/numeric_prefix.h"

#include <cmath>
#include <limits>

namespace bastara::app {

Result<std::size_t, PositionProblem> listPosition(std::u16string_view text, std::size_t rowCount)
{
    // nearbyint rounds in the default mode, to nearest with ties to even
    // (std::round and lround would take halves away from zero).
    const double rounded = std::nearbyint(numericPrefix(text));

    if (!(rounded >= std::numeric_limits<int16_t>::min()
            && rounded <= std::numeric_limits<int16_t>::max()))
        return Unexpected { PositionProblem::NotSixteenBit };
    if (rounded < 0 || rounded >= static_cast<double>(rowCount))
        return Unexpected { PositionProblem::OutsideList };
    return static_cast<std::size_t>(rounded);
}

} // namespace bastara::app
