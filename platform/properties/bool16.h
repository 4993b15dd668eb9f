#pragma once

// The stored Boolean of forms and the custom button: a 16-bit value with
// True = -1 and False = 0.
//
//     Bool16 pressed = true;          // stores -1
//     if (state.delayDrawing.isTrue()) // exactly -1
//     if (state.hoverTracking.isSet()) // any non-zero value
//
// The button's state, its event arguments and every persisted Boolean use
// this type because callers test them three different ways ("exactly True",
// "set", "False") and a C++ bool cannot tell those apart. Every value made here is -1 or 0;
// raw() exists so tests can pin what a stray 1 does.
//
// There is deliberately no conversion to bool or int: each test says which of
// the three questions it asks, and arithmetic that needs 1 for True writes
// `b.isSet() ? 1 : 0`.

#include <cstdint>

namespace bastara::properties {

class Bool16
{
public:
    constexpr Bool16() = default;
    constexpr Bool16(bool value)
        : m_value(value ? -1 : 0)
    { }

    // Any 16-bit value, unnormalised.
    static constexpr Bool16 raw(std::int16_t value)
    {
        Bool16 b;
        b.m_value = value;
        return b;
    }

    constexpr std::int16_t value() const { return m_value; }
    // True (-1) exactly.
    constexpr bool isTrue() const { return m_value == -1; }
    // Non-zero.
    constexpr bool isSet() const { return m_value != 0; }
    // False (0).
    constexpr bool isFalse() const { return m_value == 0; }

    // Logical negation; never a bitwise one (~1 would be -2).
    constexpr Bool16 operator!() const { return Bool16(m_value == 0); }

    friend constexpr bool operator==(Bool16, Bool16) = default;

private:
    std::int16_t m_value = 0;
};

inline constexpr Bool16 kTrue { true };
inline constexpr Bool16 kFalse { false };

} // namespace bastara::properties
