#pragma once

// The control's rounding: to the nearest integer with ties to even, on the
// precision the formula names. Integer division ("a div b") is C++ `/` on
// signed integers, which truncates toward zero; never a shift.
//
//     roundEven(2.5) == 2, roundEven(3.5) == 4, roundEven(-12.5) == -12
//
// std::round and lround send halves away from zero, so they are not used.
// Results beyond the 32-bit range saturate instead of being undefined.

#include <cmath>
#include <cstdint>
#include <limits>

namespace bastara::button {

inline std::int32_t roundEven(double value)
{
    constexpr double low = std::numeric_limits<std::int32_t>::min();
    constexpr double high = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(value))
        return 0;
    const double rounded = std::nearbyint(value);
    if (rounded <= low)
        return std::numeric_limits<std::int32_t>::min();
    if (rounded >= high)
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(rounded);
}

// Single-precision formulas round their float result.
inline std::int32_t roundEven(float value)
{
    return roundEven(static_cast<double>(std::nearbyintf(value)));
}

// Rounding into a 16-bit value, saturating.
inline std::int16_t roundEven16(float value)
{
    const std::int32_t v = roundEven(value);
    if (v < std::numeric_limits<std::int16_t>::min())
        return std::numeric_limits<std::int16_t>::min();
    if (v > std::numeric_limits<std::int16_t>::max())
        return std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(v);
}

} // namespace bastara::button
