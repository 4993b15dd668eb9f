#pragma once

// The eight looks of the control, one renderer each (ButtonStyle 0..7).
// defaultRenderers() installs them; each paints the whole face into the back
// buffer through the painter and leaves its results in the RenderResult.

#include "button/painter.h"

namespace bastara::button {

// 0: the classic raised button: white and black outer ring, light and grey
// inner ring, a black frame around the default button.
void RenderClassic(Painter& painter, RenderResult& result);
// 1: a black frame around a two-pixel white and grey bevel.
void RenderFramedBevel(Painter& painter, RenderResult& result);
// 2: a soft shaded face with rounded corner pixels, a blue frame around the
// default button and an orange one while the pointer is over it.
void RenderRoundedLight(Painter& painter, RenderResult& result);
// 3: an etched double line, dark grey and white.
void RenderEtched(Painter& painter, RenderResult& result);
// 4: a single-pixel raised or sunken edge.
void RenderThinEdge(Painter& painter, RenderResult& result);
// 5: flat until the pointer is over it; a dotted outline in a designer.
void RenderFlatHover(Painter& painter, RenderResult& result);
// 6: a two-pixel light grey and grey bevel without black.
void RenderSoftBevel(Painter& painter, RenderResult& result);
// 7: a black frame and a bevel shaded from the face, rounded corner pixels.
void RenderRoundedDark(Painter& painter, RenderResult& result);

} // namespace bastara::button
