#pragma once

// Stored colours and fonts as their Qt counterparts.

#include "platform/properties/font_description.h"
#include "platform/properties/ole_color.h"

#include <QColor>
#include <QFont>
#include <QPalette>

namespace bastara::toolkit {

// A plain colour (0x00BBGGRR) as it is; a system colour (bit 31 set, the
// index in the low byte) from the palette role that plays its part, so forms
// follow the desktop theme. Unknown system indexes give the window colour.
QColor toQColor(properties::OleColor colour, const QPalette& palette);

// Face, size in points, weight (400 normal, 700 bold), italic, underline and
// strikethrough. The character set has no Qt counterpart: Qt picks glyphs by
// the script of the text, falling back through the face's substitutes.
QFont toQFont(const properties::FontDescription& font);

// The other way: a plain colour of the RGB value (alpha dropped), and the
// face, size, weight, italic, underline and strikethrough of a font (the
// Western character set; a size in pixels counts at 96 dpi).
properties::OleColor toOleColor(const QColor& colour);
properties::FontDescription toFontDescription(const QFont& font);

} // namespace bastara::toolkit
