#pragma once

// The renderer table RedrawButton dispatches through: one renderer per look
// (ButtonStyle 0..7).
//
// A renderer paints the whole face into the back buffer with the control's
// primitives and says, through redrawLevel, what RedrawButton does afterwards:
// 0 nothing, 1 copy the buffer to the window, more than 1 copy and frame a
// shaped window's outline. faceState (0 normal, 1 default look, 2 pressed) is
// the state the renderer drew.
//
//     button.renderers().install(Look::Classic, RenderClassic);
//
// Every button starts from defaultRenderers(). Until the looks are written it
// is empty, and a look without a renderer draws nothing (redrawLevel stays 0),
// exactly as a ButtonStyle outside 0..7 does.

#include "button/edges.h"
#include "button/properties.h"

#include <array>
#include <cstdint>
#include <functional>

namespace bastara::button {

class Button;

using Renderer = std::function<void(Button& button, EdgePoints& edgePoints, EdgeColors& edgeColors,
    std::int16_t& faceState, std::int16_t& redrawLevel)>;

class RendererTable
{
public:
    // Ignored for a look outside 0..7.
    void install(Look look, Renderer renderer);
    void remove(Look look) { install(look, nullptr); }
    // nullptr for a look outside 0..7 or one without a renderer.
    const Renderer* find(Look look) const;

private:
    std::array<Renderer, kLookCount> m_renderers;
};

RendererTable defaultRenderers();

} // namespace bastara::button
