#pragma once

// The frame a designer draws around the selected control: a dotted outline
// with eight square handles, one at each corner and one in the middle of each
// side. Dragging a handle resizes the control from that side or corner.
//
// The overlay is a transparent widget that covers the whole form and lets
// every mouse event through to it; the form asks handleAt() what lies under
// the pointer.

#include <QRect>
#include <QWidget>

namespace bastara::designer {

enum class Handle {
    None,
    TopLeft,
    Top,
    TopRight,
    Right,
    BottomRight,
    Bottom,
    BottomLeft,
    Left,
};

inline constexpr int kHandleSize = 6;

// The square of one handle around a control's rectangle.
QRect handleRect(QRect control, Handle handle);
// The handle under the point, or None.
Handle handleAt(QRect control, QPoint point);
// The control's rectangle after dragging the handle by delta; never narrower
// or lower than minimum, the opposite side staying where it was.
QRect resizedRect(QRect control, Handle handle, QPoint delta, QSize minimum);
// A rectangle of the given size in place of target, which a drag of the
// handle produced: the sides the handle did not move stay where they are.
QRect keepingUnmovedSides(QRect target, QSize size, Handle handle);
Qt::CursorShape cursorFor(Handle handle);

class SelectionFrame : public QWidget
{
public:
    explicit SelectionFrame(QWidget& form);

    // The selected control's rectangle in the form, or an empty one.
    void setFrame(QRect control);
    QRect frame() const { return m_frame; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect m_frame;
};

} // namespace bastara::designer
