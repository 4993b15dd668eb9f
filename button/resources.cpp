// UpdateResources: the caption font, the picture's metrics and the face
// colours that the drawing code reads instead of the properties.

#include "button/arithmetic.h"
#include "button/button.h"
#include "platform/gdi/icon.h"
#include "platform/gdi/objects.h"

#include <algorithm>

namespace bastara::button {

namespace {

    // LOGFONT's face name field holds 31 characters and a terminating zero.
    constexpr std::size_t kFaceNameLength = 31;

    bool topicIs(std::string_view topic, std::string_view name)
    {
        return topic.size() == name.size()
            && std::equal(topic.begin(), topic.end(), name.begin(), [](char a, char b) {
                   auto lower
                       = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
                   return lower(a) == lower(b);
               });
    }

    gdi::LogFont logFontFor(const FontDescription& font, double twipsPerPixel)
    {
        gdi::LogFont lf;
        lf.height = roundEven(-20.0 * font.points / twipsPerPixel);
        lf.width = 0;
        lf.escapement = 0;
        lf.orientation = 0;
        lf.weight = font.weight;
        lf.italic = font.italic ? 1 : 0;
        lf.underline = font.underline ? 1 : 0;
        lf.strikeOut = font.strikethrough ? 1 : 0;
        lf.charSet = 1; // DEFAULT_CHARSET
        lf.faceName = font.name.substr(0, kFaceNameLength);
        return lf;
    }

} // namespace

void Button::UpdateResources(std::string_view topic)
{
    if (topicIs(topic, "Font"))
        updateFont();
    else if (topicIs(topic, "Picture"))
        updatePicture();
    else if (topicIs(topic, "BackColor"))
        updateFaceColours();
}

void Button::updateFont()
{
    const std::optional<FontDescription> font = m_host.font();
    if (!font)
        return; // the previous caption font stays
    gdi::FontRef captionFont = gdi::createFontIndirect(logFontFor(*font, m_host.twipsPerPixel()));
    // Without a buffer the new font has nowhere to go; the buffer asks again
    // when it is made.
    if (!m_state.bufferDC || !captionFont)
        return;
    gdi::FontRef replaced = m_state.bufferDC->selectObject(std::move(captionFont));
    // The font first selected is kept to be put back at the end; a previous
    // caption font is simply released.
    if (!m_state.bufferOldFont)
        m_state.bufferOldFont = std::move(replaced);
}

void Button::updatePicture()
{
    ButtonState& s = m_state;
    if (!s.picture) {
        s.preparedImage.reset();
        s.pictureWidth = 0;
        s.pictureHeight = 0;
        return;
    }
    // The decoded kind decides: bitmaps (also JPEG and PNG) report their own
    // size; icons and cursors the size of their colour image, and none without
    // one (so a monochrome icon counts as no picture).
    if (s.picture->kind() == gdi::PictureKind::Bitmap) {
        const gdi::BitmapInfo info = gdi::getObject(*s.picture->bitmap());
        s.pictureIsIcon = 0;
        s.pictureWidth = info.width;
        s.pictureHeight = info.height;
        return;
    }
    const gdi::IconInfo info = gdi::getIconInfo(*s.picture->icon());
    s.pictureIsIcon = 1;
    s.pictureWidth = 0;
    s.pictureHeight = 0;
    if (info.color) {
        const gdi::BitmapInfo colour = gdi::getObject(*info.color);
        s.pictureWidth = colour.width;
        s.pictureHeight = colour.height;
    }
}

void Button::updateFaceColours()
{
    ButtonState& s = m_state;
    const Rgb face = TranslateColor(s.backColor);
    const Rgb hover = TranslateColor(s.hoverBackColor);
    s.faceColor = face;
    s.pressedFaceColor = face;
    s.hoverFaceColor = hover;
    switch (s.buttonStyle) {
    case Look::RoundedDark:
        s.faceColor = ShadeColor(face, 31);
        s.pressedFaceColor = ShadeColor(kGrey, -16);
        s.hoverFaceColor = ShadeColor(hover, 31);
        s.checkedFaceColor = ShadeColor(kGrey, 16, ShadeFlag::ProportionalBlue);
        break;
    case Look::RoundedLight:
        s.faceColor = ShadeColor(face, 48, ShadeFlag::ProportionalBlue);
        s.hoverFaceColor = ShadeColor(hover, 48, ShadeFlag::ProportionalBlue);
        s.pressedFaceColor = ShadeColor(s.faceColor, -32, ShadeFlag::ProportionalBlue);
        s.checkedFaceColor = ShadeColor(kWhite, -32, ShadeFlag::ProportionalBlue);
        break;
    case Look::Etched:
        s.pressedFaceColor = ShadeColor(kGrey, 12);
        s.checkedFaceColor = ShadeColor(s.pressedFaceColor, 31);
        break;
    case Look::Classic:
    case Look::FramedBevel:
    case Look::ThinEdge:
    case Look::FlatHover:
    case Look::SoftBevel:
        s.checkedFaceColor = ShadeColor(kWhite, -32);
        break;
    }
}

} // namespace bastara::button
