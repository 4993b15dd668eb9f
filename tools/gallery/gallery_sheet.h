#pragma once

// The gallery: every button scene (tests/support/button_scenes.h) on one
// sheet, a row per look with a column per state, then a row of shapes and a
// row of gradient modes, each cell under a small label.
//
// Needs a QApplication, started after pinRenderingEnvironment() so that the
// sheet comes out the same on every machine.

#include <QImage>

namespace bastara::gallery {

QImage drawGallerySheet();

} // namespace bastara::gallery
