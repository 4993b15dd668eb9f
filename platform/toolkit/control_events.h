#pragma once

// The events a form's code handles on a control, whatever widget implements it.
//
// A control factory attaches one ControlEvents to the widget it builds and
// raises Click or DblClick from the widget's own notifications; form code
// connects to them without knowing the widget class. This is what lets the
// custom button replace its stand-in without touching the forms.

#include <QObject>

class QWidget;

namespace bastara::toolkit {

class ControlEvents : public QObject
{
    Q_OBJECT
public:
    // The events attached to the widget, attaching them on first use. The
    // widget owns them.
    static ControlEvents& attachTo(QWidget& widget);
    // The events attached to the widget, or nullptr.
    static ControlEvents* of(const QWidget& widget);

    struct Key; // lets attachTo() construct through std::make_unique
    ControlEvents(const Key&, QWidget& widget);

signals:
    void Click();
    void DblClick();
};

} // namespace bastara::toolkit
