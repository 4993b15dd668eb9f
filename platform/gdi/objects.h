#pragma once

// Drawing objects: pens, brushes and fonts.
//
//     PenRef pen = createPen(PS_DOT, 1, rgb(128, 128, 128));
//     PenRef previous = dc.selectObject(pen);          // see dc.h
//
// Objects are immutable and shared (PenRef, BrushRef, FontRef). A device
// context holds a reference to what is selected into it, so an object dropped
// by its creator while still selected lives on until it is deselected, and a
// deleted object can never be drawn with. "Deleting" an object is dropping the
// last reference. Factories fail with nullptr, which selectObject refuses, the
// way a 0 handle passes through the platform calls harmlessly.

#include "platform/gdi/bitmap.h"
#include "platform/gdi/types.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

namespace bastara::gdi {

// Pen styles (CreatePen).
inline constexpr int PS_SOLID = 0;
inline constexpr int PS_DASH = 1; // 18 on, 6 off
inline constexpr int PS_DOT = 2; // 3 on, 3 off
inline constexpr int PS_DASHDOT = 3; // 9 on, 6 off, 3 on, 6 off
inline constexpr int PS_DASHDOTDOT = 4; // 9 on, 3 off, 3 on, 3 off, 3 on, 3 off
inline constexpr int PS_NULL = 5;
inline constexpr int PS_INSIDEFRAME = 6;

class Pen
{
public:
    Pen(int style, int width, ColorRef color);

    int style() const { return m_style; }
    // Width in pixels; 0 means 1.
    int width() const { return m_width; }
    ColorRef color() const { return m_color; }
    // Dashed styles are drawn dashed only at width 1; wider pens draw solid.
    bool isDashed() const;

private:
    int m_style;
    int m_width;
    ColorRef m_color;
};
using PenRef = std::shared_ptr<const Pen>;

// CreatePen; nullptr for an unknown style or a negative width.
[[nodiscard]] PenRef createPen(int style, int width, ColorRef color);

enum class BrushStyle {
    Solid,
    Null, // paints nothing
    Pattern, // tiles a bitmap from the origin (0, 0)
};

class Brush
{
public:
    static std::shared_ptr<const Brush> solid(ColorRef color);
    static std::shared_ptr<const Brush> null();
    // Keeps its own copy of the pattern, as CreatePatternBrush does.
    static std::shared_ptr<const Brush> pattern(const Bitmap& pattern);

    BrushStyle style() const { return m_style; }
    ColorRef color() const { return m_color; }
    // Pattern brushes only.
    const Bitmap* patternBitmap() const { return m_pattern.get(); }

    Brush(BrushStyle style, ColorRef color, std::shared_ptr<const Bitmap> pattern);

private:
    BrushStyle m_style;
    ColorRef m_color;
    std::shared_ptr<const Bitmap> m_pattern;
};
using BrushRef = std::shared_ptr<const Brush>;

[[nodiscard]] BrushRef createSolidBrush(ColorRef color);
// CreatePatternBrush: a monochrome pattern takes the text colour for 0 bits and
// the background colour for 1 bits of the context it is drawn in. nullptr for
// an empty bitmap.
[[nodiscard]] BrushRef createPatternBrush(const Bitmap& pattern);

// The LOGFONT fields. height < 0 is the character (em) height in pixels,
// height > 0 the cell height, 0 a default size. weight 400 is normal, 700 bold
// (0 means normal). faceName holds at most 31 characters (longer names are cut,
// like the 32-character field with its terminating zero).
struct LogFont {
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 400;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 1; // DEFAULT_CHARSET
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    std::u16string faceName;

    friend bool operator==(const LogFont&, const LogFont&) = default;
};

// A font: its LOGFONT. The text engine's font is built from it on first use and
// kept by text.cpp (that needs a QGuiApplication).
class Font
{
public:
    explicit Font(LogFont logFont)
        : m_logFont(std::move(logFont))
    { }

    const LogFont& logFont() const { return m_logFont; }

private:
    LogFont m_logFont;
};
using FontRef = std::shared_ptr<const Font>;

// CreateFontIndirect. Widths, escapement, orientation, precision, quality and
// character set are kept but do not change the output: text is Unicode, upright
// and antialiased in greyscale with light hinting, whatever the desktop's font
// settings ask for.
[[nodiscard]] FontRef createFontIndirect(const LogFont& logFont);

// The objects a new device context starts with.
PenRef stockBlackPen();
PenRef stockNullPen();
BrushRef stockWhiteBrush();
BrushRef stockBlackBrush();
BrushRef stockNullBrush();
// SYSTEM_FONT: the application's default family at a 16-pixel cell, bold.
FontRef stockSystemFont();

} // namespace bastara::gdi
