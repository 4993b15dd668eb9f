#pragma once

// The one Qt-facing header of the drawing layer, for the window host and for
// tests (golden images): conversions between bitmaps and QImage. Code that
// must stay free of Qt (button/) never includes it.

#include "platform/gdi/bitmap.h"

#include <QImage>

namespace bastara::gdi {

// A deep copy as QImage::Format_RGB32 (monochrome bitmaps as black and white).
QImage toQImage(const Bitmap& bitmap);

// A view of a colour bitmap's own pixels, valid while the bitmap lives and is
// not resized; null for monochrome bitmaps.
QImage wrapAsQImage(Bitmap& bitmap);

// A 32-bit DIB section holding the image (alpha flattened onto white);
// nullptr for a null or too large image.
[[nodiscard]] BitmapRef bitmapFromQImage(const QImage& image);

} // namespace bastara::gdi
