#include "platform/toolkit/qt_values.h"

#include <QString>

namespace bastara::toolkit {

namespace {

    constexpr uint32_t systemColourBit = 0x80000000u;

    QPalette::ColorRole roleOfSystemColour(uint32_t index)
    {
        switch (index) {
        case 5: // window background
            return QPalette::Base;
        case 8: // window text
            return QPalette::Text;
        case 13: // highlight
            return QPalette::Highlight;
        case 14: // highlighted text
            return QPalette::HighlightedText;
        case 15: // button face
            return QPalette::Button;
        case 18: // button text
            return QPalette::ButtonText;
        default:
            return QPalette::Window;
        }
    }

} // namespace

QColor toQColor(properties::OleColor colour, const QPalette& palette)
{
    if (colour.value & systemColourBit)
        return palette.color(QPalette::Active, roleOfSystemColour(colour.value & 0xFFu));
    return QColor(static_cast<int>(colour.value & 0xFFu),
        static_cast<int>((colour.value >> 8) & 0xFFu),
        static_cast<int>((colour.value >> 16) & 0xFFu));
}

QFont toQFont(const properties::FontDescription& font)
{
    QFont qfont(QString::fromStdU16String(font.name));
    qfont.setPointSizeF(font.points);
    qfont.setWeight(static_cast<QFont::Weight>(font.weight));
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    qfont.setStrikeOut(font.strikethrough);
    return qfont;
}

properties::OleColor toOleColor(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return properties::OleColor(std::uint32_t(rgb.red()) | (std::uint32_t(rgb.green()) << 8)
        | (std::uint32_t(rgb.blue()) << 16));
}

properties::FontDescription toFontDescription(const QFont& font)
{
    properties::FontDescription description;
    description.name = font.family().toStdU16String();
    description.points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
    description.weight = font.weight();
    description.italic = font.italic();
    description.underline = font.underline();
    description.strikethrough = font.strikeOut();
    return description;
}

} // namespace bastara::toolkit
