#pragma once

// Formatted text laid out once: access-key prefixes resolved, lines broken,
// each line shaped into glyph runs. Cached by (text, font, wrapping width,
// layout flags), so drawing the same caption again shapes nothing. Wrapped
// text that needed no break is the same at every width it fits in, and is
// cached once for all of them: measuring a caption and drawing it into the
// narrower box it measured shape it once.

#include "platform/gdi/internal/font_engine.h"
#include "platform/gdi/internal/glyph_mask.h"

#include <QGlyphRun>
#include <QList>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace bastara::gdi::detail {

struct LaidOutLine {
    std::int32_t width = 0; // advance width, trailing kept space included
    QList<QGlyphRun> runs; // positions relative to the line's top-left, baseline at `baseline`
    qreal baseline = 0;
    // The access-key underline: pixels [underlineLeft, underlineRight) relative
    // to the line's left edge.
    std::optional<std::pair<std::int32_t, std::int32_t>> underline;
    // The glyphs' coverage (glyph_mask.h), made when the line is first drawn:
    // a laid-out line is shared and read-only, but its mask is made on demand,
    // since most laid-out text is also drawn and measuring should not pay for
    // it. Null until made, and for a line too large for a mask.
    mutable std::shared_ptr<const GlyphMask> mask;
    mutable bool maskMade = false;
};

struct LaidOutText {
    std::vector<LaidOutLine> lines;
    std::int32_t lineHeight = 0;
    std::int32_t ascent = 0;
    std::int32_t widest = 0;
    std::size_t paragraphs = 0; // lines before any wrapping
};

struct TextLayoutStats {
    std::uint64_t hits = 0;
    std::uint64_t misses = 0;
    std::size_t entries = 0;
};

// wrapWidth is only read when `format` has DT_WORDBREAK. nullptr without a
// QGuiApplication.
std::shared_ptr<const LaidOutText> layoutText(
    const LogFont& font, std::u16string_view text, std::int32_t wrapWidth, std::uint32_t format);

TextLayoutStats textLayoutStats();
// Drops the layouts but keeps the fonts.
void clearTextLayouts();

} // namespace bastara::gdi::detail
