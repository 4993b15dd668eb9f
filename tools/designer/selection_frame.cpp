#include "tools/designer/selection_frame.h"

#include <QPainter>
#include <array>

namespace bastara::designer {

namespace {

    constexpr std::array kHandles { Handle::TopLeft, Handle::Top, Handle::TopRight, Handle::Right,
        Handle::BottomRight, Handle::Bottom, Handle::BottomLeft, Handle::Left };

    bool movesLeft(Handle h)
    {
        return h == Handle::TopLeft || h == Handle::Left || h == Handle::BottomLeft;
    }
    bool movesRight(Handle h)
    {
        return h == Handle::TopRight || h == Handle::Right || h == Handle::BottomRight;
    }
    bool movesTop(Handle h)
    {
        return h == Handle::TopLeft || h == Handle::Top || h == Handle::TopRight;
    }
    bool movesBottom(Handle h)
    {
        return h == Handle::BottomLeft || h == Handle::Bottom || h == Handle::BottomRight;
    }

} // namespace

QRect handleRect(QRect control, Handle handle)
{
    // Handles sit just outside the control, centred on its edges.
    const QRect outer = control.adjusted(
        -kHandleSize / 2 - 1, -kHandleSize / 2 - 1, kHandleSize / 2 + 1, kHandleSize / 2 + 1);
    const int x = movesLeft(handle) ? outer.left()
        : movesRight(handle)        ? outer.right() - kHandleSize + 1
                                    : outer.center().x() - kHandleSize / 2;
    const int y = movesTop(handle) ? outer.top()
        : movesBottom(handle)      ? outer.bottom() - kHandleSize + 1
                                   : outer.center().y() - kHandleSize / 2;
    return { x, y, kHandleSize, kHandleSize };
}

Handle handleAt(QRect control, QPoint point)
{
    for (Handle handle : kHandles)
        if (handleRect(control, handle).contains(point))
            return handle;
    return Handle::None;
}

QRect resizedRect(QRect control, Handle handle, QPoint delta, QSize minimum)
{
    QRect r = control;
    if (movesLeft(handle))
        r.setLeft(std::min(r.left() + delta.x(), r.right() + 1 - minimum.width()));
    if (movesRight(handle))
        r.setRight(std::max(r.right() + delta.x(), r.left() - 1 + minimum.width()));
    if (movesTop(handle))
        r.setTop(std::min(r.top() + delta.y(), r.bottom() + 1 - minimum.height()));
    if (movesBottom(handle))
        r.setBottom(std::max(r.bottom() + delta.y(), r.top() - 1 + minimum.height()));
    return r;
}

QRect keepingUnmovedSides(QRect target, QSize size, Handle handle)
{
    QRect r(target.topLeft(), size);
    if (movesLeft(handle))
        r.moveRight(target.right());
    if (movesTop(handle))
        r.moveBottom(target.bottom());
    return r;
}

Qt::CursorShape cursorFor(Handle handle)
{
    switch (handle) {
    case Handle::TopLeft:
    case Handle::BottomRight:
        return Qt::SizeFDiagCursor;
    case Handle::TopRight:
    case Handle::BottomLeft:
        return Qt::SizeBDiagCursor;
    case Handle::Top:
    case Handle::Bottom:
        return Qt::SizeVerCursor;
    case Handle::Left:
    case Handle::Right:
        return Qt::SizeHorCursor;
    case Handle::None:
        break;
    }
    return Qt::ArrowCursor;
}

SelectionFrame::SelectionFrame(QWidget& form)
    : QWidget(&form)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(form.rect());
}

void SelectionFrame::setFrame(QRect control)
{
    m_frame = control;
    update();
}

void SelectionFrame::paintEvent(QPaintEvent* /*event*/)
{
    if (m_frame.isEmpty())
        return;
    QPainter painter(this);
    painter.setPen(QPen(QColor(0, 0, 128), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(m_frame.adjusted(-1, -1, 0, 0));
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(0, 0, 128));
    for (Handle handle : kHandles)
        painter.drawRect(handleRect(m_frame, handle).adjusted(0, 0, -1, -1));
}

} // namespace bastara::designer
