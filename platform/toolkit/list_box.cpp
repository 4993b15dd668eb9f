#include "platform/toolkit/list_box.h"

#include <QPainter>
#include <QPen>

namespace bastara::toolkit {

ListBoxControl::ListBoxControl(QWidget* parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void ListBoxControl::paintEvent(QPaintEvent* event)
{
    QListWidget::paintEvent(event);
    if (count() != 0 || !hasFocus())
        return;
    // In the colour of selected items, two pixels wide: the style's own focus
    // rectangle is a faint tint on a white list.
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(viewport()->rect()).adjusted(1, 1, -1, -1));
}

void ListBoxControl::focusInEvent(QFocusEvent* event)
{
    QListWidget::focusInEvent(event);
    viewport()->update();
}

void ListBoxControl::focusOutEvent(QFocusEvent* event)
{
    QListWidget::focusOutEvent(event);
    viewport()->update();
}

} // namespace bastara::toolkit
