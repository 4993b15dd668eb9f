#include "platform/gdi/objects.h"

namespace bastara::gdi {

Pen::Pen(int style, int width, ColorRef color)
    : m_style(style)
    , m_width(width < 1 ? 1 : width)
    , m_color(color)
{ }

bool Pen::isDashed() const
{
    return m_width == 1 && m_style >= PS_DASH && m_style <= PS_DASHDOTDOT;
}

PenRef createPen(int style, int width, ColorRef color)
{
    if (style < PS_SOLID || style > PS_INSIDEFRAME || width < 0)
        return nullptr;
    return std::make_shared<const Pen>(style, width, color);
}

Brush::Brush(BrushStyle style, ColorRef color, std::shared_ptr<const Bitmap> pattern)
    : m_style(style)
    , m_color(color)
    , m_pattern(std::move(pattern))
{ }

std::shared_ptr<const Brush> Brush::solid(ColorRef color)
{
    return std::make_shared<const Brush>(BrushStyle::Solid, color, nullptr);
}

std::shared_ptr<const Brush> Brush::null()
{
    return std::make_shared<const Brush>(BrushStyle::Null, 0, nullptr);
}

std::shared_ptr<const Brush> Brush::pattern(const Bitmap& pattern)
{
    if (pattern.width() == 0 || pattern.height() == 0)
        return nullptr;
    return std::make_shared<const Brush>(BrushStyle::Pattern, 0, pattern.clone());
}

BrushRef createSolidBrush(ColorRef color)
{
    return Brush::solid(color);
}

BrushRef createPatternBrush(const Bitmap& pattern)
{
    return Brush::pattern(pattern);
}

FontRef createFontIndirect(const LogFont& logFont)
{
    LogFont copy = logFont;
    if (copy.faceName.size() > 31)
        copy.faceName.resize(31);
    return std::make_shared<const Font>(std::move(copy));
}

// Stock objects are shared by every context; they are immutable, so sharing
// them is invisible to callers.
PenRef stockBlackPen()
{
    static const PenRef pen = std::make_shared<const Pen>(PS_SOLID, 1, 0);
    return pen;
}

PenRef stockNullPen()
{
    static const PenRef pen = std::make_shared<const Pen>(PS_NULL, 1, 0);
    return pen;
}

BrushRef stockWhiteBrush()
{
    static const BrushRef brush = Brush::solid(0xFFFFFF);
    return brush;
}

BrushRef stockBlackBrush()
{
    static const BrushRef brush = Brush::solid(0);
    return brush;
}

BrushRef stockNullBrush()
{
    static const BrushRef brush = Brush::null();
    return brush;
}

FontRef stockSystemFont()
{
    static const FontRef font = [] {
        LogFont system;
        system.height = 16;
        system.weight = 700;
        return createFontIndirect(system);
    }();
    return font;
}

} // namespace bastara::gdi
