#pragma once

// Stored colours and fonts as their Qt counterparts.

#include "platform/toolkit/property_set.h"

#include <QColor>
#include <QFont>
#include <QPalette>

namespace bastara::toolkit {

// A plain colour (0x00BBGGRR) as it is; a system colour (bit 31 set, the
// index in the low byte) from the palette role that plays its part, so forms
// follow the desktop theme. Unknown system indexes give the window colour.
QColor toQColor(ColourValue colour, const QPalette& palette);

// Face, size in points, weight (400 normal, 700 bold), italic, underline and
// strikethrough. The character set has no Qt counterpart: Qt picks glyphs by
// the script of the text, falling back through the face's substitutes.
QFont toQFont(const FontValue& font);

} // namespace bastara::toolkit
