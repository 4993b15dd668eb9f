#pragma once

// Formatted text: drawing and measuring with the context's font, text colour,
// background colour and mode, in the platform's DrawText semantics.
//
//     Rect r { 0, 0, 120, 0 };
//     drawText(dc, u"Save && E&xit", r, DT_CALCRECT | DT_WORDBREAK);   // measures
//     drawText(dc, u"Save && E&xit", r, DT_CENTER | DT_WORDBREAK);     // draws
//
// Text is UTF-16 and is shaped by Qt's text engine, so Arabic-script text is
// joined and ordered right to left inside its line, while the paragraph runs
// left to right (no DT_RTLREADING). Kerning is off, as on the platform.
// Measuring and drawing use the same layout, so a measured rectangle holds the
// drawn text exactly.
//
// Rules (each from the platform's behaviour):
// - CR LF, LF CR, a lone CR and a lone LF each end a line (not with
//   DT_SINGLELINE); a break at the very end adds no empty line.
// - DT_WORDBREAK breaks at spaces only. DT_LEFT keeps the break space at the
//   end of the line when it fits (counted in the line width) and drops one more
//   space after it; DT_CENTER and DT_RIGHT drop the break space. A word wider
//   than the rectangle is never split: it takes a line of its own and sticks
//   out. A width <= 0 breaks at every space.
// - Prefixes (unless DT_NOPREFIX): "&x" draws x underlined, "&&" draws one "&",
//   a single "&" at the very end is drawn, one just before a line break is
//   dropped; only the last prefixed character of a line is underlined, with a
//   1-pixel line in the text colour at line top + ascent + 1, from the
//   character's left edge to its right edge - 2. DT_HIDEPREFIX resolves the
//   prefixes without the underline. Widths never count the "&".
// - Alignment per line: DT_LEFT x = left, DT_RIGHT x = right - width,
//   DT_CENTER x = (left + right - width) / 2 (integer division). Line k starts
//   at top + k * line height (ascent + descent). DT_VCENTER and DT_BOTTOM move
//   a DT_SINGLELINE line inside the rectangle.
// - Without DT_NOCLIP the text is clipped to the rectangle (and the clip
//   region); lines stop after the first one that reaches past the bottom.
// - Background mode OPAQUE fills each line's cell (width x line height) with
//   the background colour, clipped to the rectangle; every other mode (1, 3, ...)
//   draws only the glyphs.
// - DT_CALCRECT draws nothing: right = left + widest line, bottom = top +
//   lines x line height (the incoming bottom is ignored); an empty text gives
//   right = left, bottom = top.
//
// Laid-out text is cached by (text, font, wrapping width, layout flags): a
// redraw that changes none of them does no shaping at all. On colour bitmaps
// each laid-out line also keeps its glyph coverage, rasterised by Qt the first
// time the line is drawn; drawing it again, anywhere and in any colour, only
// blends that coverage in (the blend Qt applies to antialiased text, so the
// pixels are Qt's, within one level where the glyphs of a joined word
// overlap). Drawing text needs a QGuiApplication; without one nothing is drawn
// and 0 returned.

#include "platform/gdi/dc.h"

#include <cstdint>
#include <string_view>

namespace bastara::gdi {

inline constexpr std::uint32_t DT_TOP = 0x0;
inline constexpr std::uint32_t DT_LEFT = 0x0;
inline constexpr std::uint32_t DT_CENTER = 0x1;
inline constexpr std::uint32_t DT_RIGHT = 0x2;
inline constexpr std::uint32_t DT_VCENTER = 0x4;
inline constexpr std::uint32_t DT_BOTTOM = 0x8;
inline constexpr std::uint32_t DT_WORDBREAK = 0x10;
inline constexpr std::uint32_t DT_SINGLELINE = 0x20;
inline constexpr std::uint32_t DT_NOCLIP = 0x100;
inline constexpr std::uint32_t DT_CALCRECT = 0x400;
inline constexpr std::uint32_t DT_NOPREFIX = 0x800;
inline constexpr std::uint32_t DT_RTLREADING = 0x20000;
inline constexpr std::uint32_t DT_HIDEPREFIX = 0x100000;

// DrawTextW. Returns the height of the text (with DT_VCENTER or DT_BOTTOM: the
// distance from rect.top to the bottom of the drawn text). `rect` changes only
// with DT_CALCRECT.
std::int32_t drawText(
    DeviceContext& dc, std::u16string_view text, Rect& rect, std::uint32_t format);

// GetTextMetrics of the selected font (zeroes without a QGuiApplication).
struct TextMetrics {
    std::int32_t height = 0; // ascent + descent
    std::int32_t ascent = 0;
    std::int32_t descent = 0;
    std::int32_t averageCharWidth = 0;
    std::int32_t maxCharWidth = 0;
    std::int32_t externalLeading = 0;
};
TextMetrics getTextMetrics(const DeviceContext& dc);

// GetTextExtentPoint32W: one line, no prefix processing.
Size getTextExtent(const DeviceContext& dc, std::u16string_view text);

// The layout cache, for tests and benchmarks.
struct TextCacheStats {
    std::uint64_t hits = 0;
    std::uint64_t misses = 0;
    std::size_t entries = 0;
};
TextCacheStats textCacheStats();
// Drops the cached layouts, and with LayoutsAndFonts the Qt fonts too (needed
// after changing font substitutions). The counters restart at zero.
enum class TextCacheClear {
    Layouts,
    LayoutsAndFonts,
};
void clearTextCache(TextCacheClear what = TextCacheClear::LayoutsAndFonts);

} // namespace bastara::gdi
