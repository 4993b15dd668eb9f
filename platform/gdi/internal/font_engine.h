#pragma once

// The Qt font behind a LOGFONT, with the metrics the text calls use. Built
// once per distinct LOGFONT and kept until the application object goes.

#include "platform/gdi/objects.h"

#include <QFont>

namespace bastara::gdi::detail {

struct FontEngine {
    QFont font;
    std::int32_t ascent = 0;
    std::int32_t descent = 0;
    // tmHeight: ascent + descent, the line step of formatted text.
    std::int32_t height = 0;
    std::int32_t averageCharWidth = 0;
    std::int32_t maxCharWidth = 0;
    std::int32_t externalLeading = 0;
};

// Largest character height a font is made at.
inline constexpr int kMaxFontPixels = 2048;

// nullptr when there is no QGuiApplication (fonts cannot exist without one).
const FontEngine* fontEngineFor(const LogFont& logFont);

// Releases every cached font and layout. Registered to run when the
// application object is destroyed, and used by tests.
void clearTextCaches();
void clearFontEngines();

} // namespace bastara::gdi::detail
