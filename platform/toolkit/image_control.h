#pragma once

// The image control: a picture that raises Click when the left button is
// released over it, the way a push button decides that it was clicked. A
// double-click is one click: its second press arrives as a double-click
// event, which does not arm the release that follows.
//
// A picture that does something is a button to assistive technologies: role
// push button, named by its tool tip (or its accessible name), with a Press
// action that raises the same Click.

#include <QLabel>

namespace bastara::toolkit {

class ImageControl : public QLabel
{
    Q_OBJECT
public:
    explicit ImageControl(QWidget* parent);

    // Raises Click, as a click of the mouse does.
    void click();

protected:
    // Taking the press makes the release come here too.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};

} // namespace bastara::toolkit
