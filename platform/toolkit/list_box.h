#pragma once

// The list box control: one column of items, one selected at a time. An empty
// list that has the keyboard focus draws a frame inside its border: with no
// item there is no current item to show the focus.

#include <QListWidget>

namespace bastara::toolkit {

class ListBoxControl : public QListWidget
{
    Q_OBJECT
public:
    explicit ListBoxControl(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace bastara::toolkit
