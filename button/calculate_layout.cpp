// CalculateLayout: the layout of layout.h, measured with the caption font in
// the back buffer, stored in the state record.

#include "button/button.h"
#include "button/layout.h"
#include "platform/gdi/text.h"

namespace bastara::button {

namespace {

    // Measured with the same call, font and format flags that draw the
    // caption. Before the buffer exists nothing can be measured; the resize
    // that makes it lays out again.
    TextMeasure measureIn(gdi::DeviceContext* buffer)
    {
        return [buffer](std::u16string_view text, gdi::Rect& box) {
            if (buffer)
                gdi::drawText(*buffer, text, box, gdi::DT_CALCRECT | gdi::DT_WORDBREAK);
        };
    }

} // namespace

LayoutInput Button::layoutInput() const
{
    const ButtonState& s = m_state;
    LayoutInput input;
    input.scaleWidth = scaleWidth();
    input.scaleHeight = scaleHeight();
    input.shape = s.buttonShape;
    input.shapeLeft = s.shapeLeft;
    input.shapeRight = s.shapeRight;
    input.caption = s.captionText;
    input.captionAlign = s.captionAlign;
    input.captionStyle = s.captionStyle;
    input.pictureAlign = s.pictureAlign;
    input.pictureSizePx = s.pictureSizePx;
    input.pictureWidth = s.pictureWidth;
    input.pictureHeight = s.pictureHeight;
    return input;
}

void Button::CalculateLayout(Bool16 preparePicture)
{
    ButtonState& s = m_state;
    const LayoutResult layout
        = computeLayout(layoutInput(), preparePicture.isSet(), measureIn(s.bufferDC.get()));
    s.captionRect = layout.captionRect;
    s.pictureRect = layout.pictureRect;
    if (layout.preparePicture)
        m_painter.PreparePicture(s.pictureRect.width(), s.pictureRect.height(), nullptr);
}

} // namespace bastara::button

namespace bastara::button {

gdi::Size Button::preferredSize() const
{
    gdi::DeviceContext* buffer = m_state.bufferDC.get();
    return preferredFaceSize(layoutInput(), [buffer](std::u16string_view text, gdi::Rect& box) {
        if (buffer)
            gdi::drawText(*buffer, text, box, gdi::DT_CALCRECT | gdi::DT_WORDBREAK);
        else
            box.right = box.bottom = 0;
    });
}

} // namespace bastara::button
