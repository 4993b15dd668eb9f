#pragma once

// Pieces the looks share: the conditions they test, the two shading forms,
// ring colours, the shape tail that ends every look but the rounded light one,
// single corner pixels, and a scoped temporary value for a state field.

#include "button/painter.h"

#include <cstdint>
#include <utility>

namespace bastara::button::looks {

// Mode above 0: a check box or option button (or a stored value beyond them).
inline bool isCheckOrOption(const ButtonState& s)
{
    return static_cast<std::int32_t>(s.buttonMode) > 0;
}

// Value True, or the button held down while it is a check box or option
// button: the face shows checked.
inline bool checkedLook(const ButtonState& s)
{
    return s.buttonValue.isTrue() || (s.pressHeld.isTrue() && isCheckOrOption(s));
}

// The rectangular and slanted shapes (0..3) draw edge lines; the oval and
// picture shapes show their outline through the window region instead.
inline bool hasEdgeLines(Shape shape)
{
    const auto value = static_cast<std::int32_t>(shape);
    return value >= 0 && value <= 3;
}

// Above the rectangle: a slanted, oval or picture shape.
inline bool isShaped(Shape shape)
{
    return static_cast<std::int32_t>(shape) > 0;
}

// The two shading forms of the looks: plain, and with blue moved in
// proportion to its own value (the rounded looks' softer tints).
inline Rgb shade(Rgb colour, int offset)
{
    return ShadeColor(colour, offset);
}
inline Rgb shadeBlue(Rgb colour, int offset)
{
    return ShadeColor(colour, offset, ShadeFlag::ProportionalBlue);
}

// Normal and default-look faces become one resting state (the default look
// state, 1); pressed and the look's own states stay.
inline void foldRestingStates(FaceState& state)
{
    if (static_cast<std::int16_t>(state) < static_cast<std::int16_t>(FaceState::Pressed))
        state = FaceState::DefaultLook;
}

// A text or focus colour of "none": the caption's disabled white-and-grey,
// the focus frame's black.
inline constexpr std::int32_t kNoColour = -1;

// Rings counted from the outside: 0 is the outermost pixel line.
enum class Ring : int {
    Outer = 0, // slots 9..12
    Middle = 1, // slots 5..8
    Inner = 2, // slots 1..4
};

// One ring's colours: its left and top lines, then its right and bottom lines
// (a raised ring is light at the top left). kNoLine leaves a line out.
inline void setRing(EdgeColors& colours, Ring ring, std::int32_t leftTop, std::int32_t rightBottom)
{
    const int first = (2 - static_cast<int>(ring)) * 4 + 1;
    colours.fill(first, first + 1, leftTop);
    colours.fill(first + 2, first + 3, rightBottom);
}
inline void setRing(EdgeColors& colours, Ring ring, Rgb leftTop, Rgb rightBottom)
{
    setRing(colours, ring, leftTop.asSigned(), rightBottom.asSigned());
}

// After the edges: the rectangular, slanted and first two oval shapes are
// copied without a frame; the black-framed oval keeps its frame while hovered
// or pressed; the picture shapes are framed in black.
void applyShapeTail(const ButtonState& s, RenderResult& result);

// One pixel of the back buffer.
void setCornerPixel(Painter& painter, std::int32_t x, std::int32_t y, Rgb colour);

// A state field holds a temporary value for a scope and gets its own value
// back when the scope ends, however it ends. A raw write: no setter runs.
template <typename T> class [[nodiscard]] TemporaryValue
{
public:
    TemporaryValue(T& field, T temporary)
        : m_field(field)
        , m_saved(std::exchange(field, std::move(temporary)))
    { }
    ~TemporaryValue() { m_field = std::move(m_saved); }
    TemporaryValue(const TemporaryValue&) = delete;
    TemporaryValue& operator=(const TemporaryValue&) = delete;

private:
    T& m_field;
    T m_saved;
};

} // namespace bastara::button::looks
