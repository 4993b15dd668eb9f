#pragma once

// The button scenes that golden images pin and the gallery shows: one table,
// so that both always draw the same buttons.
//
// Every scene is the main window's create button (137 x 41, its Persian
// caption centred and engraved in 12-point bold Times New Roman, white back
// colour) drawn through the whole control (back buffer, shape regions,
// renderer, copy to the window) by a FakeHost, in
// - each look 0..7 in each state: normal, default button, hot (hover tracking
//   on, pointer inside), pressed, checked (check-box mode, Value True) and
//   disabled;
// - each shape 1..8 (7 and 8 cut from a picture), and each gradient mode
//   1..4 (to a blue gradient colour), in the look kShapeAndGradientLook.
// The looks are the renderers a new button installs.
//
// The picture is what the window shows: outside a shape's window region, the
// container's back colour. Run under pinRenderingEnvironment(); system
// colours are pinned while drawing.

#include "button/properties.h"
#include "platform/gdi/bitmap.h"

#include <ostream>
#include <string>
#include <vector>

namespace bastara::button::test {

enum class SceneState {
    Normal,
    DefaultButton,
    Hot,
    Pressed,
    Checked,
    Disabled,
};

// The look the shape and gradient scenes are drawn in.
inline constexpr Look kShapeAndGradientLook = Look::Classic;

struct ButtonScene {
    // The scene's golden image is <name>.png; also the test's parameter name.
    std::string name;
    // Where the gallery puts it: a row, and a cell label within the row.
    std::string row;
    std::string label;
    Look look = Look::Classic;
    SceneState state = SceneState::Normal;
    Shape shape = Shape::Rectangle;
    GradientDirection gradient = GradientDirection::None;
};

// Its name, in test messages.
void PrintTo(const ButtonScene& scene, std::ostream* out);

// Rows in gallery order: the looks 0..7, the shapes, the gradients; within a
// row, left to right.
const std::vector<ButtonScene>& buttonScenes();

// What the scene's window shows, on a screen of pixelRatio device pixels per
// logical pixel (the window's size and its caption font scaled by it).
gdi::BitmapRef renderScene(const ButtonScene& scene, double pixelRatio = 1.0);

} // namespace bastara::button::test
