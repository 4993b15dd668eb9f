#include "button/button.h"

#include "button/arithmetic.h"
#include "button/control_windows.h"

namespace bastara::button {

Button::Button(Host& host)
    : m_host(host)
    , m_renderers(defaultRenderers())
{
    registerControlWindow(m_host.windowHandle(), *this);
}

Button::~Button()
{
    onHostTerminate();
    forgetControlWindows(*this);
}

PictureSizing Button::PictureSize()
{
    if (m_state.pictureSizePx == 0)
        m_state.pictureSizePx = 16;
    // Real division: a stored 20 reads as 0.5, rounded to 0.
    return PictureSizing(roundEven(double(m_state.pictureSizePx) / 8.0 - 2.0));
}

std::int32_t Button::FontStyle() const
{
    const std::optional<FontDescription> font = m_host.font();
    if (!font)
        return 0;
    return (font->bold() ? kFontStyleBold : 0) + (font->italic ? kFontStyleItalic : 0)
        + (font->underline ? kFontStyleUnderline : 0);
}

} // namespace bastara::button
