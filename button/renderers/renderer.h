#pragma once

// The renderer table RedrawButton dispatches through: one renderer per look
// (ButtonStyle 0..7).
//
// A renderer paints the whole face into the back buffer through the painter
// and leaves its results in the RenderResult: the face state it drew, the
// redraw level (what RedrawButton shows afterwards) and the edge colours,
// whose slot 12 is also the colour a shaped window's outline is framed with.
//
//     button.renderers().install(Look::Classic, RenderClassic);
//
// Every button starts from defaultRenderers(), which holds the eight looks.
// A look without a renderer draws nothing (the redraw level stays Nothing),
// exactly as a ButtonStyle outside 0..7 does.

#include "button/painter.h"
#include "button/properties.h"

#include <array>
#include <functional>

namespace bastara::button {

using Renderer = std::function<void(Painter& painter, RenderResult& result)>;

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
