#pragma once

// A stored colour: bit 31 clear is a plain 0x00BBGGRR value, bit 31 set a
// system colour whose index is the low byte (0x8000000F is the button face).
// Stored, compared and persisted in this form; only drawing resolves it.

#include <cstdint>

namespace bastara::properties {

struct OleColor {
    std::uint32_t value = 0;

    constexpr OleColor() = default;
    constexpr explicit OleColor(std::uint32_t v)
        : value(v)
    { }
    constexpr bool isSystemColor() const { return (value & 0x80000000u) != 0; }
    // The value as the signed 32-bit integer the property holds.
    constexpr std::int32_t asSigned() const { return static_cast<std::int32_t>(value); }

    friend constexpr bool operator==(OleColor, OleColor) = default;
};

} // namespace bastara::properties
