// DrawCaption: the picture, then the caption with its relief, its hover
// colour and the disabled look.
//
// The text is laid out by the drawing layer, which keeps laid-out text by
// (text, font, wrapping width, format): the caption rectangle changes only
// with the layout, so a redraw that changes no text shapes nothing, and the
// relief copies (same text, same width) reuse the one layout.

#include "button/layout.h"
#include "button/painter.h"
#include "platform/gdi/text.h"

namespace bastara::button {

namespace {

    // Caption alignment as a text format; an alignment outside the three
    // named ones has none (left).
    std::uint32_t alignmentFormat(CaptionAlignment align)
    {
        switch (align) {
        case CaptionAlignment::Left:
            return gdi::DT_LEFT;
        case CaptionAlignment::Right:
            return gdi::DT_RIGHT;
        case CaptionAlignment::Center:
            return gdi::DT_CENTER;
        }
        return 0;
    }

    std::int16_t reliefShade(CaptionEffect effect)
    {
        switch (effect) {
        case CaptionEffect::Embossed:
            return -40;
        case CaptionEffect::Engraved:
            return 40;
        case CaptionEffect::Flat:
            break;
        }
        return 0;
    }

} // namespace

const std::u16string& Painter::captionWithLineBreaks()
{
    // Made again only when the caption changed: a redraw allocates nothing.
    if (m_captionSource != m_state.captionText) {
        m_captionSource = m_state.captionText;
        m_captionLines = captionLines(m_captionSource);
    }
    return m_captionLines;
}

void Painter::drawCaptionText(
    const std::u16string& text, const gdi::Rect& rect, std::uint32_t format, std::int32_t colour)
{
    gdi::DeviceContext* buffer = m_state.bufferDC.get();
    SetDrawingTool(kTrue, buffer, DrawingTool::TextColour, colour);
    if (!buffer)
        return;
    gdi::Rect r = rect;
    gdi::drawText(*buffer, text, r, format);
}

void Painter::DrawCaption(Rgb face, std::int32_t textColour, Bool16 down, Bool16 noGreyPass)
{
    const ButtonState& s = m_state;
    const std::int32_t shape = static_cast<std::int32_t>(s.buttonShape);
    const bool pictureShape
        = s.buttonShape == Shape::PictureFramed || s.buttonShape == Shape::PictureRimmed;

    gdi::Rect captionRect = s.captionRect;
    gdi::Rect pictureRect = s.pictureRect;
    if ((down.isTrue() || s.isPressed()) && s.buttonStyle != Look::Etched) {
        const std::int32_t dx = (shape >= 0 && shape <= 3) ? 1 : 0;
        captionRect = captionRect.translated(dx, 1);
        pictureRect = pictureRect.translated(dx, 1);
    }

    if (!(s.buttonValue.isTrue() && pictureShape))
        DrawPicture(pictureRect);

    if (s.captionText.empty() || (shape > 4 && s.buttonValue.isFalse()))
        return;

    const std::u16string& text = captionWithLineBreaks();
    const std::uint32_t format = alignmentFormat(s.captionAlign) | gdi::DT_WORDBREAK;

    if (m_host.enabled()) {
        std::int32_t colour;
        if (s.hoverTracking.isSet() && !s.isPressed())
            colour = TranslateColor(s.hoverForeColor).asSigned();
        else if (s.gradientMode != GradientDirection::None && s.buttonValue.isFalse())
            colour = TranslateColor(m_host.foreColor()).asSigned();
        else if (s.buttonStyle == Look::RoundedDark)
            colour = textColour;
        else
            colour = TranslateColor(m_host.foreColor()).asSigned();

        if (s.captionStyle != CaptionEffect::Flat) {
            // Relief copies at (-1, 0) and (+1, +2); the text itself then sits
            // at (0, +1) from the caption rectangle.
            const std::int16_t shade = reliefShade(s.captionStyle);
            captionRect = captionRect.translated(-1, 0);
            drawCaptionText(text, captionRect, format, ShadeColor(face, shade).asSigned());
            captionRect = captionRect.translated(2, 2);
            drawCaptionText(text, captionRect, format, ShadeColor(face, -shade).asSigned());
            captionRect = captionRect.translated(-1, -1);
        }
        drawCaptionText(text, captionRect, format, colour);
        return;
    }

    // Disabled: without a text colour of its own (or over a gradient) the
    // caption is white, one pixel down and right, under a grey copy.
    std::int32_t colour = textColour;
    if (textColour < 0 || s.gradientMode != GradientDirection::None) {
        colour = kWhite.asSigned();
        captionRect = captionRect.translated(1, 1);
        noGreyPass = kFalse;
    }
    drawCaptionText(text, captionRect, format, colour);
    if (noGreyPass.isFalse()) {
        captionRect = captionRect.translated(-1, -1);
        drawCaptionText(text, captionRect, format, kGrey.asSigned());
    }
}

} // namespace bastara::button
